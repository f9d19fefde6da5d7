#include "search/FileTransfer.h"

#include "app/DurableWrite.h"
#include "app/FileIo.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace morvane::search {

namespace fs = std::filesystem;

namespace {

// Closes a descriptor on every path out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    // Closes now and reports the result: a delayed write error can surface here.
    int close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

int CopyBytes(int from, int to)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        if (const int err = app::WriteAllToDescriptor(to, std::string_view(buffer, static_cast<size_t>(n))))
            return err;
    }
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

int CopyFileComplete(const fs::path& source, const fs::path& target)
{
    // Non-blocking, so that a named pipe or a device is refused instead of waited on.
    Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0)
        return errno;
    struct stat st { };
    if (::fstat(in.get(), &st) != 0)
        return errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (!S_ISREG(st.st_mode))
        return EINVAL;

    struct stat existing { };
    if (::stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return EISDIR;
        // Writing a file onto itself would be a no-op at best; for a move it would be followed
        // by deleting the only copy.
        if (SameFile(st, existing))
            return EINVAL;
    }

    app::PendingFile out;
    int err = out.create(target, {}, st.st_mode & 07777, false);
    if (err == 0)
        err = CopyBytes(in.get(), out.descriptor());
    if (err == 0) {
        const struct timespec times[2] = { st.st_atim, st.st_mtim };
        ::futimens(out.descriptor(), times); // a lost time stamp is no reason to fail the copy
    }
    if (err == 0)
        err = out.sync();
    if (err == 0)
        err = out.commit();
    return err;
}

MoveResult MoveFileComplete(const fs::path& source, const fs::path& target)
{
    // Every failure leaves its reason in errno for the caller's message.
    struct stat from { };
    if (::lstat(source.c_str(), &from) != 0)
        return MoveResult::Failed;
    struct stat to { };
    if (S_ISDIR(from.st_mode) || (::stat(target.c_str(), &to) == 0 && S_ISDIR(to.st_mode))) {
        errno = EISDIR;
        return MoveResult::Failed;
    }
    if (::lstat(target.c_str(), &to) == 0 && SameFile(from, to)) {
        errno = EINVAL;
        return MoveResult::Failed;
    }
    if (::rename(source.c_str(), target.c_str()) == 0)
        return MoveResult::Moved;
    // Another file system (or a rename the system refuses): copy, and delete the source only
    // once the copy is complete.
    const int err = S_ISLNK(from.st_mode) ? CopySymlink(source, target) : CopyFileComplete(source, target);
    if (err != 0) {
        errno = err;
        return MoveResult::Failed;
    }
    return DeleteFileEntry(source) == 0 ? MoveResult::Moved : MoveResult::CopiedOnly;
}

int CopySymlink(const fs::path& source, const fs::path& target)
{
    std::error_code ec;
    const fs::path link = fs::read_symlink(source, ec);
    if (ec)
        return ec.value();
    struct stat existing { };
    if (::lstat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return EISDIR;
        if (::unlink(target.c_str()) != 0)
            return errno;
    }
    return ::symlink(link.c_str(), target.c_str()) == 0 ? 0 : errno;
}

int DeleteFileEntry(const fs::path& path)
{
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int RemoveEmptyDirectory(const fs::path& path)
{
    return ::rmdir(path.c_str()) == 0 ? 0 : errno;
}

CreateDirResult CreateDirectoryStep(const fs::path& path)
{
    if (::mkdir(path.c_str(), 0777) == 0)
        return CreateDirResult::Created;
    const int err = errno;
    struct stat st { };
    if (err == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return CreateDirResult::Existed;
    errno = err; // the caller reports mkdir's reason
    return CreateDirResult::Failed;
}

std::vector<DirectoryEntry> ListDirectory(const fs::path& dir, bool& ok)
{
    std::vector<DirectoryEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    ok = !ec;
    for (; ok && it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            ok = false;
            break;
        }
        DirectoryEntry entry;
        entry.name = it->path().filename();
        std::error_code kindError;
        entry.symlink = it->is_symlink(kindError);
        entry.directory = !entry.symlink && it->is_directory(kindError);
        entries.push_back(std::move(entry));
    }
    if (ec)
        ok = false;
    return entries;
}

bool IsSameOrBelow(const fs::path& inner, const fs::path& outer)
{
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(inner, ec);
    if (ec)
        return false;
    const fs::path b = fs::weakly_canonical(outer, ec);
    if (ec)
        return false;
    auto ai = a.begin();
    for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
        if (bi->empty() && std::next(bi) == b.end())
            break; // a trailing separator
        if (ai == a.end() || *ai != *bi)
            return false;
    }
    return true;
}

} // namespace morvane::search
