// Moving through directories, keeping and dropping marks and focus across listings, and the
// mask box.

#include "PanelFixture.h"

#include "filepanel/TDirChangeNotifier.h"

using namespace morvane::filepanel;

namespace morvane::tests {
namespace {

using Names = std::vector<std::string>;

class FilePanelNavigationTest : public PanelFixture { };

TEST_F(FilePanelNavigationTest, BackspaceListsTheParentWithTheDirectoryLeftFocused)
{
    tree.dir("a/b");
    tree.dir("a/A1");
    tree.dir("a/c");
    enter(tree / "a/b");
    EXPECT_EQ(panel.currentDirectory(), tree / "a/b");

    panel.goToParent();
    EXPECT_EQ(panel.currentDirectory(), tree / "a");
    EXPECT_EQ(focusedName(), "b");
    EXPECT_EQ(panel.selectedIndex(), panel.focusedIndex());
}

TEST_F(FilePanelNavigationTest, EnterGoesIntoDirectoriesAndOpensFiles)
{
    tree.file("d/inner.txt");
    tree.file("doc.txt");
    enter(tree.root());

    panel.focusItem(indexOf("doc.txt"));
    panel.activateFocused();
    ASSERT_EQ(host.opened.size(), 1u);
    EXPECT_EQ(host.opened[0].first, tree / "doc.txt");
    EXPECT_EQ(host.opened[0].second, tree.root());

    panel.focusItem(indexOf("d"));
    panel.activateFocused();
    EXPECT_EQ(panel.currentDirectory(), tree / "d");
    EXPECT_EQ(focusedName(), "..");
    EXPECT_EQ(names(), (Names { "..", "inner.txt" }));

    panel.activateFocused(); // ".."
    EXPECT_EQ(panel.currentDirectory(), tree.root());
    EXPECT_EQ(focusedName(), "d");
}

TEST_F(FilePanelNavigationTest, APathThatCannotBeEnteredLeavesThePanelAsItWas)
{
    tree.file("f.txt");
    enter(tree.root());
    const Names before = names();
    const int listings = host.listingsStarted;
    EXPECT_FALSE(panel.ChangeDirectory(tree / "absent"));
    EXPECT_FALSE(panel.ChangeDirectory(tree / "f.txt"));
    EXPECT_FALSE(panel.ChangeDirectory(tree.root())); // already there
    EXPECT_FALSE(panel.ChangeDirectory(""));
    EXPECT_EQ(panel.currentDirectory(), tree.root());
    EXPECT_EQ(names(), before);
    EXPECT_EQ(host.listingsStarted, listings);
}

TEST_F(FilePanelNavigationTest, RelativePathsAndLinksResolveLikeTheSystemDoes)
{
    tree.dir("x/y");
    std::filesystem::create_directory_symlink("x/y", tree / "link");
    enter(tree.root());
    ASSERT_TRUE(panel.ChangeDirectory("x"));
    EXPECT_EQ(panel.currentDirectory(), tree / "x");
    ASSERT_TRUE(panel.ChangeDirectory("y/../../link"));
    EXPECT_EQ(panel.currentDirectory(), tree / "x/y");
}

TEST_F(FilePanelNavigationTest, TheDriveRootAndTheDriveBox)
{
    enter(tree.root());
    const std::filesystem::path drive = panel.driveRoot();
    EXPECT_EQ(DriveRootOf(tree.root(), MountPoints()), drive);
    panel.goToDriveRoot();
    EXPECT_EQ(panel.currentDirectory(), drive);

    panel.selectDrive(tree.root());
    EXPECT_EQ(panel.currentDirectory(), tree.root());

    // The drive box does nothing while the program starts.
    panel.setStartingUp(true);
    panel.selectDrive("/");
    EXPECT_EQ(panel.currentDirectory(), tree.root());
}

TEST_F(FilePanelNavigationTest, StartUpAppliesTheLoadedMarksAndADirectoryChangeDropsThem)
{
    tree.file("a/one.txt");
    tree.file("a/two.txt");
    tree.file("b/one.txt");
    panel.setSelectionList({ "two.txt", "gone.txt" });
    ASSERT_TRUE(panel.ChangeDirectory(tree / "a")); // still starting up
    EXPECT_EQ(markedNames(), (Names { "two.txt" }));
    EXPECT_EQ(panel.MarkedCount(), 1);
    EXPECT_EQ(panel.SelectionList(), (Names { "two.txt", "gone.txt" })); // unlisted names stay
    panel.setStartingUp(false);

    ASSERT_TRUE(panel.ChangeDirectory(tree / "b"));
    EXPECT_TRUE(panel.SelectionList().empty());
    EXPECT_EQ(panel.MarkedCount(), 0);
    panel.goToParent();
    panel.ChangeDirectory(tree / "a");
    EXPECT_TRUE(markedNames().empty());
}

TEST_F(FilePanelNavigationTest, RefreshKeepsMarksAndTheFocusedItem)
{
    tree.file("a.txt");
    tree.file("b.txt");
    tree.file("c.txt");
    enter(tree.root());
    panel.setMark(indexOf("a.txt"), true);
    panel.focusItem(indexOf("b.txt"));
    tree.file("0.txt"); // shifts every index by one

    ASSERT_TRUE(panel.RefreshListing());
    EXPECT_EQ(names(), (Names { "..", "0.txt", "a.txt", "b.txt", "c.txt" }));
    EXPECT_EQ(markedNames(), (Names { "a.txt" }));
    EXPECT_EQ(panel.MarkedCount(), 1);
    EXPECT_EQ(focusedName(), "b.txt");

    // A focused item that is gone gives way to the one now at its index ...
    std::filesystem::remove(tree / "b.txt");
    panel.RefreshListing();
    EXPECT_EQ(focusedName(), "c.txt");
    // ... or to the last item when the list became shorter.
    std::filesystem::remove(tree / "c.txt");
    panel.RefreshListing();
    EXPECT_EQ(focusedName(), "a.txt");
}

TEST_F(FilePanelNavigationTest, MovingTheFocusWithNothingMarkedInvalidatesTheFileList)
{
    tree.file("a.txt");
    tree.file("b.txt");
    enter(tree.root());
    int invalidations = host.fileListInvalidations;
    host.busy = true;
    panel.focusItem(indexOf("a.txt"));
    EXPECT_EQ(host.fileListInvalidations, invalidations + 1);
    EXPECT_FALSE(host.busy); // the pass root followed the focus: the busy state ends

    panel.setMark(indexOf("b.txt"), true);
    invalidations = host.fileListInvalidations;
    host.busy = true;
    panel.focusItem(indexOf("b.txt"));
    EXPECT_EQ(host.fileListInvalidations, invalidations);
    EXPECT_TRUE(host.busy);
}

TEST_F(FilePanelNavigationTest, KeyboardCommandsWaitForTheEndOfAPass)
{
    tree.file("d/x");
    tree.file("f");
    enter(tree.root());
    panel.focusItem(indexOf("d"));
    host.busy = true;
    panel.activateFocused();
    panel.goToParent();
    panel.computeDirectorySize();
    panel.toggleMarkAndAdvance();
    panel.markAll();
    EXPECT_EQ(panel.currentDirectory(), tree.root());
    EXPECT_EQ(panel.MarkedCount(), 0);
    EXPECT_EQ(panel.items()[static_cast<std::size_t>(indexOf("d"))].size, 0);

    // Marking with the mouse works all the same.
    panel.ctrlClick(indexOf("f"));
    EXPECT_EQ(markedNames(), (Names { "f" }));
}

TEST_F(FilePanelNavigationTest, TheMaskBoxRelistsOnlyForANewMask)
{
    tree.file("a.txt");
    tree.file("b.htm");
    tree.file("c.txt");
    enter(tree.root());
    panel.focusItem(indexOf("c.txt"));

    panel.maskEntered("*.txt");
    EXPECT_EQ(names(), (Names { "..", "a.txt", "c.txt" }));
    EXPECT_EQ(focusedName(), "c.txt");
    EXPECT_EQ(panel.maskHistory().items().size(), 5u); // "*.txt" is a fixed entry already

    const int listings = host.listingsStarted;
    panel.maskChosen("*.txt");
    EXPECT_EQ(host.listingsStarted, listings);

    panel.maskEntered("*.htm;*.log");
    EXPECT_EQ(panel.maskHistory().items()[5], "*.htm;*.log");
    EXPECT_EQ(names(), (Names { "..", "b.htm" }));
    EXPECT_EQ(focusedName(), "..");

    panel.maskLeft("");
    EXPECT_EQ(panel.maskText(), "*.*");
    EXPECT_EQ(panel.lastListedMask(), "*.*");
    EXPECT_EQ(names(), (Names { "..", "b.htm", "a.txt", "c.txt" }));
}

TEST_F(FilePanelNavigationTest, TheWatcherFollowsTheCurrentDirectory)
{
    tree.dir("a");
    tree.dir("b");
    TDirChangeNotifier notifier([](const std::function<void()>& call) { call(); });
    panel.setNotifier(&notifier);
    enter(tree / "a");
    EXPECT_EQ(notifier.root(), tree / "a");
    panel.ChangeDirectory(tree / "b");
    EXPECT_EQ(notifier.root(), tree / "b");
}

} // namespace
} // namespace morvane::tests
