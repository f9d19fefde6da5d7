#pragma once
// The options a walk reads once at its start: the mask text (cbMask), the subdirectory option
// (tbSubDir), the hidden files option (miHideFiles) and the collecting output file, which is
// never taken as a source. Covered by tests/search/WalkOrderTest.cpp.

#include <filesystem>
#include <string>

namespace morvane::search {

struct PassOptions {
    std::string maskText = "*.*";         // one or more masks separated by ";", Windows-1251
    bool subDirectories = false;          // walk into subdirectories
    bool hiddenFiles = false;             // include hidden files and subdirectories
    std::filesystem::path collectingFile; // empty when replacements do not go to one file
};

} // namespace morvane::search
