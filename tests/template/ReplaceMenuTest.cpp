// The pmReplace items as data, checked against the caption table and the evaluator.

#include "template/ReplaceMenu.h"
#include "TemplateTestSupport.h"

#include <gtest/gtest.h>

#include <set>

using morvane::test::FakeGroups;
namespace templ = morvane::templ;

TEST(ReplaceMenu, ItemsFollowTheCaptionTableOrder)
{
    // The caption entries 337 to 359 hold the items and the two submenu captions in menu
    // order; the help item's caption closes the range.
    std::set<std::string_view> names;
    std::set<int> indexes;
    int previous = 336;
    for (const auto& item : templ::ReplaceMenuItems()) {
        EXPECT_TRUE(names.insert(item.name).second) << item.name;
        EXPECT_GT(item.captionIndex, previous) << item.name;
        previous = item.captionIndex;
        indexes.insert(item.captionIndex);
        if (item.submenuCaptionIndex != 0) {
            EXPECT_LT(item.submenuCaptionIndex, item.captionIndex) << item.name;
        }
    }
    indexes.insert(templ::kCaseSubmenuCaption);
    indexes.insert(templ::kSpecialSubmenuCaption);
    EXPECT_EQ(indexes.size(), 23u);
    EXPECT_EQ(*indexes.begin(), 337);
    EXPECT_EQ(*indexes.rbegin(), 359);
    EXPECT_EQ(templ::kReplaceHelpItemCaption, 360);
    EXPECT_EQ(templ::FindReplaceMenuItem("miNameOfFile")->insertion.text, "\\F{F}");
    EXPECT_EQ(templ::FindReplaceMenuItem("miFind"), nullptr);
}

TEST(ReplaceMenu, EveryFragmentIsAnItemOfTheTemplateLanguage)
{
    // No fragment may come out of the evaluator as the text it was: each is an item. The width
    // sample needs an item before it.
    const auto groups = FakeGroups({ "Whole", "abc" });
    const templ::RunCounters counters { 3, 3, 2, 2 };
    for (const auto& item : templ::ReplaceMenuItems()) {
        const std::string text(item.insertion.text);
        EXPECT_EQ(item.insertion.caretBack, 0) << item.name;
        if (item.name == "miSetWidth") {
            EXPECT_EQ(templ::EvaluateTemplate("$1" + text, groups, counters, "/d/f.txt"), "abc...........");
            continue;
        }
        EXPECT_NE(templ::EvaluateTemplate(text, groups, counters, "/d/f.txt"), text) << item.name;
    }
    EXPECT_EQ(templ::EvaluateTemplate(
                  templ::FindReplaceMenuItem("miCounter")->insertion.text, groups, counters, {}),
        "+000003");
}

TEST(ReplaceMenu, OnlyItemsOutsideTheSubstitutionSyntaxSwitchToExtendedMode)
{
    // Group references and escaped characters mean the same to the engine's substitution, so
    // choosing them keeps the current replace mode.
    const std::set<std::string_view> keepMode = { "miFirstFoundGroup", "miFoundText", "miBackslashSymbol",
        "miBracketSymbol", "miBraceSymbol", "miMinusSymbol", "miDollarSymbol" };
    for (const auto& item : templ::ReplaceMenuItems())
        EXPECT_EQ(item.switchesToExtended, !keepMode.contains(item.name)) << item.name;
}

TEST(ReplaceMenu, InsertingAnItemReplacesTheSelection)
{
    templ::EditorText field { "<$1>", 1, 2 };
    templ::InsertFragment(field, templ::FindReplaceMenuItem("miUpperCase")->insertion);
    templ::InsertFragment(field, templ::FindReplaceMenuItem("miFirstFoundGroup")->insertion);
    EXPECT_EQ(field.text, "<\\U${1}>");
    EXPECT_EQ(field.selStart, 7);
    EXPECT_EQ(field.selLength, 0);
}
