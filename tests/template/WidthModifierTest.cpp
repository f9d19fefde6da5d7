// Width modifiers: alignment, cutting, fill characters, chains and malformed forms.

#include "TemplateTestSupport.h"

#include <gtest/gtest.h>

using morvane::test::EvaluateUtf8;
using morvane::test::FakeGroups;

namespace {

struct WidthCase {
    const char* templateText;
    const char* expected;
};

// Group 1 "abc", 2 "ab", 3 "abcd", 4 "abcdef", 5 empty, 6 Cyrillic.
void runCases(const char* title, std::initializer_list<WidthCase> cases)
{
    const auto groups = FakeGroups({ "Whole", "abc", "ab", "abcd", "abcdef", "", "ёж" });
    for (const auto& c : cases)
        EXPECT_EQ(EvaluateUtf8(c.templateText, groups), c.expected) << title << ": " << c.templateText;
}

} // namespace

TEST(WidthModifier, AlignmentAndCut)
{
    runCases("align",
        {
            { "$1-{C,7,,*}", "**abc**" },
            { "$2-{C,7,,*}", "**ab***" }, // the odd fill character goes right
            { "$1-{C,4,,*}", "abc*" },
            { "$1-{,5}", "  abc" },
            { "$1-{L,5}", "abc  " },
            { "$1-{L,14,R,.}", "abc..........." },
            { "$3-{,2,L}", "cd" },
            { "$3-{,2}", "ab" },
            { "$3-{L,2,L}", "cd" },
            { "$1-{,3,L}", "abc" },
            { "$5-{,3,,0}", "000" },
            { "$6-{L,5,,.}", "ёж..." },
            { "$6-{,1,L}", "ж" },
        });
}

TEST(WidthModifier, WidthZeroGivesEmptyText)
{
    runCases("zero",
        {
            { "$1-{}", "" },
            { "$1-{,}", "" },
            { "$1-{C,,L,*}", "" },
            { "<$1-{}>", "<>" },
        });
}

TEST(WidthModifier, FillCharacters)
{
    runCases("fill",
        {
            { "$1-{,5,,}}", "}}abc" },
            { "$1-{,5,,,}", ",,abc" },
            { "$1-{,5,,\\}}", "}}abc" },
            { "$1-{,5,,\\\\}", "\\\\abc" },
            { "$1-{,5,,\\,}", ",,abc" },
            { "$1-{,5,,-}", "--abc" },
            { "$1-{,5,,$}", "$$abc" },
            { "$1-{,5,,\\x}", "xxabc" }, // an escaped fill is that character, no code
            { "\\U$1-{,5,,x}", "xxABC" }, // fill is never case converted
            { "\\u$1-{L,5,,ё}", "Abcёё" },
        });
}

TEST(WidthModifier, Chains)
{
    runCases("chains",
        {
            { "$4-{,3}-{L,5,,.}", "abc.." },
            { "$4-{,4,L}-{,2}-{C,4,,=}", "=cd=" },
            { "$1-{,5}-{,2,L}", "bc" },
            { "$1-{}-{,2,,*}", "**" },
            { "$1-{,5}x-{,2}", "  abcx-{,2}" }, // a chain ends with the first character that is not "-{"
            { "$1-{,4}-{5}", " abc-{5}" },
            { "${1}-{,4}", " abc" },
            { "$&-{,2}", "Wh" },
        });
}

TEST(WidthModifier, MalformedModifiersAreText)
{
    runCases("malformed",
        {
            { "$1-{5}", "abc-{5}" }, // the width needs its comma
            { "$1-{l,5}", "abc-{l,5}" },
            { "$1-{,5,X}", "abc-{,5,X}" },
            { "$1-{,5,,}", "abc-{,5,,}" }, // "}" is the fill and the closing brace is missing
            { "$1-{,5,,", "abc-{,5,," },
            { "$1-{,5,,\\}", "abc-{,5,,}" }, // read again as template text, "\}" gives "}"
            { "$1-{,5,,*,}", "abc-{,5,,*,}" },
            { "$1-", "abc-" },
            { "$1 -{,5}", "abc -{,5}" },
            { "$1-{,2147483648}", "abc-{,2147483648}" }, // width beyond the 32-bit range
            { "$1-{,99999999999999999999}", "abc-{,99999999999999999999}" },
            { "$1-{,5}-{", "  abc-{" },
        });
}

// A width above a million is refused wherever a modifier stands, before anything is built; the
// check names the first such modifier. A width of exactly a million, and text that only looks
// like a modifier, pass.
TEST(WidthModifier, WidthsAboveTheBoundAreRefused)
{
    struct Case {
        const char* templateText;
        int position; // of the refused modifier's "-", or -1 when the template passes
        int length;
    };
    const Case cases[] = {
        { "$0-{L,2000000000}", 2, 15 },
        { "\\#-{,2000000000}", 2, 14 },
        { "\\#{1,3}-{,1000001}", 7, 11 },
        { "\\P{N}-{C,1000001,,*}", 5, 15 },
        { "\\F-{,1000001}", 2, 11 },
        { "x$1-{,3}-{,1000001}", 8, 11 },
        { "$1-{,1000000}", -1, 0 },
        { "a-{,2000000}", -1, 0 }, // no item before it: text
        { "\\Q$1-{,2000000}\\E", -1, 0 }, // quoted: text
        { "\\#{2147483647}-{,2000000}", -1, 0 }, // the counter is unreadable, so is what follows
    };
    const auto groups = FakeGroups({ "Whole", "abc" });
    for (const Case& c : cases) {
        const std::optional<morvane::templ::TemplateWidthError> problem
            = morvane::templ::CheckTemplate(c.templateText);
        if (c.position < 0) {
            EXPECT_FALSE(problem) << c.templateText;
            EXPECT_NO_THROW(EvaluateUtf8(c.templateText, groups)) << c.templateText;
            continue;
        }
        ASSERT_TRUE(problem) << c.templateText;
        EXPECT_EQ(problem->position(), size_t(c.position)) << c.templateText;
        EXPECT_EQ(problem->length(), size_t(c.length)) << c.templateText;
        EXPECT_THROW(EvaluateUtf8(c.templateText, groups), morvane::templ::TemplateWidthError) << c.templateText;
    }
}
