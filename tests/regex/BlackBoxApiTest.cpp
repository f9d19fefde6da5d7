// Black-box checks of the engine object's properties and of Substitute: defaults of a new object,
// the modifier text in both directions, when the compiled program is kept, dropped and rebuilt,
// the paired separator setter, metacharacter quoting, and every form of group reference and
// escape in a substitution template.

#include "regex/ERegex.h"
#include "regex/TRegex.h"

#include <gtest/gtest.h>

#include <string>

namespace morvane::regex {
namespace {

using namespace std::string_literals;

TEST(BlackBoxApi, Defaults)
{
    TRegex re;
    EXPECT_EQ(re.Expression(), "");
    EXPECT_EQ(re.ModifierText(), "mgsr-ix");
    EXPECT_FALSE(re.Modifier(TRegex::kModI));
    EXPECT_TRUE(re.Modifier(TRegex::kModR));
    EXPECT_TRUE(re.Modifier(TRegex::kModS));
    EXPECT_TRUE(re.Modifier(TRegex::kModG));
    EXPECT_TRUE(re.Modifier(TRegex::kModM));
    EXPECT_FALSE(re.Modifier(TRegex::kModX));
    EXPECT_EQ(re.SpaceChars(), " \t\n\r\f");
    EXPECT_EQ(re.WordChars(), "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_");
    EXPECT_EQ(re.LineSeparatorChars(), "\r\n");
    EXPECT_EQ(re.LinePairedSeparator(), "\r\n");
    EXPECT_TRUE(re.ProgramBytes().empty());
}

struct ModifierTextCase {
    std::string set;
    std::string text;
};

const ModifierTextCase kModifierTexts[] = {
    { "", "mgsr-ix" },
    { "i-g", "msri-gx" },
    { "-irsgmx", "-irsgmx" },
    { "irsgmx", "xmgsri" },
    { "-i-s", "mgr-isx" },
    { "XI", "xmgsri" },
    { "-", "mgsr-ix" },
    { "x", "xmgsr-i" },
    { "-R", "mgs-irx" },
    { "Ii-i", "mgsr-ix" },
};

TEST(BlackBoxApi, ModifierTextFromDefaults)
{
    for (const ModifierTextCase& c : kModifierTexts) {
        TRegex re;
        re.SetModifierText(c.set);
        EXPECT_EQ(re.ModifierText(), c.text) << "set \"" << c.set << '"';
    }
}

TEST(BlackBoxApi, ModifierByIndexAgreesWithText)
{
    TRegex re;
    re.SetModifierText("i-g");
    const bool expected[] = { true, true, true, false, true, false };
    for (int index = 1; index <= 6; ++index)
        EXPECT_EQ(re.Modifier(index), expected[index - 1]) << "index " << index;
    re.SetModifier(TRegex::kModX, true);
    re.SetModifier(TRegex::kModI, false);
    EXPECT_EQ(re.ModifierText(), "xmsr-ig");
}

TEST(BlackBoxApi, ExpressionEndsAtNul)
{
    TRegex re;
    re.SetExpression("a\0b"s);
    EXPECT_EQ(re.Expression(), "a");
    EXPECT_TRUE(re.Exec("xa"));
    EXPECT_EQ(re.GroupLength(0), 1);
}

TEST(BlackBoxApi, ProgramKeptUntilSomethingItDependsOnChanges)
{
    TRegex re;
    re.SetExpression("abc");
    EXPECT_TRUE(re.ProgramBytes().empty()) << "setting the pattern compiles nothing";
    re.CompileExpression();
    const std::string program(re.ProgramBytes());
    ASSERT_EQ(program.size(), 20u);

    re.SetExpression("abc");
    EXPECT_EQ(std::string(re.ProgramBytes()), program);
    re.SetSpaceChars("x");
    re.SetWordChars("x");
    re.SetLineSeparatorChars("x");
    EXPECT_EQ(std::string(re.ProgramBytes()), program);
    re.SetLinePairedSeparator("\r\n");
    EXPECT_EQ(std::string(re.ProgramBytes()), program) << "the same pair is no change";

    re.SetLinePairedSeparator("ab");
    EXPECT_TRUE(re.ProgramBytes().empty());
    re.CompileExpression();
    re.SetLinePairedSeparator("");
    EXPECT_TRUE(re.ProgramBytes().empty());
    EXPECT_EQ(re.LinePairedSeparator(), "");
    re.CompileExpression();
    re.SetLinePairedSeparator("");
    EXPECT_FALSE(re.ProgramBytes().empty()) << "removing a removed pair is no change";

    re.SetExpression("abd");
    EXPECT_TRUE(re.ProgramBytes().empty());
    re.CompileExpression();
    re.SetExpression("");
    EXPECT_TRUE(re.ProgramBytes().empty());
}

TEST(BlackBoxApi, ModifiersTakeEffectAtTheNextSearch)
{
    TRegex re;
    re.SetExpression("abc");
    EXPECT_FALSE(re.Exec("ABC"));
    const std::string program(re.ProgramBytes());
    re.SetModifier(TRegex::kModI, true);
    EXPECT_EQ(std::string(re.ProgramBytes()), program) << "changing a modifier compiles nothing";
    EXPECT_TRUE(re.Exec("ABC"));
    ASSERT_GT(re.ProgramBytes().size(), 6u);
    EXPECT_EQ(static_cast<unsigned char>(re.ProgramBytes()[6]), 20) << "recompiled case-insensitive";
    re.SetModifierText("-i");
    EXPECT_FALSE(re.Exec("ABC"));
}

TEST(BlackBoxApi, FailedCompilationIsRepeated)
{
    TRegex re;
    re.SetExpression("a(");
    EXPECT_THROW(re.CompileExpression(), ERegex);
    re.SetExpression("a(");
    EXPECT_THROW(re.CompileExpression(), ERegex);
    EXPECT_THROW(re.Exec("a"), ERegex);
    EXPECT_TRUE(re.ProgramBytes().empty());
}

TEST(BlackBoxApi, PairedSeparatorSetter)
{
    TRegex re;
    re.SetLinePairedSeparator("ab");
    EXPECT_EQ(re.LinePairedSeparator(), "ab");
    re.SetLinePairedSeparator("\n\r");
    EXPECT_EQ(re.LinePairedSeparator(), "\n\r");
    re.SetLinePairedSeparator("");
    EXPECT_EQ(re.LinePairedSeparator(), "");
}

TEST(BlackBoxApi, QuoteMetaChars)
{
    EXPECT_EQ(TRegex::QuoteMetaChars("^$.[()|?+*\\{]}"), "\\^\\$\\.\\[\\(\\)\\|\\?\\+\\*\\\\\\{\\]\\}");
    EXPECT_EQ(TRegex::QuoteMetaChars("a-b#c d/\xE0"), "a-b#c d/\xE0");
    EXPECT_EQ(TRegex::QuoteMetaChars(""), "");
    EXPECT_EQ(TRegex::QuoteMetaChars("a.b"), "a\\.b");
}

// Substitute after "(b)" matched in "abc".

struct SubstituteCase {
    std::string templateText;
    std::string result;
};

const SubstituteCase kSubstitutions[] = {
    { "<$1>", "<b>" },
    { "$0", "b" },
    { "$&", "b" },
    { "$15", "" },
    { "$3", "" },
    { "$12", "" },
    { "$10", "" },
    { "$4294967297", "" },
    { "${4294967297}", "" },
    { "$18446744073709551617", "" },
    { "$01", "b" },
    { "$0001", "b" },
    { "$1$1", "bb" },
    { "$1a", "ba" },
    { "${1}", "b" },
    { "${1}2", "b2" },
    { "${0}", "b" },
    { "${}", "b" },
    { "${&}", "b" },
    { "${1", "${1" },
    { "${", "${" },
    { "${12x}", "${12x}" },
    { "${&", "${&" },
    { "$x", "$x" },
    { "$-1", "$-1" },
    { "$", "$" },
    { "x$", "x$" },
    { "$$1", "$b" },
    { "$${1}", "$b" },
    { "\\$1", "$1" },
    { "\\${1}", "${1}" },
    { "a\\tb", "a\tb" },
    { "\\r\\n", "\r\n" },
    { "\\\\", "\\" },
    { "\\q", "q" },
    { "a\\", "a\\" },
    { "\\", "\\" },
    { "", "" },
    { "plain text", "plain text" },
    { "\xE0$1\xFF",
        "\xE0"
        "b\xFF" },
};

TEST(BlackBoxSubstitute, Forms)
{
    TRegex re;
    re.SetExpression("(b)");
    ASSERT_TRUE(re.Exec("abc"));
    for (const SubstituteCase& c : kSubstitutions)
        EXPECT_EQ(re.Substitute(c.templateText), c.result) << "template " << c.templateText;
}

TEST(BlackBoxSubstitute, GroupsThatTookNoPart)
{
    TRegex re;
    re.SetExpression("(a)|(b)");
    ASSERT_TRUE(re.Exec("b"));
    EXPECT_EQ(re.Substitute("[$1][$2][$0]"), "[][b][b]");

    re.SetExpression("(b)");
    EXPECT_FALSE(re.Exec("xyz"));
    EXPECT_EQ(re.Substitute("<$1$0>"), "<>");

    re.SetInputString("abc");
    EXPECT_EQ(re.Substitute("<$1>"), "<>");
}

TEST(BlackBoxSubstitute, RecompilingKeepsTheLastMatch)
{
    TRegex re;
    re.SetExpression("(b)");
    ASSERT_TRUE(re.Exec("abc"));
    re.SetModifier(TRegex::kModI, true);
    EXPECT_EQ(re.Substitute("<$1>"), "<b>");
    re.SetExpression("(c)");
    EXPECT_EQ(re.Substitute("<$1>"), "<b>") << "compiling the new pattern leaves the registers alone";
    EXPECT_FALSE(re.ProgramBytes().empty());
}

TEST(BlackBoxSubstitute, EmptyMatch)
{
    TRegex re;
    re.SetExpression("(x*)b");
    ASSERT_TRUE(re.Exec("ab"));
    EXPECT_EQ(re.Substitute("[$1]"), "[]");
    EXPECT_EQ(re.Substitute("$1"), "");
}

} // namespace
} // namespace morvane::regex
