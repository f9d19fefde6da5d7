// The main window's handlers for the file commands of the panel and the report: view, edit,
// copy, move, create directory and delete. The commands themselves are search::FileOperations;
// here the window picks the list they act on, hands them the pass controls and the dialogs,
// and redraws what they changed. Tests: tests/ui/tst_fileops.cpp.

#include "ui/TFormMain.h"

#include "filepanel/FilePanel.h"
#include "search/FileOperations.h"
#include "search/PassControl.h"
#include "ui/FilePanelView.h"
#include "ui/ReportRowsSnapshot.h"
#include "ui/ReportView.h"
#include "ui/TfmCreateDir.h"
#include "ui/WidgetFileOpsDialogs.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace morvane::ui {

void TFormMain::setFileOpsDialogs(FileOpsDialogs* dialogs)
{
    m_fileOpsDialogs = dialogs;
}

FileOpsDialogs& TFormMain::fileOpsDialogs()
{
    if (m_fileOpsDialogs != nullptr)
        return *m_fileOpsDialogs;
    if (m_fileOpsWidgets == nullptr)
        m_fileOpsWidgets = new WidgetFileOpsDialogs(this);
    return *m_fileOpsWidgets;
}

TfmCreateDir* TFormMain::createDirDialog()
{
    if (m_fileOpsWidgets == nullptr)
        m_fileOpsWidgets = new WidgetFileOpsDialogs(this);
    return m_fileOpsWidgets->createDirDialog();
}

bool TFormMain::fileCommandOnReport()
{
    // A report page button gives the focus to the list, then acts on it.
    QObject* origin = sender();
    for (QPushButton* button : { m_c.sbView, m_c.sbEdit, m_c.sbCopy, m_c.sbMove, m_c.sbDelete }) {
        if (origin == button) {
            m_c.lvReport->setFocus();
            return true;
        }
    }
    return QApplication::focusWidget() == m_c.lvReport && !m_c.lvReport->selectedItems().isEmpty();
}

void TFormMain::runFileCommand(FileCommand command)
{
    search::FileOperations operations(passControl(), fileOpsDialogs());
    filepanel::FilePanel& panel = m_panel->model();
    if (fileCommandOnReport()) {
        ReportRowsSnapshot rows(reportModel(), m_c.lvReport);
        switch (command) {
        case FileCommand::Copy:
            operations.copyFromReport(rows, panel);
            break;
        case FileCommand::Move:
            operations.moveFromReport(rows, panel);
            break;
        case FileCommand::Delete:
            operations.deleteFromReport(rows, panel);
            break;
        }
        rows.commit();
        reportView().selectionChanged();
        m_panel->sync();
        if (command == FileCommand::Delete)
            m_c.lvReport->setFocus();
        return;
    }

    switch (command) {
    case FileCommand::Copy:
        operations.copyFromPanel(panel);
        break;
    case FileCommand::Move:
        operations.moveFromPanel(panel);
        break;
    case FileCommand::Delete:
        operations.deleteFromPanel(panel);
        break;
    }
    m_panel->sync();
    if (command != FileCommand::Copy) {
        // Items that went may be the file of a waiting interactive run, and the pass file list
        // no longer matches the panel.
        if (m_c.sbYes->isEnabled())
            DisableConfirmButtons();
        UpdatePassCommands();
    }
    if (command == FileCommand::Delete)
        m_c.lvFiles->setFocus();
}

void TFormMain::miViewClick()
{
    if (fileCommandOnReport()) {
        const std::filesystem::path file = reportView().focusedPath();
        if (!file.empty())
            fileOpsDialogs().openWithDefaultApplication(file, file.parent_path());
        return;
    }
    const filepanel::FilePanel& panel = m_panel->model();
    if (panel.focusedIsFile())
        fileOpsDialogs().openWithDefaultApplication(
            panel.itemPath(panel.selectedIndex()), panel.currentDirectory());
}

void TFormMain::miEditClick()
{
    if (fileCommandOnReport()) {
        const std::filesystem::path file = reportView().focusedPath();
        if (!file.empty())
            fileOpsDialogs().editInTextEditor(file);
        return;
    }
    const filepanel::FilePanel& panel = m_panel->model();
    if (panel.focusedIsFile())
        fileOpsDialogs().editInTextEditor(panel.itemPath(panel.selectedIndex()));
}

void TFormMain::miCopyClick()
{
    runFileCommand(FileCommand::Copy);
}

void TFormMain::miMoveClick()
{
    runFileCommand(FileCommand::Move);
}

void TFormMain::miDeleteClick()
{
    runFileCommand(FileCommand::Delete);
}

void TFormMain::miCreateDirClick()
{
    if (passControl().IsBusy())
        return;
    const std::optional<std::filesystem::path> name = fileOpsDialogs().askNewDirectoryName();
    if (!name)
        return;
    search::FileOperations operations(passControl(), fileOpsDialogs());
    // A failure does nothing: the name stays in the dialog for another try.
    if (operations.createDirectory(m_panel->model(), *name)) {
        m_panel->sync();
        m_c.lvFiles->setFocus();
    }
}

} // namespace morvane::ui
