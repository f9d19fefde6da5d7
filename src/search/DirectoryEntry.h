#pragma once
// One directory's entries as the walks see them, read in one go: sorted by name without
// regard to case (the order users of the original platform's file system see, so that every
// walk is reproducible), each marked as a file or a directory and as hidden or not.
// Covered by tests/search/DirectoryEntryTest.cpp.
//
// Platform rules: an entry is hidden when its name begins with "." or is listed in the
// directory's ".hidden" file (one name per line, the file managers' convention, which is also
// how backup copies are hidden); there is no system attribute. Symbolic links count as what
// they point to: a link to a file is a file, a link to a directory a directory. Entries that
// are neither a regular file nor a directory after following links (dangling links, pipes,
// sockets, devices) are left out: a pass could not read them, and reading a pipe would hang.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane::search {

struct DirectoryEntry {
    std::string name; // file system bytes, never "." or ".."
    bool directory = false;
    bool hidden = false;
};

// The entries of `dir`. A directory that cannot be read gives what was read before the error
// (usually nothing); that is not an error for a walk.
std::vector<DirectoryEntry> ReadDirectoryEntries(const std::filesystem::path& dir);

// The names listed in `dir`/.hidden; empty when there is no such file.
std::vector<std::string> ReadHiddenList(const std::filesystem::path& dir);

// What makes a directory the same directory whatever path leads to it (device and inode),
// following links; nothing when it cannot be examined.
struct DirectoryIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const DirectoryIdentity&, const DirectoryIdentity&) = default;
    friend auto operator<=>(const DirectoryIdentity&, const DirectoryIdentity&) = default;
};
std::optional<DirectoryIdentity> IdentityOf(const std::filesystem::path& dir);

} // namespace morvane::search
