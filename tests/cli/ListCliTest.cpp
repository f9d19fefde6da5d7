// morvane-cli list on temporary trees: exact output and exit status.

#include "CliRunner.h"
#include "search/TempTree.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>
#include <vector>

using morvane::test::RunCli;
using morvane::test::TempTree;

namespace {

class ListCli : public ::testing::Test {
protected:
    ListCli()
    {
        tree.file("D/B/w.txt");
        tree.file("D/A/C/z.txt");
        tree.file("D/x.txt");
        tree.file("D/x.htm");
        tree.file("D/A/y.txt");
        tree.file("D/.dot.txt");
        tree.file("D/.hidden", "hid\n");
        tree.file("D/hid/h.txt");
        tree.file("top.dat");
    }

    // The expected output: each path under the tree's root, one per line.
    std::string lines(const std::vector<std::string>& relative) const
    {
        std::string out;
        for (const std::string& path : relative)
            out += (tree / path).native() + "\n";
        return out;
    }

    TempTree tree;
};

} // namespace

TEST_F(ListCli, OptionsPlayTheMaskSubdirectoryAndHiddenControls)
{
    const std::string dir = (tree / "D").native();
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> expected;
    } cases[] = {
        { { "list", dir }, { "D/x.htm", "D/x.txt" } },
        { { "list", "--subdirs", dir }, { "D/x.htm", "D/x.txt", "D/A/y.txt", "D/A/C/z.txt", "D/B/w.txt" } },
        { { "list", "--subdirs", "--mask", "*.htm;*.*", dir },
            { "D/x.htm", "D/x.txt", "D/A/y.txt", "D/A/C/z.txt", "D/B/w.txt" } },
        { { "list", "--mask", "*.htm;", dir }, { "D/x.htm" } },
        { { "list", "--subdirs", "--mask", "*.txt", "--hidden", dir },
            { "D/.dot.txt", "D/x.txt", "D/A/y.txt", "D/A/C/z.txt", "D/B/w.txt", "D/hid/h.txt" } },
    };
    for (const Case& c : cases) {
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, lines(c.expected)) << c.args[1];
    }
}

TEST_F(ListCli, PathsInTheOrderGivenAndFilesTakenAsTheyAre)
{
    const auto r = RunCli({ "list", "--mask", "*.htm", (tree / "top.dat").native(), (tree / "D").native(),
        (tree / "D/.dot.txt").native() });
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, lines({ "top.dat", "D/x.htm", "D/.dot.txt" }));
}

TEST_F(ListCli, RelativePathsResolveAgainstTheCurrentDirectory)
{
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(tree / "D/A");
    const auto r = RunCli({ "list", "--subdirs", "../B/", "./C/../C", "y.txt" });
    std::filesystem::current_path(before);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, lines({ "D/B/w.txt", "D/A/C/z.txt", "D/A/y.txt" }));
}

TEST_F(ListCli, EmptyListExitsWithOne)
{
    const auto r = RunCli({ "list", "--mask", "*.none", (tree / "D").native() });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
}

TEST_F(ListCli, BadArgumentsExitWithTwo)
{
    const std::string dir = (tree / "D").native();
    const std::vector<std::vector<std::string>> cases {
        { "list" },
        { "list", "--subdirs" },
        { "list", dir, "--mask" },
        { "list", "--recursive", dir },
        { "list", (tree / "absent").native() },
        { "list", "--mask", "*.\xE4\xB8\xAD", dir }, // a character Windows-1251 lacks
    };
    for (const auto& args : cases) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_NE(r.err, "") << args.back();
    }
}

TEST_F(ListCli, DoubleDashEndsTheOptions)
{
    tree.file("-odd.txt");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(tree.root());
    const auto r = RunCli({ "list", "--", "-odd.txt" });
    std::filesystem::current_path(before);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, lines({ "-odd.txt" }));
}

TEST_F(ListCli, CyrillicMaskMatchesUtf8Names)
{
    tree.file("R/\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB.txt"); // "Файл.txt"
    tree.file("R/other.txt");
    const auto r = RunCli({ "list", "--mask", "\xD1\x84*", (tree / "R").native() }); // "ф*"
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, lines({ "R/\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB.txt" }));
}
