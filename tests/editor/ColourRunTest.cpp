// The colouring run: the columns a table line is read by, the overlay of later lines over
// earlier ones, group 1 as the coloured part, the engine's modifiers, skipped and reported
// rules, and stopping on request.

#include "editor/ColourRun.h"

#include "editor/ColourRunControl.h"
#include "regex/TRegex.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace morvane::editor {

// Readable failure output.
void PrintTo(const ColourSpan& span, std::ostream* out)
{
    const Rgb& c = span.attributes.colour;
    *out << "{" << span.position << "+" << span.length << " rgb(" << int(c.red) << "," << int(c.green) << ","
         << int(c.blue) << ")" << (span.attributes.style ? " style" : "")
         << (span.attributes.size ? " size " + std::to_string(*span.attributes.size) : "") << "}";
}
void PrintTo(const ColourRuleProblem& problem, std::ostream* out)
{
    *out << "{line " << problem.line << ": " << problem.reason << "}";
}

namespace {

constexpr Rgb kRed { 255, 0, 0 };
constexpr Rgb kBlue { 0, 0, 255 };
constexpr Rgb kGreen { 0, 128, 0 };

// Counts the pumps and asks to stop after a given number of them (never when negative).
class CountingControl : public ColourRunControl {
public:
    explicit CountingControl(int stopAfterPumps = -1)
        : m_stopAfter(stopAfterPumps)
    {
    }
    void PumpMessages() override { ++pumps; }
    bool AbortRequested() override { return m_stopAfter >= 0 && pumps >= m_stopAfter; }

    int pumps = 0;

private:
    int m_stopAfter;
};

ColourSpan Span(int position, int length, Rgb colour)
{
    return { position, length, { colour, std::nullopt, std::nullopt } };
}

struct SplitCase {
    std::string line;
    std::string expression;
    std::string attributes;
};

TEST(ColourRunTest, SplitColourLineReadsTheFirstTwoColumns)
{
    const SplitCase cases[] = {
        { "(a)\tRed\tremark", "(a)", "Red" },
        { "(a)\tRed\tremark\twith\ttabs", "(a)", "Red" },
        { "(a)\t\t", "(a)", "" },
        // Without a second TAB there is no attribute column; without any TAB no expression.
        { "(a)\tRed", "(a)", "" },
        { "(a)", "", "" },
        { "", "", "" },
        { "\tRed\t", "", "Red" },
        { "(a b)\t Red ; Bold \t", "(a b)", " Red ; Bold " },
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.line);
        const ColourLine line = SplitColourLine(c.line);
        EXPECT_EQ(line.expression, c.expression);
        EXPECT_EQ(line.attributeText, c.attributes);
    }
}

struct OverlayCase {
    const char* name;
    std::vector<ColourSpan> under;
    std::vector<ColourSpan> over;
    std::vector<ColourSpan> expected;
};

TEST(ColourRunTest, OverlayLetsTheUpperSpansWin)
{
    const OverlayCase cases[] = {
        { "empty over", { Span(0, 5, kRed) }, {}, { Span(0, 5, kRed) } },
        { "empty under", {}, { Span(2, 3, kBlue) }, { Span(2, 3, kBlue) } },
        { "disjoint, interleaved", { Span(0, 2, kRed), Span(10, 2, kRed) }, { Span(5, 2, kBlue) },
            { Span(0, 2, kRed), Span(5, 2, kBlue), Span(10, 2, kRed) } },
        { "touching ends stay whole", { Span(0, 5, kRed) }, { Span(5, 5, kBlue) },
            { Span(0, 5, kRed), Span(5, 5, kBlue) } },
        { "middle cut out", { Span(0, 10, kRed) }, { Span(3, 2, kBlue) },
            { Span(0, 3, kRed), Span(3, 2, kBlue), Span(5, 5, kRed) } },
        { "fully covered", { Span(3, 2, kRed) }, { Span(0, 10, kBlue) }, { Span(0, 10, kBlue) } },
        { "left overlap", { Span(5, 10, kRed) }, { Span(0, 8, kBlue) },
            { Span(0, 8, kBlue), Span(8, 7, kRed) } },
        { "right overlap", { Span(0, 10, kRed) }, { Span(8, 5, kBlue) },
            { Span(0, 8, kRed), Span(8, 5, kBlue) } },
        { "several holes in one", { Span(0, 20, kRed) },
            { Span(2, 2, kBlue), Span(6, 1, kBlue), Span(19, 4, kBlue) },
            { Span(0, 2, kRed), Span(2, 2, kBlue), Span(4, 2, kRed), Span(6, 1, kBlue), Span(7, 12, kRed),
                Span(19, 4, kBlue) } },
        { "one over spanning several", { Span(0, 3, kRed), Span(4, 3, kGreen), Span(8, 3, kRed) },
            { Span(2, 7, kBlue) }, { Span(0, 2, kRed), Span(2, 7, kBlue), Span(9, 2, kRed) } },
    };
    for (const OverlayCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OverlaySpans(c.under, c.over), c.expected);
    }
}

class ColourTextTest : public testing::Test {
protected:
    ColourTextTest() { SetColourEngineModifiers(m_engine); }

    ColourRunResult run(const std::string& text, const rules::LineList& table)
    {
        return ColourText(m_engine, text, table, m_control);
    }

    regex::TRegex m_engine;
    CountingControl m_control;
};

TEST_F(ColourTextTest, OnlyGroupOneIsColoured)
{
    const ColourRunResult result = run("x <b>bold</b> y <b>more</b>", { "<b>(.*?)</b>\tRed\t" });
    EXPECT_EQ(result.spans, (std::vector<ColourSpan> { Span(5, 4, kRed), Span(19, 4, kRed) }));
    EXPECT_TRUE(result.problems.empty());
    EXPECT_FALSE(result.aborted);
}

TEST_F(ColourTextTest, CaseInsensitiveByDefaultAndRulesSetTheirOwnModifiers)
{
    EXPECT_EQ(run("Ab aB", { "(ab)\tRed\t" }).spans,
        (std::vector<ColourSpan> { Span(0, 2, kRed), Span(3, 2, kRed) }));
    EXPECT_EQ(run("Ab aB ab", { "(?-i)(ab)\tRed\t" }).spans, (std::vector<ColourSpan> { Span(6, 2, kRed) }));
    // Lazy repetitions by default: the shortest stretch between the marks.
    EXPECT_EQ(run("[a][b]", { "\\[(.+)\\]\tRed\t" }).spans,
        (std::vector<ColourSpan> { Span(1, 1, kRed), Span(4, 1, kRed) }));
    // A rule's own (?g) does not stay with the engine for the next rule.
    EXPECT_EQ(run("[a][b]", { "(?g)\\[(.+)\\]\tRed\t", "\\[(.+)\\]\tBlue\t" }).spans,
        (std::vector<ColourSpan> { Span(1, 1, kBlue), Span(2, 2, kRed), Span(4, 1, kBlue) }));
}

TEST_F(ColourTextTest, LaterLinesWinWhereTheyOverlap)
{
    const rules::LineList table { "(abcdef)\tRed;Bold;10\t", "c(de)\tBlue\t" };
    const ColourRunResult result = run("abcdefg", table);
    const std::vector<ColourSpan> expected {
        { 0, 3, { kRed, FontStyles { true, false, false, false }, 10 } },
        Span(3, 2, kBlue),
        { 5, 1, { kRed, FontStyles { true, false, false, false }, 10 } },
    };
    EXPECT_EQ(result.spans, expected);
    // In the other order the wide rule paints over the narrow one.
    EXPECT_EQ(run("abcdefg", { table[1], table[0] }).spans,
        (std::vector<ColourSpan> { { 0, 6, { kRed, FontStyles { true, false, false, false }, 10 } } }));
}

TEST_F(ColourTextTest, MatchesWithoutGroupOneColourNothing)
{
    // No group at all, an optional group that did not take part, and an empty group.
    const ColourRunResult result
        = run("abc abd", { "ab\tRed\t", "ab(x)?c\tBlue\t", "a()b\tGreen\t", "(d)\tRed\t" });
    EXPECT_EQ(result.spans, (std::vector<ColourSpan> { Span(6, 1, kRed) }));
    EXPECT_TRUE(result.problems.empty());
}

TEST_F(ColourTextTest, EmptyExpressionsAreSkippedSilently)
{
    const ColourRunResult result = run("abc", { "", "\t\t", "(b)", "\tRed\t", "(c)\tRed\t" });
    EXPECT_EQ(result.spans, (std::vector<ColourSpan> { Span(2, 1, kRed) }));
    EXPECT_TRUE(result.problems.empty());
}

TEST_F(ColourTextTest, BadRulesAreReportedOnceAndSkipped)
{
    const rules::LineList table {
        "(a)\tRed\t",
        "(b\tRed\t", // does not compile
        "(c)\tOrange\t", // no such colour
        "(d)\tRed;Bold;huge\t", // size not a number
        "(e)\tRed", // no second TAB: no attribute text
        "(e)\tBlue\t",
    };
    const ColourRunResult result = run("abcde abcde", table);
    EXPECT_EQ(result.spans,
        (std::vector<ColourSpan> {
            Span(0, 1, kRed), Span(4, 1, kBlue), Span(6, 1, kRed), Span(10, 1, kBlue) }));
    ASSERT_EQ(result.problems.size(), 4u) << testing::PrintToString(result.problems);
    EXPECT_EQ(result.problems[0].line, 2);
    EXPECT_NE(result.problems[0].reason.find("(pos "), std::string::npos) << result.problems[0].reason;
    EXPECT_EQ(result.problems[1], (ColourRuleProblem { 3, "cannot read the colour \"Orange\"" }));
    EXPECT_EQ(
        result.problems[2], (ColourRuleProblem { 4, "the size \"huge\" is not a number from 1 to 1000" }));
    EXPECT_EQ(result.problems[3], (ColourRuleProblem { 5, "cannot read the colour \"\"" }));
}

TEST_F(ColourTextTest, PositionsCountBytesOfWindows1251Text)
{
    // Cyrillic letters are one byte each; the span is where the bytes are.
    const std::string text = "\xCF\xF0\xE8\xE2\xE5\xF2 <b>"; // "Привет <b>"
    EXPECT_EQ(run(text, { "(<b>)\tRed\t" }).spans, (std::vector<ColourSpan> { Span(7, 3, kRed) }));
    EXPECT_EQ(
        run(text, { "([\xE0-\xFF]+) \tBlue\t" }).spans, (std::vector<ColourSpan> { Span(0, 6, kBlue) }));
}

TEST_F(ColourTextTest, NothingAfterANulIsColoured)
{
    const std::string text("(a) a\0 a a", 10);
    EXPECT_EQ(
        run(text, { "(a)\tRed\t" }).spans, (std::vector<ColourSpan> { Span(1, 1, kRed), Span(4, 1, kRed) }));
}

TEST(ColourTextAbortTest, StopsAfterTheCurrentMatchAndKeepsWhatWasColoured)
{
    regex::TRegex engine;
    SetColourEngineModifiers(engine);
    CountingControl control(2);
    const ColourRunResult result = ColourText(engine, "aaaaa bbb", { "(a)\tRed\t", "(b)\tBlue\t" }, control);
    EXPECT_TRUE(result.aborted);
    // The first match, then one more after the first pump; the second pump stops the run.
    EXPECT_EQ(result.spans, (std::vector<ColourSpan> { Span(0, 1, kRed), Span(1, 1, kRed) }));
    EXPECT_EQ(control.pumps, 2);
}

TEST(ColourTextAbortTest, AnAbortBeforeALineStopsBeforeIt)
{
    regex::TRegex engine;
    SetColourEngineModifiers(engine);
    CountingControl control(0);
    const ColourRunResult result = ColourText(engine, "ab", { "(a)\tRed\t" }, control);
    EXPECT_TRUE(result.aborted);
    EXPECT_TRUE(result.spans.empty());
}

} // namespace
} // namespace morvane::editor
