// Deleting files with their backup copies and directory trees from the file panel; the
// report list's delete is in FileOperationsReport.cpp. Deleting is permanent.

#include "search/FileOperations.h"

#include "app/FileError.h"
#include "app/Format.h"
#include "app/MessageTable.h"
#include "filepanel/FilePanel.h"
#include "search/FileOperationsDialogs.h"
#include "search/HiddenList.h"
#include "search/PassControl.h"

namespace morvane::search {

namespace fs = std::filesystem;

namespace {

constexpr int kMsgConfirmMany = 19;
constexpr int kMsgDeletedFilesDirs = 20;
constexpr int kMsgConfirmFile = 36;
constexpr int kMsgConfirmDirectory = 44;

} // namespace

void FileOperations::deleteProgressLine()
{
    m_control.setStatus(
        1, " " + app::FillMessage(app::Msg(kMsgDeletedFilesDirs), { m_filesDone, m_dirsDone }));
}

bool FileOperations::deleteFile(const fs::path& file)
{
    if (m_control.AbortRequested())
        return false;
    m_backups.DeleteBackups(file);
    const bool deleted = DeleteFileEntry(file) == 0;
    if (deleted) {
        ++m_filesDone;
        // A file hidden through the directory's list leaves no stale name behind.
        RemoveFromHiddenList({ file });
    }
    deleteProgressLine();
    m_control.PumpMessages();
    return deleted;
}

bool FileOperations::deleteTree(const fs::path& dir)
{
    // A link to a directory is deleted as a link; what it points to is not ours to delete.
    std::error_code ec;
    if (fs::is_symlink(dir, ec))
        return deleteFile(dir);
    bool listed = true;
    const std::vector<DirectoryEntry> entries = ListDirectory(dir, listed);
    for (const DirectoryEntry& entry : entries) {
        m_control.PumpMessages();
        if (m_control.AbortRequested())
            break;
        if (entry.directory)
            deleteTree(dir / entry.name);
        else
            deleteFile(dir / entry.name); // a link goes, never what it points to
    }
    if (RemoveEmptyDirectory(dir) != 0)
        return false;
    ++m_dirsDone;
    return true;
}

void FileOperations::deleteFromPanel(filepanel::FilePanel& panel)
{
    if (!m_control.canStartPass() || !panel.hasOperands())
        return;
    const bool marked = panel.MarkedCount() > 0;
    const int selected = panel.selectedIndex();
    if (!marked && (selected < 0 || panel.items()[static_cast<size_t>(selected)].isParent()))
        return;

    std::string question;
    if (marked) {
        question = app::FillMessage(app::Msg(kMsgConfirmMany) + " - %d ?", { panel.MarkedCount() });
    } else {
        const bool directory = panel.items()[static_cast<size_t>(selected)].isDirectory();
        const std::string path = app::PathText(panel.itemPath(selected));
        question = app::FillMessage(
            app::Msg(directory ? kMsgConfirmDirectory : kMsgConfirmFile) + "\r\n%s ?", { path });
    }
    if (!m_dialogs.confirm(question))
        return;

    PassControl::PassLoop loop(m_control);
    startWork(Kind::Delete);
    bool removedAny = false;
    auto deleteItem = [&](int i) {
        const fs::path path = panel.itemPath(i);
        return panel.items()[static_cast<size_t>(i)].isDirectory() ? deleteTree(path) : deleteFile(path);
    };
    removedAny = actOnOperands(panel, marked, selected, deleteItem, &FileOperations::deleteProgressLine);
    finishWork();
    if (removedAny)
        panel.RefreshListing();
    else
        panel.refreshIfPending();
    if (m_filesDone > 1)
        m_dialogs.showMessage(app::FillMessage(app::Msg(kMsgDeletedFilesDirs), { m_filesDone, m_dirsDone }));
}

} // namespace morvane::search
