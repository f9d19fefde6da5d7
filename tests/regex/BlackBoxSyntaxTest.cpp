// Black-box checks of the pattern language, one row per construct: literal runs and where they
// split before a quantifier, when "{" is a literal, escapes, classes (members, ranges, class
// escapes, the widened Cyrillic ranges of the r modifier, case images of the i modifier in
// Windows-1251), inline modifiers and their scope, and the extended syntax. Each row lists every
// match of Exec followed by ExecNext as "start:length" (1-based), empty when there is none.

#include "BlackBoxSupport.h"
#include "regex/TRegex.h"

#include <gtest/gtest.h>

#include <string>

namespace morvane::regex {
namespace {

using namespace std::string_literals;

using SyntaxCase = MatchRow;

const SyntaxCase kLiteralsAndQuantifiers[] = {
    { "abc", "", "xabcabc", "2:3 5:3" },
    { "ab*", "", "abbbxa", "1:4 6:1" },
    { "ab{2}", "", "abbab", "1:3" },
    { "ab{2}", "", "abab", "" },
    { "abc+", "", "abccc abc", "1:5 7:3" },
    { "a{x}", "", "xa{x}", "2:4" },
    { "a{2,x}", "", "a{2,x}aa", "1:6" },
    { "{abc}", "", "x{abc}", "2:5" },
    { "{2}", "", "a{2}", "2:3" },
    { "a{,3}", "", "a{,3}", "1:5" },
    { "a{1", "", "a{1", "1:3" },
    { "a{", "", "aa{", "2:2" },
    { "(a){x}", "", "a{x}", "1:4" },
    { "a|{2}", "", "{2}a", "1:3 4:1" },
    { "({2})", "", "x{2}", "2:3" },
    { "(?i){a}", "", "{A}", "1:3" },
    { "(a|{2})", "", "{2}", "1:3" },
    { "a]b}", "", "a]b}", "1:4" },
    { "ba{0}", "", "baa", "1:1" },
    { "a{0,}", "", "baaa", "2:3" },
    { "a{3}", "", "aaaaaaa", "1:3 4:3" },
    { "a{2,}", "", "aaaaa", "1:5" },
    { "a{2,3}", "", "aaaa", "1:3" },
    { "a{2,3}?", "", "aaaa", "1:2 3:2" },
    { "(?-g)a{2,3}", "", "aaaa", "1:2 3:2" },
    { "a{2,3}", "-g", "aaaa", "1:2 3:2" },
    { "(?-g)a+", "", "aaa", "1:1 2:1 3:1" },
    { "(?-g)a+?", "", "aaa", "1:1 2:1 3:1" },
    { "(?-g)a*", "", "aa", "1:0 2:0" },
    { "a+", "", "baab", "2:2" },
    { "a*?b", "", "aab", "1:3" },
    { "a*ab", "", "aaab", "1:4" },
    { "a*a", "", "aaa", "1:3" },
    { "[ab]*b", "", "abab", "1:4" },
    { "a??b", "", "ab", "1:2" },
    { "^?a", "", "ba", "2:1" },
    { "a{12345678}", "", "aaa", "" },
};

const SyntaxCase kEscapes[] = {
    { "\\.", "", "a.b", "2:1" },
    { "\\\\", "", "a\\b", "2:1" },
    { "\\$", "", "a$", "2:1" },
    { "\\{2}", "", "{2}", "1:3" },
    { "\\]", "", "]", "1:1" },
    { "\\ ", "", "a b", "2:1" },
    { "\\q", "", "aq", "2:1" },
    { "\\0", "", "a0", "2:1" },
    { "\\t\\n\\r\\f\\a\\e", "", "x\t\n\r\f\a\x1B", "2:6" },
    { "\\x41\\x{42}\\x{0043}", "", "ABC", "1:3" },
    { "\\xff\\xFe", "", "\xFF\xFE", "1:2" },
    { "\\x{ff}", "", "a\xFF", "2:1" },
    { "\\d+", "", "ab123c4", "3:3 7:1" },
    { "\\D+", "", "ab1", "1:2" },
    { "\\s", "", " \t\n\r\f\v", "1:1 2:1 3:1 4:1 5:1" },
    { "\\S+", "", " ab\tc", "2:2 5:1" },
    { "\\w+", "", "ab_9 \xE0\xE1 cd", "1:4 9:2" },
    { "\\W+", "", "ab\xE0 c", "3:2" },
    { "(a)\\12", "", "aa2", "1:3" },
    { "\\Aab", "", "abab", "1:2" },
    { "ab\\Z", "", "abab", "3:2" },
    { "ab\\Z", "", "ab\n", "" },
};

const SyntaxCase kClasses[] = {
    { "[]a]", "", "x]a", "2:1 3:1" },
    { "[^]a]", "", "]ab", "3:1" },
    { "[a-]", "", "-a", "1:1 2:1" },
    { "[-a]", "", "-a", "1:1 2:1" },
    { "[a-c-e]", "", "abcde-", "1:1 2:1 3:1 5:1 6:1" },
    { "[a-\\d]", "", "a-5b", "1:1 2:1 3:1" },
    { "[\\D]", "", "aD1", "2:1" },
    { "[\\S\\W]", "", "SWsw", "1:1 2:1" },
    { "[\\b\\1]", "", "ab1\\", "2:1 3:1" },
    { "[\\d-z]", "", "m-z5y", "2:1 3:1 4:1" },
    { "[a-\\w]", "", "a-_%", "1:1 2:1 3:1" },
    { "[\\x41-\\x43]", "", "@ABCD", "2:1 3:1 4:1" },
    { "[\\x{41}-C]", "", "@ABCD", "2:1 3:1 4:1" },
    { "[\\t-\\r]", "", "\t\n\v\f\r ", "1:1 2:1 3:1 4:1 5:1" },
    { "[\\]]", "", "a]", "2:1" },
    { "[A-\\]]", "", "Z]^", "1:1 2:1" },
    { "[\\\\]", "", "a\\", "2:1" },
    { "[\\-]", "", "a-", "2:1" },
    { "[a\\-z]", "", "b-z", "2:1 3:1" },
    { "[.*(|$]", "", "a.*(|$", "2:1 3:1 4:1 5:1 6:1" },
    { "[\\t]", "", "a\t", "2:1" },
    { "[\\s]", "", "a b", "2:1" },
    { "[^a]", "", "ab", "2:1" },
    { "[^abc]", "", "abcd", "4:1" },
    { "[^a-e]", "", "abcdef", "6:1" },
    { "[a-c]", "i", "xB", "2:1" },
    { "(?i)[^a]", "", "Ab", "2:1" },
    { "[ ]", "x", "a b", "2:1" },
    // Cyrillic: a = E0, ya = FF, A = C0, YA = DF, yo = B8, YO = A8.
    { "[\xE0-\xFF]", "", "\xB8", "1:1" },
    { "(?-r)[\xE0-\xFF]", "", "\xB8", "" },
    { "[\xE0-\xFF]", "-r", "\xB8", "" },
    { "[\xC0-\xDF]", "", "\xA8", "1:1" },
    { "(?-r)[\xC0-\xDF]", "", "\xA8", "" },
    { "[\xE0-\xDF]", "",
        "\xA8\xB8\xE0\xDF\xC0\xFF"
        "a",
        "1:1 2:1 3:1 4:1 5:1 6:1" },
    { "[\xE1-\xFF]", "", "\xB8", "" },
    { "[\xE0-\xFE]", "", "\xB8", "" },
    { "[\xC0-\xFF]", "", "\xB8\xA8", "" },
    { "[\xE0-\xFF]", "", "\xC0", "" },
    { "(?i)[\xE0-\xE2]", "", "\xC1", "1:1" },
    { "(?i)[\xE0-\xFF]", "", "\xA8\xC0", "1:1 2:1" },
    { "(?i-r)[\xE0-\xFF]", "", "\xA8\xC0", "2:1" },
    { "(?i)[\xB8]", "", "\xA8", "1:1" },
};

const SyntaxCase kCase[] = {
    { "(?i)abc", "", "xAbC", "2:3" },
    { "abc", "i", "ABC", "1:3" },
    { "(?i)1_", "", "1_", "1:2" },
    { "(?i)\xE0", "", "\xC0", "1:1" },
    { "(?i)\xC0", "", "\xE0", "1:1" },
    { "(?i)\xB8", "", "\xA8", "1:1" },
    { "(?i)\xA8", "", "\xB8", "1:1" },
    { "(?i)\xFF", "", "\xDF", "1:1" },
    { "(?i)\xDF", "", "\xFF", "1:1" },
    { "\xE0", "", "\xC0", "" },
    { "(?i)z", "", "Z", "1:1" },
    // The other Cyrillic letters of the code page have case images too.
    { "(?i)\xA2\xB3\xB4\xBA\xBF\x90\x83\xBC\xBE", "", "\xA1\xB2\xA5\xAA\xAF\x80\x81\xA3\xBD", "1:9" },
    { "(?i)\xA1\xB2\xA5\xAA\xAF\x80\x81\xA3\xBD", "", "\xA2\xB3\xB4\xBA\xBF\x90\x83\xBC\xBE", "1:9" },
    { "(?i)[\xE0-\xE2]", "", "\xC0\xC1\xC2\xC3", "1:1 2:1 3:1" },
};

const SyntaxCase kModifierScope[] = {
    { "(a(?i)b)c", "", "aBc", "1:3" },
    { "(a(?i)b)c", "", "aBC", "" },
    { "(a(?i)b)c", "", "ABc", "" },
    { "a(?i)b|c", "", "C", "1:1" },
    { "a(?i)b|c", "", "aB", "1:2" },
    { "a(?i)b|c", "", "AB", "" },
    { "(?i)a|b", "", "B", "1:1" },
    { "((?i)a)b", "", "Ab", "1:2" },
    { "((?i)a)b", "", "AB", "" },
    { "(a(?i)b|c)C", "", "CC", "1:2" },
    { "(a(?i)b|c)C", "", "Cc", "" },
    { "a(?-i)b", "i", "Ab", "1:2" },
    { "a(?-i)b", "i", "AB", "" },
    { "(?i-i)a", "", "A", "" },
    { "(?I)a", "", "A", "1:1" },
    { "(?)a", "", "a", "1:1" },
    { "(?-)a", "", "a", "1:1" },
    { "(?#comment)x", "", "x", "1:1" },
    { "(?#a(b)x", "", "x", "1:1" },
    { "(?-s)a(?s).", "", "a\n", "1:2" },
    { "(?-s)a.", "", "a\n", "" },
    { "(?s)a.", "-s", "a\n", "1:2" },
    { "a(?-g)a+", "", "aaa", "1:2" },
    { "(?-m)a$", "", "a\nb", "" },
    { "(?-m)a$", "", "ba", "2:1" },
    { "(?m)^b", "-m", "a\nb", "3:1" },
    { "(?x)a b", "", "ab", "1:2" },
    { "(?x)a b(?-x) c", "", "ab c", "1:4" },
};

const SyntaxCase kExtended[] = {
    { "a b # note", "x", "ab", "1:2" },
    { "a\\ b", "x", "a b", "1:3" },
    { "a[ ]b", "x", "a b", "1:3" },
    { "a#c\nb", "x", "ab", "1:2" },
    { "a#c\r\n\r\nb", "x", "ab", "1:2" },
    { "a b+", "x", "abbb", "1:4" },
    { "a b*", "x", "a", "1:1" },
    { "a b*", "x", "abb", "1:3" },
    { "ab cd+", "x", "abcdd", "1:5" },
    { " a", "x", "a", "1:1" },
    { "a ?", "x", "a", "1:1" },
    { "a\\#", "x", "a#", "1:2" },
    { "a\tb\r\nc", "x", "abc", "1:3" },
    { "a b", "", "a b", "1:3" },
    { "a#b", "", "a#b", "1:3" },
    { "a | b", "x", "b", "1:1" },
    { "[#]", "x", "#", "1:1" },
    { "ab#c\nd", "x", "abd", "1:3" },
    { "a#c\n  b", "x", "ab", "1:2" },
    { "a{ 2}", "x", "a{2}", "1:4" },
};

class BlackBoxSyntax : public ::testing::TestWithParam<SyntaxCase> { };

TEST_P(BlackBoxSyntax, Matches)
{
    const SyntaxCase& c = GetParam();
    TRegex re;
    if (!c.modifiers.empty())
        re.SetModifierText(c.modifiers);
    re.SetExpression(c.pattern);
    EXPECT_EQ(AllMatches(re, c.subject), c.matches) << "pattern " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    BlackBoxLiteralsAndQuantifiers, BlackBoxSyntax, ::testing::ValuesIn(kLiteralsAndQuantifiers));
INSTANTIATE_TEST_SUITE_P(BlackBoxEscapes, BlackBoxSyntax, ::testing::ValuesIn(kEscapes));
INSTANTIATE_TEST_SUITE_P(BlackBoxClasses, BlackBoxSyntax, ::testing::ValuesIn(kClasses));
INSTANTIATE_TEST_SUITE_P(BlackBoxCaseImages, BlackBoxSyntax, ::testing::ValuesIn(kCase));
INSTANTIATE_TEST_SUITE_P(BlackBoxModifierScope, BlackBoxSyntax, ::testing::ValuesIn(kModifierScope));
INSTANTIATE_TEST_SUITE_P(BlackBoxExtended, BlackBoxSyntax, ::testing::ValuesIn(kExtended));

TEST(BlackBoxSyntaxMisc, QuotedTextMatchesItself)
{
    const std::string text = "a.b*c[d]e{2}f(g)|h?+^$\\x}";
    TRegex re;
    re.SetExpression(TRegex::QuoteMetaChars(text));
    ASSERT_TRUE(re.Exec("<" + text + ">"));
    EXPECT_EQ(re.GroupStart(0), 2);
    EXPECT_EQ(re.GroupText(0), text);
}

TEST(BlackBoxSyntaxMisc, FourteenGroupsAllCapture)
{
    std::string pattern;
    std::string subject;
    for (int i = 0; i < 14; ++i) {
        pattern += "(" + std::string(1, static_cast<char>('a' + i)) + ")";
        subject += static_cast<char>('a' + i);
    }
    TRegex re;
    re.SetExpression(pattern);
    ASSERT_TRUE(re.Exec(subject));
    for (int n = 1; n <= 14; ++n) {
        EXPECT_EQ(re.GroupStart(n), n) << "group " << n;
        EXPECT_EQ(re.GroupText(n), std::string(1, static_cast<char>('a' + n - 1)));
    }
    EXPECT_EQ(re.Substitute("$14$10${12}$9"), "njli") << "templates reach all 14 groups";
}

TEST(BlackBoxSyntaxMisc, ClassEscapesTakeCaseImages)
{
    TRegex word;
    word.SetWordChars("a");
    word.SetExpression("(?i)\\w");
    EXPECT_EQ(AllMatches(word, "aAb"), "1:1 2:1");
    word.SetExpression("(?i)\\W");
    EXPECT_EQ(AllMatches(word, "aAb"), "3:1");

    TRegex space;
    space.SetSpaceChars("x");
    space.SetExpression("(?i)\\s");
    EXPECT_EQ(AllMatches(space, "xXy"), "1:1 2:1");
}

unsigned char SwapAB(unsigned char c)
{
    return c == 'a' ? 'b' : c == 'b' ? 'a' : c;
}

TEST(BlackBoxSyntaxMisc, CaseMappingIsReplaceable)
{
    TRegex re;
    re.SetInvertCase(&SwapAB);
    re.SetExpression("(?i)a[a]");
    EXPECT_EQ(AllMatches(re, "bb aa AA"), "1:2 4:2");
}

} // namespace
} // namespace morvane::regex
