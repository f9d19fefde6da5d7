// Listing the selection into the report. Tests: tests/search/AllFilesPassTest.cpp.

#include "search/AllFilesPass.h"

#include "app/Format.h"
#include "app/MessageTable.h"
#include "filepanel/DirectorySearch.h"
#include "filepanel/FileAttributes.h"
#include "filepanel/Mask.h"

#include <string>
#include <unordered_set>

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

constexpr int kMsgDirsAndFiles = 6;

unsigned FileRequest(const PassOptions& options)
{
    return options.hiddenFiles ? filepanel::kRequestFilesHidden : filepanel::kRequestFiles;
}

unsigned DirectoryRequest(const PassOptions& options)
{
    return options.hiddenFiles ? filepanel::kRequestDirsHidden : filepanel::kRequestDirs;
}

} // namespace

void AllFilesPass::tbAllFilesClick(const PassSelection& selection, const PassOptions& options)
{
    if (m_control.passLoopRunning())
        return;
    m_control.setAbortRequested(false);
    if (!m_control.HasSelection(selection) || m_control.IsBusy())
        return;

    PassControl::PassLoop loop(m_control);
    m_entered.clear();

    m_control.SetBusy(true);
    m_control.startTiming();
    m_control.window().endInteractiveRun();
    m_dirsProcessed = 0;
    m_filesFound = 0;
    m_control.setStatus(0, "");
    m_control.setStatus(1, "");
    m_report.clear();
    m_report.hideCountColumn(ReportColumn::Found);
    m_report.hideCountColumn(ReportColumn::Replaced);
    m_report.fitNameColumn();
    m_control.window().showReportPage();

    PassRoot root;
    if (selection.MarkedCount() >= 1) {
        for (size_t i = 0; i < selection.items.size(); ++i) {
            m_control.PumpMessages();
            if (m_control.AbortRequested())
                break;
            if (selection.items[i].marked && selection.rootOf(static_cast<int>(i), root))
                walkRoot(root, options);
        }
    } else if (selection.focusedIndex >= 0
        && static_cast<size_t>(selection.focusedIndex) < selection.items.size()
        && selection.rootOf(selection.focusedIndex, root)) {
        walkRoot(root, options);
    }

    if (m_control.AbortRequested())
        m_control.showAbortedStatus();
    else
        showProgress();
    m_control.SetBusy(false);
    m_entered.clear();
}

void AllFilesPass::walkRoot(const PassRoot& root, const PassOptions& options)
{
    if (!root.directory) {
        addRow(root.path);
        return;
    }
    const std::optional<DirectoryIdentity> identity = DirectoryIdentity::of(root.path);
    if (!identity || !m_entered.insert(*identity).second)
        return;
    std::vector<fs::path> directories { root.path };
    if (options.subDirectories)
        collectSubdirectories(root.path, options, directories);
    for (const fs::path& dir : directories) {
        m_control.PumpMessages();
        if (m_control.AbortRequested())
            return;
        listFiles(dir, options);
    }
}

void AllFilesPass::collectSubdirectories(
    const fs::path& dir, const PassOptions& options, std::vector<fs::path>& list)
{
    if (!m_control.IsBusy())
        return;
    const unsigned request = DirectoryRequest(options);
    for (const filepanel::DirEntry& entry : filepanel::ReadDirectoryEntries(dir)) {
        if (!filepanel::PassesRequest(entry.attributes, request))
            continue;
        m_control.PumpMessages();
        if (m_control.AbortRequested())
            return;
        if (!entry.isDirectory())
            continue;
        const fs::path subdirectory = dir / entry.name;
        const std::optional<DirectoryIdentity> identity = DirectoryIdentity::of(subdirectory);
        if (!identity || !m_entered.insert(*identity).second)
            continue;
        list.push_back(subdirectory);
        collectSubdirectories(subdirectory, options, list);
    }
}

void AllFilesPass::listFiles(const fs::path& dir, const PassOptions& options)
{
    if (m_control.AbortRequested())
        return;
    const bool testDuplicates = options.maskText.find(';') != std::string::npos;
    const std::vector<filepanel::DirEntry> entries = filepanel::ReadDirectoryEntries(dir);
    const unsigned request = FileRequest(options);
    std::unordered_set<std::string> listed; // names listed in this directory
    for (const std::string& mask : filepanel::SplitMaskText(options.maskText)) {
        for (const filepanel::DirEntry& entry : filepanel::FilterEntries(entries, mask, request)) {
            if (m_control.AbortRequested())
                return;
            if (testDuplicates && !listed.insert(entry.name.native()).second)
                continue;
            addRow(dir / entry.name);
        }
    }
    ++m_dirsProcessed;
}

void AllFilesPass::addRow(const fs::path& path)
{
    m_report.addRow(ReportRow { path, std::nullopt, std::nullopt });
    ++m_filesFound;
    showProgress();
}

void AllFilesPass::showProgress()
{
    m_control.setStatus(0, m_control.elapsedText());
    m_control.setStatus(1,
        " " + app::FillMessage(app::Msg(kMsgDirsAndFiles), { m_dirsProcessed, m_filesFound }));
    m_control.PumpMessages();
}

} // namespace morvane::search
