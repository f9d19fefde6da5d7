// morvane-cli replace with its output modes: the collecting file (overwrite and append) and one
// file per replacement (names, numbering, code page), the sources left untouched.

#include "BatchCliFixture.h"

namespace {

using morvane::test::BatchCliTest;
using morvane::test::RunCli;

class BatchOutputCli : public BatchCliTest {
protected:
    BatchOutputCli()
    {
        write("d/a.txt", "1X2X");
        write("d/b.txt", "X");
    }

    void expectSourcesUntouched() const
    {
        EXPECT_EQ(read("d/a.txt"), "1X2X");
        EXPECT_EQ(read("d/b.txt"), "X");
        EXPECT_FALSE(exists("d/a.txt0"));
        EXPECT_FALSE(exists("d/b.txt0"));
    }
};

TEST_F(BatchOutputCli, CollectOverwritesUnlessAppendIsGiven)
{
    write("out.txt", "OLD");
    struct Step {
        std::string replacement;
        bool append;
        std::string collected;
    } steps[] = {
        { "1", true, "OLD111" },
        { "2", false, "222" },
        { "3", true, "222333" },
    };
    for (const Step& step : steps) {
        std::vector<std::string> args { "replace", "-e", "X", "-r", step.replacement, "--collect",
            path("out.txt") };
        if (step.append)
            args.push_back("--append");
        args.push_back(path("d"));
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(read("out.txt"), step.collected) << step.replacement;
        // One-file output counts one saved file however many sources had matches.
        EXPECT_EQ(r.out,
            row("d/a.txt", "2", "2") + row("d/b.txt", "1", "1") + replaceStatus(2, 2, 2, 1, 1, 1, 3, 3, true)
                + summary(2, 2, 2, 1, 3, 3, true));
    }
    expectSourcesUntouched();
}

TEST_F(BatchOutputCli, TheCollectingFileInsideTheSelectionIsNeverSearched)
{
    write("d/out.txt", "XXXX");
    const auto r
        = RunCli({ "replace", "-e", "X", "-r", "Y", "--collect", path("d/out.txt"), "--append", path("d") });
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read("d/out.txt"), "XXXXYYY");
    EXPECT_EQ(r.out.find(path("d/out.txt")), std::string::npos) << r.out;
    expectSourcesUntouched();
}

TEST_F(BatchOutputCli, MultipassToOneFileRunsEveryRowOverTheUnchangedSource)
{
    write("t.tbl", "a\tb\t\r\nb\tc\t\r\n");
    write("ab.txt", "ab");
    const auto r = RunCli(
        { "replace", "--multipass", "--table", path("t.tbl"), "--collect", path("out.txt"), path("ab.txt") });
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read("out.txt"), "bc");
    EXPECT_EQ(read("ab.txt"), "ab");
}

TEST_F(BatchOutputCli, SplitNamesEveryReplacementAfterItsSource)
{
    write("w/page.htm", "xAyAzA");
    write("w/next.htm", "A");
    tree.dir("out");
    struct Case {
        std::vector<std::string> options;
        std::vector<std::pair<std::string, std::string>> files; // name, content
    } cases[] = {
        { { "--split-digits", "3" },
            { { "w/page_000.htm", "1" }, { "w/page_001.htm", "1" }, { "w/page_002.htm", "1" },
                { "w/next_000.htm", "1" } } },
        { { "--split-sep", "-", "--split-digits", "10", "--split-start", "1000000" },
            { { "w/page-0001000000.htm", "1" }, { "w/page-0001000002.htm", "1" },
                { "w/next-0001000000.htm", "1" } } },
        // A fixed name is numbered across the whole run.
        { { "--split-name", path("out/r.txt"), "--split-start", "5" },
            { { "out/r_5.txt", "1" }, { "out/r_7.txt", "1" }, { "out/r_8.txt", "1" } } },
        // Without an extension the number ends the name.
        { { "--split-name", path("out/plain"), "--split-sep", "" },
            { { "out/plain0", "1" }, { "out/plain3", "1" } } },
    };
    for (const Case& c : cases) {
        std::vector<std::string> args { "replace", "-e", "A", "-r", "1", "--split" };
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(path("w/page.htm"));
        args.push_back(path("w/next.htm"));
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        for (const auto& [name, content] : c.files)
            EXPECT_EQ(read(name), content) << name;
        // In file-split mode every replacement counts as a saved file.
        EXPECT_EQ(r.out,
            row("w/page.htm", "3", "3") + row("w/next.htm", "1", "1")
                + replaceStatus(2, 2, 2, 4, 1, 1, 4, 4, true) + summary(2, 2, 2, 4, 4, 4, true))
            << testing::PrintToString(c.options);
        EXPECT_EQ(read("w/page.htm"), "xAyAzA");
        EXPECT_FALSE(exists("w/page.htm0"));
    }
}

TEST_F(BatchOutputCli, SplitFilesTakeTheChosenCodePageTheCollectingFileStaysInWindows1251)
{
    write("k.txt", koi("один два"));
    ASSERT_EQ(RunCli({ "replace", "--codepage", "koi8r", "-e", "два", "-r", "три", "--split", path("k.txt") })
                  .status,
        0);
    EXPECT_EQ(read("k_0.txt"), koi("три"));
    ASSERT_EQ(RunCli({ "replace", "--codepage", "koi8r", "-e", "два", "-r", "три", "--collect", path("c.txt"),
                         path("k.txt") })
                  .status,
        0);
    EXPECT_EQ(read("c.txt"), win("три"));
    EXPECT_EQ(read("k.txt"), koi("один два"));
}

TEST_F(BatchOutputCli, ARefusedRuleLeavesTheCollectingFileAsItWas)
{
    write("out.txt", "KEEP");
    for (const char* expression : { "X(", "X" }) {
        const auto r = RunCli({ "replace", "-e", expression, "--remark", expression[1] ? "" : "(?q)",
            "--collect", path("out.txt"), path("d") });
        EXPECT_EQ(r.status, 2) << expression;
        EXPECT_EQ(read("out.txt"), "KEEP") << expression;
    }
    expectSourcesUntouched();
}

TEST_F(BatchOutputCli, ACollectingFileThatCannotBeCreatedIsAnError)
{
    const auto r
        = RunCli({ "replace", "-e", "X", "-r", "Y", "--collect", path("no/such/dir/out.txt"), path("d") });
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("out.txt"), std::string::npos) << r.err;
    expectSourcesUntouched();
}

} // namespace
