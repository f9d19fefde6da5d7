#pragma once
// A scripted stand-in for the main window's boxes and choosers: confirmations answer from a
// queue (No when it runs out) and every text shown is recorded, so a test can say exactly
// which questions were asked.

#include "ui/FormMainDialogs.h"

#include <deque>
#include <string>
#include <vector>

class ScriptedFormMainDialogs : public morvane::ui::FormMainDialogs {
public:
    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::optional<QFont> nextFont;
    std::optional<QColor> nextColor;
    int beeps = 0;
    int fontRequests = 0;
    int colorRequests = 0;

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
    std::optional<QFont> ChooseFont(const QFont&) override
    {
        ++fontRequests;
        return nextFont;
    }
    std::optional<QColor> ChooseColor(const QColor&) override
    {
        ++colorRequests;
        return nextColor;
    }
    void Beep() override { ++beeps; }
};
