#pragma once
// The real clock of the passes: a monotonic clock rather than the time of day, so neither
// midnight nor a change of the system time can stall the message pump or show a negative
// elapsed time. Covered by tests/search/PassControlTest.cpp.

#include "search/PassClock.h"

namespace morvane::search {

class SystemPassClock : public PassClock {
public:
    std::int64_t nowMs() const override;
};

} // namespace morvane::search
