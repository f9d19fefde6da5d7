#pragma once
// Case-insensitive handling of file names as the file system stores them (bytes, UTF-8 here):
// the order in which a directory's entries are walked, and the comparison of mask characters.
// Names that are not valid UTF-8 still work: each byte of a broken sequence counts as one
// character of its own, distinct from every real character. Covered by
// tests/search/NameFoldTest.cpp.

#include <string>
#include <string_view>

namespace morvane::search {

// `name` as a sequence of characters with letter case folded to upper case (Latin, Latin-1
// and Cyrillic letters), the way the original platform's file system compares names: upper
// case, so that "_" sorts after the letters as it does there. A byte outside a valid UTF-8
// sequence becomes 0x110000 plus the byte value.
std::u32string FoldedName(std::string_view name);

// Orders two names without regard to case; names equal apart from case are ordered by their
// bytes, so the order is total and every walk is reproducible. Negative, zero or positive.
int CompareNamesNoCase(std::string_view a, std::string_view b);

} // namespace morvane::search
