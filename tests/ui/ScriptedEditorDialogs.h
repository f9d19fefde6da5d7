#pragma once
// Scripted stand-ins for the boxes the editor's commands and the interactive run show: the save
// dialog of "Сохранить как" (answers from a queue, cancel when it runs out) and the pass
// boxes the editor and the run share with the passes (confirmations from a queue, No when it
// runs out; every text recorded). The output dialogs are never expected here: they count the
// calls and cancel.

#include "ui/EditorDialogs.h"
#include "ui/PassesDialogs.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class ScriptedEditorDialogs : public morvane::ui::EditorDialogs {
public:
    std::deque<std::filesystem::path> names;
    std::vector<std::string> titles;
    std::vector<std::filesystem::path> presets;

    std::optional<std::filesystem::path> SaveAsFileName(
        const std::string& title, const std::filesystem::path& preset) override
    {
        titles.push_back(title);
        presets.push_back(preset);
        if (names.empty())
            return std::nullopt;
        std::filesystem::path name = names.front();
        names.pop_front();
        return name;
    }
};

class ScriptedPassBoxes : public morvane::ui::PassesDialogs {
public:
    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    int unexpected = 0;

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
        const std::string&, const std::filesystem::path&, const std::filesystem::path&) override
    {
        ++unexpected;
        return std::nullopt;
    }
    morvane::search::OutputExistingAnswer askExistingTarget(const std::filesystem::path&) override
    {
        ++unexpected;
        return morvane::search::OutputExistingAnswer::Cancel;
    }
    bool editFileSplitSettings(morvane::search::OutputSplitSettings&) override
    {
        ++unexpected;
        return false;
    }
    bool editConverterModes(const std::string&, int&, int&) override
    {
        ++unexpected;
        return false;
    }
    void openWithDefaultApplication(const std::filesystem::path&) override { ++unexpected; }
};
