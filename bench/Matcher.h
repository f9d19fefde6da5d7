#pragma once
// What the benchmark asks of every engine: count all matches of one pattern in a subject, the
// way that engine is usually driven through a whole text.
// Used by bench/main.cpp; the engines are in the *Matcher files beside it.

#include <cstddef>
#include <string>
#include <string_view>

namespace morvane::bench {

class Matcher {
public:
    virtual ~Matcher() = default;

    // Column title in the tables.
    virtual std::string Name() const = 0;
    // Number of matches in `subject`; throws std::runtime_error when the engine fails.
    virtual std::size_t CountAll(std::string_view subject) = 0;
    // CountAll, also giving the CPU time of the thread that did the work. The benchmark times
    // with this rather than the wall clock, since the machine is shared with other builds.
    virtual std::size_t CountTimed(std::string_view subject, double& cpuSeconds);

    // CPU time consumed by the calling thread so far.
    static double ThreadCpuSeconds();
};

} // namespace morvane::bench
