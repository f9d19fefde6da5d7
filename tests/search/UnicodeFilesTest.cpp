// UTF-8 files through the writing commands: the editor's save, replace everywhere, the
// interactive run and the converter write them back byte for byte outside the changes, and
// leave alone (no backup, not a byte changed, the reason shown) every file whose text could not
// hold all of it.

#include "InteractiveRunFixture.h"
#include "app/FileIo.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "codepage/UnicodeText.h"
#include "fakes/FakeUserConverterDialog.h"
#include "search/Converter.h"
#include "search/ReplaceEverywhere.h"

#include <gtest/gtest.h>

namespace morvane::search {
namespace {

namespace fs = std::filesystem;
using codepage::Utf8ToWin1251;
using test::TempTree;

std::string Read(const fs::path& path)
{
    std::string bytes;
    EXPECT_FALSE(app::ReadWholeFile(path, bytes)) << path;
    return bytes;
}

const std::string kBom = "\xEF\xBB\xBF";
// "Да" in UTF-16 little-endian with its mark.
const std::string kUtf16 = std::string("\xFF\xFE\x14\x04\x30\x04", 6);

std::string Note(int message)
{
    return app::Msg(message);
}
const int kOutside1251 = 420;
const int kInvalidUtf8 = 421;
const int kWideUnicode = 422;

struct EditorFixture : test::PassFixture {
    TempTree tree;
    test::FakeViewer viewer;
    Backups backups;
    WorkTextEditor editor { control, viewer, backups };
};

TEST(UnicodeFiles, EditorSavesUtf8BackWithEveryOtherByteKept)
{
    const std::string files[] = {
        kBom + "Да, \xD1\x80\xD0\xB0\xD0\xB4.\r\nВторая строка\r\n", "Да, рад.\nВторая\n", "Да\rлишь CR\r",
        "ascii only\r\n",
        "\xC2\x98 и \xE2\x80\x94 и \xE2\x84\x96\n", // U+0098, dash, numero: all in the program's text
    };
    for (CodePageChoice choice : { CodePageChoice::Utf8, CodePageChoice::AutoDetect }) {
        for (const std::string& bytes : files) {
            EditorFixture f;
            f.tree.file("u.txt", bytes);
            f.editor.setCodePage(choice);
            ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "u.txt"));
            const std::string body = bytes.starts_with(kBom) ? bytes.substr(3) : bytes;
            EXPECT_EQ(f.viewer.text(), Utf8ToWin1251(body)) << bytes;
            f.viewer.type(Utf8ToWin1251("Ё") + f.viewer.text());
            ASSERT_TRUE(f.editor.SaveEditor(f.tree / "u.txt")) << bytes;
            // Pure ASCII is no evidence of UTF-8: detection takes it for Windows-1251.
            const bool ascii = bytes == "ascii only\r\n";
            const std::string added
                = ascii && choice == CodePageChoice::AutoDetect ? Utf8ToWin1251("Ё") : std::string("Ё");
            const std::string expected = bytes.starts_with(kBom) ? kBom + added + body : added + bytes;
            EXPECT_EQ(Read(f.tree / "u.txt"), expected);
            EXPECT_EQ(Read(f.tree / "u.txt0"), bytes);
            EXPECT_TRUE(f.dialogs.messages().empty());
        }
    }
    // Split output files and other texts written in UTF-8 get no mark.
    EditorFixture f;
    f.editor.setCodePage(CodePageChoice::Utf8);
    ASSERT_FALSE(f.editor.WriteTextFile(Utf8ToWin1251("Ёж"), f.tree / "out.txt"));
    EXPECT_EQ(Read(f.tree / "out.txt"), "Ёж");
}

struct LossyFile {
    std::string bytes;
    int note;
};

const LossyFile kLossy[] = {
    { "Да \xE2\x9C\x93 нет\n", kOutside1251 }, // ✓
    { kBom + "Да \xF0\x9F\x98\x80\n", kOutside1251 }, // emoji
    { "Да \xD0 нет\n", kInvalidUtf8 },
    { kUtf16, kWideUnicode },
};

TEST(UnicodeFiles, EditorRefusesToSaveATextThatLostCharacters)
{
    for (const LossyFile& file : kLossy) {
        EditorFixture f;
        f.tree.file("l.txt", file.bytes);
        f.editor.setCodePage(CodePageChoice::Utf8);
        ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "l.txt")) << file.bytes;
        EXPECT_NE(f.viewer.text().find(Utf8ToWin1251("Да")), std::string::npos) << "still read";
        f.viewer.type(f.viewer.text() + "!");
        EXPECT_FALSE(f.editor.SaveEditor(f.tree / "l.txt"));
        ASSERT_EQ(f.dialogs.messages().size(), 1u);
        EXPECT_EQ(f.dialogs.messages()[0], (f.tree / "l.txt").string() + ": " + Note(file.note));
        EXPECT_TRUE(f.viewer.modified());
        EXPECT_FALSE(f.editor.SaveEditorAs(f.tree / "other.txt"));
        EXPECT_EQ(Read(f.tree / "l.txt"), file.bytes);
        EXPECT_FALSE(fs::exists(f.tree / "l.txt0"));
        EXPECT_FALSE(fs::exists(f.tree / "other.txt"));
    }
    // A text typed into the emptied editor comes from no file and is written.
    EditorFixture f;
    f.tree.file("l.txt", kLossy[0].bytes);
    f.editor.setCodePage(CodePageChoice::Utf8);
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "l.txt"));
    f.editor.ClearEditor();
    f.viewer.type(Utf8ToWin1251("Ёж"));
    EXPECT_TRUE(f.editor.SaveEditorAs(f.tree / "new.txt"));
    EXPECT_EQ(Read(f.tree / "new.txt"), "Ёж");

    // Under AutoDetect a UTF-16 file counts as Unicode, not as the 8-bit guess of its bytes.
    f.tree.file("w.txt", kUtf16);
    f.editor.setCodePage(CodePageChoice::AutoDetect);
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "w.txt"));
    EXPECT_EQ(f.editor.DetectedCodePage(), codepage::kUtf8);
}

struct ReplaceFixture : test::PassFixture {
    TempTree tree;
    test::FakeViewer viewer;
    test::FakeOutputDialogs outputDialogs;
    Backups backups;
    WorkTextEditor editor { control, viewer, backups };
    PassFileList fileList { control };
    OutputControl output { control, outputDialogs, &fileList };
    regex::TRegex engine;
    rules::RuleCompiler compiler { engine };
    ReportModel report;
    ReplaceEverywhere command { control, fileList, editor, output, compiler, report };
    PassOptions options;
};

TEST(UnicodeFiles, ReplaceEverywhereSkipsFilesItCannotWriteBack)
{
    ReplaceFixture f;
    f.tree.file("a.txt", kBom + "Да.\r\nда\r\n");
    f.tree.file("b.txt", "Да.\rok\n");
    std::vector<std::string> names = { "a.txt", "b.txt" };
    for (size_t i = 0; i < std::size(kLossy); ++i) {
        names.push_back("l" + std::to_string(i) + ".txt");
        f.tree.file(names.back(), kLossy[i].bytes);
    }
    f.editor.setCodePage(CodePageChoice::Utf8);
    MultipassRules rules(rules::Rule { Utf8ToWin1251("(?i)да"), Utf8ToWin1251("Нет"), "${Q}" });
    const PassSelection selection
        = test::Marked(f.tree.root(), { names[0], names[1], names[2], names[3], names[4], names[5] });
    f.command.miReplacePassimClick(
        selection, f.options, rules, [] { return true; }, true);

    EXPECT_EQ(Read(f.tree / "a.txt"), kBom + "Нет.\r\nНет\r\n");
    EXPECT_EQ(Read(f.tree / "a.txt0"), kBom + "Да.\r\nда\r\n");
    EXPECT_EQ(Read(f.tree / "b.txt"), "Нет.\rok\n");
    ASSERT_EQ(f.report.rowCount(), 6);
    for (size_t i = 0; i < std::size(kLossy); ++i) {
        const fs::path path = f.tree / names[i + 2];
        EXPECT_EQ(Read(path), kLossy[i].bytes);
        EXPECT_FALSE(fs::exists(path.string() + "0")) << "no backup copy";
        const ReportRow& row = f.report.rows()[i + 2];
        EXPECT_EQ(row.path, path);
        EXPECT_EQ(row.note, Note(kLossy[i].note));
    }
    EXPECT_EQ(f.report.rows()[0].note, "");
    EXPECT_EQ(f.command.counters().FilesChanged, 2);
    EXPECT_EQ(f.command.counters().FilesFailed, static_cast<int>(std::size(kLossy)));
}

TEST(UnicodeFiles, InteractiveRunPassesOverFilesItCannotWriteBack)
{
    test::InteractiveRunFixture f;
    f.tree.file("a.txt", "\xE2\x9C\x93 да");
    f.tree.file("b.txt", kBom + "да, да\n");
    f.editor.setCodePage(CodePageChoice::Utf8);
    f.start(test::Single(Utf8ToWin1251("да"), Utf8ToWin1251("ну")), f.files({ "a.txt", "b.txt" }));
    ASSERT_TRUE(f.run.waiting());
    EXPECT_EQ(f.viewer.caption(), f.tree / "b.txt");
    f.run.sbAllClick();
    EXPECT_EQ(f.read("b.txt"), kBom + "ну, ну\n");
    EXPECT_EQ(f.read("a.txt"), "\xE2\x9C\x93 да");
    EXPECT_FALSE(f.exists("a.txt0"));
    ASSERT_EQ(f.report.rowCount(), 2);
    EXPECT_EQ(f.report.rows()[0].path, f.tree / "a.txt");
    EXPECT_EQ(f.report.rows()[0].note, Note(kOutside1251));
    EXPECT_EQ(f.report.rows()[1].replaced, 2);
}

TEST(UnicodeFiles, ConverterToAndFromUtf8)
{
    const std::string russian = "Ёлка, ёж — №1\r\n";
    const std::string win = Utf8ToWin1251(russian);
    const std::string koi = codepage::ConvertText(win, codepage::kWin1251, codepage::kKoi8r);
    struct Row {
        int from; // dialog value: 3 AutoDetect, 4 UTF-8
        int to; // 3 UTF-8
        std::string bytes;
        std::string expected;
    } const rows[] = {
        { 4, codepage::kWin1251, russian, win },
        { 3, codepage::kKoi8r, kBom + russian, koi },
        { 0, codepage::kUtf8, win, russian },
        { 1, codepage::kUtf8, koi, russian },
        { 4, codepage::kUtf8, kBom + russian, kBom + russian },
        { 3, codepage::kUtf8, russian, russian },
    };
    for (const Row& row : rows) {
        EditorFixture f;
        PassFileList files { f.control };
        test::FakeUserConverterDialog dialog;
        Converter converter { f.control, files, f.backups, f.editor, dialog };
        f.tree.file("f.txt", row.bytes);
        dialog.answer(true, row.from, row.to);
        converter.miConverterClick(test::Focused(f.tree.root(), "f.txt"), PassOptions {});
        EXPECT_EQ(Read(f.tree / "f.txt"), row.expected) << row.from << " " << row.to;
        EXPECT_EQ(Read(f.tree / "f.txt0"), row.bytes);
    }
}

TEST(UnicodeFiles, ConverterLeavesAloneFilesItCannotConvert)
{
    EditorFixture f;
    PassFileList files { f.control };
    test::FakeUserConverterDialog dialog;
    Converter converter { f.control, files, f.backups, f.editor, dialog };
    f.tree.file("a.txt", kLossy[0].bytes);
    f.tree.file("b.txt", kUtf16);
    f.tree.file("c.txt", "Ёж");
    dialog.answer(true, Converter::kAutoDetectIndex, codepage::kWin1251);
    converter.miConverterClick(test::Marked(f.tree.root(), { "a.txt", "b.txt", "c.txt" }), PassOptions {});
    EXPECT_EQ(Read(f.tree / "a.txt"), kLossy[0].bytes);
    EXPECT_EQ(Read(f.tree / "b.txt"), kUtf16);
    EXPECT_FALSE(fs::exists(f.tree / "a.txt0"));
    EXPECT_FALSE(fs::exists(f.tree / "b.txt0"));
    EXPECT_EQ(Read(f.tree / "c.txt"), Utf8ToWin1251("Ёж"));
    ASSERT_EQ(f.dialogs.failures().size(), 2u);
    EXPECT_EQ(f.dialogs.failures()[0], (f.tree / "a.txt").string() + ": " + Note(kOutside1251));
    EXPECT_EQ(f.dialogs.failures()[1], (f.tree / "b.txt").string() + ": " + Note(kWideUnicode));
}

} // namespace
} // namespace morvane::search
