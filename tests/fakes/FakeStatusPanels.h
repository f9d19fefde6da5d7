#pragma once
// Status panels for tests: the current text of each panel and every text ever set.

#include "search/StatusPanels.h"

#include <string>
#include <utility>
#include <vector>

namespace morvane::test {

class FakeStatusPanels : public search::StatusPanels {
public:
    void setPanelText(int panel, const std::string& text) override
    {
        m_text[panel == 0 ? 0 : 1] = text;
        m_history.emplace_back(panel, text);
    }

    const std::string& text(int panel) const { return m_text[panel == 0 ? 0 : 1]; }
    const std::vector<std::pair<int, std::string>>& history() const { return m_history; }
    bool everShown(int panel, const std::string& text) const
    {
        for (const auto& entry : m_history)
            if (entry.first == panel && entry.second == text)
                return true;
        return false;
    }
    void clearHistory() { m_history.clear(); }

private:
    std::string m_text[2];
    std::vector<std::pair<int, std::string>> m_history;
};

} // namespace morvane::test
