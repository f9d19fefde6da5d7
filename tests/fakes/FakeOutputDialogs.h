#pragma once
// The dialogs of the output modes for tests: the save dialog, the existing-file dialog and the
// file-split settings answer from scripts and record what they were shown.

#include "search/OutputDialogs.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane::test {

class FakeOutputDialogs : public search::OutputDialogs {
public:
    struct SaveRequest {
        std::string title;
        std::filesystem::path startFile;
        std::filesystem::path startDirectory;
    };

    std::optional<std::filesystem::path> chooseOutputFile(const std::string& title,
        const std::filesystem::path& startFile, const std::filesystem::path& startDirectory) override
    {
        m_saveRequests.push_back({ title, startFile, startDirectory });
        if (m_files.empty())
            return std::nullopt;
        auto file = m_files.front();
        m_files.pop_front();
        return file;
    }

    search::OutputExistingAnswer askExistingTarget(const std::filesystem::path& path) override
    {
        m_existingAsked.push_back(path);
        if (m_answers.empty())
            return search::OutputExistingAnswer::Cancel;
        const auto answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    bool editFileSplitSettings(search::OutputSplitSettings& settings) override
    {
        ++m_settingsShown;
        if (!m_settingsOk)
            return false;
        if (m_settings)
            settings = *m_settings;
        return true;
    }

    // The next save dialog answers `file`; nothing scripted (or std::nullopt) means Cancel.
    void queueFile(std::optional<std::filesystem::path> file) { m_files.push_back(std::move(file)); }
    void queueAnswer(search::OutputExistingAnswer answer) { m_answers.push_back(answer); }
    // The settings dialog: OK with `settings` (or the values it was shown) or Cancel.
    void setSettingsAnswer(bool ok, std::optional<search::OutputSplitSettings> settings = std::nullopt)
    {
        m_settingsOk = ok;
        m_settings = std::move(settings);
    }

    const std::vector<SaveRequest>& saveRequests() const { return m_saveRequests; }
    const std::vector<std::filesystem::path>& existingAsked() const { return m_existingAsked; }
    int settingsShown() const { return m_settingsShown; }

private:
    std::deque<std::optional<std::filesystem::path>> m_files;
    std::deque<search::OutputExistingAnswer> m_answers;
    bool m_settingsOk = false;
    std::optional<search::OutputSplitSettings> m_settings;
    std::vector<SaveRequest> m_saveRequests;
    std::vector<std::filesystem::path> m_existingAsked;
    int m_settingsShown = 0;
};

} // namespace morvane::test
