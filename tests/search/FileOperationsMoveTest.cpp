// Move from the file panel: items that went leave the listing and the marks, items that could
// not go stay, and a source tree is removed only once its copy is complete.

#include "codepage/CodePage.h"
#include "search/FileOpsFixture.h"

#include <sys/stat.h>

namespace morvane::test {
namespace {

namespace fs = std::filesystem;
using codepage::Utf8ToWin1251;

TEST_F(FileOpsTest, MovesMarkedItemsAndDropsThemFromThePanel)
{
    file("A/B/y.txt", "y");
    file("a.txt", "a");
    file("stays.txt");
    list();
    mark({ "A", "a.txt" });
    dialogs.directoryAnswers.push_back(target);

    ops.moveFromPanel(panel);

    EXPECT_EQ(dialogs.directoryCaptions,
        std::vector<std::string> { Utf8ToWin1251("Выберите каталог для перемещения объектов - 2") });
    EXPECT_EQ(ReadFileBytes(target / "A" / "B" / "y.txt"), "y");
    EXPECT_EQ(ReadFileBytes(target / "a.txt"), "a");
    EXPECT_FALSE(exists(work / "A"));
    EXPECT_FALSE(exists(work / "a.txt"));
    EXPECT_EQ(indexOf("A"), -1);
    EXPECT_EQ(indexOf("a.txt"), -1);
    EXPECT_GE(indexOf("stays.txt"), 0);
    EXPECT_EQ(panel.MarkedCount(), 0);
    EXPECT_TRUE(panel.SelectionList().empty());
    EXPECT_EQ(ops.DirsDone(), 2);
    EXPECT_EQ(ops.FilesDone(), 2); // the tree's file and the marked file
    EXPECT_EQ(dialogs.messages,
        std::vector<std::string> { Utf8ToWin1251("Создано каталогов - 2\r\nПеремещено файлов - 2") });
    EXPECT_EQ(pass.status.text(1), Utf8ToWin1251(" Создано каталогов - 2  Перемещено файлов - 2"));
}

TEST_F(FileOpsTest, AMarkedFileWhoseTargetCannotBeWrittenIsSkipped)
{
    file("a.txt", "a");
    file("b.txt", "b");
    fs::create_directories(target / "a.txt"); // a directory where the file should go
    list();
    mark({ "a.txt", "b.txt" });
    dialogs.directoryAnswers.push_back(target);

    ops.moveFromPanel(panel);

    EXPECT_EQ(ReadFileBytes(work / "a.txt"), "a");
    EXPECT_GE(indexOf("a.txt"), 0);
    EXPECT_TRUE(panel.items()[static_cast<size_t>(indexOf("a.txt"))].marked);
    EXPECT_EQ(ReadFileBytes(target / "b.txt"), "b");
    EXPECT_EQ(indexOf("b.txt"), -1);
    EXPECT_EQ(ops.FilesDone(), 1);
    EXPECT_EQ(dialogs.errors.size(), 1u);
}

TEST_F(FileOpsTest, MovesTheSelectedItemAlone)
{
    file("one.txt", "1");
    file("two.txt", "2");
    list();
    select("one.txt");
    dialogs.directoryAnswers.push_back(target);
    ops.moveFromPanel(panel);
    EXPECT_EQ(dialogs.directoryCaptions[0], Utf8ToWin1251("Выберите каталог для перемещения:\r\none.txt"));
    EXPECT_EQ(ReadFileBytes(target / "one.txt"), "1");
    EXPECT_EQ(indexOf("one.txt"), -1);
    EXPECT_TRUE(exists(work / "two.txt"));
    ASSERT_GE(panel.focusedIndex(), 0) << "the focus stays in the list";
}

TEST_F(FileOpsTest, ATreeWithAFileThatCannotBeCopiedIsNotRemoved)
{
    file("A/a.txt", "a");
    file("A/sub/b.txt", "b");
    ASSERT_EQ(::mkfifo((work / "A" / "pipe").c_str(), 0600), 0);
    list();
    mark({ "A" });
    dialogs.directoryAnswers.push_back(target);

    ops.moveFromPanel(panel);

    EXPECT_EQ(ReadFileBytes(work / "A" / "a.txt"), "a");
    EXPECT_EQ(ReadFileBytes(work / "A" / "sub" / "b.txt"), "b");
    EXPECT_TRUE(exists(work / "A" / "pipe"));
    EXPECT_GE(indexOf("A"), 0);
    EXPECT_EQ(dialogs.errors.size(), 1u);
}

TEST_F(FileOpsTest, MovingATreeIntoItselfRemovesNothing)
{
    file("A/a.txt", "a");
    list();
    select("A");
    dialogs.directoryAnswers.push_back(work / "A" / "deeper");
    fs::create_directories(work / "A" / "deeper");
    ops.moveFromPanel(panel);
    EXPECT_EQ(ReadFileBytes(work / "A" / "a.txt"), "a");
    EXPECT_FALSE(exists(work / "A" / "deeper" / "A"));
}

TEST_F(FileOpsTest, AnEntryThatAppearsDuringAMoveIsNotDeletedWithTheTree)
{
    file("A/a.txt", "a");
    list();
    mark({ "A" });
    dialogs.directoryAnswers.push_back(target);
    // Another program writes into the source while it is being copied.
    pass.pump.setOnPump([&](int call) {
        if (call == 1)
            WriteFileBytes(work / "A" / "late.txt", "late");
    });
    ops.moveFromPanel(panel);
    EXPECT_EQ(ReadFileBytes(target / "A" / "a.txt"), "a");
    EXPECT_FALSE(exists(work / "A" / "a.txt"));
    EXPECT_EQ(ReadFileBytes(work / "A" / "late.txt"), "late");
    EXPECT_GE(indexOf("A"), 0) << "a directory that is not empty afterwards keeps its item";
}

TEST_F(FileOpsTest, ALinkToADirectoryMovesAsALink)
{
    const fs::path elsewhere = temp.path() / "elsewhere";
    fs::create_directories(elsewhere);
    WriteFileBytes(elsewhere / "keep.txt", "keep");
    fs::create_directory_symlink(elsewhere, work / "link");
    list();
    select("link");
    dialogs.directoryAnswers.push_back(target);
    ops.moveFromPanel(panel);
    EXPECT_TRUE(fs::is_symlink(target / "link"));
    EXPECT_FALSE(exists(work / "link"));
    EXPECT_EQ(ReadFileBytes(elsewhere / "keep.txt"), "keep");
}

} // namespace
} // namespace morvane::test
