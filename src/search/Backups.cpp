// Backup copies and the crash-safe rewrite. Tests: tests/search/BackupsTest.cpp,
// tests/search/BackupWriteTest.cpp, tests/search/BackupCrashTest.cpp.

#include "search/Backups.h"

#include "search/DirectoryLock.h"
#include "search/HiddenList.h"

#include "app/DurableWrite.h"
#include "app/FileIo.h"
#include "app/Format.h"
#include "app/MessageTable.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

constexpr int kMsgBusy = 365;
constexpr int kMsgReadOnly = 366;
constexpr int kMsgLineBreakInName = 367;
constexpr int kMsgHiddenListLink = 368;
constexpr int kMsgHiddenListFailed = 369;
constexpr int kMsgCannotRestore = 370;
constexpr int kMsgCannotDeleteCopy = 371;

app::FileError Failure(int message, const fs::path& path, app::FileFailure kind)
{
    return app::FileError { app::FillMessage(app::Msg(message), { app::PathText(path) }), kind };
}

app::FileError Failure(int message, const fs::path& path, int err)
{
    return app::FileError { app::FillMessage(app::Msg(message), { app::PathText(path), app::SystemReason(err) }) };
}

fs::path DirectoryOf(const fs::path& path)
{
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// Whether a directory entry of that name exists (a dangling link counts: the name is taken).
bool NameExists(const fs::path& path)
{
    struct stat st { };
    return ::lstat(path.c_str(), &st) == 0;
}

// The file a write goes to: a symbolic link is written through, so the link stays a link.
fs::path WriteTarget(const fs::path& file)
{
    std::error_code ec;
    if (fs::is_symlink(file, ec)) {
        fs::path target = fs::canonical(file, ec);
        if (!ec)
            return target;
    }
    return file;
}

// A file without any write permission bit, or one this user may not write, is read-only.
bool IsReadOnly(const fs::path& file, const struct stat& st)
{
    return (st.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0;
}

// Gives `backupName` the content `target` has now without disturbing `target`: a second name
// for the same data where the file system allows it, else a copy. Returns 0 or the errno.
int KeepAsBackup(const fs::path& target, const fs::path& backupName, mode_t mode)
{
    if (::link(target.c_str(), backupName.c_str()) == 0) {
        const int err = app::SyncDirectory(DirectoryOf(backupName));
        if (err == 0)
            app::CrashPoint();
        return err;
    }
    if (errno == EEXIST || errno == ENAMETOOLONG)
        return errno;
    return app::CopyToNewFileDurably(target, backupName, mode);
}

// The longest name the directory of `path` allows.
size_t NameLimit(const fs::path& path)
{
    const long limit = ::pathconf(DirectoryOf(path).c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<size_t>(limit) : 255;
}

// Whether the last component of `path` is longer than its directory allows.
bool NameTooLong(const fs::path& path)
{
    return path.filename().native().size() > NameLimit(path);
}

// Puts the copy `copy` in place of `file` (through a link), the copy's name gone. 0 or errno.
int PutBack(const fs::path& copy, const fs::path& file)
{
    const fs::path target = WriteTarget(file);
    if (::rename(copy.c_str(), target.c_str()) == 0) {
        app::CrashPoint();
        (void)app::SyncDirectory(DirectoryOf(target));
        return 0;
    }
    if (errno != EXDEV)
        return errno;
    // The link leads to another file system: a durable copy, then the copy's name goes.
    std::string bytes;
    if (app::ReadWholeFile(copy, bytes))
        return EIO;
    if (const int err = app::WriteFileDurably(target, bytes, app::ModeForRewrite(copy)))
        return err;
    return ::unlink(copy.c_str()) == 0 ? 0 : errno;
}

// Takes the lock of `dir` for `file`; the Busy error when another run keeps it. A directory
// that cannot be opened for locking (no read permission, or gone) is left to the write itself,
// which reports its own reason.
std::optional<app::FileError> Lock(DirectoryLock& lock, const fs::path& dir, const fs::path& file)
{
    if (lock.acquire(dir, DirectoryLock::passWait()) == EWOULDBLOCK)
        return Failure(kMsgBusy, file, app::FileFailure::Busy);
    return std::nullopt;
}

} // namespace

// The directory a pass is in: its lock and its ".hidden" list.
struct Backups::DirectoryState {
    explicit DirectoryState(const fs::path& dir)
        : hidden(dir)
    {
    }
    DirectoryLock lock;
    HiddenList hidden;
};

// A rewrite waiting in the batch: its new content is in `pending`, not yet flushed.
struct Backups::Staged {
    fs::path file; // as the pass names it
    fs::path target; // the file the content goes to (through a symbolic link)
    app::PendingFile pending;
    mode_t copyMode = 0; // the original's bits, for a copy made by copying
    bool makeCopy = false;
    dev_t device = 0;
    ino_t inode = 0;
};

Backups::Backups() = default;

Backups::~Backups()
{
    leaveDirectory();
}

namespace {

// The failure to write the list `hidden` (errno `err`): a list that is a link is refused as such.
app::FileError HiddenListFailure(const HiddenList& hidden, int err)
{
    return err == ELOOP ? Failure(kMsgHiddenListLink, hidden.file(), app::FileFailure::HiddenListLink)
                        : Failure(kMsgHiddenListFailed, hidden.file(), err);
}

// Chooses the next copy name of `file` into `backup` and lists it in `hidden`, durably, before
// the copy exists. A name the list cannot hold or the file system cannot take is refused first.
std::optional<app::FileError> ListNextBackup(const fs::path& file, HiddenList& hidden, fs::path& backup)
{
    if (!IsListableName(file.filename().string()))
        return Failure(kMsgLineBreakInName, file, app::FileFailure::LineBreakInName);
    backup = Backups::BackupName(file, Backups::BackupRunLength(file));
    if (NameTooLong(backup))
        return app::FileError { app::CannotCreateText(backup, ENAMETOOLONG) };
    if (const int err = hidden.add(backup.filename().string()))
        return HiddenListFailure(hidden, err);
    return std::nullopt;
}

} // namespace

fs::path Backups::BackupName(const fs::path& file, int n)
{
    fs::path name = file;
    name += std::to_string(n);
    return name;
}

int Backups::BackupRunLength(const fs::path& file)
{
    int n = 0;
    while (NameExists(BackupName(file, n)))
        ++n;
    return n;
}

std::optional<app::FileError> Backups::enterDirectoryOf(const fs::path& file)
{
    const fs::path dir = DirectoryOf(file);
    if (m_current && m_current->hidden.directory() == dir)
        return std::nullopt;
    leaveDirectory();
    auto state = std::make_unique<DirectoryState>(dir);
    if (std::optional<app::FileError> busy = Lock(state->lock, dir, file))
        return busy;
    app::RemoveStaleTemporaries(dir);
    m_current = std::move(state);
    return std::nullopt;
}

void Backups::leaveDirectory()
{
    // The batch belongs to the directory's lock; its caller commits it first to hear of its
    // failures, and what is still staged here is not dropped.
    if (!m_staged.empty())
        (void)commitBatch();
    if (m_current)
        (void)m_current->hidden.flush();
    m_current.reset();
}

template <typename Body>
std::optional<app::FileError> Backups::inDirectory(const fs::path& file, Body&& body)
{
    const fs::path dir = DirectoryOf(file);
    if (m_current && m_current->hidden.directory() == dir)
        return body(m_current->hidden);
    DirectoryState state(dir);
    if (std::optional<app::FileError> busy = Lock(state.lock, dir, file))
        return busy;
    return body(state.hidden);
}

std::optional<app::FileError> Backups::CheckWritable(const fs::path& file)
{
    struct stat st { };
    if (::stat(file.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && IsReadOnly(file, st))
        return Failure(kMsgReadOnly, file, app::FileFailure::ReadOnly);
    return std::nullopt;
}

std::optional<app::FileError> Backups::MakeBackup(const fs::path& file)
{
    if (!m_saveBackup || !NameExists(file))
        return std::nullopt;
    return inDirectory(file, [&](HiddenList& hidden) -> std::optional<app::FileError> {
        fs::path backup;
        if (std::optional<app::FileError> error = ListNextBackup(file, hidden, backup))
            return error;
        if (::rename(file.c_str(), backup.c_str()) != 0)
            return app::FileError { app::CannotCreateText(backup, errno) };
        return std::nullopt;
    });
}

std::optional<app::FileError> Backups::MakeBackupCopy(const fs::path& file)
{
    if (!m_saveBackup)
        return std::nullopt;
    struct stat st { };
    if (::stat(file.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return std::nullopt;
    return inDirectory(file, [&](HiddenList& hidden) -> std::optional<app::FileError> {
        fs::path backup;
        if (std::optional<app::FileError> error = ListNextBackup(file, hidden, backup))
            return error;
        if (const int err = app::CopyToNewFileDurably(file, backup, st.st_mode & 07777))
            return app::FileError { app::CannotCreateText(backup, err) };
        return std::nullopt;
    });
}

std::optional<app::FileError> Backups::RewriteFile(const fs::path& file, std::string_view bytes)
{
    return inDirectory(file, [&](HiddenList& hidden) { return rewrite(file, bytes, m_saveBackup, &hidden); });
}

std::optional<app::FileError> Backups::WriteFileSafely(const fs::path& file, std::string_view bytes)
{
    // No list is needed; the lock (shared with a pass of this process that holds it) keeps
    // another run from writing the file meanwhile.
    DirectoryLock lock;
    if (std::optional<app::FileError> busy = Lock(lock, DirectoryOf(file), file))
        return busy;
    return rewrite(file, bytes, false, nullptr);
}

std::optional<app::FileError> Backups::rewrite(
    const fs::path& file, std::string_view bytes, bool backup, HiddenList* hidden)
{
    const fs::path target = WriteTarget(file);
    struct stat st { };
    const bool existed = ::stat(target.c_str(), &st) == 0;
    if (existed && S_ISDIR(st.st_mode))
        return app::FileError { app::CannotCreateText(file, EISDIR) };
    if (existed && IsReadOnly(target, st))
        return Failure(kMsgReadOnly, file, app::FileFailure::ReadOnly);
    const bool makeCopy = backup && existed && hidden;
    if (makeCopy && !IsListableName(file.filename().string()))
        return Failure(kMsgLineBreakInName, file, app::FileFailure::LineBreakInName);

    // 1. The complete new content, flushed, in a temporary file beside the target.
    app::PendingFile pending;
    if (const int err = pending.create(target, bytes, app::ModeForRewrite(target)))
        return app::FileError { app::CannotCreateText(file, err) };

    if (makeCopy) {
        // 2. The copy's name listed before the copy exists. A name too long for the file
        // system is refused before it is listed.
        fs::path backupName;
        if (std::optional<app::FileError> error = ListNextBackup(file, *hidden, backupName))
            return error;
        // 3. The copy. One that cannot be made stops the write, since going on would lose the
        // content the user asked to keep.
        if (const int err = KeepAsBackup(target, backupName, st.st_mode & 07777))
            return app::FileError { app::CannotCreateText(backupName, err) };
        // 4. The new content over the original.
        if (const int err = pending.commit()) {
            ::unlink(backupName.c_str());
            return app::FileError { app::CannotCreateText(file, err) };
        }
        return std::nullopt;
    }
    if (const int err = pending.commit())
        return app::FileError { app::CannotCreateText(file, err) };
    return std::nullopt;
}

bool Backups::inEnteredDirectory(const fs::path& file) const
{
    return m_current && m_current->hidden.directory() == DirectoryOf(file);
}

std::optional<app::FileError> Backups::stageRewrite(const fs::path& file, std::string_view bytes)
{
    if (!inEnteredDirectory(file))
        return RewriteFile(file, bytes);
    if (std::optional<app::FileError> refused = beginStaged(file))
        return refused;
    appendStaged(bytes);
    return endStaged();
}

std::optional<app::FileError> Backups::beginStaged(const fs::path& file)
{
    abandonStaged();
    if (!inEnteredDirectory(file))
        return app::FileError { app::CannotCreateText(file, EXDEV) };
    // The same checks, in the same order, as a rewrite on its own.
    auto staged = std::make_unique<Staged>();
    staged->file = file;
    staged->target = WriteTarget(file);
    struct stat st { };
    const bool existed = ::stat(staged->target.c_str(), &st) == 0;
    if (existed && S_ISDIR(st.st_mode))
        return app::FileError { app::CannotCreateText(file, EISDIR) };
    if (existed && IsReadOnly(staged->target, st))
        return Failure(kMsgReadOnly, file, app::FileFailure::ReadOnly);
    staged->makeCopy = m_saveBackup && existed;
    if (staged->makeCopy && !IsListableName(file.filename().string()))
        return Failure(kMsgLineBreakInName, file, app::FileFailure::LineBreakInName);
    const mode_t mode = existed ? st.st_mode & 07777 : app::ModeForRewrite(staged->target);
    if (const int err = staged->pending.create(staged->target, {}, mode, false))
        return app::FileError { app::CannotCreateText(file, err) };
    staged->copyMode = st.st_mode & 07777;
    staged->device = existed ? st.st_dev : 0;
    staged->inode = existed ? st.st_ino : 0;
    m_open = std::move(staged);
    m_openError = 0;
    m_openBytes = 0;
    return std::nullopt;
}

void Backups::appendStaged(std::string_view bytes)
{
    if (!m_open || m_openError != 0)
        return;
    m_openError = m_open->pending.append(bytes);
    m_openBytes += bytes.size();
}

std::optional<app::FileError> Backups::endStaged()
{
    if (!m_open)
        return app::FileError { app::CannotCreateText({}, EBADF) };
    std::unique_ptr<Staged> staged = std::move(m_open);
    if (m_openError != 0) {
        staged->pending.discard();
        return app::FileError { app::CannotCreateText(staged->file, m_openError) };
    }
    m_stagedBytes += m_openBytes;
    m_staged.push_back(std::move(*staged));
    return std::nullopt;
}

void Backups::abandonStaged()
{
    if (m_open)
        m_open->pending.discard();
    m_open.reset();
}

bool Backups::mustCommitBefore(const fs::path& file) const
{
    if (m_staged.empty())
        return false;
    if (m_staged.size() >= kBatchFiles || m_stagedBytes >= kBatchBytes || !inEnteredDirectory(file))
        return true;
    // A second name for a waiting file would be read with its old content.
    struct stat st { };
    if (::stat(file.c_str(), &st) != 0)
        return false;
    for (const Staged& staged : m_staged)
        if (staged.inode != 0 && staged.inode == st.st_ino && staged.device == st.st_dev)
            return true;
    return false;
}

std::vector<std::optional<app::FileError>> Backups::commitBatch()
{
    std::vector<Staged> batch = std::move(m_staged);
    m_staged.clear();
    m_stagedBytes = 0;
    std::vector<std::optional<app::FileError>> results(batch.size());
    auto fail = [&](size_t i, app::FileError error) {
        results[i] = std::move(error);
        batch[i].pending.discard();
    };

    // 1. The copies' names, chosen as one rewrite after another would choose them, and listed
    // together. A name listed for a file that then fails is harmless: it hides nothing.
    std::vector<fs::path> copies(batch.size());
    std::vector<std::string> names;
    size_t nameLimit = 0; // asked once: the copies of a batch share their directory
    auto taken = [&](const fs::path& name) {
        return NameExists(name) || std::find(copies.begin(), copies.end(), name) != copies.end();
    };
    for (size_t i = 0; i < batch.size(); ++i) {
        if (!batch[i].makeCopy)
            continue;
        int n = 0;
        while (taken(BackupName(batch[i].file, n)))
            ++n;
        const fs::path copy = BackupName(batch[i].file, n);
        if (nameLimit == 0)
            nameLimit = NameLimit(copy);
        if (copy.filename().native().size() > nameLimit) {
            fail(i, app::FileError { app::CannotCreateText(copy, ENAMETOOLONG) });
            continue;
        }
        copies[i] = copy;
        names.push_back(copy.filename().string());
    }
    // Several files are flushed by one flush of their file system, which costs about what one
    // file's flush does; the list's lines go with them.
    const bool flushTogether = batch.size() >= kFlushTogetherFrom;
    HiddenList* hidden = m_current ? &m_current->hidden : nullptr;
    auto failCopies = [&](int err) {
        const app::FileError error
            = hidden ? HiddenListFailure(*hidden, err) : Failure(kMsgHiddenListFailed, fs::path(".hidden"), err);
        for (size_t i = 0; i < batch.size(); ++i)
            if (!copies[i].empty()) {
                copies[i].clear();
                fail(i, error);
            }
    };
    if (!names.empty())
        if (const int err = hidden ? hidden->addAll(names, !flushTogether) : EINVAL)
            failCopies(err);

    // 2. Every new content and the list on disk, before any copy exists.
    bool flushed = false;
    if (flushTogether) {
        const int dir = ::open(hidden ? hidden->directory().c_str() : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            flushed = ::syncfs(dir) == 0;
            ::close(dir);
        }
        if (flushed)
            app::CrashPoint();
    }
    // Each file's own flush: after the file system's it finds nothing left to write, but still
    // tells which file a write error belongs to.
    for (size_t i = 0; i < batch.size(); ++i)
        if (!results[i])
            if (const int err = batch[i].pending.sync()) {
                fail(i, app::FileError { app::CannotCreateText(batch[i].file, err) });
                copies[i].clear();
            }
    if (flushTogether && !flushed
        && std::any_of(copies.begin(), copies.end(), [](const fs::path& c) { return !c.empty(); }))
        if (const int err = hidden->sync())
            failCopies(err);

    // 3. The copies, then one flush of the directory for all of their names.
    std::vector<fs::path> copyDirectories;
    for (size_t i = 0; i < batch.size(); ++i) {
        if (copies[i].empty())
            continue;
        if (::link(batch[i].target.c_str(), copies[i].c_str()) == 0) {
            app::CrashPoint();
        } else if (const int linkErr = errno; linkErr == EEXIST || linkErr == ENAMETOOLONG) {
            fail(i, app::FileError { app::CannotCreateText(copies[i], linkErr) });
            copies[i].clear();
            continue;
        } else if (const int err = app::CopyToNewFileDurably(batch[i].target, copies[i], batch[i].copyMode)) {
            fail(i, app::FileError { app::CannotCreateText(copies[i], err) });
            copies[i].clear();
            continue;
        }
        const fs::path dir = DirectoryOf(copies[i]);
        if (std::find(copyDirectories.begin(), copyDirectories.end(), dir) == copyDirectories.end())
            copyDirectories.push_back(dir);
    }
    for (const fs::path& dir : copyDirectories) {
        if (const int err = app::SyncDirectory(dir)) {
            // Without a durable name the copy is not kept: those files stay as they are.
            for (size_t i = 0; i < batch.size(); ++i)
                if (!copies[i].empty() && DirectoryOf(copies[i]) == dir) {
                    ::unlink(copies[i].c_str());
                    fail(i, app::FileError { app::CannotCreateText(copies[i], err) });
                    copies[i].clear();
                }
            continue;
        }
        app::CrashPoint();
    }

    // 4. Each new content over its original, then one flush of each directory renamed in.
    std::vector<fs::path> renamedDirectories;
    for (size_t i = 0; i < batch.size(); ++i) {
        if (results[i])
            continue;
        if (const int err = batch[i].pending.commit(false)) {
            if (!copies[i].empty())
                ::unlink(copies[i].c_str());
            results[i] = app::FileError { app::CannotCreateText(batch[i].file, err) };
            continue;
        }
        const fs::path dir = DirectoryOf(batch[i].target);
        if (std::find(renamedDirectories.begin(), renamedDirectories.end(), dir) == renamedDirectories.end())
            renamedDirectories.push_back(dir);
    }
    for (const fs::path& dir : renamedDirectories) {
        (void)app::SyncDirectory(dir); // the contents are safe; only the entries could lag
        app::CrashPoint();
    }
    return results;
}

std::optional<app::FileError> Backups::restore(const fs::path& file, bool toFirst, bool& restored)
{
    restored = false;
    return inDirectory(file, [&](HiddenList& hidden) -> std::optional<app::FileError> {
        const int run = BackupRunLength(file);
        if (run == 0)
            return std::nullopt;
        const fs::path target = WriteTarget(file);
        if (CheckWritable(target))
            return Failure(kMsgReadOnly, file, app::FileFailure::ReadOnly);
        if (toFirst) {
            // The latest first: an interruption leaves a shorter run that still begins with
            // the first copy, and no later copy without its predecessors.
            for (int n = run - 1; n >= 1; --n) {
                const fs::path later = BackupName(file, n);
                if (::unlink(later.c_str()) != 0)
                    return Failure(kMsgCannotRestore, file, errno);
                hidden.remove(later.filename().string());
                app::CrashPoint();
            }
            (void)app::SyncDirectory(DirectoryOf(file));
        }
        const fs::path copy = BackupName(file, toFirst ? 0 : run - 1);
        if (const int err = PutBack(copy, file))
            return Failure(kMsgCannotRestore, file, err);
        hidden.remove(copy.filename().string());
        hidden.remove(file.filename().string());
        restored = true;
        return std::nullopt;
    });
}

bool Backups::RestorePrevious(const fs::path& file, std::optional<app::FileError>* error)
{
    return countedRestore(file, false, error);
}

bool Backups::RestoreFirst(const fs::path& file, std::optional<app::FileError>* error)
{
    return countedRestore(file, true, error);
}

bool Backups::countedRestore(const fs::path& file, bool toFirst, std::optional<app::FileError>* error)
{
    ++m_filesProcessed;
    bool restored = false;
    std::optional<app::FileError> failure = restore(file, toFirst, restored);
    if (restored)
        ++m_filesRestored;
    if (failure)
        ++m_filesFailed;
    if (error)
        *error = std::move(failure);
    return restored;
}

std::optional<app::FileError> Backups::DeleteBackups(const fs::path& file)
{
    std::optional<app::FileError> failure
        = inDirectory(file, [&](HiddenList& hidden) -> std::optional<app::FileError> {
              // The latest first, so that a copy that stays never follows a gap.
              for (int n = BackupRunLength(file) - 1; n >= 0; --n) {
                  const fs::path copy = BackupName(file, n);
                  if (::unlink(copy.c_str()) != 0)
                      return Failure(kMsgCannotDeleteCopy, copy, errno);
                  ++m_backupsDeleted;
                  hidden.remove(copy.filename().string());
              }
              return std::nullopt;
          });
    if (failure)
        ++m_filesFailed;
    return failure;
}

} // namespace morvane::search
