// Compile errors with their codes, offsets and messages; usage and run-time errors; the error
// routine's bookkeeping (LastErrorCode, ErrorOffset).

#include "RegexTestSupport.h"

#include <gtest/gtest.h>

namespace morvane::regex::test {
namespace {

struct CompileErrorCase {
    std::string pattern;
    const char* modifiers;
    int code;
    int offset;
    const char* message;
};

class CompileError : public ::testing::TestWithParam<CompileErrorCase> {};

TEST_P(CompileError, RaisesCodeOffsetAndMessage)
{
    const CompileErrorCase& c = GetParam();
    TRegex engine;
    if (*c.modifiers)
        engine.SetModifierText(c.modifiers);
    engine.SetExpression(c.pattern);
    try {
        engine.CompileExpression();
        ADD_FAILURE() << "no error for " << Visible(c.pattern);
    } catch (const ERegex& error) {
        EXPECT_EQ(error.ErrorCode(), c.code) << Visible(c.pattern);
        EXPECT_EQ(error.ErrorOffset(), c.offset) << Visible(c.pattern);
        EXPECT_STREQ(error.what(), c.message) << Visible(c.pattern);
    }
    EXPECT_TRUE(engine.ProgramBytes().empty());
    EXPECT_EQ(engine.ErrorOffset(), 0);
    EXPECT_EQ(engine.LastErrorCode(), c.code);
    EXPECT_EQ(engine.LastErrorCode(), 0);
}

std::string fifteenGroups()
{
    std::string pattern;
    for (int i = 0; i < 15; ++i)
        pattern += "(a)";
    return pattern;
}

const CompileErrorCase kCompileErrors[] = {
    { "(", "", 103, 1, "ParseReg Unmatched () (pos 1)" },
    { "(ab|c", "", 103, 5, "ParseReg Unmatched () (pos 5)" },
    { ")", "", 104, 0, "ParseReg Unmatched () (pos 0)" },
    { "ab)c", "", 104, 2, "ParseReg Unmatched () (pos 2)" },
    { "*a", "", 115, 1, "?+*{ Follows Nothing (pos 1)" },
    { "a|+", "", 115, 3, "?+*{ Follows Nothing (pos 3)" },
    { "a\\", "", 116, 2, "Trailing \\ (pos 2)" },
    { "[a", "", 113, 2, "Unmatched [] (pos 2)" },
    { "[", "", 113, 1, "Unmatched [] (pos 1)" },
    { "[]", "", 113, 2, "Unmatched [] (pos 2)" },
    { "[^]", "", 113, 3, "Unmatched [] (pos 3)" },
    { "[abc", "", 113, 4, "Unmatched [] (pos 4)" },
    { "[a\\", "", 110, 3, "Parse Atom Trailing \\ (pos 3)" },
    { "[a-\\", "", 110, 4, "Parse Atom Trailing \\ (pos 4)" },
    { "[b-a]", "", 109, 4, "Invalid [] Range (pos 4)" },
    { W("(?-r)[а-Я]"), "", 109, 9, "Invalid [] Range (pos 9)" },
    { "a**", "", 107, 2, "Nested *?+ (pos 2)" },
    { "a{2}{3}", "", 107, 4, "Nested *?+ (pos 4)" },
    { "a*{x}", "", 107, 2, "Nested *?+ (pos 2)" },
    { "a??+", "", 107, 3, "Nested *?+ (pos 3)" },
    { "a{2,1}", "", 124, 5, "BRACE Min Param Greater then Max (pos 5)" },
    { "a{123456789}", "", 122, 11, "BRACES Argument Too Big (pos 11)" },
    { "a{1,123456789}", "", 122, 13, "BRACES Argument Too Big (pos 13)" },
    { "(a*)*", "", 106, 4, "*+ Operand Could Be Empty (pos 4)" },
    { "(a|)+", "", 106, 4, "*+ Operand Could Be Empty (pos 4)" },
    { "^*", "", 106, 1, "*+ Operand Could Be Empty (pos 1)" },
    { "(?i)*", "", 106, 4, "*+ Operand Could Be Empty (pos 4)" },
    { "\\b{2}", "", 106, 2, "*+ Operand Could Be Empty (pos 2)" },
    { "a *", "x", 106, 2, "*+ Operand Could Be Empty (pos 2)" },
    { "\\xZ1", "", 108, 2, "Bad Hex Digit (pos 2)" },
    { "\\x{4g}", "", 108, 4, "Bad Hex Digit (pos 4)" },
    { "\\x", "", 111, 2, "No Hex Code After \\x (pos 2)" },
    { "\\x4", "", 111, 3, "No Hex Code After \\x (pos 3)" },
    { "\\x{41", "", 111, 5, "No Hex Code After \\x (pos 5)" },
    { "\\x{100}", "", 112, 5, "Hex Code After \\x Is Too Big (pos 5)" },
    { "(?#abc", "", 125, 6, "Unclosed (?#Comment) (pos 6)" },
    { "(?z)", "", 127, 3, "Urecognized Modifier (pos 3)" },
    { "(?i", "", 127, 3, "Urecognized Modifier (pos 3)" },
    { "(?:a)", "", 127, 4, "Urecognized Modifier (pos 4)" },
    { "(?=a)", "", 127, 4, "Urecognized Modifier (pos 4)" },
    { fifteenGroups(), "", 102, 43, "ParseReg Too Many () (pos 43)" },
};

INSTANTIATE_TEST_SUITE_P(Patterns, CompileError, ::testing::ValuesIn(kCompileErrors));

TEST(CompileErrors, AcceptedCornerForms)
{
    // Each of these compiles; "(?)" is a no-op and a "{" without a count shape is a literal.
    for (const char* pattern : { "(?)", "a{x}", "a{2,x}", "{abc}", "a{,2}", "a{0,}", "\\x{}", "\\x{0041}",
                                 "[]a]", "[a-]", "[-a]", "(?i-s)a", "(?#)" }) {
        TRegex engine;
        engine.SetExpression(pattern);
        EXPECT_NO_THROW(engine.CompileExpression()) << pattern;
    }
}

TEST(UsageErrors, UnsetExpression)
{
    TRegex engine;
    try {
        engine.CompileExpression();
        ADD_FAILURE() << "no error";
    } catch (const ERegex& error) {
        EXPECT_EQ(error.ErrorCode(), 1003);
        EXPECT_EQ(error.ErrorOffset(), 0);
        EXPECT_STREQ(error.what(), "Not Assigned Expression Property");
    }
    engine.SetExpression("a");
    engine.SetExpression("");
    EXPECT_THROW(engine.Exec("a"), ERegex);
    EXPECT_EQ(engine.LastErrorCode(), 1003);
}

TEST(UsageErrors, ModifierIndexAndText)
{
    TRegex engine;
    try {
        engine.SetModifier(7, true);
        ADD_FAILURE() << "no error";
    } catch (const ERegex& error) {
        EXPECT_EQ(error.ErrorCode(), 1013);
        EXPECT_STREQ(error.what(), "Unknown error");
    }
    EXPECT_THROW(engine.Modifier(0), ERegex);
    // The letters before the bad one have taken effect.
    EXPECT_THROW(engine.SetModifierText("i-gq"), ERegex);
    EXPECT_TRUE(engine.Modifier(TRegex::kModI));
    EXPECT_FALSE(engine.Modifier(TRegex::kModG));
}

TEST(UsageErrors, PairedSeparatorMustBeTwoDifferentCharacters)
{
    TRegex engine;
    for (const char* bad : { "aa", "a", "abc" }) {
        try {
            engine.SetLinePairedSeparator(bad);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const ERegex& error) {
            EXPECT_EQ(error.ErrorCode(), 128);
            EXPECT_EQ(error.ErrorOffset(), 0);
            EXPECT_STREQ(error.what(),
                         "LinePairedSeparator must countain two different chars or no chars at all (pos 0)");
        }
        EXPECT_EQ(engine.LinePairedSeparator(), "\r\n");
    }
}

TEST(RunTimeErrors, SearchBoundsAndOrder)
{
    TRegex engine;
    engine.SetExpression("a");
    auto codeOf = [&](auto action) {
        try {
            action();
        } catch (const ERegex& error) {
            EXPECT_EQ(error.ErrorOffset(), 0);
            return error.ErrorCode();
        }
        return 0;
    };
    EXPECT_EQ(codeOf([&] { engine.ExecPos(1); }), 1005);
    EXPECT_EQ(codeOf([&] { engine.Substitute("$0"); }), 1005);
    EXPECT_EQ(codeOf([&] { engine.ExecNext(); }), 1007);
    engine.SetInputString("ba");
    EXPECT_EQ(codeOf([&] { engine.ExecPos(0); }), 1006);
    EXPECT_EQ(codeOf([&] { engine.ExecNext(); }), 1007);
    EXPECT_TRUE(engine.ExecPos(1));
    EXPECT_FALSE(engine.ExecNext());
    EXPECT_EQ(codeOf([&] { engine.ExecNext(); }), 1007);
}

TEST(RunTimeErrors, MessagesOfRunTimeCodesHaveNoPosition)
{
    TRegex engine;
    const std::pair<int, const char*> texts[] = {
        { 0, "No errors" },
        { 1000, "RegRepeat Called Inappropriately" },
        { 1005, "No Inpit String Specified" },
        { 1006, "Offset Must Be Greater Then 0" },
        { 1007, "ExecNext Without Exec[Pos]" },
        { 1014, "Loop Stack Exceeded" },
        { 1015, "Loop Without LoopEntry !" },
        { 119, "RarseAtom Internal Disaster" },
        { 126, "If you want take part in beta-testing BRACES '{min,max}' and non-greedy ops '*?', '+?', "
               "'?" "?' for complex cases - switch complex braces on" },
        { 1013, "Unknown error" },
        { 99, "Unknown error" },
    };
    for (const auto& [code, text] : texts)
        EXPECT_EQ(engine.ErrorText(code), text) << code;
    engine.SetInputString("x");
    try {
        engine.SetExpression("x");
        engine.ExecPos(-5);
        ADD_FAILURE() << "no error";
    } catch (const ERegex& error) {
        EXPECT_STREQ(error.what(), "Offset Must Be Greater Then 0");
    }
}

std::string nestedLoops(int depth)
{
    std::string pattern = "a";
    for (int i = 0; i < depth; ++i)
        pattern = "(" + pattern + "){1,2}";
    return pattern;
}

TEST(RunTimeErrors, ElevenNestedComplexRepetitionsExceedTheLoopStack)
{
    EXPECT_EQ(Describe(nestedLoops(10), "", "a"),
              "1:a 1=1:a 2=1:a 3=1:a 4=1:a 5=1:a 6=1:a 7=1:a 8=1:a 9=1:a 10=1:a");
    EXPECT_EQ(Describe(nestedLoops(11), "", "a"), "E1014@0");
}

// The error routine is the one place that raises; a descendant may replace the texts.
class LocalisedRegex : public TRegex {
public:
    std::string ErrorText(int code) const override { return "E" + std::to_string(code); }
};

TEST(ErrorRoutine, DescendantTextsReachTheException)
{
    LocalisedRegex engine;
    engine.SetExpression("(");
    try {
        engine.CompileExpression();
        ADD_FAILURE() << "no error";
    } catch (const ERegex& error) {
        EXPECT_STREQ(error.what(), "E103 (pos 1)");
    }
}

} // namespace
} // namespace morvane::regex::test
