#pragma once
// The two report passes: list the files in which the search finds a match (tbFindFiles) or
// those in which it finds none (tbNotFindFiles), with the number of matches per file in the
// report's "Найдено" column. Nothing is changed on disk. Covered by
// tests/search/SearchPassTest.cpp.
//
// A file that cannot be read is reported in a message box and the pass goes on: the found pass
// does not list it, the not-found pass does (with 0). A file the engine cannot search to the
// end (its backtracking or stack limit) gets a row without counts whose note is the engine's
// error, the front end hears of it, the pass goes on, and the progress text ends with the
// number of such files. An expression the engine refuses ends the pass with the engine's
// message, keeping the rows written so far and the progress, and leaves the busy state. The
// engine's abort check is on while the pass runs, so an abort stops even one long search.
//
// Multipass, not-found: every row is applied in order (its remark's modifiers carry over to the
// next row as in any multipass run); rows with an empty find text are not searched. The file is
// listed when at least one row has a find text and none of those rows matches, which makes the
// pass the exact complement of the found pass over the readable files. A file whose rows were
// cut short by an abort is not listed, since its verdict is unknown.
//
// With more than one job (setJobs) the files are read and searched on worker threads
// (SearchWorkers) while this thread takes their verdicts in list order and does with each what
// the single-job loop does, so rows, counts, messages and the final status are those of one job.
// The working text is then not loaded for files the workers handled. The workers start with the
// walk of the file list: each path is theirs as soon as it is listed.

#include "regex/TRegex.h"
#include "rules/Rule.h"
#include "rules/RuleCompiler.h"
#include "search/PassControl.h"
#include "search/PassFileList.h"
#include "search/PassOptions.h"
#include "search/PassSelection.h"
#include "search/ReportModel.h"
#include "search/WorkTextEditor.h"

#include <filesystem>
#include <vector>

namespace morvane::search {

struct FileVerdict;
class SearchWorkers;

// Matches of a lone literal counted in one go (TRegex::CountNextLiteralMatches) between two
// looks at whether the pass stops or its progress is due, on the pass thread and the workers.
inline constexpr int kLiteralCountBatch = 4096;

// The rules a search pass runs: the edit fields (cbFind, cbRemark) or, in multipass mode
// (tbBatch down), the data rows of the rule table in order.
struct SearchRules {
    rules::Rule fields;
    bool multipass = false;
    std::vector<rules::Rule> rows;
};

class SearchPass {
public:
    // Every collaborator must outlive the pass. The compiler's engine is the search engine.
    SearchPass(PassControl& control, PassFileList& files, ReportModel& report, WorkTextEditor& editor,
        rules::RuleCompiler& compiler);

    // The found pass (miFindFilesClick) and the not-found pass (miNotFindFilesClick).
    void miFindFilesClick(
        const PassSelection& selection, const PassOptions& options, const SearchRules& rules);
    void miNotFindFilesClick(
        const PassSelection& selection, const PassOptions& options, const SearchRules& rules);

    // The per-file tests: load `path` into the working text and run the rules over it. The
    // found variant counts the matches and returns whether any rule matched; the not-found
    // variant returns whether the file is to be listed. Engine errors propagate as ERegex.
    bool TestFileFound(const std::filesystem::path& path, const SearchRules& rules);
    bool TestFileNotFound(const std::filesystem::path& path, const SearchRules& rules);

    // How many threads search the files (1, the default: this thread alone).
    void setJobs(int jobs) { m_jobs = jobs; }
    // The file the pass is at: the one last loaded, or last taken from the workers.
    const std::filesystem::path& CurrentFile() const
    {
        return m_currentFile.empty() ? m_editor.CurrentFilePath() : m_currentFile;
    }

    // Counters of the last pass (reset at its start).
    int FilesProcessed() const { return m_filesProcessed; }
    int FilesFound() const { return m_filesFound; }
    int MatchesInFile() const { return m_matchesInFile; }
    int MatchesTotal() const { return m_matchesTotal; }
    int FilesNotSearched() const { return m_filesNotSearched; }

private:
    void run(
        const PassSelection& selection, const PassOptions& options, const SearchRules& rules, bool found);
    // The loop over the list on this thread alone, or with the verdicts of worker threads.
    void searchList(const std::vector<std::filesystem::path>& list, const SearchRules& rules, bool found);
    // `workers` hold `list`, every path added.
    void searchListInParallel(const std::vector<std::filesystem::path>& list, const SearchRules& rules, bool found,
        SearchWorkers& workers);
    // One file as the single-job loop takes it, tested here or (`verdict`) by a worker whose
    // verdict started from this engine's state. False when the pass is aborted; a refused rule
    // raises the engine's error.
    bool takeFile(const std::filesystem::path& path, const SearchRules& rules, bool found,
        const FileVerdict* verdict);
    // What testing the file here would have done to the engine and the counters; the file's
    // verdict (found or to be listed). A search limit raises the worker's error.
    bool acceptVerdict(const FileVerdict& verdict, const SearchRules& rules, bool found);
    // Applies a remark; a refused one raises the engine's error so that it ends the pass.
    void applyRemark(const std::string& remark);
    // Counts the match the engine holds and every further one.
    void countMatches();
    // Show the counts when the window is next let through (or always, for the final counts).
    void showFoundProgress(bool final = false);
    void showNotFoundProgress(bool final = false);
    bool searchWorkText(regex::TRegex& engine);
    // Two blanks and message 381 when files could not be searched, else nothing.
    std::string notSearchedText() const;

    PassControl& m_control;
    PassFileList& m_files;
    ReportModel& m_report;
    WorkTextEditor& m_editor;
    rules::RuleCompiler& m_compiler;
    int m_jobs = 1;
    std::filesystem::path m_currentFile; // set by the parallel loop only
    int m_listSize = 0;
    int m_filesProcessed = 0;
    int m_filesFound = 0;
    int m_matchesInFile = 0;
    int m_matchesTotal = 0;
    int m_filesNotSearched = 0;
};

} // namespace morvane::search
