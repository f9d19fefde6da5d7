#include "app/FileError.h"

#include "codepage/CodePage.h"

#include <cstring>

namespace morvane::app {

std::string PathText(const std::filesystem::path& path)
{
    // The file system's names are UTF-8 here; program text is Windows-1251.
    return codepage::Utf8ToWin1251(path.string());
}

std::string SystemReason(int err)
{
    return codepage::Utf8ToWin1251(std::strerror(err));
}

std::string CannotOpenText(const std::filesystem::path& path, int err)
{
    return "Cannot open file \"" + PathText(path) + "\". " + SystemReason(err);
}

std::string CannotCreateText(const std::filesystem::path& path, int err)
{
    return "Cannot create file \"" + PathText(path) + "\". " + SystemReason(err);
}

} // namespace morvane::app
