#pragma once
// The outcome of an edit-time check of a find expression or a remark. Covered by
// tests/rules/RuleCompilerTest.cpp.

#include <string>

namespace morvane::rules {

struct CheckResult {
    bool ok = true;
    // The text for the message box: the engine's error text, or "Urecognized Modifier".
    std::string message;
    // 1-based position in the checked text: the engine's error offset for an expression, the
    // first "(?" for a remark.
    int position = 0;
    // What the field should select: 0-based start and length in the checked text.
    int selectStart = 0;
    int selectLength = 0;
};

} // namespace morvane::rules
