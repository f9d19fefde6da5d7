#pragma once
// One batch command of morvane-cli from start to exit status: the core objects the desktop
// program's main window owns (engine, rule compiler, pass controls, pass file list, working
// text, backups, output modes, report), put together with the terminal's implementations of
// their interfaces and set from the options; the command driven through the core; then the
// report rows, the final status line and the summary printed.
// Covered by tests/cli/BatchCliTest.cpp, BatchOutputCliTest.cpp, BatchBackupCliTest.cpp and
// BatchInteractiveCliTest.cpp.
//
// Output on standard output: one row per report row, "PATH<TAB>FOUND<TAB>REPLACED" (a count
// the command does not fill is empty; a file left as it was for a reason adds "<TAB>REASON"),
// then the status line the command left in the status bar's progress panel, then the lines of
// its summary box; texts in UTF-8. Errors go to standard error as they happen, a file that
// failed as "PATH: REASON". A PATH that is a named pipe or a device is refused at the start.
// Exit status: 130 when Ctrl+C stopped the run (message 40 on standard error unless the status
// line shows it), else 2 when an error was shown, a file failed or the rules were refused, else
// 0 when something was found, listed, changed, saved, restored, deleted or converted, else 1.

#include "cli/BatchConverterDialog.h"
#include "cli/BatchOptions.h"
#include "cli/BatchOutputDialogs.h"
#include "cli/BatchRuleHost.h"
#include "cli/BatchTerminal.h"
#include "cli/BatchViewer.h"

#include "regex/TRegex.h"
#include "rules/RuleCompiler.h"
#include "rules/RuleTableModel.h"
#include "search/Backups.h"
#include "search/MultipassRules.h"
#include "search/OutputControl.h"
#include "search/PassControl.h"
#include "search/PassFileList.h"
#include "search/PassOptions.h"
#include "search/PassSelection.h"
#include "search/ReplaceCounters.h"
#include "search/ReportModel.h"
#include "search/SearchPass.h"
#include "search/SystemPassClock.h"
#include "search/WorkTextEditor.h"

namespace morvane::cli {

class BatchSession {
public:
    explicit BatchSession(const BatchOptions& options);
    BatchSession(const BatchSession&) = delete;
    BatchSession& operator=(const BatchSession&) = delete;

    // Runs the command and prints its results; returns the exit status.
    int run();

private:
    // The global modifiers and replace mode as the options set them, over the start-up state.
    void setUpCompiler();
    // Loads the --table file into the rule table; false (reported) when it cannot be read.
    bool loadTable();
    // The rule checks before a run (every row in multipass mode); a failure is reported as one
    // line naming the rule, the field and the position.
    bool validateRules();
    search::SearchRules searchRules() const;
    search::MultipassRules replaceRules() const;
    // Switches on the output mode the options ask for; false (reported) when it cannot be.
    bool setUpOutput();

    // The commands; each returns whether something was found or changed.
    bool runSearch(bool found);
    bool runAllFiles();
    bool runReplace();
    bool runBackupCommand();
    bool runConvert();
    // Whether a replace run wrote a replacement anywhere: into an output file, or into a
    // source it finished.
    bool somethingWritten(const search::ReplaceCounters& counters) const;

    // Where the pass stands, for the terminal's progress line: the file last loaded, its
    // place in the list and the bytes of the files before it. None outside a walk of the list.
    std::optional<BatchProgress> progress();

    void printResults() const;

    const BatchOptions& m_options;
    BatchTerminal m_terminal;
    search::SystemPassClock m_clock;
    search::PassControl m_control;
    search::PassFileList m_files;
    search::Backups m_backups;
    BatchViewer m_viewer;
    search::WorkTextEditor m_editor;
    regex::TRegex m_engine;
    rules::RuleCompiler m_compiler;
    BatchRuleHost m_ruleHost;
    rules::RuleTableModel m_table;
    search::ReportModel m_report;
    BatchOutputDialogs m_outputDialogs;
    search::OutputControl m_output;
    BatchConverterDialog m_converterDialog;
    search::PassSelection m_selection;
    search::PassOptions m_passOptions;
    bool m_rulesRefused = false;
    // PATHs that are neither files nor directories (pipes, devices), refused at the start.
    std::vector<std::filesystem::path> m_refusedPaths;
    // The search pass while it runs: with several jobs it, not the working text, knows the file.
    search::SearchPass* m_searchPass = nullptr;
    size_t m_progressIndex = 0; // files of the list whose bytes are counted
    std::int64_t m_progressBytes = 0;
};

} // namespace morvane::cli
