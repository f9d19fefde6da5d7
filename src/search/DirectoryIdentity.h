#pragma once
// What makes a directory the same directory whatever path leads to it: its device and inode,
// after following links. The walks remember the directories they have entered by it, so a
// symbolic link back into the tree (or a second link to a directory already walked) is not
// followed again and a link cycle ends. Covered by tests/search/DirectoryIdentityTest.cpp.

#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace morvane::search {

struct DirectoryIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    friend bool operator==(const DirectoryIdentity&, const DirectoryIdentity&) = default;
    friend auto operator<=>(const DirectoryIdentity&, const DirectoryIdentity&) = default;

    // The identity of directory `dir`; nothing when it is not a directory or cannot be
    // examined (vanished, or a path component not searchable).
    static std::optional<DirectoryIdentity> of(const std::filesystem::path& dir);
};

} // namespace morvane::search
