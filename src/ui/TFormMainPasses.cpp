// The main window's handlers for the multi-file passes: the three listing passes, replace
// everywhere, the backup commands, the output modes, the converter, and the pass controls
// (busy state, abort, the enabled states of the pass commands). Each handler reads the
// widgets, runs the core command over the pass subsystem (ui/PassesBinding.h) and leaves the
// showing to the bound views. Covered by tests/ui/tst_passes.cpp, tst_replacepassim.cpp,
// tst_backups.cpp and tst_outputdialogs.cpp.

#include "ui/TFormMain.h"

#include "app/FileError.h"
#include "search/AllFilesPass.h"
#include "search/BackupCommands.h"
#include "search/Converter.h"
#include "search/MultipassRules.h"
#include "search/PassCommands.h"
#include "search/ReplaceEverywhere.h"
#include "search/ReplaceStatus.h"
#include "search/SearchPass.h"
#include "ui/CodePageBox.h"
#include "ui/DisplayText.h"
#include "ui/EditItem.h"
#include "ui/FilePanelView.h"
#include "ui/PassesBinding.h"
#include "ui/RuleTablePage.h"
#include "ui/SourceEditor.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <iterator>

namespace morvane::ui {

namespace {

enum BackupCommand { kRestorePrevious, kRestoreFirst, kDeleteBackups };

} // namespace

// ---- The pass subsystem ----

PassesBinding& TFormMain::passes()
{
    if (m_passes != nullptr)
        return *m_passes;

    PassWindowHooks windowHooks;
    windowHooks.updateEditorCommands = [this] { UpdateEditorCommands(); };
    windowHooks.showDriveSpace
        = [this] { m_c.stDriveSize->setText(ToDisplay(m_panel->model().ShowDriveSpace())); };
    windowHooks.endInteractiveRun = [this] {
        if (m_c.sbYes->isEnabled())
            DisableConfirmButtons();
    };
    windowHooks.showReportPage = [this] { showReportPage(); };
    windowHooks.busyChanged = [this] { passBusyChanged(); };

    ReportViewHooks reportHooks;
    reportHooks.openFile
        = [this](const std::filesystem::path& file) { m_passes->dialogs().openWithDefaultApplication(file); };
    reportHooks.deleteRows = [this] { miDeleteClick(); };
    reportHooks.widthsRemembered = [this](int found, int replaced) {
        // What the settings save for a column that is hidden at close.
        m_reportColumnWidth1 = found;
        m_reportColumnWidth2 = replaced;
    };

    m_passes = new PassesBinding(
        m_c, this, sourceEditor(), m_settings, std::move(windowHooks), std::move(reportHooks));
    // The backup option is read by every rewrite, the editor's saves included, so it follows
    // the button at once.
    m_passes->backups().setSaveBackup(m_c.tbSaveBackup->isChecked());
    connect(m_c.miSaveBackup, &QAction::toggled, m_passes,
        [this](bool on) { m_passes->backups().setSaveBackup(on); });
    m_passes->control().setResponseInterval(m_responseIntervalMs);
    return *m_passes;
}

void TFormMain::bindPanelToPasses()
{
    FilePanelView::PassHooks hooks;
    // The panel reports its further effects (leaving the busy state, ending the interactive run)
    // through the other hooks, so here the list only goes stale.
    hooks.invalidateFileList = [this] { passFileList().invalidate(search::FileListEvent::MarkChanged); };
    hooks.updatePassCommands = [this] { UpdatePassCommands(); };
    hooks.endInteractiveRun = [this] {
        if (m_c.sbYes->isEnabled())
            DisableConfirmButtons();
    };
    hooks.leavePassBusy = [this] { SetBusy(false); };
    hooks.abortRequested = [this] { return passControl().AbortRequested(); };
    hooks.clearAbortRequest = [this] { passControl().setAbortRequested(false); };
    hooks.pumpMessages = [this] { passControl().PumpMessages(); };
    m_panel->setPassHooks(std::move(hooks));
    // The break button works only while a pass is busy.
    m_c.tbBreak->setEnabled(false);
}

search::PassControl& TFormMain::passControl()
{
    return passes().control();
}

search::PassFileList& TFormMain::passFileList()
{
    return passes().fileList();
}

search::ReportModel& TFormMain::reportModel()
{
    return passes().report();
}

search::Backups& TFormMain::backups()
{
    return passes().backups();
}

search::WorkTextEditor& TFormMain::workTextEditor()
{
    return passes().editor();
}

search::OutputControl& TFormMain::outputControl()
{
    return passes().output();
}

ReportView& TFormMain::reportView()
{
    return passes().reportView();
}

void TFormMain::setPassesDialogs(PassesDialogs* dialogs)
{
    passes().setDialogs(dialogs);
}

search::PassSelection TFormMain::passSelection() const
{
    const filepanel::FilePanel& panel = m_panel->model();
    search::PassSelection selection;
    selection.directory = panel.currentDirectory();
    selection.items.reserve(panel.items().size());
    for (const filepanel::FileItem& item : panel.items())
        selection.items.push_back({ item.name, item.isDirectory(), item.marked });
    selection.focusedIndex = panel.focusedIndex();
    selection.selectedIndex = panel.selectedIndex();
    selection.selectedCount = panel.selectedCount();
    return selection;
}

search::PassOptions TFormMain::passOptions()
{
    search::PassOptions options;
    const std::string mask = FromDisplay(m_c.cbMask->currentText());
    options.maskText = mask.empty() ? std::string("*.*") : mask;
    options.subDirectories = m_c.tbSubDir->isChecked();
    options.hiddenFiles = m_c.miHideFiles->isChecked();
    options.collectingFile = outputControl().collectingFilePath();
    return options;
}

// ---- Busy state and the enabled commands ----

void TFormMain::SetBusy(bool on)
{
    passControl().SetBusy(on);
}

void TFormMain::passBusyChanged()
{
    // The window's flag (page changes, the panel's commands, close) follows the pass controls,
    // which also count an abort request as the end of the busy state.
    m_busy = m_passes->control().IsBusy();
}

void TFormMain::UpdatePassCommands()
{
    if (m_panel == nullptr)
        return;
    const filepanel::FilePanel& panel = m_panel->model();
    search::PassCommandInputs inputs;
    inputs.workPageActive = m_c.PageControlMain->currentWidget() == m_c.TabSheetWork;
    inputs.itemSelected = panel.selectedIndex() >= 0 && panel.selectedIndex() < panel.count();
    if (inputs.itemSelected)
        inputs.selectedName = panel.items()[static_cast<size_t>(panel.selectedIndex())].name;
    inputs.markedCount = panel.MarkedCount();
    inputs.colourSetupMode = m_c.tbSetColour->isChecked();
    const search::PassCommandStates states = search::UpdatePassCommands(inputs);

    for (QToolButton* button : { m_c.tbFindFiles, m_c.tbNotFindFiles, m_c.tbAllFiles, m_c.tbRestore,
             m_c.tbRestoreAll, m_c.tbDelAllBackup })
        button->setEnabled(states.passes);
    for (QAction* item : { m_c.miFindFiles, m_c.miNotFindFiles, m_c.miAllFiles, m_c.miRestore,
             m_c.miRestoreAll, m_c.miDelAllBackup, m_c.miFind, m_c.miConverter })
        item->setEnabled(states.passes);
    m_c.sbFind->setEnabled(states.find);
    m_c.sbReplacePassim->setEnabled(states.replacePassim);
    m_c.miReplacePassim->setEnabled(states.replacePassim);
}

void TFormMain::showReportPage()
{
    // The page change handler refuses changes while a pass is busy; this one is the pass's own.
    const int index = m_c.PageControlMain->indexOf(m_c.TabSheetReport);
    m_activePageIndex = index;
    m_c.PageControlMain->setCurrentIndex(index);
}

// ---- Abort ----

void TFormMain::tbBreakClick()
{
    passControl().tbBreakClick();
}

void TFormMain::miAbortClick()
{
    // First the HTML preview window: when it is visible Esc closes it and does nothing else.
    // Then the panel's rename box: Esc cancels the rename.
    if (ClosePreviewIfVisible())
        return;
    if (m_panel->editItem() != nullptr && m_panel->editItem()->isVisible()) {
        m_panel->editItem()->hide();
        m_c.lvFiles->setFocus();
        return;
    }
    passControl().miAbortClick();
}

// ---- Listing passes ----

void TFormMain::searchPass(bool found)
{
    PassesBinding& p = passes();
    p.control().setResponseInterval(m_responseIntervalMs);
    p.editor().setCodePage(ChosenCodePage(m_c.cbCodePage));
    search::SearchRules rules;
    rules.fields = workFieldsRule();
    rules.multipass = m_c.tbBatch->isChecked();
    if (rules.multipass)
        rules.rows = gridRules();
    search::SearchPass pass(p.control(), p.fileList(), p.report(), p.editor(), tablePage().compiler());
    if (found)
        pass.miFindFilesClick(passSelection(), passOptions(), rules);
    else
        pass.miNotFindFilesClick(passSelection(), passOptions(), rules);
}

void TFormMain::miFindFilesClick()
{
    searchPass(true);
}

void TFormMain::miNotFindFilesClick()
{
    searchPass(false);
}

void TFormMain::miAllFilesClick()
{
    PassesBinding& p = passes();
    p.control().setResponseInterval(m_responseIntervalMs);
    search::AllFilesPass pass(p.control(), p.report());
    pass.tbAllFilesClick(passSelection(), passOptions());
}

// ---- Replace everywhere ----

void TFormMain::miReplacePassimClick()
{
    PassesBinding& p = passes();
    p.control().setResponseInterval(m_responseIntervalMs);
    p.editor().setCodePage(ChosenCodePage(m_c.cbCodePage));
    pullOutputSettings();

    search::MultipassRules rules = m_c.tbBatch->isChecked()
        ? search::MultipassRules(workFieldsRule(), gridRules())
        : search::MultipassRules(workFieldsRule());
    // A row tried by the run becomes the grid's current row, so the fields show its texts.
    rules.setRowMadeCurrent([this](int row) { setCurrentRuleRow(row + 1); });

    search::ReplaceEverywhere command(
        p.control(), p.fileList(), p.editor(), p.output(), tablePage().compiler(), p.report());
    // A change the directory watcher reported during the run is listed once it has ended.
    command.setAfterLoop([this] { m_panel->consumePendingRefresh(); });
    p.reportView().setReplacedCaption(search::ReplacedColumnCaption(p.output().mode()));
    command.miReplacePassimClick(
        passSelection(), passOptions(), rules, [this] { return ValidateRules(); }, m_c.miReport->isChecked());
    pushOutputSettings();
    showChangedFiles();
}

// ---- Backups ----

void TFormMain::backupCommand(int command)
{
    PassesBinding& p = passes();
    p.control().setResponseInterval(m_responseIntervalMs);
    search::BackupCommands commands(p.control(), p.fileList(), p.backups(), p.editor());
    switch (command) {
    case kRestorePrevious:
        commands.tbRestoreClick(passSelection(), passOptions());
        break;
    case kRestoreFirst:
        commands.tbRestoreAllClick(passSelection(), passOptions());
        break;
    default:
        commands.tbDelAllBackupClick(passSelection(), passOptions());
        break;
    }
    showChangedFiles();
}

void TFormMain::showChangedFiles()
{
    if (passControl().IsBusy())
        return;
    // The focused item's size and date, and the automatic preview of it, show the files as
    // the command left them. Listing again clears the pass panels; the command's outcome
    // stays shown there.
    QLabel* panels[] = { m_c.sbInfoPanel0, m_c.sbInfoPanel1, m_c.sbReportPassPanel0, m_c.sbReportPassPanel1 };
    QString texts[std::size(panels)];
    for (size_t i = 0; i < std::size(panels); ++i)
        texts[i] = panels[i]->text();
    if (m_panel->model().RefreshListing())
        m_panel->sync();
    for (size_t i = 0; i < std::size(panels); ++i)
        panels[i]->setText(texts[i]);
    if (m_c.tbWebBrowser->isChecked())
        tbWebBrowserClick();
}

void TFormMain::miRestoreClick()
{
    backupCommand(kRestorePrevious);
}

void TFormMain::miRestoreAllClick()
{
    backupCommand(kRestoreFirst);
}

void TFormMain::miDelAllBackupClick()
{
    backupCommand(kDeleteBackups);
}

// ---- Converter ----

void TFormMain::miConverterClick()
{
    PassesBinding& p = passes();
    p.control().setResponseInterval(m_responseIntervalMs);
    search::Converter converter(p.control(), p.fileList(), p.backups(), p.editor(), p.converterDialog());
    converter.miConverterClick(passSelection(), passOptions());
    showChangedFiles();
}

// ---- Output modes ----

void TFormMain::pullOutputSettings()
{
    // The settings store is the one copy of the file-split settings and the last collecting
    // file; the label carries the latter as the window restored it.
    m_settings.LabelReplToFile_Caption = FromDisplay(m_c.LabelReplToFile->text());
    search::OutputControl& output = outputControl();
    output.restoreSettings(m_settings);
    output.setPanelDirectory(m_panel->model().currentDirectory());
}

void TFormMain::pushOutputSettings()
{
    search::OutputControl& output = outputControl();
    output.storeSettings(m_settings);
    m_c.LabelReplToFile->setText(ToDisplay(m_settings.LabelReplToFile_Caption));
    m_c.stReplToFile->setText(ToDisplay(app::PathText(output.stReplToFile())));
    m_c.stReplToFile->setToolTip(ToDisplay(output.stReplToFileHint()));
    // The buttons show their menu items' actions: one state for both twins.
    m_c.miReplToFile->setChecked(output.replToFileDown());
    m_c.miFileSplit->setChecked(output.fileSplitDown());
}

void TFormMain::endOneFileMode()
{
    outputControl().loadIntoEditor();
    pushOutputSettings();
}

void TFormMain::tbReplToFileClick()
{
    search::OutputControl& output = outputControl();
    // The action has already flipped; neither mode changes while a pass is busy.
    const bool wanted = m_c.miReplToFile->isChecked();
    if (!passControl().IsBusy() && wanted != output.replToFileDown()) {
        pullOutputSettings();
        output.clickReplToFileButton();
    }
    pushOutputSettings();
}

void TFormMain::tbFileSplitClick()
{
    search::OutputControl& output = outputControl();
    const bool wanted = m_c.miFileSplit->isChecked();
    if (!passControl().IsBusy() && wanted != output.fileSplitDown()) {
        pullOutputSettings();
        output.clickFileSplitButton();
    }
    pushOutputSettings();
}

} // namespace morvane::ui
