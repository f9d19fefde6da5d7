// morvane-bench: the engine beside the PCRE2 interpreter, PCRE2 JIT, std::regex and RE2 on one
// generated corpus. Every engine counts all matches of each pattern the way it is normally
// driven through a text; the console shows Google Benchmark's runs, then a summary with MB/s,
// the ratio to the PCRE2 interpreter, and the match counts with disagreements flagged.
//
// Own options (before Google Benchmark's --benchmark_* ones):
//   --corpus-mib=N     corpus size in MiB (default 16)
//   --std-slice-mib=N  slice for std::regex on the slow patterns (default 2; 0 = whole corpus)
// Run through scripts/bench.sh for the release build and the Windows-1251 locale.

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BenchPattern.h"
#include "CorpusGenerator.h"
#include "MorvaneMatcher.h"
#include "Pcre2Matcher.h"
#include "Re2Matcher.h"
#include "ResultTable.h"
#include "StdRegexMatcher.h"
#include "SummaryReporter.h"

using namespace morvane::bench;

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

struct Options {
    std::size_t corpusBytes = 16 * kMiB;
    std::size_t stdSliceBytes = 2 * kMiB;
    bool stdSliceGiven = false;
};

// Takes our own options out of argv so that Google Benchmark sees only its own.
Options ParseOptions(int& argc, char** argv)
{
    Options options;
    int out = 1;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strncmp(arg, "--corpus-mib=", 13) == 0) {
            options.corpusBytes = std::stoul(arg + 13) * kMiB;
        } else if (std::strncmp(arg, "--std-slice-mib=", 16) == 0) {
            options.stdSliceBytes = std::stoul(arg + 16) * kMiB;
            options.stdSliceGiven = true;
        } else {
            argv[out++] = argv[i];
        }
    }
    argc = out;
    return options;
}

std::uint64_t Fnv1a(const std::string& text)
{
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (unsigned char c : text) {
        h = (h ^ c) * 0x100000001b3ULL;
    }
    return h;
}

// PCRE2 character tables for Windows-1251, made under a Windows-1251 locale; nullptr when no
// such locale is installed or the tables do not fold Cyrillic case in a class (а-я/А-Я, ё/Ё).
// The check uses a class on purpose: PCRE2 10.42 does not fold a lone caseless literal 0xFF
// ("я") with these tables although the class form folds it.
const unsigned char* MakeCp1251Tables()
{
    for (const char* name : { "ru_RU.CP1251", "ru_RU.cp1251", "ru_RU.1251" }) {
        if (std::setlocale(LC_CTYPE, name) == nullptr) {
            continue;
        }
        const unsigned char* tables = pcre2_maketables(nullptr);
        std::setlocale(LC_CTYPE, "C");
        try {
            Pcre2Matcher letters("(?i)^[\xe0-\xff\xb8]+$", false, tables);
            if (letters.CountAll("\xc0\xdf\xa8\xe0\xff\xb8") == 1) {
                return tables;
            }
        } catch (const std::exception&) {
        }
        pcre2_maketables_free(nullptr, tables);
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }

    const std::string corpus = CorpusGenerator().Generate(options.corpusBytes);
    std::size_t lines = 0;
    for (std::size_t p = corpus.find("\r\n"); p != std::string::npos; p = corpus.find("\r\n", p + 2)) {
        ++lines;
    }
    std::printf("corpus: %zu bytes, %zu CR LF lines, FNV-1a %016llx\n", corpus.size(), lines,
        static_cast<unsigned long long>(Fnv1a(corpus)));

    const unsigned char* cp1251Tables = MakeCp1251Tables();
    std::printf("PCRE2 Windows-1251 character tables: %s\n",
        cp1251Tables ? "built under the ru_RU.CP1251 locale"
                     : "not available (no ru_RU.CP1251 locale): case-expanded class used");

    ResultTable table(BenchPatterns());
    SummaryReporter reporter(table);
    std::vector<std::unique_ptr<Matcher>> matchers;

    for (std::size_t row = 0; row < table.Size(); ++row) {
        BenchPattern& pattern = table.At(row).pattern;
        std::size_t stdSlice = pattern.stdSliceBytes;
        if (options.stdSliceGiven && stdSlice != 0) {
            stdSlice = options.stdSliceBytes;
        }
        pattern.stdSliceBytes = stdSlice == 0 || stdSlice > corpus.size() ? corpus.size() : stdSlice;

        for (std::size_t e = 0; e < kEngineCount; ++e) {
            const auto engine = static_cast<Engine>(e);
            ResultTable::Cell& cell = table.At(row, engine);
            std::string_view subject = corpus;
            std::unique_ptr<Matcher> matcher;
            try {
                switch (engine) {
                case Engine::TRegex:
                    matcher = std::make_unique<MorvaneMatcher>(pattern.morvane);
                    break;
                case Engine::Pcre2:
                case Engine::Pcre2Jit: {
                    const bool useTables = pattern.pcre2Cp1251Case && cp1251Tables != nullptr;
                    const std::string& text
                        = pattern.pcre2Cp1251Case && !useTables ? pattern.pcre2Fallback : pattern.pcre2;
                    matcher = std::make_unique<Pcre2Matcher>(
                        text, engine == Engine::Pcre2Jit, useTables ? cp1251Tables : nullptr);
                    break;
                }
                case Engine::StdRegex:
                    if (pattern.stdRegex.empty()) {
                        continue;
                    }
                    matcher = std::make_unique<StdRegexMatcher>(pattern.stdRegex, pattern.stdIcase);
                    subject = subject.substr(0, pattern.stdSliceBytes);
                    break;
                case Engine::Re2:
                    if (pattern.re2.empty()) {
                        continue;
                    }
                    matcher = std::make_unique<Re2Matcher>(pattern.re2);
                    break;
                }
            } catch (const std::exception& ex) {
                cell.error = ex.what();
                continue;
            }
            cell.subjectBytes = subject.size();
            Matcher* m = matcher.get();
            matchers.push_back(std::move(matcher));

            char name[32];
            std::snprintf(name, sizeof name, "p%02zu/%s", row + 1, EngineName(engine));
            benchmark::RegisterBenchmark(name,
                [m, subject, &cell](benchmark::State& state) {
                    try {
                        // The first count is untimed: it records the matches and warms up.
                        std::size_t count = m->CountAll(subject);
                        cell.matches = count;
                        for (auto _ : state) {
                            double cpuSeconds = 0;
                            count = m->CountTimed(subject, cpuSeconds);
                            benchmark::DoNotOptimize(count);
                            state.SetIterationTime(cpuSeconds);
                        }
                        state.SetBytesProcessed(
                            static_cast<std::int64_t>(state.iterations() * subject.size()));
                        state.counters["matches"] = static_cast<double>(count);
                    } catch (const std::exception& ex) {
                        state.SkipWithError(ex.what());
                    }
                })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
            reporter.Map(name, row, engine, subject.size());
        }
    }

    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // References that explain count differences, for the patterns that ran.
    for (std::size_t row = 0; row < table.Size(); ++row) {
        ResultTable::Row& r = table.At(row);
        if (!r.cells[static_cast<std::size_t>(Engine::Pcre2)].matches) {
            continue;
        }
        const bool useTables = r.pattern.pcre2Cp1251Case && cp1251Tables != nullptr;
        Pcre2Matcher reference(
            r.pattern.pcre2Cp1251Case && !useTables ? r.pattern.pcre2Fallback : r.pattern.pcre2, false,
            useTables ? cp1251Tables : nullptr);
        std::uint64_t spans = 0;
        r.pcre2EngineStyle = reference.CountEngineStyle(corpus, &spans);
        r.pcre2EngineStyleSpans = spans;
        if (r.cells[static_cast<std::size_t>(Engine::TRegex)].matches) {
            MorvaneMatcher engine(r.pattern.morvane);
            r.trexSpans = engine.SpanDigest(corpus);
        }
        if (r.pattern.stdSliceBytes < corpus.size()) {
            r.pcre2OnStdSlice
                = reference.CountAll(std::string_view(corpus).substr(0, r.pattern.stdSliceBytes));
        }
    }

    table.PrintSpeeds(std::cout);
    table.PrintCounts(std::cout);
    std::cout.flush();
    matchers.clear();
    if (cp1251Tables != nullptr) {
        pcre2_maketables_free(nullptr, cp1251Tables);
    }
    return 0;
}
