// Drives and their space. Covered by tests/filepanel/DrivesTest.cpp.

#include "filepanel/Drives.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/statvfs.h>

namespace morvane::filepanel {

std::optional<DriveSpace> QueryDriveSpace(const std::filesystem::path& root)
{
    struct statvfs info { };
    if (::statvfs(root.c_str(), &info) != 0)
        return std::nullopt;
    DriveSpace space;
    space.freeBytes = static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    space.totalBytes = static_cast<std::uint64_t>(info.f_blocks) * info.f_frsize;
    return space;
}

namespace {

std::string DecodeMountField(const std::string& field)
{
    std::string result;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.size() == 3
                && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                result.push_back(static_cast<char>(std::stoi(digits, nullptr, 8)));
                i += 3;
                continue;
            }
        }
        result.push_back(field[i]);
    }
    return result;
}

} // namespace

std::vector<std::filesystem::path> ParseMountPoints(std::string_view mountTable)
{
    std::vector<std::filesystem::path> points;
    std::istringstream lines { std::string(mountTable) };
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device;
        std::string target;
        if (!(fields >> device >> target) || device.empty() || device[0] != '/')
            continue;
        const std::filesystem::path point = DecodeMountField(target);
        if (point != "/")
            points.push_back(point);
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    points.insert(points.begin(), "/");
    return points;
}

std::vector<std::filesystem::path> MountPoints()
{
    std::ifstream in("/proc/self/mounts");
    const std::string table((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseMountPoints(table);
}

std::filesystem::path DriveRootOf(
    const std::filesystem::path& dir, const std::vector<std::filesystem::path>& mountPoints)
{
    std::filesystem::path best = "/";
    std::size_t bestLength = 0;
    for (const std::filesystem::path& point : mountPoints) {
        auto d = dir.begin();
        auto p = point.begin();
        std::size_t length = 0;
        while (p != point.end() && d != dir.end() && *p == *d) {
            ++p;
            ++d;
            ++length;
        }
        if (p == point.end() && length > bestLength) {
            best = point;
            bestLength = length;
        }
    }
    return best;
}

} // namespace morvane::filepanel
