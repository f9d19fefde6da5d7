#pragma once
// A scripted stand-in for the pass commands' boxes and dialogs: confirmations answer from a
// queue (No when it runs out), the output file chooser returns queued paths (cancel when none
// is left), the existing-file dialog and the two settings dialogs answer what the test set,
// and every text shown and file opened is recorded.

#include "ui/PassesDialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class ScriptedPassesDialogs : public morvane::ui::PassesDialogs {
public:
    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::deque<std::filesystem::path> chosenFiles;
    std::vector<std::string> chooserTitles;
    morvane::search::OutputExistingAnswer existingAnswer = morvane::search::OutputExistingAnswer::Cancel;
    std::vector<std::filesystem::path> existingAsked;
    // OK with these values, or Cancel when empty; the values shown are recorded.
    std::optional<morvane::search::OutputSplitSettings> splitAnswer;
    std::vector<morvane::search::OutputSplitSettings> splitShown;
    // OK with (from, to), or Cancel when empty; the label and the preset choices are recorded.
    std::optional<std::pair<int, int>> converterAnswer;
    std::vector<std::string> converterInfos;
    std::vector<std::pair<int, int>> converterPresets;
    std::vector<std::filesystem::path> opened;

    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool confirm(const std::string& text) override
    {
        questions.push_back(text);
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> chooseOutputFile(
        const std::string& title, const std::filesystem::path&, const std::filesystem::path&) override
    {
        chooserTitles.push_back(title);
        if (chosenFiles.empty())
            return std::nullopt;
        std::filesystem::path path = chosenFiles.front();
        chosenFiles.pop_front();
        return path;
    }
    morvane::search::OutputExistingAnswer askExistingTarget(const std::filesystem::path& path) override
    {
        existingAsked.push_back(path);
        return existingAnswer;
    }
    bool editFileSplitSettings(morvane::search::OutputSplitSettings& settings) override
    {
        splitShown.push_back(settings);
        if (!splitAnswer)
            return false;
        settings = *splitAnswer;
        return true;
    }
    bool editConverterModes(const std::string& info, int& fromIndex, int& toIndex) override
    {
        converterInfos.push_back(info);
        converterPresets.emplace_back(fromIndex, toIndex);
        if (!converterAnswer)
            return false;
        fromIndex = converterAnswer->first;
        toIndex = converterAnswer->second;
        return true;
    }
    void openWithDefaultApplication(const std::filesystem::path& file) override { opened.push_back(file); }
};
