#include "rules/RuleCompiler.h"

#include "app/Format.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "rules/CharSetText.h"
#include "template/EvaluateTemplate.h"

#include <algorithm>

namespace morvane::rules {

namespace {

using regex::TRegex;

constexpr int kMsgTemplateWidthTooLarge = 395;

constexpr int kEngineIndex[] = { TRegex::kModI, TRegex::kModM, TRegex::kModS, TRegex::kModX, TRegex::kModG };

constexpr size_t index(GlobalModifier modifier)
{
    return static_cast<size_t>(modifier);
}

// The letters of a remark's "(?...)" group: where they start (0-based) and how many there are.
// Empty when there is no "(?", no ")" after it, or nothing between them.
struct ModifierGroup {
    size_t open = std::string_view::npos; // position of the "(?"
    size_t start = 0;
    size_t length = 0;
};

ModifierGroup findModifierGroup(std::string_view remark)
{
    ModifierGroup group;
    group.open = remark.find("(?");
    if (group.open == std::string_view::npos)
        return group;
    group.start = group.open + 2;
    const size_t close = remark.find(')', group.start);
    if (close != std::string_view::npos)
        group.length = close - group.start;
    return group;
}

bool containsEither(std::string_view text, std::string_view upper, std::string_view lower)
{
    return text.find(upper) != std::string_view::npos || text.find(lower) != std::string_view::npos;
}

} // namespace

RuleCompiler::RuleCompiler(TRegex& engine)
    : m_engine(engine)
{
}

bool RuleCompiler::modifierChecked(GlobalModifier modifier) const
{
    return m_modifierChecked[index(modifier)];
}

void RuleCompiler::CheckBoxModifierClick(GlobalModifier modifier, bool checked)
{
    m_modifierChecked[index(modifier)] = checked;
    m_engine.SetModifier(kEngineIndex[index(modifier)], checked);
}

void RuleCompiler::ModifierMenuClick(GlobalModifier modifier)
{
    m_modifierChecked[index(modifier)] = !m_modifierChecked[index(modifier)];
    for (size_t i = 0; i < m_modifierChecked.size(); ++i)
        CheckBoxModifierClick(static_cast<GlobalModifier>(i), m_modifierChecked[i]);
}

void RuleCompiler::ApplyGlobalModifiers()
{
    for (size_t i = 0; i < m_modifierChecked.size(); ++i)
        m_engine.SetModifier(kEngineIndex[i], m_modifierChecked[i]);
}

void RuleCompiler::ReplaceModeRadioClick(ReplaceMode mode)
{
    m_globalModeItem = mode;
    m_replaceMode = GlobalReplaceMode();
}

void RuleCompiler::ReplaceModeMenuClick(ReplaceMode mode)
{
    // The radio buttons follow the menu, and their click sets the mode in force.
    ReplaceModeRadioClick(mode);
}

ReplaceMode RuleCompiler::GlobalReplaceMode() const
{
    return m_globalModeItem.value_or(ReplaceMode::Simple);
}

bool RuleCompiler::ApplyRemark(std::string_view remark)
{
    const ModifierGroup group = findModifierGroup(remark);
    if (group.length > 0) {
        try {
            m_engine.SetModifierText(remark.substr(group.start, group.length));
        } catch (const regex::ERegex&) {
            return false;
        }
    } else {
        ApplyGlobalModifiers();
    }

    m_replaceMode = RemarkReplaceMode(remark);
    return true;
}

ReplaceMode RuleCompiler::RemarkReplaceMode(std::string_view remark) const
{
    if (containsEither(remark, "${Q}", "${q}"))
        return ReplaceMode::Simple;
    if (containsEither(remark, "${S}", "${s}"))
        return ReplaceMode::Substitution;
    if (containsEither(remark, "${E}", "${e}"))
        return ReplaceMode::Extended;
    return GlobalReplaceMode();
}

bool RuleCompiler::PutRule(const Rule& rule)
{
    if (!ApplyRemark(rule.Remark))
        return false;
    m_engine.SetExpression(rule.Find);
    return true;
}

CheckResult RuleCompiler::ValidateFind(std::string_view text)
{
    CheckResult result;
    if (text.empty())
        return result;
    try {
        m_engine.SetExpression(text);
        m_engine.CompileExpression();
    } catch (const regex::ERegex& error) {
        result.ok = false;
        result.message = m_engine.ErrorText(m_engine.LastErrorCode());
        result.position = error.ErrorOffset();
        // The offset counts from 1; an error outside a compilation carries 0, which selects the
        // first character rather than nothing.
        result.selectStart = std::max(0, result.position - 1);
        result.selectLength = 1;
    }
    return result;
}

CheckResult RuleCompiler::ValidateRemark(std::string_view text)
{
    CheckResult result;
    if (text.empty() || ApplyRemark(text))
        return result;
    const ModifierGroup group = findModifierGroup(text);
    result.ok = false;
    result.message = kUnrecognizedModifierText;
    result.position = static_cast<int>(group.open) + 1;
    result.selectStart = static_cast<int>(group.start);
    result.selectLength = static_cast<int>(group.length);
    return result;
}

CheckResult RuleCompiler::ValidateReplace(std::string_view text, std::string_view remark) const
{
    CheckResult result;
    if (RemarkReplaceMode(remark) != ReplaceMode::Extended)
        return result;
    const std::optional<templ::TemplateWidthError> problem = templ::CheckTemplate(text);
    if (!problem)
        return result;
    result.ok = false;
    result.message = app::FillMessage(app::Msg(kMsgTemplateWidthTooLarge), { templ::kMaxTemplateWidth });
    result.position = static_cast<int>(problem->position()) + 1;
    result.selectStart = static_cast<int>(problem->position());
    result.selectLength = static_cast<int>(problem->length());
    return result;
}

std::string RuleCompiler::RemarkTemplate() const
{
    std::string text = app::Msg(0);
    if (text.size() > 255)
        text.resize(255);
    const size_t open = text.find("(?");
    if (open != std::string::npos)
        text.insert(open + 2, m_engine.ModifierText());
    const size_t brace = text.find('{');
    if (brace != std::string::npos && m_globalModeItem) {
        static constexpr char kLetters[] = "QSE";
        text.insert(brace + 1, 1, kLetters[static_cast<int>(*m_globalModeItem)]);
    }
    return text;
}

void RuleCompiler::EncodeSpaceChars()
{
    m_editSpaceChars = EncodeHexChars(m_engine.SpaceChars());
}

bool RuleCompiler::DecodeSpaceChars(FieldFeedback& feedback)
{
    const HexDecodeResult result = DecodeHexChars(m_editSpaceChars, HexDecodeTarget::Copy);
    if (!result.ok) {
        feedback.ShowMessage(result.message);
        feedback.FocusAndSelect(RuleField::EditSpaceChars, result.errorStart, result.errorLength);
        return false;
    }
    m_engine.SetSpaceChars(result.text);
    return true;
}

bool RuleCompiler::DecodeWordChars(FieldFeedback& feedback)
{
    const HexDecodeResult result = DecodeHexChars(m_editWordChars, HexDecodeTarget::Field);
    m_editWordChars = result.text;
    if (!result.ok) {
        feedback.ShowMessage(result.message);
        feedback.FocusAndSelect(RuleField::EditWordChars, result.errorStart, result.errorLength);
        return false;
    }
    m_engine.SetWordChars(m_editWordChars);
    return true;
}

void RuleCompiler::takeEngineState(bool russianLocale)
{
    if (russianLocale) {
        // Alphabetical order, with yo after ye in each case.
        m_engine.SetWordChars(m_engine.WordChars()
            + codepage::Utf8ToWin1251("абвгдеёжзийклмнопрстуфхцчшщъыьэюя")
            + codepage::Utf8ToWin1251("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"));
    }
    for (size_t i = 0; i < m_modifierChecked.size(); ++i)
        m_modifierChecked[i] = m_engine.Modifier(kEngineIndex[i]);
    m_engine.SetModifier(TRegex::kModR, true);
    EncodeSpaceChars();
    m_editWordChars = m_engine.WordChars();
}

void RuleCompiler::restoreSettings(const app::Settings& settings)
{
    CheckBoxModifierClick(GlobalModifier::I, settings.CheckBoxModifierI_Checked);
    CheckBoxModifierClick(GlobalModifier::M, settings.CheckBoxModifierM_Checked);
    CheckBoxModifierClick(GlobalModifier::S, settings.CheckBoxModifierS_Checked);
    CheckBoxModifierClick(GlobalModifier::X, settings.CheckBoxModifierX_Checked);
    CheckBoxModifierClick(GlobalModifier::G, settings.CheckBoxModifierG_Checked);
    if (settings.rbSimpleReplace_Checked)
        ReplaceModeRadioClick(ReplaceMode::Simple);
    if (settings.rbSubstitute_Checked)
        ReplaceModeRadioClick(ReplaceMode::Substitution);
    if (settings.rbExtendedReplace_Checked)
        ReplaceModeRadioClick(ReplaceMode::Extended);
    m_editSpaceChars = settings.EditSpaceChars_Text;
    m_editWordChars = settings.EditWordChars_Text;
}

bool RuleCompiler::applyAtShow(FieldFeedback& feedback)
{
    m_engine.SetModifier(TRegex::kModR, true);
    bool ok = true;
    if (m_editSpaceChars.empty())
        EncodeSpaceChars();
    else
        ok = DecodeSpaceChars(feedback);
    if (m_editWordChars.empty())
        m_editWordChars = m_engine.WordChars();
    else
        m_engine.SetWordChars(m_editWordChars);
    ApplyGlobalModifiers();
    return ok;
}

void RuleCompiler::storeSettings(app::Settings& settings) const
{
    settings.CheckBoxModifierI_Checked = modifierChecked(GlobalModifier::I);
    settings.CheckBoxModifierM_Checked = modifierChecked(GlobalModifier::M);
    settings.CheckBoxModifierS_Checked = modifierChecked(GlobalModifier::S);
    settings.CheckBoxModifierX_Checked = modifierChecked(GlobalModifier::X);
    settings.CheckBoxModifierG_Checked = modifierChecked(GlobalModifier::G);
    settings.rbSimpleReplace_Checked = m_globalModeItem == ReplaceMode::Simple;
    settings.rbSubstitute_Checked = m_globalModeItem == ReplaceMode::Substitution;
    settings.rbExtendedReplace_Checked = m_globalModeItem == ReplaceMode::Extended;
    settings.EditSpaceChars_Text = m_editSpaceChars;
    settings.EditWordChars_Text = m_editWordChars;
}

void ReportCheckFailure(FieldFeedback& feedback, RuleField field, const CheckResult& result)
{
    feedback.ShowMessage(result.message);
    feedback.FocusAndSelect(field, result.selectStart, result.selectLength);
}

} // namespace morvane::rules
