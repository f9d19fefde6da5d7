// Names of file-split output: numbering bases, name from the source or fixed, start, digits,
// separator, and the 64-bit number.

#include "search/OutputName.h"
#include "codepage/CodePage.h"

#include <gtest/gtest.h>

#include <climits>

using namespace morvane::search;
using morvane::templ::RunCounters;

namespace {

OutputSplitSettings Settings(OutputNumbering numbering, int digits, std::int64_t start = 0)
{
    OutputSplitSettings settings;
    settings.numbering = numbering;
    settings.digits = digits;
    settings.startNumber = start;
    return settings;
}

// Counters as a run has them while it writes a replacement: the match counters count the
// current match, the replacement counters the replacements made before it.
RunCounters At(int matchesInFile, int replacementsInFile, int matchesTotal, int replacementsTotal)
{
    return { matchesInFile, matchesTotal, replacementsInFile, replacementsTotal };
}

} // namespace

TEST(OutputName, NumberingBasesAndNameSources)
{
    const struct {
        bool fromSource;
        OutputNumbering numbering;
        std::int64_t start;
        int digits;
        std::string source;
        RunCounters counters;
        std::string expected;
    } cases[] = {
        // From the source, by replacements: 000, 001, 002, and the next source again at 000.
        { true, OutputNumbering::ByReplacements, 0, 3, "/w/page.htm", At(1, 0, 1, 0), "/w/page_000.htm" },
        { true, OutputNumbering::ByReplacements, 0, 3, "/w/page.htm", At(3, 2, 3, 2), "/w/page_002.htm" },
        { true, OutputNumbering::ByReplacements, 0, 3, "/w/next.htm", At(1, 0, 4, 3), "/w/next_000.htm" },
        // Three matches with the second skipped, at the third: a gap by matches, none by
        // replacements.
        { true, OutputNumbering::ByMatches, 0, 3, "/w/page.htm", At(1, 0, 1, 0), "/w/page_000.htm" },
        { true, OutputNumbering::ByMatches, 0, 3, "/w/page.htm", At(3, 1, 3, 1), "/w/page_002.htm" },
        { true, OutputNumbering::ByReplacements, 0, 3, "/w/page.htm", At(3, 1, 3, 1), "/w/page_001.htm" },
        // A fixed name numbers across the whole run, from the start number.
        { false, OutputNumbering::ByReplacements, 5, 0, "/w/a.htm", At(1, 0, 1, 0), "/out/out_5.txt" },
        { false, OutputNumbering::ByReplacements, 5, 0, "/w/b.htm", At(1, 0, 3, 2), "/out/out_7.txt" },
        { false, OutputNumbering::ByMatches, 5, 0, "/w/b.htm", At(1, 0, 4, 2), "/out/out_8.txt" },
    };
    for (const auto& c : cases) {
        auto settings = Settings(c.numbering, c.digits, c.start);
        settings.nameFromSource = c.fromSource;
        settings.fixedName = "/out/out.txt";
        EXPECT_EQ(OutputName(settings, c.source, c.counters).string(), c.expected);
    }
}

TEST(OutputName, BaseExtensionAndSeparator)
{
    const struct {
        std::string source;
        std::string separator;
        int digits;
        std::string expected;
    } cases[] = {
        { "/w/page.htm", "_", 0, "/w/page_0.htm" },
        // The extension is taken from the last dot of the name, never of the directory.
        { "/w/arch.tar.gz", "_", 2, "/w/arch.tar_00.gz" },
        { "/w.d/readme", "-", 1, "/w.d/readme-0" },
        { "/w/.hidden", "_", 1, "/w/_0.hidden" },
        // An empty separator joins the number to the base.
        { "/w/page.htm", "", 3, "/w/page000.htm" },
        // Program text enters the path in the file system's encoding.
        { "/w/page.htm", morvane::codepage::Utf8ToWin1251("№"), 1, "/w/page№0.htm" },
    };
    for (const auto& c : cases) {
        auto settings = Settings(OutputNumbering::ByReplacements, c.digits);
        settings.separator = c.separator;
        EXPECT_EQ(OutputName(settings, c.source, At(1, 0, 1, 0)).string(), c.expected) << c.source;
    }
}

TEST(OutputName, NumberTextDigitsAndLimits)
{
    const struct {
        std::int64_t number;
        int digits;
        std::string expected;
    } cases[] = {
        { 0, 0, "_0" },
        { 7, 1, "_7" },
        { 1234567, 10, "_0001234567" }, // seven digits, three leading zeros
        { 12345, 3, "_12345" }, // never cut
        { 4294967296LL, 0, "_4294967296" }, // beyond 32 bits
        { 4294967295LL, 10, "_4294967295" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(OutputNumberText("_", c.number, c.digits), c.expected) << c.number;
}

TEST(OutputName, NumbersAreComputedIn64Bits)
{
    auto settings = Settings(OutputNumbering::ByReplacements, 0, OutputSplitSettings::kMaxStartNumber);
    settings.nameFromSource = false;
    settings.fixedName = "/o/n.txt";
    const RunCounters limit = At(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX);
    // 1000000 + 2147483647 would wrap negative in 32 bits.
    EXPECT_EQ(OutputNumber(settings, limit), 2148483647LL);
    EXPECT_EQ(OutputName(settings, "/w/a", limit), "/o/n_2148483647.txt");
    settings.numbering = OutputNumbering::ByMatches;
    EXPECT_EQ(OutputNumber(settings, limit), 2148483646LL);
    settings.nameFromSource = true;
    EXPECT_EQ(OutputNumber(settings, At(1, 0, 1, 0)), OutputSplitSettings::kMaxStartNumber);
}
