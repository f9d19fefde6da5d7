#pragma once
// The one way a long loop lets the user in: the window's pending messages (break, Esc, option
// toggles, panel clicks) are handled inside processPendingMessages(). The desktop program
// implements it with its event loop, the CLI with nothing, tests with a scripted fake.
// PassControl::PumpMessages throttles the calls. Covered by tests/search/PassControlTest.cpp.

namespace morvane::search {

class MessagePump {
public:
    virtual ~MessagePump() = default;
    // Handles every pending window message, then returns. May re-enter the pass framework.
    virtual void processPendingMessages() = 0;
};

} // namespace morvane::search
