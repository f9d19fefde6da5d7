#pragma once
// Every persisted setting of the program with its built-in value, in one place, and its
// mapping to the settings file "Morvane.ini". The window binds its controls to these fields at
// start-up and copies them back before close; the key names are the control name, "_" and the
// property name, exactly as the file has always stored them. Covered by
// tests/app/SettingsTest.cpp.
//
// Reading (load) overlays the file on the built-in values: an absent key, and a value that does
// not read as its type (a boolean other than True/False/1/0, an integer with stray characters
// or outside the control's range, an unknown page name) keeps the value it had. Groups of which
// exactly one must be on (the sort buttons, the replace-mode radio buttons, the numbering
// radio buttons) are then made consistent: the first one the file sets to True wins, else the
// first one that is on, and with none on the built-in choice is restored. Writing (save) sets every key in an
// IniFile that may hold other keys and sections, which stay as they are.

#include "app/IniFile.h"

#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::app {

// Section names of the settings file.
inline constexpr std::string_view kMainSection = "TFormMain";
inline constexpr std::string_view kConverterSection = "TFormSetModeConverter";
inline constexpr std::string_view kFileSplitSection = "TFormSetFileSplit";
inline constexpr std::string_view kPreviewSection = "TFormWebBrowser";

// A window's position and size; absent fields leave the choice to the window system.
struct WindowPlacement {
    std::optional<int> Left;
    std::optional<int> Top;
    std::optional<int> Width;
    std::optional<int> Height;
    std::optional<bool> Maximized;

    bool operator==(const WindowPlacement&) const = default;
};

// Keys of the appearance properties (colours, fonts, panel sizes' companions) in section
// TFormMain. Their values are texts whose encoding belongs to the window layer; the store
// keeps whatever it is given and has no built-in value for them (absent: the design look).
std::span<const std::string_view> AppearanceKeys();

struct Settings {
    // Built-in values. `programDir` gives the default rule table path; `russianLocale` adds
    // the Cyrillic letters to the default word characters, as start-up does for the engine.
    Settings(const std::filesystem::path& programDir, bool russianLocale);

    // ---- TFormMain: behaviour ----
    bool tbSubDir_Down = false;
    bool miHideFiles_Checked = false;
    bool tbSaveBackup_Down = true;
    bool miReport_Checked = true;
    bool tbWordWrap_Down = true;
    bool tbWordWrapMemo_Down = true;
    bool tbColour_Down = false;
    bool tbWebBrowser_Down = false;
    bool CheckBoxModifierI_Checked = false;
    bool CheckBoxModifierM_Checked = true;
    bool CheckBoxModifierS_Checked = true;
    bool CheckBoxModifierX_Checked = false;
    bool CheckBoxModifierG_Checked = true;
    bool rbSimpleReplace_Checked = false;
    bool rbSubstitute_Checked = false;
    bool rbExtendedReplace_Checked = true;
    // Each character of \s as "\x" and two upper-case hex digits: blank, TAB, LF, CR, FF.
    std::string EditSpaceChars_Text = "\\x20\\x09\\x0A\\x0D\\x0C";
    // The characters of \w as plain Windows-1251 text.
    std::string EditWordChars_Text;
    // Windows-1251; the last 9 characters carry the response interval.
    std::string miSetTime_Caption;
    bool miAutoSave_Checked = true;
    // The interface language: English instead of the built-in Russian table.
    bool miLanguageEnglish_Checked = false;
    // Current directory of the file panel (program text); empty: the root is used.
    std::string LabelDir_Caption;
    std::string cbMask_Text = "*.*";
    std::vector<std::string> cbMask_Items { "*.*", "*.htm", "*.txt", "*.rtf", "*.txt;*.rtf;*.htm" };
    bool sbSortName_Down = false;
    bool sbSortExt_Down = true;
    bool sbSortDate_Down = false;
    bool sbSortSize_Down = false;
    // The file collecting all replacements (program text); empty: none.
    std::string LabelReplToFile_Caption;
    int cbCodePage_ItemIndex = 0; // 0 Windows-1251, 1 KOI8-R, 2 DOS-866, 3 AutoDetect, 4 UTF-8
    // The current rule table path (program text).
    std::string LabelListRegExpr_Caption;
    std::string PageControlMain_ActivePage = "TabSheetWork";
    int lvReportColumnsWidth1 = 70;
    int lvReportColumnsWidth2 = 70;

    // ---- TFormMain: appearance ----
    WindowPlacement MainPlacement;
    std::optional<int> PanelAction_Height;
    std::optional<int> PanelSetWordChars_Height;
    std::optional<int> FilePanel_Width;
    // Colours and fonts by key (see AppearanceKeys()); only those keys are read and written.
    std::map<std::string, std::string, std::less<>> Appearance;

    // ---- TFormSetModeConverter ----
    int cbFromCodePage_ItemIndex = 1; // KOI8-R (indices as cbCodePage)
    int cbToCodePage_ItemIndex = 0; // Windows-1251 (no AutoDetect here; 3 UTF-8)

    // ---- TFormSetFileSplit ----
    bool rbReplaceCount_Checked = true;
    bool rbFoundCount_Checked = false;
    bool CheckBoxFileNameSource_Checked = true;
    std::string FileName_Text;
    int ceStartNumber_Value = 0; // 0 to 1000000
    int ceNumberLength_Value = 0; // 0 to 10
    std::string edDelimiter_Text = "_";

    // ---- TFormWebBrowser ----
    WindowPlacement PreviewPlacement;

    // Overlays the values stored in `ini` (see the file comment).
    void load(const IniFile& ini);
    // Writes every setting into `ini`, leaving its other keys and sections alone. List
    // sections are erased first and omitted for empty lists; absent optional values are not
    // written (a key already in `ini` stays).
    void save(IniFile& ini) const;

    bool operator==(const Settings&) const = default;
};

// The built-in word characters: digits, Latin letters and "_", followed for a Russian locale
// by the 33 lower-case and 33 upper-case Cyrillic letters in alphabetical order (Windows-1251).
std::string DefaultWordChars(bool russianLocale);

// Reads the settings file at `path` over `settings`. A missing file changes nothing; a file that
// exists but cannot be read gives the "Cannot open file" error and changes nothing.
std::optional<FileError> LoadSettingsFile(const std::filesystem::path& path, Settings& settings);

// Writes `settings` to `path`, keeping what the file holds besides them: the file is read
// again first, so sections and keys written by others (or by hand) since start-up survive.
// An existing file that cannot be read is not overwritten (its "Cannot open file" error is
// returned); a failed write gives the "Cannot create file" error and leaves the old file.
std::optional<FileError> SaveSettingsFile(const std::filesystem::path& path, const Settings& settings);

} // namespace morvane::app
