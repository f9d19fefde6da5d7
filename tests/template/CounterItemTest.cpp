// The counter item: formats, counters across files and skipped matches, 64-bit values and the
// fallbacks of malformed items.

#include "TemplateTestSupport.h"

#include <gtest/gtest.h>

using morvane::test::EvaluateUtf8;
using morvane::test::FakeGroups;
namespace templ = morvane::templ;

namespace {

// Plays a replace run over files whose matches are replaced ('r') or skipped ('s'), moving the
// counters the way the run does, and returns the template's text at every match.
std::vector<std::string> playRun(const char* templateText, std::initializer_list<const char*> files)
{
    const auto groups = FakeGroups({ "m" });
    templ::RunCounters counters;
    std::vector<std::string> texts;
    for (const char* file : files) {
        counters.MatchesInFile = 0;
        counters.ReplacementsInFile = 0;
        for (const char* match = file; *match; ++match) {
            ++counters.MatchesInFile;
            ++counters.MatchesTotal;
            texts.push_back(templ::EvaluateTemplate(templateText, groups, counters, {}));
            if (*match == 'r') {
                ++counters.ReplacementsInFile;
                ++counters.ReplacementsTotal;
            }
        }
    }
    return texts;
}

using Texts = std::vector<std::string>;

struct CounterCase {
    const char* templateText;
    templ::RunCounters counters; // MatchesInFile, MatchesTotal, ReplacementsInFile, ReplacementsTotal
    const char* expected;
};

void runCases(const char* title, std::initializer_list<CounterCase> cases)
{
    const auto groups = FakeGroups({ "m", "abc" });
    for (const auto& c : cases)
        EXPECT_EQ(EvaluateUtf8(c.templateText, groups, c.counters), c.expected)
            << title << ": " << c.templateText;
}

} // namespace

TEST(CounterItem, SequencesOverARun)
{
    EXPECT_EQ(playRun("\\#", { "rrr" }), (Texts { "0", "1", "2" }));
    EXPECT_EQ(playRun("\\#{1,3}", { "rrr" }), (Texts { "001", "002", "003" }));
    EXPECT_EQ(playRun("\\#{-2,,s}", { "rrrr" }), (Texts { "-2", "-1", "+0", "+1" }));
    EXPECT_EQ(playRun("\\#{-2,,s,,f}", { "ssss" }), (Texts { "-2", "-1", "+0", "+1" }));
    EXPECT_EQ(playRun("\\#{1,6,s,z,f}", { "rr", "srs" }),
        (Texts { "+000001", "+000002", "+000001", "+000002", "+000003" }));
}

TEST(CounterItem, CountsWithinTheFileStartAgainInEveryFile)
{
    EXPECT_EQ(playRun("\\#{,,,z}", { "rrr", "rr", "r" }), (Texts { "0", "1", "2", "0", "1", "0" }));
    EXPECT_EQ(playRun("\\#{,,,}", { "rrr", "rr", "r" }), (Texts { "0", "1", "2", "3", "4", "5" }));
    EXPECT_EQ(playRun("\\#{1,,,z,f}", { "srs", "ss" }), (Texts { "1", "2", "3", "1", "2" }));
}

TEST(CounterItem, MatchesCountSkippedOnesReplacementsDoNot)
{
    // Skipped matches advance the match counters only.
    EXPECT_EQ(playRun("\\#{1,,,,f}", { "rssr" }), (Texts { "1", "2", "3", "4" }));
    EXPECT_EQ(playRun("\\#{1}", { "rssr" }), (Texts { "1", "2", "2", "2" }));
    EXPECT_EQ(playRun("\\#{1,,,z}", { "rs", "srr" }), (Texts { "1", "2", "1", "1", "2" }));
}

TEST(CounterItem, Formats)
{
    runCases("formats",
        {
            { "\\#", { 9, 9, 4, 5 }, "5" },
            { "\\#{}", { 9, 9, 4, 5 }, "5" },
            { "\\#{+}", { 9, 9, 4, 5 }, "5" },
            { "\\#{-}", { 9, 9, 4, 5 }, "5" },
            { "\\#{+10}", { 9, 9, 4, 5 }, "15" },
            { "\\#{-10}", { 9, 9, 4, 5 }, "-5" },
            { "\\#{-10,4}", { 9, 9, 4, 5 }, "-0005" }, // zeros after the minus
            { "\\#{-3,,s}", { 9, 9, 4, 5 }, "+2" },
            { "\\#{-5,,s}", { 9, 9, 4, 5 }, "+0" },
            { "\\#{,,s}", { 9, 9, 4, 5 }, "+5" },
            { "\\#{,3,s}", { 9, 9, 4, 5 }, "+005" },
            { "\\#{,007}", { 9, 9, 4, 5 }, "0000005" }, // precision digits as written
            { "\\#{,0}", { 0, 0, 0, 0 }, "0" }, // precision 0 is no least number, zero still shows
            { "\\#{,1}", { 0, 0, 0, 0 }, "0" },
            { "\\#{,,,,f}", { 1, 1, 0, 0 }, "0" },
            { "\\#{,,,z,f}", { 2, 8, 1, 7 }, "1" },
            { "\\#{,,,z}", { 2, 8, 1, 7 }, "1" },
            { "\\#{,,,,f}", { 2, 8, 1, 7 }, "7" },
            { "\\#{0000000000000000000000000000001}", { 2, 8, 1, 7 }, "8" },
        });
}

TEST(CounterItem, PrecisionAboveThirtyTwoIsIgnored)
{
    runCases("precision",
        {
            { "\\#{1,32}", { 0, 0, 0, 0 }, "00000000000000000000000000000001" },
            { "\\#{1,33}", { 0, 0, 0, 0 }, "1" },
            { "\\#{-1,40}", { 0, 0, 0, 0 }, "-1" },
            { "\\#{1,99999999999999999999}", { 0, 0, 0, 0 }, "1" },
            { "\\#{1,0000000000000000000032}", { 0, 0, 0, 0 }, "00000000000000000000000000000001" },
        });
}

TEST(CounterItem, SixtyFourBitValues)
{
    runCases("64 bit",
        {
            { "\\#{2147483646}", { 0, 0, 0, 0 }, "2147483646" },
            { "\\#{2147483646}", { 0, 0, 0, 2147483647 }, "4294967293" },
            { "\\#{2147483646,,,,f}", { 1, 2147483647, 0, 0 }, "4294967292" },
            { "\\#{-2147483646}", { 0, 0, 0, 0 }, "-2147483646" },
            { "\\#{-2147483646,,s}", { 0, 0, 0, 2147483647 }, "+1" },
            { "\\#", { 0, 0, 0, -1 }, "4294967295" }, // the plain counter is an unsigned 32-bit number
        });
}

TEST(CounterItem, MalformedItemsFallBackToThePlainCounter)
{
    runCases("fallbacks",
        {
            { "\\#{99999999999}", { 0, 0, 0, 4 }, "4{99999999999}" },
            { "\\#{2147483647}", { 0, 0, 0, 4 }, "4{2147483647}" },
            { "\\#{-2147483647}", { 0, 0, 0, 4 }, "4{-2147483647}" },
            { "\\#{99999999999}-{,4}", { 0, 0, 0, 4 }, "4{99999999999}-{,4}" }, // no width looked for
            { "\\#{1,z}", { 0, 0, 0, 4 }, "4{1,z}" }, // a letter counts only in its own slot
            { "\\#{1,,f}", { 0, 0, 0, 4 }, "4{1,,f}" }, { "\\#{1,,,,,}", { 0, 0, 0, 4 }, "4{1,,,,,}" },
            { "\\#{1,2,s,z,f,}", { 0, 0, 0, 4 }, "4{1,2,s,z,f,}" }, { "\\#{S}", { 0, 0, 0, 4 }, "4{S}" },
            { "\\#{1", { 0, 0, 0, 4 }, "4{1" }, { "\\#{", { 0, 0, 0, 4 }, "4{" },
            { "\\#{ 1}", { 0, 0, 0, 4 }, "4{ 1}" },
            { "\\#{$1}", { 0, 0, 0, 4 }, "4{abc}" }, // the braces' contents are template text again
        });
}

TEST(CounterItem, WidthModifiers)
{
    runCases("width",
        {
            { "\\#-{,3,,0}", { 0, 0, 0, 7 }, "007" },
            { "\\#{1}-{L,4,,.}", { 0, 0, 0, 0 }, "1..." },
            { "\\#{-2,,s}-{C,6,,_}", { 0, 0, 0, 0 }, "__-2__" },
            { "\\#{100}-{,2,L}-{,3}", { 0, 0, 0, 0 }, " 00" },
            { "\\#{1}-{5}", { 0, 0, 0, 0 }, "1-{5}" },
            // A width modifier exactly where reading stopped still applies to the plain counter, and
            // evaluation resumes after it.
            { "\\#{1,2-{,4}x", { 0, 0, 0, 0 }, "   0x" },
            { "\\#{1,2,s-{L,3,,*}-{C,5,,.}}", { 0, 0, 0, 9 }, ".9**.}" },
            { "\\#{1,2 -{,4}", { 0, 0, 0, 0 }, "0{1,2 -{,4}" },
        });
}
