#pragma once
// The edit fields of the rule editor that the core asks the window layer to focus and select in.
// Covered by tests/rules/RuleCompilerTest.cpp and tests/rules/RuleTableModelTest.cpp.

namespace morvane::rules {

// Named after the controls they stand for.
enum class RuleField {
    cbFind, // the work page's find field
    cbReplace, // the work page's replacement field
    cbRemark, // the work page's remark field
    MemoFind, // the table page's multi-line find editor
    MemoReplace, // the table page's multi-line replacement editor
    EditSpaceChars, // the characters of \s, written as "\xNN"
    EditWordChars, // the characters of \w, as plain characters
};

} // namespace morvane::rules
