// File masks. The matcher is the usual two-pointer glob walk that, on a mismatch, returns to
// the last "*" and lets it swallow one more character; it runs in O(mask * name) at worst and
// never recurses. Covered by tests/filepanel/MaskTest.cpp.

#include "filepanel/Mask.h"

#include "codepage/CodePage.h"
#include "filepanel/CaseFold.h"

namespace morvane::filepanel {

std::vector<std::string> SplitMaskText(std::string_view maskText)
{
    std::vector<std::string> masks;
    std::size_t start = 0;
    for (;;) {
        const std::size_t sep = maskText.find(';', start);
        if (sep == std::string_view::npos) {
            masks.emplace_back(maskText.substr(start));
            return masks;
        }
        masks.emplace_back(maskText.substr(start, sep - start));
        start = sep + 1;
    }
}

bool MatchesMask(std::string_view mask, std::string_view name)
{
    if (mask.empty())
        return false;
    if (mask == "*.*")
        return true;

    std::size_t m = 0;
    std::size_t n = 0;
    std::size_t starMask = std::string_view::npos; // position after the last "*" seen
    std::size_t starName = 0; // name position that "*" is currently extended to
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = ++m;
            starName = n;
        } else if (m < mask.size()
            && (mask[m] == '?'
                || LowerWin1251(static_cast<unsigned char>(mask[m]))
                    == LowerWin1251(static_cast<unsigned char>(name[n])))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

bool MatchesFileName(std::string_view mask, const std::filesystem::path& fileName)
{
    // The masks that take every name need no converted name (a walk asks for every file).
    if (mask == "*.*" || mask == "*")
        return true;
    return MatchesMask(mask, codepage::Utf8ToWin1251(fileName.native()));
}

} // namespace morvane::filepanel
