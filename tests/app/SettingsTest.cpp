// The persisted settings: built-in values, the keys they are stored under, reading over the
// built-in values, and writing back into a file that holds other things too.

#include "app/Settings.h"

#include "codepage/CodePage.h"

#include "fakes/UniqueTempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using morvane::app::IniFile;
using morvane::app::Settings;
using morvane::codepage::Utf8ToWin1251;
using Lines = std::vector<std::string>;

namespace {

Settings BuiltIn()
{
    return Settings("/prog/", false);
}

} // namespace

TEST(Settings, RussianLocaleAddsCyrillicWordCharacters)
{
    const std::string chars = Settings("/prog/", true).EditWordChars_Text;
    const std::string latin = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
    ASSERT_EQ(chars.size(), latin.size() + 66);
    EXPECT_EQ(chars.substr(0, latin.size()), latin);
    // E0 to E5, B8 (ё), E6 to FF, then C0 to C5, A8 (Ё), C6 to DF.
    std::string expected;
    for (int c = 0xE0; c <= 0xE5; ++c)
        expected += char(c);
    expected += '\xB8';
    for (int c = 0xE6; c <= 0xFF; ++c)
        expected += char(c);
    for (int c = 0xC0; c <= 0xC5; ++c)
        expected += char(c);
    expected += '\xA8';
    for (int c = 0xC6; c <= 0xDF; ++c)
        expected += char(c);
    EXPECT_EQ(chars.substr(latin.size()), expected);
}

TEST(Settings, BuiltInsAreWrittenUnderTheirKeys)
{
    IniFile ini;
    BuiltIn().save(ini);
    const struct {
        const char* section;
        const char* key;
        std::string value;
    } cases[] = {
        { "TFormMain", "tbSubDir_Down", "False" },
        { "TFormMain", "miHideFiles_Checked", "False" },
        { "TFormMain", "tbSaveBackup_Down", "True" },
        { "TFormMain", "miReport_Checked", "True" },
        { "TFormMain", "tbWordWrap_Down", "True" },
        { "TFormMain", "tbWordWrapMemo_Down", "True" },
        { "TFormMain", "tbColour_Down", "False" },
        { "TFormMain", "tbWebBrowser_Down", "False" },
        { "TFormMain", "CheckBoxModifierI_Checked", "False" },
        { "TFormMain", "CheckBoxModifierM_Checked", "True" },
        { "TFormMain", "CheckBoxModifierS_Checked", "True" },
        { "TFormMain", "CheckBoxModifierX_Checked", "False" },
        { "TFormMain", "CheckBoxModifierG_Checked", "True" },
        { "TFormMain", "rbSimpleReplace_Checked", "False" },
        { "TFormMain", "rbSubstitute_Checked", "False" },
        { "TFormMain", "rbExtendedReplace_Checked", "True" },
        { "TFormMain", "EditSpaceChars_Text", R"(\x20\x09\x0A\x0D\x0C)" },
        { "TFormMain", "miSetTime_Caption", Utf8ToWin1251("Изменить время отклика - 0.500 sec") },
        { "TFormMain", "miAutoSave_Checked", "True" },
        { "TFormMain", "miLanguageEnglish_Checked", "False" },
        { "TFormMain", "LabelDir_Caption", "" },
        { "TFormMain", "cbMask_Text", "*.*" },
        { "TFormMain", "sbSortName_Down", "False" },
        { "TFormMain", "sbSortExt_Down", "True" },
        { "TFormMain", "sbSortDate_Down", "False" },
        { "TFormMain", "sbSortSize_Down", "False" },
        { "TFormMain", "LabelReplToFile_Caption", "" },
        { "TFormMain", "cbCodePage_ItemIndex", "0" },
        { "TFormMain", "LabelListRegExpr_Caption", "/prog/RegExpr.tbl" },
        { "TFormMain", "PageControlMain_ActivePage", "TabSheetWork" },
        { "TFormMain", "lvReportColumnsWidth1", "70" },
        { "TFormMain", "lvReportColumnsWidth2", "70" },
        { "TFormSetModeConverter", "cbFromCodePage_ItemIndex", "1" },
        { "TFormSetModeConverter", "cbToCodePage_ItemIndex", "0" },
        { "TFormSetFileSplit", "rbReplaceCount_Checked", "True" },
        { "TFormSetFileSplit", "rbFoundCount_Checked", "False" },
        { "TFormSetFileSplit", "CheckBoxFileNameSource_Checked", "True" },
        { "TFormSetFileSplit", "FileName_Text", "" },
        { "TFormSetFileSplit", "ceStartNumber_Value", "0" },
        { "TFormSetFileSplit", "ceNumberLength_Value", "0" },
        { "TFormSetFileSplit", "edDelimiter_Text", "_" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.value(c.section, c.key), c.value) << c.section << " " << c.key;
    EXPECT_EQ(ini.value("TFormMain", "EditWordChars_Text"),
        "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_");
    EXPECT_EQ(ini.readList("TFormMain", "cbMask_Items"),
        (Lines { "*.*", "*.htm", "*.txt", "*.rtf", "*.txt;*.rtf;*.htm" }));
    EXPECT_EQ(ini.value("TFormMain.cbMask_Items", "Count"), "5");
    // Placement and appearance without a value are not written at all.
    EXPECT_EQ(ini.value("TFormMain", "Left"), std::nullopt);
    EXPECT_EQ(ini.value("TFormMain", "cbFind_Font"), std::nullopt);
    EXPECT_FALSE(ini.hasSection("TFormWebBrowser"));
}

TEST(Settings, RoundTripOfChangedValues)
{
    Settings s = BuiltIn();
    s.tbSubDir_Down = true;
    s.tbSaveBackup_Down = false;
    s.CheckBoxModifierI_Checked = true;
    s.rbExtendedReplace_Checked = false;
    s.rbSubstitute_Checked = true;
    s.EditSpaceChars_Text = R"(\x20\x09)";
    s.EditWordChars_Text = "abc" + Utf8ToWin1251("жЖ");
    s.miSetTime_Caption = Utf8ToWin1251("Изменить время отклика - 2.250 sec");
    s.LabelDir_Caption = Utf8ToWin1251("/home/u/Документы");
    s.cbMask_Text = "  *.txt ; *.htm  "; // what the user typed, blanks and all
    s.cbMask_Items = { "*.c", " *.h ", "" };
    s.sbSortExt_Down = false;
    s.sbSortDate_Down = true;
    s.cbCodePage_ItemIndex = 4; // UTF-8
    s.PageControlMain_ActivePage = "TabSheetOptions";
    s.lvReportColumnsWidth1 = 0;
    s.lvReportColumnsWidth2 = -5;
    s.MainPlacement = { -20, 30, 800, 600, true };
    s.PreviewPlacement.Width = 640;
    s.FilePanel_Width = 250;
    s.Appearance["cbFind_Font"] = "Monospace,10,-1,5,50,0,0,0,0,0";
    s.Appearance["mmReplace_Color"] = "#ffffe0";
    s.cbFromCodePage_ItemIndex = 4;
    s.cbToCodePage_ItemIndex = 3;
    s.miLanguageEnglish_Checked = true;
    s.rbReplaceCount_Checked = false;
    s.rbFoundCount_Checked = true;
    s.CheckBoxFileNameSource_Checked = false;
    s.FileName_Text = "/tmp/out.txt";
    s.ceStartNumber_Value = 1000000;
    s.ceNumberLength_Value = 10;
    s.edDelimiter_Text = " - ";

    IniFile ini;
    s.save(ini);
    Settings back = BuiltIn();
    back.load(IniFile::FromText(ini.toText()));
    EXPECT_EQ(back, s);
}

TEST(Settings, AbsentKeysKeepTheBuiltInValues)
{
    Settings s = BuiltIn();
    s.load(IniFile::FromText("[TFormMain]\r\ntbSubDir_Down=True\r\n"));
    Settings expected = BuiltIn();
    expected.tbSubDir_Down = true;
    EXPECT_EQ(s, expected);

    Settings empty = BuiltIn();
    empty.load(IniFile());
    EXPECT_EQ(empty, BuiltIn());
}

TEST(Settings, MalformedValuesKeepTheBuiltInValue)
{
    const struct {
        const char* line;
    } cases[] = {
        { "tbSaveBackup_Down=Yes" },
        { "tbSaveBackup_Down=" },
        { "tbSaveBackup_Down=Truex" },
        { "tbSaveBackup_Down=2" },
        { "lvReportColumnsWidth1=7O" },
        { "lvReportColumnsWidth1=" },
        { "lvReportColumnsWidth1=70.5" },
        { "lvReportColumnsWidth1=0x46" },
        { "lvReportColumnsWidth1=99999999999" },
        { "lvReportColumnsWidth1=- 5" },
        { "cbCodePage_ItemIndex=5" }, // beyond the control's items
        { "cbCodePage_ItemIndex=-1" },
        { "PageControlMain_ActivePage=TabSheetMsg" }, // the hidden page is never shown
        { "PageControlMain_ActivePage=Nonsense" },
        { "Left=left" },
    };
    for (const auto& c : cases) {
        Settings s = BuiltIn();
        s.load(IniFile::FromText(std::string("[TFormMain]\n") + c.line + "\n"));
        EXPECT_EQ(s, BuiltIn()) << c.line;
    }
}

TEST(Settings, TypedValuesAcceptTheirUsualSpellings)
{
    Settings s = BuiltIn();
    s.load(IniFile::FromText("[TFormMain]\n"
                             "tbSaveBackup_Down= false \n"
                             "tbSubDir_Down=TRUE\n"
                             "tbColour_Down=1\n"
                             "lvReportColumnsWidth1= +120 \n"
                             "lvReportColumnsWidth2=-3\n"
                             "PageControlMain_ActivePage=TabSheetReport \n"
                             "[TFormSetFileSplit]\n"
                             "ceStartNumber_Value=1000001\n" // above the field's maximum: kept
                             "ceNumberLength_Value=10\n"));
    EXPECT_FALSE(s.tbSaveBackup_Down);
    EXPECT_TRUE(s.tbSubDir_Down);
    EXPECT_TRUE(s.tbColour_Down);
    EXPECT_EQ(s.lvReportColumnsWidth1, 120);
    EXPECT_EQ(s.lvReportColumnsWidth2, -3);
    EXPECT_EQ(s.PageControlMain_ActivePage, "TabSheetReport");
    EXPECT_EQ(s.ceStartNumber_Value, 0);
    EXPECT_EQ(s.ceNumberLength_Value, 10);
}

TEST(Settings, ExactlyOneOfAGroupIsOnAfterLoading)
{
    const struct {
        const char* lines;
        bool name, ext, date, size;
    } cases[] = {
        { "sbSortDate_Down=True\n", false, false, true, false }, // the file's choice beats the built-in
        { "sbSortName_Down=True\nsbSortExt_Down=False\n", true, false, false, false },
        { "sbSortExt_Down=False\n", false, true, false, false }, // none on: back to the built-in
        { "sbSortName_Down=False\nsbSortExt_Down=False\nsbSortDate_Down=False\nsbSortSize_Down=False\n",
            false, true, false, false },
        { "sbSortSize_Down=True\nsbSortDate_Down=True\n", false, false, true, false }, // first wins
    };
    for (const auto& c : cases) {
        Settings s = BuiltIn();
        s.load(IniFile::FromText(std::string("[TFormMain]\n") + c.lines));
        EXPECT_EQ(s.sbSortName_Down, c.name) << c.lines;
        EXPECT_EQ(s.sbSortExt_Down, c.ext) << c.lines;
        EXPECT_EQ(s.sbSortDate_Down, c.date) << c.lines;
        EXPECT_EQ(s.sbSortSize_Down, c.size) << c.lines;
    }

    Settings modes = BuiltIn();
    modes.load(IniFile::FromText("[TFormMain]\nrbSimpleReplace_Checked=True\nrbSubstitute_Checked=True\n"));
    EXPECT_TRUE(modes.rbSimpleReplace_Checked);
    EXPECT_FALSE(modes.rbSubstitute_Checked);
    EXPECT_FALSE(modes.rbExtendedReplace_Checked);

    Settings split = BuiltIn();
    split.load(IniFile::FromText("[TFormSetFileSplit]\nrbReplaceCount_Checked=False\n"));
    EXPECT_TRUE(split.rbReplaceCount_Checked);
    EXPECT_FALSE(split.rbFoundCount_Checked);
}

TEST(Settings, SavingKeepsForeignSectionsAndKeys)
{
    IniFile ini = IniFile::FromText("[TFormMain]\r\nUserNote=hello\r\ncbMask_Text=old\r\n"
                                    "[TFormMain.cbMask_Items]\r\nCount=1\r\nItem0=old\r\nStray=x\r\n"
                                    "[SomeTool]\r\nk=v\r\n");
    Settings s = BuiltIn();
    s.load(ini);
    EXPECT_EQ(s.cbMask_Items, (Lines { "old" }));
    s.cbMask_Items.clear();
    s.save(ini);
    EXPECT_EQ(ini.value("TFormMain", "UserNote"), "hello");
    EXPECT_EQ(ini.value("TFormMain", "cbMask_Text"), "old");
    EXPECT_EQ(ini.value("SomeTool", "k"), "v");
    EXPECT_FALSE(ini.hasSection("TFormMain.cbMask_Items")); // an empty list has no section

    s.cbMask_Items = { "a" };
    s.save(ini);
    EXPECT_EQ(ini.keys("TFormMain.cbMask_Items"), (Lines { "Count", "Item0" }));
}

TEST(Settings, UnknownAppearanceKeysAreNotTakenIn)
{
    Settings s = BuiltIn();
    s.load(IniFile::FromText("[TFormMain]\ncbFind_Color=#102030\nbogus_Font=x\n"));
    EXPECT_EQ(s.Appearance.size(), 1u);
    EXPECT_EQ(s.Appearance.at("cbFind_Color"), "#102030");
    const auto keys = morvane::app::AppearanceKeys();
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "LabelDir_Font"), 1);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "mmReplace_Font"), 0); // its font lives in LabelDir
}

class SettingsFile : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = morvane::test::UniqueTempDir("morvane-settings");
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_path = m_dir / "Morvane.ini";
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::filesystem::path m_dir;
    std::filesystem::path m_path;
};

TEST_F(SettingsFile, FirstStartWithoutAFileUsesTheBuiltIns)
{
    Settings s = BuiltIn();
    EXPECT_EQ(morvane::app::LoadSettingsFile(m_path, s), std::nullopt);
    EXPECT_EQ(s, BuiltIn());
}

TEST_F(SettingsFile, ResponseIntervalSurvivesARestart)
{
    Settings s = BuiltIn();
    s.miSetTime_Caption = Utf8ToWin1251("Изменить время отклика - 2.250 sec");
    ASSERT_EQ(morvane::app::SaveSettingsFile(m_path, s), std::nullopt);
    Settings next = BuiltIn();
    ASSERT_EQ(morvane::app::LoadSettingsFile(m_path, next), std::nullopt);
    EXPECT_EQ(next.miSetTime_Caption, s.miSetTime_Caption);
}

TEST_F(SettingsFile, SaveKeepsWhatOthersWroteSinceStartUp)
{
    ASSERT_EQ(morvane::app::SaveSettingsFile(m_path, BuiltIn()), std::nullopt);
    {
        IniFile ini;
        ASSERT_EQ(morvane::app::LoadIniFile(m_path, ini), std::nullopt);
        ini.setValue("Hand", "edit", "kept");
        ASSERT_EQ(morvane::app::SaveIniFile(m_path, ini), std::nullopt);
    }
    Settings s = BuiltIn();
    s.tbColour_Down = true;
    ASSERT_EQ(morvane::app::SaveSettingsFile(m_path, s), std::nullopt);
    IniFile ini;
    ASSERT_EQ(morvane::app::LoadIniFile(m_path, ini), std::nullopt);
    EXPECT_EQ(ini.value("Hand", "edit"), "kept");
    EXPECT_EQ(ini.value("TFormMain", "tbColour_Down"), "True");
}

TEST_F(SettingsFile, UnreadableFileIsNeitherReadNorOverwritten)
{
    std::filesystem::create_directory(m_path);
    Settings s = BuiltIn();
    s.tbColour_Down = true;
    const auto loadError = morvane::app::LoadSettingsFile(m_path, s);
    ASSERT_TRUE(loadError.has_value());
    EXPECT_EQ(loadError->message.rfind("Cannot open file", 0), 0u);
    EXPECT_TRUE(s.tbColour_Down);
    const auto saveError = morvane::app::SaveSettingsFile(m_path, s);
    ASSERT_TRUE(saveError.has_value());
    EXPECT_TRUE(std::filesystem::is_directory(m_path));
}
