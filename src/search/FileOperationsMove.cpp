// Moving files and directory trees from the file panel; the report list's move is in
// FileOperationsReport.cpp.

#include "search/FileOperations.h"

#include "app/FileError.h"
#include "app/Format.h"
#include "app/MessageTable.h"
#include "filepanel/FilePanel.h"
#include "search/FileOperationsDialogs.h"
#include "search/PassControl.h"

#include <sys/stat.h>

namespace morvane::search {

namespace fs = std::filesystem;

namespace {

constexpr int kMsgChooseMoveMany = 23;
constexpr int kMsgChooseMoveOne = 35;

// Whether `copy` is a complete stand-in for `source`: a link for a link, a file of the same
// size for a file. Anything else (an entry that appeared after the copy was made) stays.
bool CopyInPlace(const fs::path& source, const fs::path& copy)
{
    struct stat from { };
    struct stat to { };
    if (::lstat(source.c_str(), &from) != 0 || ::lstat(copy.c_str(), &to) != 0)
        return false;
    if (S_ISLNK(from.st_mode))
        return S_ISLNK(to.st_mode);
    return S_ISREG(from.st_mode) && S_ISREG(to.st_mode) && from.st_size == to.st_size;
}

} // namespace

bool FileOperations::removeSourceTree(const fs::path& source, const fs::path& copy)
{
    bool listed = true;
    const std::vector<DirectoryEntry> entries = ListDirectory(source, listed);
    for (const DirectoryEntry& entry : entries) {
        // The break command leaves the busy state, which ends the removal.
        if (!m_control.IsBusy())
            break;
        m_control.PumpMessages();
        const fs::path from = source / entry.name;
        const fs::path to = copy / entry.name;
        if (entry.directory)
            removeSourceTree(from, to);
        else if (CopyInPlace(from, to))
            DeleteFileEntry(from);
    }
    return RemoveEmptyDirectory(source) == 0;
}

void FileOperations::moveFromPanel(filepanel::FilePanel& panel)
{
    if (!m_control.canStartPass() || !panel.hasOperands())
        return;
    const bool marked = panel.MarkedCount() > 0;
    const int selected = panel.selectedIndex();
    if (!marked && (selected < 0 || panel.items()[static_cast<size_t>(selected)].isParent()))
        return;

    std::optional<fs::path> chosen;
    if (marked) {
        chosen
            = chooseTarget(app::FillMessage(app::Msg(kMsgChooseMoveMany) + " - %d", { panel.MarkedCount() }));
    } else {
        chosen = chooseTarget(app::Msg(kMsgChooseMoveOne) + "\r\n"
            + app::PathText(panel.items()[static_cast<size_t>(selected)].name));
    }
    if (!chosen)
        return;
    const fs::path target = chosen->is_absolute() ? *chosen : panel.currentDirectory() / *chosen;

    PassControl::PassLoop loop(m_control);
    startWork(Kind::Move);
    bool removedAny = false;
    // Moves item `i`; returns whether its source is gone.
    auto moveItem = [&](int i) {
        const filepanel::FileItem& item = panel.items()[static_cast<size_t>(i)];
        const fs::path source = panel.itemPath(i);
        const fs::path to = target / item.name;
        std::error_code ec;
        if (item.isDirectory() && !fs::is_symlink(source, ec)) {
            if (!copyTopDirectory(source, to))
                return false;
            return removeSourceTree(source, to);
        }
        switch (MoveFileComplete(source, to)) {
        case MoveResult::Moved:
            ++m_filesDone;
            return true;
        case MoveResult::CopiedOnly:
            return false;
        case MoveResult::Failed:
            noteCopyFailure(source, to, errno);
            return false;
        }
        return false;
    };

    removedAny = actOnOperands(panel, marked, selected, moveItem, &FileOperations::progressLine);
    progressLine();
    finishWork();
    if (removedAny)
        panel.RefreshListing();
    else
        panel.refreshIfPending();
    showTransferSummary();
}

} // namespace morvane::search
