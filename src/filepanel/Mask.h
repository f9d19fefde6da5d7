#pragma once
// File masks as the user types them in the mask box: "*" any run of characters, "?" exactly
// one character, letters compared without regard to case (Latin and Cyrillic), and "*.*"
// matching every name, with or without a dot, as the Windows directory search does. Several
// masks are separated by ";". Masks are program text (Windows-1251); file names on disk are
// converted to that code page before matching, so a name with characters the code page lacks
// still matches "*" and "?" (each such character counts as one). Covered by
// tests/filepanel/MaskTest.cpp.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::filepanel {

// The masks of a mask text, split at every ";" from left to right without trimming: the text
// between two separators, or after the last one, is one mask even when empty
// ("*.htm;" gives "*.htm" and ""). An empty text gives one empty mask.
std::vector<std::string> SplitMaskText(std::string_view maskText);

// True when `name` (Windows-1251) matches the single mask `mask` (Windows-1251). An empty mask
// matches nothing.
bool MatchesMask(std::string_view mask, std::string_view name);

// The same for a name as the file system stores it (the last component of a path).
bool MatchesFileName(std::string_view mask, const std::filesystem::path& fileName);

} // namespace morvane::filepanel
