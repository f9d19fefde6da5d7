// The monotonic pass clock. Tests: tests/search/PassControlTest.cpp.

#include "search/SystemPassClock.h"

#include <chrono>
#include <time.h>

namespace morvane::search {

std::int64_t SystemPassClock::nowMs() const
{
#ifdef CLOCK_MONOTONIC_COARSE
    // A pass asks after every match whether its response interval is over; the coarse clock
    // answers that in a few nanoseconds instead of some tens, and its few milliseconds of
    // resolution are well below any interval.
    timespec now { };
    if (::clock_gettime(CLOCK_MONOTONIC_COARSE, &now) == 0)
        return std::int64_t { now.tv_sec } * 1000 + now.tv_nsec / 1'000'000;
#endif
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace morvane::search
