// Matching, table-driven: pattern, modifiers, subject -> every match of the Exec/ExecNext loop
// with its groups ("START:TEXT n=START:TEXT | ..."), "-" for none, "E<code>@<offset>" for an error.

#include "RegexTestSupport.h"

#include <gtest/gtest.h>

#include <bitset>

namespace morvane::regex::test {
namespace {

struct MatchCase {
    std::string pattern;
    const char* modifiers;
    std::string subject;
    std::string expected;
};

void PrintTo(const MatchCase& c, std::ostream* os)
{
    *os << "/" << Visible(c.pattern) << "/" << c.modifiers << " on \"" << Visible(c.subject) << "\"";
}

class Matching : public ::testing::TestWithParam<MatchCase> {};

TEST_P(Matching, FindsExpectedMatches)
{
    const MatchCase& c = GetParam();
    EXPECT_EQ(Describe(c.pattern, c.modifiers, c.subject), c.expected);
}

const MatchCase kLiteralsAndSearch[] = {
    { "b", "", "abcb", "2:b | 4:b" },
    { "abc", "", "xxabcabc", "3:abc | 6:abc" },
    { "a\\.b", "", "a.b axb", "1:a.b" },
    { "]}", "", "a]}", "2:]}" },
    { "a{x}", "", "a{x}", "1:a{x}" },
    { "a{2,x}", "", "aa{2,x}", "2:a{2,x}" },
    { "{abc}", "", "x{abc}", "2:{abc}" },
    // Only positions whose character can begin a match are tried; the end never is.
    { "x*", "", "aaa", "-" },
    { "x*", "", "axb", "2:x" },
    { "a?", "", "ba", "2:a" },
    { "a??", "", "aa", "1: | 2:" },
    { "a*", "", "aab", "1:aa" },
    { "$", "", "ab", "-" },
    { "\\b", "", "ab", "-" },
    { "^", "", "ab", "-" },
    { "(?-m)^", "", "ab", "-" },
    { "^", "-m", "ab", "1:" },
    { "^", "-m", "", "1:" },
    { "a|", "", "ba", "2:a" },
    // The subject ends at its first NUL.
    { "c", "", std::string("ab\0c", 4), "-" },
    { "\\x00", "", "ab", "-" },
    { "\\x41\\x{42}\\t", "", "AB\t", "1:AB\\x09" },
};
INSTANTIATE_TEST_SUITE_P(LiteralsAndSearch, Matching, ::testing::ValuesIn(kLiteralsAndSearch));

const MatchCase kGroupsAndAlternation[] = {
    { "(a)|b", "", "b", "1:b" },
    { "(a*)b", "", "b", "1:b 1=1:" },
    { "(a|ab)(c|bcd)", "", "abcd", "1:abcd 1=1:a 2=2:bcd" },
    { "(a|ab)(c|bcd)d", "", "abcd", "1:abcd 1=1:ab 2=3:c" },
    { "(a)(b)?", "", "a", "1:a 1=1:a" },
    { "((a)|b)+", "", "ab", "1:ab 1=2:b 2=1:a" },
    { "(ab)+", "", "ababx", "1:abab 1=3:ab" },
    { "(a|b)*c", "", "abc", "1:abc 1=2:b" },
    { "(a|b)*?c", "", "abc", "1:abc 1=2:b" },
    { "(a|bc)*d", "", "abcad", "1:abcad 1=4:a" },
    { "x(a|b)?y", "", "xy xay", "1:xy | 4:xay 1=5:a" },
    // Inline modifiers last to the end of the enclosing group, across its later alternatives.
    { "(a(?i)b)c", "", "aBc aBC", "1:aBc 1=1:aB" },
    { "a(?i)b|c", "", "C", "1:C" },
    { "(?i)a(?-i)b", "", "Ab AB", "1:Ab" },
    { "(?i)(ab)\\1", "", "abAB", "1:abAB 1=1:ab" },
    { "(ab)\\1", "", "abAB abab", "6:abab 1=6:ab" },
    { "(\\w+)\\s\\1", "", "hello hello", "1:hello hello 1=1:hello" },
    { "(a)|\\1b", "", "b", "-" },
    // An alternative is skipped where it cannot begin; one that may match empty never is, nor one
    // whose loop ends after rounds that consume nothing.
    { "(?i)<(div|/div|p|/p)[ >]", "", "<P> </DIV>", "1:<P> 1=2:P | 5:</DIV> 1=6:/DIV" },
    { "a(b|)c", "", "ac abc", "1:ac 1=2: | 4:abc 1=5:b" },
    { "c(x|(a{0,2}){3,}b)", "", "cb", "1:cb 1=2:b 2=2:" },
    { "\\12", "", "12", "-" },
    { "(a)\\12", "", "aa2", "1:aa2 1=1:a" },
};
INSTANTIATE_TEST_SUITE_P(GroupsAndAlternation, Matching, ::testing::ValuesIn(kGroupsAndAlternation));

const MatchCase kQuantifiers[] = {
    { "a{2,3}", "", "aaaa", "1:aaa" },
    { "a{2,3}?", "", "aaaa", "1:aa | 3:aa" },
    { "(?-g)a{2,3}", "", "aaaa", "1:aa | 3:aa" },
    { "a{2,3}", "-g", "aaaa", "1:aa | 3:aa" },
    { "a*?", "-g", "aa", "1: | 2:" },
    { "a{0,}b", "", "aaab", "1:aaab" },
    { "a+?b", "", "aaab", "1:aaab" },
    { "<[^>]*>", "", "<a><b>", "1:<a> | 4:<b>" },
    { "a.*b", "", "aXbYb", "1:aXbYb" },
    { "a.*?b", "", "aXbYb", "1:aXb" },
    { "\\d{2,4}-\\d{2}", "", "12345-67 1-22", "2:2345-67" },
    { "(ab){2}", "", "abababab", "1:abab 1=3:ab | 5:abab 1=7:ab" },
    { "(ab){2,}?c", "", "ababababc", "1:ababababc 1=7:ab" },
    { "(a|ab){1,2}c", "", "abc", "1:abc 1=1:ab" },
    { "(x(a)*?){2}", "", "xaxa", "1:xax 1=3:x 2=2:a" },
    { "(a|ab)+?c", "", "abc", "1:abc 1=1:ab" },
    { "(a){0,2}?b", "", "aab", "1:aab 1=2:a" },
    { "(ab)??c", "", "abc", "1:abc 1=1:ab" },
    { "(a)??b", "", "b ab", "1:b | 3:ab 1=3:a" },
    { "(a(b)*)*c", "", "abbabc", "1:abbabc 1=4:ab 2=5:b" },
    { "((a)|(b))*", "", "ab", "1:ab 1=2:b 2=1:a 3=2:b" },
    // Repetitions whose operand can match empty end instead of looping.
    { "(a{0,5})*b", "", "aaaaaaab", "1:aaaaaaab 1=6:aa" },
    { "(a{0,5})*", "", "x", "-" },
    { "()\\1*x", "", "x", "1:x 1=1:" },
    // Loop minimum above 0: "b" is not among the first characters, so "b" alone is never tried.
    { "(a{0,2}){3,}b", "", "b", "-" },
    { "(a{0,2}){3,}b", "", "ab", "1:ab 1=2:" },
    { "(a{0,2}){2,5}?b", "", "aab", "1:aab 1=3:" },
    { "(ab)\\1*", "", "abababx", "1:ababab 1=1:ab" },
    { "(ab)\\1*?x", "", "ababx", "1:ababx 1=1:ab" },
    { "(a)\\1{2}", "", "aaaa", "1:aaa 1=1:a" },
    // Counts are skipped where what follows (past group marks and comments) cannot start.
    { "(a+)b", "", "aaab", "1:aaab 1=1:aaa" },
    { "[ab]+(b)", "", "abab", "1:abab 1=4:b" },
    { "\\d+?(x)", "", "12x", "1:12x 1=3:x" },
    { "a*(?#c)(a)", "", "aaa", "1:aaa 1=3:a" },
    { "\\w+\\s", "", "ab cd", "1:ab " },
    { "\\w*(\\s)", "", " x y", "1:  1=1:  | 2:x  1=3: " },
};
INSTANTIATE_TEST_SUITE_P(Quantifiers, Matching, ::testing::ValuesIn(kQuantifiers));

// A match that begins with a greedy run: starts inside a run that cannot go on are stepped over,
// and with a backreference to the run only starts whose character begins the copy are tried.
const MatchCase kLeadRuns[] = {
    { "\\d+x", "", "123 45x", "5:45x" },
    { "[\\w.+-]+@\\w+", "", "a.b c@d", "5:c@d" },
    { "(\\w+)\\s\\1", "", "ab b", "2:b b 1=2:b" },
    { "(\\w+)\\s\\1", "", "abc bc ", "2:bc bc 1=2:bc" },
    // The copy would run past the end, or there is no room for it at all.
    { "(\\w+)\\s\\1", "", "ab a", "-" },
    { "(\\w+)\\s\\1", "", "a ", "-" },
    { "(\\w+)\\s\\1", "", "a a", "1:a a 1=1:a" },
    // Without case the start's character may stand in the copy in either case.
    { "(a+)b\\1", "i", "aabAA", "1:aabAA 1=1:aa" },
    { "(\\w+)-\\1", "i", "xAb-B", "3:b-B 1=3:b" },
    { W("([а-яё]+) \\1"), "i", W("лак КАЛ"), "3:\\xea \\xca 1=3:\\xea" },
    { W("([а-яё]+) \\1"), "i", W("ёлка ЁЛКА"), "1:\\xb8\\xeb\\xea\\xe0 \\xa8\\xcb\\xca\\xc0 1=1:\\xb8\\xeb\\xea\\xe0" },
    // Whether "ё" belongs to the run follows the r modifier.
    { W("([а-я]+) \\1"), "", W("ёж ёж"), "1:\\xb8\\xe6 \\xb8\\xe6 1=1:\\xb8\\xe6" },
    { W("(?-r)([а-я]+) \\1"), "", W("ёж ёж"), "-" },
    // With no minimum the end of a run starts an empty group, which any copy matches.
    { "(a*)b\\1", "", "aabx", "3:b 1=3:" },
    { "(\\d+)--\\1", "", "12--2", "2:2--2 1=2:2" },
    // A maximum cuts the run short, so later starts see other counts.
    { "(a{1,2})b\\1", "", "aaabaa", "2:aabaa 1=2:aa" },
    // Backreferences to groups that do not hold exactly the run.
    { "(a+)(b)\\2", "", "aabb", "1:aabb 1=1:aa 2=3:b" },
    { "((a+)b)\\1", "", "aabaab", "1:aabaab 1=1:aab 2=1:aa" },
    { "((a+)b)\\2", "", "aabaa", "1:aabaa 1=1:aab 2=1:aa" },
};
INSTANTIATE_TEST_SUITE_P(LeadRuns, Matching, ::testing::ValuesIn(kLeadRuns));

const MatchCase kClasses[] = {
    { "[]a]+", "", "x]a]", "2:]a]" },
    { "[a-]+", "", "xa-a", "2:a-a" },
    { "[a-c-e]+", "", "abc-ef", "1:abc-e" },
    { "[a-\\d]+", "", "xa-5", "2:a-5" },
    { "[\\D]", "", "dD1", "2:D" },
    { "[\\w-]+", "", "a_-b!", "1:a_-b" },
    { "[\\d-z]+", "", "5-z", "1:5-z" },
    { "[\\x41-\\x43]+", "", "ABCD", "1:ABC" },
    { "[\\]\\\\]+", "", "a]\\", "2:]\\" },
    { "[.*]+", "", "a.*", "2:.*" },
    { "[\\b]", "", "ab", "2:b" },
    { "[^\\n]+", "", "ab\ncd", "1:ab | 4:cd" },
    { "(?i)[a-c]+", "", "xAbC", "2:AbC" },
    { "(?i)[^a]", "", "aAb", "3:b" },
    { W("[а-я]+"), "", W("ёж"), "1:\\xb8\\xe6" },
    { W("(?-r)[а-я]+"), "", W("ёж"), "2:\\xe6" },
    { W("[А-Я]"), "", W("Ё"), "1:\\xa8" },
    { W("[а-Я]+"), "", W("ЁёЯа"), "1:\\xa8\\xb8\\xdf\\xe0" },
    { W("(?i)[а-в]+"), "", W("БвГ"), "1:\\xc1\\xe2" },
    { W("(?i)ёлка"), "", W("ЁЛКА"), "1:\\xa8\\xcb\\xca\\xc0" },
    { "\\s+", "", "a \t\r\n\fb", "2: \\x09\\r\\n\\x0c" },
    { "\\S+", "", " ab ", "2:ab" },
    { "\\W+", "", "ab, cd", "3:, " },
};
INSTANTIATE_TEST_SUITE_P(Classes, Matching, ::testing::ValuesIn(kClasses));

const MatchCase kLinesAndBoundaries[] = {
    { "^a", "", "a\nb\na", "1:a | 5:a" },
    { "^b", "", "a\r\nb", "4:b" },
    { "a$", "", "xa\r\ny", "2:a" },
    { "a$", "", "xa", "2:a" },
    { "a$", "", "xab", "-" },
    { "a$", "", "a\rb", "1:a" },
    { "a$", "-m", "a\nb a", "5:a" },
    // No line start or end between the two characters of the pair.
    { "^\\n", "", "a\r\n", "-" },
    { "\\r$", "", "a\r\n", "-" },
    { "\\n$", "", "a\n\n", "2:\\n | 3:\\n" },
    { "^.*$", "-s", "ab\r\ncd", "1:ab | 5:cd" },
    { "a.b", "-s", "a\nb a\rb axb", "9:axb" },
    { "a.b", "", "a\nb", "1:a\\nb" },
    { ".*", "-s", "ab\r\ncd", "1:ab | 3: | 4: | 5:cd" },
    { "(.|\\n)*", "-s", "a\nb", "1:a\\nb 1=3:b" },
    { ".+x", "-s", "abx\nx", "1:abx" },
    { "\\bthe\\b", "", "the other the", "1:the | 11:the" },
    { "\\Bb", "", "ab b", "2:b" },
    { "\\Aab", "", "abab", "1:ab" },
    { "ab\\Z", "", "abab", "3:ab" },
};
INSTANTIATE_TEST_SUITE_P(LinesAndBoundaries, Matching, ::testing::ValuesIn(kLinesAndBoundaries));

const MatchCase kExtendedSyntax[] = {
    { "a b # note", "x", "ab", "1:ab" },
    { "a\\ b", "x", "a b", "1:a b" },
    { "a[ ]b", "x", "a b", "1:a b" },
    { "a # one\n b # two\r\n c", "x", "abc", "1:abc" },
    { "(?x) a b (?-x)c d", "", "abc d", "1:abc d" },
};
INSTANTIATE_TEST_SUITE_P(ExtendedSyntax, Matching, ::testing::ValuesIn(kExtendedSyntax));

// The Cyrillic ranges that the r modifier widens, compared member by member over every byte. The
// expected set is named by parts: "s" small letters 224-255, "c" capitals 192-223, "y" small yo
// (184), "Y" capital yo (168), "^" complemented (a class never takes NUL).
struct CyrillicRangeCase {
    std::string pattern;
    const char* modifiers;
    const char* parts;
};

std::bitset<256> ExpectedMembers(std::string_view parts)
{
    std::bitset<256> set;
    for (const char part : parts) {
        if (part == 's' || part == 'c') {
            const int low = part == 's' ? 224 : 192;
            for (int c = low; c < low + 32; ++c)
                set.set(size_t(c));
        }
        if (part == 'y')
            set.set(184);
        if (part == 'Y')
            set.set(168);
    }
    if (parts.find('^') != std::string_view::npos) {
        set.flip();
        set.reset(0);
    }
    return set;
}

std::string ListBytes(const std::bitset<256>& set)
{
    std::string out;
    for (int c = 0; c < 256; ++c)
        if (set[size_t(c)])
            out += std::to_string(c) + " ";
    return out;
}

TEST(CyrillicRanges, TakeExactlyTheirLetters)
{
    const CyrillicRangeCase cases[] = {
        { W("[а-я]"), "", "sy" },
        { W("[А-Я]"), "", "cY" },
        { W("[а-Я]"), "", "scyY" },
        { "[\\xE0-\\xFF]", "", "sy" },
        { "[\\xC0-\\xDF]", "", "cY" },
        { "[\\x{c0}-\\x{df}]", "", "cY" },
        { "[\\xE0-\\xDF]", "", "scyY" },
        { W("[А-Я]"), "i", "scyY" },
        { W("[а-я]"), "i", "scyY" },
        { "[\\xC0-\\xDF]", "i", "scyY" },
        { W("[А-Я]"), "-r", "c" },
        { W("[а-я]"), "i-r", "sc" },
        { W("[^А-Я]"), "", "^cY" },
        { W("[^а-я]"), "", "^sy" },
        { "[^\\xC0-\\xDF]", "", "^cY" },
        { W("[^А-Я]"), "i", "^scyY" },
        { W("[^а-Я]"), "", "^scyY" },
        { W("[^А-Я]"), "-r", "^c" },
        { W("[а-Я]"), "i", "scyY" },
        { "[\\xE0-\\xFF]", "i", "scyY" },
        { "[\\xE0-\\xDF]", "i", "scyY" },
        { "[\\xC0-\\xDF]", "-r", "c" },
        { "[^\\xE0-\\xFF]", "", "^sy" },
        { "[^\\xE0-\\xDF]", "i", "^scyY" },
        { "[^\\xE0-\\xFF]", "i-r", "^sc" },
        { W("[А-\\xDF]"), "", "cY" },
    };
    for (const CyrillicRangeCase& c : cases) {
        TRegex engine;
        engine.SetModifierText(c.modifiers);
        engine.SetExpression(c.pattern);
        std::bitset<256> members;
        for (int ch = 1; ch < 256; ++ch)
            members[size_t(ch)] = engine.Exec(std::string(1, char(ch)));
        const std::bitset<256> expected = ExpectedMembers(c.parts);
        EXPECT_EQ(members, expected) << "/" << Visible(c.pattern) << "/" << c.modifiers
                                     << " extra: " << ListBytes(members & ~expected)
                                     << " missing: " << ListBytes(expected & ~members);
    }
}

TEST(MatchSettings, WordAndSpaceCharacters)
{
    TRegex engine;
    engine.SetWordChars(W("абв"));
    engine.SetExpression("\\w+");
    EXPECT_EQ(Describe(engine, W("xабвy")), "2:\\xe0\\xe1\\xe2");
    engine.SetExpression("\\bx");
    EXPECT_EQ(Describe(engine, W("аx вx xx")), "2:x | 5:x");
    // \s takes SpaceChars at compilation: an empty set matches nothing, its negation anything.
    engine.SetSpaceChars("");
    engine.SetExpression("a\\sb");
    EXPECT_EQ(Describe(engine, "a b"), "-");
    engine.SetExpression("a\\Sb");
    EXPECT_EQ(Describe(engine, "a b"), "1:a b");
}

TEST(MatchSettings, WordCharactersInRepeatedWords)
{
    // \w takes the field at compilation.
    auto repeatedWords = [](const std::string& wordChars, const std::string& subject) {
        TRegex engine;
        engine.SetWordChars(wordChars);
        engine.SetExpression("(\\w+)\\s\\1");
        return Describe(engine, subject);
    };
    EXPECT_EQ(repeatedWords(W("абв"), W("ваб аб")), "2:\\xe0\\xe1 \\xe0\\xe1 1=2:\\xe0\\xe1");
    EXPECT_EQ(repeatedWords("ab", "x x"), "-");
    EXPECT_EQ(repeatedWords("abx", "x x"), "1:x x 1=1:x");
    // A space among the word characters: the run may hold it, so every count is tried.
    EXPECT_EQ(repeatedWords("ab ", "ab ab"), "1:ab ab 1=1:ab");
}

TEST(MatchSettings, SeparatorsAndPair)
{
    TRegex engine;
    engine.SetLineSeparatorChars(";");
    engine.SetExpression("^b");
    EXPECT_EQ(Describe(engine, "a;b\nb"), "3:b");
    // Without a pair the matcher keeps comparing with the last pair's characters.
    engine.SetLineSeparatorChars("\r\n");
    engine.SetLinePairedSeparator("");
    EXPECT_EQ(engine.LinePairedSeparator(), "");
    engine.SetExpression("^\\n");
    EXPECT_EQ(Describe(engine, "a\r\n"), "-");
    engine.SetLinePairedSeparator("ab");
    engine.SetExpression("^c");
    EXPECT_EQ(Describe(engine, "abc"), "3:c");
    // No separators and no pair: "^" is the start of the subject.
    engine.SetLineSeparatorChars("");
    engine.SetLinePairedSeparator("");
    engine.SetExpression("^c");
    EXPECT_EQ(Describe(engine, "c\nc"), "1:c");
}

} // namespace
} // namespace morvane::regex::test
