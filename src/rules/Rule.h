#pragma once
// One row of a rule table (or of a colouring table: expression, style, remark), its line form
// and the conversion of multi-line memo text into a field. Covered by tests/rules/TableFileTest.cpp.

#include <string>
#include <string_view>

namespace morvane::rules {

// A rule: `Find` (regular expression), `Replace` (replacement), `Remark` (free text that may carry
// a "(?" modifier group and a replace-mode marker). Fields never hold CR or LF; Find and Replace
// never hold TAB.
struct Rule {
    std::string Find;
    std::string Replace;
    std::string Remark;

    bool operator==(const Rule&) const = default;
};

// Splits a rule line: text before the first TAB is Find; of the rest, text before its first TAB
// is Replace and everything after that TAB (TABs included) is Remark. Missing fields are empty.
Rule ParseRuleLine(std::string_view line);

// The line form written through the grid: Find TAB Replace TAB Remark (always two TABs).
std::string FormatRuleLine(const Rule& rule);

// Memo text as a field: every TAB, CR and LF becomes the two characters "\t", "\r", "\n";
// nothing else is escaped, and the conversion is never reversed.
std::string MemoToField(std::string_view memo);

} // namespace morvane::rules
