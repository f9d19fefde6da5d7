// Case-insensitive windowed search of the editor. Covered by tests/editor/TagPairingTest.cpp.
//
// A naive scan: the needles are tag strings of a few characters and the windows are bounded by
// the caller, so nothing cleverer pays for itself.

#include "editor/EditorFind.h"

#include "regex/Win1251Case.h"

#include <algorithm>

namespace morvane::editor {

namespace {

bool SameLetter(unsigned char a, unsigned char b)
{
    return a == b || regex::Win1251InvertCase(a) == b;
}

} // namespace

int EditorFind(std::string_view text, std::string_view needle, int start, int length)
{
    if (needle.empty() || length <= 0)
        return -1;
    const long long size = static_cast<long long>(text.size());
    const long long from = std::max<long long>(start, 0);
    const long long to = std::min<long long>(static_cast<long long>(start) + length, size);
    const long long n = static_cast<long long>(needle.size());
    for (long long pos = from; pos + n <= to; ++pos) {
        long long i = 0;
        while (i < n
            && SameLetter(static_cast<unsigned char>(text[static_cast<size_t>(pos + i)]),
                static_cast<unsigned char>(needle[static_cast<size_t>(i)])))
            ++i;
        if (i == n)
            return static_cast<int>(pos);
    }
    return -1;
}

} // namespace morvane::editor
