// Black-box checks of the engine's errors: which code each malformed pattern raises, the exact
// message (historic misspellings included), the pattern offset carried by the error where the
// parse position is fixed by the pattern itself (errors at the end of the pattern, stray ")", the
// fifteenth group), and the run-time and usage errors, which carry offset 0 and no suffix.

#include "regex/ERegex.h"
#include "regex/TRegex.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace morvane::regex {
namespace {

using namespace std::string_literals;

template <class F> std::optional<ERegex> Raised(F&& f)
{
    try {
        f();
    } catch (const ERegex& e) {
        return e;
    }
    return std::nullopt;
}

constexpr int kAnyOffset = -1;

std::string Repeat(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

struct CompileErrorCase {
    std::string pattern;
    std::string modifiers;
    int code;
    int offset; // kAnyOffset where the pattern does not fix the parse position
    std::string text;
};

const std::string k103 = "ParseReg Unmatched ()";
const std::string k106 = "*+ Operand Could Be Empty";
const std::string k107 = "Nested *?+";
const std::string k113 = "Unmatched []";
const std::string k115 = "?+*{ Follows Nothing";
const std::string k127 = "Urecognized Modifier";

const CompileErrorCase kCompileErrors[] = {
    { "(", "", 103, 1, k103 },
    { "(a", "", 103, 2, k103 },
    { "((a)", "", 103, 4, k103 },
    { "(a|b", "", 103, 4, k103 },
    { ")", "", 104, 0, "ParseReg Unmatched ()" },
    { "a)", "", 104, 1, "ParseReg Unmatched ()" },
    { "a|b)c", "", 104, 3, "ParseReg Unmatched ()" },
    { "(?#a(b)c)", "", 104, 8, "ParseReg Unmatched ()" },
    { "a**", "", 107, kAnyOffset, k107 },
    { "a{2}{3}", "", 107, kAnyOffset, k107 },
    { "a*{x}", "", 107, kAnyOffset, k107 },
    { "a+?*", "", 107, kAnyOffset, k107 },
    { "a???", "", 107, kAnyOffset, k107 },
    { "(a)*+", "", 107, kAnyOffset, k107 },
    { "a{1,2}{", "", 107, kAnyOffset, k107 },
    { "a*{", "", 107, kAnyOffset, k107 },
    { "a{2}??", "", 107, kAnyOffset, k107 },
    { "a+??", "-g", 107, kAnyOffset, k107 },
    { "a{2,1}", "", 124, kAnyOffset, "BRACE Min Param Greater then Max" },
    { "a{123456789}", "", 122, kAnyOffset, "BRACES Argument Too Big" },
    { "a{000000001}", "", 122, kAnyOffset, "BRACES Argument Too Big" },
    { "a{1,123456789}", "", 122, kAnyOffset, "BRACES Argument Too Big" },
    { "*a", "", 115, kAnyOffset, k115 },
    { "+", "", 115, kAnyOffset, k115 },
    { "?", "", 115, kAnyOffset, k115 },
    { "a|*", "", 115, kAnyOffset, k115 },
    { "(*)", "", 115, kAnyOffset, k115 },
    { "(?i)*", "", 106, kAnyOffset, k106 },
    { "^*", "", 106, kAnyOffset, k106 },
    { "^{2}", "", 106, kAnyOffset, k106 },
    { "(?i){2}", "", 106, kAnyOffset, k106 },
    { "$+", "", 106, kAnyOffset, k106 },
    { "\\b{2}", "", 106, kAnyOffset, k106 },
    { "(a*)*", "", 106, kAnyOffset, k106 },
    { "(a|)+", "", 106, kAnyOffset, k106 },
    { "(a?){2}", "", 106, kAnyOffset, k106 },
    { "(a{0})*", "", 106, kAnyOffset, k106 },
    { "()*", "", 106, kAnyOffset, k106 },
    { "(){2}", "", 106, kAnyOffset, k106 },
    { "(a|^)+", "", 106, kAnyOffset, k106 },
    { "(a|b?)*", "", 106, kAnyOffset, k106 },
    { "(?#c)+", "", 106, kAnyOffset, k106 },
    { "a *", "x", 106, kAnyOffset, k106 },
    { "a {2}", "x", 106, kAnyOffset, k106 },
    { "a\\", "", 116, 2, "Trailing \\" },
    { "\\", "", 116, 1, "Trailing \\" },
    { "[a", "", 113, 2, k113 },
    { "[", "", 113, 1, k113 },
    { "[]", "", 113, 2, k113 },
    { "[^]", "", 113, 3, k113 },
    { "[a-", "", 113, 3, k113 },
    { "[\\]", "", 113, 3, k113 },
    { "[\\", "", 110, 2, "Parse Atom Trailing \\" },
    { "[a\\", "", 110, 3, "Parse Atom Trailing \\" },
    { "[z-a]", "", 109, kAnyOffset, "Invalid [] Range" },
    { "[a-\\]]", "", 109, kAnyOffset, "Invalid [] Range" },
    { "[\xE0-\xDF]", "-r", 109, kAnyOffset, "Invalid [] Range" },
    { "(?-r)[\xE0-\xDF]", "", 109, kAnyOffset, "Invalid [] Range" },
    { "\\x4g", "", 108, kAnyOffset, "Bad Hex Digit" },
    { "\\xg1", "", 108, kAnyOffset, "Bad Hex Digit" },
    { "\\x", "", 111, 2, "No Hex Code After \\x" },
    { "\\x4", "", 111, 3, "No Hex Code After \\x" },
    { "\\x{", "", 111, 3, "No Hex Code After \\x" },
    { "\\x{4", "", 111, 4, "No Hex Code After \\x" },
    { "[\\x4g]", "", 108, kAnyOffset, "Bad Hex Digit" },
    { "[\\x", "", 111, 3, "No Hex Code After \\x" },
    { "[a\\x{4", "", 111, 6, "No Hex Code After \\x" },
    { "[\\x{100}]", "", 112, kAnyOffset, "Hex Code After \\x Is Too Big" },
    { "\\x{100}", "", 112, kAnyOffset, "Hex Code After \\x Is Too Big" },
    { "\\x{0fff}", "", 112, kAnyOffset, "Hex Code After \\x Is Too Big" },
    { "(?#abc", "", 125, kAnyOffset, "Unclosed (?#Comment)" },
    { "(?z)", "", 127, kAnyOffset, k127 },
    { "(?i", "", 127, kAnyOffset, k127 },
    { "(?:a)", "", 127, kAnyOffset, k127 },
    { "(?=a)", "", 127, kAnyOffset, k127 },
    { "(?<n>a)", "", 127, kAnyOffset, k127 },
    { Repeat("(a)", 15), "", 102, 43, "ParseReg Too Many ()" },
    { Repeat("(", 15), "", 102, 15, "ParseReg Too Many ()" },
};

class BlackBoxCompileError : public ::testing::TestWithParam<CompileErrorCase> { };

TEST_P(BlackBoxCompileError, CodeOffsetAndMessage)
{
    const CompileErrorCase& c = GetParam();
    TRegex re;
    if (!c.modifiers.empty())
        re.SetModifierText(c.modifiers);
    re.SetExpression(c.pattern);
    const auto e = Raised([&] { re.CompileExpression(); });
    ASSERT_TRUE(e.has_value()) << "pattern " << c.pattern << " compiled";
    EXPECT_EQ(e->ErrorCode(), c.code) << "pattern " << c.pattern << ": " << e->what();
    if (c.offset != kAnyOffset) {
        EXPECT_EQ(e->ErrorOffset(), c.offset) << "pattern " << c.pattern;
    }
    EXPECT_EQ(std::string(e->what()), c.text + " (pos " + std::to_string(e->ErrorOffset()) + ")")
        << "pattern " << c.pattern;
    EXPECT_EQ(re.LastErrorCode(), c.code);
    EXPECT_EQ(re.LastErrorCode(), 0) << "reading the last error resets it";
    EXPECT_EQ(re.ErrorOffset(), 0) << "no compilation in progress";
    EXPECT_TRUE(re.ProgramBytes().empty()) << "a failed compilation leaves no program";
}

INSTANTIATE_TEST_SUITE_P(BlackBoxPatterns, BlackBoxCompileError, ::testing::ValuesIn(kCompileErrors));

// Patterns near the error cases that must compile.
const std::string kAccepted[] = {
    "(?)a",
    "(?-)a",
    "(?iI-iI)a",
    "a{12345678}",
    "a{00000001}",
    "(a){0}",
    "a{0,12345678}",
    "a{0,}",
    "a??",
    "a{2,3}?",
    "^?",
    "\\b?",
    "(a{0,5})*",
    "()?",
    "(a|)?",
    "\\1*(a)",
    "\\x{}",
    "\\x{00FF}",
    "\\xfF",
    "{",
    "{2}",
    "a{",
    "a{1,",
    "a{x}",
    "a{,2}",
    "]}",
    "[]a]",
    "[^]a]",
    "[a-]",
    "[-a]",
    "[\\d-z]",
    "[a-\\w]",
    "[\xE0-\xDF]",
    "(?x)a # no closing line end",
    Repeat("(a)", 14),
};

class BlackBoxAccepted : public ::testing::TestWithParam<std::string> { };

TEST_P(BlackBoxAccepted, Compiles)
{
    TRegex re;
    re.SetExpression(GetParam());
    const auto e = Raised([&] { re.CompileExpression(); });
    EXPECT_FALSE(e.has_value()) << GetParam() << ": " << (e ? e->what() : "");
    EXPECT_FALSE(re.ProgramBytes().empty());
    EXPECT_EQ(re.LastErrorCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(BlackBoxPatterns, BlackBoxAccepted, ::testing::ValuesIn(kAccepted));

// Run-time and usage errors: no position suffix, offset 0.

void ExpectUsageError(const std::optional<ERegex>& e, int code, const std::string& text)
{
    ASSERT_TRUE(e.has_value()) << "expected error " << code;
    EXPECT_EQ(e->ErrorCode(), code);
    EXPECT_EQ(e->ErrorOffset(), 0);
    EXPECT_EQ(std::string(e->what()), text);
}

TEST(BlackBoxUsageError, UnsetExpression)
{
    const std::string text = "Not Assigned Expression Property";
    TRegex re;
    ExpectUsageError(Raised([&] { re.CompileExpression(); }), 1003, text);
    EXPECT_EQ(re.LastErrorCode(), 1003);
    ExpectUsageError(Raised([&] { re.Exec("abc"); }), 1003, text);
    EXPECT_EQ(re.InputString(), "abc") << "Exec assigns the subject before it searches";
    ExpectUsageError(Raised([&] { re.Substitute("$0"); }), 1003, text);

    re.SetExpression("a");
    re.CompileExpression();
    re.SetExpression("");
    EXPECT_EQ(re.Expression(), "");
    ExpectUsageError(Raised([&] { re.CompileExpression(); }), 1003, text);
}

TEST(BlackBoxUsageError, NoSubject)
{
    TRegex re;
    re.SetExpression("a");
    ExpectUsageError(Raised([&] { re.ExecPos(1); }), 1005, "No Inpit String Specified");
    ExpectUsageError(Raised([&] { re.ExecPos(0); }), 1005, "No Inpit String Specified");
    ExpectUsageError(Raised([&] { re.Substitute("x"); }), 1005, "No Inpit String Specified");
}

TEST(BlackBoxUsageError, OffsetBelowOne)
{
    TRegex re;
    re.SetExpression("a");
    re.SetInputString("aaa");
    ExpectUsageError(Raised([&] { re.ExecPos(0); }), 1006, "Offset Must Be Greater Then 0");
    ExpectUsageError(Raised([&] { re.ExecPos(-5); }), 1006, "Offset Must Be Greater Then 0");
    EXPECT_EQ(re.LastErrorCode(), 1006);
}

TEST(BlackBoxUsageError, ExecNextWithoutCurrentMatch)
{
    const std::string text = "ExecNext Without Exec[Pos]";
    TRegex re;
    re.SetExpression("a");
    ExpectUsageError(Raised([&] { re.ExecNext(); }), 1007, text);
    EXPECT_FALSE(re.Exec("bbb"));
    ExpectUsageError(Raised([&] { re.ExecNext(); }), 1007, text);
    EXPECT_TRUE(re.Exec("bab"));
    re.SetInputString("bab");
    ExpectUsageError(Raised([&] { re.ExecNext(); }), 1007, text);
    EXPECT_TRUE(re.Exec("a"));
    EXPECT_FALSE(re.ExecNext());
    ExpectUsageError(Raised([&] { re.ExecNext(); }), 1007, text);
}

TEST(BlackBoxUsageError, BadModifierIndexOrText)
{
    TRegex re;
    ExpectUsageError(Raised([&] { re.SetModifier(0, true); }), 1013, "Unknown error");
    ExpectUsageError(Raised([&] { re.SetModifier(7, true); }), 1013, "Unknown error");
    ExpectUsageError(Raised([&] { (void)re.Modifier(0); }), 1013, "Unknown error");
    ExpectUsageError(Raised([&] { (void)re.Modifier(7); }), 1013, "Unknown error");
    ExpectUsageError(Raised([&] { re.SetModifierText("q"); }), 1013, "Unknown error");
    EXPECT_EQ(re.ModifierText(), "mgsr-ix");
    // The letters before the bad character have already taken effect.
    ExpectUsageError(Raised([&] { re.SetModifierText("i-gq"); }), 1013, "Unknown error");
    EXPECT_EQ(re.ModifierText(), "msri-gx");
    EXPECT_EQ(re.LastErrorCode(), 1013);
}

TEST(BlackBoxUsageError, BadPairedSeparator)
{
    const std::string text
        = "LinePairedSeparator must countain two different chars or no chars at all (pos 0)";
    for (const std::string bad : { "aa", "a", "abc", "\r\r" }) {
        TRegex re;
        ExpectUsageError(Raised([&] { re.SetLinePairedSeparator(bad); }), 128, text);
        EXPECT_EQ(re.LinePairedSeparator(), "\r\n") << "a bad value changes nothing";
        EXPECT_EQ(re.LastErrorCode(), 128);
    }
}

std::string NestedLoops(int depth)
{
    return Repeat("(", depth) + "a" + Repeat("){1,2}", depth);
}

TEST(BlackBoxUsageError, LoopStackExceeded)
{
    TRegex ten;
    ten.SetExpression(NestedLoops(10));
    EXPECT_TRUE(ten.Exec("a"));
    EXPECT_EQ(ten.GroupLength(0), 1);

    TRegex eleven;
    eleven.SetExpression(NestedLoops(11));
    eleven.CompileExpression();
    ExpectUsageError(Raised([&] { eleven.Exec("a"); }), 1014, "Loop Stack Exceeded");
    // The same depth is reached only when every loop is entered: no "a", no attempt.
    EXPECT_FALSE(eleven.Exec("b"));
}

struct ErrorTextCase {
    int code;
    std::string text;
};

const ErrorTextCase kErrorTexts[] = {
    { 0, "No errors" },
    { 100, "Null Argument" },
    { 101, "Regexp Too Big" },
    { 102, "ParseReg Too Many ()" },
    { 103, "ParseReg Unmatched ()" },
    { 104, "ParseReg Unmatched ()" },
    { 105, "ParseReg Junk On End" },
    { 106, "*+ Operand Could Be Empty" },
    { 107, "Nested *?+" },
    { 108, "Bad Hex Digit" },
    { 109, "Invalid [] Range" },
    { 110, "Parse Atom Trailing \\" },
    { 111, "No Hex Code After \\x" },
    { 112, "Hex Code After \\x Is Too Big" },
    { 113, "Unmatched []" },
    { 114, "Internal Urp" },
    { 115, "?+*{ Follows Nothing" },
    { 116, "Trailing \\" },
    { 117, "Unknown error" },
    { 118, "Unknown error" },
    { 119, "RarseAtom Internal Disaster" },
    { 120, "Unknown error" },
    { 121, "Unknown error" },
    { 122, "BRACES Argument Too Big" },
    { 123, "Unknown error" },
    { 124, "BRACE Min Param Greater then Max" },
    { 125, "Unclosed (?#Comment)" },
    { 126,
        "If you want take part in beta-testing BRACES '{min,max}' and non-greedy ops '*?', '+?', '?"
        "?' for complex cases - switch complex braces on" },
    { 127, "Urecognized Modifier" },
    { 128, "LinePairedSeparator must countain two different chars or no chars at all" },
    { 129, "Unknown error" },
    { 1000, "RegRepeat Called Inappropriately" },
    { 1001, "MatchPrim Memory Corruption" },
    { 1002, "MatchPrim Corrupted Pointers" },
    { 1003, "Not Assigned Expression Property" },
    { 1004, "Corrupted Program" },
    { 1005, "No Inpit String Specified" },
    { 1006, "Offset Must Be Greater Then 0" },
    { 1007, "ExecNext Without Exec[Pos]" },
    { 1008, "GetInputString Without InputString" },
    { 1009, "Unknown error" },
    { 1010, "Unknown error" },
    { 1011, "TRegex(dump): Corrupted Opcode" },
    { 1012, "Unknown error" },
    { 1013, "Unknown error" },
    { 1014, "Loop Stack Exceeded" },
    { 1015, "Loop Without LoopEntry !" },
    { -1, "Unknown error" },
    { 99, "Unknown error" },
};

TEST(BlackBoxErrorText, Table)
{
    TRegex re;
    for (const ErrorTextCase& c : kErrorTexts)
        EXPECT_EQ(re.ErrorText(c.code), c.text) << "code " << c.code;
}

class RenamedErrors : public TRegex {
public:
    std::string ErrorText(int code) const override { return "E" + std::to_string(code); }
};

TEST(BlackBoxErrorText, MessagesComeFromTheOverridableText)
{
    RenamedErrors re;
    re.SetExpression("(");
    const auto e = Raised([&] { re.CompileExpression(); });
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(std::string(e->what()), "E103 (pos 1)");
    const auto usage = Raised([&] { re.SetModifier(9, true); });
    ASSERT_TRUE(usage.has_value());
    EXPECT_EQ(std::string(usage->what()), "E1013");
}

TEST(BlackBoxErrorText, FreshEngineHasNoError)
{
    TRegex re;
    EXPECT_EQ(re.LastErrorCode(), 0);
    EXPECT_EQ(re.ErrorOffset(), 0);
}

TEST(BlackBoxErrorText, CaughtAsStandardException)
{
    TRegex re;
    re.SetExpression("(");
    try {
        re.CompileExpression();
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()), "ParseReg Unmatched () (pos 1)");
    }
}

} // namespace
} // namespace morvane::regex
