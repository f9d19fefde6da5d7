#pragma once
// The drives of this platform: "/" and the mount points of real devices, the drive that holds
// a directory, and the free and total space of a drive (statvfs). The panel reaches the space
// query through an injected function so tests can supply their own numbers. Covered by
// tests/filepanel/DrivesTest.cpp.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace morvane::filepanel {

// Space of one drive in bytes: free for the calling user, and total.
struct DriveSpace {
    std::uint64_t freeBytes = 0;
    std::uint64_t totalBytes = 0;
};

// The space of the file system holding `root`; nothing when the system cannot tell.
std::optional<DriveSpace> QueryDriveSpace(const std::filesystem::path& root);

// The drive box's entries from a mount table in the /proc/self/mounts format: "/" first, then
// the mount points of entries whose device is a path (real devices, not proc, sysfs and the
// like), in name order, each once. Octal escapes such as "\040" are decoded.
std::vector<std::filesystem::path> ParseMountPoints(std::string_view mountTable);

// The same read from /proc/self/mounts ("/" alone when it cannot be read).
std::vector<std::filesystem::path> MountPoints();

// The drive of `dir`: the longest of `mountPoints` that contains it ("/" when none does).
std::filesystem::path DriveRootOf(
    const std::filesystem::path& dir, const std::vector<std::filesystem::path>& mountPoints);

} // namespace morvane::filepanel
