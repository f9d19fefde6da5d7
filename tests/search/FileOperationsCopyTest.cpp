// Copy from the file panel: trees with their structure, the dialogs and their texts, the
// counters and the summary, failures and the break command.

#include "codepage/CodePage.h"
#include "search/FileOpsFixture.h"

#include <sys/stat.h>

namespace morvane::test {
namespace {

namespace fs = std::filesystem;
using codepage::Utf8ToWin1251;

TEST_F(FileOpsTest, CopiesAMarkedDirectoryTreeWithItsStructure)
{
    file("A/x.txt", "x content");
    file("A/B/y.txt", "y content");
    file("other.txt");
    list();
    mark({ "A" });
    dialogs.directoryAnswers.push_back(target);

    ops.copyFromPanel(panel);

    EXPECT_EQ(dialogs.directoryCaptions,
        std::vector<std::string> { Utf8ToWin1251("Выберите каталог для копирования объектов - 1") });
    EXPECT_EQ(ReadFileBytes(target / "A" / "x.txt"), "x content");
    EXPECT_EQ(ReadFileBytes(target / "A" / "B" / "y.txt"), "y content");
    EXPECT_FALSE(exists(target / "other.txt"));
    EXPECT_EQ(ops.DirsDone(), 2);
    EXPECT_EQ(ops.FilesDone(), 2);
    EXPECT_EQ(dialogs.messages, std::vector<std::string> { Utf8ToWin1251("Создано каталогов - 2\r\n - 2") });
    EXPECT_EQ(pass.status.text(1), Utf8ToWin1251(" Создано каталогов - 2   - 2"));
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_TRUE(exists(work / "A" / "B" / "y.txt")) << "a copy leaves the source";
    EXPECT_FALSE(pass.control.IsBusy());
    EXPECT_FALSE(pass.control.passLoopRunning());
}

TEST_F(FileOpsTest, CopyIntoAnExistingTreeCountsOnlyNewDirectoriesAndOverwrites)
{
    file("A/B/y.txt", "new");
    file("f.txt", "file");
    fs::create_directories(target / "A" / "B");
    WriteFileBytes(target / "A" / "B" / "y.txt", "old and longer");
    list();
    mark({ "A", "f.txt" });
    dialogs.directoryAnswers.push_back(target);

    ops.copyFromPanel(panel);

    EXPECT_EQ(dialogs.directoryCaptions[0], Utf8ToWin1251("Выберите каталог для копирования объектов - 2"));
    EXPECT_EQ(ops.DirsDone(), 0);
    EXPECT_EQ(ops.FilesDone(), 2);
    EXPECT_EQ(ReadFileBytes(target / "A" / "B" / "y.txt"), "new");
    EXPECT_EQ(ReadFileBytes(target / "f.txt"), "file");
}

TEST_F(FileOpsTest, CopiesTheSelectedItemWhenNothingIsMarked)
{
    file("one.txt", "1");
    file("D/inner.txt", "2");
    list();

    select("one.txt");
    dialogs.saveAnswers.push_back(target / "renamed.txt");
    ops.copyFromPanel(panel);
    ASSERT_EQ(dialogs.saveDialogs.size(), 1u);
    EXPECT_EQ(dialogs.saveDialogs[0].first, Utf8ToWin1251("Копировать"));
    EXPECT_EQ(dialogs.saveDialogs[0].second, work / "one.txt");
    EXPECT_EQ(ReadFileBytes(target / "renamed.txt"), "1");
    EXPECT_EQ(ops.FilesDone(), 1);

    select("D");
    dialogs.directoryAnswers.push_back(target);
    ops.copyFromPanel(panel);
    EXPECT_EQ(dialogs.directoryCaptions.back(), Utf8ToWin1251("Выберите каталог для копирования:\r\nD"));
    EXPECT_EQ(ReadFileBytes(target / "D" / "inner.txt"), "2");
    EXPECT_EQ(ops.DirsDone(), 1);
    EXPECT_EQ(ops.FilesDone(), 1);
}

TEST_F(FileOpsTest, CancelledDialogsTouchNothing)
{
    file("one.txt");
    file("D/inner.txt");
    list();
    for (const char* name : { "one.txt", "D" }) {
        select(name);
        ops.copyFromPanel(panel); // nothing scripted: the dialog is cancelled
        ops.moveFromPanel(panel);
    }
    EXPECT_TRUE(fs::is_empty(target));
    EXPECT_TRUE(exists(work / "one.txt"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(pass.window.busyShown().empty());
}

TEST_F(FileOpsTest, NothingHappensOnTheParentEntryOrWhileBusy)
{
    file("D/inner.txt");
    list();
    panel.ChangeDirectory(work / "D");
    ASSERT_EQ(panel.items()[0].name, "..");
    panel.focusItem(0);

    dialogs.confirmAnswer = true;
    dialogs.directoryAnswers.push_back(target);
    ops.copyFromPanel(panel);
    ops.moveFromPanel(panel);
    ops.deleteFromPanel(panel);
    EXPECT_TRUE(dialogs.untouched());

    panel.focusItem(1);
    pass.control.SetBusy(true);
    ops.copyFromPanel(panel);
    ops.moveFromPanel(panel);
    ops.deleteFromPanel(panel);
    EXPECT_TRUE(dialogs.untouched());
    EXPECT_TRUE(exists(work / "D" / "inner.txt"));
}

TEST_F(FileOpsTest, CopyingATreeIntoItselfIsRefused)
{
    file("A/x.txt");
    list();
    mark({ "A" });
    dialogs.directoryAnswers.push_back(work / "A");
    ops.copyFromPanel(panel);
    EXPECT_FALSE(exists(work / "A" / "A"));
    EXPECT_EQ(ops.FilesDone(), 0);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(dialogs.errors[0].find((work / "A" / "A").string()), std::string::npos) << dialogs.errors[0];
}

TEST_F(FileOpsTest, AFileThatCannotBeCopiedEndsTheTreeAndIsReportedWithItsPath)
{
    file("A/sub/a.txt");
    ASSERT_EQ(::mkfifo((work / "A" / "pipe").c_str(), 0600), 0);
    list();
    mark({ "A" });
    dialogs.directoryAnswers.push_back(target);
    ops.copyFromPanel(panel);

    EXPECT_FALSE(exists(target / "A" / "pipe"));
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(dialogs.errors[0].find((work / "A" / "pipe").string()), std::string::npos) << dialogs.errors[0];
    EXPECT_TRUE(pass.control.AbortRequested()) << "a failure inside a tree ends the command";
    EXPECT_EQ(dialogs.messages.size(), 1u) << "the summary follows the error";
}

TEST_F(FileOpsTest, TheBreakCommandStopsBetweenEntries)
{
    for (int i = 0; i < 6; ++i)
        file("A/f" + std::to_string(i));
    list();
    mark({ "A" });
    dialogs.directoryAnswers.push_back(target);
    pass.pump.setOnPump([&](int call) {
        if (call == 3)
            pass.control.tbBreakClick();
    });
    ops.copyFromPanel(panel);
    EXPECT_EQ(ops.FilesDone(), 2);
    int copied = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(target / "A"))
        ++copied;
    EXPECT_EQ(copied, 2);
}

TEST_F(FileOpsTest, APendingRefreshIsConsumedWhenACopyEnds)
{
    file("a.txt");
    list();
    select("a.txt");
    file("created-elsewhere.txt");
    panel.setRefreshPending();
    dialogs.saveAnswers.push_back(target / "a.txt");
    ops.copyFromPanel(panel);
    EXPECT_FALSE(panel.refreshPending());
    EXPECT_GE(indexOf("created-elsewhere.txt"), 0);
    EXPECT_EQ(panel.items()[static_cast<size_t>(panel.focusedIndex())].name, "a.txt");
}

TEST_F(FileOpsTest, CreateDirectory)
{
    file("exists/x");
    list();
    EXPECT_TRUE(ops.createDirectory(panel, "New dir"));
    EXPECT_TRUE(fs::is_directory(work / "New dir"));
    ASSERT_GE(panel.focusedIndex(), 0);
    EXPECT_EQ(panel.items()[static_cast<size_t>(panel.focusedIndex())].name, "New dir");

    struct Case {
        const char* name;
    } refused[] = { { "exists" }, { "" }, { "missing/child" } };
    for (const Case& c : refused) {
        EXPECT_FALSE(ops.createDirectory(panel, c.name)) << c.name;
    }
    EXPECT_FALSE(exists(work / "missing"));
    EXPECT_EQ(ReadFileBytes(work / "exists" / "x"), "data");
}

} // namespace
} // namespace morvane::test
