// The pass file list and its walk. Tests: tests/search/PassFileListTest.cpp,
// tests/search/WalkOrderTest.cpp.

#include "search/PassFileList.h"

#include "app/Format.h"
#include "app/MessageTable.h"
#include "filepanel/DirectorySearch.h"
#include "filepanel/FileAttributes.h"
#include "filepanel/Mask.h"
#include "search/DirectoryIdentity.h"

#include <algorithm>
#include <set>
#include <string>
#include <unordered_set>

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

constexpr int kMsgScanning = 39;

// One run of the directory walk of BuildFileList.
class FileListWalk {
public:
    FileListWalk(PassControl& control, std::vector<fs::path>& list, const PassOptions& options,
        const PassFileList::AppendListener& onAppend)
        : m_control(control)
        , m_list(list)
        , m_options(options)
        , m_onAppend(onAppend)
        , m_testDuplicates(options.maskText.find(';') != std::string::npos)
        , m_masks(m_testDuplicates ? filepanel::SplitMaskText(options.maskText)
                                   : std::vector<std::string> { options.maskText })
        , m_fileRequest(options.hiddenFiles ? filepanel::kRequestFilesHidden : filepanel::kRequestFiles)
        , m_dirRequest(options.hiddenFiles ? filepanel::kRequestDirsHidden : filepanel::kRequestDirs)
    {
    }

    void walkRoot(const PassRoot& root)
    {
        if (root.directory) {
            walkDirectory(root.path);
            return;
        }
        // A marked pipe or device is skipped as the walk skips them: reading one would wait
        // or never end. A marked file that is gone is listed, so its reading reports it.
        std::error_code ec;
        const fs::file_status status = fs::status(root.path, ec);
        if (fs::exists(status) && !fs::is_regular_file(status))
            return;
        append(root.path, false);
    }

    // Panel 0 := the number of paths so far, then let messages through. The count is formatted
    // only when the messages are let through (or `always`): nothing shows it in between.
    void showCount(bool always = false)
    {
        if (always || m_control.progressDue()) {
            m_control.setStatus(0, app::FormatThousands(static_cast<std::int64_t>(m_list.size())));
            m_shownCount = m_list.size();
        }
        m_control.PumpMessages();
    }

    // The count as the last appended path left it, when that was not shown.
    void showFinalCount()
    {
        if (m_list.size() != m_shownCount)
            showCount(true);
    }

private:
    bool aborted() const { return m_control.AbortRequested(); }

    void append(fs::path path, bool testDuplicate)
    {
        if (testDuplicate && m_seen.contains(path.native()))
            return;
        if (m_testDuplicates)
            m_seen.insert(path.native());
        m_list.push_back(std::move(path));
        if (m_onAppend)
            m_onAppend(m_list.back());
        showCount();
    }

    void walkDirectory(const fs::path& dir)
    {
        if (aborted())
            return;
        const std::optional<DirectoryIdentity> identity = DirectoryIdentity::of(dir);
        if (!identity || !m_entered.insert(*identity).second)
            return;
        // One read serves the subdirectory search and every mask's file search; sizes and
        // times are not needed for the list.
        const std::vector<filepanel::DirEntry> entries = filepanel::ReadDirectoryEntries(dir, true);

        std::vector<fs::path> subdirectories;
        if (m_options.subDirectories) {
            for (const filepanel::DirEntry& entry : entries) {
                if (!filepanel::PassesRequest(entry.attributes, m_dirRequest))
                    continue;
                m_control.PumpMessages();
                if (aborted())
                    break;
                if (entry.isDirectory())
                    subdirectories.push_back(entry.name);
            }
        }

        for (const std::string& mask : m_masks) {
            for (const filepanel::DirEntry& entry : entries) {
                if (!filepanel::PassesFilter(entry, mask, m_fileRequest))
                    continue; // tested in place: a filtered copy per mask would copy every entry
                if (aborted())
                    return;
                append(dir / entry.name, m_testDuplicates);
            }
        }

        for (const fs::path& name : subdirectories) {
            if (aborted())
                return;
            walkDirectory(dir / name);
        }
    }

    PassControl& m_control;
    std::vector<fs::path>& m_list;
    size_t m_shownCount = 0; // the count panel 0 shows
    const PassOptions& m_options;
    const PassFileList::AppendListener& m_onAppend;
    const bool m_testDuplicates;
    const std::vector<std::string> m_masks;
    const unsigned m_fileRequest;
    const unsigned m_dirRequest;
    std::unordered_set<std::string> m_seen;
    std::set<DirectoryIdentity> m_entered;
};

} // namespace

bool PassFileList::BuildFileList(
    const PassSelection& selection, const PassOptions& options, const AppendListener& onAppend)
{
    const unsigned generation = m_generation;
    m_valid = false; // a half-built list is never current
    std::vector<fs::path>& list = changeableList(false);
    list.clear();
    m_control.setStatus(1, " " + app::Msg(kMsgScanning));

    FileListWalk walk(m_control, list, options, onAppend);
    PassRoot root;
    if (selection.MarkedCount() >= 1) {
        for (size_t i = 0; i < selection.items.size(); ++i) {
            if (m_control.AbortRequested())
                break;
            if (selection.items[i].marked && selection.rootOf(static_cast<int>(i), root))
                walk.walkRoot(root);
            walk.showCount(true);
        }
    } else if (selection.focusedIndex >= 0
        && static_cast<size_t>(selection.focusedIndex) < selection.items.size()
        && selection.rootOf(selection.focusedIndex, root)) {
        walk.walkRoot(root);
        walk.showFinalCount();
    }

    const bool complete = !m_control.AbortRequested();
    m_valid = complete && m_generation == generation;
    if (complete && !options.collectingFile.empty())
        removeCollectingFile(options.collectingFile);
    m_currentFileIndex = m_fileList->empty() ? -1 : 0;
    return m_valid;
}

std::vector<fs::path>& PassFileList::changeableList(bool keepPaths)
{
    if (m_fileList.use_count() > 1) {
        m_fileList = keepPaths ? std::make_shared<std::vector<fs::path>>(*m_fileList)
                               : std::make_shared<std::vector<fs::path>>();
    }
    return *m_fileList;
}

void PassFileList::removeCollectingFile(const fs::path& collectingFile)
{
    // The same file, whatever path names it: equal after normalisation, or one file on disk.
    // Names are compared exactly: here two names differing in case are two files.
    std::error_code ec;
    const fs::path target = fs::absolute(collectingFile, ec).lexically_normal();
    fs::file_status targetStatus = fs::status(collectingFile, ec);
    const bool targetExists = fs::exists(targetStatus);
    std::erase_if(changeableList(true), [&](const fs::path& path) {
        if (fs::absolute(path, ec).lexically_normal() == target)
            return true;
        std::error_code equivalentError;
        return targetExists && fs::equivalent(path, collectingFile, equivalentError);
    });
}

bool PassFileList::TakeFileList(
    const PassSelection& selection, const PassOptions& options, const AppendListener& onAppend)
{
    if (m_valid)
        return true;
    if (BuildFileList(selection, options, onAppend))
        return true;
    // A walk overtaken by a change is complete all the same: this command works on it, and
    // the next one walks again. Only the user's abort ends the command.
    if (!m_control.AbortRequested())
        return true;
    m_control.setStatus(0, "");
    m_control.showAbortedStatus();
    m_control.SetBusy(false);
    return false;
}

void PassFileList::invalidate(FileListEvent event)
{
    m_valid = false;
    ++m_generation;
    switch (event) {
    case FileListEvent::SubDirToggled:
        m_control.window().endInteractiveRun();
        if (m_control.IsBusy())
            m_control.SetBusy(false);
        break;
    case FileListEvent::FocusMovedUnmarked:
        if (m_control.IsBusy())
            m_control.SetBusy(false);
        break;
    case FileListEvent::ItemRenamed:
    case FileListEvent::ItemsMovedOrDeleted:
        m_control.window().endInteractiveRun();
        break;
    case FileListEvent::PanelReloaded:
    case FileListEvent::MarkChanged:
    case FileListEvent::ReplaceCommand:
        break;
    }
}

} // namespace morvane::search
