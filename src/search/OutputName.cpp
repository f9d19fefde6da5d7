// Naming of file-split output. Tests: tests/search/OutputNameTest.cpp.

#include "search/OutputName.h"

#include "codepage/CodePage.h"

#include <cassert>

namespace morvane::search {

std::int64_t OutputNumber(const OutputSplitSettings& settings, const templ::RunCounters& counters)
{
    const std::int64_t start = settings.startNumber;
    const bool byMatches = settings.numbering == OutputNumbering::ByMatches;
    if (settings.nameFromSource)
        return byMatches ? start + counters.MatchesInFile - 1 : start + counters.ReplacementsInFile;
    return byMatches ? start + counters.MatchesTotal - 1 : start + counters.ReplacementsTotal;
}

std::string OutputNumberText(const std::string& separator, std::int64_t number, int digits)
{
    // Written as unsigned, as the name format always did; the counters keep it non-negative.
    assert(number >= 0);
    std::string text = std::to_string(static_cast<std::uint64_t>(number));
    if (digits > 0 && text.size() < static_cast<size_t>(digits))
        text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
    return separator + text;
}

std::filesystem::path OutputName(const OutputSplitSettings& settings,
    const std::filesystem::path& currentFile, const templ::RunCounters& counters)
{
    const std::filesystem::path& source = settings.nameFromSource ? currentFile : settings.fixedName;
    const std::string whole = source.string();
    const std::string name = source.filename().string();
    const size_t dot = name.rfind('.');
    const size_t extensionLength = dot == std::string::npos ? 0 : name.size() - dot;
    const std::string base = whole.substr(0, whole.size() - extensionLength);
    const std::string extension = whole.substr(whole.size() - extensionLength);

    const std::string separator = codepage::Win1251ToUtf8(settings.separator);
    return std::filesystem::path(
        base + OutputNumberText(separator, OutputNumber(settings, counters), settings.digits) + extension);
}

} // namespace morvane::search
