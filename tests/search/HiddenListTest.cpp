// The ".hidden" list: entries added and removed, other lines kept byte for byte.

#include "search/HiddenList.h"
#include "TempTree.h"
#include "app/FileIo.h"
#include "filepanel/DirectorySearch.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace morvane::search {
namespace {

using test::TempTree;

std::string ReadList(const TempTree& tree)
{
    std::string bytes;
    EXPECT_FALSE(app::ReadWholeFile(tree / ".hidden", bytes));
    return bytes;
}

TEST(HiddenList, AddCreatesTheFileAndTheDirectorySearchSeesIt)
{
    TempTree tree;
    tree.file("a.htm0");
    AddToHiddenList(tree / "a.htm0");
    AddToHiddenList(tree / "a.htm0");
    EXPECT_EQ(ReadList(tree), "a.htm0\n") << "listed once";
    EXPECT_EQ(filepanel::ReadHiddenList(tree.root()), std::vector<std::string> { "a.htm0" });
}

TEST(HiddenList, OtherLinesAreKeptAsTheyAre)
{
    struct Row {
        const char* before;
        const char* add;
        const char* remove;
        const char* after; // nullptr: the file is gone
    } const rows[] = {
        { "keep\r\nother", "x0", nullptr, "keep\r\nother\nx0\n" },
        { "keep\r\nx0\r\nlast", nullptr, "x0", "keep\r\nlast" },
        { "x0\nx0\n", nullptr, "x0", nullptr },
        { "x00\nx0y\n", nullptr, "x0", "x00\nx0y\n" },
        { "\n\nx0\n", nullptr, "x0", "\n\n" },
    };
    for (const Row& row : rows) {
        TempTree tree;
        tree.file(".hidden", row.before);
        if (row.add)
            AddToHiddenList(tree / row.add);
        if (row.remove)
            RemoveFromHiddenList({ tree / row.remove });
        if (row.after)
            EXPECT_EQ(ReadList(tree), row.after) << row.before;
        else
            EXPECT_FALSE(std::filesystem::exists(tree / ".hidden")) << row.before;
    }
}

TEST(HiddenList, RemovingFromAMissingListCreatesNothing)
{
    TempTree tree;
    RemoveFromHiddenList({ tree / "a0" });
    EXPECT_FALSE(std::filesystem::exists(tree / ".hidden"));
    EXPECT_FALSE(IsInHiddenList(tree / "a0"));
}

TEST(HiddenList, ALinkedListIsNeitherReadNorWritten)
{
    TempTree tree;
    TempTree outside;
    outside.file("profile", "a0\n");
    tree.link(".hidden", (outside / "profile").string());
    EXPECT_EQ(AddToHiddenList(tree / "b0"), ELOOP);
    EXPECT_FALSE(IsInHiddenList(tree / "a0"));
    RemoveFromHiddenList({ tree / "a0" });
    std::string bytes;
    EXPECT_FALSE(app::ReadWholeFile(outside / "profile", bytes));
    EXPECT_EQ(bytes, "a0\n");
    EXPECT_TRUE(std::filesystem::is_symlink(tree / ".hidden"));
}

TEST(HiddenList, ANameWithALineBreakIsRefused)
{
    TempTree tree;
    for (const char* name : { "a\nb0", "a\rb0", "a\r\n0" })
        EXPECT_EQ(AddToHiddenList(tree / name), EINVAL) << name;
    EXPECT_FALSE(std::filesystem::exists(tree / ".hidden"));
}

TEST(HiddenList, ARemovalNotYetWrittenIsUndoneByAnAdd)
{
    TempTree tree;
    tree.file(".hidden", "x0\ny0\n");
    {
        HiddenList list(tree.root());
        EXPECT_TRUE(list.contains("x0"));
        list.remove("x0");
        list.remove("y0");
        EXPECT_FALSE(list.contains("x0"));
        EXPECT_EQ(list.add("x0"), 0);
    }
    EXPECT_EQ(ReadList(tree), "x0\n");
}

} // namespace
} // namespace morvane::search
