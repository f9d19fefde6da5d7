// What BuildFileList collects and in which order, on real trees.

#include "PassFixture.h"
#include "TempTree.h"
#include "search/PassFileList.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using morvane::search::PassFileList;
using morvane::search::PassOptions;
using morvane::search::PassSelection;
using morvane::test::Focused;
using morvane::test::Marked;
using morvane::test::PassFixture;
using morvane::test::TempTree;

namespace {

using Paths = std::vector<std::string>;

PassOptions Options(std::string mask, bool subDirectories, bool hiddenFiles = false)
{
    PassOptions options;
    options.maskText = std::move(mask);
    options.subDirectories = subDirectories;
    options.hiddenFiles = hiddenFiles;
    return options;
}

class WalkOrder : public ::testing::Test {
protected:
    Paths build(const PassSelection& selection, const PassOptions& options)
    {
        EXPECT_TRUE(list.BuildFileList(selection, options));
        return tree.relative(list.FileList());
    }

    TempTree tree;
    PassFixture fixture;
    PassFileList list { fixture.control };
};

} // namespace

TEST_F(WalkOrder, DepthFirstFilesBeforeSubdirectories)
{
    // D{x.txt, A{y.txt, C{z.txt}}, B{w.txt}}, created out of order.
    tree.file("D/B/w.txt");
    tree.file("D/A/C/z.txt");
    tree.file("D/x.txt");
    tree.file("D/A/y.txt");
    EXPECT_EQ(build(Marked(tree.root(), { "D/" }), Options("*.*", true)),
        (Paths { "D/x.txt", "D/A/y.txt", "D/A/C/z.txt", "D/B/w.txt" }));
    EXPECT_EQ(build(Marked(tree.root(), { "D/" }), Options("*.*", false)), (Paths { "D/x.txt" }));
}

TEST_F(WalkOrder, NamesInOrderWithoutRegardToCase)
{
    tree.file("D/b.txt");
    tree.file("D/A.txt");
    tree.file("D/c.txt");
    tree.file("D/Sub2/1");
    tree.file("D/sub1/1");
    EXPECT_EQ(build(Marked(tree.root(), { "D/" }), Options("*.*", true)),
        (Paths { "D/A.txt", "D/b.txt", "D/c.txt", "D/sub1/1", "D/Sub2/1" }));
}

TEST_F(WalkOrder, RootsInPanelOrderAndFileRootsTakenAsTheyAre)
{
    tree.file("z.dat");
    tree.file("b/inner.txt");
    tree.file("a/inner.txt");
    tree.file(".secret.bin");
    // Panel order is not name order; the marked files match neither the mask nor the hidden
    // option and are taken all the same.
    EXPECT_EQ(build(Marked(tree.root(), { "z.dat", "b/", ".secret.bin", "a/" }), Options("*.txt", false)),
        (Paths { "z.dat", "b/inner.txt", ".secret.bin", "a/inner.txt" }));
}

TEST_F(WalkOrder, UnmarkedItemsAndTheParentEntryAreNoRoots)
{
    tree.file("a.txt");
    tree.file("b.txt");
    PassSelection selection = Marked(tree.root(), { "../", "a.txt", "b.txt" });
    selection.items[2].marked = false;
    EXPECT_EQ(build(selection, Options("*.*", true)), (Paths { "a.txt" }));

    // With nothing marked the focused item is the root; ".." is none.
    EXPECT_EQ(build(Focused(tree.root(), "b.txt"), Options("*.*", true)), (Paths { "b.txt" }));
    EXPECT_EQ(build(Focused(tree.root(), ".."), Options("*.*", true)), Paths {});
    EXPECT_EQ(list.CurrentFileIndex(), -1);
}

TEST_F(WalkOrder, SeveralMasksListEachFileOnceAtItsFirstHit)
{
    tree.file("D/b.htm");
    tree.file("D/a.txt");
    tree.file("D/c.htm");
    tree.file("D/S/d.htm");
    tree.file("D/S/e.txt");
    struct Case {
        const char* mask;
        Paths expected;
    } cases[] = {
        { "*.htm;*.*",
            { "D/b.htm", "D/c.htm", "D/a.txt", "D/S/d.htm", "D/S/e.txt" } },
        { "*.*;*.htm", { "D/a.txt", "D/b.htm", "D/c.htm", "D/S/d.htm", "D/S/e.txt" } },
        { "*.txt;*.TXT", { "D/a.txt", "D/S/e.txt" } },
        // The empty mask after a trailing ";" adds nothing.
        { "*.htm;", { "D/b.htm", "D/c.htm", "D/S/d.htm" } },
        { ";", {} },
        { "", {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(build(Marked(tree.root(), { "D/" }), Options(c.mask, true)), c.expected) << c.mask;
}

TEST_F(WalkOrder, NamesDifferingOnlyInCaseAreDifferentFiles)
{
    tree.file("D/a.txt");
    tree.file("D/A.TXT");
    EXPECT_EQ(build(Marked(tree.root(), { "D/" }), Options("*.txt;*.htm", false)),
        (Paths { "D/A.TXT", "D/a.txt" }));
}

TEST_F(WalkOrder, HiddenFilesAndDirectoriesOnlyWithTheOption)
{
    tree.file("D/plain.txt");
    tree.file("D/.dot.txt");
    tree.file("D/listed.txt");
    tree.file("D/.hidden", "listed.txt\nHidSub\n");
    tree.file("D/HidSub/in.txt");
    tree.file("D/.dotsub/in.txt");
    tree.file("D/Sub/.hidden", "x.txt\n");
    tree.file("D/Sub/x.txt");
    tree.file("D/Sub/y.txt");
    EXPECT_EQ(build(Marked(tree.root(), { "D/" }), Options("*.txt", true, false)),
        (Paths { "D/plain.txt", "D/Sub/y.txt" }));
    EXPECT_EQ(build(Marked(tree.root(), { "D/" }), Options("*.txt", true, true)),
        (Paths { "D/.dot.txt", "D/listed.txt", "D/plain.txt", "D/.dotsub/in.txt", "D/HidSub/in.txt",
            "D/Sub/x.txt", "D/Sub/y.txt" }));
}

TEST_F(WalkOrder, SymbolicLinkCycleEndsAndLinkedFilesAreFiles)
{
    tree.file("D/a.txt");
    tree.file("D/S/b.txt");
    tree.link("D/S/back", "..");      // a cycle through the parent
    tree.link("D/S/self", ".");       // and through itself
    tree.link("D/link.txt", "a.txt"); // a link to a file is a file
    EXPECT_EQ(build(Marked(tree.root(), { "D/" }), Options("*.*", true)),
        (Paths { "D/a.txt", "D/link.txt", "D/S/b.txt" }));
}

TEST_F(WalkOrder, TwoLinksToOneDirectoryAreWalkedOnce)
{
    tree.file("real/f.txt");
    tree.link("alias", "real");
    EXPECT_EQ(build(Marked(tree.root(), { "alias/", "real/" }), Options("*.*", true)),
        (Paths { "alias/f.txt" }));
}

TEST_F(WalkOrder, UnreadableDirectoryContributesNothing)
{
    tree.file("D/a.txt");
    tree.file("D/locked/b.txt");
    tree.file("D/z/c.txt");
    tree.openToOthers();
    ::chmod((tree / "D/locked").c_str(), 0);
    morvane::test::UnprivilegedScope unprivileged;
    if (!unprivileged.permissionsApply())
        GTEST_SKIP() << "cannot drop the superuser's rights";
    EXPECT_EQ(build(Marked(tree.root(), { "D/" }), Options("*.*", true)), (Paths { "D/a.txt", "D/z/c.txt" }));
    EXPECT_TRUE(list.FileListValid());
}

TEST_F(WalkOrder, VanishedRootsContributeNothing)
{
    // Marked in the panel, then removed by another program before the walk reaches them.
    tree.file("a.txt");
    EXPECT_EQ(build(Marked(tree.root(), { "gone/", "a.txt" }), Options("*.*", true)), (Paths { "a.txt" }));
    EXPECT_TRUE(list.FileListValid());
}

TEST_F(WalkOrder, NamesThatAreNotUtf8StillWorkAsPaths)
{
    const std::string odd = "\xFF\xFE-\xE0.txt"; // not UTF-8, Windows-1251 letters
    tree.file("D/" + odd, "content");
    tree.file("D/\xFF-dir/inner.txt");
    const Paths built = build(Marked(tree.root(), { "D/" }), Options("*.txt", true));
    ASSERT_EQ(built, (Paths { "D/" + odd, "D/\xFF-dir/inner.txt" }));
    EXPECT_TRUE(std::filesystem::is_regular_file(list.FileList()[0]));
}

TEST_F(WalkOrder, CollectingFileIsNeverASource)
{
    tree.file("D/a.txt");
    tree.file("D/out.txt");
    tree.file("D/S/c.txt");
    PassOptions options = Options("*.txt", true);
    options.collectingFile = tree / "D/S/../out.txt";
    EXPECT_EQ(build(Marked(tree.root(), { "D/" }), options), (Paths { "D/a.txt", "D/S/c.txt" }));
    // The same file reached through a link is the same file.
    tree.link("D/S/alias.txt", "../out.txt");
    EXPECT_EQ(build(Marked(tree.root(), { "D/" }), options), (Paths { "D/a.txt", "D/S/c.txt" }));
    // A name differing only in case is another file.
    options.collectingFile = tree / "D/OUT.TXT";
    EXPECT_EQ(build(Marked(tree.root(), { "D/" }), options),
        (Paths { "D/a.txt", "D/out.txt", "D/S/alias.txt", "D/S/c.txt" }));
}
