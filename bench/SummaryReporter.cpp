// Recording console reporter; see SummaryReporter.h.

#include "SummaryReporter.h"

namespace morvane::bench {

SummaryReporter::SummaryReporter(ResultTable& table)
    : m_table(table)
{
}

void SummaryReporter::Map(const std::string& name, std::size_t row, Engine engine, std::size_t bytes)
{
    m_targets[name] = Target { row, engine, bytes };
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        // With --benchmark_repetitions the median aggregate, reported after the repetitions,
        // replaces the single runs' figure.
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") {
            continue;
        }
        const auto it = m_targets.find(run.run_name.function_name);
        if (it == m_targets.end()) {
            continue;
        }
        ResultTable::Cell& cell = m_table.At(it->second.row, it->second.engine);
        if (run.error_occurred) {
            cell.error = run.error_message;
            continue;
        }
        // The benchmarks time themselves (CPU time of the matching thread); Google Benchmark
        // reports that manual time as the real time.
        if (run.iterations > 0 && run.real_accumulated_time > 0) {
            const double secondsPerIteration
                = run.real_accumulated_time / static_cast<double>(run.iterations);
            cell.megabytesPerSecond = static_cast<double>(it->second.bytes) / 1e6 / secondsPerIteration;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

} // namespace morvane::bench
