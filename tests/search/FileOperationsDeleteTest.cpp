// Delete from the file panel: the confirmation texts, backup copies and their hidden-list
// entries going with each file, trees, links, the summary and the break command.

#include "codepage/CodePage.h"
#include "search/FileOpsFixture.h"
#include "search/HiddenList.h"

namespace morvane::test {
namespace {

namespace fs = std::filesystem;
using codepage::Utf8ToWin1251;

TEST_F(FileOpsTest, DeletesAFileWithItsTwoBackupCopies)
{
    file("a.htm", "now");
    file("a.htm0", "first");
    file("a.htm1", "second");
    file("a.htm3", "not in the run");
    search::AddToHiddenList(work / "a.htm0");
    search::AddToHiddenList(work / "a.htm1");
    search::AddToHiddenList(work / "other");
    list();
    select("a.htm");

    ops.deleteFromPanel(panel);

    EXPECT_EQ(dialogs.confirmations,
        std::vector<std::string> {
            Utf8ToWin1251("Вы действительно хотите удалить файл:\r\n") + (work / "a.htm").string() + " ?" });
    for (const char* gone : { "a.htm", "a.htm0", "a.htm1" })
        EXPECT_FALSE(exists(work / gone)) << gone;
    EXPECT_TRUE(exists(work / "a.htm3"));
    EXPECT_FALSE(search::IsInHiddenList(work / "a.htm0"));
    EXPECT_FALSE(search::IsInHiddenList(work / "a.htm1"));
    EXPECT_TRUE(search::IsInHiddenList(work / "other"));
    EXPECT_EQ(ops.FilesDone(), 1);
    EXPECT_TRUE(dialogs.messages.empty()) << "one file: no summary";
    EXPECT_EQ(indexOf("a.htm"), -1);
}

TEST_F(FileOpsTest, ConfirmationTextsNameWhatGoes)
{
    file("D/x");
    file("f");
    file("g");
    list();
    dialogs.confirmAnswer = false;

    select("D");
    ops.deleteFromPanel(panel);
    mark({ "f", "g" });
    ops.deleteFromPanel(panel);

    const std::vector<std::string> expected {
        Utf8ToWin1251("Вы действительно хотите удалить каталог:\r\n") + (work / "D").string() + " ?",
        Utf8ToWin1251("Вы действительно хотите удалить объектов - 2 ?"),
    };
    EXPECT_EQ(dialogs.confirmations, expected);
    EXPECT_TRUE(exists(work / "D" / "x")) << "No deletes nothing";
    EXPECT_TRUE(exists(work / "f"));
    EXPECT_TRUE(pass.window.busyShown().empty());
}

TEST_F(FileOpsTest, DeletesMarkedTreesAndFilesWithASummary)
{
    file("D/x");
    file("D/E/y");
    file("f");
    file("keep");
    list();
    mark({ "D", "f" });

    ops.deleteFromPanel(panel);

    EXPECT_FALSE(exists(work / "D"));
    EXPECT_FALSE(exists(work / "f"));
    EXPECT_TRUE(exists(work / "keep"));
    EXPECT_EQ(ops.DirsDone(), 2);
    EXPECT_EQ(ops.FilesDone(), 3);
    EXPECT_EQ(
        dialogs.messages, std::vector<std::string> { Utf8ToWin1251("Удалено файлов - 3  каталогов - 2") });
    EXPECT_EQ(pass.status.text(1), Utf8ToWin1251(" Удалено файлов - 3  каталогов - 2"));
    EXPECT_EQ(panel.MarkedCount(), 0);
    EXPECT_TRUE(panel.SelectionList().empty());
}

TEST_F(FileOpsTest, ALinkInADeletedTreeGoesWithoutWhatItPointsTo)
{
    const fs::path elsewhere = temp.path() / "elsewhere";
    fs::create_directories(elsewhere);
    WriteFileBytes(elsewhere / "keep.txt", "keep");
    file("D/x");
    fs::create_directory_symlink(elsewhere, work / "D" / "link");
    fs::create_directory_symlink(elsewhere, work / "toplink");
    list();
    mark({ "D", "toplink" });
    ops.deleteFromPanel(panel);
    EXPECT_FALSE(exists(work / "D"));
    EXPECT_FALSE(exists(work / "toplink"));
    EXPECT_EQ(ReadFileBytes(elsewhere / "keep.txt"), "keep");
}

TEST_F(FileOpsTest, TheBreakCommandLeavesTheRestAndTheirItems)
{
    for (int i = 0; i < 5; ++i)
        file("D/f" + std::to_string(i));
    list();
    select("D");
    pass.pump.setOnPump([&](int call) {
        if (call == 4)
            pass.control.tbBreakClick();
    });
    ops.deleteFromPanel(panel);
    EXPECT_TRUE(exists(work / "D"));
    EXPECT_GE(indexOf("D"), 0);
    EXPECT_GT(ops.FilesDone(), 0);
    EXPECT_LT(ops.FilesDone(), 5);
    EXPECT_EQ(ops.DirsDone(), 0);
}

TEST_F(FileOpsTest, TheFocusStaysNearTheDeletedItem)
{
    file("a");
    file("b");
    file("c");
    list();
    select("b");
    ops.deleteFromPanel(panel);
    ASSERT_GE(panel.focusedIndex(), 0);
    EXPECT_EQ(panel.items()[static_cast<size_t>(panel.focusedIndex())].name, "c");
}

} // namespace
} // namespace morvane::test
