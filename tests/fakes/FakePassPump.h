#pragma once
// A message pump for tests: counts the times messages were let through and runs a scripted
// handler each time, standing in for the user's clicks that arrive during a pass.

#include "search/MessagePump.h"

#include <functional>

namespace morvane::test {

class FakePassPump : public search::MessagePump {
public:
    void processPendingMessages() override
    {
        ++m_calls;
        if (m_onPump)
            m_onPump(m_calls);
    }

    int calls() const { return m_calls; }
    // `handler` gets the 1-based number of the call.
    void setOnPump(std::function<void(int)> handler) { m_onPump = std::move(handler); }

private:
    int m_calls = 0;
    std::function<void(int)> m_onPump;
};

} // namespace morvane::test
