#pragma once
// The file panel's window side: draws the panel model (filepanel::FilePanel) into the list
// lvFiles (check boxes, marked items bold red on yellow, ".." without a box, icons by file
// type, the item's path as tooltip), keeps the drive box, the sort buttons, the mask box with
// its history, the path line, the free-space line and the file status bar in step with it, and
// turns the list's keys and clicks into the model's commands. It also owns the directory
// watcher while the window is shown, the rename box and the select-files dialog. The model
// does the work; this class reads widgets, calls it and shows the result.
// Covered by tests/ui/tst_filepanel.cpp.

#include "filepanel/FilePanel.h"
#include "filepanel/FilePanelHost.h"
#include "ui/FormMainControls.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QListWidgetItem;
class QMouseEvent;
class QKeyEvent;

namespace morvane::filepanel {
class TDirChangeNotifier;
}

namespace morvane::ui {

class EditItem;
class FilePanelDispatcher;
class FilePanelIcons;
class TFormSelectFiles;

class FilePanelView : public QObject, public filepanel::FilePanelHost {
    Q_OBJECT
public:
    // Binds the panel's controls of `controls` (they must outlive this object); the dialog and
    // the rename box are created as children of `window`.
    FilePanelView(const FormMainControls& controls, QWidget* window);
    ~FilePanelView() override;

    filepanel::FilePanel& model() { return *m_model; }
    const filepanel::FilePanel& model() const { return *m_model; }
    TFormSelectFiles* selectFilesDialog() const { return m_selectFiles; }
    EditItem* editItem() const { return m_editItem; }

    // The window's pass state: the panel's keyboard commands and listings refuse to start
    // while it reports busy.
    void setPassBusyQuery(std::function<bool()> query) { m_passBusy = std::move(query); }
    // The pass subsystem's side of the host: the pass file list goes stale, the pass commands
    // are recomputed, a waiting interactive run ends, and a busy pass is asked to leave its busy
    // state (the focus moved while nothing is marked).
    struct PassHooks {
        std::function<void()> invalidateFileList;
        std::function<void()> updatePassCommands;
        std::function<void()> endInteractiveRun;
        std::function<void()> leavePassBusy;
        // The shared abort request (Esc) and the throttled message pump of the passes: the
        // panel's long commands (directory size, marking by mask) use them as a pass does.
        std::function<bool()> abortRequested;
        std::function<void()> clearAbortRequest;
        std::function<void()> pumpMessages;
    };
    void setPassHooks(PassHooks hooks) { m_passHooks = std::move(hooks); }
    // Runs the numpad "+" / "-" dialog; replaceable so that tests can answer it. Returns the
    // mask text (program text) on OK, nothing on Cancel.
    using MaskQuery = std::function<std::optional<std::string>(bool mark)>;
    void setMaskQuery(MaskQuery query) { m_maskQuery = std::move(query); }

    // Start-up: the drive box, the sort mode, the mask box and the option as restored, the
    // marked names loaded from the selection file, then the start directory, listed with the
    // loaded marks; starting up ends with it.
    void start(std::vector<std::string> selection, const std::filesystem::path& directory);

    // The watcher: on when the window is shown, off when it closes.
    void startWatcher();
    void stopWatcher();
    bool watching() const { return m_notifier != nullptr; }
    // The hidden button's click, which the watcher's hand-off runs: a change is pending.
    void autoRefreshClick();
    // A safe point (the application became active): relist when a change is pending.
    bool consumePendingRefresh();

    // The handlers of the panel's controls.
    void sortClick();
    void driveChange();
    void maskChosen();
    void hideFilesClick();
    // Shift+F6: opens the rename box over the focused item.
    bool beginRename();
    // numpad "+" (true) / "-" (false).
    void selectFilesCommand(bool mark);

    // Redraws the list and every panel text from the model.
    void sync();

    // FilePanelHost.
    bool isBusy() const override;
    void setBusy(bool on) override
    {
        if (!on && !m_listingBusy && m_passBusy && m_passBusy() && m_passHooks.leavePassBusy)
            m_passHooks.leavePassBusy();
        m_listingBusy = on;
    }
    bool abortRequested() const override
    {
        return m_passHooks.abortRequested && m_passHooks.abortRequested();
    }
    void clearAbortRequest() override
    {
        if (m_passHooks.clearAbortRequest)
            m_passHooks.clearAbortRequest();
    }
    void pumpMessages() override
    {
        if (m_passHooks.pumpMessages)
            m_passHooks.pumpMessages();
    }
    void invalidateFileList() override
    {
        if (m_passHooks.invalidateFileList)
            m_passHooks.invalidateFileList();
    }
    void updatePassCommands() override
    {
        if (m_passHooks.updatePassCommands)
            m_passHooks.updatePassCommands();
    }
    void endInteractiveRun() override
    {
        if (m_passHooks.endInteractiveRun)
            m_passHooks.endInteractiveRun();
    }
    void listingStarted() override;
    void focusedItemChanged() override;
    void marksChanged() override;
    void openWithAssociatedProgram(
        const std::filesystem::path& file, const std::filesystem::path& workingDir) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool listKey(QKeyEvent* event);
    bool listMouse(QMouseEvent* event, bool doubleClick);
    bool onCheckBox(int row, const QPoint& pos) const;
    void fillItem(QListWidgetItem* item, const filepanel::FileItem& model);
    void syncList();
    void syncTexts();
    void syncMaskBox();
    void syncCommandStates();
    void maskEntered();
    void maskLeft();
    void renameEntered(int index, const QString& text);
    void focusList();

    const FormMainControls& m_c;
    QWidget* m_window;
    std::unique_ptr<filepanel::FilePanel> m_model;
    std::unique_ptr<FilePanelIcons> m_icons;
    std::unique_ptr<filepanel::TDirChangeNotifier> m_notifier;
    FilePanelDispatcher* m_dispatcher = nullptr;
    TFormSelectFiles* m_selectFiles = nullptr;
    EditItem* m_editItem = nullptr;
    std::function<bool()> m_passBusy;
    PassHooks m_passHooks;
    MaskQuery m_maskQuery;
    std::vector<std::filesystem::path> m_drives;
    bool m_listingBusy = false;
    bool m_syncing = false;
};

} // namespace morvane::ui
