// Reading one directory: order, kinds, hidden entries, links, unreadable directories.

#include "TempTree.h"
#include "search/DirectoryEntry.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using morvane::search::DirectoryEntry;
using morvane::search::IdentityOf;
using morvane::search::ReadDirectoryEntries;
using morvane::test::TempTree;

namespace {

std::string Describe(const std::vector<DirectoryEntry>& entries)
{
    std::string out;
    for (const DirectoryEntry& entry : entries)
        out += entry.name + (entry.directory ? "/" : "") + (entry.hidden ? "(h)" : "") + " ";
    return out;
}

} // namespace

TEST(DirectoryEntry, SortedWithoutRegardToCaseWithKindsAndHiddenMarks)
{
    TempTree tree;
    tree.file("b.txt");
    tree.file("A.txt");
    tree.file("a.TXT");
    tree.dir("Sub");
    tree.file(".dot");
    tree.file("backup.txt0");
    tree.file(".hidden", "backup.txt0\r\nSub\nmissing\n");
    EXPECT_EQ(Describe(ReadDirectoryEntries(tree.root())),
        ".dot(h) .hidden(h) A.txt a.TXT b.txt backup.txt0(h) Sub/(h) ");
}

TEST(DirectoryEntry, LinksCountAsTheirTargetsAndSpecialFilesAreLeftOut)
{
    TempTree tree;
    tree.file("target.txt");
    tree.dir("realdir");
    tree.link("to-file", "target.txt");
    tree.link("to-dir", "realdir");
    tree.link("dangling", "nowhere");
    ASSERT_EQ(::mkfifo((tree / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(Describe(ReadDirectoryEntries(tree.root())), "realdir/ target.txt to-dir/ to-file ");
}

TEST(DirectoryEntry, MissingOrUnreadableDirectoryGivesNothing)
{
    TempTree tree;
    EXPECT_TRUE(ReadDirectoryEntries(tree / "absent").empty());
    tree.file("locked/inside.txt");
    tree.file("open/.hidden", "x\n");
    tree.file("open/x");
    tree.openToOthers();
    ::chmod((tree / "locked").c_str(), 0);
    ::chmod((tree / "open/.hidden").c_str(), 0);
    morvane::test::UnprivilegedScope unprivileged;
    if (!unprivileged.permissionsApply())
        GTEST_SKIP() << "cannot drop the superuser's rights";
    EXPECT_TRUE(ReadDirectoryEntries(tree / "locked").empty());
    // An unreadable ".hidden" list hides nothing but itself.
    EXPECT_EQ(Describe(ReadDirectoryEntries(tree / "open")), ".hidden(h) x ");
}

TEST(DirectoryEntry, IdentityIsTheSameThroughALink)
{
    TempTree tree;
    tree.dir("a");
    tree.dir("b");
    tree.link("alias", "a");
    ASSERT_TRUE(IdentityOf(tree / "a"));
    EXPECT_EQ(IdentityOf(tree / "alias"), IdentityOf(tree / "a"));
    EXPECT_NE(IdentityOf(tree / "b"), IdentityOf(tree / "a"));
    EXPECT_FALSE(IdentityOf(tree / "absent"));
}
