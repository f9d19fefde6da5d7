// Durable replacement of file contents. Tests: tests/app/DurableWriteTest.cpp.

#include "app/DurableWrite.h"

#include "app/FileIo.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvane::app {

namespace fs = std::filesystem;

namespace {

std::atomic<int> g_crashCountdown { 0 };

fs::path DirectoryOf(const fs::path& path)
{
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

} // namespace

void SetCrashPoint(int k)
{
    g_crashCountdown = k;
}

void CrashPoint()
{
    if (g_crashCountdown.load(std::memory_order_relaxed) > 0 && --g_crashCountdown == 0)
        ::raise(SIGKILL);
}

void IgnoreFileSizeSignal()
{
    ::signal(SIGXFSZ, SIG_IGN);
}

bool IsTemporaryName(std::string_view name)
{
    if (name.size() != kTempPrefix.size() + 6 || !name.starts_with(kTempPrefix))
        return false;
    for (char c : name.substr(kTempPrefix.size()))
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    return true;
}

int CreateTemporaryBeside(const fs::path& target, fs::path& temp)
{
    const std::string pattern = (DirectoryOf(target) / (std::string(kTempPrefix) + "XXXXXX")).string();
    for (;;) {
        std::string name = pattern;
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        // The lock marks the file as in use. A cleaner that took it first has unlinked the
        // file meanwhile (no links left): start again with a new name.
        struct stat st { };
        if (::flock(fd, LOCK_EX) != 0 || ::fstat(fd, &st) != 0) {
            const int err = errno;
            ::close(fd);
            ::unlink(name.c_str());
            errno = err;
            return -1;
        }
        if (st.st_nlink > 0) {
            temp = std::move(name);
            return fd;
        }
        ::close(fd);
    }
}

PendingFile::~PendingFile()
{
    discard();
}

PendingFile::PendingFile(PendingFile&& other) noexcept
    : m_target(std::move(other.m_target))
    , m_temp(std::move(other.m_temp))
    , m_fd(other.m_fd)
{
    other.m_temp.clear();
    other.m_fd = -1;
}

PendingFile& PendingFile::operator=(PendingFile&& other) noexcept
{
    if (this != &other) {
        discard();
        m_target = std::move(other.m_target);
        m_temp = std::move(other.m_temp);
        m_fd = other.m_fd;
        other.m_temp.clear();
        other.m_fd = -1;
    }
    return *this;
}

int PendingFile::create(const fs::path& target, std::string_view bytes, mode_t mode, bool syncNow)
{
    discard();
    m_target = target;
    m_fd = CreateTemporaryBeside(target, m_temp);
    if (m_fd < 0)
        return errno;
    int err = WriteAllToDescriptor(m_fd, bytes);
    if (!err && ::fchmod(m_fd, mode) != 0)
        err = errno;
    if (!err && syncNow)
        err = sync();
    if (err)
        discard();
    return err;
}

int PendingFile::append(std::string_view bytes)
{
    if (m_fd < 0)
        return EBADF;
    return WriteAllToDescriptor(m_fd, bytes);
}

int PendingFile::sync()
{
    if (m_fd < 0)
        return EBADF;
    if (::fdatasync(m_fd) != 0)
        return errno;
    CrashPoint();
    return 0;
}

int PendingFile::commit(bool syncDirectory)
{
    if (m_fd < 0)
        return EBADF;
    // A delayed write error can surface at close.
    int err = ::close(m_fd) == 0 ? 0 : errno;
    m_fd = -1;
    if (!err && ::rename(m_temp.c_str(), m_target.c_str()) != 0)
        err = errno;
    if (err) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
        return err;
    }
    m_temp.clear();
    CrashPoint();
    if (!syncDirectory)
        return 0;
    (void)SyncDirectory(DirectoryOf(m_target)); // the content is safe; only the entry could lag
    CrashPoint();
    return 0;
}

void PendingFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

mode_t ModeForRewrite(const fs::path& target, bool* isDirectory)
{
    struct stat st { };
    if (::stat(target.c_str(), &st) == 0) {
        if (isDirectory)
            *isDirectory = S_ISDIR(st.st_mode);
        return st.st_mode & 07777;
    }
    if (isDirectory)
        *isDirectory = false;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int WriteFileDurably(const fs::path& target, std::string_view bytes, mode_t mode)
{
    PendingFile file;
    if (const int err = file.create(target, bytes, mode))
        return err;
    return file.commit();
}

int CopyToNewFileDurably(const fs::path& from, const fs::path& to, mode_t mode)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
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
        err = WriteAllToDescriptor(out, std::string_view(buffer, static_cast<size_t>(n)));
        if (err)
            break;
    }
    if (!err && ::fdatasync(out) != 0)
        err = errno;
    if (::close(out) != 0 && !err)
        err = errno;
    ::close(in);
    if (err)
        ::unlink(to.c_str());
    else
        CrashPoint();
    return err;
}

int SyncDirectory(const fs::path& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return err;
}

int RemoveStaleTemporaries(const fs::path& dir)
{
    DIR* stream = ::opendir(dir.c_str());
    if (!stream)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(stream)) {
        if (!IsTemporaryName(entry->d_name))
            continue;
        const fs::path path = dir / entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st { };
        // Unlinked while locked, so a writer that locks it later sees it gone.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
            && ::unlink(path.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(stream);
    return removed;
}

} // namespace morvane::app
