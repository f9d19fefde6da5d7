// Timing helper shared by the engines' harnesses; see Matcher.h.

#include "Matcher.h"

#include <ctime>

namespace morvane::bench {

std::size_t Matcher::CountTimed(std::string_view subject, double& cpuSeconds)
{
    const double start = ThreadCpuSeconds();
    const std::size_t count = CountAll(subject);
    cpuSeconds = ThreadCpuSeconds() - start;
    return count;
}

double Matcher::ThreadCpuSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

} // namespace morvane::bench
