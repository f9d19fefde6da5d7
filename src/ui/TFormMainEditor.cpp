// The main window's handlers for the viewer and editor reSource and the interactive replace
// run: loading, saving and saving under a new name, the code page box, the editor's command
// states, the viewer's reload after a rewrite, and the run's start, five answers and stop.
// The work is done by search::WorkTextEditor and search::InteractiveRun; these handlers read
// the widgets, call them and show the result.
// Covered by tests/ui/tst_editor.cpp and tests/ui/tst_interactive.cpp.

#include "ui/TFormMain.h"

#include "app/MessageTable.h"
#include "search/InteractiveRun.h"
#include "search/MultipassRules.h"
#include "search/ReplaceStatus.h"
#include "ui/CodePageBox.h"
#include "ui/EditorDialogs.h"
#include "ui/FilePanelView.h"
#include "ui/InteractiveRunBinder.h"
#include "ui/PassesBinding.h"
#include "ui/QsciInclude.h"
#include "ui/RuleTablePage.h"
#include "ui/SourceEditor.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>

#include <system_error>

namespace morvane::ui {

namespace {

constexpr int kMsgSaveAsTitle = 31;

namespace fs = std::filesystem;

// The comparison of the load command: upper-cased full paths.
std::string UpperPath(const fs::path& path)
{
    std::string text = path.string();
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

} // namespace

// ---- The viewer ----

SourceEditor& TFormMain::sourceEditor()
{
    if (m_sourceEditor == nullptr) {
        m_sourceEditor = new SourceEditor(m_c.reSource, m_c.stSource, this);
        m_sourceEditor->setWordWrap(m_c.tbWordWrap->isChecked());
        connect(m_sourceEditor, &SourceEditor::textEdited, this, &TFormMain::reSourceChange);
        m_sourceEditor->onEditorCommands = [this](bool, bool) { UpdateEditorCommands(); };
        m_sourceEditor->onFileLoaded = [this] { editorFileLoaded(); };
        m_sourceEditor->onRunSaveAs = [this] { saveEditorAs(); };
    }
    return *m_sourceEditor;
}

void TFormMain::setEditorDialogs(EditorDialogs* dialogs)
{
    m_editorDialogs = dialogs;
}

void TFormMain::reSourceChange()
{
    // Colouring changes only styles, which never come here; a pass updates the commands when
    // it leaves the busy state.
    if (!passControl().IsBusy())
        UpdateEditorCommands();
}

void TFormMain::editorFileLoaded()
{
    m_c.PageControlWork->setCurrentWidget(m_c.TabSheetFindReplace);
    if (m_c.tbColour->isChecked())
        ColourEditor();
}

void TFormMain::UpdateEditorCommands()
{
    SourceEditor& editor = sourceEditor();
    const bool save = editor.modified() && !workTextEditor().sourcePath().empty();
    const bool saveAs = !editor.isEmpty();
    const bool load = m_panel->model().focusedIsFile();
    m_c.tbSave->setEnabled(save);
    m_c.miSave->setEnabled(save);
    m_c.tbSaveAs->setEnabled(saveAs);
    m_c.miSaveAs->setEnabled(saveAs);
    m_c.tbLoadFile->setEnabled(load);
    m_c.miLoadFile->setEnabled(load);
    UpdateTagCommands();
}

void TFormMain::ReloadViewer()
{
    workTextEditor().ReloadViewer();
}

// ---- The editor's file commands ----

void TFormMain::miLoadFileClick()
{
    const filepanel::FilePanel& panel = m_panel->model();
    const int focused = panel.focusedIndex();
    if (focused < 0 || !passControl().canStartPass())
        return;
    const filepanel::FileItem& item = panel.items()[static_cast<size_t>(focused)];
    const fs::path path = panel.itemPath(focused);
    workTextEditor().setCodePage(ChosenCodePage(m_c.cbCodePage));
    // The collecting file of the one-file output is closed before it is edited.
    if (!item.isDirectory() && m_c.tbReplToFile->isChecked()
        && UpperPath(outputControl().stReplToFile()) == UpperPath(path))
        m_c.miReplToFile->trigger();
    workTextEditor().tbLoadFileClick(path, item.isDirectory());
}

void TFormMain::miSaveClick()
{
    workTextEditor().setCodePage(ChosenCodePage(m_c.cbCodePage));
    workTextEditor().tbSaveClick(m_c.PageControlWork->currentWidget() == m_c.TabSheetFindReplace);
}

bool TFormMain::saveEditorAs()
{
    search::WorkTextEditor& editor = workTextEditor();
    std::error_code ec;
    const fs::path current = editor.sourcePath();
    const fs::path preset = !current.empty() && fs::exists(current, ec) ? current : fs::path();
    if (m_editorDialogs == nullptr)
        m_editorDialogs = new WidgetEditorDialogs(this);
    if (const std::optional<fs::path> name
        = m_editorDialogs->SaveAsFileName(app::Msg(kMsgSaveAsTitle), preset)) {
        editor.setCodePage(ChosenCodePage(m_c.cbCodePage));
        return editor.SaveEditorAs(*name);
    }
    return true;
}

void TFormMain::miSaveAsClick()
{
    if (passControl().IsBusy())
        return;
    if (m_c.PageControlWork->currentWidget() == m_c.TabSheetFindReplace)
        saveEditorAs();
    // A file written into the panel's directory shows at once.
    if (m_panel->model().refreshPending())
        m_panel->consumePendingRefresh();
    UpdateEditorCommands();
}

void TFormMain::cbCodePageChange()
{
    search::WorkTextEditor& editor = workTextEditor();
    if (!editor.cbCodePageSelect(ChosenCodePage(m_c.cbCodePage))) {
        // Refused while a pass or the colouring runs: the box shows the code page in use.
        const QSignalBlocker blocker(m_c.cbCodePage);
        m_c.cbCodePage->setCurrentIndex(CodePageRowOfValue(static_cast<int>(editor.codePage())));
    }
}

// ---- The interactive replace run ----

InteractiveRunBinder& TFormMain::interactiveRun()
{
    if (m_runBinder == nullptr) {
        InteractiveRunBinder::Parts parts { passControl(), passFileList(), workTextEditor(), sourceEditor(),
            outputControl(), tablePage().compiler(), reportModel() };
        m_runBinder = new InteractiveRunBinder(
            m_c, parts, [this] { UpdatePassCommands(); }, [this] { m_panel->consumePendingRefresh(); }, this);
    }
    return *m_runBinder;
}

void TFormMain::prepareRunCommand()
{
    passControl().setResponseInterval(m_responseIntervalMs);
    workTextEditor().setCodePage(ChosenCodePage(m_c.cbCodePage));
}

void TFormMain::miFindClick()
{
    search::InteractiveRun& run = interactiveRun().run();
    prepareRunCommand();
    pullOutputSettings();
    search::MultipassRules rules = m_c.tbBatch->isChecked()
        ? search::MultipassRules(workFieldsRule(), gridRules())
        : search::MultipassRules(workFieldsRule());
    // A row tried by the run becomes the grid's current row, so the fields show its texts.
    rules.setRowMadeCurrent([this](int row) { setCurrentRuleRow(row + 1); });
    reportView().setReplacedCaption(search::ReplacedColumnCaption(outputControl().mode()));
    run.miFindClick(
        passSelection(), passOptions(), std::move(rules), [this] { return ValidateRules(); },
        m_c.miReport->isChecked());
    pushOutputSettings();
}

void TFormMain::sbYesClick()
{
    prepareRunCommand();
    interactiveRun().run().sbYesClick();
    pushOutputSettings();
}

void TFormMain::sbYesToAllClick()
{
    prepareRunCommand();
    interactiveRun().run().sbYesToAllClick();
    pushOutputSettings();
}

void TFormMain::sbAllClick()
{
    prepareRunCommand();
    interactiveRun().run().sbAllClick();
    pushOutputSettings();
}

void TFormMain::sbIgnoreClick()
{
    prepareRunCommand();
    interactiveRun().run().sbIgnoreClick();
    pushOutputSettings();
}

void TFormMain::sbNoToAllClick()
{
    prepareRunCommand();
    interactiveRun().run().sbNoToAllClick();
    pushOutputSettings();
}

void TFormMain::sbAbortClick()
{
    interactiveRun().run().sbAbortClick();
}

// The menu twins answer as their buttons.
void TFormMain::miReplaceClick()
{
    sbYesClick();
}

void TFormMain::miReplaceInFileClick()
{
    sbYesToAllClick();
}

void TFormMain::miReplaceAllClick()
{
    sbAllClick();
}

void TFormMain::miIgnoreClick()
{
    sbIgnoreClick();
}

void TFormMain::miNextFileClick()
{
    sbNoToAllClick();
}

void TFormMain::DisableConfirmButtons()
{
    interactiveRun().run().DisableConfirmButtons();
}

} // namespace morvane::ui
