#pragma once
// Turning a rule into a configuration of the search engine: the global modifier and replace-mode
// controls as state, the remark's "(?...)" modifier group and "${Q}"/"${S}"/"${E}" markers, the
// edit-time checks of expressions and remarks, the remark given to new rules, and the two
// editable character sets (\s written as "\xNN" codes, \w as plain characters).
//
// The engine is the caller's long-lived instance; everything here acts on its current state,
// so a remark that names only some modifiers leaves the others as the previous rule (or the
// global settings) left them. That carry-over is what multipass runs rely on.
//
// Covered by tests/rules/RuleCompilerTest.cpp.

#include "app/Settings.h"
#include "regex/TRegex.h"
#include "rules/CheckResult.h"
#include "rules/FieldFeedback.h"
#include "rules/ReplaceMode.h"
#include "rules/Rule.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::rules {

// The message of a refused remark. The spelling is the one users know; do not correct it.
inline constexpr const char* kUnrecognizedModifierText = "Urecognized Modifier";

// The five global search modifiers that have controls (r has none).
enum class GlobalModifier { I, M, S, X, G };

class RuleCompiler {
public:
    // Built-in state: i off, m on, s on, x off, g on, extended replace mode; the engine is not
    // touched until a control event or ApplyGlobalModifiers().
    explicit RuleCompiler(regex::TRegex& engine);

    regex::TRegex& engine() const { return m_engine; }

    // ---- Global modifiers: each check box and its menu twin share one state ----

    bool modifierChecked(GlobalModifier modifier) const;
    // A click on (or programmatic check of) a check box: its menu twin follows and the engine's
    // modifier is set.
    void CheckBoxModifierClick(GlobalModifier modifier, bool checked);
    // A click on a modifier menu item: the item toggles, then all five boxes are set from the
    // menu items, each acting as on a click (so all five reach the engine).
    void ModifierMenuClick(GlobalModifier modifier);
    // Sets the engine's i, m, s, x and g from the five boxes; r is left alone.
    void ApplyGlobalModifiers();

    // ---- Global replace mode: three radio buttons and their radio menu twins ----

    // The checked item, or nothing when none is (only possible from damaged settings).
    std::optional<ReplaceMode> globalModeItem() const { return m_globalModeItem; }
    // A radio button click: the menu twins follow and the mode in force becomes
    // GlobalReplaceMode().
    void ReplaceModeRadioClick(ReplaceMode mode);
    // A menu item click: the item is checked and the radio buttons follow, which (as their click)
    // sets the mode in force.
    void ReplaceModeMenuClick(ReplaceMode mode);
    // 2 if the extended item is checked, else 1 if the substitution item is, else 0.
    ReplaceMode GlobalReplaceMode() const;

    // The replace mode in force for the next replacement; set by the global controls and by
    // every remark applied.
    ReplaceMode replaceMode() const { return m_replaceMode; }
    void setReplaceMode(ReplaceMode mode) { m_replaceMode = mode; }

    // ---- Rules ----

    // Configures the engine's modifiers and the replace mode from a remark. The letters between
    // the first "(?" and the first ")" after it are applied to the engine's current modifiers;
    // without such a non-empty group the global modifiers are applied. Then the first marker
    // found among "${Q}"/"${q}", "${S}"/"${s}", "${E}"/"${e}" (tested in that order) sets the
    // mode, else the global mode. Returns false for invalid modifier letters; the letters
    // before the bad one have then taken effect and the replace mode is left unchanged.
    bool ApplyRemark(std::string_view remark);

    // ApplyRemark(rule.Remark), then the engine's expression := rule.Find (modifiers first, so
    // the engine compiles with them). Returns false, leaving the expression alone, when the
    // remark is refused. Callers skip rules with an empty Find before calling this.
    bool PutRule(const Rule& rule);

    // The edit-time check of an expression: empty is valid; otherwise the engine takes the text
    // as its expression and compiles it with its current modifiers. On failure the message is
    // the engine's error text without the position suffix, the position is the error offset,
    // and the one character at that (1-based) position is to be selected.
    CheckResult ValidateFind(std::string_view text);

    // The edit-time check of a remark: empty is valid; otherwise ApplyRemark, whose effects stay.
    // On failure the message is "Urecognized Modifier", the position that of the first "(?",
    // and the letters between "(?" and ")" are to be selected.
    CheckResult ValidateRemark(std::string_view text);

    // The replace mode that ApplyRemark(remark) sets: the first marker's, else the global one.
    ReplaceMode RemarkReplaceMode(std::string_view remark) const;

    // The check of a replacement before a run: valid unless the rule's replace mode (that of
    // its remark) is extended and the template holds a width modifier above the bound one item
    // may produce. On failure the message is message 395 with the bound, the position that of
    // the modifier's "-", and the whole modifier is to be selected. Changes nothing.
    CheckResult ValidateReplace(std::string_view text, std::string_view remark) const;

    // The remark of a new rule: message 0 (at most 255 characters) with the engine's current
    // ModifierText inserted after the first "(?" and the letter of the checked replace-mode
    // item ("Q", "S", "E"; nothing when none is checked) after the first "{".
    std::string RemarkTemplate() const;

    // ---- Character sets ----

    // The texts of EditSpaceChars ("\xNN" per character) and EditWordChars (plain).
    const std::string& editSpaceChars() const { return m_editSpaceChars; }
    void setEditSpaceChars(std::string text) { m_editSpaceChars = std::move(text); }
    const std::string& editWordChars() const { return m_editWordChars; }
    void setEditWordChars(std::string text) { m_editWordChars = std::move(text); }

    // EditSpaceChars := every character of the engine's SpaceChars as "\x" and two upper-case
    // hexadecimal digits.
    void EncodeSpaceChars();
    // Decodes every "\xNN" of a copy of EditSpaceChars into the engine's SpaceChars; the field
    // keeps its text. On a sequence that is not hexadecimal: the conversion message, the field
    // focused with the four offending characters selected, SpaceChars unchanged; returns false.
    bool DecodeSpaceChars(FieldFeedback& feedback);
    // The same decoding, written back into EditWordChars, whose text then becomes the engine's
    // WordChars. On a bad sequence the field keeps what was decoded before it.
    bool DecodeWordChars(FieldFeedback& feedback);

    // ---- Start-up and shutdown ----

    // At the creation of the main window: for a Russian system locale the engine's word
    // characters get the 33 lower-case and 33 upper-case Cyrillic letters appended; the five
    // boxes take the engine's current modifiers; r is switched on; EditSpaceChars is encoded
    // from the engine and EditWordChars takes its word characters.
    void takeEngineState(bool russianLocale);
    // The persisted state read from the settings: each box acts as clicked with its stored
    // value, the radio button stored as checked acts as clicked (none stored: unchanged), and
    // the two character fields take their stored texts.
    void restoreSettings(const app::Settings& settings);
    // At the show steps: r on; a non-empty EditSpaceChars is decoded into the engine (an empty
    // one is filled from it); a non-empty EditWordChars becomes the engine's word characters as
    // it stands, without decoding (an empty one is filled from the engine); then the five boxes
    // are applied. Returns false when the space characters were refused (already reported).
    bool applyAtShow(FieldFeedback& feedback);
    // Writes the boxes, the radio buttons and the two character fields into `settings`.
    void storeSettings(app::Settings& settings) const;

private:
    regex::TRegex& m_engine;
    std::array<bool, 5> m_modifierChecked { false, true, true, false, true };
    std::optional<ReplaceMode> m_globalModeItem = ReplaceMode::Extended;
    ReplaceMode m_replaceMode = ReplaceMode::Extended;
    std::string m_editSpaceChars;
    std::string m_editWordChars;
};

// Shows a failed check: the message box, then the field focused with the part selected.
void ReportCheckFailure(FieldFeedback& feedback, RuleField field, const CheckResult& result);

} // namespace morvane::rules
