#pragma once
// "List the selected files into the report" (tbAllFiles / miAllFiles): every file of the
// selection becomes a report row, without searching and without touching the pass file list.
// Covered by tests/search/AllFilesPassTest.cpp.
//
// Its walk differs from the pass file list's: with subdirectories on it first gathers the
// root and all its subdirectories in pre-order, then lists the files of each directory of
// that list in turn; with several masks a path is skipped only when an earlier mask already
// listed it in the same directory. Like the file list's walk it never enters a directory
// twice, so a link cycle ends.

#include "search/DirectoryIdentity.h"
#include "search/PassControl.h"
#include "search/PassOptions.h"
#include "search/PassSelection.h"
#include "search/ReportModel.h"

#include <filesystem>
#include <set>
#include <vector>

namespace morvane::search {

class AllFilesPass {
public:
    AllFilesPass(PassControl& control, ReportModel& report) : m_control(control), m_report(report) { }

    // The command. Does nothing while another pass runs or is busy, or when nothing is
    // selected (message 60). Otherwise clears the report, hides both count columns, shows the
    // report page, lists the files with the elapsed time and message 6 as progress, and ends
    // with message 40 when aborted.
    void tbAllFilesClick(const PassSelection& selection, const PassOptions& options);

    // Counters of the last run: directories whose files were listed, and files listed.
    int DirsProcessed() const { return m_dirsProcessed; }
    int FilesFound() const { return m_filesFound; }

private:
    void walkRoot(const PassRoot& root, const PassOptions& options);
    void collectSubdirectories(const std::filesystem::path& dir, const PassOptions& options,
        std::vector<std::filesystem::path>& list);
    void listFiles(const std::filesystem::path& dir, const PassOptions& options);
    void addRow(const std::filesystem::path& path);
    void showProgress();

    PassControl& m_control;
    ReportModel& m_report;
    int m_dirsProcessed = 0;
    int m_filesFound = 0;
    std::set<DirectoryIdentity> m_entered; // directories entered by the running walk
};

} // namespace morvane::search
