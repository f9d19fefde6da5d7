#pragma once
// "Заменить везде" (miReplacePassim, sbReplacePassim): every match of every file of the pass
// file list replaced without asking, by the edit fields' rule or, in multipass mode, by every
// row of the rule table in turn. Covered by tests/search/ReplaceEverywhereTest.cpp.
//
// Each file with a match is replaced by ReplaceStreamed. In place, its new content is written
// through the working text's writer: converted to the chosen code page and put over the file
// crash-safely, the backup copy made on the way when backups are on (Backups::RewriteFile). A
// file without a match is neither written nor reported. In the output modes the sources stay
// untouched. In place, the files of one directory are written as batches (Backups::stageRewrite):
// a file's report row, and the rows after it, wait until its batch is committed, so a failure
// found then is reported and counted exactly as one found at once.
//
// Failures: a file that cannot be read is reported by the loading and skipped. A file that
// cannot be written (in place or its output file), one the engine cannot search to the end
// (its backtracking or stack limit), and in place a link that leads out of the selection
// (SelectionBounds), or whose directory another run of the program holds (DirectoryLock.h),
// are left as they were, with their backups: each gets a report row whose
// note says why (even with the report off), the front end hears of it, the run goes on, and
// the summary counts only what was written and says how many files failed. Any other engine
// error is shown with the file's path and the file is skipped.
//
// Abort: the engine's abort check is on while the run lasts, so the user's abort also stops a
// long search inside one file; that file is then left as it was.
//
// Files named ".RTF" are plain files here when the viewer cannot show rich text. With a viewer
// that can, they are left untouched for now: replacing them needs the match-by-match route
// through the viewer, which keeps their formatting.

#include "rules/RuleCompiler.h"
#include "search/MultipassRules.h"
#include "search/OutputControl.h"
#include "search/PassControl.h"
#include "search/PassFileList.h"
#include "search/PassOptions.h"
#include "search/PassSelection.h"
#include "search/ReplaceCounters.h"
#include "search/ReportModel.h"
#include "search/WorkTextEditor.h"

#include <functional>
#include <string>

namespace morvane::search {

class ReplaceEverywhere {
public:
    // Every collaborator must outlive the command.
    ReplaceEverywhere(PassControl& control, PassFileList& fileList, WorkTextEditor& editor,
        OutputControl& output, rules::RuleCompiler& compiler, ReportModel& report);

    // The command. Does nothing while another pass runs or is busy, when nothing is selected
    // (message 60), or when `validateRules` (the rule checks, which report their failure)
    // returns false. `showReport` is "Выводить отчет": rows for the files with matches, and
    // the report page shown at the start and, when it has rows, at the end. The run ends with
    // the status line and the summary box.
    void miReplacePassimClick(const PassSelection& selection, PassOptions options, MultipassRules& rules,
        const std::function<bool()>& validateRules, bool showReport);

    // The counters of the last run.
    const ReplaceCounters& counters() const { return m_counters; }
    // The caption of the report's second count column as the last run set it ("Заменено" or
    // "Сохранено").
    const std::string& replacedCaption() const { return m_replacedCaption; }

    // Called after the loop, once the busy state is left, so the panel can reload its listing
    // when the directory watcher reported a change.
    void setAfterLoop(std::function<void()> handler) { m_afterLoop = std::move(handler); }

private:
    bool FindFirstMatchInFile(const std::filesystem::path& path, MultipassRules& rules);
    // A row for a file the run left as it was, with `reason` as its note; also shown to the
    // front end as a file failure.
    void addFailureRow(const std::filesystem::path& path, const std::string& reason);
    // Adds a report row, or queues it behind the staged files that precede it.
    void addRow(ReportRow row);
    // Completes the staged rewrites, then adds the queued rows in list order: a staged file
    // that failed gets its failure row and leaves the counts as a failed write does.
    void commitBatch();
    void PrepareReplaceReport(OutputMode mode);
    void showStatus(OutputMode mode);

    PassControl& m_control;
    PassFileList& m_fileList;
    WorkTextEditor& m_editor;
    OutputControl& m_output;
    rules::RuleCompiler& m_compiler;
    ReportModel& m_report;
    ReplaceCounters m_counters;
    std::string m_replacedCaption;
    std::function<void()> m_afterLoop;

    // A row waiting for the batch: a finished one, a failure not yet told to the front end,
    // or the row of a staged file, which its batch may still turn into a failure.
    struct PendingRow {
        enum Kind { Done, Failure, Staged };
        ReportRow row;
        Kind kind = Done;
    };
    std::vector<PendingRow> m_pending;
    bool m_showReport = false;
};

} // namespace morvane::search
