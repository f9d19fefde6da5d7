// The working text and the editor's file commands: loading in each code page, the rich-text
// name rule, asking to save, saving with one backup copy, re-reading on a code page change.

#include "PassFixture.h"
#include "TempTree.h"
#include "app/FileIo.h"
#include "codepage/CodePage.h"
#include "fakes/FakeViewer.h"
#include "search/HiddenList.h"
#include "search/WorkTextEditor.h"

#include <gtest/gtest.h>

namespace morvane::search {
namespace {

using codepage::ConvertText;
using codepage::Utf8ToWin1251;
using test::FakeViewer;
using test::TempTree;

std::string Read(const std::filesystem::path& path)
{
    std::string bytes;
    EXPECT_FALSE(app::ReadWholeFile(path, bytes)) << path;
    return bytes;
}

struct EditorFixture : test::PassFixture {
    TempTree tree;
    FakeViewer viewer;
    Backups backups;
    WorkTextEditor editor { control, viewer, backups };
};

const std::string kRussian
    = Utf8ToWin1251("Съешь же ещё этих мягких французских булок, да выпей чаю. Широкая электрификация "
                    "южных губерний даст мощный толчок подъёму сельского хозяйства.");

TEST(WorkTextNameRule, RichTextByUpperCasedExtension)
{
    struct Row {
        const char* name;
        bool rich;
    } const rows[] = {
        { "page.Rtf", true },
        { "X.rtf", true },
        { "X.RTF", true },
        { "page.rtf.txt", false },
        { "rtf", false },
        { "dir.rtf/file", false },
        { "a.rtfx", false },
    };
    for (const Row& row : rows)
        EXPECT_EQ(WorkTextEditor::IsRichTextName(row.name), row.rich) << row.name;
}

TEST(WorkTextNameRule, RichTextOnlyWhereTheViewerCanShowIt)
{
    EditorFixture f;
    EXPECT_EQ(f.editor.modeFor("a.rtf"), EditorMode::Plain);
    f.viewer.setRichSupported(true);
    EXPECT_EQ(f.editor.modeFor("a.rtf"), EditorMode::Rich);
    EXPECT_EQ(f.editor.modeFor("a.rtf.txt"), EditorMode::Plain);
}

TEST(WorkTextLoad, ConvertsFromEachChosenCodePage)
{
    struct Row {
        CodePageChoice choice;
        int fileCodePage;
    } const rows[] = {
        { CodePageChoice::Win1251, codepage::kWin1251 },
        { CodePageChoice::Koi8r, codepage::kKoi8r },
        { CodePageChoice::Dos866, codepage::kDos866 },
        { CodePageChoice::AutoDetect, codepage::kKoi8r },
        { CodePageChoice::AutoDetect, codepage::kDos866 },
    };
    for (const Row& row : rows) {
        EditorFixture f;
        f.tree.file("a.txt", ConvertText(kRussian, codepage::kWin1251, row.fileCodePage));
        f.editor.setCodePage(row.choice);
        ASSERT_TRUE(f.editor.LoadWorkText(f.tree / "a.txt"));
        EXPECT_EQ(f.editor.workText(), kRussian) << row.fileCodePage;
        EXPECT_EQ(f.editor.CurrentFilePath(), f.tree / "a.txt");
        EXPECT_EQ(f.viewer.text(), "") << "a pass's load leaves the viewer's text alone";
        if (row.choice == CodePageChoice::AutoDetect) {
            EXPECT_EQ(f.editor.DetectedCodePage(), row.fileCodePage);
        }
    }
}

TEST(WorkTextLoad, MissingFileIsReportedAndFails)
{
    EditorFixture f;
    EXPECT_FALSE(f.editor.LoadWorkText(f.tree / "gone.txt"));
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_TRUE(f.dialogs.messages()[0].starts_with("Cannot open file \"")) << f.dialogs.messages()[0];
}

TEST(WorkTextLoad, RichTextFileGoesThroughTheViewer)
{
    EditorFixture f;
    f.viewer.setRichSupported(true);
    f.tree.file("doc.RTF", "plain of rich");
    f.viewer.setModified(true);
    ASSERT_TRUE(f.editor.LoadWorkText(f.tree / "doc.RTF"));
    EXPECT_EQ(f.viewer.richLoads(), 1);
    EXPECT_EQ(f.viewer.mode(), EditorMode::Rich);
    EXPECT_EQ(f.editor.workText(), "plain of rich");
    EXPECT_FALSE(f.viewer.modified());
}

TEST(WorkTextEditorFile, Koi8rRoundTripWithOneBackup)
{
    EditorFixture f;
    const std::string original = ConvertText(kRussian, codepage::kWin1251, codepage::kKoi8r);
    f.tree.file("k.txt", original);
    f.editor.setCodePage(CodePageChoice::Koi8r);
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "k.txt"));
    EXPECT_EQ(f.viewer.text(), kRussian);
    EXPECT_EQ(f.viewer.caption(), f.tree / "k.txt");
    EXPECT_FALSE(f.viewer.modified());
    EXPECT_FALSE(f.viewer.saveEnabled());
    EXPECT_TRUE(f.viewer.saveAsEnabled());

    const std::string edited = kRussian + Utf8ToWin1251(" Ещё строка.");
    f.viewer.type(edited);
    ASSERT_TRUE(f.editor.SaveEditor(f.tree / "k.txt"));
    EXPECT_EQ(Read(f.tree / "k.txt"), ConvertText(edited, codepage::kWin1251, codepage::kKoi8r));
    EXPECT_EQ(Read(f.tree / "k.txt0"), original);
    EXPECT_FALSE(std::filesystem::exists(f.tree / "k.txt1")) << "exactly one copy per save";
    EXPECT_TRUE(IsInHiddenList(f.tree / "k.txt0"));
    EXPECT_FALSE(f.viewer.modified());

    // Read back: the same text as typed.
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "k.txt"));
    EXPECT_EQ(f.viewer.text(), edited);
}

TEST(WorkTextEditorFile, AutoDetectWritesBackInTheDetectedCodePage)
{
    EditorFixture f;
    f.editor.setCodePage(CodePageChoice::AutoDetect);
    // Before any detection a write goes out in Windows-1251.
    f.editor.setWorkText(kRussian);
    ASSERT_FALSE(f.editor.WriteWorkText(f.tree / "new.txt"));
    EXPECT_EQ(Read(f.tree / "new.txt"), kRussian);

    f.tree.file("d.txt", ConvertText(kRussian, codepage::kWin1251, codepage::kDos866));
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "d.txt"));
    EXPECT_EQ(f.viewer.text(), kRussian);
    f.viewer.type(kRussian + "!");
    f.backups.setSaveBackup(false);
    ASSERT_TRUE(f.editor.SaveEditor(f.tree / "d.txt"));
    EXPECT_EQ(Read(f.tree / "d.txt"), ConvertText(kRussian + "!", codepage::kWin1251, codepage::kDos866));
    EXPECT_FALSE(std::filesystem::exists(f.tree / "d.txt0")) << "backups off: no copy";
}

TEST(WorkTextEditorFile, UnreadableFileLeavesTheEditorEmpty)
{
    EditorFixture f;
    f.viewer.type("typed");
    ASSERT_FALSE(f.editor.LoadIntoEditor(f.tree / "missing.txt"));
    EXPECT_EQ(f.viewer.text(), "");
    EXPECT_TRUE(f.editor.sourcePath().empty());
    EXPECT_TRUE(f.dialogs.questions().empty()) << "no file held: nothing to ask about";
    EXPECT_EQ(f.dialogs.messages().size(), 1u);
}

TEST(WorkTextEditorFile, UnsavedChangesAskOnceAndNoDiscards)
{
    EditorFixture f;
    f.tree.file("a.txt", "old");
    f.tree.file("b.txt", "other");
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "a.txt"));
    f.viewer.type("changed");
    f.dialogs.setNextAnswer(false);
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "b.txt"));
    ASSERT_EQ(f.dialogs.questions().size(), 1u);
    EXPECT_EQ(f.dialogs.questions()[0],
        Utf8ToWin1251("Сохранить изменения в файле:") + "\r\n" + (f.tree / "a.txt").string());
    EXPECT_EQ(Read(f.tree / "a.txt"), "old");
    EXPECT_EQ(f.viewer.text(), "other");
}

TEST(WorkTextEditorFile, YesSavesBeforeClearing)
{
    EditorFixture f;
    f.tree.file("a.txt", "old");
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "a.txt"));
    f.viewer.type("new");
    f.dialogs.setNextAnswer(true);
    f.editor.ClearEditor();
    EXPECT_EQ(Read(f.tree / "a.txt"), "new");
    EXPECT_EQ(f.viewer.text(), "");
    EXPECT_TRUE(f.viewer.caption().empty());
    // Starting up: no question at all.
    f.viewer.type("again");
    f.editor.ClearEditor(true);
    EXPECT_EQ(f.dialogs.questions().size(), 1u);
}

TEST(WorkTextEditorFile, SaveCommandStates)
{
    EditorFixture f;
    f.viewer.type("typed without a file");
    f.editor.UpdateEditorCommands();
    EXPECT_FALSE(f.viewer.saveEnabled());
    EXPECT_TRUE(f.viewer.saveAsEnabled());
    // Saving with no file name runs save-as.
    f.editor.SaveEditor({});
    EXPECT_EQ(f.viewer.saveAsRuns(), 1);
    f.viewer.type("");
    f.editor.UpdateEditorCommands();
    EXPECT_FALSE(f.viewer.saveAsEnabled());
}

TEST(WorkTextEditorFile, SaveAsTakesTheNewNameAndBacksUpAnExistingTarget)
{
    EditorFixture f;
    f.tree.file("target.txt", "was there");
    f.viewer.type("fresh");
    ASSERT_TRUE(f.editor.SaveEditorAs(f.tree / "target.txt"));
    EXPECT_EQ(Read(f.tree / "target.txt"), "fresh");
    EXPECT_EQ(Read(f.tree / "target.txt0"), "was there");
    EXPECT_EQ(f.editor.sourcePath(), f.tree / "target.txt");
    EXPECT_FALSE(f.viewer.modified());

    f.viewer.setRichSupported(true);
    f.viewer.type("rich body");
    ASSERT_TRUE(f.editor.SaveEditorAs(f.tree / "x.rtf"));
    EXPECT_EQ(f.viewer.mode(), EditorMode::Rich);
    EXPECT_EQ(f.viewer.richSaves(), 1);
    EXPECT_EQ(Read(f.tree / "x.rtf"), "{\\rtf rich body}");

    // Saving the rich file again keeps a copy like any other save.
    f.viewer.type("second");
    ASSERT_TRUE(f.editor.SaveEditor(f.tree / "x.rtf"));
    EXPECT_EQ(Read(f.tree / "x.rtf"), "{\\rtf second}");
    EXPECT_EQ(Read(f.tree / "x.rtf0"), "{\\rtf rich body}");
}

TEST(WorkTextEditorFile, CodePageChangeRereadsKeepingSelectionAndFlag)
{
    EditorFixture f;
    f.tree.file("k.txt", ConvertText(kRussian, codepage::kWin1251, codepage::kKoi8r));
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "k.txt"));
    EXPECT_NE(f.viewer.text(), kRussian);
    f.viewer.setSelection(5, 7);
    f.editor.cbCodePageSelect(CodePageChoice::Koi8r);
    EXPECT_EQ(f.viewer.text(), kRussian);
    EXPECT_EQ(f.viewer.selStart(), 5);
    EXPECT_EQ(f.viewer.selLength(), 7);
    EXPECT_FALSE(f.viewer.modified());
}

TEST(WorkTextEditorFile, CodePageChangeSavesInTheCodePageTheTextWasReadIn)
{
    EditorFixture f;
    f.backups.setSaveBackup(false);
    f.tree.file("k.txt", ConvertText(kRussian, codepage::kWin1251, codepage::kKoi8r));
    f.editor.setCodePage(CodePageChoice::Koi8r);
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "k.txt"));
    f.viewer.type(kRussian + "!");
    f.dialogs.setNextAnswer(true);
    ASSERT_TRUE(f.editor.cbCodePageSelect(CodePageChoice::Win1251));
    EXPECT_EQ(f.dialogs.questions().size(), 1u);
    EXPECT_EQ(Read(f.tree / "k.txt"), ConvertText(kRussian + "!", codepage::kWin1251, codepage::kKoi8r));
    // Saved, then read again in the new code page: nothing is left unsaved.
    EXPECT_EQ(f.viewer.text(), ConvertText(kRussian + "!", codepage::kWin1251, codepage::kKoi8r));
    EXPECT_FALSE(f.viewer.modified());
}

TEST(WorkTextEditorFile, EditorKeepsItsFilesCodePageWhatEverAPassReads)
{
    EditorFixture f;
    f.backups.setSaveBackup(false);
    f.editor.setCodePage(CodePageChoice::AutoDetect);
    f.tree.file("k.txt", ConvertText(kRussian, codepage::kWin1251, codepage::kKoi8r));
    f.tree.file("plain.txt", "ascii only");
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "k.txt"));
    f.viewer.type(kRussian + "!");
    // A pass reads another file into the shared working text.
    ASSERT_TRUE(f.editor.LoadWorkText(f.tree / "plain.txt"));
    ASSERT_TRUE(f.editor.SaveEditor(f.tree / "k.txt"));
    EXPECT_EQ(Read(f.tree / "k.txt"), ConvertText(kRussian + "!", codepage::kWin1251, codepage::kKoi8r));
}

TEST(WorkTextEditorFile, ReloadViewerOnlyForTheEditorsFile)
{
    EditorFixture f;
    f.tree.file("a.txt", "one");
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "a.txt"));
    f.editor.noteFileChanged(f.tree / "A.txt");
    EXPECT_FALSE(f.editor.ViewerNeedsReload()) << "the comparison is exact";
    f.editor.noteFileChanged(f.tree / "a.txt");
    EXPECT_TRUE(f.editor.ViewerNeedsReload());
    f.tree.file("a.txt", "two");
    f.viewer.type("unsaved");
    f.editor.ReloadViewer();
    EXPECT_EQ(f.viewer.text(), "two");
    EXPECT_FALSE(f.viewer.modified());
    EXPECT_FALSE(f.editor.ViewerNeedsReload());
}

TEST(WorkTextWriters, WriteTextFileMakesNoBackupAndConvertsACopy)
{
    EditorFixture f;
    f.tree.file("out.txt", "old");
    f.editor.setCodePage(CodePageChoice::Koi8r);
    ASSERT_FALSE(f.editor.WriteTextFile(kRussian, f.tree / "out.txt"));
    EXPECT_EQ(Read(f.tree / "out.txt"), ConvertText(kRussian, codepage::kWin1251, codepage::kKoi8r));
    EXPECT_FALSE(std::filesystem::exists(f.tree / "out.txt0"));

    f.editor.setWorkText(kRussian);
    ASSERT_FALSE(f.editor.WriteWorkText(f.tree / "w.txt"));
    EXPECT_EQ(f.editor.workText(), ConvertText(kRussian, codepage::kWin1251, codepage::kKoi8r))
        << "the working text keeps the converted bytes";
}

} // namespace
} // namespace morvane::search
