#pragma once
// Message and confirmation boxes for tests: messages and file failures are recorded,
// confirmations answered from a script (No when the script is empty).

#include "search/PassDialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace morvane::test {

class FakePassDialogs : public search::PassDialogs {
public:
    void showMessage(const std::string& text) override { m_messages.push_back(text); }
    bool confirm(const std::string& text) override
    {
        m_questions.push_back(text);
        if (m_answers.empty())
            return false;
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    void reportFileFailure(const std::filesystem::path& path, const std::string& reason) override
    {
        m_failures.push_back(path.string() + ": " + reason);
    }

    void setNextAnswer(bool yes) { m_answers.push_back(yes); }
    const std::vector<std::string>& messages() const { return m_messages; }
    const std::vector<std::string>& questions() const { return m_questions; }
    // The file failures as "PATH: REASON".
    const std::vector<std::string>& failures() const { return m_failures; }

private:
    std::vector<std::string> m_messages;
    std::vector<std::string> m_questions;
    std::vector<std::string> m_failures;
    std::deque<bool> m_answers;
};

} // namespace morvane::test
