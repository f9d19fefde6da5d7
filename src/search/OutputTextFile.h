#pragma once
// Writing one replacement as a file of its own (file-split output): the text converted from
// Windows-1251 to the chosen code page, the file created or overwritten without asking. The
// new content replaces the old only once it is complete on disk.
// Covered by tests/search/OutputFilesTest.cpp.

#include "app/FileError.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace morvane::search {

// `codePage` is 0 Windows-1251, 1 KOI8-R, 2 DOS-866 or 3 UTF-8 (for "AutoDetect" the caller
// passes the detected code page). On failure the "Cannot create file" error.
std::optional<app::FileError> WriteOutputTextFile(
    std::string_view text, const std::filesystem::path& path, int codePage);

} // namespace morvane::search
