// The search operations around the matcher: ExecPos bounds, ExecNext after empty and adjacent
// matches, group results, Substitute forms, properties (modifier text, expression, paired
// separator) and recompilation when settings change.

#include "RegexTestSupport.h"
#include "regex/LiteralScan.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace morvane::regex::test {
namespace {

TEST(ExecPos, Bounds)
{
    TRegex engine;
    engine.SetExpression("a");
    engine.SetInputString("aba");
    EXPECT_TRUE(engine.ExecPos(2));
    EXPECT_EQ(engine.GroupStart(0), 3);
    EXPECT_TRUE(engine.ExecPos(3));
    EXPECT_FALSE(engine.ExecPos(4)); // length + 1: runs, attempts nothing
    EXPECT_FALSE(engine.ExecPos(5)); // beyond: no match
    EXPECT_EQ(engine.GroupStart(0), -1);
    EXPECT_THROW(engine.ExecPos(0), ERegex);
}

TEST(ExecPos, AnchoredProgramIsTriedOnceAtTheOffset)
{
    TRegex engine;
    engine.SetModifier(TRegex::kModM, false);
    engine.SetExpression("^");
    engine.SetInputString("ab");
    EXPECT_TRUE(engine.ExecPos(1));
    EXPECT_FALSE(engine.ExecPos(2));
    EXPECT_FALSE(engine.ExecPos(3));
    engine.SetInputString("");
    EXPECT_TRUE(engine.ExecPos(1));
    EXPECT_EQ(engine.GroupLength(0), 0);
}

TEST(ExecNext, AdjacentAndEmptyMatches)
{
    TRegex engine;
    engine.SetExpression("a*");
    ASSERT_TRUE(engine.Exec("aab"));
    EXPECT_EQ(engine.GroupLength(0), 2);
    EXPECT_FALSE(engine.ExecNext());
    engine.SetExpression("ab");
    EXPECT_EQ(Describe(engine, "ababab"), "1:ab | 3:ab | 5:ab");
}

TEST(ExecNext, FailedSearchClearsResults)
{
    TRegex engine;
    engine.SetExpression("(b)");
    ASSERT_TRUE(engine.Exec("ab"));
    EXPECT_FALSE(engine.ExecNext());
    for (int n = 0; n < 2; ++n) {
        EXPECT_EQ(engine.GroupStart(n), -1);
        EXPECT_EQ(engine.GroupLength(n), -1);
        EXPECT_EQ(engine.GroupText(n), "");
    }
    EXPECT_THROW(engine.ExecNext(), ERegex);
}

TEST(Groups, OutOfRangeAndUnset)
{
    TRegex engine;
    engine.SetExpression("(a)|(b)");
    ASSERT_TRUE(engine.Exec("xb"));
    EXPECT_EQ(engine.GroupStart(0), 2);
    EXPECT_EQ(engine.GroupStart(1), -1);
    EXPECT_EQ(engine.GroupStart(2), 2);
    EXPECT_EQ(engine.GroupText(2), "b");
    for (const int n : { -1, 3, 14, 15, 100 }) {
        EXPECT_EQ(engine.GroupStart(n), -1) << n;
        EXPECT_EQ(engine.GroupLength(n), -1) << n;
    }
    // A new subject clears the registers.
    engine.SetInputString("b");
    EXPECT_EQ(engine.GroupStart(0), -1);
}

TEST(Groups, SubjectIsAPrivateCopy)
{
    TRegex engine;
    engine.SetExpression("b+");
    std::string text = "abbc";
    ASSERT_TRUE(engine.Exec(text));
    text.assign("zzzz");
    EXPECT_EQ(engine.GroupText(0), "bb");
    EXPECT_EQ(engine.InputString(), "abbc");
}

// A borrowed subject is searched where it lies: changes to the caller's characters show in
// later searches and group texts, it ends at its first NUL like a copy, and a temporary cannot
// be lent at all.
template <typename Text>
constexpr bool kLendable = requires(TRegex& e, Text&& text) { e.SetInputView(std::forward<Text>(text)); };
static_assert(kLendable<std::string&> && !kLendable<std::string>);

TEST(Groups, SubjectViewIsTheCallersText)
{
    TRegex engine;
    engine.SetExpression("b+");
    std::string text = "abbc";
    engine.SetInputView(text);
    EXPECT_EQ(engine.InputString().data(), text.data());
    ASSERT_TRUE(engine.ExecPos(1));
    text[0] = 'b';
    EXPECT_EQ(engine.GroupText(0), "bb");
    ASSERT_TRUE(engine.ExecPos(1));
    EXPECT_EQ(engine.GroupStart(0), 1);
    EXPECT_EQ(engine.GroupText(0), "bbb");
    EXPECT_FALSE(engine.ExecNext());

    std::string withNul("xb\0bb", 5);
    withNul[2] = '\0';
    engine.SetInputView(withNul);
    EXPECT_EQ(engine.InputString(), "xb");
    ASSERT_TRUE(engine.ExecPos(1));
    EXPECT_EQ(engine.GroupText(0), "b");
    EXPECT_FALSE(engine.ExecNext());

    ASSERT_TRUE(engine.Exec("abbc")); // a copy again
    withNul.assign("zzz");
    EXPECT_EQ(engine.InputString(), "abbc");
}

// Every match of `pattern` through ExecNext, as "start:length" of group 0.
std::string allMatches(TRegex& engine, const std::string& pattern, const std::string& subject)
{
    engine.SetExpression(pattern);
    std::string out;
    for (bool found = engine.Exec(subject); found; found = engine.ExecNext())
        out += std::to_string(engine.GroupStart(0)) + ":" + std::to_string(engine.GroupLength(0)) + " ";
    return out;
}

// Patterns whose matches begin with a literal or at a line start are searched by scanning for
// the literal's rarest character or for line ends. A leading empty group hides that shape from
// the search without changing any match, so both spellings must give the same matches, with
// every setting of line separators and pairs.
TEST(StartScans, AgreeWithTryingEveryStart)
{
    const char* patterns[] = { "^a", "^ab*", "^\\s*<", "^.", "^[^a]", "(?-s)^.*", "ab", "bA", "(?i)ab",
        "(?i)\xe0" "b\xc0", "\\bab", "\\Bba", "(?i)\\bba", "a", "(?i)a", ";\r", "\r\n", "(a)b", "abA",
        "(?i)bAb", "aa", "ab<", "(?i)<A\xe0" "b", "\\bab\\b", "(?i)\\Bab\\b", "\\bba(\\B)", "\\b\\Bab", "ab\\b\\B", "\\bab+\\b", "(?i)\\b\xe0" "b\\b" };
    // Word characters: the usual ones; ones whose other case is not one ("a" but not "A"); and
    // so many kinds that blocks cannot test them and starts are tested one by one.
    const struct {
        const char* separators;
        const char* pair;
        const char* wordChars = nullptr;
    } settings[] = { { "\r\n", "\r\n" }, { "\r\n", "" }, { "\n", "\r\n" }, { ";", "\r\n" }, { "", "ab" },
        { "ab;\n", "\n;" }, { "\r\n", "\r\n", "ab<" }, { "\r\n", "\r\n", "aB\xe0\x01\x12\x23\x34\x56\x67\x78\x89\x9a" } };
    std::mt19937 random(15);
    // Every kind of block scan the processor offers, the plain one included.
    for (const ScanLevel level : { ScanLevel::Plain, ScanLevel::Sse2, ScanLevel::Avx2 }) {
    SetLiteralScanLevel(level);
    for (const auto& setting : settings) {
        TRegex engine;
        engine.SetLineSeparatorChars(setting.separators);
        engine.SetLinePairedSeparator(setting.pair);
        if (setting.wordChars)
            engine.SetWordChars(setting.wordChars);
        for (int round = 0; round < 200; ++round) {
            std::string subject;
            // Several blocks of 32 starts, and tails; every other subject is mostly blanks, so
            // that the scan also leaps over stretches without the literal's rarest character.
            const size_t length = random() % 200;
            const bool sparse = round % 2 == 1;
            for (size_t i = 0; i < length; ++i)
                subject.push_back(sparse && random() % 16 != 0 ? ' ' : "abAB<; \r\n\xe0\xc0"[random() % 11]);
            for (const char* pattern : patterns) {
                const std::string direct = allMatches(engine, pattern, subject);
                EXPECT_EQ(direct, allMatches(engine, std::string("(|)") + pattern, subject))
                    << "/" << pattern << "/ on \"" << Visible(subject) << "\" with separators \""
                    << Visible(setting.separators) << "\" at scan level " << int(level);
            }
        }
    }
    }
    SetLiteralScanLevel(ScanLevel::Best);
}

// A pattern that is a literal alone is matched by the start scan without the matcher; its
// match must still say that it has no groups, whatever the pattern before it had, while a
// group anywhere keeps the matcher in the work.
TEST(StartScans, ALiteralAloneSetsNoGroups)
{
    const struct {
        const char* pattern;
        int group1Start;
    } cases[] = { { "\\bab", -1 }, { "(?i)AB\\b", -1 }, { "ab()", 5 }, { "(ab)", 3 }, { "\\b(?#x)ab", -1 } };
    for (const auto& c : cases) {
        TRegex engine;
        engine.SetExpression("(x)( )");
        ASSERT_TRUE(engine.Exec("x ab"));
        ASSERT_EQ(engine.GroupStart(2), 2);
        engine.SetExpression(c.pattern);
        ASSERT_TRUE(engine.Exec("x ab")) << c.pattern;
        EXPECT_EQ(engine.GroupStart(0), 3) << c.pattern;
        EXPECT_EQ(engine.GroupLength(0), 2) << c.pattern;
        EXPECT_EQ(engine.GroupStart(1), c.group1Start) << c.pattern;
        EXPECT_EQ(engine.GroupStart(2), -1) << c.pattern;
        EXPECT_FALSE(engine.ExecNext()) << c.pattern;
    }
}

TEST(StartScans, CountingALiteralsMatchesGivesWhatExecNextFinds)
{
    // Overlapping candidates ("aa" in "aaaaa"), boundaries, either case, a one-character
    // literal, matches in blocks and in the tail; and limits that stop on a match, whose state
    // must be the one ExecNext leaves there. Patterns that are not a lone literal are refused.
    // Each scan level finds the candidates of whole blocks its own way.
    std::string words;
    for (int i = 0; i < 300; ++i)
        words += i % 7 == 0 ? "the " : i % 5 == 0 ? "there " : i % 3 == 0 ? "The " : "other ";
    struct Case {
        const char* pattern;
        std::string subject;
    };
    std::vector<Case> cases = { { "aa", "aaaaa aa aaa" }, { "\\bthe\\b", words }, { "(?i)\\bthe\\b", words },
        { "the", words }, { "e", words }, { "\\Bhe", words },
        { "ab", std::string(100, 'x') + "ab" + std::string(40, 'x') + "abab" }, { "aa", std::string(200, 'a') } };
    // A candidate cut short by the subject's end, at every place in the last blocks.
    for (int pad = 0; pad < 40; ++pad)
        cases.push_back({ "zeez", "zeez zeez " + std::string(std::size_t(pad), 'x') + "zee" });
    for (const ScanLevel level : { ScanLevel::Plain, ScanLevel::Sse2, ScanLevel::Avx2, ScanLevel::Best })
    for (const auto& c : cases) {
        SetLiteralScanLevel(level);
        for (const int limit : { 1, 2, 7, 1000 }) {
            SCOPED_TRACE(std::string(c.pattern) + " limit " + std::to_string(limit) + " level "
                + std::to_string(static_cast<int>(level)));
            TRegex counting;
            TRegex stepping;
            counting.SetExpression(c.pattern);
            stepping.SetExpression(c.pattern);
            const std::string subject = "zz " + c.subject;
            counting.SetInputView(subject);
            stepping.SetInputView(subject);
            ASSERT_TRUE(counting.ExecPos(1));
            ASSERT_TRUE(stepping.ExecPos(1));
            int total = 0;
            for (;;) {
                const std::optional<int> more = counting.CountNextLiteralMatches(limit);
                ASSERT_TRUE(more.has_value());
                int stepped = 0;
                while (stepped < limit && stepping.ExecNext())
                    ++stepped;
                ASSERT_EQ(*more, stepped);
                EXPECT_EQ(counting.GroupStart(0), stepping.GroupStart(0));
                EXPECT_EQ(counting.GroupLength(0), stepping.GroupLength(0));
                total += *more;
                if (*more < limit)
                    break;
            }
            EXPECT_GT(total, 0);
        }
    }
    for (const char* other : { "t(h)e", "th+e", "^the", "the|other" }) {
        TRegex engine;
        engine.SetExpression(other);
        engine.SetInputView(words);
        ASSERT_TRUE(engine.ExecPos(1)) << other;
        const int start = engine.GroupStart(0);
        EXPECT_FALSE(engine.CountNextLiteralMatches(10).has_value()) << other;
        EXPECT_EQ(engine.GroupStart(0), start) << other;
    }
}

struct SubstituteCase {
    const char* templateText;
    const char* expected;
};

class Substitution : public ::testing::TestWithParam<SubstituteCase> {};

TEST_P(Substitution, ExpandsTemplate)
{
    TRegex engine;
    engine.SetExpression("(b)(c)?");
    ASSERT_TRUE(engine.Exec("abd"));
    EXPECT_EQ(engine.Substitute(GetParam().templateText), GetParam().expected) << GetParam().templateText;
}

const SubstituteCase kSubstituteCases[] = {
    { "<$1>", "<b>" },
    { "$0", "b" },
    { "$&", "b" },
    { "${}", "b" },
    { "${1}x", "bx" },
    { "$01", "b" },
    { "$2|$3|$15|$99999999999", "|||" },
    { "\\$1", "$1" },
    { "a\\tb\\r\\n\\\\", "a\tb\r\n\\" },
    { "\\q", "q" },
    { "x$", "x$" },
    { "$x", "$x" },
    { "${1", "${1" },
    { "${x}", "${x}" },
    { "${&}", "b" },
    { "x\\", "x\\" },
    { "", "" },
    { "$1$1$&", "bbb" },
};
INSTANTIATE_TEST_SUITE_P(Templates, Substitution, ::testing::ValuesIn(kSubstituteCases));

TEST(Substitute, WithoutMatchGroupsAreEmpty)
{
    TRegex engine;
    engine.SetExpression("z");
    EXPECT_FALSE(engine.Exec("abc"));
    EXPECT_EQ(engine.Substitute("[$0]"), "[]");
}

TEST(Properties, ModifierText)
{
    TRegex engine;
    EXPECT_EQ(engine.ModifierText(), "mgsr-ix");
    engine.SetModifierText("i-g");
    EXPECT_EQ(engine.ModifierText(), "msri-gx");
    engine.SetModifierText("-irsgmx");
    EXPECT_EQ(engine.ModifierText(), "-irsgmx");
    engine.SetModifierText("IRSGMX");
    EXPECT_EQ(engine.ModifierText(), "xmgsri");
    engine.SetModifierText("");
    EXPECT_EQ(engine.ModifierText(), "xmgsri");
    engine.SetModifierText("-i-x");
    EXPECT_EQ(engine.ModifierText(), "mgsr-ix");
    EXPECT_TRUE(engine.Modifier(TRegex::kModR));
    EXPECT_FALSE(engine.Modifier(TRegex::kModX));
}

TEST(Properties, Defaults)
{
    TRegex engine;
    EXPECT_EQ(engine.Expression(), "");
    EXPECT_EQ(engine.SpaceChars(), std::string(" \t\n\r\f"));
    EXPECT_EQ(engine.WordChars(), "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_");
    EXPECT_EQ(engine.LineSeparatorChars(), "\r\n");
    EXPECT_EQ(engine.LinePairedSeparator(), "\r\n");
    EXPECT_TRUE(engine.ProgramBytes().empty());
}

TEST(Properties, ExpressionEndsAtNulAndChangesDropTheProgram)
{
    TRegex engine;
    engine.SetExpression(std::string("ab\0cd", 5));
    EXPECT_EQ(engine.Expression(), "ab");
    engine.CompileExpression();
    const std::string program(engine.ProgramBytes());
    engine.SetExpression("ab");
    EXPECT_EQ(engine.ProgramBytes(), program); // same text after success: nothing happens
    engine.SetExpression("abc");
    EXPECT_TRUE(engine.ProgramBytes().empty());
    engine.CompileExpression();
    engine.SetLinePairedSeparator("\r\n");
    EXPECT_FALSE(engine.ProgramBytes().empty()); // the same pair again changes nothing
    engine.SetLinePairedSeparator("\n\r");
    EXPECT_TRUE(engine.ProgramBytes().empty());
}

TEST(Properties, ModifierChangeRecompilesAtTheNextSearch)
{
    TRegex engine;
    engine.SetExpression("ab");
    EXPECT_FALSE(engine.Exec("AB"));
    engine.SetModifier(TRegex::kModI, true);
    EXPECT_TRUE(engine.Exec("AB"));
    EXPECT_EQ(DumpProgram(engine.ProgramBytes()), "1 BRANCH +13 | 6 EXACTLYCI +8 \"ab\" | 14 END 0");
}

TEST(Properties, SpaceAndWordCharsTakeEffectAtTheNextCompilation)
{
    TRegex engine;
    engine.SetExpression("\\s");
    EXPECT_TRUE(engine.Exec(" "));
    engine.SetSpaceChars("_");
    EXPECT_TRUE(engine.Exec(" ")); // the program was not dropped
    engine.CompileExpression();
    EXPECT_FALSE(engine.Exec(" "));
    EXPECT_TRUE(engine.Exec("_"));
}

TEST(Properties, PairRemovedLeavesLineAnchorsWhileSeparatorsExist)
{
    TRegex engine;
    engine.SetLinePairedSeparator("");
    engine.SetExpression("^");
    engine.CompileExpression();
    EXPECT_EQ(DumpProgram(engine.ProgramBytes()), "1 BRANCH +10 | 6 LINESTART +5 | 11 END 0");
    engine.SetLineSeparatorChars("");
    engine.SetLinePairedSeparator("\r\n");
    engine.SetLinePairedSeparator("");
    engine.CompileExpression();
    EXPECT_EQ(DumpProgram(engine.ProgramBytes()), "1 BRANCH +10 | 6 INPUTSTART +5 | 11 END 0");
}

TEST(QuoteMetaChars, EscapesTheFourteenCharacters)
{
    EXPECT_EQ(TRegex::QuoteMetaChars("^$.[()|?+*\\{]}"), "\\^\\$\\.\\[\\(\\)\\|\\?\\+\\*\\\\\\{\\]\\}");
    EXPECT_EQ(TRegex::QuoteMetaChars(W("a-b ж#")), W("a-b ж#"));
    // A quoted text matches itself.
    const std::string text = "a+b (c) [d] {1,2} $5.^|?*\\";
    TRegex engine;
    engine.SetExpression(TRegex::QuoteMetaChars(text));
    ASSERT_TRUE(engine.Exec("x" + text));
    EXPECT_EQ(engine.GroupText(0), text);
}

} // namespace
} // namespace morvane::regex::test
