// The file converter: the dialog's label, conversion with backup copies, "AutoDetect" per
// file, the failure rule (the file is reported, the loop goes on, the final message counts
// only what was converted), abort, and the editor reloaded when its file was converted.

#include "search/Converter.h"
#include "PassFixture.h"
#include "TempTree.h"
#include "app/FileIo.h"
#include "app/Format.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "fakes/FakeUserConverterDialog.h"
#include "fakes/FakeViewer.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace morvane::search {
namespace {

namespace fs = std::filesystem;
using codepage::ConvertText;
using codepage::Utf8ToWin1251;
using test::TempTree;

std::string Read(const fs::path& path)
{
    std::string bytes;
    EXPECT_FALSE(app::ReadWholeFile(path, bytes)) << path;
    return bytes;
}

const std::string kText
    = Utf8ToWin1251("В чащах юга жил бы цитрус? Да, но фальшивый экземпляр! Эх, чужак, общий съём цен шляп "
                    "(юфть) — вдрызг!");

struct ConverterFixture : test::PassFixture {
    TempTree tree;
    test::FakeViewer viewer;
    Backups backups;
    WorkTextEditor editor { control, viewer, backups };
    PassFileList files { control };
    test::FakeUserConverterDialog dialog;
    Converter converter { control, files, backups, editor, dialog };
    PassOptions options;
};

TEST(Converter, LabelNamesTheSingleFileOrCountsThem)
{
    ConverterFixture f;
    f.tree.file("one.txt", "x");
    f.tree.file("two.txt", "y");
    f.converter.miConverterClick(test::Focused(f.tree.root(), "one.txt"), f.options);
    EXPECT_EQ(
        f.dialog.info(), Utf8ToWin1251("Перекодировать файл:") + "\r\n" + (f.tree / "one.txt").string());
    f.files.invalidate(FileListEvent::MarkChanged);
    f.converter.miConverterClick(test::Marked(f.tree.root(), { "one.txt", "two.txt" }), f.options);
    EXPECT_EQ(f.dialog.info(), Utf8ToWin1251("Перекодировать файлов - 2 шт."));
    EXPECT_EQ(f.dialog.shown(), 2);
    // Cancel: nothing converted, no backup, no final message.
    EXPECT_EQ(Read(f.tree / "one.txt"), "x");
    EXPECT_FALSE(fs::exists(f.tree / "one.txt0"));
    EXPECT_TRUE(f.dialogs.messages().empty());
    EXPECT_FALSE(f.control.IsBusy());
}

TEST(Converter, ConvertsEachFileWithABackupCopy)
{
    struct Row {
        int from; // dialog index, 3 = AutoDetect
        int fileCp; // the file's real code page
        int to;
    } const rows[] = {
        { 1, codepage::kKoi8r, codepage::kWin1251 },
        { 0, codepage::kWin1251, codepage::kDos866 },
        { 3, codepage::kDos866, codepage::kKoi8r },
        { 3, codepage::kKoi8r, codepage::kWin1251 },
        { 0, codepage::kWin1251, codepage::kWin1251 },
    };
    for (const Row& row : rows) {
        ConverterFixture f;
        const std::string original = ConvertText(kText, codepage::kWin1251, row.fileCp);
        f.tree.file("f.txt", original);
        f.dialog.answer(true, row.from, row.to);
        f.converter.miConverterClick(test::Focused(f.tree.root(), "f.txt"), f.options);
        EXPECT_EQ(Read(f.tree / "f.txt"), ConvertText(kText, codepage::kWin1251, row.to))
            << row.from << row.to;
        EXPECT_EQ(Read(f.tree / "f.txt0"), original);
        ASSERT_EQ(f.dialogs.messages().size(), 1u);
        EXPECT_EQ(f.dialogs.messages()[0], Utf8ToWin1251(" Перекодировано файлов - 1 из 1"));
        EXPECT_FALSE(f.control.IsBusy());
    }
}

TEST(Converter, AFileThatFailsIsReportedAndTheLoopGoesOn)
{
    ConverterFixture f;
    for (const char* name : { "a.txt", "b.txt", "c.txt" })
        f.tree.file(name, ConvertText(kText, codepage::kWin1251, codepage::kKoi8r));
    const PassSelection selection = test::Marked(f.tree.root(), { "a.txt", "b.txt", "c.txt" });
    ASSERT_TRUE(f.files.TakeFileList(selection, f.options));
    fs::remove(f.tree / "b.txt");
    f.backups.setSaveBackup(false);
    f.dialog.answer(true, 1, 0);
    f.converter.miConverterClick(selection, f.options);
    ASSERT_EQ(f.dialogs.failures().size(), 1u);
    EXPECT_TRUE(f.dialogs.failures()[0].starts_with(
        (f.tree / "b.txt").string() + ": Cannot open file \"" + (f.tree / "b.txt").string() + "\"."))
        << f.dialogs.failures()[0];
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0],
        Utf8ToWin1251(" Перекодировано файлов - 2 из 3\n\rНе изменено файлов из-за ошибок - 1"));
    EXPECT_EQ(Read(f.tree / "a.txt"), kText);
    EXPECT_EQ(Read(f.tree / "c.txt"), kText);
    EXPECT_TRUE(f.status.everShown(
        1, " " + Utf8ToWin1251("Перекодировка ") + (f.tree / "b.txt").string() + Utf8ToWin1251(" - 2 из 3")));
}

TEST(Converter, ReadOnlyFileIsReportedAndLeftAndTheRunGoesOn)
{
    ConverterFixture f;
    const std::string koi8 = ConvertText(kText, codepage::kWin1251, codepage::kKoi8r);
    for (const char* name : { "a.txt", "b.txt" })
        f.tree.file(name, koi8);
    ::chmod((f.tree / "a.txt").c_str(), 0444);
    const PassSelection selection = test::Marked(f.tree.root(), { "a.txt", "b.txt" });
    f.dialog.answer(true, 1, 0);
    f.converter.miConverterClick(selection, f.options);
    ASSERT_EQ(f.dialogs.failures().size(), 1u);
    EXPECT_EQ(f.dialogs.failures()[0],
        (f.tree / "a.txt").string() + ": " + app::FillMessage(app::Msg(366), { app::PathText(f.tree / "a.txt") }));
    EXPECT_EQ(Read(f.tree / "a.txt"), koi8);
    EXPECT_FALSE(fs::exists(f.tree / "a.txt0"));
    EXPECT_EQ(Read(f.tree / "b.txt"), kText);
    EXPECT_EQ(Read(f.tree / "b.txt0"), koi8);
}

TEST(Converter, AbortGivesTheNumberConverted)
{
    ConverterFixture f;
    for (const char* name : { "a.txt", "b.txt", "c.txt" })
        f.tree.file(name, "abc");
    f.dialog.answer(true, 0, 1);
    f.pump.setOnPump([&](int) {
        if (f.converter.FilesStarted() == 1)
            f.control.tbBreakClick();
    });
    f.converter.miConverterClick(test::Marked(f.tree.root(), { "a.txt", "b.txt", "c.txt" }), f.options);
    ASSERT_FALSE(f.dialogs.messages().empty());
    EXPECT_EQ(f.dialogs.messages().back(), Utf8ToWin1251(" Перекодировано файлов - 1 из 3"));
    EXPECT_FALSE(fs::exists(f.tree / "b.txt0"));
}

TEST(Converter, EditorShowingTheFileIsReloaded)
{
    ConverterFixture f;
    f.tree.file("e.txt", ConvertText(kText, codepage::kWin1251, codepage::kKoi8r));
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "e.txt"));
    EXPECT_NE(f.viewer.text(), kText);
    f.dialog.answer(true, 1, 0);
    f.converter.miConverterClick(test::Focused(f.tree.root(), "e.txt"), f.options);
    EXPECT_EQ(f.viewer.text(), kText);
    EXPECT_FALSE(f.editor.ViewerNeedsReload());
}

TEST(Converter, UnsavedEditsOfTheEditorsFileAreOfferedForSavingFirst)
{
    ConverterFixture f;
    f.tree.file("e.txt", kText);
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "e.txt"));
    const std::string edited = Utf8ToWin1251("Правка ") + kText;
    f.viewer.type(edited);
    f.dialogs.setNextAnswer(true);
    f.dialog.answer(true, 0, 1);
    f.converter.miConverterClick(test::Focused(f.tree.root(), "e.txt"), f.options);
    ASSERT_EQ(f.dialogs.questions().size(), 1u);
    EXPECT_EQ(f.dialogs.questions()[0], Utf8ToWin1251("Сохранить изменения в файле:") + "\r\n" + (f.tree / "e.txt").string());
    EXPECT_EQ(Read(f.tree / "e.txt"), ConvertText(edited, codepage::kWin1251, codepage::kKoi8r));
}

TEST(Converter, EmptyListEndsWithTheNoSelectionMessage)
{
    ConverterFixture f;
    f.tree.dir("empty");
    f.dialog.answer(true);
    f.converter.miConverterClick(test::Focused(f.tree.root(), "empty/"), f.options);
    EXPECT_EQ(f.dialog.shown(), 0);
    EXPECT_EQ(f.dialogs.messages(), std::vector<std::string> { Utf8ToWin1251("Нет выбранных файлов.") });
}

} // namespace
} // namespace morvane::search
