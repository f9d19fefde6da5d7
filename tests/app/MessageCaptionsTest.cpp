// Where the caption entries of the message table go: one target per index from 100 to 360.

#include "app/MessageCaptions.h"
#include "app/MessageBuiltIn.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

namespace morvane::app {
namespace {

TEST(MessageCaptionsTest, EveryCaptionIndexHasOneTargetInOrder)
{
    const auto targets = CaptionTargets();
    ASSERT_EQ(targets.size(), static_cast<size_t>(kLastCaptionIndex - kFirstCaptionIndex + 1));
    for (size_t i = 0; i < targets.size(); ++i)
        EXPECT_EQ(targets[i].index, kFirstCaptionIndex + static_cast<int>(i));
    EXPECT_EQ(targets.front().index, 100);
    EXPECT_EQ(targets.back().index, 360);
}

TEST(MessageCaptionsTest, NoControlPropertyIsSetTwice)
{
    std::set<std::tuple<std::string_view, std::string_view, CaptionProperty>> seen;
    for (const CaptionTarget& target : CaptionTargets()) {
        EXPECT_FALSE(target.window.empty()) << target.index;
        EXPECT_FALSE(target.objectName.empty()) << target.index;
        EXPECT_TRUE(seen.insert({ target.window, target.objectName, target.property }).second)
            << target.index << " " << target.objectName;
    }
}

TEST(MessageCaptionsTest, WindowTitlesNameTheirOwnWindow)
{
    int titles = 0;
    for (const CaptionTarget& target : CaptionTargets()) {
        if (target.property != CaptionProperty::WindowTitle)
            continue;
        ++titles;
        EXPECT_EQ(target.objectName, target.window) << target.index;
    }
    // The six dialogs: create directory, file exists, response time, select files, file split,
    // converter.
    EXPECT_EQ(titles, 6);
}

TEST(MessageCaptionsTest, IndicesGoToTheirControls)
{
    struct Case {
        int index;
        std::string_view window;
        std::string_view objectName;
        CaptionProperty property;
    };
    using P = CaptionProperty;
    // Boundaries of each group of the list, and places where the order is easy to get wrong
    // (menu order S before M, caption-then-hint pairs, the submenus between their items).
    const Case cases[] = {
        { 100, "TfmCreateDir", "TfmCreateDir", P::WindowTitle },
        { 101, "TForm3", "TForm3", P::WindowTitle },
        { 105, "TForm3", "bbCancel", P::Caption },
        { 107, "TForm9", "StaticText1", P::Caption },
        { 109, "TFormSelectFiles", "stInfo", P::Caption },
        { 111, "TFormSetFileSplit", "GroupBox1", P::Caption },
        { 115, "TFormSetFileSplit", "GroupBox5", P::Caption },
        { 119, "TFormSetFileSplit", "sbSelectFileName", P::Hint },
        { 122, "TFormSetModeConverter", "stTo", P::Caption },
        { 123, "TFormMain", "TabSheetManual", P::TabText },
        { 126, "TFormMain", "TabSheetOptions", P::TabText },
        { 127, "TFormMain", "tbSubDir", P::Hint },
        { 132, "TFormMain", "AnimateProcess", P::Hint },
        { 137, "TFormMain", "cbCodePage", P::Hint },
        { 151, "TFormMain", "tbTutorial", P::Hint },
        { 152, "TFormMain", "GroupBoxFindStr", P::Caption },
        { 163, "TFormMain", "tbEditTable", P::Hint },
        { 164, "TFormMain", "sbSortName", P::Caption },
        { 165, "TFormMain", "sbSortName", P::Hint },
        { 171, "TFormMain", "sbSortSize", P::Hint },
        { 172, "TFormMain", "TabSheetWeb", P::TabText },
        { 174, "TFormMain", "LabelReplaceWith", P::Caption },
        { 175, "TFormMain", "sbYes", P::Caption },
        { 176, "TFormMain", "sbYes", P::Hint },
        { 179, "TFormMain", "sbAll", P::Caption },
        { 181, "TFormMain", "sbIgnore", P::Caption },
        { 186, "TFormMain", "sbAbort", P::Hint },
        { 191, "TFormMain", "sbDelete", P::Caption },
        { 192, "TFormMain", "tbSaveTable", P::Hint },
        { 203, "TFormMain", "tbHelpTable", P::Hint },
        { 207, "TFormMain", "CheckBoxModifierI", P::Hint },
        { 208, "TFormMain", "CheckBoxModifierM", P::Hint },
        { 211, "TFormMain", "CheckBoxModifierG", P::Hint },
        { 221, "TFormMain", "sbQuoteMemoFind", P::Caption },
        { 222, "TFormMain", "sbQuoteMemoFind", P::Hint },
        { 224, "TFormMain", "miFind", P::Caption },
        { 245, "TFormMain", "miAbort", P::Caption },
        { 247, "TFormMain", "miModifierI", P::Caption },
        { 248, "TFormMain", "miModifierS", P::Caption },
        { 249, "TFormMain", "miModifierM", P::Caption },
        { 256, "TFormMain", "miOutRTF", P::Caption },
        { 269, "TFormMain", "miSetTime", P::Caption },
        { 270, "TFormMain", "miAutoSave", P::Caption },
        { 272, "TFormMain", "miHelp", P::Caption },
        { 274, "TFormMain", "miManual", P::Caption },
        { 275, "TFormMain", "miView", P::Caption },
        { 280, "TFormMain", "miDelete", P::Caption },
        { 282, "TFormMain", "miAnyCharacter", P::Caption },
        { 294, "TFormMain", "miHexCodeChar", P::Caption },
        { 296, "TFormMain", "miDelimiterOfWord", P::Caption },
        { 303, "TFormMain", "mi0orMoreMatches", P::Caption },
        { 310, "TFormMain", "miLeftParenthesis", P::Caption },
        { 318, "TFormMain", "miBackslash", P::Caption },
        { 319, "TFormMain", "miOr", P::Caption },
        { 321, "TFormMain", "miBackreferences", P::Caption },
        { 323, "TFormMain", "miCaseInsensitive", P::Caption },
        { 330, "TFormMain", "miDecimalNumber", P::Caption },
        { 335, "TFormMain", "miQuotedString", P::Caption },
        { 336, "TFormMain", "miRegularExpressionsHelp", P::Caption },
        { 337, "TFormMain", "miFirstFoundGroup", P::Caption },
        { 339, "TFormMain", "miSetWidth", P::Caption },
        { 341, "TFormMain", "miLowerCase", P::Caption },
        { 349, "TFormMain", "miEndQuota", P::Caption },
        { 351, "TFormMain", "miBackslashSymbol", P::Caption },
        { 359, "TFormMain", "miNameOfFile", P::Caption },
        { 360, "TFormMain", "miHelpRegularExpretionForReplace", P::Caption },
    };
    const auto targets = CaptionTargets();
    for (const Case& c : cases) {
        const CaptionTarget& t = targets[static_cast<size_t>(c.index - kFirstCaptionIndex)];
        EXPECT_EQ(t.index, c.index);
        EXPECT_EQ(t.window, c.window) << c.index;
        EXPECT_EQ(t.objectName, c.objectName) << c.index;
        EXPECT_EQ(t.property, c.property) << c.index;
    }
}

} // namespace
} // namespace morvane::app
