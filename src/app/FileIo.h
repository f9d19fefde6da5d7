#pragma once
// Whole-file reading and writing with the standard failure texts. Writing goes to a temporary
// file beside the target that then replaces it, so a failure midway (a full disk, a vanished
// directory) never leaves the target half written; a directory where no file can be created is an
// error (the file is never rewritten in place). Covered by tests/app/FileIoTest.cpp.

#include "app/FileError.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::app {

// Reads every byte of `path` into `bytes`, reusing its capacity. On failure returns the
// "Cannot open file" error; `bytes` is untouched when the file could not be opened and empty
// when reading failed midway.
std::optional<FileError> ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Opens the files a reader goes through by their names in the directory it opened for the file
// before, when that is their directory too: the kernel then looks up one name rather than every
// directory of the path, which is a good part of the cost of opening a small file. Only for
// reading in a pass that writes nothing: a directory moved away and replaced while the pass runs
// would go on being read from where it went. One per thread.
class DirectoryOpener {
public:
    DirectoryOpener() = default;
    ~DirectoryOpener();
    DirectoryOpener(const DirectoryOpener&) = delete;
    DirectoryOpener& operator=(const DirectoryOpener&) = delete;

    // A read-only descriptor of `path` (close-on-exec), or -1 with errno set. When the
    // directory cannot be opened the whole path is, so the failure is the plain open's.
    int openForReading(const std::filesystem::path& path);

private:
    std::string m_directory; // the directory m_fd is, as its path's text
    int m_fd = -1;
};

// ReadWholeFile, opening the file through `opener`.
std::optional<FileError> ReadWholeFile(
    const std::filesystem::path& path, std::string& bytes, DirectoryOpener& opener);

// Replaces the contents of `path` by `bytes` (creating it when absent). The file keeps its
// permission bits when it existed. On failure the old contents are untouched and the
// "Cannot create file" error is returned.
std::optional<FileError> WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Writes all of `bytes` to the open descriptor `fd`, retrying after interruptions and short
// writes. Returns 0, or the errno of the failure.
int WriteAllToDescriptor(int fd, std::string_view bytes);

} // namespace morvane::app
