// Directory identity for the walks. Tests: tests/search/DirectoryIdentityTest.cpp.

#include "search/DirectoryIdentity.h"

#include <sys/stat.h>

namespace morvane::search {

std::optional<DirectoryIdentity> DirectoryIdentity::of(const std::filesystem::path& dir)
{
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return DirectoryIdentity { static_cast<std::uint64_t>(info.st_dev),
        static_cast<std::uint64_t>(info.st_ino) };
}

} // namespace morvane::search
