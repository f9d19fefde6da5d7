// The pass file list's life: progress texts, abort, the reuse rule and invalidation.

#include "PassFixture.h"
#include "TempTree.h"
#include "app/Format.h"
#include "app/MessageTable.h"
#include "search/PassFileList.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

using morvane::app::Msg;
using morvane::search::FileListEvent;
using morvane::search::PassFileList;
using morvane::search::PassOptions;
using morvane::test::Marked;
using morvane::test::PassFixture;
using morvane::test::TempTree;

namespace {

class PassFileListTest : public ::testing::Test {
protected:
    PassFileListTest()
    {
        tree.file("D/a.txt");
        tree.file("D/b.txt");
        tree.file("D/S/c.txt");
        tree.file("D/S/d.txt");
        tree.file("D/T/e.txt");
        options.subDirectories = true;
    }

    TempTree tree;
    PassFixture fixture;
    PassFileList list { fixture.control };
    PassOptions options;
};

} // namespace

TEST_F(PassFileListTest, ShowsScanningTextAndGrowingCount)
{
    ASSERT_TRUE(list.BuildFileList(Marked(tree.root(), { "D/" }), options));
    EXPECT_EQ(list.FileList().size(), 5u);
    EXPECT_EQ(list.CurrentFileIndex(), 0);
    EXPECT_EQ(fixture.status.history().front(), std::make_pair(1, " " + Msg(39)));
    for (const char* count : { "1", "2", "3", "4", "5" })
        EXPECT_TRUE(fixture.status.everShown(0, count)) << count;
    EXPECT_EQ(fixture.status.text(0), "5");
}

TEST_F(PassFileListTest, BetweenResponsesTheCountWaitsButTheWalkEndsShowingIt)
{
    // The clock stands still inside the response interval: no count is due while the walk runs,
    // yet its end shows the whole count, for marked roots and for the focused item alike.
    fixture.control.setResponseInterval(500);
    fixture.control.resetPumpTime();
    ASSERT_TRUE(list.BuildFileList(Marked(tree.root(), { "D/" }), options));
    EXPECT_FALSE(fixture.status.everShown(0, "3"));
    EXPECT_EQ(fixture.status.text(0), "5");
    auto focused = Marked(tree.root(), { "D/", "D/S/" });
    focused.items[0].marked = focused.items[1].marked = false;
    focused.focusedIndex = 1;
    ASSERT_TRUE(list.BuildFileList(focused, options));
    EXPECT_EQ(list.FileList().size(), 2u);
    EXPECT_EQ(fixture.status.text(0), "2");
}

TEST_F(PassFileListTest, CountIsGroupedByThousands)
{
    for (int i = 0; i < 1000; ++i)
        tree.file("D/T/n" + std::to_string(i));
    ASSERT_TRUE(list.BuildFileList(Marked(tree.root(), { "D/" }), options));
    EXPECT_EQ(fixture.status.text(0), "1" + std::string(morvane::app::ThousandsSeparator()) + "005");
}

TEST_F(PassFileListTest, AbortInTheMiddleLeavesAPartialInvalidList)
{
    // The user presses break while the walk is in the first subdirectory.
    fixture.pump.setOnPump([&](int) {
        if (list.FileList().size() == 3)
            fixture.control.tbBreakClick();
    });
    fixture.control.SetBusy(true);
    EXPECT_FALSE(list.BuildFileList(Marked(tree.root(), { "D/" }), options));
    EXPECT_FALSE(list.FileListValid());
    EXPECT_EQ(list.FileList().size(), 3u);
    EXPECT_FALSE(fixture.control.IsBusy());
}

TEST_F(PassFileListTest, ReuseRuleTakesAValidListWithoutWalking)
{
    ASSERT_TRUE(list.TakeFileList(Marked(tree.root(), { "D/" }), options));
    fixture.status.clearHistory();
    tree.file("D/new.txt"); // not seen: the list is reused as it is
    ASSERT_TRUE(list.TakeFileList(Marked(tree.root(), { "D/" }), options));
    EXPECT_EQ(list.FileList().size(), 5u);
    EXPECT_TRUE(fixture.status.history().empty()) << "no scanning text on reuse";

    list.invalidate(FileListEvent::PanelReloaded);
    ASSERT_TRUE(list.TakeFileList(Marked(tree.root(), { "D/" }), options));
    EXPECT_EQ(list.FileList().size(), 6u);
    EXPECT_TRUE(fixture.status.everShown(1, " " + Msg(39)));
}

TEST_F(PassFileListTest, ReuseRuleAfterAbortEndsTheCommandAndNextTimeRebuilds)
{
    fixture.pump.setOnPump([&](int call) {
        if (call == 2)
            fixture.control.tbBreakClick();
    });
    fixture.control.SetBusy(true);
    EXPECT_FALSE(list.TakeFileList(Marked(tree.root(), { "D/" }), options));
    EXPECT_EQ(fixture.status.text(0), "");
    EXPECT_EQ(fixture.status.text(1), " " + Msg(40));
    EXPECT_FALSE(fixture.window.busyShown().back());

    // The next command clears the abort request and rebuilds instead of reusing the partial list.
    fixture.pump.setOnPump(nullptr);
    fixture.control.setAbortRequested(false);
    ASSERT_TRUE(list.TakeFileList(Marked(tree.root(), { "D/" }), options));
    EXPECT_EQ(list.FileList().size(), 5u);
}

TEST_F(PassFileListTest, ChangeDuringTheWalkKeepsTheListInvalid)
{
    // A mark changed through the message pump while the walk runs: the finished list no
    // longer describes the selection and must not be reused.
    fixture.pump.setOnPump([&](int call) {
        if (call == 1)
            list.invalidate(FileListEvent::MarkChanged);
    });
    EXPECT_FALSE(list.BuildFileList(Marked(tree.root(), { "D/" }), options));
    EXPECT_EQ(list.FileList().size(), 5u) << "the walk itself runs to its end";
    fixture.pump.setOnPump(nullptr);
    EXPECT_TRUE(list.BuildFileList(Marked(tree.root(), { "D/" }), options));
}

TEST_F(PassFileListTest, ChangeDuringTheWalkStillFinishesTheCommand)
{
    fixture.pump.setOnPump([&](int call) {
        if (call == 1)
            list.invalidate(FileListEvent::MarkChanged);
    });
    fixture.control.SetBusy(true);
    EXPECT_TRUE(list.TakeFileList(Marked(tree.root(), { "D/" }), options));
    EXPECT_EQ(list.FileList().size(), 5u);
    EXPECT_FALSE(list.FileListValid());
    EXPECT_NE(fixture.status.text(1), " " + Msg(40));
    EXPECT_TRUE(fixture.control.IsBusy());
}

TEST_F(PassFileListTest, ListBeingRebuiltIsNeverCurrent)
{
    ASSERT_TRUE(list.BuildFileList(Marked(tree.root(), { "D/" }), options));
    bool validDuringWalk = true;
    fixture.pump.setOnPump([&](int) { validDuringWalk = validDuringWalk && list.FileListValid(); });
    ASSERT_TRUE(list.BuildFileList(Marked(tree.root(), { "D/" }), options));
    EXPECT_GT(fixture.pump.calls(), 0);
    EXPECT_FALSE(validDuringWalk);
}

TEST_F(PassFileListTest, EveryInvalidatingEventWithItsSideEffects)
{
    struct Case {
        FileListEvent event;
        bool leavesBusy;
        bool endsInteractiveRun;
    } cases[] = {
        { FileListEvent::SubDirToggled, true, true },
        { FileListEvent::PanelReloaded, false, false },
        { FileListEvent::FocusMovedUnmarked, true, false },
        { FileListEvent::MarkChanged, false, false },
        { FileListEvent::ItemRenamed, false, true },
        { FileListEvent::ItemsMovedOrDeleted, false, true },
        { FileListEvent::ReplaceCommand, false, false },
    };
    for (const Case& c : cases) {
        PassFixture local;
        PassFileList fresh(local.control);
        ASSERT_TRUE(fresh.BuildFileList(Marked(tree.root(), { "D/" }), options));
        local.control.SetBusy(true);
        fresh.invalidate(c.event);
        EXPECT_FALSE(fresh.FileListValid()) << static_cast<int>(c.event);
        EXPECT_EQ(!local.control.IsBusy(), c.leavesBusy) << static_cast<int>(c.event);
        EXPECT_EQ(local.window.interactiveRunEnds(), c.endsInteractiveRun ? 1 : 0)
            << static_cast<int>(c.event);
    }
}

TEST_F(PassFileListTest, EmptySelectionGivesAnEmptyValidList)
{
    EXPECT_TRUE(list.BuildFileList(Marked(tree.root(), { "D/S/c.txt" }), options));
    EXPECT_EQ(list.CurrentFileIndex(), 0);
    EXPECT_TRUE(list.BuildFileList(Marked(tree / "D", { "T/" }), PassOptions { "*.none", true, false, {} }));
    EXPECT_TRUE(list.FileList().empty());
    EXPECT_EQ(list.CurrentFileIndex(), -1);
}

TEST_F(PassFileListTest, AMarkedPipeOrDeviceIsNotListed)
{
    ASSERT_EQ(::mkfifo((tree / "D" / "pipe").c_str(), 0600), 0);
    morvane::search::PassSelection selection = Marked(tree / "D", { "pipe", "a.txt", "gone.txt" });
    selection.items.push_back({ "/dev/zero", false, true });
    ASSERT_TRUE(list.BuildFileList(selection, options));
    EXPECT_EQ(list.FileList(), (std::vector<std::filesystem::path> { tree / "D" / "a.txt", tree / "D" / "gone.txt" }));
}
