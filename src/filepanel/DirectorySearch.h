#pragma once
// Reading a directory the way the program's directory searches expect: every entry with its
// attribute word, size and modification time, filtered by a mask and an attribute request,
// in a reproducible order (names compared without regard to case, the order users of the
// original platform's file system see). Symbolic links count as what they point to; a
// dangling link is a file. Device nodes, pipes and sockets are left out: no pass could read
// them as text and opening a pipe would block. Covered by
// tests/filepanel/DirectorySearchTest.cpp.

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::filepanel {

// One directory entry as a search reports it.
struct DirEntry {
    std::filesystem::path name; // the last component, in the file system's bytes
    unsigned attributes = 0; // kAttr* bits (FileAttributes.h)
    std::uint64_t size = 0; // the real size in bytes; 0 for a directory
    std::time_t modified = 0; // last modification, seconds since the epoch
    bool symlink = false; // the entry itself is a symbolic link
    bool isDirectory() const;
};

// The names that `dir`'s ".hidden" file lists, one per line (a CR before the line end is not
// part of the name; empty lines are skipped). No file, or an unreadable one: no names.
std::vector<std::string> ReadHiddenList(const std::filesystem::path& dir);

// Every entry of `dir` except "." and "..", in name order compared without regard to case
// (ties in the file system's bytes). A directory that cannot be read gives no entries; an
// entry that vanishes while it is being read is left out.
// With `typesOnly` an entry the directory itself says is a file or a directory is not looked
// up: its size, time and read-only bit are left 0 (a walk that only needs names and kinds
// saves one system call per file).
std::vector<DirEntry> ReadDirectoryEntries(const std::filesystem::path& dir, bool typesOnly = false);

// True when an entry with `attributes` passes the attribute request `request`: it carries
// none of the special attributes (hidden, system, volume, directory) the request lacks.
bool PassesRequest(unsigned attributes, unsigned request);

// True when `entry` matches `mask` (Mask.h) and passes `request`.
bool PassesFilter(const DirEntry& entry, std::string_view mask, unsigned request);

// The entries of `entries` that pass the filter, in their order.
std::vector<DirEntry> FilterEntries(
    const std::vector<DirEntry>& entries, std::string_view mask, unsigned request);

// ReadDirectoryEntries and FilterEntries in one: the find-first/find-next search of
// dir + "/" + mask.
std::vector<DirEntry> FindEntries(const std::filesystem::path& dir, std::string_view mask, unsigned request);

// Orders names as ReadDirectoryEntries does: true when `a` comes before `b`.
bool NameOrderLess(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace morvane::filepanel
