// The panel's listing: what it lists, in which order, its status texts, the drive space line
// and the directory size.

#include "PanelFixture.h"

#include "app/Format.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "filepanel/DosDateTime.h"

#include <unistd.h>

using morvane::codepage::Utf8ToWin1251;
using namespace morvane::filepanel;

namespace morvane::tests {
namespace {

using Names = std::vector<std::string>;

class FilePanelTest : public PanelFixture { };

TEST_F(FilePanelTest, ListsParentThenDirectoriesThenMatchingFiles)
{
    tree.dir("sub");
    tree.dir("Other");
    tree.dir(".hdir");
    tree.file("a.txt", "12345");
    tree.file("b.htm");
    tree.file("makefile");
    tree.file(".hid.txt");
    enter(tree.root());

    // By type (the default): hidden directories are listed, hidden files are not.
    EXPECT_EQ(names(), (Names { "..", ".hdir", "Other", "sub", "b.htm", "a.txt", "makefile" }));
    EXPECT_EQ(panel.parentEntryCount(), 1);
    const FileItem& parent = panel.items()[0];
    EXPECT_EQ(parent.stateImage, StateImage::NoBox);
    EXPECT_EQ(parent.icon, ItemIcon::Parent);
    EXPECT_TRUE(parent.isDirectory());
    const FileItem& sub = panel.items()[static_cast<std::size_t>(indexOf("sub"))];
    EXPECT_EQ(sub.icon, ItemIcon::Directory);
    EXPECT_EQ(sub.stateImage, StateImage::Unmarked);
    EXPECT_EQ(sub.size, 0);
    const FileItem& file = panel.items()[static_cast<std::size_t>(indexOf("a.txt"))];
    EXPECT_EQ(file.icon, ItemIcon::File);
    EXPECT_EQ(file.size, 5);
    EXPECT_EQ(file.attributes, kAttrArchive);
    EXPECT_EQ(panel.lastListedMask(), "*.*");
}

TEST_F(FilePanelTest, HiddenFilesOnlyWithTheOption)
{
    tree.file(".dot.txt");
    tree.file("listed.txt");
    tree.file("plain.txt");
    tree.file(".hidden", "listed.txt\n");
    enter(tree.root());
    EXPECT_EQ(names(), (Names { "..", "plain.txt" }));

    panel.focusItem(indexOf("plain.txt"));
    panel.setProcessHidden(true);
    // By type ".hidden" is all extension, which sorts before ".txt".
    EXPECT_EQ(names(), (Names { "..", ".hidden", ".dot.txt", "listed.txt", "plain.txt" }));
    EXPECT_EQ(focusedName(), "plain.txt");
}

TEST_F(FilePanelTest, SeveralMasksListEachFileOnceInMaskOrder)
{
    tree.file("a.txt");
    tree.file("A.TXT");
    tree.file("b.htm");
    tree.file("c.rtf");
    panel.setSortMode(SortMode::Name);
    panel.setMaskText("*.txt;*.TXT");
    enter(tree.root());
    // Both names match both masks; each is listed once (equal keys keep the name order).
    EXPECT_EQ(names(), (Names { "..", "A.TXT", "a.txt" }));

    panel.maskEntered("*.htm;*.*");
    EXPECT_EQ(names(), (Names { "..", "A.TXT", "a.txt", "b.htm", "c.rtf" }));

    panel.maskEntered("*.htm;");
    EXPECT_EQ(names(), (Names { "..", "b.htm" }));
}

TEST_F(FilePanelTest, SortsByEachKey)
{
    const auto oldDir = tree.dir("old-dir");
    const auto newDir = tree.dir("New-dir");
    const auto big = tree.file("big.txt", std::string(300, 'x'));
    const auto small = tree.file("small.htm", "12345");
    const auto none = tree.file("README", "1234567");
    TempTree::setTime(oldDir, 2001, 1, 1);
    TempTree::setTime(newDir, 2020, 1, 1);
    TempTree::setTime(big, 2005, 5, 5);
    TempTree::setTime(small, 2019, 9, 9);
    TempTree::setTime(none, 1999, 1, 1);
    enter(tree.root());

    EXPECT_EQ(names(), (Names { "..", "New-dir", "old-dir", "small.htm", "big.txt", "README" }));
    panel.setSortMode(SortMode::Name);
    EXPECT_EQ(names(), (Names { "..", "New-dir", "old-dir", "big.txt", "README", "small.htm" }));
    panel.setSortMode(SortMode::Date);
    EXPECT_EQ(names(), (Names { "..", "old-dir", "New-dir", "README", "big.txt", "small.htm" }));
    panel.setSortMode(SortMode::Size);
    EXPECT_EQ(names(), (Names { "..", "New-dir", "old-dir", "small.htm", "README", "big.txt" }));

    // A directory whose size has been computed sorts by it, after a 5-byte file.
    tree.file("old-dir/inside", std::string(100, 'y'));
    panel.focusItem(indexOf("old-dir"));
    panel.computeDirectorySize();
    panel.SortListing();
    EXPECT_EQ(names(), (Names { "..", "New-dir", "small.htm", "README", "old-dir", "big.txt" }));
    EXPECT_EQ(focusedName(), "old-dir"); // the focus stays on its item
}

TEST_F(FilePanelTest, TheRootHasNoParentEntry)
{
    enter("/");
    ASSERT_GT(panel.count(), 0);
    EXPECT_EQ(panel.parentEntryCount(), 0);
    EXPECT_NE(panel.items()[0].name, "..");
    panel.focusItem(0);
    EXPECT_EQ(panel.countsText(), Utf8ToWin1251("1/1 из " + std::to_string(panel.count())));
    EXPECT_EQ(panel.curDirText(), "/*.*");
}

TEST_F(FilePanelTest, AFileOfFiveGibibytesShowsItsLowThirtyTwoBits)
{
    const auto path = tree.file("huge.bin");
    ASSERT_EQ(::truncate(path.c_str(), (5ll << 30) + 5), 0);
    enter(tree.root());
    EXPECT_EQ(panel.items()[static_cast<std::size_t>(indexOf("huge.bin"))].size, (1ll << 30) + 5);
}

TEST_F(FilePanelTest, ReadDirectoryClearsThePendingRefreshAndInvalidatesTheFileList)
{
    tree.file("a.txt");
    enter(tree.root());
    panel.setRefreshPending();
    const int invalidations = host.fileListInvalidations;
    const int busyOn = host.setBusyOn;
    ASSERT_TRUE(panel.ReadDirectory());
    EXPECT_FALSE(panel.refreshPending());
    EXPECT_GT(host.fileListInvalidations, invalidations);
    EXPECT_EQ(host.setBusyOn, busyOn + 1);
    EXPECT_FALSE(host.busy);
    EXPECT_EQ(panel.focusedIndex(), -1);
}

TEST_F(FilePanelTest, NoListingWhileAPassIsBusy)
{
    tree.file("a.txt");
    enter(tree.root());
    tree.file("b.txt");
    panel.setRefreshPending();
    host.busy = true;
    EXPECT_FALSE(panel.ReadDirectory());
    EXPECT_FALSE(panel.RefreshListing());
    EXPECT_TRUE(panel.refreshPending());
    EXPECT_EQ(names(), (Names { "..", "a.txt" }));
    EXPECT_FALSE(panel.ChangeDirectory("/"));

    // An abort ends the busy state, and the listing works again.
    host.abort = true;
    EXPECT_TRUE(panel.RefreshListing());
    EXPECT_EQ(names(), (Names { "..", "a.txt", "b.txt" }));
}

TEST_F(FilePanelTest, StatusTexts)
{
    tree.dir("dir");
    const auto file = tree.file("a.txt", std::string(1234567, 'z'));
    tree.file("b.txt");
    TempTree::setTime(file, 2023, 11, 5, 10, 20);
    enter(tree.root());
    const std::string dir = app::PathText(tree.root()) + "/";

    EXPECT_EQ(focusedName(), "..");
    EXPECT_EQ(panel.countsText(), Utf8ToWin1251("0/0 из 3"));
    EXPECT_EQ(panel.fileInfoText().substr(0, dir.size() + 3 + 6 + 9), " " + dir + "..      " + " <DIR>   ");

    panel.focusItem(indexOf("a.txt"));
    EXPECT_EQ(panel.countsText(), Utf8ToWin1251("2/1 из 3"));
    EXPECT_EQ(panel.fileInfoText(),
        " " + dir + "a.txt      " + " " + app::FormatThousands(1234567) + "   " + " 05.11.2023 ");

    panel.focusItem(indexOf("dir"));
    EXPECT_EQ(panel.fileInfoText().substr(0, dir.size() + 4 + 6 + 9), " " + dir + "dir      " + " <DIR>   ");

    panel.setMark(indexOf("a.txt"), true);
    panel.setMark(indexOf("b.txt"), true);
    EXPECT_EQ(panel.countsText(), Utf8ToWin1251("1/2 из 3"));
    EXPECT_EQ(panel.curDirText(), dir + "*.*");
}

TEST_F(FilePanelTest, DriveSpaceInKilobytes)
{
    enter(tree.root());
    std::filesystem::path asked;
    panel.setDriveSpaceQuery([&asked](const std::filesystem::path& root) {
        asked = root;
        return std::optional<DriveSpace>(DriveSpace { 1500 * 1024 + 1023, 3000ull * 1024 * 1024 });
    });
    const std::string sep(app::ThousandsSeparator());
    EXPECT_EQ(panel.ShowDriveSpace(),
        "1" + sep + "500" + Utf8ToWin1251(" из ") + "3" + sep + "072" + sep + "000"
            + Utf8ToWin1251(" Kb свободно"));
    EXPECT_EQ(asked, panel.driveRoot());

    panel.setDriveSpaceQuery([](const std::filesystem::path&) { return std::optional<DriveSpace>(); });
    EXPECT_EQ(panel.ShowDriveSpace(), "");
}

TEST_F(FilePanelTest, DirectorySizeSumsEveryFileBelow)
{
    tree.file("d/a", "123");
    tree.file("d/.hidden-file", "4567");
    tree.file("d/sub/deeper/b", std::string(1000, 'b'));
    tree.dir("d/empty");
    std::filesystem::create_directory_symlink("..", tree / "d/sub/loop"); // a cycle, counted once
    tree.dir("empty");
    enter(tree.root());

    panel.focusItem(indexOf("d"));
    const int focusChanges = host.focusChanges;
    panel.computeDirectorySize();
    EXPECT_EQ(panel.items()[static_cast<std::size_t>(indexOf("d"))].size, 1007);
    EXPECT_GT(host.focusChanges, focusChanges); // the status texts are redrawn
    EXPECT_FALSE(host.busy);
    EXPECT_NE(panel.fileInfoText().find(app::FormatThousands(1007)), std::string::npos);

    // A computed size is kept; a directory that sums to 0 can be summed again.
    tree.file("d/more", "xx");
    panel.computeDirectorySize();
    EXPECT_EQ(panel.items()[static_cast<std::size_t>(indexOf("d"))].size, 1007);
    panel.focusItem(indexOf("empty"));
    panel.computeDirectorySize();
    EXPECT_EQ(panel.items()[static_cast<std::size_t>(indexOf("empty"))].size, 0);
    tree.file("empty/now", "12");
    panel.computeDirectorySize();
    EXPECT_EQ(panel.items()[static_cast<std::size_t>(indexOf("empty"))].size, 2);
}

TEST_F(FilePanelTest, DirectorySizeSkipsTheParentFilesAndAnAbortedSum)
{
    tree.file("d/a", "123");
    tree.file("f", "12");
    enter(tree.root());
    panel.focusItem(0);
    panel.computeDirectorySize();
    EXPECT_EQ(panel.items()[0].size, 0);
    panel.focusItem(indexOf("f"));
    panel.computeDirectorySize();
    EXPECT_EQ(panel.items()[static_cast<std::size_t>(indexOf("f"))].size, 2);

    host.onPump = [](FakePanelHost& h) { h.abort = true; };
    panel.focusItem(indexOf("d"));
    panel.computeDirectorySize();
    EXPECT_EQ(panel.items()[static_cast<std::size_t>(indexOf("d"))].size, 0);
}

TEST_F(FilePanelTest, CommandStatesFollowTheFocusAndTheMarks)
{
    tree.dir("d");
    tree.file("f");
    enter(tree.root());
    EXPECT_EQ(focusedName(), "..");
    EXPECT_EQ(panel.selectedCount(), 1);
    EXPECT_FALSE(panel.focusedIsFile());
    EXPECT_FALSE(panel.hasOperands());
    panel.setMark(indexOf("d"), true);
    EXPECT_TRUE(panel.hasOperands()); // a marked item, though ".." has the focus
    panel.focusItem(indexOf("d"));
    EXPECT_FALSE(panel.focusedIsFile());
    panel.focusItem(indexOf("f"));
    EXPECT_TRUE(panel.focusedIsFile());
    ASSERT_TRUE(panel.ReadDirectory());
    EXPECT_EQ(panel.selectedCount(), 0);
    EXPECT_FALSE(panel.focusedIsFile());
    EXPECT_TRUE(panel.hasOperands());
}

TEST_F(FilePanelTest, NamesWithoutADisplayFormStillWorkAsPaths)
{
    const std::string odd = "\xff\xfe-odd.txt"; // not UTF-8
    tree.file(odd, "abc");
    enter(tree.root());
    const int index = indexOf(odd);
    ASSERT_GE(index, 0);
    EXPECT_EQ(panel.itemPath(index), tree / odd);
    EXPECT_EQ(panel.items()[static_cast<std::size_t>(index)].size, 3);
    panel.maskEntered("*.txt");
    EXPECT_EQ(names(), (Names { "..", odd }));
    panel.setMark(indexOf(odd), true);
    ASSERT_TRUE(panel.renameItem(indexOf(odd), "plain.txt"));
    EXPECT_TRUE(std::filesystem::exists(tree / "plain.txt"));
    EXPECT_EQ(panel.SelectionList(), (Names { "plain.txt" }));
}

} // namespace
} // namespace morvane::tests
