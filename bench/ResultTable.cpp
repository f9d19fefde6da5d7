// Summary tables of the benchmark; see ResultTable.h.

#include "ResultTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace morvane::bench {

namespace {

std::string Format(const char* format, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string Speed(const ResultTable::Cell& cell)
{
    if (!cell.error.empty()) {
        return "error";
    }
    if (!cell.megabytesPerSecond) {
        return "-";
    }
    return Format("%.1f", *cell.megabytesPerSecond);
}

std::string Ratio(const ResultTable::Cell& cell, const ResultTable::Cell& base)
{
    if (!cell.megabytesPerSecond || !base.megabytesPerSecond || *base.megabytesPerSecond <= 0) {
        return "-";
    }
    return Format("%.2f", *cell.megabytesPerSecond / *base.megabytesPerSecond);
}

std::string Count(const ResultTable::Cell& cell)
{
    if (!cell.error.empty()) {
        return "error";
    }
    return cell.matches ? std::to_string(*cell.matches) : std::string("-");
}

// Table cells may not hold "|"; the patterns do.
std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '|') {
            out += "\\|";
        } else {
            out += c;
        }
    }
    return out;
}

bool Measured(const ResultTable::Row& row)
{
    return std::any_of(row.cells.begin(), row.cells.end(),
        [](const ResultTable::Cell& c) { return c.megabytesPerSecond || !c.error.empty(); });
}

} // namespace

const char* EngineName(Engine engine)
{
    switch (engine) {
    case Engine::TRegex:
        return "TRegex";
    case Engine::Pcre2:
        return "PCRE2";
    case Engine::Pcre2Jit:
        return "PCRE2 JIT";
    case Engine::StdRegex:
        return "std::regex";
    case Engine::Re2:
        return "RE2";
    }
    return "?";
}

ResultTable::ResultTable(std::vector<BenchPattern> patterns)
{
    for (auto& p : patterns) {
        Row row;
        row.pattern = std::move(p);
        m_rows.push_back(std::move(row));
    }
}

ResultTable::Cell& ResultTable::At(std::size_t index, Engine engine)
{
    return m_rows[index].cells[static_cast<std::size_t>(engine)];
}

void ResultTable::PrintSpeeds(std::ostream& out) const
{
    out << "\nSpeed in MB/s (10^6 bytes per second of the matching thread's CPU time) and ratio "
           "to the PCRE2 interpreter\n\n";
    out << "| # | pattern | TRegex | PCRE2 | PCRE2 JIT | std::regex | RE2 "
           "| TRegex/PCRE2 | JIT/PCRE2 | std/PCRE2 | RE2/PCRE2 |\n";
    out << "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    std::vector<double> trexRatios;
    std::size_t fasterThanStd = 0;
    std::size_t comparedWithStd = 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows[i];
        if (!Measured(row)) {
            continue;
        }
        const auto& c = row.cells;
        const Cell& base = c[static_cast<std::size_t>(Engine::Pcre2)];
        const Cell& trex = c[static_cast<std::size_t>(Engine::TRegex)];
        const Cell& stdc = c[static_cast<std::size_t>(Engine::StdRegex)];
        std::string stdSpeed = Speed(stdc);
        if (stdc.megabytesPerSecond && stdc.subjectBytes < base.subjectBytes) {
            stdSpeed += Format(" (%.0f MiB)", static_cast<double>(stdc.subjectBytes) / 1048576.0);
        }
        out << "| " << i + 1 << " | `" << Escape(row.pattern.title) << "` | " << Speed(trex) << " | "
            << Speed(base) << " | " << Speed(c[2]) << " | " << stdSpeed << " | " << Speed(c[4]) << " | "
            << Ratio(trex, base) << " | " << Ratio(c[2], base) << " | " << Ratio(stdc, base) << " | "
            << Ratio(c[4], base) << " |\n";
        if (trex.megabytesPerSecond && base.megabytesPerSecond) {
            trexRatios.push_back(*trex.megabytesPerSecond / *base.megabytesPerSecond);
        }
        if (trex.megabytesPerSecond && stdc.megabytesPerSecond) {
            ++comparedWithStd;
            if (*trex.megabytesPerSecond > *stdc.megabytesPerSecond) {
                ++fasterThanStd;
            }
        }
    }
    if (!trexRatios.empty()) {
        std::sort(trexRatios.begin(), trexRatios.end());
        const std::size_t n = trexRatios.size();
        const double median
            = n % 2 == 1 ? trexRatios[n / 2] : (trexRatios[n / 2 - 1] + trexRatios[n / 2]) / 2;
        double logSum = 0;
        for (const double r : trexRatios) {
            logSum += std::log(r);
        }
        out << "\nTRegex/PCRE2 median ratio: " << Format("%.2f", median) << ", geometric mean "
            << Format("%.2f", std::exp(logSum / static_cast<double>(n))) << " over " << n
            << " patterns; TRegex faster than std::regex on " << fasterThanStd << " of " << comparedWithStd
            << ".\n";
    }
}

std::string ResultTable::CountVerdict(const Row& row, Engine engine) const
{
    const Cell& cell = row.cells[static_cast<std::size_t>(engine)];
    const Cell& base = row.cells[static_cast<std::size_t>(Engine::Pcre2)];
    if (!cell.matches || !base.matches) {
        return "";
    }
    std::optional<std::size_t> reference = base.matches;
    if (engine == Engine::StdRegex && cell.subjectBytes < base.subjectBytes) {
        reference = row.pcre2OnStdSlice;
    }
    if (!reference || *cell.matches == *reference) {
        return "";
    }
    if (engine == Engine::TRegex && row.pcre2EngineStyle && *cell.matches == *row.pcre2EngineStyle) {
        return "TRegex: empty-match stepping (equals PCRE2 stepped like ExecNext)";
    }
    // Engines that step one character after every empty match (std::regex's iterator, our RE2
    // loop) also count the empty match at the very end, which the engine never attempts.
    if ((engine == Engine::StdRegex || engine == Engine::Re2) && row.pcre2EngineStyle
        && cell.subjectBytes == base.subjectBytes && *cell.matches == *row.pcre2EngineStyle + 1) {
        return std::string(EngineName(engine))
            + ": empty-match stepping (PCRE2 stepped like ExecNext, plus the end)";
    }
    return std::string(EngineName(engine)) + " DISAGREES";
}

void ResultTable::PrintCounts(std::ostream& out) const
{
    out << "\nMatch counts (std::regex on its slice; its reference is PCRE2 on the same slice)"
           "\n\n";
    out << "| # | TRegex | PCRE2 | PCRE2 stepped like ExecNext | PCRE2 JIT | std::regex "
           "| PCRE2 on std slice | RE2 | TRegex spans | verdict |\n";
    out << "|---|---:|---:|---:|---:|---:|---:|---:|---|---|\n";
    std::vector<std::string> notes;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows[i];
        if (!Measured(row)) {
            continue;
        }
        const auto& c = row.cells;
        std::string verdict;
        for (Engine e : { Engine::TRegex, Engine::Pcre2Jit, Engine::StdRegex, Engine::Re2 }) {
            const std::string v = CountVerdict(row, e);
            if (!v.empty()) {
                verdict += (verdict.empty() ? "" : "; ") + v;
            }
        }
        auto opt
            = [](const std::optional<std::size_t>& v) { return v ? std::to_string(*v) : std::string("-"); };
        if (!c[static_cast<std::size_t>(Engine::Pcre2)].matches) {
            verdict = "no PCRE2 reference";
        }
        // Spans are compared with PCRE2 stepped like ExecNext, which finds the same matches.
        std::string spans = "-";
        if (row.trexSpans && row.pcre2EngineStyleSpans) {
            spans = *row.trexSpans == *row.pcre2EngineStyleSpans ? "same as PCRE2" : "DIFFER";
            if (spans == "DIFFER") {
                verdict += std::string(verdict.empty() ? "" : "; ") + "TRegex spans DIFFER";
            }
        }
        out << "| " << i + 1 << " | " << Count(c[0]) << " | " << Count(c[1]) << " | "
            << opt(row.pcre2EngineStyle) << " | " << Count(c[2]) << " | " << Count(c[3]) << " | "
            << opt(row.pcre2OnStdSlice) << " | " << Count(c[4]) << " | " << spans << " | "
            << (verdict.empty() ? "all agree" : verdict) << " |\n";
        if (!row.pattern.note.empty()) {
            notes.push_back(std::to_string(i + 1) + ": " + row.pattern.note);
        }
        for (std::size_t e = 0; e < kEngineCount; ++e) {
            if (!c[e].error.empty()) {
                notes.push_back(std::to_string(i + 1) + ": " + EngineName(Engine(e)) + ": " + c[e].error);
            }
        }
    }
    if (!notes.empty()) {
        out << "\nNotes:\n";
        for (const auto& n : notes) {
            out << "- " << n << "\n";
        }
    }
}

} // namespace morvane::bench
