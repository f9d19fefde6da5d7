#pragma once
// The report page's window side: draws the report model (search::ReportModel) into lvReport
// while a pass fills it, keeps the two count columns' widths in step with the model both ways
// (a pass hides and shows them; the user drags them), and turns the list's keys, clicks and
// selection into the report's commands and the sbReport texts:
//   double click, Enter      open the focused row's file with the desktop's default program
//   Ctrl+A / Ctrl+D          select all rows / clear the selection
//   Insert                   select the focused row and the next one, focus on the next
//   Delete                   the file commands' delete on the selected rows
//   Shift with any key       nothing
// A selected row enables the file command buttons and their menu twins; focus entering the
// list hides the create-directory command, focus leaving it disables the buttons.
// Covered by tests/ui/tst_passes.cpp.

#include "search/ReportModel.h"
#include "search/ReportObserver.h"
#include "ui/FormMainControls.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QKeyEvent;

namespace morvane::ui {

struct ReportViewHooks {
    // Opens a row's file with the desktop's default program.
    std::function<void(const std::filesystem::path&)> openFile;
    // The file commands' delete, acting on the selected rows.
    std::function<void()> deleteRows;
    // A count column's remembered width changed (the settings keep them).
    std::function<void(int foundWidth, int replacedWidth)> widthsRemembered;
};

class ReportView : public QObject, public search::ReportObserver {
    Q_OBJECT
public:
    // Binds lvReport, its buttons and sbReport of `controls` to `model`; all must outlive it.
    ReportView(const FormMainControls& controls, search::ReportModel& model, ReportViewHooks hooks,
        QObject* parent = nullptr);
    ~ReportView() override;

    // The caption of the second count column ("Заменено" or "Сохранено"; program text).
    void setReplacedCaption(const std::string& caption);

    // The files of the selected rows, in row order.
    std::vector<std::filesystem::path> selectedPaths() const;
    // The file of the focused row; empty when there is none.
    std::filesystem::path focusedPath() const;

    // The list's commands (also reached through keys and clicks).
    void openFocused();
    void insertKey();
    void selectionChanged();

    // ReportObserver.
    void reportCleared() override;
    void reportRowAdded(int row) override;
    void reportColumnsChanged() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool listKey(QKeyEvent* event);
    void setFileButtons(bool enabled);
    void applyWidths();

    const FormMainControls& m_c;
    search::ReportModel& m_model;
    ReportViewHooks m_hooks;
    bool m_applyingWidths = false;
};

} // namespace morvane::ui
