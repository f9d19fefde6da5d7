#pragma once
// A scripted stand-in for the rule table page's boxes and file dialogs: questions answer from a
// queue (No when it runs out), the file dialogs return queued choices (Cancel when none is
// queued), and every text and dialog shown is recorded.

#include "ui/TablePageDialogs.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class ScriptedTablePageDialogs : public morvane::ui::TablePageDialogs {
public:
    struct Dialog {
        std::string title;
        std::string filter;
        std::filesystem::path initialPath;
    };

    std::deque<bool> answers;
    std::deque<std::filesystem::path> saveChoices;
    std::deque<std::filesystem::path> openChoices;

    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::vector<Dialog> saveDialogs;
    std::vector<Dialog> openDialogs;

    bool Confirm(const std::string& text) override
    {
        questions.push_back(text);
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
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

private:
    static std::optional<std::filesystem::path> next(std::deque<std::filesystem::path>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        std::filesystem::path choice = queue.front();
        queue.pop_front();
        return choice;
    }
};
