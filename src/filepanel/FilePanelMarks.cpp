// The file panel model: marks, the mask box and renaming. Covered by
// tests/filepanel/FilePanelMarksTest.cpp.

#include "filepanel/FilePanel.h"

#include "filepanel/DirectorySearch.h"
#include "filepanel/Mask.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>

namespace morvane::filepanel {

namespace {

// Renames `from` to `to` but never replaces an existing `to`, as the rename of the directory
// search platform does.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    // The file system cannot refuse by itself: check first (a narrow race remains).
    std::error_code error;
    if (std::filesystem::symlink_status(to, error).type() != std::filesystem::file_type::not_found)
        return false;
    return std::rename(from.c_str(), to.c_str()) == 0;
}

} // namespace

bool FilePanel::setMark(int index, bool mark)
{
    if (index < 0 || index >= count())
        return false;
    FileItem& item = m_items[static_cast<std::size_t>(index)];
    if (item.isParent() || item.marked == mark)
        return false;
    item.marked = mark;
    item.stateImage = mark ? StateImage::Marked : StateImage::Unmarked;
    if (m_listing)
        return true;

    m_host.invalidateFileList();
    const auto known = std::find(m_selectionList.begin(), m_selectionList.end(), item.name);
    if (mark) {
        if (known == m_selectionList.end())
            m_selectionList.push_back(item.name);
        ++m_markedCount;
    } else {
        if (known != m_selectionList.end())
            m_selectionList.erase(known);
        --m_markedCount;
    }
    m_host.marksChanged();
    m_host.updatePassCommands();
    return true;
}

void FilePanel::toggleMark(int index)
{
    if (index >= 0 && index < count())
        setMark(index, !m_items[static_cast<std::size_t>(index)].marked);
}

void FilePanel::toggleMarkAndAdvance()
{
    if (busy() || m_focused < 0)
        return;
    const int index = m_focused;
    toggleMark(index);
    focusItem(std::min(index + 1, count() - 1));
}

void FilePanel::markAll()
{
    if (busy())
        return;
    for (int i = 0; i < count(); ++i)
        setMark(i, true);
    m_host.updatePassCommands();
}

void FilePanel::unmarkAll()
{
    if (busy())
        return;
    for (int i = 0; i < count(); ++i)
        setMark(i, false);
    m_host.updatePassCommands();
}

void FilePanel::invertMarks()
{
    // The ".." entry is always first and never marked, whatever part of the list is visible.
    if (busy())
        return;
    for (int i = m_parentCount; i < count(); ++i)
        toggleMark(i);
}

void FilePanel::markByMask(std::string_view maskText, bool mark)
{
    if (busy() || m_current.empty())
        return;
    m_host.setBusy(true);
    m_host.clearAbortRequest();
    const std::vector<DirEntry> entries = ReadDirectoryEntries(m_current);
    const unsigned request = m_processHidden ? kRequestFilesHidden : kRequestFiles;
    for (const std::string& mask : SplitMaskText(maskText)) {
        for (const DirEntry& entry : FilterEntries(entries, mask, request)) {
            m_host.pumpMessages();
            if (m_host.abortRequested()) {
                m_host.setBusy(false);
                return;
            }
            const int index = indexOfName(entry.name.native(), false);
            if (index >= 0 && !m_items[static_cast<std::size_t>(index)].isDirectory())
                setMark(index, mark);
        }
    }
    m_host.setBusy(false);
}

void FilePanel::plainClick(int index)
{
    focusItem(index);
    m_anchor = m_focused;
}

void FilePanel::checkBoxClick(int index)
{
    if (index < 0 || index >= count())
        return;
    if (m_items[static_cast<std::size_t>(index)].isParent()) {
        if (!busy())
            ChangeDirectory(m_current / "..");
        return;
    }
    toggleMark(index);
    plainClick(index);
}

void FilePanel::ctrlClick(int index)
{
    if (index < 0 || index >= count())
        return;
    toggleMark(index);
    focusItem(index);
}

void FilePanel::shiftClick(int index)
{
    if (index < 0 || index >= count())
        return;
    if (m_anchor < 0 || m_anchor >= count() || m_anchor == index) {
        toggleMark(index);
    } else {
        const int from = std::min(m_anchor, index);
        const int to = std::max(m_anchor, index);
        for (int i = from; i <= to; ++i)
            toggleMark(i);
    }
    focusItem(index);
}

// ---- mask box ----

void FilePanel::maskEntered(std::string_view text)
{
    m_maskHistory.enter(text);
    applyMask(text);
}

void FilePanel::maskChosen(std::string_view text)
{
    applyMask(text);
}

void FilePanel::maskLeft(std::string_view text)
{
    applyMask(text.empty() ? std::string_view("*.*") : text);
}

void FilePanel::applyMask(std::string_view text)
{
    m_maskText = std::string(text);
    if (m_maskText == m_lastListedMask || m_current.empty())
        return;
    const std::string name
        = m_focused >= 0 ? m_items[static_cast<std::size_t>(m_focused)].name : std::string();
    if (!ReadDirectory())
        return;
    const int index = name.empty() ? -1 : indexOfName(name, false);
    focusItem(index >= 0 ? index : (count() > 0 ? 0 : -1));
}

// ---- rename ----

bool FilePanel::renameItem(int index, const std::string& newName)
{
    if (index < 0 || index >= count())
        return false;
    FileItem& item = m_items[static_cast<std::size_t>(index)];
    if (item.isParent() || newName.empty() || newName == "." || newName == ".."
        || newName.find('/') != std::string::npos || newName == item.name)
        return false;
    if (!RenameNoReplace(m_current / item.name, m_current / newName))
        return false;

    if (item.marked) {
        // Keep the mark through the next listing: the selection holds names, each once.
        const auto known = std::find(m_selectionList.begin(), m_selectionList.end(), item.name);
        if (known != m_selectionList.end())
            m_selectionList.erase(known);
        if (std::find(m_selectionList.begin(), m_selectionList.end(), newName) == m_selectionList.end())
            m_selectionList.push_back(newName);
    }
    if (item.marked || m_markedCount == 0) {
        m_host.invalidateFileList();
        m_host.endInteractiveRun();
    }
    item.name = newName;
    SortListing();
    return true;
}

} // namespace morvane::filepanel
