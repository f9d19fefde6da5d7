// Layout of compiled programs (node order, links, operands) and the analysis data derived from
// them (FirstCharSet, RequiredFirstChar, Anchored, RequiredText).

#include "RegexTestSupport.h"

#include <gtest/gtest.h>

namespace morvane::regex::test {
namespace {

struct LayoutCase {
    const char* pattern;
    const char* modifiers;
    const char* dump;
};

class ProgramLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ProgramLayout, CompilesToExpectedNodes)
{
    const LayoutCase& c = GetParam();
    TRegex engine;
    if (*c.modifiers)
        engine.SetModifierText(c.modifiers);
    engine.SetExpression(c.pattern);
    engine.CompileExpression();
    EXPECT_EQ(DumpProgram(engine.ProgramBytes()), c.dump) << c.pattern;
}

const LayoutCase kLayoutCases[] = {
    { "abc", "", "1 BRANCH +14 | 6 EXACTLY +9 \"abc\" | 15 END 0" },
    // The run is split before a quantifier so that it applies to "b" alone.
    { "ab*", "", "1 BRANCH +24 | 6 EXACTLY +7 \"a\" | 13 STAR +12 | 18 EXACTLY 0 \"b\" | 25 END 0" },
    { "ab{2}", "",
      "1 BRANCH +32 | 6 EXACTLY +7 \"a\" | 13 BRACES +20 {2,2} | 26 EXACTLY 0 \"b\" | 33 END 0" },
    { "a{2,3}?", "", "1 BRANCH +25 | 6 BRACESLAZY +20 {2,3} | 19 EXACTLY 0 \"a\" | 26 END 0" },
    { "a{0,}", "", "1 BRANCH +25 | 6 BRACES +20 {0,2147483646} | 19 EXACTLY 0 \"a\" | 26 END 0" },
    // A "{" that does not form a count is a literal and begins the next run.
    { "a{x}", "", "1 BRANCH +21 | 6 EXACTLY +7 \"a\" | 13 EXACTLY +9 \"{x}\" | 22 END 0" },
    { "{abc}", "", "1 BRANCH +16 | 6 EXACTLY +11 \"{abc}\" | 17 END 0" },
    // Greedy "?" on a simple operand: x or nothing.
    { "a?", "", "1 BRANCH +27 | 6 BRANCH +12 | 11 EXACTLY +12 \"a\" | 18 BRANCH +5 | 23 NOTHING +5 | 28 END 0" },
    // Greedy "*" on a group: a loop of branches.
    { "(a|b)*c", "",
      "1 BRANCH +66 | 6 BRANCH +44 | 11 OPEN1 +5 | 16 BRANCH +12 | 21 EXACTLY +19 \"a\" | 28 BRANCH +12 | "
      "33 EXACTLY +7 \"b\" | 40 CLOSE1 +5 | 45 BACK -39 | 50 BRANCH +5 | 55 NOTHING +5 | 60 EXACTLY +7 \"c\" | "
      "67 END 0" },
    // Greedy "+" on a group: the operand, then (back to it) or nothing.
    { "(a)+", "",
      "1 BRANCH +47 | 6 OPEN1 +5 | 11 BRANCH +12 | 16 EXACTLY +7 \"a\" | 23 CLOSE1 +5 | 28 BRANCH +10 | "
      "33 BACK -27 | 38 BRANCH +5 | 43 NOTHING +5 | 48 END 0" },
    // Counted and lazy repetitions of a group use the loop nodes.
    { "(ab){2}", "",
      "1 BRANCH +50 | 6 LOOPENTRY +28 | 11 OPEN1 +5 | 16 BRANCH +13 | 21 EXACTLY +8 \"ab\" | 29 CLOSE1 +5 | "
      "34 LOOP +17 {2,2,-23} | 51 END 0" },
    { "(a)*?", "",
      "1 BRANCH +49 | 6 LOOPENTRY +27 | 11 OPEN1 +5 | 16 BRANCH +12 | 21 EXACTLY +7 \"a\" | 28 CLOSE1 +5 | "
      "33 LOOPLAZY +17 {0,2147483646,-22} | 50 END 0" },
    // With g off every quantifier is lazy.
    { "a*", "-g", "1 BRANCH +17 | 6 STARLAZY +12 | 11 EXACTLY 0 \"a\" | 18 END 0" },
    { "a??", "", "1 BRANCH +25 | 6 BRACESLAZY +20 {0,1} | 19 EXACTLY 0 \"a\" | 26 END 0" },
    // Classes: up to three members as a list (highest repeated), more as a set.
    { "[ab]", "", "1 BRANCH +13 | 6 ANYOF3 +8 \"abb\" | 14 END 0" },
    { "[^x]", "", "1 BRANCH +13 | 6 ANYBUT3 +8 \"xxx\" | 14 END 0" },
    { "[a-c]", "i", "1 BRANCH +42 | 6 ANYOFSET +37 #6 | 43 END 0" },
    { "\\d\\D\\s", "",
      "1 BRANCH +52 | 6 DIGIT +5 | 11 NOTDIGIT +5 | 16 ANYOFSET +37 #5 | 53 END 0" },
    { "\\W", "", "1 BRANCH +42 | 6 ANYOFSET +37 #193 | 43 END 0" },
    // Inline modifiers and comments leave comment nodes; case-insensitive literals.
    { "(?i)ab(?#note)", "",
      "1 BRANCH +23 | 6 COMMENT +5 | 11 EXACTLYCI +8 \"ab\" | 19 COMMENT +5 | 24 END 0" },
    { "a b # note", "x", "1 BRANCH +18 | 6 EXACTLY +8 \"ab\" | 14 COMMENT +5 | 19 END 0" },
    // Anchors: line forms in m mode, subject forms without it.
    { "^a$", "", "1 BRANCH +22 | 6 LINESTART +5 | 11 EXACTLY +7 \"a\" | 18 LINEEND +5 | 23 END 0" },
    { "^a$", "-m", "1 BRANCH +22 | 6 INPUTSTART +5 | 11 EXACTLY +7 \"a\" | 18 INPUTEND +5 | 23 END 0" },
    { ".", "-s", "1 BRANCH +10 | 6 ANYINLINE +5 | 11 END 0" },
    { "(a)\\1", "i",
      "1 BRANCH +33 | 6 OPEN1 +5 | 11 BRANCH +12 | 16 EXACTLYCI +7 \"a\" | 23 CLOSE1 +5 | 28 BACKREFCI +6 1 | "
      "34 END 0" },
};

INSTANTIATE_TEST_SUITE_P(Patterns, ProgramLayout, ::testing::ValuesIn(kLayoutCases));

struct AnalysisCase {
    const char* pattern;
    const char* modifiers;
    const char* firstChars; // members of FirstCharSet ("*" for all 256)
    int requiredFirstChar;
    bool anchored;
    const char* requiredText;
};

class ProgramAnalysis : public ::testing::TestWithParam<AnalysisCase> {};

TEST_P(ProgramAnalysis, DerivesStartFilters)
{
    const AnalysisCase& c = GetParam();
    TRegex engine;
    if (*c.modifiers)
        engine.SetModifierText(c.modifiers);
    engine.SetExpression(c.pattern);
    engine.CompileExpression();
    std::bitset<256> expected;
    if (std::string_view(c.firstChars) == "*")
        expected.set();
    else
        for (const char ch : std::string_view(c.firstChars))
            expected.set(static_cast<unsigned char>(ch));
    EXPECT_EQ(engine.FirstCharSet(), expected) << c.pattern;
    EXPECT_EQ(engine.RequiredFirstChar(), c.requiredFirstChar) << c.pattern;
    EXPECT_EQ(engine.Anchored(), c.anchored) << c.pattern;
    EXPECT_EQ(engine.RequiredText(), c.requiredText) << c.pattern;
}

const AnalysisCase kAnalysisCases[] = {
    { "abc", "", "a", 'a', false, "" },
    { "a|b", "", "ab", -1, false, "" },
    { "(?i)ab", "", "aA", -1, false, "" },
    { "^ab", "-m", "a", -1, true, "" },
    // In line mode "^" adds nothing and the program is not anchored.
    { "^ab", "", "a", -1, false, "" },
    { "(?-m)^", "", "", -1, false, "" },
    { "$", "", "", -1, false, "" },
    { "\\b", "", "", -1, false, "" },
    { "x*", "", "x", -1, false, "" },
    { "x*y", "", "xy", -1, false, "y" },
    // RequiredText: the longest top-level literal, the later one on equal lengths, only when
    // the pattern begins with a repetition.
    { "a*bcd(e)fgh", "", "ab", -1, false, "fgh" },
    { "abc.*def", "", "a", 'a', false, "" },
    { "\\d+-ab", "", "0123456789", -1, false, "-ab" },
    { "a{0,3}b", "", "ab", -1, false, "b" },
    { "a{1,3}b", "", "a", -1, false, "b" },
    { ".x", "", "*", -1, false, "" },
    { "(a|b)*c", "", "abc", -1, false, "c" },
    { "(ab){0,2}c", "", "ac", -1, false, "c" },
    { "[^a]", "", "", -1, false, "" }, // filled in below: everything but "a" (a 3-member list)
};

INSTANTIATE_TEST_SUITE_P(Patterns, ProgramAnalysis, ::testing::ValuesIn(std::begin(kAnalysisCases),
                                                                          std::end(kAnalysisCases) - 1));

TEST(ProgramAnalysisSets, NegatedListHoldsEverythingElse)
{
    TRegex engine;
    engine.SetExpression("[^a]");
    engine.CompileExpression();
    std::bitset<256> expected;
    expected.set();
    expected.reset('a');
    EXPECT_EQ(engine.FirstCharSet(), expected);
}

TEST(ProgramAnalysisSets, CaseInsensitiveCyrillicLiteralAddsOtherCase)
{
    TRegex engine;
    engine.SetExpression(W("(?i)ёж"));
    engine.CompileExpression();
    const std::bitset<256> set = engine.FirstCharSet();
    EXPECT_TRUE(set.test(184));
    EXPECT_TRUE(set.test(168));
    EXPECT_EQ(set.count(), 2u);
}

TEST(ProgramSize, FourteenGroupsCompileAndTheProgramIsDroppedOnError)
{
    TRegex engine;
    std::string pattern;
    for (int i = 0; i < 14; ++i)
        pattern += "(a)";
    engine.SetExpression(pattern);
    EXPECT_NO_THROW(engine.CompileExpression());
    EXPECT_FALSE(engine.ProgramBytes().empty());
    engine.SetExpression(pattern + "(a)");
    EXPECT_THROW(engine.CompileExpression(), ERegex);
    EXPECT_TRUE(engine.ProgramBytes().empty());
}

} // namespace
} // namespace morvane::regex::test
