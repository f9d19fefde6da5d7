// Marks: the keyboard and mouse commands on indices, the marked names and count, mark by mask,
// and renaming.

#include "PanelFixture.h"

#include <fstream>
#include <iterator>

using namespace morvane::filepanel;

namespace morvane::tests {
namespace {

using Names = std::vector<std::string>;

class FilePanelMarksTest : public PanelFixture {
protected:
    // "..", then f1 ... f8 at indices 1 to 8.
    void enterEightFiles()
    {
        for (int i = 1; i <= 8; ++i)
            tree.file("f" + std::to_string(i));
        enter(tree.root());
    }

    Names markedAt(std::initializer_list<int> indices) const
    {
        Names result;
        for (int i : indices)
            result.push_back(panel.items()[static_cast<std::size_t>(i)].name);
        return result;
    }

    // The marks, MarkedCount and the state images agree with each other.
    void expectConsistent() const
    {
        int marked = 0;
        for (const FileItem& item : panel.items()) {
            if (item.isParent()) {
                EXPECT_FALSE(item.marked);
                EXPECT_EQ(item.stateImage, StateImage::NoBox);
                continue;
            }
            EXPECT_EQ(item.stateImage, item.marked ? StateImage::Marked : StateImage::Unmarked) << item.name;
            marked += item.marked ? 1 : 0;
        }
        EXPECT_EQ(panel.MarkedCount(), marked);
    }
};

TEST_F(FilePanelMarksTest, InsertTogglesAndMovesDown)
{
    enterEightFiles();
    panel.focusItem(0);
    panel.toggleMarkAndAdvance(); // ".." is never marked, the focus still moves
    EXPECT_TRUE(markedNames().empty());
    EXPECT_EQ(panel.focusedIndex(), 1);

    panel.toggleMarkAndAdvance();
    panel.toggleMarkAndAdvance();
    EXPECT_EQ(markedNames(), (Names { "f1", "f2" }));
    EXPECT_EQ(panel.focusedIndex(), 3);
    EXPECT_EQ(panel.SelectionList(), (Names { "f1", "f2" }));

    panel.focusItem(8);
    panel.toggleMarkAndAdvance(); // the last item: marked, the focus stays
    EXPECT_EQ(panel.focusedIndex(), 8);
    panel.toggleMarkAndAdvance();
    EXPECT_EQ(markedNames(), (Names { "f1", "f2" }));
    EXPECT_EQ(panel.SelectionList(), (Names { "f1", "f2" }));
    expectConsistent();
}

TEST_F(FilePanelMarksTest, ShiftClickTogglesTheRangeFromTheAnchor)
{
    enterEightFiles();
    panel.setMark(4, true);
    panel.setMark(6, true);
    panel.plainClick(3);
    EXPECT_EQ(panel.anchorIndex(), 3);
    panel.shiftClick(7);
    EXPECT_EQ(markedNames(), markedAt({ 3, 5, 7 }));
    EXPECT_EQ(panel.anchorIndex(), 3);
    EXPECT_EQ(panel.focusedIndex(), 7);

    // Backwards over the parent entry, which is skipped.
    panel.plainClick(2);
    panel.shiftClick(0);
    EXPECT_EQ(markedNames(), markedAt({ 1, 2, 3, 5, 7 }));

    // On the anchor itself only that item.
    panel.shiftClick(2);
    EXPECT_EQ(markedNames(), markedAt({ 1, 3, 5, 7 }));
    expectConsistent();
}

TEST_F(FilePanelMarksTest, CtrlAndCheckBoxClicks)
{
    tree.dir("sub/inner");
    tree.file("a");
    enter(tree / "sub");
    tree.file("sub/x");
    panel.RefreshListing();

    panel.ctrlClick(indexOf("inner"));
    EXPECT_EQ(markedNames(), (Names { "inner" }));
    EXPECT_EQ(focusedName(), "inner");
    panel.ctrlClick(0);
    EXPECT_EQ(panel.currentDirectory(), tree / "sub");
    panel.checkBoxClick(indexOf("x"));
    EXPECT_EQ(markedNames(), (Names { "inner", "x" }));
    EXPECT_EQ(panel.anchorIndex(), indexOf("x"));
    panel.checkBoxClick(indexOf("inner"));
    EXPECT_EQ(markedNames(), (Names { "x" }));

    // The parent's box goes up.
    panel.checkBoxClick(0);
    EXPECT_EQ(panel.currentDirectory(), tree.root());
    EXPECT_EQ(focusedName(), "sub");
}

TEST_F(FilePanelMarksTest, MarkAllUnmarkAllAndInvert)
{
    enterEightFiles();
    const int updates = host.passCommandUpdates;
    panel.markAll();
    EXPECT_EQ(panel.MarkedCount(), 8);
    EXPECT_FALSE(panel.items()[0].marked);
    EXPECT_GT(host.passCommandUpdates, updates);
    EXPECT_EQ(panel.SelectionList().size(), 8u);

    panel.unmarkAll();
    EXPECT_EQ(panel.MarkedCount(), 0);
    EXPECT_TRUE(panel.SelectionList().empty());

    panel.setMark(2, true);
    panel.invertMarks();
    EXPECT_EQ(markedNames(), markedAt({ 1, 3, 4, 5, 6, 7, 8 }));
    EXPECT_FALSE(panel.items()[0].marked);
    expectConsistent();
}

TEST_F(FilePanelMarksTest, OnlyRealMarkChangesCount)
{
    enterEightFiles();
    int invalidations = host.fileListInvalidations;
    EXPECT_TRUE(panel.setMark(1, true));
    EXPECT_EQ(host.fileListInvalidations, invalidations + 1);
    EXPECT_EQ(host.markChanges, 1);

    // Setting the same mark again, or marking "..", changes nothing.
    invalidations = host.fileListInvalidations;
    EXPECT_FALSE(panel.setMark(1, true));
    EXPECT_FALSE(panel.setMark(0, true));
    EXPECT_FALSE(panel.setMark(99, true));
    EXPECT_EQ(host.fileListInvalidations, invalidations);
    EXPECT_EQ(host.markChanges, 1);

    // The marks a listing applies are not user changes.
    panel.RefreshListing();
    EXPECT_EQ(host.markChanges, 1);
    EXPECT_EQ(panel.MarkedCount(), 1);
    EXPECT_EQ(panel.SelectionList(), (Names { "f1" }));
}

TEST_F(FilePanelMarksTest, MarkAndUnmarkByMask)
{
    tree.file("a.txt");
    tree.file("B.TXT");
    tree.file("c.htm");
    tree.file("d.rtf");
    tree.file(".e.txt");
    tree.dir("dir.txt");
    enter(tree.root());

    panel.markByMask("*.txt;*.htm", true);
    EXPECT_EQ(markedNames(), (Names { "c.htm", "a.txt", "B.TXT" }));
    EXPECT_FALSE(host.busy);
    EXPECT_GT(host.pumps, 0);

    panel.markByMask("b*", false);
    EXPECT_EQ(markedNames(), (Names { "c.htm", "a.txt" }));

    // An abort ends the command at the next found name.
    host.onPump = [](FakePanelHost& h) { h.abort = true; };
    panel.markByMask("*.*", true);
    EXPECT_EQ(markedNames(), (Names { "c.htm", "a.txt" }));
    EXPECT_FALSE(host.busy);
}

TEST_F(FilePanelMarksTest, RenameKeepsTheMarkAndResorts)
{
    tree.file("a.txt");
    tree.file("b.txt");
    tree.file("c.txt", "existing");
    enter(tree.root());
    panel.setMark(indexOf("a.txt"), true);
    const int invalidations = host.fileListInvalidations;

    ASSERT_TRUE(panel.renameItem(indexOf("a.txt"), "z.txt"));
    EXPECT_TRUE(std::filesystem::exists(tree / "z.txt"));
    EXPECT_FALSE(std::filesystem::exists(tree / "a.txt"));
    EXPECT_EQ(names(), (Names { "..", "b.txt", "c.txt", "z.txt" }));
    EXPECT_EQ(panel.SelectionList(), (Names { "z.txt" }));
    EXPECT_EQ(host.fileListInvalidations, invalidations + 1);
    EXPECT_EQ(host.interactiveRunEnds, 1);
    panel.RefreshListing();
    EXPECT_EQ(markedNames(), (Names { "z.txt" }));

    // Renaming an unmarked item while others are marked leaves the file list alone.
    const int afterRefresh = host.fileListInvalidations;
    ASSERT_TRUE(panel.renameItem(indexOf("b.txt"), "y.txt"));
    EXPECT_EQ(host.fileListInvalidations, afterRefresh);
    EXPECT_EQ(host.interactiveRunEnds, 1);
    EXPECT_EQ(markedNames(), (Names { "z.txt" }));
}

TEST_F(FilePanelMarksTest, ARenameThatFailsChangesNothing)
{
    tree.file("a.txt", "a");
    tree.file("c.txt", "c");
    tree.dir("d");
    enter(tree.root());
    for (const char* bad : { "c.txt", "d", "", ".", "..", "x/y", "a.txt" })
        EXPECT_FALSE(panel.renameItem(indexOf("a.txt"), bad)) << bad;
    EXPECT_FALSE(panel.renameItem(0, "up"));
    EXPECT_FALSE(panel.renameItem(42, "x"));
    EXPECT_EQ(names(), (Names { "..", "d", "a.txt", "c.txt" }));
    std::ifstream in(tree / "c.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "c"); // never replaced
    EXPECT_EQ(host.interactiveRunEnds, 0);
}

} // namespace
} // namespace morvane::tests
