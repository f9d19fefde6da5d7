// File mask matching. Tests: tests/search/NameMaskTest.cpp.

#include "search/NameMask.h"

#include "codepage/CodePage.h"
#include "search/NameFold.h"

namespace morvane::search {

namespace {

// Wildcard match with single-star backtracking: linear in practice, never exponential.
bool WildcardMatch(std::u32string_view mask, std::u32string_view name)
{
    size_t m = 0, n = 0;
    size_t starMask = std::u32string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == U'?' || mask[m] == name[n])) {
            ++m;
            ++n;
        } else if (m < mask.size() && mask[m] == U'*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::u32string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == U'*')
        ++m;
    return m == mask.size();
}

} // namespace

NameMask::NameMask(std::string_view maskText)
    : m_mask(FoldedName(codepage::Win1251ToUtf8(maskText)))
{
}

bool NameMask::matches(std::string_view name) const
{
    if (m_mask.empty())
        return false;
    const std::u32string folded = FoldedName(name);
    if (WildcardMatch(m_mask, folded))
        return true;
    const std::u32string_view mask(m_mask);
    return mask.size() >= 2 && mask.ends_with(U".*")
        && WildcardMatch(mask.substr(0, mask.size() - 2), folded);
}

std::vector<std::string> SplitMaskText(std::string_view maskText)
{
    std::vector<std::string> masks;
    size_t start = 0;
    while (true) {
        const size_t semicolon = maskText.find(';', start);
        if (semicolon == std::string_view::npos) {
            masks.emplace_back(maskText.substr(start));
            return masks;
        }
        masks.emplace_back(maskText.substr(start, semicolon - start));
        start = semicolon + 1;
    }
}

} // namespace morvane::search
