#pragma once
// The time source of the pass framework: the message pump's throttle and the elapsed time
// of a pass. Injected so tests can step time instead of sleeping.
// Covered by tests/search/PassControlTest.cpp.

#include <cstdint>

namespace morvane::search {

class PassClock {
public:
    virtual ~PassClock() = default;
    // Milliseconds from an arbitrary fixed origin; never goes backwards.
    virtual std::int64_t nowMs() const = 0;
};

} // namespace morvane::search
