#pragma once
// How the rule checks talk back to the user: a message box, and a request to give a field the
// focus with a range of its text selected. The window layer implements it with its widgets;
// tests use tests/fakes/FakeRuleEditorHost.h. Covered by tests/rules/RuleCompilerTest.cpp.

#include "rules/RuleField.h"

#include <string>

namespace morvane::rules {

class FieldFeedback {
public:
    virtual ~FieldFeedback() = default;

    // A plain message box with `text` (program text, Windows-1251).
    virtual void ShowMessage(const std::string& text) = 0;

    // Gives `field` the focus and selects `length` characters from the 0-based position `start`
    // of its text (length 0 places the caret there).
    virtual void FocusAndSelect(RuleField field, int start, int length) = 0;
};

} // namespace morvane::rules
