#pragma once
// A file mask as the directory search of the original platform matches it: "*" any run of
// characters, "?" exactly one character, everything else one character compared without
// regard to case; a mask that ends with ".*" also matches the names the rest of it matches,
// so "*.*" matches every name, dotted or not. An empty mask matches nothing. The mask is
// program text (Windows-1251); names are file system bytes. Covered by
// tests/search/NameMaskTest.cpp.

#include <string>
#include <string_view>
#include <vector>

namespace morvane::search {

class NameMask {
public:
    // `maskText` is one mask (no ";" splitting here), in Windows-1251.
    explicit NameMask(std::string_view maskText);

    // Whether the file system name `name` matches.
    bool matches(std::string_view name) const;

private:
    std::u32string m_mask; // folded characters; "*" and "?" are the wildcards
};

// The masks of a mask text: split at every ";", left to right; the text between two
// separators, or after the last one, is one mask even when empty. A text without ";" is one
// mask.
std::vector<std::string> SplitMaskText(std::string_view maskText);

} // namespace morvane::search
