// Backup copies and the crash-safe rewrite. Tests: tests/search/BackupsTest.cpp,
// tests/search/BackupWriteTest.cpp.

#include "search/Backups.h"

#include "search/HiddenList.h"

#include "app/FileIo.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

// Whether a directory entry of that name exists (a dangling link counts: the name is taken).
bool NameExists(const fs::path& path)
{
    struct stat st { };
    return ::lstat(path.c_str(), &st) == 0;
}

// Copies `from` to the new file `to` (which must not exist) with `mode`, flushed to disk.
// Returns 0 or the errno of the failure; a partial copy is removed.
int CopyToNewFile(const fs::path& from, const fs::path& to, mode_t mode)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return err;
    }
    int err = 0;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            break;
        }
        if (n == 0)
            break;
        err = app::WriteAllToDescriptor(out, std::string_view(buffer, static_cast<size_t>(n)));
        if (err)
            break;
    }
    if (!err && ::fsync(out) != 0)
        err = errno;
    if (::close(out) != 0 && !err)
        err = errno;
    ::close(in);
    if (err)
        ::unlink(to.c_str());
    return err;
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

// Gives `backupName` the content `target` has now without disturbing `target`: a second name
// for the same data where the file system allows it, else a copy. Returns 0 or the errno.
int KeepAsBackup(const fs::path& target, const fs::path& backupName, mode_t mode)
{
    if (::link(target.c_str(), backupName.c_str()) == 0)
        return 0;
    if (errno == EEXIST)
        return EEXIST;
    return CopyToNewFile(target, backupName, mode);
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

void Backups::MakeBackup(const fs::path& file) const
{
    if (!m_saveBackup || !NameExists(file))
        return;
    const fs::path backup = BackupName(file, BackupRunLength(file));
    if (::rename(file.c_str(), backup.c_str()) == 0)
        AddToHiddenList(backup);
}

void Backups::MakeBackupCopy(const fs::path& file) const
{
    if (!m_saveBackup)
        return;
    struct stat st { };
    if (::stat(file.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return;
    const fs::path backup = BackupName(file, BackupRunLength(file));
    if (CopyToNewFile(file, backup, st.st_mode & 07777) == 0)
        AddToHiddenList(backup);
}

std::optional<app::FileError> Backups::RewriteFile(const fs::path& file, std::string_view bytes) const
{
    return rewrite(file, bytes, m_saveBackup);
}

std::optional<app::FileError> Backups::WriteFileSafely(const fs::path& file, std::string_view bytes)
{
    return rewrite(file, bytes, false);
}

std::optional<app::FileError> Backups::rewrite(const fs::path& file, std::string_view bytes, bool backup)
{
    const fs::path target = WriteTarget(file);
    struct stat st { };
    const bool existed = ::stat(target.c_str(), &st) == 0;
    mode_t mode;
    if (existed) {
        if (S_ISDIR(st.st_mode))
            return app::FileError { app::CannotCreateText(file, EISDIR) };
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    // 1. The complete new content in a temporary file beside the target.
    fs::path temp = target;
    temp += ".morvane-XXXXXX";
    std::string tempName = temp.string();
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return app::FileError { app::CannotCreateText(file, errno) };
    int err = app::WriteAllToDescriptor(fd, bytes);
    if (!err && ::fsync(fd) != 0)
        err = errno;
    if (!err && ::fchmod(fd, mode) != 0)
        err = errno;
    if (::close(fd) != 0 && !err)
        err = errno;
    if (err) {
        ::unlink(tempName.c_str());
        return app::FileError { app::CannotCreateText(file, err) };
    }

    // 2. The backup copy: the original's data under the next backup name, the original still
    // in place. A copy that cannot be made stops the write, since going on would lose the
    // content the user asked to keep.
    fs::path backupName;
    if (backup && existed) {
        backupName = BackupName(file, BackupRunLength(file));
        err = KeepAsBackup(target, backupName, mode);
        if (err) {
            ::unlink(tempName.c_str());
            return app::FileError { app::CannotCreateText(backupName, err) };
        }
    }

    // 3. The new file over the original in one step.
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        err = errno;
        ::unlink(tempName.c_str());
        if (!backupName.empty())
            ::unlink(backupName.c_str());
        return app::FileError { app::CannotCreateText(file, err) };
    }
    if (!backupName.empty())
        AddToHiddenList(backupName);
    return std::nullopt;
}

bool Backups::RestorePrevious(const fs::path& file)
{
    ++m_filesProcessed;
    const int run = BackupRunLength(file);
    if (run == 0)
        return false;
    const fs::path latest = BackupName(file, run - 1);
    // The rename replaces the file in one step: no moment without it.
    (void)::rename(latest.c_str(), file.c_str());
    RemoveFromHiddenList({ latest, file });
    ++m_filesRestored;
    return true;
}

bool Backups::RestoreFirst(const fs::path& file)
{
    ++m_filesProcessed;
    const fs::path first = BackupName(file, 0);
    if (!NameExists(first))
        return false;
    (void)::rename(first.c_str(), file.c_str());
    ++m_filesRestored;
    std::vector<fs::path> unlisted { first, file };
    for (int n = 1;; ++n) {
        const fs::path later = BackupName(file, n);
        if (!NameExists(later))
            break;
        std::error_code ec;
        fs::remove(later, ec); // a failed deletion is not examined: on to the next number
        unlisted.push_back(later);
    }
    RemoveFromHiddenList(unlisted);
    return true;
}

void Backups::DeleteBackups(const fs::path& file)
{
    std::vector<fs::path> deleted;
    for (int n = 0;; ++n) {
        const fs::path copy = BackupName(file, n);
        if (!NameExists(copy))
            break;
        std::error_code ec;
        if (fs::remove(copy, ec) && !ec) {
            ++m_backupsDeleted;
            deleted.push_back(copy);
        }
    }
    if (!deleted.empty())
        RemoveFromHiddenList(deleted);
}

} // namespace morvane::search
