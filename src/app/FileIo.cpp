#include "app/FileIo.h"

#include "app/DurableWrite.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace morvane::app {

int WriteAllToDescriptor(int fd, std::string_view bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<size_t>(n);
    }
    return 0;
}

namespace {

// Reads all of the open `fd` (closing it) into `bytes`, the failures named by `path`.
std::optional<FileError> ReadWholeDescriptor(const std::filesystem::path& path, int fd, std::string& bytes)
{
    struct stat st { };
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return FileError { CannotOpenText(path, EISDIR) };
    }
    // The caller's buffer is reused: a pass reads thousands of files through one buffer, so
    // its capacity settles at the largest file and reading costs no allocation and no copy.
    // The size from fstat is only a hint; the file may grow or shrink while it is read.
    size_t want = st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 65536;
    bytes.resize(want);
    size_t done = 0;
    for (;;) {
        if (done == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            bytes.clear();
            return FileError { CannotOpenText(path, err) };
        }
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
        // A regular file returns less than asked only at its end: the read that would return
        // nothing is saved (thousands of system calls in a pass).
        if (S_ISREG(st.st_mode) && done < bytes.size())
            break;
    }
    ::close(fd);
    bytes.resize(done);
    return std::nullopt;
}

} // namespace

DirectoryOpener::~DirectoryOpener()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int DirectoryOpener::openForReading(const std::filesystem::path& path)
{
    constexpr int kFlags = O_RDONLY | O_CLOEXEC;
    const std::string& text = path.native();
    const size_t slash = text.rfind('/');
    // A bare name, or a name right under the root, costs no walk to save.
    if (slash == std::string::npos || slash == 0 || slash + 1 == text.size())
        return ::open(path.c_str(), kFlags);
    const std::string_view directory(text.data(), slash);
    if (m_fd < 0 || directory != m_directory) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_directory.assign(directory);
        m_fd = ::open(m_directory.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (m_fd < 0)
            return ::open(path.c_str(), kFlags);
    }
    return ::openat(m_fd, text.c_str() + slash + 1, kFlags);
}

std::optional<FileError> ReadWholeFile(const std::filesystem::path& path, std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileError { CannotOpenText(path, errno) };
    return ReadWholeDescriptor(path, fd, bytes);
}

std::optional<FileError> ReadWholeFile(
    const std::filesystem::path& path, std::string& bytes, DirectoryOpener& opener)
{
    const int fd = opener.openForReading(path);
    if (fd < 0)
        return FileError { CannotOpenText(path, errno) };
    return ReadWholeDescriptor(path, fd, bytes);
}

std::optional<FileError> WriteWholeFile(const std::filesystem::path& shownPath, std::string_view bytes)
{
    // A symbolic link (a settings file kept with the user's other dotfiles, say) is written
    // through: renaming over the link itself would replace it by a plain file. The messages
    // keep the path the caller gave.
    std::filesystem::path path = shownPath;
    std::error_code linkError;
    if (std::filesystem::is_symlink(path, linkError)) {
        std::filesystem::path target = std::filesystem::canonical(path, linkError);
        if (!linkError)
            path = std::move(target);
    }

    // Written beside the target and renamed over it (DurableWrite.h); a directory where no
    // file can be created is an error, never a reason to rewrite in place.
    bool isDirectory = false;
    const mode_t mode = ModeForRewrite(path, &isDirectory);
    if (isDirectory)
        return FileError { CannotCreateText(shownPath, EISDIR) };
    if (const int err = WriteFileDurably(path, bytes, mode))
        return FileError { CannotCreateText(shownPath, err) };
    return std::nullopt;
}

} // namespace morvane::app
