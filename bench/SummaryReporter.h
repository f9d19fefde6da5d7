#pragma once
// The console reporter of Google Benchmark, which also records each run's speed into the
// result table so that the summary can be printed after all runs.
// Used by bench/main.cpp.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>

#include "ResultTable.h"

namespace morvane::bench {

class SummaryReporter : public benchmark::ConsoleReporter {
public:
    explicit SummaryReporter(ResultTable& table);

    // Tells which table cell a benchmark of this name fills and how many bytes one
    // iteration reads.
    void Map(const std::string& name, std::size_t row, Engine engine, std::size_t bytes);

    void ReportRuns(const std::vector<Run>& runs) override;

private:
    struct Target {
        std::size_t row;
        Engine engine;
        std::size_t bytes;
    };

    ResultTable& m_table;
    std::map<std::string, Target> m_targets;
};

} // namespace morvane::bench
