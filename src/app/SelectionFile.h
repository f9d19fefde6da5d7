#pragma once
// "Selected.dat": the names of the file panel's marked items, one per line, so the marks
// survive a restart. Covered by tests/app/SelectionFileTest.cpp.
//
// Reading: CR LF, a lone CR and a lone LF each end a line; a last line without an ending is a
// line. Empty lines are skipped: no item has an empty name, and an empty entry would make a
// mark that no listing could ever show (a file edited on another system easily carries a
// doubled line end). A name that repeats an earlier one is dropped too, because the selection
// never holds a name twice. Names are kept as bytes, blanks included (a file name may begin or
// end with a blank).
// Writing: every name followed by CR LF; an empty list gives an empty file.

#include "app/FileError.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::app {

// The names in `text`, by the reading rules above.
std::vector<std::string> ParseSelection(std::string_view text);

// The file contents for `names`.
std::string SelectionText(const std::vector<std::string>& names);

// Reads "Selected.dat" at `path` into `names`. The caller reads only an existing file; a file
// that cannot be read gives the "Cannot open file" error and leaves `names` unchanged.
std::optional<FileError> LoadSelectionFile(
    const std::filesystem::path& path, std::vector<std::string>& names);

// Writes `names` to `path`; the "Cannot create file" error on failure (the old file survives).
std::optional<FileError> SaveSelectionFile(
    const std::filesystem::path& path, const std::vector<std::string>& names);

} // namespace morvane::app
