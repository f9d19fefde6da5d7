#pragma once
// A scripted stand-in for the colouring's boxes and choosers: confirmations answer from a queue
// (No when it runs out), the file chooser and the attribute dialog give what the test put in
// (nothing: cancelled), and every text shown is recorded.

#include "ui/ColourDialogs.h"

#include <deque>
#include <string>
#include <vector>

class ScriptedColourDialogs : public morvane::ui::ColourDialogs {
public:
    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::optional<std::filesystem::path> nextFile;
    std::vector<std::string> fileTitles;
    std::optional<morvane::ui::ChosenAttributes> nextAttributes;
    QFont presetFont;
    QColor presetColour;
    int attributeRequests = 0;

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
    std::optional<std::filesystem::path> ChooseSampleFile(const std::string& title) override
    {
        fileTitles.push_back(title);
        return nextFile;
    }
    std::optional<morvane::ui::ChosenAttributes> ChooseAttributes(
        const QFont& font, const QColor& colour) override
    {
        ++attributeRequests;
        presetFont = font;
        presetColour = colour;
        return nextAttributes;
    }
};
