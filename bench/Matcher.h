#pragma once
// What the benchmark asks of every engine: count all matches of one pattern in a subject, the
// way that engine is usually driven through a whole text.
// Used by bench/main.cpp; the engines are in the *Matcher files beside it.

#include <cstddef>
#include <cstdint>
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

    // FNV-1a over the spans of all matches in order, so that two engines' matches can be compared
    // as a whole: start with kSpanDigestSeed and mix in every match's start and end offsets.
    static constexpr std::uint64_t kSpanDigestSeed = 0xcbf29ce484222325ULL;
    static void MixSpan(std::uint64_t& digest, std::size_t start, std::size_t end)
    {
        for (std::size_t v : { start, end }) {
            for (int i = 0; i < 8; ++i) {
                digest = (digest ^ ((v >> (8 * i)) & 0xff)) * 0x100000001b3ULL;
            }
        }
    }
};

} // namespace morvane::bench
