#pragma once
// Scripted answers for the file commands' dialogs: queued directory and save-dialog answers
// (an empty optional is Cancel), a fixed answer to confirmations, and a record of every text
// the commands showed.

#include "search/FileOperationsDialogs.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane::test {

class FakeFileOperationsHost : public search::FileOperationsDialogs {
public:
    bool confirmAnswer = true;
    std::deque<std::optional<std::filesystem::path>> directoryAnswers;
    std::deque<std::optional<std::filesystem::path>> saveAnswers;

    std::vector<std::string> confirmations;
    std::vector<std::string> directoryCaptions;
    std::vector<std::pair<std::string, std::filesystem::path>> saveDialogs; // title, preset
    std::vector<std::string> messages;
    std::vector<std::string> errors;

    bool confirm(const std::string& text) override
    {
        confirmations.push_back(text);
        return confirmAnswer;
    }
    std::optional<std::filesystem::path> chooseDirectory(const std::string& caption) override
    {
        directoryCaptions.push_back(caption);
        return next(directoryAnswers);
    }
    std::optional<std::filesystem::path> chooseSaveFile(
        const std::string& title, const std::filesystem::path& preset) override
    {
        saveDialogs.emplace_back(title, preset);
        return next(saveAnswers);
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showError(const std::string& text) override { errors.push_back(text); }

    // Nothing asked, nothing shown.
    bool untouched() const
    {
        return confirmations.empty() && directoryCaptions.empty() && saveDialogs.empty() && messages.empty()
            && errors.empty();
    }

private:
    static std::optional<std::filesystem::path> next(
        std::deque<std::optional<std::filesystem::path>>& answers)
    {
        if (answers.empty())
            return std::nullopt; // an unscripted dialog is cancelled
        std::optional<std::filesystem::path> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace morvane::test
