// Common steps of the file commands, copy and create directory. Move, delete and the report
// list's commands are in FileOperationsMove.cpp, FileOperationsDelete.cpp and
// FileOperationsReport.cpp.

#include "search/FileOperations.h"

#include "app/FileError.h"
#include "app/Format.h"
#include "app/MessageTable.h"
#include "filepanel/FilePanel.h"
#include "search/FileOperationsDialogs.h"
#include "search/PassControl.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvane::search {

namespace fs = std::filesystem;

namespace {

constexpr int kMsgDirsCreated = 49;
constexpr int kMsgFilesMoved = 50;
constexpr int kMsgFilesCopied = 52;
constexpr int kMsgChooseCopyMany = 26;
constexpr int kMsgChooseCopyOne = 34;
constexpr int kMsgCopyTitle = 71;

} // namespace

std::optional<fs::path> RelativeBelow(const fs::path& file, const fs::path& dir)
{
    const fs::path f = file.lexically_normal();
    fs::path d = dir.lexically_normal();
    if (!d.has_filename() && d != d.root_path())
        d = d.parent_path(); // a trailing separator
    auto fi = f.begin();
    for (auto di = d.begin(); di != d.end(); ++di, ++fi) {
        if (di->empty())
            continue;
        if (fi == f.end() || *fi != *di)
            return std::nullopt;
    }
    fs::path rest;
    for (; fi != f.end(); ++fi)
        rest /= *fi;
    if (rest.empty())
        return std::nullopt;
    return rest;
}

FileOperations::FileOperations(PassControl& control, FileOperationsDialogs& dialogs)
    : m_control(control)
    , m_dialogs(dialogs)
{
}

bool FileOperations::startWork(Kind kind)
{
    m_kind = kind;
    m_control.setAbortRequested(false);
    m_control.SetBusy(true);
    m_control.startTiming();
    m_filesDone = 0;
    m_dirsDone = 0;
    m_error.reset();
    m_control.setStatus(0, std::string());
    m_control.setStatus(1, std::string());
    return true;
}

void FileOperations::finishWork()
{
    m_control.SetBusy(false);
}

void FileOperations::progressLine()
{
    m_control.setStatus(0, m_control.elapsedText());
    const std::string format = " " + app::Msg(kMsgDirsCreated) + " - %d  "
        + app::Msg(m_kind == Kind::Move ? kMsgFilesMoved : kMsgFilesCopied) + " - %d";
    m_control.setStatus(1, app::FillMessage(format, { m_dirsDone, m_filesDone }));
    m_control.PumpMessages();
}

void FileOperations::showTransferSummary()
{
    showPendingError();
    const std::string format = app::Msg(kMsgDirsCreated) + " - %d\r\n"
        + app::Msg(m_kind == Kind::Move ? kMsgFilesMoved : kMsgFilesCopied) + " - %d";
    m_dialogs.showMessage(app::FillMessage(format, { m_dirsDone, m_filesDone }));
}

void FileOperations::noteError(std::string text)
{
    // The first failure is the one worth showing: later ones usually follow from it.
    if (!m_error)
        m_error = std::move(text);
}

void FileOperations::noteCopyFailure(const fs::path& source, const fs::path& target, int err)
{
    const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        noteError(app::CannotOpenText(source, errno));
        return;
    }
    struct stat st { };
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    // A source that is no regular file (a named pipe, a device) is what failed, not the target.
    noteError(regular ? app::CannotCreateText(target, err) : app::CannotOpenText(source, err));
}

void FileOperations::showPendingError()
{
    if (m_error)
        m_dialogs.showError(*m_error);
    m_error.reset();
}

std::optional<fs::path> FileOperations::chooseTarget(const std::string& caption)
{
    return m_dialogs.chooseDirectory(caption);
}

bool FileOperations::actOnOperands(filepanel::FilePanel& panel, bool marked, int selected,
    const std::function<bool(int)>& act, void (FileOperations::*progress)())
{
    if (!marked)
        return act(selected);
    bool any = false;
    for (int i = 0; i < panel.count() && !m_control.AbortRequested(); ++i) {
        const filepanel::FileItem& item = panel.items()[static_cast<size_t>(i)];
        if (!item.marked || item.isParent())
            continue;
        if (act(i)) {
            panel.setMark(i, false);
            any = true;
        }
        (this->*progress)();
    }
    return any;
}

bool FileOperations::createCounted(const fs::path& dir)
{
    switch (CreateDirectoryStep(dir)) {
    case CreateDirResult::Created:
        ++m_dirsDone;
        return true;
    case CreateDirResult::Existed:
        return true;
    case CreateDirResult::Failed:
        break;
    }
    noteError(app::CannotCreateText(dir, errno));
    return false;
}

bool FileOperations::copyEntryFile(const fs::path& source, const fs::path& target)
{
    const int err = CopyFileComplete(source, target);
    if (err == 0) {
        ++m_filesDone;
        return true;
    }
    noteCopyFailure(source, target, err);
    return false;
}

bool FileOperations::copyTopDirectory(const fs::path& source, const fs::path& targetDir)
{
    // A tree copied into itself would grow while it is read.
    if (IsSameOrBelow(targetDir, source)) {
        noteError(app::CannotCreateText(targetDir, EINVAL));
        m_control.setAbortRequested(true);
        return false;
    }
    if (!createCounted(targetDir)) {
        m_control.setAbortRequested(true);
        return false;
    }
    copyTree(source, targetDir);
    return !m_control.AbortRequested();
}

void FileOperations::copyTree(const fs::path& source, const fs::path& target)
{
    bool listed = true;
    const std::vector<DirectoryEntry> entries = ListDirectory(source, listed);
    if (!listed) {
        // What cannot be read cannot be copied: a move must not remove this tree.
        noteError(app::CannotOpenText(source, errno ? errno : EIO));
        m_control.setAbortRequested(true);
        return;
    }
    for (const DirectoryEntry& entry : entries) {
        if (m_control.AbortRequested())
            return;
        m_control.PumpMessages();
        const fs::path from = source / entry.name;
        const fs::path to = target / entry.name;
        if (entry.directory) {
            if (createCounted(to))
                copyTree(from, to);
            else
                m_control.setAbortRequested(true);
        } else if (entry.symlink) {
            // Links are copied as links: following one to a directory could loop.
            if (const int err = CopySymlink(from, to); err == 0) {
                ++m_filesDone;
            } else {
                noteError(app::CannotCreateText(to, err));
                m_control.setAbortRequested(true);
            }
        } else if (!copyEntryFile(from, to)) {
            m_control.setAbortRequested(true);
        }
        progressLine();
    }
}

void FileOperations::copyFromPanel(filepanel::FilePanel& panel)
{
    if (!m_control.canStartPass() || !panel.hasOperands())
        return;
    const bool marked = panel.MarkedCount() > 0;
    const int selected = panel.selectedIndex();
    if (!marked && (selected < 0 || panel.items()[static_cast<size_t>(selected)].isParent()))
        return;

    std::optional<fs::path> chosen;
    bool toFileName = false;
    if (marked) {
        chosen = chooseTarget(app::FillMessage(app::Msg(kMsgChooseCopyMany), { panel.MarkedCount() }));
    } else {
        const filepanel::FileItem& item = panel.items()[static_cast<size_t>(selected)];
        if (item.isDirectory()) {
            chosen = chooseTarget(app::Msg(kMsgChooseCopyOne) + "\r\n" + app::PathText(item.name));
        } else {
            chosen = m_dialogs.chooseSaveFile(app::Msg(kMsgCopyTitle), panel.itemPath(selected));
            toFileName = true;
        }
    }
    if (!chosen)
        return;
    const fs::path target = chosen->is_absolute() ? *chosen : panel.currentDirectory() / *chosen;

    PassControl::PassLoop loop(m_control);
    startWork(Kind::Copy);
    if (toFileName) {
        copyEntryFile(panel.itemPath(selected), target);
    } else if (!marked) {
        copyTopDirectory(
            panel.itemPath(selected), target / panel.items()[static_cast<size_t>(selected)].name);
    } else {
        for (int i = 0; i < panel.count() && !m_control.AbortRequested(); ++i) {
            const filepanel::FileItem& item = panel.items()[static_cast<size_t>(i)];
            if (!item.marked || item.isParent())
                continue;
            if (item.isDirectory())
                copyTopDirectory(panel.itemPath(i), target / item.name);
            else
                copyEntryFile(panel.itemPath(i), target / item.name);
        }
    }
    progressLine();
    finishWork();
    panel.refreshIfPending();
    showTransferSummary();
}

bool FileOperations::createDirectory(filepanel::FilePanel& panel, const fs::path& name)
{
    const fs::path relative = name.relative_path();
    if (relative.empty() || panel.currentDirectory().empty())
        return false;
    if (CreateDirectoryStep(panel.currentDirectory() / relative) != CreateDirResult::Created)
        return false;
    panel.ReadDirectory();
    const std::string shown = (*relative.begin()).string();
    for (int i = 0; i < panel.count(); ++i) {
        if (panel.items()[static_cast<size_t>(i)].name == shown) {
            panel.focusItem(i);
            break;
        }
    }
    return true;
}

} // namespace morvane::search
