#include "app/FileIo.h"

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

std::optional<FileError> ReadWholeFile(const std::filesystem::path& path, std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileError { CannotOpenText(path, errno) };
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
    }
    ::close(fd);
    bytes.resize(done);
    return std::nullopt;
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

    // Write beside the target, then rename over it: the rename is atomic, so the target holds
    // either its old or its new contents, whatever happens midway.
    mode_t mode = 0666;
    struct stat st { };
    const bool existed = ::stat(path.c_str(), &st) == 0;
    if (existed) {
        if (S_ISDIR(st.st_mode))
            return FileError { CannotCreateText(shownPath, EISDIR) };
        mode = st.st_mode & 07777;
    }
    std::filesystem::path temp = path;
    temp += ".morvane-XXXXXX";
    std::string templ = temp.string();
    const int fd = ::mkstemp(templ.data());
    if (fd < 0) {
        const int err = errno;
        // No fallback to rewriting in place: a write cut short there (a full disk) would destroy
        // the only copy. A directory we may not create files in is an error like any other.
        return FileError { CannotCreateText(shownPath, err) };
    }
    int err = WriteAllToDescriptor(fd, bytes);
    if (!err && ::fsync(fd) != 0)
        err = errno;
    if (!existed) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (!err && ::fchmod(fd, mode) != 0)
        err = errno;
    if (::close(fd) != 0 && !err)
        err = errno;
    if (!err && ::rename(templ.c_str(), path.c_str()) != 0)
        err = errno;
    if (err) {
        ::unlink(templ.c_str());
        return FileError { CannotCreateText(shownPath, err) };
    }
    return std::nullopt;
}

} // namespace morvane::app
