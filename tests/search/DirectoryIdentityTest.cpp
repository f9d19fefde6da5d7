// Directory identity through links.

#include "TempTree.h"
#include "search/DirectoryIdentity.h"

#include <gtest/gtest.h>

using morvane::search::DirectoryIdentity;
using morvane::test::TempTree;

TEST(DirectoryIdentity, SameThroughALinkDistinctOtherwise)
{
    TempTree tree;
    tree.dir("a");
    tree.dir("b");
    tree.file("f");
    tree.link("alias", "a");
    ASSERT_TRUE(DirectoryIdentity::of(tree / "a"));
    EXPECT_EQ(DirectoryIdentity::of(tree / "alias"), DirectoryIdentity::of(tree / "a"));
    EXPECT_EQ(DirectoryIdentity::of(tree / "a/.."), DirectoryIdentity::of(tree.root()));
    EXPECT_NE(DirectoryIdentity::of(tree / "b"), DirectoryIdentity::of(tree / "a"));
    EXPECT_FALSE(DirectoryIdentity::of(tree / "absent"));
    EXPECT_FALSE(DirectoryIdentity::of(tree / "f"));
}
