// The INI store: reading every line end, skipping malformed lines, keeping what it does not
// know, list sections, and the file round trip.

#include "app/IniFile.h"

#include "fakes/UniqueTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using morvane::app::IniFile;
using Lines = std::vector<std::string>;

TEST(IniFile, ReadsSectionsAndKeysWithEveryLineEnd)
{
    const IniFile ini = IniFile::FromText("[A]\r\nk1=v1\rk2=v2\nk3=v3\r\n[B]\nk1=other");
    EXPECT_EQ(ini.sections(), (Lines { "A", "B" }));
    EXPECT_EQ(ini.keys("A"), (Lines { "k1", "k2", "k3" }));
    EXPECT_EQ(ini.value("A", "k1"), "v1");
    EXPECT_EQ(ini.value("A", "k2"), "v2");
    EXPECT_EQ(ini.value("A", "k3"), "v3");
    EXPECT_EQ(ini.value("B", "k1"), "other"); // last line without an ending
    EXPECT_EQ(ini.value("A", "missing"), std::nullopt);
    EXPECT_EQ(ini.value("C", "k1"), std::nullopt);
}

TEST(IniFile, ValueParsing)
{
    const struct {
        std::string line;
        std::string key;
        std::optional<std::string> value;
    } cases[] = {
        { "k=v", "k", "v" }, { "  k  =v", "k", "v" }, // blanks around the key go
        { "\tk\t=v", "k", "v" }, { "k= v ", "k", " v " }, // the value is verbatim
        { "k=", "k", "" }, { "k==v", "k", "=v" }, // the first "=" separates
        { "k=a=b", "k", "a=b" }, { "k=\"q\"", "k", "\"q\"" }, // no unquoting
        { "k=;not a comment", "k", ";not a comment" }, { "k=[x]", "k", "[x]" },
        { "k=\xC0\xE1\xE2", "k", "\xC0\xE1\xE2" }, // Windows-1251 bytes
        { "my key=v", "my key", "v" }, { "K=v", "k", "v" }, // names compare case-insensitively
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::FromText("[S]\r\n" + c.line + "\r\n");
        EXPECT_EQ(ini.value("s", c.key), c.value) << c.line;
    }
}

TEST(IniFile, MalformedLinesAreSkippedAndNotWrittenBack)
{
    const IniFile ini = IniFile::FromText("[S]\r\n"
                                          "no equals sign\r\n"
                                          "=no key\r\n"
                                          "   =\r\n"
                                          "[unclosed\r\n"
                                          "k=v\r\n"
                                          "\r\n"
                                          "   \r\n"
                                          "k2=v2\r\n");
    EXPECT_EQ(ini.sections(), (Lines { "S" }));
    EXPECT_EQ(ini.keys("S"), (Lines { "k", "k2" })); // the unclosed header opened nothing
    EXPECT_EQ(ini.toText(), "[S]\r\nk=v\r\nk2=v2\r\n");
}

TEST(IniFile, DuplicatesKeepTheFirstValueAndMergeSections)
{
    const IniFile ini = IniFile::FromText("[S]\nk=1\nK=2\n[T]\nx=1\n[s]\nk=3\nj=4\n");
    EXPECT_EQ(ini.sections(), (Lines { "S", "T" }));
    EXPECT_EQ(ini.value("S", "k"), "1");
    EXPECT_EQ(ini.value("S", "j"), "4");
    EXPECT_EQ(ini.toText(), "[S]\r\nk=1\r\nj=4\r\n\r\n[T]\r\nx=1\r\n");
}

TEST(IniFile, SectionHeaderForms)
{
    const IniFile ini = IniFile::FromText("  [ Spaced ]  \n a=1\n[Tail] trailing words\nb=2\n[]\nc=3\n");
    EXPECT_EQ(ini.sections(), (Lines { "Spaced", "Tail", "" }));
    EXPECT_EQ(ini.value("Spaced", "a"), "1");
    EXPECT_EQ(ini.value("Tail", "b"), "2");
    EXPECT_EQ(ini.value("", "c"), "3");
}

TEST(IniFile, UnknownSectionsKeysAndCommentsSurviveAnUpdate)
{
    const std::string original = "; written by hand\r\n"
                                 "[TFormMain]\r\n"
                                 "Left=10\r\n"
                                 "; my favourite mask\r\n"
                                 "cbMask_Text=*.txt\r\n"
                                 "SomethingNew=keep me\r\n"
                                 "\r\n"
                                 "[OtherWindow]\r\n"
                                 "Top=5\r\n";
    IniFile ini = IniFile::FromText(original);
    ini.setValue("TFormMain", "cbMask_Text", "*.htm");
    ini.setValue("TFormMain", "tbSubDir_Down", "True");
    ini.setValue("NewSection", "k", "v");
    EXPECT_EQ(ini.toText(),
        "; written by hand\r\n"
        "\r\n"
        "[TFormMain]\r\n"
        "Left=10\r\n"
        "; my favourite mask\r\n"
        "cbMask_Text=*.htm\r\n"
        "SomethingNew=keep me\r\n"
        "tbSubDir_Down=True\r\n"
        "\r\n"
        "[OtherWindow]\r\n"
        "Top=5\r\n"
        "\r\n"
        "[NewSection]\r\n"
        "k=v\r\n");
}

TEST(IniFile, KeysBeforeTheFirstSectionBelongToNoSection)
{
    IniFile ini = IniFile::FromText("stray=1\n[S]\nk=v\n");
    EXPECT_EQ(ini.sections(), (Lines { "S" }));
    EXPECT_EQ(ini.value("S", "stray"), std::nullopt);
    EXPECT_EQ(ini.toText(), "stray=1\r\n\r\n[S]\r\nk=v\r\n");
}

TEST(IniFile, TextRoundTripIsExactForWhatTheStoreWrites)
{
    IniFile ini;
    ini.setValue("S", "blanks", "  two around  ");
    ini.setValue("S", "empty", "");
    ini.setValue("S", "high", "\xC8\xE7\xEC\xE5\xED\xE8\xF2\xFC \xA0\xFF");
    ini.setValue("S", "equals", "a=b=c");
    ini.setValue("T", "hash", "#not a comment");
    const IniFile back = IniFile::FromText(ini.toText());
    for (const char* key : { "blanks", "empty", "high", "equals" })
        EXPECT_EQ(back.value("S", key), ini.value("S", key)) << key;
    EXPECT_EQ(back.value("T", "hash"), "#not a comment");
    EXPECT_EQ(back.toText(), ini.toText());
}

TEST(IniFile, LineBreaksInsideValuesCannotBreakTheFile)
{
    IniFile ini;
    ini.setValue("S", "k", "one\r\ntwo\rthree\nfour");
    ini.setValue("S", "after", "x");
    EXPECT_EQ(ini.toText(), "[S]\r\nk=onetwothreefour\r\nafter=x\r\n");
}

TEST(IniFile, RemoveKeyAndEraseSection)
{
    IniFile ini = IniFile::FromText("[A]\nx=1\ny=2\n[B]\nz=3\n");
    ini.removeKey("A", "X");
    ini.removeKey("A", "absent");
    ini.removeKey("Absent", "y");
    EXPECT_EQ(ini.keys("A"), (Lines { "y" }));
    ini.eraseSection("a");
    EXPECT_FALSE(ini.hasSection("A"));
    EXPECT_TRUE(ini.hasSection("B"));
    EXPECT_EQ(ini.toText(), "[B]\r\nz=3\r\n");
}

TEST(IniFile, ListIsWrittenToItsOwnSection)
{
    IniFile ini;
    ini.setValue("TFormMain", "cbMask_Text", "*.*");
    ini.writeList("TFormMain", "cbMask_Items", { "*.*", "*.htm", " spaced " });
    EXPECT_EQ(ini.toText(),
        "[TFormMain]\r\ncbMask_Text=*.*\r\n\r\n"
        "[TFormMain.cbMask_Items]\r\nCount=3\r\nItem0=*.*\r\nItem1=*.htm\r\nItem2= spaced \r\n");
    EXPECT_EQ(ini.readList("TFormMain", "cbMask_Items"), (Lines { "*.*", "*.htm", " spaced " }));
}

TEST(IniFile, ListSectionIsErasedBeforeWriting)
{
    IniFile ini = IniFile::FromText(
        "[TFormMain.cbMask_Items]\nCount=4\nItem0=a\nItem1=b\nItem2=c\nItem3=d\nExtra=x\n[After]\nk=v\n");
    ini.writeList("TFormMain", "cbMask_Items", { "new" });
    EXPECT_EQ(ini.keys("TFormMain.cbMask_Items"), (Lines { "Count", "Item0" }));
    EXPECT_EQ(ini.readList("TFormMain", "cbMask_Items"), (Lines { "new" }));
    EXPECT_EQ(ini.value("After", "k"), "v");
}

TEST(IniFile, EmptyListRemovesItsSection)
{
    IniFile ini = IniFile::FromText("[TFormMain.cbMask_Items]\nCount=1\nItem0=a\n");
    ini.writeList("TFormMain", "cbMask_Items", {});
    EXPECT_FALSE(ini.hasSection("TFormMain.cbMask_Items"));
    EXPECT_EQ(ini.toText(), "");
    EXPECT_EQ(ini.readList("TFormMain", "cbMask_Items"), std::nullopt);
}

TEST(IniFile, ReadListFromHandEditedSections)
{
    const struct {
        std::string body;
        std::optional<Lines> items;
    } cases[] = {
        { "Count=2\nItem0=a\nItem1=b\n", Lines { "a", "b" } },
        { "Count=0\n", Lines {} },
        { " Count = 2 \nItem0=a\nItem1=b\n", Lines { "a", "b" } },
        { "Count=1\nItem0=a\nItem1=b\n", Lines { "a" } }, // items beyond Count ignored
        { "Count=3\nItem0=a\nItem2=c\n", Lines { "a", "", "c" } }, // a gap reads empty
        { "Count=5\nItem0=a\n", Lines { "a" } }, // ends at the last item present
        { "Count=2000000000\nItem0=a\n", Lines { "a" } },
        { "Count=-1\nItem0=a\n", std::nullopt },
        { "Count=two\nItem0=a\n", std::nullopt },
        { "Item0=a\n", std::nullopt },
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::FromText("[M.list]\n" + c.body);
        EXPECT_EQ(ini.readList("M", "list"), c.items) << c.body;
    }
}

class IniFileOnDisk : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = morvane::test::UniqueTempDir("morvane-ini");
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::filesystem::path m_dir;
};

TEST_F(IniFileOnDisk, MissingFileGivesAnEmptyStore)
{
    IniFile ini = IniFile::FromText("[Old]\nk=v\n");
    EXPECT_EQ(morvane::app::LoadIniFile(m_dir / "Morvane.ini", ini), std::nullopt);
    EXPECT_TRUE(ini.sections().empty());
}

TEST_F(IniFileOnDisk, UnreadableFileGivesTheOpenErrorAndKeepsTheStore)
{
    const std::filesystem::path path = m_dir / "Morvane.ini";
    std::filesystem::create_directory(path); // exists, but cannot be read as a file
    IniFile ini = IniFile::FromText("[Old]\nk=v\n");
    const auto error = morvane::app::LoadIniFile(path, ini);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message.rfind("Cannot open file \"" + path.string() + "\". ", 0), 0u) << error->message;
    EXPECT_EQ(ini.value("Old", "k"), "v");
}

TEST_F(IniFileOnDisk, FileRoundTrip)
{
    const std::filesystem::path path = m_dir / "Morvane.ini";
    IniFile ini;
    ini.setValue("TFormMain", "cbMask_Text", " *.txt ");
    ini.writeList("TFormMain", "cbMask_Items", { "*.*", "*.txt" });
    ASSERT_EQ(morvane::app::SaveIniFile(path, ini), std::nullopt);
    IniFile back;
    ASSERT_EQ(morvane::app::LoadIniFile(path, back), std::nullopt);
    EXPECT_EQ(back.toText(), ini.toText());
    EXPECT_EQ(back.value("TFormMain", "cbMask_Text"), " *.txt ");
}
