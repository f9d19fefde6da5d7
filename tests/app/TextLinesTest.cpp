// The shared line form: every line end on reading, CR LF on writing.

#include "app/TextLines.h"

#include <gtest/gtest.h>

using morvane::app::JoinLinesCrLf;
using morvane::app::SplitLines;
using Lines = std::vector<std::string>;

TEST(TextLines, SplitRecognisesEveryLineEnd)
{
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        { "", {} },
        { "a", { "a" } },
        { "a\r\n", { "a" } },
        { "a\r\nb", { "a", "b" } },
        { "a\rb\nc\r\nd", { "a", "b", "c", "d" } },
        { "\n", { "" } },
        { "\r\n\r\n", { "", "" } },
        { "\n\r", { "", "" } },          // LF then a lone CR: two empty lines
        { "a\r\r\nb", { "a", "", "b" } }, // a lone CR, then CR LF
        { "x\ty\t\tz\r\n", { "x\ty\t\tz" } },
        { std::string("a\0b\nc", 5), { std::string("a\0b", 3), "c" } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << testing::PrintToString(c.text);
}

TEST(TextLines, JoinEndsEveryLineWithCrLf)
{
    EXPECT_EQ(JoinLinesCrLf({}), "");
    EXPECT_EQ(JoinLinesCrLf({ "" }), "\r\n");
    EXPECT_EQ(JoinLinesCrLf({ "a", "", "b\tc" }), "a\r\n\r\nb\tc\r\n");
    const Lines lines { "one", "", "three\t\t" };
    EXPECT_EQ(SplitLines(JoinLinesCrLf(lines)), lines);
}
