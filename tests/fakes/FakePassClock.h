#pragma once
// A clock for tests that moves only when told to, or by a fixed step at every reading.

#include "search/PassClock.h"

namespace morvane::test {

class FakePassClock : public search::PassClock {
public:
    std::int64_t nowMs() const override
    {
        const std::int64_t now = m_now;
        m_now += m_stepPerRead;
        return now;
    }

    void set(std::int64_t ms) { m_now = ms; }
    void advance(std::int64_t ms) { m_now += ms; }
    void setStepPerRead(std::int64_t ms) { m_stepPerRead = ms; }

private:
    mutable std::int64_t m_now = 0;
    std::int64_t m_stepPerRead = 0;
};

} // namespace morvane::test
