// Rule compilation: remarks and the global settings, the edit-time checks, the template of new
// remarks and the engine's character sets.

#include "rules/RuleCompiler.h"
#include "codepage/CodePage.h"
#include "fakes/FakeRuleEditorHost.h"
#include "regex/TRegex.h"

#include <gtest/gtest.h>

using namespace morvane::rules;
using morvane::codepage::Utf8ToWin1251;
using morvane::regex::TRegex;
using Selection = fakes::FakeRuleEditorHost::Selection;

namespace {

// The modifiers that are on, in the order i, r, s, g, m, x.
std::string onLetters(const TRegex& engine)
{
    static constexpr char kLetters[] = "irsgmx";
    std::string on;
    for (int i = 1; i <= 6; ++i)
        if (engine.Modifier(i))
            on += kLetters[i - 1];
    return on;
}

// A compiler with the built-in global settings (i off, m s g on, x off, extended mode) over an
// engine whose six modifiers are all off, so that global and remark effects are told apart.
struct Fixture {
    TRegex engine;
    RuleCompiler compiler { engine };
    Fixture() { engine.SetModifierText("-irsgmx"); }
};

} // namespace

TEST(ApplyRemark, ModifierGroupActsOnTheCurrentModifiersElseGlobalOnesApply)
{
    const struct {
        std::string remark;
        bool ok;
        std::string on; // modifiers on afterwards
    } cases[] = {
        { "(?i)", true, "i" }, // only i named: the others keep their (off) state
        { "(?I)", true, "i" },
        { "(?is) and later (?m)", true, "is" }, // only the first group counts
        { "x (?r-x) y", true, "r" },
        { "(?-g)", true, "" },
        { "plain note", true, "sgm" }, // no group: the five global flags, r untouched
        { "", true, "sgm" },
        { "closing ) only", true, "sgm" },
        { "(?) empty group", true, "sgm" },
        { "(?i but never closed", true, "sgm" },
        { ")(?s", true, "sgm" }, // the ")" before the "(?" does not close it
        { "(?iq)", false, "i" }, // refused; the letters before the bad one took effect
        { "(?1)", false, "" },
    };
    for (const auto& c : cases) {
        Fixture f;
        EXPECT_EQ(f.compiler.ApplyRemark(c.remark), c.ok) << c.remark;
        EXPECT_EQ(onLetters(f.engine), c.on) << c.remark;
    }
}

TEST(ApplyRemark, MarkersChooseTheReplaceModeSimpleFirst)
{
    const struct {
        std::string remark;
        ReplaceMode mode;
    } cases[] = {
        { "", ReplaceMode::Substitution }, // the global mode of this test
        { "no marker", ReplaceMode::Substitution },
        { "${Q}", ReplaceMode::Simple },
        { "${q}", ReplaceMode::Simple },
        { "x ${S} y", ReplaceMode::Substitution },
        { "${e}", ReplaceMode::Extended },
        { "(?i)-mods ${E}-mode", ReplaceMode::Extended },
        { "${e} and ${Q}", ReplaceMode::Simple },
        { "${E}${s}", ReplaceMode::Substitution },
        { "${x}", ReplaceMode::Substitution },
        { "$Q {Q} ${ Q}", ReplaceMode::Substitution },
    };
    for (const auto& c : cases) {
        Fixture f;
        f.compiler.ReplaceModeRadioClick(ReplaceMode::Substitution);
        f.compiler.setReplaceMode(ReplaceMode::Extended);
        ASSERT_TRUE(f.compiler.ApplyRemark(c.remark));
        EXPECT_EQ(f.compiler.replaceMode(), c.mode) << c.remark;
    }
}

TEST(ApplyRemark, RefusedRemarkLeavesTheReplaceModeAlone)
{
    Fixture f;
    f.compiler.setReplaceMode(ReplaceMode::Substitution);
    EXPECT_FALSE(f.compiler.ApplyRemark("(?z) ${Q}"));
    EXPECT_EQ(f.compiler.replaceMode(), ReplaceMode::Substitution);
}

TEST(PutRule, ModifiersCarryFromAnEarlierRuleInMultipassOrder)
{
    Fixture f;
    f.compiler.ApplyGlobalModifiers();
    ASSERT_FALSE(f.engine.Modifier(TRegex::kModI));

    // Rule 1 switches i on; rule 2 names only s and so still runs with i on.
    ASSERT_TRUE(f.compiler.PutRule({ "abc", "", "(?i)" }));
    EXPECT_EQ(f.engine.Expression(), "abc");
    ASSERT_TRUE(f.compiler.PutRule({ "x", "", "(?s)" }));
    EXPECT_TRUE(f.engine.Modifier(TRegex::kModI));
    EXPECT_EQ(f.engine.Expression(), "x");
    EXPECT_TRUE(f.engine.Exec("aXb"));
    EXPECT_EQ(f.engine.GroupText(0), "X");

    // A rule without a group goes back to the global flags.
    ASSERT_TRUE(f.compiler.PutRule({ "x", "", "note" }));
    EXPECT_FALSE(f.engine.Modifier(TRegex::kModI));
    EXPECT_FALSE(f.engine.Exec("aXb"));

    // A refused remark does not replace the expression.
    EXPECT_FALSE(f.compiler.PutRule({ "other", "", "(?w)" }));
    EXPECT_EQ(f.engine.Expression(), "x");
}

TEST(ValidateFind, ReportsTheEngineTextAndSelectsTheCharacterAtTheOffset)
{
    Fixture f;
    const CheckResult empty = f.compiler.ValidateFind("");
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(f.engine.Expression(), ""); // an empty text does not reach the engine

    const CheckResult good = f.compiler.ValidateFind("a+b");
    EXPECT_TRUE(good.ok);
    EXPECT_EQ(f.engine.Expression(), "a+b");

    const CheckResult bad = f.compiler.ValidateFind("(");
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.message, "ParseReg Unmatched ()"); // no " (pos 1)" suffix
    EXPECT_EQ(bad.position, 1);
    EXPECT_EQ(bad.selectStart, 0);
    EXPECT_EQ(bad.selectLength, 1);
    EXPECT_EQ(f.engine.Expression(), "("); // the engine keeps the validated text
}

TEST(ValidateFind, CompilesWithTheCurrentModifiers)
{
    Fixture f;
    EXPECT_TRUE(f.compiler.ValidateFind("a *").ok);
    f.engine.SetModifier(TRegex::kModX, true);
    const CheckResult extended = f.compiler.ValidateFind("a *");
    EXPECT_FALSE(extended.ok);
    EXPECT_EQ(extended.message, "*+ Operand Could Be Empty");
}

TEST(ValidateRemark, RefusalSelectsTheModifierLetters)
{
    const struct {
        std::string remark;
        bool ok;
        int position;
        int start;
        int length;
    } cases[] = {
        { "", true, 0, 0, 0 },
        { "(?z)", false, 1, 2, 1 },
        { "ab (?i-z) c", false, 4, 5, 3 },
        { "ab (?z", true, 0, 0, 0 }, // never closed: the global modifiers, valid
        { "a) b", true, 0, 0, 0 },
        { "(?)", true, 0, 0, 0 },
    };
    for (const auto& c : cases) {
        Fixture f;
        const CheckResult result = f.compiler.ValidateRemark(c.remark);
        EXPECT_EQ(result.ok, c.ok) << c.remark;
        if (c.ok)
            continue;
        EXPECT_EQ(result.message, "Urecognized Modifier");
        EXPECT_EQ(result.position, c.position) << c.remark;
        EXPECT_EQ(result.selectStart, c.start) << c.remark;
        EXPECT_EQ(result.selectLength, c.length) << c.remark;
    }
}

TEST(ValidateRemark, ValidRemarkLeavesItsEffects)
{
    Fixture f;
    EXPECT_TRUE(f.compiler.ValidateRemark("(?x) ${S}").ok);
    EXPECT_EQ(onLetters(f.engine), "x");
    EXPECT_EQ(f.compiler.replaceMode(), ReplaceMode::Substitution);
}

TEST(RemarkTemplate, WritesTheEngineModifiersAndTheCheckedModeLetter)
{
    TRegex engine; // the engine's own defaults: r, s, g, m on; i, x off
    RuleCompiler compiler(engine);
    EXPECT_EQ(compiler.RemarkTemplate(), Utf8ToWin1251("(?mgsr-ix)-модификаторы поиска ${E}-режим замены"));

    compiler.ReplaceModeMenuClick(ReplaceMode::Simple);
    engine.SetModifierText("ix");
    EXPECT_EQ(compiler.RemarkTemplate(), Utf8ToWin1251("(?xmgsri)-модификаторы поиска ${Q}-режим замены"));

    compiler.ReplaceModeRadioClick(ReplaceMode::Substitution);
    engine.SetModifierText("-irsgmx");
    EXPECT_EQ(compiler.RemarkTemplate(), Utf8ToWin1251("(?-irsgmx)-модификаторы поиска ${S}-режим замены"));
}

TEST(GlobalControls, BoxesAndMenuItemsReachTheEngine)
{
    Fixture f;
    f.compiler.CheckBoxModifierClick(GlobalModifier::I, true);
    EXPECT_TRUE(f.compiler.modifierChecked(GlobalModifier::I));
    EXPECT_EQ(onLetters(f.engine), "i"); // only the clicked box reaches the engine

    // A menu click toggles its item and then applies all five boxes.
    f.compiler.ModifierMenuClick(GlobalModifier::X);
    EXPECT_TRUE(f.compiler.modifierChecked(GlobalModifier::X));
    EXPECT_EQ(onLetters(f.engine), "isgmx");
    f.compiler.ModifierMenuClick(GlobalModifier::X);
    EXPECT_EQ(onLetters(f.engine), "isgm");

    // r has no control and is never touched by the global flags.
    f.engine.SetModifier(TRegex::kModR, true);
    f.compiler.ApplyGlobalModifiers();
    EXPECT_EQ(onLetters(f.engine), "irsgm");
}

TEST(GlobalControls, ReplaceModeFollowsRadioAndMenu)
{
    Fixture f;
    EXPECT_EQ(f.compiler.GlobalReplaceMode(), ReplaceMode::Extended);
    f.compiler.setReplaceMode(ReplaceMode::Simple);
    f.compiler.ReplaceModeRadioClick(ReplaceMode::Substitution);
    EXPECT_EQ(f.compiler.GlobalReplaceMode(), ReplaceMode::Substitution);
    EXPECT_EQ(f.compiler.replaceMode(), ReplaceMode::Substitution);
    f.compiler.ReplaceModeMenuClick(ReplaceMode::Simple);
    EXPECT_EQ(f.compiler.globalModeItem(), ReplaceMode::Simple);
    EXPECT_EQ(f.compiler.replaceMode(), ReplaceMode::Simple);
}

TEST(CharacterSets, SpaceCharsGoThroughTheHexFieldAndBadInputChangesNothing)
{
    TRegex engine;
    RuleCompiler compiler(engine);
    fakes::FakeRuleEditorHost host;

    compiler.EncodeSpaceChars();
    EXPECT_EQ(compiler.editSpaceChars(), "\\x20\\x09\\x0A\\x0D\\x0C");

    compiler.setEditSpaceChars("\\x20\\x09");
    ASSERT_TRUE(compiler.DecodeSpaceChars(host));
    EXPECT_EQ(engine.SpaceChars(), " \t");
    EXPECT_EQ(compiler.editSpaceChars(), "\\x20\\x09"); // the field keeps its codes
    engine.SetExpression("a\\sb");
    EXPECT_TRUE(engine.Exec("a\tb"));
    EXPECT_FALSE(engine.Exec("a\nb"));

    compiler.setEditSpaceChars("\\x0A\\xZZ");
    EXPECT_FALSE(compiler.DecodeSpaceChars(host));
    EXPECT_EQ(engine.SpaceChars(), " \t");
    EXPECT_EQ(host.messages, std::vector<std::string> { "'$ZZ' is not a valid integer value" });
    EXPECT_EQ(host.selections, (std::vector<Selection> { { RuleField::EditSpaceChars, 4, 4 } }));
}

TEST(CharacterSets, WordCharsAreDecodedIntoTheFieldItself)
{
    TRegex engine;
    RuleCompiler compiler(engine);
    fakes::FakeRuleEditorHost host;

    compiler.setEditWordChars("ab\\x41");
    ASSERT_TRUE(compiler.DecodeWordChars(host));
    EXPECT_EQ(compiler.editWordChars(), "abA");
    EXPECT_EQ(engine.WordChars(), "abA");

    compiler.setEditWordChars("x\\x42\\xK1");
    EXPECT_FALSE(compiler.DecodeWordChars(host));
    EXPECT_EQ(compiler.editWordChars(), "xB\\xK1");
    EXPECT_EQ(engine.WordChars(), "abA");
    EXPECT_EQ(host.selections, (std::vector<Selection> { { RuleField::EditWordChars, 2, 4 } }));
}

TEST(StartUp, EngineSettingsAndFieldsMeetInTheStartUpOrder)
{
    TRegex engine;
    RuleCompiler compiler(engine);
    fakes::FakeRuleEditorHost host;
    engine.SetModifierText("i-r"); // whatever the engine holds when the window is created

    compiler.takeEngineState(true);
    EXPECT_TRUE(compiler.modifierChecked(GlobalModifier::I));
    EXPECT_TRUE(engine.Modifier(TRegex::kModR));
    EXPECT_EQ(compiler.editSpaceChars(), "\\x20\\x09\\x0A\\x0D\\x0C");
    EXPECT_EQ(compiler.editWordChars(), morvane::app::DefaultWordChars(true));

    morvane::app::Settings settings("/nowhere", false);
    settings.CheckBoxModifierI_Checked = false;
    settings.CheckBoxModifierX_Checked = true;
    settings.rbExtendedReplace_Checked = false;
    settings.rbSubstitute_Checked = true;
    settings.EditSpaceChars_Text = "\\x20\\x09"; // a blank and a tab only
    settings.EditWordChars_Text = "ab\\x41"; // taken as it stands, not decoded
    compiler.restoreSettings(settings);
    EXPECT_EQ(compiler.replaceMode(), ReplaceMode::Substitution);

    engine.SetModifierText("-irsgmx");
    ASSERT_TRUE(compiler.applyAtShow(host));
    EXPECT_EQ(onLetters(engine), "rsgmx");
    EXPECT_EQ(engine.SpaceChars(), " \t");
    EXPECT_EQ(engine.WordChars(), "ab\\x41");
    EXPECT_EQ(compiler.RemarkTemplate().substr(0, 11), "(?xmgsr-i)-");

    morvane::app::Settings stored("/nowhere", false);
    compiler.storeSettings(stored);
    EXPECT_EQ(stored, settings);
}

TEST(StartUp, EmptyCharacterFieldsAreFilledFromTheEngine)
{
    TRegex engine;
    RuleCompiler compiler(engine);
    fakes::FakeRuleEditorHost host;
    compiler.takeEngineState(false);
    EXPECT_EQ(compiler.editWordChars(), morvane::app::DefaultWordChars(false));
    compiler.setEditSpaceChars("");
    compiler.setEditWordChars("");
    ASSERT_TRUE(compiler.applyAtShow(host));
    EXPECT_EQ(compiler.editSpaceChars(), "\\x20\\x09\\x0A\\x0D\\x0C");
    EXPECT_EQ(compiler.editWordChars(), morvane::app::DefaultWordChars(false));

    // Without the Cyrillic letters \w does not match them.
    engine.SetExpression("\\w+");
    ASSERT_TRUE(engine.Exec(Utf8ToWin1251("ёж ab")));
    EXPECT_EQ(engine.GroupText(0), "ab");

    compiler.setEditSpaceChars("\\xG0");
    EXPECT_FALSE(compiler.applyAtShow(host));
    EXPECT_EQ(host.messages.size(), 1u);
}
