#pragma once
// Collects, per pattern and engine, the match count and the measured speed, and prints the
// summary tables: MB/s with the ratio to the PCRE2 interpreter, and the match counts with every
// disagreement flagged and, where it is understood, explained.
// Used by bench/main.cpp and bench/SummaryReporter.cpp.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "BenchPattern.h"

namespace morvane::bench {

enum class Engine { TRegex, Pcre2, Pcre2Jit, StdRegex, Re2 };
constexpr std::size_t kEngineCount = 5;

const char* EngineName(Engine engine);

class ResultTable {
public:
    struct Cell {
        std::optional<std::size_t> matches;
        std::optional<double> megabytesPerSecond; // 10^6 bytes per CPU second
        std::size_t subjectBytes = 0; // what the engine ran on
        std::string error; // compile or run failure; empty when none
    };

    struct Row {
        BenchPattern pattern;
        std::array<Cell, kEngineCount> cells;
        // References for explaining counts: PCRE2 stepping like the engine over the whole corpus,
        // and PCRE2 (usual loop) over the slice that std::regex ran on.
        std::optional<std::size_t> pcre2EngineStyle;
        std::optional<std::size_t> pcre2OnStdSlice;
        // Digests of the match spans of the engine and of PCRE2 stepped like the engine.
        std::optional<std::uint64_t> trexSpans;
        std::optional<std::uint64_t> pcre2EngineStyleSpans;
    };

    explicit ResultTable(std::vector<BenchPattern> patterns);

    std::size_t Size() const { return m_rows.size(); }
    Row& At(std::size_t index) { return m_rows[index]; }
    Cell& At(std::size_t index, Engine engine);

    // Rows with at least one measured engine only.
    void PrintSpeeds(std::ostream& out) const;
    void PrintCounts(std::ostream& out) const;

private:
    // Empty when the engine agrees with the reference; otherwise the reason or "DISAGREES".
    std::string CountVerdict(const Row& row, Engine engine) const;

    std::vector<Row> m_rows;
};

} // namespace morvane::bench
