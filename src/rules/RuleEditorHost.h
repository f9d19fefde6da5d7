#pragma once
// Everything the rule table model asks of the window around it: message and error boxes,
// Yes/No questions, focus and selection, the open and save dialogs of the table commands, and
// the state of the passes that some commands must respect. The desktop program implements it
// with widgets; tests script it with tests/fakes/FakeRuleEditorHost.h.
// Covered by tests/rules/RuleTableModelTest.cpp.

#include "rules/FieldFeedback.h"

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::rules {

class RuleEditorHost : public FieldFeedback {
public:
    // The standard error box of a file that cannot be opened or created.
    virtual void ShowError(const std::string& text) = 0;

    // A Yes/No confirmation; true only for Yes.
    virtual bool Confirm(const std::string& text) = 0;

    // The save and open dialogs: title and filter as program text, the filter in the form
    // "Description|pattern|Description|pattern". Nothing when cancelled.
    virtual std::optional<std::filesystem::path> ChooseSaveFile(
        const std::string& title, const std::string& filter, const std::filesystem::path& initialPath)
        = 0;
    virtual std::optional<std::filesystem::path> ChooseOpenFile(
        const std::string& title, const std::string& filter, const std::filesystem::path& initialPath)
        = 0;

    // Whether a pass is running (commands from the work fields are refused then).
    virtual bool IsBusy() const = 0;

    // Whether the interactive replace run waits for a confirmation, and ending that wait
    // (the confirmation buttons are disabled and the run ends).
    virtual bool IsReplaceWaiting() const = 0;
    virtual void EndWaitingReplace() = 0;
};

} // namespace morvane::rules
