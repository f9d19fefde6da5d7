#pragma once
// The file commands' boxes, choosers and programs as widgets and desktop calls: Qt's message
// boxes, the directory chooser and the save dialog, TfmCreateDir, and the desktop's default
// applications through QDesktopServices (the text editor through the desktop's handler of
// plain text). Covered by tests/ui/tst_fileops.cpp through its scripted stand-in; the widgets
// themselves need a user.

#include "ui/FileOpsDialogs.h"

#include <QObject>

class QWidget;

namespace morvane::ui {

class TfmCreateDir;

// The file types of the copy target chooser in Qt's form: every file.
QString CopyTargetFilter();

class WidgetFileOpsDialogs : public QObject, public FileOpsDialogs {
    Q_OBJECT
public:
    // The boxes are parented to `window`; the create-directory dialog lives as long as it.
    explicit WidgetFileOpsDialogs(QWidget* window);

    TfmCreateDir* createDirDialog() const { return m_createDir; }

    bool confirm(const std::string& text) override;
    std::optional<std::filesystem::path> chooseDirectory(const std::string& caption) override;
    std::optional<std::filesystem::path> chooseSaveFile(
        const std::string& title, const std::filesystem::path& preset) override;
    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    std::optional<std::filesystem::path> askNewDirectoryName() override;
    void openWithDefaultApplication(
        const std::filesystem::path& file, const std::filesystem::path& workingDir) override;
    void editInTextEditor(const std::filesystem::path& file) override;

private:
    QWidget* m_window;
    TfmCreateDir* m_createDir;
};

} // namespace morvane::ui
