// The monotonic pass clock. Tests: tests/search/PassControlTest.cpp.

#include "search/SystemPassClock.h"

#include <chrono>

namespace morvane::search {

std::int64_t SystemPassClock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace morvane::search
