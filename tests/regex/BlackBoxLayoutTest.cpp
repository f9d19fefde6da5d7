// Black-box checks of the compiled node program and of the start-position analysis, with every
// expected program worked out by hand from the node tables: magic byte, 5-byte headers with
// little-endian links relative to the node, operands, and the branch/loop constructions of the
// quantifiers. A mismatch prints both programs as hex so the differing node is easy to find.

#include "regex/TRegex.h"

#include <gtest/gtest.h>

#include <bitset>
#include <cstdint>
#include <string>

namespace morvane::regex {
namespace {

using namespace std::string_literals;

enum Op : std::uint8_t {
    kEnd = 0,
    kInputStart = 1,
    kInputEnd = 2,
    kAny = 3,
    kBranch = 6,
    kBack = 7,
    kExactly = 8,
    kNothing = 9,
    kStar = 10,
    kPlus = 11,
    kDigit = 12,
    kNotDigit = 13,
    kBraces = 18,
    kComment = 19,
    kExactlyCI = 20,
    kLoopEntry = 23,
    kLoop = 24,
    kAnyOf3 = 25,
    kAnyBut3 = 26,
    kAnyOfSet = 27,
    kBackRef = 28,
    kBackRefCI = 29,
    kStarLazy = 30,
    kBracesLazy = 32,
    kLoopLazy = 33,
    kLineStart = 34,
    kLineEnd = 35,
    kAnyInLine = 36,
    kWordBound = 37,
    kNotWordBound = 38,
    kOpen1 = 40,
    kOpen2 = 41,
    kClose1 = 55,
    kClose2 = 56,
};

constexpr int kMaxCount = 2147483646;

std::string I32(std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    std::string s;
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((u >> (8 * i)) & 0xFF);
    return s;
}

// One node header: opcode, then the link to the successor.
std::string N(Op op, std::int32_t link)
{
    return std::string(1, static_cast<char>(op)) + I32(link);
}

// A literal operand with its closing 0 byte.
std::string L(const std::string& text)
{
    return text + '\0';
}

const std::string kMagic = "\xD8";

std::string SetBytes(const std::string& members)
{
    std::string set(32, '\0');
    for (unsigned char c : members)
        set[c / 8] = static_cast<char>(static_cast<unsigned char>(set[c / 8]) | (1u << (c % 8)));
    return set;
}

std::string Hex(std::string_view bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
        out += ' ';
    }
    return out;
}

struct LayoutCase {
    const char* name;
    std::string pattern;
    std::string modifiers;
    std::string program;
};

const LayoutCase kLayoutCases[] = {
    { "Literal", "abc", "", kMagic + N(kBranch, 14) + N(kExactly, 9) + L("abc") + N(kEnd, 0) },
    { "RunSplitBeforeStar", "ab*", "",
        kMagic + N(kBranch, 24) + N(kExactly, 7) + L("a") + N(kStar, 12) + N(kExactly, 0) + L("b")
            + N(kEnd, 0) },
    { "CountAppliesToLastCharOnly", "ab{2}", "",
        kMagic + N(kBranch, 32) + N(kExactly, 7) + L("a") + N(kBraces, 20) + I32(2) + I32(2) + N(kExactly, 0)
            + L("b") + N(kEnd, 0) },
    { "OpenEndedCount", "a{0,}", "",
        kMagic + N(kBranch, 25) + N(kBraces, 20) + I32(0) + I32(kMaxCount) + N(kExactly, 0) + L("a")
            + N(kEnd, 0) },
    { "RunSplitBeforeBraceThatIsNoQuantifier", "ab{x}", "",
        kMagic + N(kBranch, 28) + N(kExactly, 7) + L("a") + N(kExactly, 7) + L("b") + N(kExactly, 9)
            + L("{x}") + N(kEnd, 0) },
    { "TwoMemberClassRepeatsHighest", "[ab]", "",
        kMagic + N(kBranch, 13) + N(kAnyOf3, 8) + "abb" + N(kEnd, 0) },
    { "NegatedOneMemberClass", "[^a]", "", kMagic + N(kBranch, 13) + N(kAnyBut3, 8) + "aaa" + N(kEnd, 0) },
    { "ThreeMembersSortedAscending", "[cab]", "",
        kMagic + N(kBranch, 13) + N(kAnyOf3, 8) + "abc" + N(kEnd, 0) },
    { "DuplicateMembersCountOnce", "[aaaab]", "",
        kMagic + N(kBranch, 13) + N(kAnyOf3, 8) + "abb" + N(kEnd, 0) },
    { "CaseInsensitiveOneMemberHoldsBothCases", "[a]", "i",
        kMagic + N(kBranch, 13) + N(kAnyOf3, 8) + "Aaa" + N(kEnd, 0) },
    { "CaseInsensitiveNegatedOneMember", "[^a]", "i",
        kMagic + N(kBranch, 13) + N(kAnyBut3, 8) + "Aaa" + N(kEnd, 0) },
    { "FourMembersBecomeSet", "[a-d]", "",
        kMagic + N(kBranch, 42) + N(kAnyOfSet, 37) + SetBytes("abcd") + N(kEnd, 0) },
    { "CaseInsensitiveRangeBecomesSet", "[a-c]", "i",
        kMagic + N(kBranch, 42) + N(kAnyOfSet, 37) + SetBytes("abcABC") + N(kEnd, 0) },
    { "Alternation", "a|b", "",
        kMagic + N(kBranch, 12) + N(kExactly, 19) + L("a") + N(kBranch, 12) + N(kExactly, 7) + L("b")
            + N(kEnd, 0) },
    { "EmptyAlternativeIsNothing", "a|", "",
        kMagic + N(kBranch, 12) + N(kExactly, 17) + L("a") + N(kBranch, 10) + N(kNothing, 5) + N(kEnd, 0) },
    { "Group", "(a)", "",
        kMagic + N(kBranch, 27) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a") + N(kClose1, 5)
            + N(kEnd, 0) },
    { "EmptyGroup", "()", "",
        kMagic + N(kBranch, 25) + N(kOpen1, 5) + N(kBranch, 10) + N(kNothing, 5) + N(kClose1, 5)
            + N(kEnd, 0) },
    { "TwoGroupsNumberedInOrder", "(a)(b)", "",
        kMagic + N(kBranch, 49) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a") + N(kClose1, 5)
            + N(kOpen2, 5) + N(kBranch, 12) + N(kExactly, 7) + L("b") + N(kClose2, 5) + N(kEnd, 0) },
    { "GreedyOptionalIsBranchPair", "a?", "",
        kMagic + N(kBranch, 27) + N(kBranch, 12) + N(kExactly, 12) + L("a") + N(kBranch, 5) + N(kNothing, 5)
            + N(kEnd, 0) },
    { "LazyOptionalIsLazyBraces", "a??", "",
        kMagic + N(kBranch, 25) + N(kBracesLazy, 20) + I32(0) + I32(1) + N(kExactly, 0) + L("a")
            + N(kEnd, 0) },
    { "LazyStar", "a*?", "",
        kMagic + N(kBranch, 17) + N(kStarLazy, 12) + N(kExactly, 0) + L("a") + N(kEnd, 0) },
    { "StarWithGreedyOffIsLazy", "a*", "-g",
        kMagic + N(kBranch, 17) + N(kStarLazy, 12) + N(kExactly, 0) + L("a") + N(kEnd, 0) },
    { "OptionalWithGreedyOffIsLazyBraces", "a?", "-g",
        kMagic + N(kBranch, 25) + N(kBracesLazy, 20) + I32(0) + I32(1) + N(kExactly, 0) + L("a")
            + N(kEnd, 0) },
    { "DigitPlus", "\\d+", "", kMagic + N(kBranch, 15) + N(kPlus, 10) + N(kDigit, 0) + N(kEnd, 0) },
    { "CountedGroupIsLoop", "(a){2,3}", "",
        kMagic + N(kBranch, 49) + N(kLoopEntry, 27) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a")
            + N(kClose1, 5) + N(kLoop, 17) + I32(2) + I32(3) + I32(-22) + N(kEnd, 0) },
    { "LazyGroupStarIsLazyLoop", "(a)*?", "",
        kMagic + N(kBranch, 49) + N(kLoopEntry, 27) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a")
            + N(kClose1, 5) + N(kLoopLazy, 17) + I32(0) + I32(kMaxCount) + I32(-22) + N(kEnd, 0) },
    { "LazyGroupOptionalIsLazyLoop", "(a)??", "",
        kMagic + N(kBranch, 49) + N(kLoopEntry, 27) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a")
            + N(kClose1, 5) + N(kLoopLazy, 17) + I32(0) + I32(1) + I32(-22) + N(kEnd, 0) },
    { "LazyGroupPlusIsLazyLoop", "(a)+?", "",
        kMagic + N(kBranch, 49) + N(kLoopEntry, 27) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a")
            + N(kClose1, 5) + N(kLoopLazy, 17) + I32(1) + I32(kMaxCount) + I32(-22) + N(kEnd, 0) },
    { "CountedLazyGroupIsLazyLoop", "(a){2,3}?", "",
        kMagic + N(kBranch, 49) + N(kLoopEntry, 27) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a")
            + N(kClose1, 5) + N(kLoopLazy, 17) + I32(2) + I32(3) + I32(-22) + N(kEnd, 0) },
    { "GroupOptionalWithGreedyOffIsLazyLoop", "(a)?", "-g",
        kMagic + N(kBranch, 49) + N(kLoopEntry, 27) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a")
            + N(kClose1, 5) + N(kLoopLazy, 17) + I32(0) + I32(1) + I32(-22) + N(kEnd, 0) },
    { "GroupCountZero", "(a){0}", "",
        kMagic + N(kBranch, 49) + N(kLoopEntry, 27) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a")
            + N(kClose1, 5) + N(kLoop, 17) + I32(0) + I32(0) + I32(-22) + N(kEnd, 0) },
    { "GreedyGroupStarIsBranchLoop", "(a)*", "",
        kMagic + N(kBranch, 47) + N(kBranch, 32) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a")
            + N(kClose1, 5) + N(kBack, -27) + N(kBranch, 5) + N(kNothing, 5) + N(kEnd, 0) },
    { "GreedyGroupPlusIsOperandThenBranchLoop", "(a)+", "",
        kMagic + N(kBranch, 47) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a") + N(kClose1, 5)
            + N(kBranch, 10) + N(kBack, -27) + N(kBranch, 5) + N(kNothing, 5) + N(kEnd, 0) },
    { "LineDotIsNotASimpleOperand", ".*", "-s",
        kMagic + N(kBranch, 30) + N(kBranch, 15) + N(kAnyInLine, 5) + N(kBack, -10) + N(kBranch, 5)
            + N(kNothing, 5) + N(kEnd, 0) },
    { "LineAnchors", "^a$", "",
        kMagic + N(kBranch, 22) + N(kLineStart, 5) + N(kExactly, 7) + L("a") + N(kLineEnd, 5) + N(kEnd, 0) },
    { "InputAnchorsWithoutMultiLine", "^a$", "-m",
        kMagic + N(kBranch, 22) + N(kInputStart, 5) + N(kExactly, 7) + L("a") + N(kInputEnd, 5)
            + N(kEnd, 0) },
    { "EscapeNodes", "\\d\\D\\b\\B\\A\\Z.", "",
        kMagic + N(kBranch, 40) + N(kDigit, 5) + N(kNotDigit, 5) + N(kWordBound, 5) + N(kNotWordBound, 5)
            + N(kInputStart, 5) + N(kInputEnd, 5) + N(kAny, 5) + N(kEnd, 0) },
    { "InlineModifierGroupIsComment", "(?i)a", "",
        kMagic + N(kBranch, 17) + N(kComment, 5) + N(kExactlyCI, 7) + L("a") + N(kEnd, 0) },
    { "BackReference", "(a)\\1", "",
        kMagic + N(kBranch, 33) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactly, 7) + L("a") + N(kClose1, 5)
            + N(kBackRef, 6) + "\x01" + N(kEnd, 0) },
    { "BackReferenceCaseInsensitive", "(a)\\1", "i",
        kMagic + N(kBranch, 33) + N(kOpen1, 5) + N(kBranch, 12) + N(kExactlyCI, 7) + L("a") + N(kClose1, 5)
            + N(kBackRefCI, 6) + "\x01" + N(kEnd, 0) },
    { "HexEscapesAreOneCharLiterals", "\\x41\\x{42}", "",
        kMagic + N(kBranch, 19) + N(kExactly, 7) + L("A") + N(kExactly, 7) + L("B") + N(kEnd, 0) },
};

class BlackBoxLayout : public ::testing::TestWithParam<LayoutCase> { };

TEST_P(BlackBoxLayout, ProgramBytesAsWorkedOut)
{
    const LayoutCase& c = GetParam();
    TRegex re;
    if (!c.modifiers.empty())
        re.SetModifierText(c.modifiers);
    re.SetExpression(c.pattern);
    re.CompileExpression();
    EXPECT_EQ(Hex(re.ProgramBytes()), Hex(c.program)) << "pattern " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(BlackBoxPatterns, BlackBoxLayout, ::testing::ValuesIn(kLayoutCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BlackBoxLayoutMisc, SpaceClassesFollowSpaceChars)
{
    TRegex re;
    re.SetSpaceChars(" ");
    re.SetExpression("\\s\\S");
    re.CompileExpression();
    EXPECT_EQ(Hex(re.ProgramBytes()),
        Hex(kMagic + N(kBranch, 21) + N(kAnyOf3, 8) + "   " + N(kAnyBut3, 8) + "   " + N(kEnd, 0)));
}

TEST(BlackBoxLayoutMisc, LineAnchorsNeedSeparatorsOrAPair)
{
    const std::string lineForms = kMagic + N(kBranch, 15) + N(kLineStart, 5) + N(kLineEnd, 5) + N(kEnd, 0);
    const std::string inputForms = kMagic + N(kBranch, 15) + N(kInputStart, 5) + N(kInputEnd, 5) + N(kEnd, 0);

    TRegex pairRemoved;
    pairRemoved.SetLinePairedSeparator("");
    pairRemoved.SetExpression("^$");
    pairRemoved.CompileExpression();
    EXPECT_EQ(Hex(pairRemoved.ProgramBytes()), Hex(lineForms));

    TRegex noSeparators;
    noSeparators.SetLineSeparatorChars("");
    noSeparators.SetExpression("^$");
    noSeparators.CompileExpression();
    EXPECT_EQ(Hex(noSeparators.ProgramBytes()), Hex(lineForms)) << "the pair alone keeps the line forms";

    noSeparators.SetLinePairedSeparator("");
    noSeparators.CompileExpression();
    EXPECT_EQ(Hex(noSeparators.ProgramBytes()), Hex(inputForms));
    EXPECT_TRUE(noSeparators.Anchored());
}

TEST(BlackBoxLayoutMisc, NegatedLargeClassIsComplementedSet)
{
    TRegex re;
    re.SetExpression("[^a-e]");
    re.CompileExpression();
    std::string program(re.ProgramBytes());
    ASSERT_EQ(program.size(), 48u);
    EXPECT_EQ(Hex(program.substr(0, 11)), Hex(kMagic + N(kBranch, 42) + N(kAnyOfSet, 37)));
    std::string expected = SetBytes("abcde");
    for (char& b : expected)
        b = static_cast<char>(~static_cast<unsigned char>(b));
    // Whether the complement keeps the NUL bit is not observable: a class never matches NUL.
    program[11] = static_cast<char>(static_cast<unsigned char>(program[11]) | 1);
    EXPECT_EQ(Hex(program.substr(11, 32)), Hex(expected));
    EXPECT_EQ(Hex(program.substr(43)), Hex(N(kEnd, 0)));
}

// Start-position analysis.

std::bitset<256> Chars(const std::string& members)
{
    std::bitset<256> set;
    for (unsigned char c : members)
        set.set(c);
    return set;
}

std::bitset<256> AllBut(const std::string& members)
{
    return ~Chars(members);
}

const std::string kDigits = "0123456789";

struct AnalysisCase {
    std::string pattern;
    std::string modifiers;
    std::bitset<256> firstChars;
    int requiredFirstChar;
    bool anchored;
    std::string requiredText;
};

const AnalysisCase kAnalysisCases[] = {
    { "abc", "", Chars("a"), 'a', false, "" },
    { "abc", "i", Chars("aA"), -1, false, "" },
    { "(?i)abc", "", Chars("aA"), -1, false, "" },
    { "ab|ac", "", Chars("a"), -1, false, "" },
    { "\\Aabc", "", Chars("a"), -1, true, "" },
    { "^abc", "-m", Chars("a"), -1, true, "" },
    { "^abc", "", Chars("a"), -1, false, "" },
    { "(?-m)^abc", "", Chars("a"), -1, false, "" },
    { "x*", "", Chars("x"), -1, false, "" },
    { "a{1,2}b", "", Chars("a"), -1, false, "b" },
    { "a+b", "", Chars("a"), -1, false, "b" },
    { "a*?b", "", Chars("ab"), -1, false, "b" },
    { " ^abc", "x-m", Chars("a"), -1, false, "" },
    { "abc", "x", Chars("a"), 'a', false, "" },
    { "x?", "", Chars("x"), -1, false, "" },
    { "a+bcd", "", Chars("a"), -1, false, "bcd" },
    { "\\d+abc", "", Chars(kDigits), -1, false, "abc" },
    { "a*xy.zw", "", Chars("ax"), -1, false, "zw" },
    { "a*xyz.ab", "", Chars("ax"), -1, false, "xyz" },
    { "a*(bcd)ef", "", Chars("ab"), -1, false, "ef" },
    { "(a*xyz)bc", "", Chars("ax"), -1, false, "bc" },
    { "(a*)bcd", "", Chars("ab"), -1, false, "bcd" },
    { "(ab)*cd", "", Chars("ac"), -1, false, "cd" },
    { "(ab)+cd", "", Chars("a"), -1, false, "cd" },
    { "a?bcd", "", Chars("ab"), -1, false, "" },
    { "a{0,3}bcd", "", Chars("ab"), -1, false, "bcd" },
    { "a{0}bcd", "", Chars("ab"), -1, false, "" },
    { "abc+", "", Chars("a"), 'a', false, "" },
    { "a*bc|d", "", Chars("abd"), -1, false, "" },
    { "a*(?i)xyz", "", Chars("axX"), -1, false, "" },
    { "(a|)c", "", Chars("ac"), -1, false, "" },
    { "a*b?", "", Chars("ab"), -1, false, "" },
    { "x*$", "", Chars("x"), -1, false, "" },
    { "^$", "-m", Chars(""), -1, true, "" },
    { "(a?)b", "", Chars("ab"), -1, false, "" },
    { "(a)*b", "", Chars("ab"), -1, false, "b" },
    { "(ab){0,2}c", "", Chars("ac"), -1, false, "c" },
    { "(ab){1,2}c", "", Chars("a"), -1, false, "c" },
    { "a{0,2}b", "", Chars("ab"), -1, false, "b" },
    { "a|b*c", "", Chars("abc"), -1, false, "" },
    { "\\bfoo", "", Chars("f"), -1, false, "" },
    { "$", "", Chars(""), -1, false, "" },
    { "\\b", "", Chars(""), -1, false, "" },
    { "^", "", Chars(""), -1, false, "" },
    { "(?-m)^", "", Chars(""), -1, false, "" },
    { "^", "-m", Chars(""), -1, true, "" },
    { ".", "", AllBut(""), -1, false, "" },
    { ".", "-s", AllBut(""), -1, false, "" },
    { "\\1(a)", "", AllBut(""), -1, false, "" },
    { "[ab]c", "", Chars("ab"), -1, false, "" },
    { "[^ab]", "", AllBut("ab"), -1, false, "" },
    { "\\d", "", Chars(kDigits), -1, false, "" },
    { "\\D", "", AllBut(kDigits), -1, false, "" },
    { "\xE0", "i", Chars("\xE0\xC0"), -1, false, "" },
    { "\xB8", "i", Chars("\xB8\xA8"), -1, false, "" },
    { "\xE0", "", Chars("\xE0"), 0xE0, false, "" },
};

void PrintTo(const AnalysisCase& c, std::ostream* os)
{
    *os << '/' << c.pattern << "/ " << c.modifiers;
}

class BlackBoxAnalysis : public ::testing::TestWithParam<AnalysisCase> { };

TEST_P(BlackBoxAnalysis, StartFilters)
{
    const AnalysisCase& c = GetParam();
    TRegex re;
    if (!c.modifiers.empty())
        re.SetModifierText(c.modifiers);
    re.SetExpression(c.pattern);
    re.CompileExpression();
    EXPECT_EQ(re.FirstCharSet(), c.firstChars) << "pattern " << c.pattern;
    EXPECT_EQ(re.RequiredFirstChar(), c.requiredFirstChar) << "pattern " << c.pattern;
    EXPECT_EQ(re.Anchored(), c.anchored) << "pattern " << c.pattern;
    EXPECT_EQ(re.RequiredText(), c.requiredText) << "pattern " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(BlackBoxPatterns, BlackBoxAnalysis, ::testing::ValuesIn(kAnalysisCases));

} // namespace
} // namespace morvane::regex
