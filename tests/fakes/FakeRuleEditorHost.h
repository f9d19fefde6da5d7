#pragma once
// A scripted stand-in for the window around the rule table model: it records every message,
// error, question and focus request, answers questions and file dialogs from queues set up by
// the test, and reports the pass state the test chose.

#include "rules/RuleEditorHost.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane::rules::fakes {

class FakeRuleEditorHost : public RuleEditorHost {
public:
    struct Selection {
        RuleField field;
        int start;
        int length;
        bool operator==(const Selection&) const = default;
    };
    struct Dialog {
        std::string title;
        std::string filter;
        std::filesystem::path initialPath;
    };

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void FocusAndSelect(RuleField field, int start, int length) override
    {
        selections.push_back({ field, start, length });
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    bool Confirm(const std::string& text) override
    {
        questions.push_back(text);
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> ChooseSaveFile(const std::string& title, const std::string& filter,
        const std::filesystem::path& initialPath) override
    {
        saveDialogs.push_back({ title, filter, initialPath });
        return next(saveChoices);
    }
    std::optional<std::filesystem::path> ChooseOpenFile(const std::string& title, const std::string& filter,
        const std::filesystem::path& initialPath) override
    {
        openDialogs.push_back({ title, filter, initialPath });
        return next(openChoices);
    }
    bool IsBusy() const override { return busy; }
    bool IsReplaceWaiting() const override { return replaceWaiting; }
    void EndWaitingReplace() override
    {
        replaceWaiting = false;
        ++replaceRunsEnded;
    }

    // What the model did.
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    std::vector<Selection> selections;
    std::vector<Dialog> saveDialogs;
    std::vector<Dialog> openDialogs;
    int replaceRunsEnded = 0;

    // What the user answers: Yes/No in order (No when the queue is empty), and the files chosen
    // in the dialogs (nothing queued, or an empty optional, is Cancel).
    std::deque<bool> answers;
    std::deque<std::optional<std::filesystem::path>> saveChoices;
    std::deque<std::optional<std::filesystem::path>> openChoices;
    bool busy = false;
    bool replaceWaiting = false;

private:
    static std::optional<std::filesystem::path> next(std::deque<std::optional<std::filesystem::path>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        auto choice = queue.front();
        queue.pop_front();
        return choice;
    }
};

} // namespace morvane::rules::fakes
