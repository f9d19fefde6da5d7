// The restore and delete commands: questions, the walk over the file list, status texts,
// abort, the editor reloaded when its file was restored.

#include "search/BackupCommands.h"
#include "PassFixture.h"
#include "TempTree.h"
#include "app/FileIo.h"
#include "codepage/CodePage.h"
#include "fakes/FakeViewer.h"

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

struct CommandFixture : test::PassFixture {
    TempTree tree;
    test::FakeViewer viewer;
    Backups backups;
    WorkTextEditor editor { control, viewer, backups };
    PassFileList files { control };
    BackupCommands commands { control, files, backups, editor };
    PassOptions options;

    // Files a, b, c; a with copies 0 and 1, b with copy 0, c with none; all selected.
    PassSelection build()
    {
        tree.file("a.txt", "a-now");
        tree.file("b.txt", "b-now");
        tree.file("c.txt", "c-now");
        Backups maker;
        for (const char* content : { "a-1", "a-2" })
            EXPECT_FALSE(maker.RewriteFile(tree / "a.txt", content));
        EXPECT_FALSE(maker.RewriteFile(tree / "b.txt", "b-1"));
        return test::Marked(tree.root(), { "a.txt", "b.txt", "c.txt" });
    }
};

TEST(BackupCommands, DeclinedQuestionTouchesNothing)
{
    CommandFixture f;
    const PassSelection selection = f.build();
    f.commands.tbRestoreClick(selection, f.options);
    f.commands.tbRestoreAllClick(selection, f.options);
    f.commands.tbDelAllBackupClick(selection, f.options);
    EXPECT_EQ(f.dialogs.questions(),
        (std::vector<std::string> {
            Utf8ToWin1251("Вы хотите вернуться к последней сохраненной копии выбранных файлов?"),
            Utf8ToWin1251("Вы хотите вернуться к первоначальной копии выбранных файлов?"),
            Utf8ToWin1251(
                "Вы действительно хотите удалить все страховочные копии выбранных файлов/каталогов?") }));
    EXPECT_EQ(Read(f.tree / "a.txt"), "a-2");
    EXPECT_TRUE(fs::exists(f.tree / "a.txt1"));
    EXPECT_FALSE(f.control.IsBusy());
    EXPECT_TRUE(f.status.history().empty());
}

TEST(BackupCommands, RestorePreviousWalksTheListWithProgress)
{
    CommandFixture f;
    const PassSelection selection = f.build();
    f.clock.setStepPerRead(0);
    f.dialogs.setNextAnswer(true);
    f.commands.tbRestoreClick(selection, f.options);
    EXPECT_EQ(Read(f.tree / "a.txt"), "a-1");
    EXPECT_EQ(Read(f.tree / "b.txt"), "b-now");
    EXPECT_EQ(Read(f.tree / "c.txt"), "c-now");
    EXPECT_EQ(f.status.text(1), Utf8ToWin1251(" Обработано файлов - 3 из 3  Восстановлено файлов - 2"));
    EXPECT_TRUE(
        f.status.everShown(1, Utf8ToWin1251(" Обработано файлов - 1 из 3  Восстановлено файлов - 1")));
    EXPECT_EQ(f.status.text(0), Utf8ToWin1251("00 час  00 мин  00.000 сек"));
    EXPECT_EQ(f.window.interactiveRunEnds(), 1);
    EXPECT_FALSE(f.control.IsBusy());
}

TEST(BackupCommands, RestoreFirstAndDeleteCount)
{
    CommandFixture f;
    const PassSelection selection = f.build();
    f.dialogs.setNextAnswer(true);
    f.commands.tbRestoreAllClick(selection, f.options);
    EXPECT_EQ(Read(f.tree / "a.txt"), "a-now");
    EXPECT_FALSE(fs::exists(f.tree / "a.txt1"));
    EXPECT_FALSE(fs::exists(f.tree / ".hidden")) << "every listed copy is gone";

    Backups maker;
    ASSERT_FALSE(maker.RewriteFile(f.tree / "c.txt", "c-1"));
    ASSERT_FALSE(maker.RewriteFile(f.tree / "c.txt", "c-2"));
    f.dialogs.setNextAnswer(true);
    f.commands.tbDelAllBackupClick(selection, f.options);
    EXPECT_EQ(f.status.text(1), Utf8ToWin1251(" Удалено файлов - 2"));
    EXPECT_FALSE(fs::exists(f.tree / "c.txt0"));
    EXPECT_EQ(Read(f.tree / "c.txt"), "c-2");
}

TEST(BackupCommands, AbortStopsBeforeTheNextFile)
{
    CommandFixture f;
    const PassSelection selection = f.build();
    f.dialogs.setNextAnswer(true);
    // The first pump after a file was restored brings the break button.
    f.pump.setOnPump([&](int) {
        if (f.backups.FilesProcessed() == 1)
            f.control.tbBreakClick();
    });
    f.commands.tbRestoreClick(selection, f.options);
    EXPECT_EQ(Read(f.tree / "a.txt"), "a-1");
    EXPECT_EQ(Read(f.tree / "b.txt"), "b-1") << "not reached";
    EXPECT_TRUE(fs::exists(f.tree / "b.txt0"));
    EXPECT_EQ(f.status.text(1), Utf8ToWin1251(" прервано пользователем"));
}

TEST(BackupCommands, EditorShowingARestoredFileIsReloaded)
{
    CommandFixture f;
    const PassSelection selection = f.build();
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "a.txt"));
    f.viewer.type("unsaved edit");
    f.dialogs.setNextAnswer(true); // restore?
    f.dialogs.setNextAnswer(false); // save the editor first? No
    f.commands.tbRestoreClick(selection, f.options);
    ASSERT_EQ(f.dialogs.questions().size(), 2u);
    EXPECT_EQ(f.viewer.text(), "a-1");
    EXPECT_FALSE(f.viewer.modified());
    EXPECT_FALSE(f.editor.ViewerNeedsReload());
}

TEST(BackupCommands, DeleteLeavesTheEditorAlone)
{
    CommandFixture f;
    const PassSelection selection = f.build();
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "a.txt"));
    f.viewer.type("unsaved edit");
    f.dialogs.setNextAnswer(true);
    f.commands.tbDelAllBackupClick(selection, f.options);
    EXPECT_EQ(f.dialogs.questions().size(), 1u) << "no offer to save the editor";
    EXPECT_EQ(f.viewer.text(), "unsaved edit");
    EXPECT_EQ(f.window.interactiveRunEnds(), 0);
    EXPECT_EQ(f.status.text(1), Utf8ToWin1251(" Удалено файлов - 3"));
}

TEST(BackupCommands, HiddenCopiesAreSourcesOnlyWhenHiddenFilesAreProcessed)
{
    CommandFixture f;
    const PassSelection selection
        = test::Marked(f.tree.root().parent_path(), { f.tree.root().filename().string() + "/" });
    f.build();
    f.options.hiddenFiles = true;
    f.dialogs.setNextAnswer(true);
    f.commands.tbRestoreClick(selection, f.options);
    // .hidden, a.txt, a.txt0, a.txt1, b.txt, b.txt0, c.txt
    EXPECT_EQ(f.backups.FilesProcessed(), 7);
    EXPECT_EQ(f.backups.FilesRestored(), 2) << "copies of copies (a.txt00) do not exist";
}

} // namespace
} // namespace morvane::search
