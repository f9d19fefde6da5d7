#pragma once
// One benchmark pattern and its spelling for each engine. The engine's defaults differ from
// the others' (dot matches line breaks, "^" and "$" work per line, CR LF is one line break),
// so each foreign spelling is chosen to mean the same thing; where that needs a rewrite the
// note says so and the summary prints it.
// Used by bench/main.cpp.

#include <cstddef>
#include <string>
#include <vector>

namespace morvane::bench {

struct BenchPattern {
    std::string title; // for the table, UTF-8
    std::string morvane; // the engine's pattern, Windows-1251, default modifiers
    std::string pcre2; // Windows-1251; compiled with DOTALL | MULTILINE and ANYCRLF line breaks
    bool pcre2Cp1251Case = false; // needs Windows-1251 character tables for caseless Cyrillic
    std::string pcre2Fallback; // used instead when those tables cannot be built
    std::string stdRegex; // ECMAScript grammar with multiline; empty: not run
    bool stdIcase = false;
    std::string re2; // Latin-1 mode, dot matches line breaks; empty: not expressible
    // std::regex is run on the first `stdSliceBytes` of the corpus only (0: the whole corpus):
    // its recursive matcher is slow and can exhaust the stack on long matches.
    std::size_t stdSliceBytes = 0;
    std::string note; // why a spelling differs, or why counts may differ
};

// The patterns of the benchmark, in a fixed order.
std::vector<BenchPattern> BenchPatterns();

} // namespace morvane::bench
