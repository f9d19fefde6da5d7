// The ".hidden" list: entries added and removed, other lines kept byte for byte.

#include "search/HiddenList.h"
#include "TempTree.h"
#include "app/FileIo.h"
#include "filepanel/DirectorySearch.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace morvane::search
