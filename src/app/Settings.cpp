#include "app/Settings.h"

#include "app/FileError.h"
#include "codepage/CodePage.h"

#include <array>
#include <charconv>
#include <limits>
#include <system_error>

namespace morvane::app {

namespace {

constexpr std::array<std::string_view, 29> kAppearanceKeys {
    "cbFind_Color",
    "cbFind_Font",
    "cbReplace_Color",
    "cbReplace_Font",
    "cbRemark_Color",
    "cbRemark_Font",
    "cbDrive_Color",
    "cbDrive_Font",
    "cbMask_Color",
    "cbMask_Font",
    "lvFiles_Color",
    "lvFiles_Font",
    "reSource_Color",
    "reSource_Font",
    "lvReport_Color",
    "lvReport_Font",
    "sgRegExpr_Color",
    "sgRegExpr_Font",
    "MemoFind_Color",
    "MemoFind_Font",
    "MemoReplace_Color",
    "MemoReplace_Font",
    "EditSpaceChars_Color",
    "EditSpaceChars_Font",
    "EditWordChars_Color",
    "EditWordChars_Font",
    "mmReplace_Color",
    "cbCodePage_Color",
    "LabelDir_Font",
};

constexpr std::array<std::string_view, 4> kPageNames {
    "TabSheetManual",
    "TabSheetWork",
    "TabSheetReport",
    "TabSheetOptions",
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::optional<bool> ParseBool(std::string_view text)
{
    text = Trimmed(text);
    if (EqualsIgnoringCase(text, "True") || text == "1")
        return true;
    if (EqualsIgnoringCase(text, "False") || text == "0")
        return false;
    return std::nullopt;
}

std::optional<int> ParseInt(std::string_view text)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// An integer setting and the range its control accepts.
struct IntField {
    int& value;
    int min;
    int max;
};
struct ConstIntField {
    const int& value;
};

constexpr int kAnyMin = std::numeric_limits<int>::min();
constexpr int kAnyMax = std::numeric_limits<int>::max();

// Loading and saving share one list of keys: each visitor below gets every field with its
// section and key, in the order they are written.
class Loader {
public:
    explicit Loader(const IniFile& ini)
        : m_ini(ini)
    {
    }

    void operator()(std::string_view section, std::string_view key, bool& field)
    {
        if (const auto text = m_ini.value(section, key)) {
            if (const auto parsed = ParseBool(*text))
                field = *parsed;
        }
    }
    void operator()(std::string_view section, std::string_view key, IntField field)
    {
        if (const auto text = m_ini.value(section, key)) {
            if (const auto parsed = ParseInt(*text); parsed && *parsed >= field.min && *parsed <= field.max)
                field.value = *parsed;
        }
    }
    void operator()(std::string_view section, std::string_view key, std::string& field)
    {
        if (auto text = m_ini.value(section, key))
            field = std::move(*text);
    }
    void operator()(std::string_view section, std::string_view key, std::vector<std::string>& field)
    {
        if (auto items = m_ini.readList(section, key))
            field = std::move(*items);
    }
    void operator()(std::string_view section, std::string_view key, std::optional<int>& field)
    {
        if (const auto text = m_ini.value(section, key)) {
            if (const auto parsed = ParseInt(*text))
                field = *parsed;
        }
    }
    void operator()(std::string_view section, std::string_view key, std::optional<bool>& field)
    {
        if (const auto text = m_ini.value(section, key)) {
            if (const auto parsed = ParseBool(*text))
                field = *parsed;
        }
    }

private:
    const IniFile& m_ini;
};

class Saver {
public:
    explicit Saver(IniFile& ini)
        : m_ini(ini)
    {
    }

    void operator()(std::string_view section, std::string_view key, bool field)
    {
        m_ini.setValue(section, key, field ? "True" : "False");
    }
    void operator()(std::string_view section, std::string_view key, ConstIntField field)
    {
        m_ini.setValue(section, key, std::to_string(field.value));
    }
    void operator()(std::string_view section, std::string_view key, const std::string& field)
    {
        m_ini.setValue(section, key, field);
    }
    void operator()(std::string_view section, std::string_view key, const std::vector<std::string>& field)
    {
        m_ini.writeList(section, key, field);
    }
    void operator()(std::string_view section, std::string_view key, const std::optional<int>& field)
    {
        if (field)
            m_ini.setValue(section, key, std::to_string(*field));
    }
    void operator()(std::string_view section, std::string_view key, const std::optional<bool>& field)
    {
        if (field)
            m_ini.setValue(section, key, *field ? "True" : "False");
    }

private:
    IniFile& m_ini;
};

IntField Int(int& value, int min = kAnyMin, int max = kAnyMax)
{
    return IntField { value, min, max };
}
ConstIntField Int(const int& value, int = kAnyMin, int = kAnyMax)
{
    return ConstIntField { value };
}

template <class Placement, class Visitor>
void VisitPlacement(std::string_view section, Placement& p, Visitor& v)
{
    v(section, "Left", p.Left);
    v(section, "Top", p.Top);
    v(section, "Width", p.Width);
    v(section, "Height", p.Height);
    v(section, "Maximized", p.Maximized);
}

// The one list of persisted keys. `self` is a Settings or a const Settings.
template <class Self, class Visitor> void VisitFields(Self& s, Visitor& v)
{
    const std::string_view m = kMainSection;
    VisitPlacement(m, s.MainPlacement, v);
    v(m, "tbSubDir_Down", s.tbSubDir_Down);
    v(m, "miHideFiles_Checked", s.miHideFiles_Checked);
    v(m, "tbSaveBackup_Down", s.tbSaveBackup_Down);
    v(m, "miReport_Checked", s.miReport_Checked);
    v(m, "tbWordWrap_Down", s.tbWordWrap_Down);
    v(m, "tbWordWrapMemo_Down", s.tbWordWrapMemo_Down);
    v(m, "tbColour_Down", s.tbColour_Down);
    v(m, "tbWebBrowser_Down", s.tbWebBrowser_Down);
    v(m, "CheckBoxModifierI_Checked", s.CheckBoxModifierI_Checked);
    v(m, "CheckBoxModifierM_Checked", s.CheckBoxModifierM_Checked);
    v(m, "CheckBoxModifierS_Checked", s.CheckBoxModifierS_Checked);
    v(m, "CheckBoxModifierX_Checked", s.CheckBoxModifierX_Checked);
    v(m, "CheckBoxModifierG_Checked", s.CheckBoxModifierG_Checked);
    v(m, "rbSimpleReplace_Checked", s.rbSimpleReplace_Checked);
    v(m, "rbSubstitute_Checked", s.rbSubstitute_Checked);
    v(m, "rbExtendedReplace_Checked", s.rbExtendedReplace_Checked);
    v(m, "EditSpaceChars_Text", s.EditSpaceChars_Text);
    v(m, "EditWordChars_Text", s.EditWordChars_Text);
    v(m, "miSetTime_Caption", s.miSetTime_Caption);
    v(m, "miAutoSave_Checked", s.miAutoSave_Checked);
    v(m, "miLanguageEnglish_Checked", s.miLanguageEnglish_Checked);
    v(m, "LabelDir_Caption", s.LabelDir_Caption);
    v(m, "cbMask_Text", s.cbMask_Text);
    v(m, "cbMask_Items", s.cbMask_Items);
    v(m, "sbSortName_Down", s.sbSortName_Down);
    v(m, "sbSortExt_Down", s.sbSortExt_Down);
    v(m, "sbSortDate_Down", s.sbSortDate_Down);
    v(m, "sbSortSize_Down", s.sbSortSize_Down);
    v(m, "LabelReplToFile_Caption", s.LabelReplToFile_Caption);
    v(m, "cbCodePage_ItemIndex", Int(s.cbCodePage_ItemIndex, 0, 4));
    v(m, "LabelListRegExpr_Caption", s.LabelListRegExpr_Caption);
    v(m, "PanelAction_Height", s.PanelAction_Height);
    v(m, "PanelSetWordChars_Height", s.PanelSetWordChars_Height);
    v(m, "FilePanel_Width", s.FilePanel_Width);
    // The active page is checked against the pages that can be shown (loaded separately).
    v(m, "lvReportColumnsWidth1", Int(s.lvReportColumnsWidth1));
    v(m, "lvReportColumnsWidth2", Int(s.lvReportColumnsWidth2));

    const std::string_view c = kConverterSection;
    v(c, "cbFromCodePage_ItemIndex", Int(s.cbFromCodePage_ItemIndex, 0, 4));
    v(c, "cbToCodePage_ItemIndex", Int(s.cbToCodePage_ItemIndex, 0, 3));

    const std::string_view f = kFileSplitSection;
    v(f, "rbReplaceCount_Checked", s.rbReplaceCount_Checked);
    v(f, "rbFoundCount_Checked", s.rbFoundCount_Checked);
    v(f, "CheckBoxFileNameSource_Checked", s.CheckBoxFileNameSource_Checked);
    v(f, "FileName_Text", s.FileName_Text);
    v(f, "ceStartNumber_Value", Int(s.ceStartNumber_Value, 0, 1000000));
    v(f, "ceNumberLength_Value", Int(s.ceNumberLength_Value, 0, 10));
    v(f, "edDelimiter_Text", s.edDelimiter_Text);

    VisitPlacement(kPreviewSection, s.PreviewPlacement, v);
}

// One flag of a group of which exactly one must be on, with its key.
struct GroupFlag {
    std::string_view key;
    bool* flag;
};

// Leaves exactly one flag of a group on. A flag that the file itself sets to True wins over
// one that is on only by its built-in value (a file naming only sbSortDate_Down=True means
// sorting by date); among equals the first wins; with none on, `fallback` is switched on.
void KeepOne(
    const IniFile& ini, std::string_view section, std::initializer_list<GroupFlag> group, bool* fallback)
{
    bool* chosen = nullptr;
    for (const GroupFlag& g : group) {
        const auto text = ini.value(section, g.key);
        if (text && ParseBool(*text) == true) {
            chosen = g.flag;
            break;
        }
    }
    for (const GroupFlag& g : group) {
        if (!chosen && *g.flag)
            chosen = g.flag;
    }
    if (!chosen)
        chosen = fallback;
    for (const GroupFlag& g : group)
        *g.flag = g.flag == chosen;
}

} // namespace

std::span<const std::string_view> AppearanceKeys()
{
    return kAppearanceKeys;
}

std::string DefaultWordChars(bool russianLocale)
{
    std::string chars = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
    if (russianLocale) {
        chars += codepage::Utf8ToWin1251("абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
        chars += codepage::Utf8ToWin1251("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    }
    return chars;
}

Settings::Settings(const std::filesystem::path& programDir, bool russianLocale)
    : EditWordChars_Text(DefaultWordChars(russianLocale))
    , miSetTime_Caption(codepage::Utf8ToWin1251("Изменить время отклика - 0.500 sec"))
    , LabelListRegExpr_Caption(PathText(programDir / "RegExpr.tbl"))
{
}

void Settings::load(const IniFile& ini)
{
    Loader loader(ini);
    VisitFields(*this, loader);

    if (const auto page = ini.value(kMainSection, "PageControlMain_ActivePage")) {
        for (std::string_view name : kPageNames) {
            if (Trimmed(*page) == name)
                PageControlMain_ActivePage = name;
        }
    }
    for (std::string_view key : kAppearanceKeys) {
        if (auto text = ini.value(kMainSection, key))
            Appearance.insert_or_assign(std::string(key), std::move(*text));
    }

    KeepOne(ini, kMainSection,
        { { "sbSortName_Down", &sbSortName_Down }, { "sbSortExt_Down", &sbSortExt_Down },
            { "sbSortDate_Down", &sbSortDate_Down }, { "sbSortSize_Down", &sbSortSize_Down } },
        &sbSortExt_Down);
    KeepOne(ini, kMainSection,
        { { "rbSimpleReplace_Checked", &rbSimpleReplace_Checked },
            { "rbSubstitute_Checked", &rbSubstitute_Checked },
            { "rbExtendedReplace_Checked", &rbExtendedReplace_Checked } },
        &rbExtendedReplace_Checked);
    KeepOne(ini, kFileSplitSection,
        { { "rbReplaceCount_Checked", &rbReplaceCount_Checked },
            { "rbFoundCount_Checked", &rbFoundCount_Checked } },
        &rbReplaceCount_Checked);
}

void Settings::save(IniFile& ini) const
{
    Saver saver(ini);
    VisitFields(*this, saver);
    ini.setValue(kMainSection, "PageControlMain_ActivePage", PageControlMain_ActivePage);
    for (std::string_view key : kAppearanceKeys) {
        if (const auto it = Appearance.find(key); it != Appearance.end())
            ini.setValue(kMainSection, key, it->second);
    }
}

std::optional<FileError> LoadSettingsFile(const std::filesystem::path& path, Settings& settings)
{
    IniFile ini;
    if (auto error = LoadIniFile(path, ini))
        return error;
    settings.load(ini);
    return std::nullopt;
}

std::optional<FileError> SaveSettingsFile(const std::filesystem::path& path, const Settings& settings)
{
    IniFile ini;
    if (auto error = LoadIniFile(path, ini))
        return error;
    settings.save(ini);
    return SaveIniFile(path, ini);
}

} // namespace morvane::app
