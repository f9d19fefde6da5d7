// The pattern insertion menu: its captions in the message table, the fragments as the engine
// reads them, insertion at a selection, and quoting of a selection.

#include "rules/PatternMenu.h"
#include "app/MessageCaptions.h"
#include "codepage/CodePage.h"
#include "regex/TRegex.h"
#include "template/Insertion.h"

#include <gtest/gtest.h>

#include <set>

using namespace morvane::rules;
using morvane::codepage::Utf8ToWin1251;
using morvane::regex::TRegex;

namespace {

// The caption entry the message table gives to control `name` of the main window, or -1.
int captionIndexOf(std::string_view name)
{
    for (const auto& target : morvane::app::CaptionTargets()) {
        if (target.window == "TFormMain" && target.objectName == name
            && target.property == morvane::app::CaptionProperty::Caption)
            return target.index;
    }
    return -1;
}

// Inserts item `name` into `field` with the shared insertion operation.
void insert(morvane::templ::EditorText& field, std::string_view name)
{
    const PatternMenuItem* item = FindPatternMenuItem(name);
    ASSERT_NE(item, nullptr) << name;
    morvane::templ::InsertFragment(field, { item->text, item->caretBack });
}

// All matches of `pattern` in `subject`, in order.
std::vector<std::string> allMatches(std::string_view pattern, std::string_view subject)
{
    TRegex engine;
    engine.SetExpression(pattern);
    std::vector<std::string> found;
    for (bool ok = engine.Exec(subject); ok; ok = engine.ExecNext())
        found.push_back(engine.GroupText(0));
    return found;
}

} // namespace

TEST(PatternMenu, ItemsAndSubmenusCarryTheirOwnCaptionEntries)
{
    std::set<std::string_view> names;
    for (const auto& item : PatternMenuItems()) {
        EXPECT_FALSE(item.name.empty());
        EXPECT_TRUE(names.insert(item.name).second) << item.name;
        EXPECT_EQ(item.captionIndex, captionIndexOf(item.name)) << item.name;
        EXPECT_FALSE(item.text.empty()) << item.name;
        EXPECT_GE(item.caretBack, 0);
        EXPECT_LT(item.caretBack, static_cast<int>(item.text.size())) << item.name;
    }
    EXPECT_EQ(names.size(), 49u);

    const struct {
        std::string_view name;
        int index;
    } submenus[] = {
        { "miMetacharacters", kMetacharactersSubmenuCaption },
        { "miDelimiters", kDelimitersSubmenuCaption },
        { "miRepeaters", kRepeatersSubmenuCaption },
        { "miSpecialCharacters", kSpecialCharactersSubmenuCaption },
        { "miSearchMode", kSearchModeSubmenuCaption },
        { "miReadyPatterns", kReadyPatternsSubmenuCaption },
        { kPatternHelpItemName, kPatternHelpItemCaption },
    };
    std::set<int> used;
    for (const auto& s : submenus)
        EXPECT_EQ(captionIndexOf(s.name), s.index) << s.name;
    for (const auto& item : PatternMenuItems())
        used.insert(item.submenuCaptionIndex);
    EXPECT_EQ(used.size(), 6u);
    EXPECT_EQ(FindPatternMenuItem(kPatternHelpItemName), nullptr); // it inserts nothing
}

TEST(PatternMenu, InsertionReplacesTheSelectionAndLeavesTheCaretInsideBrackets)
{
    const struct {
        std::string_view item;
        std::string text;
        int caret;
    } cases[] = {
        { "miAnySetOfCharacters", "a[]d", 2 },
        { "miAnyExceptSetOfCharacters", "a[^]d", 3 },
        { "miAnyFromRangeOfCharacters", "a[-]d", 2 },
        { "miOnlyNMatches", "a{}d", 2 },
        { "miNorMoreMatches", "a{n,}d", 3 },
        { "miFromNtoMMatches", "a{n,m}d", 3 },
        { "miGroup", "a()d", 2 },
        { "miAnyCharacter", "a.d", 2 },
        { "miReturn", "a\\r\\nd", 5 },
        { "miNotDecimalDigit", "a\\Dd", 3 },
        { "miNotAlphanumericCharacter", "a\\Wd", 3 },
        { "miBeginningOfLine", "a(?m)^d", 6 },
    };
    for (const auto& c : cases) {
        morvane::templ::EditorText field { "abcd", 1, 2 }; // "bc" selected
        insert(field, c.item);
        EXPECT_EQ(field.text, c.text) << c.item;
        EXPECT_EQ(field.selStart, c.caret) << c.item;
        EXPECT_EQ(field.selLength, 0) << c.item;
    }
}

TEST(PatternMenu, ReadyPatternsFindWhatTheirCaptionsPromise)
{
    const struct {
        std::string_view item;
        std::string subject;
        std::vector<std::string> found;
    } cases[] = {
        { "miDecimalNumber", "ab 123 x45", { "123", "45" } },
        { "miHexadecimalNumber", "0x1F zz beef", { "0", "1F", "beef" } },
        { "miRealNumber", "3.14 .5 7. 42", { "3.14", ".5", "7.", "42" } },
        { "miAlphabeticString", Utf8ToWin1251("Привет, world! Ёж"),
            { Utf8ToWin1251("Привет"), "world", Utf8ToWin1251("Ёж") } },
        { "miIdentifier", "$_a1 = 2b", { "$_a1", "b" } },
        { "miQuotedString", "say \"hi 'x'\" and 'yo' \"", { "\"hi 'x'\"", "'yo'" } },
    };
    for (const auto& c : cases) {
        const PatternMenuItem* item = FindPatternMenuItem(c.item);
        ASSERT_NE(item, nullptr) << c.item;
        EXPECT_EQ(allMatches(item->text, c.subject), c.found) << c.item;
    }
}

TEST(PatternMenu, EscapedCharacterItemsMatchTheirCharacterOnly)
{
    const struct {
        std::string_view item;
        std::string literal;
    } cases[] = {
        { "miLeftParenthesis", "(" },
        { "miRightParenthesis", ")" },
        { "miLeftBracket", "[" },
        { "miRightBracket", "]" },
        { "miDot", "." },
        { "miPlus", "+" },
        { "miAsterisk", "*" },
        { "miQuery", "?" },
        { "miBackslash", "\\" },
    };
    for (const auto& c : cases) {
        const PatternMenuItem* item = FindPatternMenuItem(c.item);
        ASSERT_NE(item, nullptr) << c.item;
        EXPECT_EQ(allMatches(item->text, "ab" + c.literal + "cd" + c.literal),
            (std::vector<std::string> { c.literal, c.literal }))
            << c.item;
    }
}

TEST(QuoteSelectedMetaChars, QuotesOnlyTheSelection)
{
    const struct {
        std::string text;
        int start;
        int length;
        std::string quoted;
        int caret;
    } cases[] = {
        { "a.b*(x)", 0, 7, "a\\.b\\*\\(x\\)", 11 },
        { "x-y #z", 0, 6, "x-y #z", 6 }, // nothing of it is special
        { "^$.[()|?+*\\{]}", 0, 14, "\\^\\$\\.\\[\\(\\)\\|\\?\\+\\*\\\\\\{\\]\\}", 28 },
        { "a.b.c", 2, 2, "a.b\\.c", 5 }, // "b." only
        { "a.b.c", 4, -3, "a\\.b\\.c", 6 }, // selected towards the start: ".b."
        { "a.b", 1, 50, "a\\.b", 4 }, // clamped to the text
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        int start = c.start;
        int length = c.length;
        QuoteSelectedMetaChars(text, start, length);
        EXPECT_EQ(text, c.quoted) << c.text;
        EXPECT_EQ(start, c.caret) << c.text;
        EXPECT_EQ(length, 0) << c.text;
    }

    std::string text = "a.b";
    int start = 1;
    int length = 0;
    QuoteSelectedMetaChars(text, start, length);
    EXPECT_EQ(text, "a.b"); // no selection, no change
    EXPECT_EQ(start, 1);
}
