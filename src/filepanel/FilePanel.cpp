// The file panel model: listing, sorting, navigation, directory size and the status texts.
// The marks, the mask box and renaming live in FilePanelMarks.cpp. Covered by
// tests/filepanel/FilePanelTest.cpp and FilePanelNavigationTest.cpp.

#include "filepanel/FilePanel.h"

#include "app/FileError.h"
#include "app/Format.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "filepanel/CaseFold.h"
#include "filepanel/DirectorySearch.h"
#include "filepanel/DosDateTime.h"
#include "filepanel/Mask.h"
#include "filepanel/TDirChangeNotifier.h"

#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>
#include <utility>

namespace morvane::filepanel {

namespace {

constexpr int kMsgDriveSpace = 4; // "%.0n из %0.n Kb свободно"

// The directory that a path going up through ".." leaves: the component just before the
// last "..", when that is a plain name.
std::string NameLeftBy(const std::filesystem::path& path)
{
    std::string left;
    std::filesystem::path previous;
    for (const std::filesystem::path& part : path) {
        if (part == ".." && !previous.empty() && previous != "." && previous != ".."
            && previous != previous.root_path())
            left = previous.native();
        previous = part;
    }
    return left;
}

FileItem ItemFromEntry(const DirEntry& entry)
{
    FileItem item;
    item.name = entry.name.native();
    item.attributes = entry.attributes;
    item.size = entry.isDirectory() ? 0 : StoredFileSize(entry.size);
    item.date = DosDateTimeFromTime(entry.modified);
    item.icon = entry.isDirectory() ? ItemIcon::Directory : ItemIcon::File;
    return item;
}

} // namespace

FilePanel::FilePanel(FilePanelHost& host)
    : m_host(host)
    , m_driveSpaceQuery(QueryDriveSpace)
{
}

std::filesystem::path FilePanel::itemPath(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return m_current / m_items[static_cast<std::size_t>(index)].name;
}

bool FilePanel::focusedIsFile() const
{
    return m_focused >= 0 && !m_items[static_cast<std::size_t>(m_focused)].isDirectory();
}

bool FilePanel::hasOperands() const
{
    return m_markedCount >= 1 || (m_focused >= 0 && !m_items[static_cast<std::size_t>(m_focused)].isParent());
}

void FilePanel::setSelectionList(std::vector<std::string> names)
{
    m_selectionList = std::move(names);
}

std::string FilePanel::directoryWithSeparator() const
{
    std::string dir = m_current.native();
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

void FilePanel::setProcessHidden(bool on)
{
    m_processHidden = on;
    if (!m_current.empty())
        RefreshListing();
}

void FilePanel::setSortMode(SortMode mode)
{
    m_sortMode = mode;
    SortListing();
}

// ---- navigation ----

bool FilePanel::ChangeDirectory(const std::filesystem::path& path)
{
    if (busy() || path.empty())
        return false;
    std::error_code error;
    const std::filesystem::path base = m_current.empty() ? std::filesystem::current_path(error) : m_current;
    const std::filesystem::path target = path.is_absolute() ? path : base / path;
    const std::filesystem::path resolved = std::filesystem::canonical(target, error);
    if (error || !std::filesystem::is_directory(resolved, error) || ::access(resolved.c_str(), X_OK) != 0)
        return false;
    if (resolved == m_current)
        return false;

    const std::string left = NameLeftBy(target);
    m_current = resolved;
    m_driveRoot = DriveRootOf(m_current, MountPoints());
    if (!m_startingUp)
        m_selectionList.clear();
    ReadDirectory();
    if (m_notifier != nullptr)
        m_notifier->setRoot(m_current);
    focusByName(left, 0);
    return true;
}

void FilePanel::addItem(FileItem item)
{
    if (item.isParent()) {
        item.stateImage = StateImage::NoBox;
        item.icon = ItemIcon::Parent;
        m_parentCount = 1;
    } else {
        item.marked
            = std::find(m_selectionList.begin(), m_selectionList.end(), item.name) != m_selectionList.end();
        item.stateImage = item.marked ? StateImage::Marked : StateImage::Unmarked;
        if (item.marked)
            ++m_markedCount;
    }
    m_items.push_back(std::move(item));
}

bool FilePanel::ReadDirectory()
{
    if (busy() || m_current.empty())
        return false;
    m_host.setBusy(true);
    m_refreshPending = false;
    m_host.listingStarted();
    m_markedCount = 0;
    m_parentCount = 0;
    m_listing = true;
    m_items.clear();
    m_focused = m_selected = m_anchor = -1;

    const std::vector<DirEntry> entries = ReadDirectoryEntries(m_current);

    // Directory pass: hidden directories take part whatever the option (there are no system
    // or volume entries to leave out here).
    if (m_current != m_current.root_path()) {
        FileItem parent;
        parent.name = "..";
        parent.attributes = kAttrDirectory;
        struct stat info { };
        parent.date = ::stat((m_current / "..").c_str(), &info) == 0 ? DosDateTimeFromTime(info.st_mtime)
                                                                     : MakeDosDateTime(1980, 1, 1, 0, 0, 0);
        addItem(std::move(parent));
    }
    for (const DirEntry& entry : entries) {
        if (entry.isDirectory())
            addItem(ItemFromEntry(entry));
    }

    // File pass, mask by mask; the duplicate test only when there are several masks.
    const bool severalMasks = m_maskText.find(';') != std::string::npos;
    const unsigned request = m_processHidden ? kRequestFilesHidden : kRequestFiles;
    std::unordered_set<std::string> listed;
    for (const std::string& mask : SplitMaskText(m_maskText)) {
        for (const DirEntry& entry : FilterEntries(entries, mask, request)) {
            if (severalMasks && !listed.insert(entry.name.native()).second)
                continue;
            addItem(ItemFromEntry(entry));
        }
    }

    SortListing();
    m_lastListedMask = m_maskText;
    m_host.invalidateFileList();
    m_listing = false;
    m_host.setBusy(false);
    return true;
}

bool FilePanel::RefreshListing()
{
    if (busy())
        return false;
    const int oldIndex = m_focused;
    const std::string oldName
        = oldIndex >= 0 ? m_items[static_cast<std::size_t>(oldIndex)].name : std::string();
    if (!ReadDirectory())
        return false;
    int index = oldIndex >= 0 ? indexOfName(oldName, false) : -1;
    if (index < 0 && oldIndex >= 0)
        index = std::min(oldIndex, count() - 1);
    focusItem(index);
    return true;
}

bool FilePanel::refreshIfPending()
{
    return m_refreshPending && RefreshListing();
}

void FilePanel::SortListing()
{
    const std::vector<int> order = SortOrder(m_items, m_sortMode);
    std::vector<FileItem> sorted;
    sorted.reserve(m_items.size());
    std::vector<int> newIndex(m_items.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        newIndex[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
        sorted.push_back(std::move(m_items[static_cast<std::size_t>(order[i])]));
    }
    m_items = std::move(sorted);
    auto follow = [&newIndex](int& index) {
        if (index >= 0 && index < static_cast<int>(newIndex.size()))
            index = newIndex[static_cast<std::size_t>(index)];
    };
    follow(m_focused);
    follow(m_selected);
    follow(m_anchor);
}

std::string FilePanel::ShowDriveSpace()
{
    const std::optional<DriveSpace> space = m_driveSpaceQuery ? m_driveSpaceQuery(m_driveRoot) : std::nullopt;
    if (!space) {
        m_driveSpaceText.clear();
    } else {
        m_driveSpaceText = app::FillMessage(app::Msg(kMsgDriveSpace),
            { static_cast<std::int64_t>(space->freeBytes / 1024),
                static_cast<std::int64_t>(space->totalBytes / 1024) });
    }
    return m_driveSpaceText;
}

// ---- focus and keyboard commands ----

int FilePanel::indexOfName(const std::string& name, bool ignoreCase) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_items[static_cast<std::size_t>(i)].name == name)
            return i;
    }
    if (!ignoreCase)
        return -1;
    const std::string wanted = codepage::Utf8ToWin1251(name);
    for (int i = 0; i < count(); ++i) {
        if (SameTextWin1251(codepage::Utf8ToWin1251(m_items[static_cast<std::size_t>(i)].name), wanted))
            return i;
    }
    return -1;
}

void FilePanel::focusByName(const std::string& name, int fallback)
{
    const int index = name.empty() ? -1 : indexOfName(name, true);
    focusItem(index >= 0 ? index : (count() > 0 ? fallback : -1));
}

void FilePanel::focusItem(int index)
{
    if (index < 0 || index >= count())
        index = -1;
    if (index == m_focused && index == m_selected)
        return;
    m_focused = index;
    m_selected = index;
    if (m_markedCount == 0) {
        // With nothing marked the pass root follows the focus.
        m_host.invalidateFileList();
        if (m_host.isBusy())
            m_host.setBusy(false);
    }
    m_host.focusedItemChanged();
    m_host.updatePassCommands();
}

void FilePanel::activateFocused()
{
    if (busy() || m_focused < 0)
        return;
    const FileItem& item = m_items[static_cast<std::size_t>(m_focused)];
    if (item.isDirectory())
        ChangeDirectory(m_current / item.name);
    else
        m_host.openWithAssociatedProgram(itemPath(m_focused), m_current);
}

void FilePanel::goToParent()
{
    if (!busy() && !m_current.empty())
        ChangeDirectory(m_current / "..");
}

void FilePanel::goToDriveRoot()
{
    if (!busy())
        ChangeDirectory(m_driveRoot);
}

void FilePanel::selectDrive(const std::filesystem::path& root)
{
    if (busy() || m_startingUp)
        return;
    ChangeDirectory(root);
    ShowDriveSpace();
}

void FilePanel::computeDirectorySize()
{
    if (busy() || m_focused < 0)
        return;
    FileItem& item = m_items[static_cast<std::size_t>(m_focused)];
    if (!item.isDirectory() || item.isParent() || item.size != 0)
        return;
    m_host.setBusy(true);
    m_host.clearAbortRequest();

    // Depth first over every entry, hidden ones included; a directory reached twice through
    // symbolic links is counted once, so a link cycle ends.
    std::set<std::pair<dev_t, ino_t>> visited;
    std::uint64_t total = 0;
    bool aborted = false;
    std::vector<std::filesystem::path> pending { itemPath(m_focused) };
    while (!pending.empty() && !aborted) {
        const std::filesystem::path dir = std::move(pending.back());
        pending.pop_back();
        struct stat info { };
        if (::stat(dir.c_str(), &info) != 0 || !visited.emplace(info.st_dev, info.st_ino).second)
            continue;
        m_host.pumpMessages();
        if (m_host.abortRequested()) {
            aborted = true;
            break;
        }
        for (const DirEntry& entry : ReadDirectoryEntries(dir)) {
            if (entry.isDirectory())
                pending.push_back(dir / entry.name);
            else
                total += entry.size;
        }
    }
    if (!aborted) {
        item.size = static_cast<std::int64_t>(total);
        m_host.focusedItemChanged();
    }
    m_host.setBusy(false);
}

// ---- status texts ----

std::string FilePanel::countsText() const
{
    const bool onParent = m_focused >= 0 && m_items[static_cast<std::size_t>(m_focused)].isParent();
    const int position = m_focused >= 0 ? m_focused - m_parentCount + 1 : 0;
    const int marked = m_markedCount >= 1 ? m_markedCount : ((m_focused < 0 || onParent) ? 0 : 1);
    static const std::string format = codepage::Utf8ToWin1251("%d/%d из %d");
    return app::FillMessage(format, { position, marked, count() - m_parentCount });
}

std::string FilePanel::fileInfoText() const
{
    if (m_focused < 0)
        return {};
    const FileItem& item = m_items[static_cast<std::size_t>(m_focused)];
    std::string text = app::FillMessage(
        " %s%s      ", { app::PathText(directoryWithSeparator()), codepage::Utf8ToWin1251(item.name) });
    if (item.isDirectory() && item.size == 0)
        text += " <DIR>   ";
    else
        text += app::FillMessage(" %.0n   ", { item.size });
    text += " " + DosDateDisplayText(item.date) + " ";
    return text;
}

std::string FilePanel::curDirText() const
{
    return app::PathText(directoryWithSeparator()) + m_maskText;
}

} // namespace morvane::filepanel
