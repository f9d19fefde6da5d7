#pragma once
// The interactive replace run ("Поиск", miFind / sbFind): the pass file list walked file by
// file and match by match, each match selected in the viewer with its proposed replacement in
// the preview memo, and the run waiting for the user's answer. It is not a loop that blocks:
// miFindClick finds the first match and returns with the confirmation controls enabled; each
// answer handler carries out one command, moves on to the next match or file, and returns.
// Between answers the user may edit the viewer and the preview; the continuation point check
// notices edits of the viewer and searches its current text from then on.
//
// Positions: the engine searches a copy of the working text taken when a file or a rule starts
// (1-based positions); the viewer shows the text with the replacements made so far (0-based).
// viewer position = engine position - 1 + OffsetShift, where every replacement in the viewer
// adds its change of length to OffsetShift.
//
// A changed file is written back when the run leaves it, through the editor's save, which puts
// the new content over the file crash-safely and makes the backup copy on the way when backups
// are on. A write that fails is shown with the file's path and ends the run: the file and its
// copies stay as they were and the viewer keeps the changed text, so nothing is lost. In the
// output modes every replacement goes to the collecting file or to a file of its own, and the
// sources are never written. Stopping (sbAbort, Esc) leaves the current file unwritten and the
// viewer modified; the next start offers to save it.
//
// The colouring set-up mode runs over the viewer's sample text with the actions of
// InteractiveRunColourSetup instead of replacing (see setColourSetup).
//
// Covered by tests/search/InteractiveRunTest.cpp, InteractiveRunFilesTest.cpp and
// InteractiveRunColourSetupTest.cpp.

#include "rules/RuleCompiler.h"
#include "search/ConfirmControls.h"
#include "search/InteractiveRunColourSetup.h"
#include "search/MultipassRules.h"
#include "search/OutputControl.h"
#include "search/OutputTarget.h"
#include "search/PassControl.h"
#include "search/PassFileList.h"
#include "search/PassOptions.h"
#include "search/PassSelection.h"
#include "search/ReplaceCounters.h"
#include "search/ReportModel.h"
#include "search/Viewer.h"
#include "search/WorkTextEditor.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace morvane::search {

class InteractiveRun {
public:
    // Every collaborator must outlive the run. `viewer` is the editor's viewer (reSource).
    InteractiveRun(PassControl& control, PassFileList& fileList, WorkTextEditor& editor, Viewer& viewer,
        OutputControl& output, rules::RuleCompiler& compiler, ReportModel& report, ConfirmControls& controls);

    // ---- Commands ----

    // Start. Does nothing while another pass runs or is busy, when nothing is selected
    // (message 60; not asked in colouring set-up mode), or when `validateRules` (the rule
    // checks, which report their own failure) returns false. Offers to save a modified viewer,
    // takes the file list by the reuse rule and stops at the first match of the first file
    // that has one. No match anywhere: the summary box (colouring set-up: message 41).
    // `rules` are the edit fields' rule or, in multipass mode, the rule table's rows; the run
    // keeps them until the next start. `showReport` is "Выводить отчет" (miReport).
    void miFindClick(const PassSelection& selection, PassOptions options, MultipassRules rules,
        const std::function<bool()>& validateRules, bool showReport);

    // The answers. Each does nothing unless the run is waiting, or while a pass is busy. The
    // menu twins (miReplace, miIgnore, miReplaceInFile, miNextFile, miReplaceAll) call the
    // handler of their button.
    void sbYesClick(); // replace this match with the preview, go to the next match
    void sbIgnoreClick(); // skip this match
    void sbYesToAllClick(); // replace the rest of this file (colouring set-up: then end)
    void sbNoToAllClick(); // skip the rest of this file
    void sbAllClick(); // replace everything left in every file
    // Stop: the run ends where it is; the current file is neither written nor reported.
    void sbAbortClick();
    // Esc (miAbort) once the window has found no preview to close and no rename to cancel:
    // ends a waiting run as sbAbort does, requests an abort and leaves the busy state.
    void miAbortClick();

    // Whether the run waits for an answer (sbYes is enabled).
    bool waiting() const;
    // Ends a waiting run (another command starts, a rule field changed, the panel changed...):
    // DisableConfirmButtons when sbYes is enabled. This is what PassWindow::endInteractiveRun
    // of the desktop program calls.
    void EndRun();

    // "Выводить отчет" changed while the run goes on.
    void setShowReport(bool on) { m_showReport = on; }

    // Colouring set-up mode: on while `setup` is not null. Then the run works on the viewer's
    // sample text (the editor's working text) instead of files, selects group 1 of each match,
    // previews and "replaces" through `setup`, and never writes anything.
    void setColourSetup(InteractiveRunColourSetup* setup) { m_colourSetup = setup; }
    bool colourSetup() const { return m_colourSetup != nullptr; }

    // ---- State ----

    const ReplaceCounters& counters() const { return m_counters; }
    // viewer position (0-based) = engine position (1-based) - 1 + OffsetShift.
    int OffsetShift() const { return m_offsetShift; }
    // Set by the first in-place replacement of the current file; the file is written back when
    // the run leaves it.
    bool CurrentFileChanged() const { return m_currentFileChanged; }
    // The rules of the run; the current row in multipass mode.
    const MultipassRules& rules() const { return m_rules; }
    // The caption of the report's second count column as the last start set it.
    const std::string& replacedCaption() const { return m_replacedCaption; }
    // While the run waits at a match: the file-split output name that replacing it would write.
    // OutputControl shows it when file-split mode is switched on during the wait.
    std::optional<std::filesystem::path> waitingOutputName() const;

    // ---- Steps (shared with the commands above; each returns at once once an abort was
    // requested) ----

    // Loads `path` into the working text and searches it with the run's rules from position 1.
    // False for the collecting output file, an unreadable file (its message is shown) or no
    // match.
    bool FindFirstMatchInFile(const std::filesystem::path& path);
    // Selects the engine's current match in the viewer and fills the preview. On failure (the
    // viewer cannot select exactly the match): messages 57 to 59, and the run ends.
    bool SelectMatch();
    // The replacement of the engine's current match by the current rule's replace mode.
    std::string ComputeReplacement();
    // Replaces the viewer's selection with the preview (or hands it to the output).
    void ReplaceCurrent();
    // Searches on from the continuation point, then the following rules; selects what it finds
    // or finishes the file.
    void FindNextMatch();

    // Who asks NextRule to settle the working text first.
    enum class NextRuleCaller { FindNextMatch, ReplaceAllInFile };
    // Multipass: the rows after the current one on the current text; true at the first that
    // matches from position 1 (it is then current). False at once with multipass off.
    bool NextRule(NextRuleCaller caller);
    // Replaces the current match with the preview and every further match of the file (and of
    // the following rules) with its computed replacement.
    void ReplaceAllInFile();
    // Reports and writes back the current file, then finds the next file with a match and stops
    // there (true). At the end of the list, or when the write back failed, the run ends (false).
    bool FinishFileAndAdvance();

    // The eleven controls: the seven of the current file always, the four that reach other
    // files only with at least two files in the list and colouring set-up mode off; then
    // UpdatePassCommands.
    void EnableConfirmButtons();
    // All eleven off; then UpdatePassCommands. The run has ended.
    void DisableConfirmButtons();
    // Panel 0: elapsed time; panel 1: the run's progress line; then the message pump.
    void ShowRunStatus();
    // The summary box of the run's counters.
    void ShowRunSummary();
    // Clears the report, shows both count columns and sets the second one's caption.
    void PrepareReplaceReport();

private:
    // The common frame of the five answers; `replacing` for the answers that may change files.
    void answer(bool replacing, const std::function<void()>& command);
    // Opens the file of a found first match for confirmation; false when SelectMatch failed.
    bool openFileForConfirmation();
    // Remembers the engine's current match (group 0) for the continuation point.
    void takeMatch();
    // The continuation point after the current match, re-synchronised with the viewer when the
    // user has edited it or moved the selection.
    int continuationPoint();
    // Searches from `position` of the engine's subject; false beyond its end.
    bool searchFrom(int position);
    // One match replaced without the viewer (plain text): into the working text or the output.
    void replaceDirect();
    // Hands `text` to the output modes; false (the run ends) when the output cannot be written.
    bool writeOutput(const std::string& text);
    void countReplacement();
    void endWithError(const std::string& message);
    OutputMode mode() const { return m_target.mode; }
    int fileCount() const;
    templ::RunCounters runCounters() const { return m_counters.runCounters(); }

    PassControl& m_control;
    PassFileList& m_fileList;
    WorkTextEditor& m_editor;
    Viewer& m_viewer;
    OutputControl& m_output;
    rules::RuleCompiler& m_compiler;
    ReportModel& m_report;
    ConfirmControls& m_controls;
    InteractiveRunColourSetup* m_colourSetup = nullptr;

    MultipassRules m_rules { rules::Rule {} };
    OutputTarget m_target;
    ReplaceCounters m_counters;
    std::string m_replacedCaption;
    bool m_showReport = false;
    int m_offsetShift = 0;
    bool m_currentFileChanged = false;
    bool m_failed = false; // an output or write-back failure ended the run
    std::filesystem::path m_currentFile; // the file the run is at (CurrentFilePath)
    int m_matchStart = 0; // the current match in the engine's subject: 1-based start
    int m_matchLength = 0; // and length (group 0)
};

} // namespace morvane::search
