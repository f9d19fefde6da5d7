// The interactive replace run: start, the answers and their common frame, the confirmation
// controls and the run's texts. The steps between answers are in InteractiveRunSteps.cpp.
// Tests: tests/search/InteractiveRunTest.cpp, InteractiveRunFilesTest.cpp,
// InteractiveRunColourSetupTest.cpp.

#include "search/InteractiveRun.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "search/OutputName.h"
#include "search/ReplaceStatus.h"

#include <exception>

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

constexpr int kMsgNothingFound = 41;

} // namespace

InteractiveRun::InteractiveRun(PassControl& control, PassFileList& fileList, WorkTextEditor& editor,
    Viewer& viewer, OutputControl& output, rules::RuleCompiler& compiler, ReportModel& report,
    ConfirmControls& controls)
    : m_control(control)
    , m_fileList(fileList)
    , m_editor(editor)
    , m_viewer(viewer)
    , m_output(output)
    , m_compiler(compiler)
    , m_report(report)
    , m_controls(controls)
{
}

void InteractiveRun::miFindClick(const PassSelection& selection, PassOptions options, MultipassRules rules,
    const std::function<bool()>& validateRules, bool showReport)
{
    m_control.setAbortRequested(false);
    if (!colourSetup() && !m_control.HasSelection(selection))
        return;
    if (!m_control.canStartPass() || !validateRules())
        return;
    PassControl::PassLoop loop(m_control);

    m_control.SetBusy(true);
    // The run stays busy until the command has finished, also while the first match's file is
    // opened and coloured, so that nothing can load another text under it.
    struct LeaveBusy {
        PassControl& control;
        ~LeaveBusy()
        {
            if (control.IsBusy())
                control.SetBusy(false);
        }
    } leaveBusy { m_control };
    m_editor.AskSaveEditor();
    m_control.startTiming();
    m_controls.showWorkPage();
    m_rules = std::move(rules);
    m_rules.startRun(m_compiler);
    m_offsetShift = 0;
    m_counters = {};
    m_control.setStatus(0, "");
    m_control.setStatus(1, "");
    m_currentFileChanged = false;
    m_failed = false;
    m_showReport = showReport;
    m_target = m_output.target(m_editor.targetCodePage());
    PrepareReplaceReport();

    try {
        if (colourSetup()) {
            // The sample file the set-up mode has put into the viewer is the only text searched.
            m_currentFile = m_editor.CurrentFilePath();
            m_compiler.engine().SetInputString(m_editor.workText());
            const bool found = m_rules.findFirst(m_compiler);
            m_control.SetBusy(false);
            if (!found) {
                m_control.dialogs().showMessage(app::Msg(kMsgNothingFound));
                return;
            }
            takeMatch();
            if (SelectMatch()) {
                m_counters.FilesFound = m_counters.MatchesInFile = m_counters.MatchesTotal = 1;
                EnableConfirmButtons();
                ShowRunStatus();
            }
            return;
        }

        options.collectingFile = m_output.collectingFilePath();
        if (!m_fileList.TakeFileList(selection, options))
            return;
        const int count = fileCount();
        for (int i = 0; i < count; ++i) {
            ++m_counters.FilesProcessed;
            m_fileList.setCurrentFileIndex(i);
            ShowRunStatus();
            if (m_control.AbortRequested())
                break;
            const fs::path path = m_fileList.FileList()[static_cast<size_t>(i)];
            if (FindFirstMatchInFile(path)) {
                openFileForConfirmation();
                return;
            }
        }
        if (waiting())
            DisableConfirmButtons();
        ShowRunSummary();
    } catch (const std::exception& e) {
        // Whatever fails inside the run ends it here; the viewer keeps what it holds.
        endWithError(app::PathText(m_currentFile) + ": " + e.what());
    }
}

void InteractiveRun::answer(bool replacing, const std::function<void()>& command)
{
    if (!waiting() || !m_control.canStartPass())
        return;
    PassControl::PassLoop loop(m_control);
    m_control.SetBusy(true);
    m_control.startTiming();
    m_controls.showWorkPage();
    // An output mode switched on or off while the run waited applies from this answer on.
    m_target = m_output.target(m_editor.targetCodePage());
    try {
        command();
    } catch (const std::exception& e) {
        // The rules were checked at the start; what the engine refuses now, or any other
        // failure, ends the run, and the current file stays in the viewer unwritten.
        endWithError(app::PathText(m_currentFile) + ": " + e.what());
    }
    if (m_control.IsBusy())
        m_control.SetBusy(false);
    if (replacing) {
        m_controls.reloadPanelIfChanged();
        // Files rewritten in place may now fall out of the masks' reach, or new backup copies
        // may have appeared beside them: the next command walks the disk again. The output
        // modes change no source, so the list stays current for them.
        if (mode() == OutputMode::InPlace)
            m_fileList.invalidate(FileListEvent::ReplaceCommand);
    }
    ShowRunStatus();
}

void InteractiveRun::sbYesClick()
{
    answer(true, [this] {
        ReplaceCurrent();
        if (!m_failed)
            FindNextMatch();
    });
}

void InteractiveRun::sbIgnoreClick()
{
    answer(false, [this] { FindNextMatch(); });
}

void InteractiveRun::sbYesToAllClick()
{
    answer(true, [this] {
        ReplaceAllInFile();
        if (colourSetup()) {
            DisableConfirmButtons();
            return;
        }
        // A run that ended inside the file (abort, a failed output or selection) leaves it in
        // the viewer unwritten.
        if (waiting())
            FinishFileAndAdvance();
    });
}

void InteractiveRun::sbNoToAllClick()
{
    answer(false, [this] { FinishFileAndAdvance(); });
}

void InteractiveRun::sbAllClick()
{
    answer(true, [this] {
        do {
            ReplaceAllInFile();
            if (!waiting())
                break;
        } while (FinishFileAndAdvance());
    });
}

void InteractiveRun::sbAbortClick()
{
    if (waiting())
        DisableConfirmButtons();
}

void InteractiveRun::miAbortClick()
{
    EndRun();
    m_control.miAbortClick();
}

bool InteractiveRun::waiting() const
{
    return m_controls.isEnabled(ConfirmControl::sbYes);
}

void InteractiveRun::EndRun()
{
    if (waiting())
        DisableConfirmButtons();
}

std::optional<fs::path> InteractiveRun::waitingOutputName() const
{
    if (!waiting() || colourSetup())
        return std::nullopt;
    return OutputName(m_output.splitSettings(), m_currentFile, runCounters());
}

void InteractiveRun::EnableConfirmButtons()
{
    const bool manyFiles = fileCount() >= 2 && !colourSetup();
    for (ConfirmControl control : kAllConfirmControls)
        m_controls.setEnabled(control, manyFiles || !ReachesOtherFiles(control));
    m_controls.UpdatePassCommands();
}

void InteractiveRun::DisableConfirmButtons()
{
    for (ConfirmControl control : kAllConfirmControls)
        m_controls.setEnabled(control, false);
    m_controls.UpdatePassCommands();
}

void InteractiveRun::ShowRunStatus()
{
    search::ShowRunStatus(m_control, m_counters, mode(), fileCount(), colourSetup());
}

void InteractiveRun::ShowRunSummary()
{
    if (mode() == OutputMode::FileSplit)
        m_output.setStReplToFile({});
    m_control.dialogs().showMessage(RunSummaryText(m_counters, mode(), fileCount()));
}

void InteractiveRun::PrepareReplaceReport()
{
    m_report.clear();
    m_report.showCountColumn(ReportColumn::Found);
    m_report.showCountColumn(ReportColumn::Replaced);
    m_report.fitNameColumn();
    m_replacedCaption = ReplacedColumnCaption(mode());
}

int InteractiveRun::fileCount() const
{
    return static_cast<int>(m_fileList.FileList().size());
}

void InteractiveRun::endWithError(const std::string& message)
{
    m_failed = true;
    m_control.dialogs().showMessage(message);
    if (waiting())
        DisableConfirmButtons();
    if (m_control.IsBusy())
        m_control.SetBusy(false);
}

} // namespace morvane::search
