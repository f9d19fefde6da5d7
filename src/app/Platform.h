#pragma once
// The few facts the program asks of the operating system outside file I/O: environment
// variables, the running executable's location, whether a directory accepts new files, and
// whether the system's default locale is Russian. Each has a pure variant taking its inputs so
// the policies built on them can be tested without changing the process environment.
// Covered by tests/app/PlatformTest.cpp.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::app {

// The value of environment variable `name`, or nothing when it is unset. An empty value is
// returned as it is; callers decide whether empty counts as unset.
std::optional<std::string> EnvironmentValue(const char* name);

// Absolute path of the running executable, or an empty path when the system cannot tell.
std::filesystem::path ExecutablePath();

// True when the current user may create files in directory `dir`.
bool IsDirectoryWritable(const std::filesystem::path& dir);

// The locale decision from the three POSIX variables, taken in their order of precedence:
// the first non-empty of LC_ALL, LC_CTYPE and LANG decides, and the locale is Russian when
// that value begins with "ru" (as in "ru_RU.UTF-8" or "ru"). None set: not Russian.
bool IsRussianLocale(std::string_view lcAll, std::string_view lcCtype, std::string_view lang);

// Whether the system default locale is Russian (Windows' locale identifier 1049), read from
// the process environment once and cached.
bool IsRussianDefaultLocale();

} // namespace morvane::app
