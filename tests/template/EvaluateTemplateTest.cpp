// Template evaluation: group items, case commands, quoting, escapes and character codes.
// Counters, widths and paths have their own files.

#include "TemplateTestSupport.h"

#include <gtest/gtest.h>

using morvane::test::EvaluateUtf8;
using morvane::test::FakeGroups;
namespace templ = morvane::templ;

namespace {

// Groups 0 to 14 of the match; group 2 took part but is empty, group 9 holds template syntax
// that must come out as written.
const std::vector<std::string> kGroups = {
    "Whole",
    "abc",
    "",
    "cd",
    "abcdef",
    "aBc",
    "ABC",
    "ёлка Ёж",
    "ЁЖИК Привет",
    "$1\\U\\",
    "ten",
    "ab",
    "twelve",
    "abcd",
    "last",
};

struct TemplateCase {
    const char* templateText;
    const char* expected;
};

void runCases(const char* title, std::initializer_list<TemplateCase> cases)
{
    const auto groups = FakeGroups(kGroups);
    for (const auto& c : cases)
        EXPECT_EQ(EvaluateUtf8(c.templateText, groups), c.expected) << title << ": " << c.templateText;
}

} // namespace

TEST(EvaluateTemplate, PlainText)
{
    runCases("plain",
        {
            { "", "" }, { "plain text, 100%", "plain text, 100%" }, { "Привет-мир", "Привет-мир" },
            { "a-{L,3}", "a-{L,3}" }, // a width modifier needs an item before it
        });
}

TEST(EvaluateTemplate, GroupItems)
{
    runCases("groups",
        {
            { "$1", "abc" },
            { "<$1>", "<abc>" },
            { "$0", "Whole" },
            { "$&", "Whole" },
            { "${}", "Whole" },
            { "${&}", "Whole" },
            { "${1}0", "abc0" },
            { "${11}", "ab" },
            { "$10", "ten" }, // every digit belongs to the number
            { "$01", "abc" },
            { "${007}", "ёлка Ёж" },
            { "$15", "" },
            { "$99999999999999999999", "" },
            { "$2", "" },
            { "$9", "$1\\U\\" }, // a group's text is never read as template
            { "$1$3", "abccd" },
        });
}

TEST(EvaluateTemplate, MalformedGroupItemsAreLiteralDollars)
{
    runCases("literal dollar",
        {
            { "$", "$" },
            { "a$", "a$" },
            { "$x", "$x" },
            { "$$1", "$abc" },
            { "${1", "${1" },
            { "${1x}", "${1x}" },
            { "${&1}", "${&1}" },
            { "${x}", "${x}" },
            { "$ 1", "$ 1" },
            { "$-{,5}", "$-{,5}" },
        });
}

TEST(EvaluateTemplate, LastingCase)
{
    runCases("lasting case",
        {
            { "\\U$1\\E-$3", "ABC-cd" },
            { "\\I$5", "AbC" },
            { "\\L$6 X", "abc x" },
            { "\\Uab\\Ecd", "ABcd" },
            { "\\U$1\\/$1", "ABCabc" },
            { "\\U$7", "ЁЛКА ЁЖ" },
            { "\\L$8", "ёжик привет" },
            { "\\I$8 ё", "ёжик пРИВЕТ Ё" },
            { "\\Uёлка", "ЁЛКА" },
            { "\\U\\k", "K" }, // an escaped character is a literal
            { "\\U\\Q$1\\E", "$1" }, // quoting ends case conversion
            { "\\U$0\\L$0", "WHOLEwhole" },
        });
}

TEST(EvaluateTemplate, OneCharacterCase)
{
    runCases("pending case",
        {
            { "\\u$1", "Abc" }, { "\\l$6", "aBC" }, { "\\i$5", "ABc" },
            { "\\u$2x", "X" }, // an empty group leaves the waiting case for the next character
            { "\\u$2$2$1", "Abc" }, { "\\u$99x", "X" }, { "\\u$x", "$x" }, // a literal dollar drops it
            { "\\u${1x", "${1x" },
            { "\\u\\t$1", "\tAbc" }, // TAB, CR, LF, codes and counters leave it waiting
            { "\\u\\r\\n$1", "\r\nAbc" }, { "\\u\\x41bc", "ABc" }, { "\\u\\#x", "0X" },
            { "\\u\\Qab", "ab" }, // quoting cancels it
            { "\\uёж", "Ёж" }, { "\\l$8", "ёЖИК Привет" },
            { "\\u$1$1", "Abcabc" }, // converts one character only
            { "\\U\\l$6", "aBC" }, // \l ends the lasting conversion
            { "\\u\\L$4", "abcdef" }, // and \L ends the waiting one
            { "\\L\\u$4", "Abcdef" }, { "\\u\\E$1", "abc" },
            { "\\u\\x4G", "\\x4G" }, // the fallback backslash is a literal and takes the case
        });
}

TEST(EvaluateTemplate, Quoting)
{
    runCases("quoting",
        {
            { "\\Q$1\\t\\E", "$1\\t" },
            { "\\Q$1", "$1" }, // quotes to the end
            { "\\Q${1}$&$", "${1}$&$" },
            { "\\Q\\U$1\\E$1", "\\U$1abc" },
            { "\\Qa\\\\b\\E", "a\\\\b" },
            { "\\Q\\x41\\#\\P\\E", "\\x41\\#\\P" },
            { "\\Qab\\", "ab\\" }, // a final backslash is kept inside quoting
            { "\\Q\\/$1", "abc" }, // \/ ends quoting like \E
            { "\\Q\\E\\E$1", "abc" },
            { "\\Q-{,5}", "-{,5}" },
            { "\\Q\\Q$1", "\\Q$1" },
        });
}

TEST(EvaluateTemplate, Escapes)
{
    runCases("escapes",
        {
            { "\\r\\n", "\r\n" },
            { "a\\tb", "a\tb" },
            { "\\\\", "\\" },
            { "\\$1", "$1" },
            { "\\-", "-" },
            { "\\k", "k" },
            { "a\\", "a" }, // a final backslash gives nothing
            { "\\", "" },
            { "$1\\-{,5}", "abc-{,5}" }, // an escaped minus is no width modifier
            { "\\ё", "ё" },
        });
}

TEST(EvaluateTemplate, CharacterCodes)
{
    runCases("codes",
        {
            { "\\x41", "A" },
            { "\\x4G", "\\x4G" },
            { "\\xZ1", "\\xZ1" },
            { "\\x4", "\\x4" },
            { "\\x", "\\x" },
            { "\\U\\x61", "a" }, // a code is never case converted
            { "\\xC0", "А" },
        });
    const auto groups = FakeGroups(kGroups);
    EXPECT_EQ(templ::EvaluateTemplate("\\x00\\xff\\x0D", groups, {}, {}), std::string("\0\xff\r", 3));
}

TEST(EvaluateTemplate, GroupsOutsideTheRangeAreNeverAsked)
{
    std::vector<int> asked;
    const templ::GroupTextSource recorder = [&asked](int n) {
        asked.push_back(n);
        return std::string("g");
    };
    EXPECT_EQ(templ::EvaluateTemplate("$15$0${14}$100$&", recorder, {}, {}), "ggg");
    EXPECT_EQ(asked, (std::vector<int> { 0, 14, 0 }));
}

TEST(EvaluateTemplate, EmptyGroupSourceGivesEmptyGroups)
{
    EXPECT_EQ(templ::EvaluateTemplate("<$1>", templ::GroupTextSource(), {}, {}), "<>");
}

TEST(EvaluateTemplate, EveryByteSequenceEvaluates)
{
    // The evaluator has no error path: whatever bytes it gets, it returns. Prefix-truncated
    // forms of every item are the likely traps.
    const std::string full = "\\#{-12,3,s,z,f}-{C,9,L,\\}}\\P{N,/\\}-{,2}\\F{E}${12}-{,1,,,}\\x4F\\Q$\\E";
    const auto groups = FakeGroups(kGroups);
    const templ::RunCounters counters { 3, 7, 2, 6 };
    for (size_t length = 0; length <= full.size(); ++length) {
        for (size_t from = 0; from < length; ++from)
            (void)templ::EvaluateTemplate(
                std::string_view(full).substr(from, length - from), groups, counters, "/a/b.c");
    }
    EXPECT_EQ(templ::EvaluateTemplate(full, groups, counters, "/a/b.c"), "}}-010}}} actO$");
}
