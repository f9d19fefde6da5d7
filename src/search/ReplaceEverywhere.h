#pragma once
// "Заменить везде" (miReplacePassim, sbReplacePassim): every match of every file of the pass
// file list replaced without asking, by the edit fields' rule or, in multipass mode, by every
// row of the rule table in turn. Covered by tests/search/ReplaceEverywhereTest.cpp.
//
// Each file with a match is replaced by ReplaceStreamed. In place, its new content is written
// through the working text's writer: converted to the chosen code page and put over the file
// crash-safely, the backup copy made on the way when backups are on (Backups::RewriteFile). A
// file without a match is neither written nor reported. In the output modes the sources stay
// untouched.
//
// Failures: a file that cannot be read is reported by the loading and skipped; an engine error
// on a file is reported and the file is left as it was; a file that cannot be written (in
// place or an output file) is reported with the "Cannot create file" text and ends the
// command, leaving the file and its backups as they were.
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
};

} // namespace morvane::search
