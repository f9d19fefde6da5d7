#include "app/Platform.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace morvane::app {

std::optional<std::string> EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    if (!value)
        return std::nullopt;
    return std::string(value);
}

std::filesystem::path ExecutablePath()
{
    std::error_code ec;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return path;
}

bool IsDirectoryWritable(const std::filesystem::path& dir)
{
    // access() answers for the real user, which is the one the program runs as; a directory
    // on a read-only mount reports EROFS here too.
    return !dir.empty() && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

bool IsRussianLocale(std::string_view lcAll, std::string_view lcCtype, std::string_view lang)
{
    std::string_view deciding;
    for (std::string_view candidate : { lcAll, lcCtype, lang }) {
        if (!candidate.empty()) {
            deciding = candidate;
            break;
        }
    }
    return deciding.substr(0, 2) == "ru";
}

bool IsRussianDefaultLocale()
{
    static const bool russian = IsRussianLocale(EnvironmentValue("LC_ALL").value_or(""),
        EnvironmentValue("LC_CTYPE").value_or(""), EnvironmentValue("LANG").value_or(""));
    return russian;
}

} // namespace morvane::app
