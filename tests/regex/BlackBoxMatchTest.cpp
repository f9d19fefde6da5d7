// Black-box checks of the search: which start positions are tried (first-character set, anchoring,
// the end of the subject never tried), ExecNext after empty and adjacent matches, ExecPos bounds,
// line anchors with the separator set and the paired separator, word boundaries, backreferences,
// and the group registers after greedy and lazy loops, including the two loop-level cases that
// must give the ordinary leftmost-first result. Matches are written "start:length", 1-based.

#include "BlackBoxSupport.h"
#include "regex/TRegex.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morvane::regex {
namespace {

using namespace std::string_literals;

using SearchCase = MatchRow;

const SearchCase kStartPositions[] = {
    { "b", "", "abcb", "2:1 4:1" },
    { "x*", "", "aaa", "" },
    { "x*", "", "axb", "2:1" },
    { "x*", "", "", "" },
    { ".*", "", "", "" },
    { "x*", "", "xx", "1:2" },
    { "$", "", "ab\ncd", "" },
    { "\\b", "", "ab cd", "" },
    { "^", "", "ab\ncd", "" },
    { "\\B", "", "ab", "" },
    { "()", "", "abc", "" },
    { "^a", "", "a\na\r\na\ra", "1:1 3:1 6:1 8:1" },
    { "^", "-m", "abc", "1:0" },
    { "^", "-m", "", "1:0" },
    { "\\A", "", "abc", "1:0" },
    { "\\A", "", "", "1:0" },
    { "(?-m)^", "", "abc", "" },
    { "$", "-m", "abc", "" },
    { "a?", "", "ba", "2:1" },
    { "a?b", "", "b", "1:1" },
    { "a??", "", "aa", "1:0 2:0" },
    { "a*?", "", "aa", "1:0 2:0" },
    { "a*", "", "baaac", "2:3" },
    { "\\d*", "", "1a22", "1:1 3:2" },
    { "ab", "", "abab", "1:2 3:2" },
    { "x*y", "", "aay", "3:1" },
    { "a*xyz", "", "aaxy", "" },
    { "a*b?", "", "xyz", "" },
    { "x*$", "", "ab", "" },
    { "x*$", "", "abx", "3:1" },
    { "^$", "-m", "", "1:0" },
    { "^$", "", "", "" },
    { "^$", "", "a\n\nb", "" },
    { "\\bx", "", "x", "1:1" },
    { "(?-s).*", "", "ab\ncd", "1:2 3:0 4:2" },
    { "\\Aa", "", "ba", "" },
    { "a", "", "ab\0a"s, "1:1" },
    { "b$", "-m", "ab\0c"s, "2:1" },
};

const SearchCase kLineAnchors[] = {
    { "a$", "", "xa\r\ny", "2:1" },
    { "a$", "", "xa", "2:1" },
    { "a$", "", "xab", "" },
    { "a$", "", "a\nb", "1:1" },
    { "a$", "", "a\rb", "1:1" },
    { "a\\Z", "", "a\nb", "" },
    { "b\\Z", "", "a\nb", "3:1" },
    { "^x", "", "a\r\nx", "4:1" },
    { "^b", "", "a\rb", "3:1" },
    { "\\r^\\n", "", "\r\n", "" },
    { "\\n^\\r", "", "\n\r", "1:2" },
    { "a$\\r\\n", "", "a\r\n", "1:3" },
    { "\\r$\\n", "", "\r\n", "" },
    { "\\n$\\r", "", "\n\r", "1:2" },
    { "^b", "", "\nb", "2:1" },
    { "^b", "", "\r\nb", "3:1" },
    { "^b", "", "\r\r\nb", "4:1" },
    { "^\\n", "", "\r\n", "" },
    { "^\\n", "", "\n\n", "1:1 2:1" },
    { "\\r$", "", "\r\n", "" },
    { "\\r$", "", "\r\r", "1:1 2:1" },
    { "$\\n", "", "\n", "1:1" },
    { "a$", "", "a\r\n", "1:1" },
    { ".", "-s", "\r\n", "" },
    { ".", "", "\r\n", "1:1 2:1" },
    { "(?-s).", "", "a\rb", "1:1 3:1" },
    { "(?-s)a.b", "", "a\rb", "" },
    { "(?-s)a.b", "", "a\nb", "" },
    { "(?-s)a.b", "", "a\tb", "1:3" },
    { "(?-s).+", "", "ab\r\ncd", "1:2 5:2" },
};

const SearchCase kWordBoundaries[] = {
    { "\\bfoo\\b", "", "a foo.", "3:3" },
    { "\\bfoo\\b", "", "afoo", "" },
    { "\\Boo", "", "foo oo", "2:2" },
    { "a\\b", "", "a", "1:1" },
    { "a\\B", "", "ab a", "1:1" },
    { "\\b\xE0", "", "\xE0", "" },
    { "\xE0\\b", "",
        "\xE0"
        "a",
        "1:1" },
};

const SearchCase kBackReferences[] = {
    { "(\\w+)\\s\\1", "", "hello hello", "1:11" },
    { "(?i)(ab)\\1", "", "abAB", "1:4" },
    { "(a)\\1", "", "aA", "" },
    { "(a)\\1", "i", "aA", "1:2" },
    { "\\1(a)", "", "aa", "" },
    { "(a*)\\1", "", "aaaa", "1:4" },
    { "(?i)(\xE0)\\1", "", "\xE0\xC0", "1:2" },
    { "(a)\\1{2}", "", "aaaa", "1:3" },
    { "(a)|b\\1", "", "b", "" },
    { "(a)?\\1", "", "b", "" },
    { "(a)?\\1", "", "aa", "1:2" },
};

const SearchCase kLoops[] = {
    { "(ab){2,3}", "", "abababab", "1:6" },
    { "(ab){2,3}?", "", "abababab", "1:4 5:4" },
    { "(a|ab){1,2}c", "", "abc", "1:3" },
    { "(x(a)*?){2}", "", "xaxa", "1:3" },
    { "(a|ab){1,2}c|abd", "", "abd", "1:3" },
    { "x(a|ab){1,2}y|xabz", "", "xabz", "1:4" },
    { "(a|b)*c", "-g", "abc", "1:3" },
    { "(a{0,5})*", "", "aab", "1:2" },
    { "x(a){0}y", "", "xay xy", "5:2" },
    { "(a|b)\\1", "", "abb", "2:2" },
    { "(a\\1)", "", "aa", "" },
};

// A simple repetition gives back one character at a time; whatever follows it (an anchor, a
// boundary, an empty-capable group, a backreference, a loop) decides where it may stop.
const SearchCase kRepetitionContinuations[] = {
    { "a*$", "", "aab", "" },
    { "a*$", "", "aa\n", "1:2" },
    { "a*$", "", "baa", "2:2" },
    { "a*?$", "", "aa\r\n", "1:2" },
    { "a*\\b", "", "aa b", "1:2" },
    { "a*\\B", "", "aab", "1:2" },
    { "a*\\B", "", "aa ", "1:1 2:0" },
    { "a*\\Z", "", "baa", "2:2" },
    { "\\n*^b", "", "\n\nb", "1:3" },
    { "\\d*(x|)y", "", "12y", "1:3" },
    { "a*()b", "", "aab", "1:3" },
    { "a*(bc){0,2}d", "", "aad aabcd", "1:3 5:5" },
    { "a*?(b|)c", "", "aac", "1:3" },
    { "a*(?-s).", "", "aa\n", "1:2" },
    { "(a)b*\\1", "", "abba", "1:4" },
    { "(a)b*\\1", "", "aa", "1:2" },
    { "(a)\\1*b", "", "aaab", "1:4" },
    { "(a*b){2}", "", "abab", "1:4" },
    { "(xa*)*y", "", "xaaxy", "1:5" },
    { "x*y", "i", "xxY", "1:3" },
    { "a*[B]", "i", "aab", "1:3" },
    { "[ab]*b", "", "abba", "1:3" },
    { "a{0,3}a{2}", "", "aaa", "1:3" },
    { "a+?a{2}", "", "aaaa", "1:3" },
    { "xa*(b|)", "", "xaa", "1:3" },
    { "xa*b?", "", "xaa", "1:3" },
    { "xa*(b*)", "", "xaa", "1:3" },
    { "xa*((b){0,2})c", "", "xaac xabbc", "1:4 6:5" },
    { "(xa*){2}", "", "xaxa", "1:4" },
    { "(ba*)+a", "", "baaa", "1:4" },
    { "(ba*)*a", "", "baaa", "1:4" },
    { "(ba*){1,3}a", "", "baaa", "1:4" },
    { "(ba*){1,3}?a", "", "baaa", "1:4" },
    { "(b|a*)c", "", "aac", "1:3" },
    { "a*(?i)B", "", "aab", "1:3" },
    { "(?i)(a)b*\\1", "", "abbA", "1:4" },
    { "a*\\D", "", "aa", "1:2" },
    { "a*[^a]", "", "aa", "" },
    { "a*\\W", "", "aa!", "1:3" },
    { "a*(a){2}", "", "aaa", "1:3" },
    { "a*?(a){2}", "", "aaa", "1:2" },
};

class BlackBoxSearch : public ::testing::TestWithParam<SearchCase> { };

TEST_P(BlackBoxSearch, Matches)
{
    const SearchCase& c = GetParam();
    TRegex re;
    if (!c.modifiers.empty())
        re.SetModifierText(c.modifiers);
    re.SetExpression(c.pattern);
    EXPECT_EQ(AllMatches(re, c.subject), c.matches) << "pattern " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(BlackBoxStartPositions, BlackBoxSearch, ::testing::ValuesIn(kStartPositions));
INSTANTIATE_TEST_SUITE_P(BlackBoxLineAnchors, BlackBoxSearch, ::testing::ValuesIn(kLineAnchors));
INSTANTIATE_TEST_SUITE_P(BlackBoxWordBoundaries, BlackBoxSearch, ::testing::ValuesIn(kWordBoundaries));
INSTANTIATE_TEST_SUITE_P(BlackBoxBackReferences, BlackBoxSearch, ::testing::ValuesIn(kBackReferences));
INSTANTIATE_TEST_SUITE_P(BlackBoxLoops, BlackBoxSearch, ::testing::ValuesIn(kLoops));
INSTANTIATE_TEST_SUITE_P(
    BlackBoxRepetitionContinuations, BlackBoxSearch, ::testing::ValuesIn(kRepetitionContinuations));

// Group registers of the first match: (start, length) for groups 0, 1, 2, ...

using Spans = std::vector<std::pair<int, int>>;

struct GroupCase {
    std::string pattern;
    std::string modifiers;
    std::string subject;
    Spans groups;
};

void PrintTo(const GroupCase& c, std::ostream* os)
{
    *os << '/' << c.pattern << "/ " << c.modifiers;
}

const GroupCase kGroups[] = {
    { "(a)|b", "", "b", { { 1, 1 }, { -1, -1 } } },
    { "(a*)b", "", "b", { { 1, 1 }, { 1, 0 } } },
    { "(a)*b", "", "b", { { 1, 1 }, { -1, -1 } } },
    { "(a)(b)?", "", "a", { { 1, 1 }, { 1, 1 }, { -1, -1 } } },
    { "(a|ab)(c|bcd)(d*)", "", "abcd", { { 1, 4 }, { 1, 1 }, { 2, 3 }, { 5, 0 } } },
    { "(a+)(a*)", "", "aaa", { { 1, 3 }, { 1, 3 }, { 4, 0 } } },
    { "(a+?)(a*)", "", "aaa", { { 1, 3 }, { 1, 1 }, { 2, 2 } } },
    { "((?-g)a+)(a+)", "", "aaa", { { 1, 3 }, { 1, 1 }, { 2, 2 } } },
    { "(a*?)b", "", "aab", { { 1, 3 }, { 1, 2 } } },
    { "(ab)*c", "", "ababc", { { 1, 5 }, { 3, 2 } } },
    { "(ab)*?c", "", "ababc", { { 1, 5 }, { 3, 2 } } },
    { "(a|b)*?b", "", "aab", { { 1, 3 }, { 2, 1 } } },
    { "(a){2}", "", "aaa", { { 1, 2 }, { 2, 1 } } },
    { "(a){2,}", "", "aaa", { { 1, 3 }, { 3, 1 } } },
    { "x(ab)?y", "", "xaby", { { 1, 4 }, { 2, 2 } } },
    { "x(ab)?y", "", "xy", { { 1, 2 }, { -1, -1 } } },
    { "x(ab)??y", "", "xaby", { { 1, 4 }, { 2, 2 } } },
    { "x(ab)??y", "", "xy", { { 1, 2 }, { -1, -1 } } },
    { "(a|ab){1,2}c", "", "abc", { { 1, 3 }, { 1, 2 } } },
    { "(x(a)*?){2}", "", "xaxa", { { 1, 3 }, { 3, 1 }, { 2, 1 } } },
    { "(a|ab){1,2}c", "", "ababc", { { 1, 5 }, { 3, 2 } } },
    { "((ab){2}c){2}", "", "ababcababc", { { 1, 10 }, { 6, 5 }, { 8, 2 } } },
    { "(a|ab)*c", "", "abc", { { 1, 3 }, { 1, 2 } } },
    { "((a)|b)+", "", "ab", { { 1, 2 }, { 2, 1 }, { 1, 1 } } },
    { "(a(b)?)+", "", "aba", { { 1, 3 }, { 3, 1 }, { 2, 1 } } },
    { "(a|b){2,4}b", "", "abab", { { 1, 4 }, { 3, 1 } } },
    { "(a|b){2,4}?b", "", "abbbb", { { 1, 3 }, { 2, 1 } } },
    { "(a{1,2}){2}", "", "aaa", { { 1, 3 }, { 3, 1 } } },
    { "(a+?)+?b", "", "aab", { { 1, 3 }, { 2, 1 } } },
    { "(a|b)*c", "-g", "abc", { { 1, 3 }, { 2, 1 } } },
    { "(a|ab){1,2}c|abd", "", "abd", { { 1, 3 }, { -1, -1 } } },
    { "(\\w+)\\s\\1", "", "hello hello", { { 1, 11 }, { 1, 5 } } },
    { "(a*ab){2}", "", "aabaab", { { 1, 6 }, { 4, 3 } } },
    { "(a*?ab){2}", "", "aabaab", { { 1, 6 }, { 4, 3 } } },
    { "(a+|b){2,3}?c", "", "aabc", { { 1, 4 }, { 3, 1 } } },
    { "((a)|(b)){2}", "", "ab", { { 1, 2 }, { 2, 1 }, { 1, 1 }, { 2, 1 } } },
    { "(a|b|c){3}d|(abc)", "", "abce", { { 1, 3 }, { -1, -1 }, { 1, 3 } } },
    { "(?#c)(a)(?i)(b)", "", "aB", { { 1, 2 }, { 1, 1 }, { 2, 1 } } },
    { "(a)b|(a)c", "", "ac", { { 1, 2 }, { -1, -1 }, { 1, 1 } } },
    { "((a|ab){1,2}c)+", "", "abcabc", { { 1, 6 }, { 4, 3 }, { 4, 2 } } },
    { "((a|ab){1,2}c|abd){2}", "", "abdabc", { { 1, 6 }, { 4, 3 }, { 4, 2 } } },
    { "((a|ab){1,2}?c|abd){2}", "", "abdabc", { { 1, 6 }, { 4, 3 }, { 4, 2 } } },
    { "(x(a)*?){2}y", "", "xaxay", { { 1, 5 }, { 3, 2 }, { 4, 1 } } },
    { "(x(a)*?){2,3}", "", "xaxax", { { 1, 3 }, { 3, 1 }, { 2, 1 } } },
    { "((x(a)*?){2})*y", "", "xaxaxay", { { 3, 5 }, { 3, 4 }, { 5, 2 }, { 6, 1 } } },
};

class BlackBoxGroups : public ::testing::TestWithParam<GroupCase> { };

TEST_P(BlackBoxGroups, Registers)
{
    const GroupCase& c = GetParam();
    TRegex re;
    if (!c.modifiers.empty())
        re.SetModifierText(c.modifiers);
    re.SetExpression(c.pattern);
    ASSERT_TRUE(re.Exec(c.subject)) << "pattern " << c.pattern;
    Spans actual;
    for (int n = 0; n < static_cast<int>(c.groups.size()); ++n)
        actual.emplace_back(re.GroupStart(n), re.GroupLength(n));
    EXPECT_EQ(actual, c.groups) << "pattern " << c.pattern;
    for (int n = 0; n < static_cast<int>(c.groups.size()); ++n) {
        const auto [start, length] = c.groups[n];
        const std::string text = start < 0 ? "" : c.subject.substr(start - 1, length);
        EXPECT_EQ(re.GroupText(n), text) << "group " << n;
    }
    for (int n = static_cast<int>(c.groups.size()); n <= 15; ++n) {
        EXPECT_EQ(re.GroupStart(n), -1) << "group " << n;
        EXPECT_EQ(re.GroupLength(n), -1) << "group " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(BlackBoxPatterns, BlackBoxGroups, ::testing::ValuesIn(kGroups));

// Line separators and the paired separator, set before the pattern.

struct SeparatorCase {
    std::optional<std::string> separators;
    std::optional<std::string> pair;
    std::string pattern;
    std::string subject;
    std::string matches;
};

void PrintTo(const SeparatorCase& c, std::ostream* os)
{
    *os << '/' << c.pattern << '/';
}

const SeparatorCase kSeparators[] = {
    { ";", {}, "^b", "a;b", "3:1" },
    { ";", {}, "^b", "a\nb", "" },
    { ";", {}, "a$", "a;b", "1:1" },
    { ";", {}, "a$", "a\nb", "" },
    { ";", {}, "(?-s)a.", "a;", "" },
    { ";", {}, "(?-s)a.", "a\n", "1:2" },
    { ";", {}, "(?-s)a.", "a\r", "1:2" },
    { ";", {}, "(?-s)a.", "a\r\n", "" },
    { {}, "ab", "^c", "abc", "3:1" },
    { {}, "ab", "^b", "ab", "" },
    { {}, "ab", "x$", "xab", "1:1" },
    { {}, "ab", "(?-s).", "ab", "2:1" },
    { {}, "ab", "\\r^\\n", "\r\n", "1:2" },
    { {}, "ab", "x*$", "xxab", "1:2" },
    { {}, "ab", "x*?$", "xxab", "1:2" },
    { ";", {}, "x*$", "xx;", "1:2" },
    { ";", {}, "x*$", "xx\n", "" },
    // A removed pair still joins CR LF at match time; only the choice of node changes.
    { {}, "", "\\r^\\n", "\r\n", "" },
    { {}, "", "^b", "a\r\nb", "4:1" },
    { "", "", "^b", "a\nb", "" },
    { "", "", "^a", "a\na", "1:1" },
    { "", "", "a$", "a\na", "3:1" },
    { "", {}, "^b", "a\r\nb", "4:1" },
    { "", {}, "^b", "a\nb", "" },
    { "", {}, "a$", "a\r\n", "1:1" },
    { "", {}, "a$", "a\n", "" },
};

class BlackBoxSeparators : public ::testing::TestWithParam<SeparatorCase> { };

TEST_P(BlackBoxSeparators, Matches)
{
    const SeparatorCase& c = GetParam();
    TRegex re;
    if (c.separators)
        re.SetLineSeparatorChars(*c.separators);
    if (c.pair)
        re.SetLinePairedSeparator(*c.pair);
    re.SetExpression(c.pattern);
    EXPECT_EQ(AllMatches(re, c.subject), c.matches) << "pattern " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(BlackBoxSettings, BlackBoxSeparators, ::testing::ValuesIn(kSeparators));

std::string Repeat(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

TEST(BlackBoxSearchMisc, SequentialLoopsDoNotNest)
{
    for (const std::string loop : { "(a){1,2}", "(a){1,2}?", "(a){0,2}?", "(a)+?" }) {
        TRegex re;
        re.SetExpression(Repeat(loop, 12) + "b");
        ASSERT_TRUE(re.Exec(std::string(12, 'a') + "b")) << loop;
        EXPECT_EQ(re.GroupStart(0), 1) << loop;
        EXPECT_EQ(re.GroupLength(0), 13) << loop;
    }
}

TEST(BlackBoxSearchMisc, SeparatorsAreReadAtEachSearch)
{
    TRegex re;
    re.SetExpression("^b");
    EXPECT_EQ(AllMatches(re, "a\nb"), "3:1");
    re.SetLineSeparatorChars(";");
    EXPECT_EQ(AllMatches(re, "a\nb"), "");
    EXPECT_EQ(AllMatches(re, "a;b"), "3:1");
}

TEST(BlackBoxSearchMisc, WordCharsReadByBoundaryAtMatchTimeButClassesAtCompileTime)
{
    TRegex boundary;
    boundary.SetExpression("x\\b");
    EXPECT_FALSE(boundary.Exec("xa"));
    boundary.SetWordChars("a");
    EXPECT_TRUE(boundary.Exec("xa"));

    TRegex word;
    word.SetExpression("\\w");
    word.CompileExpression();
    word.SetWordChars("\xE0");
    EXPECT_FALSE(word.Exec("\xE0"));
    EXPECT_TRUE(word.Exec("a"));
    word.SetExpression("\\w"); // same text, compiled: nothing happens
    EXPECT_FALSE(word.Exec("\xE0"));
    word.SetExpression("x");
    word.SetExpression("\\w");
    EXPECT_TRUE(word.Exec("\xE0"));
    EXPECT_FALSE(word.Exec("a"));
}

TEST(BlackBoxSearchMisc, SpaceCharsTakenAtCompilation)
{
    TRegex re;
    re.SetSpaceChars("_");
    re.SetExpression("\\s\\S");
    EXPECT_EQ(AllMatches(re, " a_b_"), "3:2");
}

TEST(BlackBoxSearchMisc, ExecPosBounds)
{
    TRegex re;
    re.SetExpression("b");
    re.SetInputString("abcb");
    ASSERT_TRUE(re.ExecPos(3));
    EXPECT_EQ(re.GroupStart(0), 4);
    ASSERT_TRUE(re.ExecPos(4));
    EXPECT_EQ(re.GroupStart(0), 4);
    EXPECT_FALSE(re.ExecPos(5));
    EXPECT_FALSE(re.ExecPos(6));
    EXPECT_FALSE(re.ExecPos(1000));
    EXPECT_FALSE(re.ExecPos(2147483647));
    ASSERT_TRUE(re.ExecPos(1));
    EXPECT_EQ(re.GroupStart(0), 2);
    ASSERT_TRUE(re.ExecNext());
    EXPECT_EQ(re.GroupStart(0), 4);
    EXPECT_FALSE(re.ExecNext());
    EXPECT_TRUE(re.ExecPos()) << "the default offset is 1";
}

TEST(BlackBoxSearchMisc, ExecPosOnAnchoredProgram)
{
    TRegex re;
    re.SetModifierText("-m");
    re.SetExpression("^");
    re.SetInputString("abc");
    EXPECT_TRUE(re.ExecPos(1));
    EXPECT_EQ(re.GroupStart(0), 1);
    EXPECT_EQ(re.GroupLength(0), 0);
    EXPECT_FALSE(re.ExecPos(2));
    EXPECT_FALSE(re.ExecPos(4)) << "subject length + 1 is searched, the anchor fails there";

    TRegex start;
    start.SetExpression("\\A");
    start.SetInputString("");
    EXPECT_TRUE(start.ExecPos(1));
    EXPECT_FALSE(start.ExecPos(2));
}

TEST(BlackBoxSearchMisc, AnchorsAndBoundariesSeeTextBeforeTheStartOffset)
{
    TRegex boundary;
    boundary.SetExpression("\\bb");
    boundary.SetInputString("ab b");
    ASSERT_TRUE(boundary.ExecPos(2));
    EXPECT_EQ(boundary.GroupStart(0), 4);

    TRegex line;
    line.SetExpression("^b");
    line.SetInputString("ab\nb");
    ASSERT_TRUE(line.ExecPos(2));
    EXPECT_EQ(line.GroupStart(0), 4);

    TRegex start;
    start.SetExpression("\\Ab");
    start.SetInputString("bb");
    EXPECT_FALSE(start.ExecPos(2));
}

TEST(BlackBoxSearchMisc, RequiredTextLookedForFromTheStartOffset)
{
    TRegex re;
    re.SetExpression("a*xyz");
    ASSERT_TRUE(re.Exec("xyz a"));
    EXPECT_EQ(re.GroupStart(0), 1);
    EXPECT_EQ(re.GroupLength(0), 3);
    EXPECT_FALSE(re.ExecPos(2));
}

TEST(BlackBoxSearchMisc, SubjectEndsAtNulAndIsCopied)
{
    TRegex re;
    re.SetExpression("c");
    EXPECT_FALSE(re.Exec("ab\0c"s));
    EXPECT_EQ(re.InputString(), "ab");

    std::string subject = "abcb";
    re.SetExpression("b");
    ASSERT_TRUE(re.Exec(subject));
    subject = "xxxxxxxx";
    ASSERT_TRUE(re.ExecNext());
    EXPECT_EQ(re.GroupStart(0), 4);
    EXPECT_EQ(re.GroupText(0), "b");
}

TEST(BlackBoxSearchMisc, GroupAccessorsOutsideAMatch)
{
    TRegex re;
    EXPECT_EQ(re.GroupStart(0), -1);
    EXPECT_EQ(re.GroupLength(0), -1);
    EXPECT_EQ(re.GroupText(0), "");
    re.SetExpression("(b)");
    ASSERT_TRUE(re.Exec("abc"));
    EXPECT_EQ(re.GroupStart(-1), -1);
    EXPECT_EQ(re.GroupStart(15), -1);
    EXPECT_EQ(re.GroupLength(15), -1);
    EXPECT_EQ(re.GroupText(15), "");
    re.SetInputString("abc");
    EXPECT_EQ(re.GroupStart(0), -1);
    EXPECT_EQ(re.GroupStart(1), -1);
    EXPECT_FALSE(re.Exec("xyz"));
    EXPECT_EQ(re.GroupStart(0), -1);
}

TEST(BlackBoxSearchMisc, EmptyOperandRepetitionsTerminateInsideTheSubject)
{
    for (const std::string pattern : { "(a{0,5})*", "(a{0,5})+", "()\\1*x", "()\\1+x", "(a*)\\1*x" }) {
        for (const std::string subject : { "", "x", "ax", "aab", "aaaaaaaax" }) {
            TRegex re;
            re.SetExpression(pattern);
            bool found = re.Exec(subject);
            for (int guard = 0; found && guard < 32; ++guard) {
                const int start = re.GroupStart(0);
                const int length = re.GroupLength(0);
                EXPECT_GE(start, 1) << pattern << " on " << subject;
                EXPECT_LE(start + length, static_cast<int>(subject.size()) + 1)
                    << pattern << " on " << subject;
                found = re.ExecNext();
            }
        }
    }
}

TEST(BlackBoxSearchMisc, LongComplexRepetition)
{
    std::string subject;
    for (int i = 0; i < 100000; ++i)
        subject += "ab";
    TRegex re;
    re.SetExpression("(ab)*$");
    ASSERT_TRUE(re.Exec(subject));
    EXPECT_EQ(re.GroupStart(0), 1);
    EXPECT_EQ(re.GroupLength(0), static_cast<int>(subject.size()));
    EXPECT_EQ(re.GroupStart(1), static_cast<int>(subject.size()) - 1);
}

} // namespace
} // namespace morvane::regex
