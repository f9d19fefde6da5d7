#pragma once
// The counter item of the template language, "\#" or "\#{sign start,precision,s,z,f}": the
// number of the current replacement (or, with f, of the current match), in the whole run or
// (with z) in the current file, counted from `start`. Values are computed in 64 bits, so a
// start near the 32-bit limit plus a large counter still prints exactly. Covered by
// tests/template/CounterItemTest.cpp.

#include "template/EvaluateTemplate.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace morvane::templ {

// What a counter item produced and where evaluation goes on.
struct CounterItemResult {
    std::string text;
    // Index of the next template character to evaluate.
    std::size_t next = 0;
};

// Evaluates the counter item whose "#" stands at `hashPos` (the "\" is just before it), width
// modifiers after it included. A missing "}" or a start of 2147483647 or more gives the plain
// ReplacementsTotal and lets evaluation go on at the "{".
CounterItemResult EvaluateCounterItem(
    std::string_view templateText, std::size_t hashPos, const RunCounters& counters);

} // namespace morvane::templ
