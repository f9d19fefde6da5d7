#pragma once
// The extended replacement template: EvaluateTemplate turns a rule's replacement string into the
// replacement text of one match. Items of the template:
//   $n $& ${n} ${&} ${}      group texts of the match (groups 0 to 14; others are empty)
//   \L \U \I  \l \u \i  \E \/  lasting and one-character case conversion, and its end
//   \Q ... \E               quoting: everything in between is copied as written
//   \r \n \t \xHH           CR, LF, TAB and a character by its code
//   \#  \#{start,precision,s,z,f}  the run's counters, numbered from `start`
//   \P{sel,/}  \F{sel}      the directory and the name of the processed file
//   -{align,width,cut,fill} output width of the item right before it; modifiers chain
// A backslash before any other character gives that character. Anything that does not read as
// an item is copied as text; the one failure is a width above kMaxTemplateWidth, which raises
// TemplateWidthError (CheckTemplate finds it before a run starts).
//
// On this platform a path has no drive and its separator is "/": the directory is the path up to
// its last "/" (a root directory keeps it: "/a.txt" has the directory "/"), \P{D} is empty, \P{P}
// is the whole directory, and \P{R} is the root the directory hangs from: "/" for an absolute
// path, empty for a relative one. The path enters the output converted from the file system's
// UTF-8 to Windows-1251.
//
// Covered by tests/template/EvaluateTemplateTest.cpp, CounterItemTest.cpp, WidthModifierTest.cpp,
// PathItemTest.cpp and EngineTemplateTest.cpp.

#include "regex/TRegex.h"
#include "template/TemplateWidthError.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::templ {

// The counters of a replace run that the counter item reads. A match counter already counts
// the match being replaced; a replacement counter does not yet count its replacement.
struct RunCounters {
    std::int32_t MatchesInFile = 0;
    std::int32_t MatchesTotal = 0;
    std::int32_t ReplacementsInFile = 0;
    std::int32_t ReplacementsTotal = 0;
};

// The text of group n of the match being replaced; asked only for n from 0 to 14. A group that
// took no part in the match gives the empty text.
using GroupTextSource = std::function<std::string(int n)>;

// The replacement text for one match. `templateText` and the result are Windows-1251 bytes.
std::string EvaluateTemplate(std::string_view templateText, const GroupTextSource& groupText,
    const RunCounters& counters, const std::filesystem::path& currentFilePath);

// The first width modifier of the template that asks for more than kMaxTemplateWidth
// characters, or nothing. Which "-{" is a modifier depends only on the template, so this holds
// for every match a run may evaluate the template for.
std::optional<TemplateWidthError> CheckTemplate(std::string_view templateText);

// The same, with the groups of the engine's last match.
inline std::string EvaluateTemplate(std::string_view templateText, const regex::TRegex& engine,
    const RunCounters& counters, const std::filesystem::path& currentFilePath)
{
    return EvaluateTemplate(
        templateText, [&engine](int n) { return engine.GroupText(n); }, counters, currentFilePath);
}

} // namespace morvane::templ
