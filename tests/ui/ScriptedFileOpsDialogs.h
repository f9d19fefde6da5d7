#pragma once
// A scripted stand-in for the file commands' boxes, choosers and programs: answers come from
// queues (an empty queue or an empty answer is Cancel, a confirmation without an answer is
// No), and every text shown and every file handed to a program is recorded.

#include "ui/FileOpsDialogs.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class ScriptedFileOpsDialogs : public morvane::ui::FileOpsDialogs {
public:
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<std::filesystem::path>> directoryAnswers;
    std::deque<std::optional<std::filesystem::path>> saveAnswers;
    std::deque<std::optional<std::filesystem::path>> newDirectoryNames;

    std::vector<std::string> questions;
    std::vector<std::string> directoryCaptions;
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> opened; // file, working dir
    std::vector<std::filesystem::path> edited;

    bool confirm(const std::string& text) override
    {
        questions.push_back(text);
        if (confirmAnswers.empty())
            return false;
        const bool answer = confirmAnswers.front();
        confirmAnswers.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> chooseDirectory(const std::string& caption) override
    {
        directoryCaptions.push_back(caption);
        return next(directoryAnswers);
    }
    std::optional<std::filesystem::path> chooseSaveFile(
        const std::string&, const std::filesystem::path&) override
    {
        return next(saveAnswers);
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showError(const std::string& text) override { errors.push_back(text); }
    std::optional<std::filesystem::path> askNewDirectoryName() override { return next(newDirectoryNames); }
    void openWithDefaultApplication(
        const std::filesystem::path& file, const std::filesystem::path& dir) override
    {
        opened.emplace_back(file, dir);
    }
    void editInTextEditor(const std::filesystem::path& file) override { edited.push_back(file); }

private:
    static std::optional<std::filesystem::path> next(std::deque<std::optional<std::filesystem::path>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        std::optional<std::filesystem::path> answer = queue.front();
        queue.pop_front();
        return answer;
    }
};
