#pragma once
// The rule table's window as the terminal plays it, for loading the --table file and for the
// rule checks before a run. A failed check is kept (its message, the field and the position)
// so that it can be printed as one line naming the rule and the place; nothing here is ever
// asked a question or shows a file dialog. Covered by tests/cli/BatchOptionsCliTest.cpp.

#include "rules/RuleEditorHost.h"

#include <string>

namespace morvane::cli {

class BatchRuleHost : public rules::RuleEditorHost {
public:
    void ShowMessage(const std::string& text) override { m_message = text; }
    void FocusAndSelect(rules::RuleField field, int start, int) override
    {
        m_field = field;
        m_position = start + 1;
    }
    void ShowError(const std::string& text) override { m_message = text; }
    bool Confirm(const std::string&) override { return false; }
    std::optional<std::filesystem::path> ChooseSaveFile(
        const std::string&, const std::string&, const std::filesystem::path&) override
    {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> ChooseOpenFile(
        const std::string&, const std::string&, const std::filesystem::path&) override
    {
        return std::nullopt;
    }
    bool IsBusy() const override { return false; }
    bool IsReplaceWaiting() const override { return false; }
    void EndWaitingReplace() override { }

    // The last message shown (program text).
    const std::string& message() const { return m_message; }
    // The field the last failed check pointed at, and the 1-based position in it.
    rules::RuleField field() const { return m_field; }
    int position() const { return m_position; }

private:
    std::string m_message;
    rules::RuleField m_field = rules::RuleField::cbFind;
    int m_position = 0;
};

} // namespace morvane::cli
