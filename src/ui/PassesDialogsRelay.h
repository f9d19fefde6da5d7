#pragma once
// A PassesDialogs that hands every call to another one, which can be replaced at any time: the
// core commands keep a reference to the relay, while tests swap in scripted dialogs behind it.
// Covered by tests/ui/tst_outputdialogs.cpp.

#include "ui/PassesDialogs.h"

namespace morvane::ui {

class PassesDialogsRelay : public PassesDialogs {
public:
    explicit PassesDialogsRelay(PassesDialogs* target)
        : m_target(target)
    {
    }

    PassesDialogs* target() const { return m_target; }
    void setTarget(PassesDialogs* target) { m_target = target; }

    void showMessage(const std::string& text) override { m_target->showMessage(text); }
    bool confirm(const std::string& text) override { return m_target->confirm(text); }
    std::optional<std::filesystem::path> chooseOutputFile(const std::string& title,
        const std::filesystem::path& startFile, const std::filesystem::path& startDirectory) override
    {
        return m_target->chooseOutputFile(title, startFile, startDirectory);
    }
    search::OutputExistingAnswer askExistingTarget(const std::filesystem::path& path) override
    {
        return m_target->askExistingTarget(path);
    }
    bool editFileSplitSettings(search::OutputSplitSettings& settings) override
    {
        return m_target->editFileSplitSettings(settings);
    }
    bool editConverterModes(const std::string& info, int& fromIndex, int& toIndex) override
    {
        return m_target->editConverterModes(info, fromIndex, toIndex);
    }
    void openWithDefaultApplication(const std::filesystem::path& file) override
    {
        m_target->openWithDefaultApplication(file);
    }

private:
    PassesDialogs* m_target;
};

} // namespace morvane::ui
