#pragma once
// Shared by the template tests: evaluation against a fixed list of group texts standing in for
// the engine's match, and a readable form of byte strings for failure messages.

#include "codepage/CodePage.h"
#include "template/EvaluateTemplate.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::test {

// Groups are given in UTF-8 and converted like every Russian source literal; groups past the
// end of the list did not take part in the match.
inline templ::GroupTextSource FakeGroups(std::vector<std::string> utf8Groups)
{
    std::vector<std::string> groups;
    for (const auto& g : utf8Groups)
        groups.push_back(codepage::Utf8ToWin1251(g));
    return [groups](int n) {
        return n >= 0 && n < static_cast<int>(groups.size()) ? groups[static_cast<size_t>(n)] : std::string();
    };
}

// Evaluates a UTF-8 template and returns the result converted back to UTF-8.
inline std::string EvaluateUtf8(std::string_view utf8Template, const templ::GroupTextSource& groups,
    const templ::RunCounters& counters = {}, const std::filesystem::path& path = {})
{
    return codepage::Win1251ToUtf8(
        templ::EvaluateTemplate(codepage::Utf8ToWin1251(utf8Template), groups, counters, path));
}

} // namespace morvane::test
