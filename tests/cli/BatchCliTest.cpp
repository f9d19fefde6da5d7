// morvane-cli found, notfound, all and replace on temporary trees: exact output, exit status
// and what the files hold afterwards.

#include "BatchCliFixture.h"

#include "search/HiddenList.h"

namespace {

using morvane::test::BatchCliTest;
using morvane::test::RunCli;

class BatchSearchCli : public BatchCliTest {
protected:
    BatchSearchCli()
    {
        write("d/a.txt", "aXbXc");
        write("d/b.txt", "none");
        write("d/sub/c.txt", "X");
    }
};

TEST_F(BatchSearchCli, ListingPassesPrintRowsThenTheStatusLine)
{
    const std::string d = path("d");
    struct Case {
        std::vector<std::string> args;
        std::string rows;
        std::string status;
        int exit;
    } cases[] = {
        { { "found", "-e", "X", d }, row("d/a.txt", "2", ""), msgLine(14, { 2, 2, 1, 0, 2 }), 0 },
        { { "found", "--subdirs", "--find", "X", d }, row("d/a.txt", "2", "") + row("d/sub/c.txt", "1", ""),
            msgLine(14, { 3, 3, 2, 1, 3 }), 0 },
        { { "found", "--mask", "b.*", "-e", "X", d }, "", msgLine(14, { 1, 1, 0, 0, 0 }), 1 },
        { { "notfound", "--subdirs", "-e", "X", d }, row("d/b.txt", "0", ""), msgLine(37, { 3, 3, 1 }), 0 },
        { { "notfound", "-e", ".", d }, "", msgLine(37, { 2, 2, 0 }), 1 },
        { { "all", "--subdirs", d },
            row("d/a.txt", "", "") + row("d/b.txt", "", "") + row("d/sub/c.txt", "", ""),
            msgLine(6, { 2, 3 }), 0 },
        // A file given as a PATH is taken whatever the mask says.
        { { "all", "--mask", "*.htm", path("d/b.txt"), d }, row("d/b.txt", "", ""), msgLine(6, { 1, 1 }), 0 },
    };
    for (const Case& c : cases) {
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.status, c.exit) << c.args[0] << " " << c.args[1] << "\n" << r.err;
        EXPECT_EQ(r.out, c.rows + c.status) << c.args[0] << " " << c.args[1];
    }
}

TEST_F(BatchSearchCli, ModifiersAndRemarkReachTheEngine)
{
    write("m.txt", "x X\nline two");
    struct Case {
        std::vector<std::string> options;
        std::string found; // the count of the file's row; empty: not listed
    } cases[] = {
        { {}, "1" },
        { { "--modifiers", "i" }, "2" },
        { { "--remark", "(?i)" }, "2" },
        { { "--modifiers", "i", "--remark", "(?-i)" }, "1" },
        // "^" at every line start only with m, which is on by default.
        { { "--find", "^." }, "2" },
        { { "--modifiers", "-m", "--find", "^." }, "1" },
    };
    for (const Case& c : cases) {
        std::vector<std::string> args { "found", "-e", "x" };
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(path("m.txt"));
        const auto r = RunCli(args);
        const std::string expectedRow = c.found.empty() ? "" : row("m.txt", c.found, "");
        EXPECT_EQ(r.out.substr(0, expectedRow.size()), expectedRow) << testing::PrintToString(c.options);
        EXPECT_EQ(r.status, c.found.empty() ? 1 : 0) << r.err;
    }
}

TEST_F(BatchSearchCli, AnExpressionIsSearchedInTheChosenCodePage)
{
    write("koi.txt", koi("Привет, мир"));
    EXPECT_EQ(RunCli({ "found", "-e", "мир", path("koi.txt") }).status, 1);
    const auto r = RunCli({ "found", "-e", "мир", "--codepage", "koi8r", path("koi.txt") });
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, row("koi.txt", "1", "") + msgLine(14, { 1, 1, 1, 1, 1 }));
    EXPECT_EQ(RunCli({ "found", "-e", "мир", "--codepage", "auto", path("koi.txt") }).status, 0);
}

TEST_F(BatchSearchCli, AFileThatCannotBeReadIsReportedAndThePassGoesOn)
{
    std::filesystem::create_symlink(tree / "nowhere", tree / "d/dead.txt");
    struct Case {
        const char* command;
        std::string rows;
    } cases[] = {
        { "found", row("d/a.txt", "2", "") },
        { "notfound", row("d/b.txt", "0", "") + row("d/dead.txt", "0", "") },
        { "replace", row("d/a.txt", "2", "2") },
    };
    for (const Case& c : cases) {
        const auto r = RunCli({ c.command, "-e", "X", path("d") });
        EXPECT_EQ(r.status, 2) << c.command;
        EXPECT_EQ(r.out.substr(0, c.rows.size()), c.rows) << c.command;
        EXPECT_NE(r.err.find("Cannot open file \"" + path("d/dead.txt") + "\""), std::string::npos) << r.err;
    }
    EXPECT_EQ(read("d/a.txt"), "abc");
}

class BatchReplaceCli : public BatchCliTest { };

TEST_F(BatchReplaceCli, ReplaceRewritesTheFileAfterAHiddenBackupOfTheOriginal)
{
    write("d/a.txt", "aXbXc");
    write("d/b.txt", "none");
    const auto r = RunCli({ "replace", "-e", "X", "-r", "--", path("d") });
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out, row("d/a.txt", "2", "2") + replaceStatus(2, 2, 1, 1, 0, 0, 2, 2) + summary(2, 2, 1, 1, 2, 2));
    EXPECT_EQ(read("d/a.txt"), "a--b--c");
    EXPECT_EQ(read("d/a.txt0"), "aXbXc");
    EXPECT_TRUE(morvane::search::IsInHiddenList(tree / "d/a.txt0"));
    // The file without a match is neither rewritten nor copied.
    EXPECT_EQ(read("d/b.txt"), "none");
    EXPECT_FALSE(exists("d/b.txt0"));

    // A second run finds the hidden copy out of the walk and numbers the next copy on.
    ASSERT_EQ(RunCli({ "replace", "-e", "--", "-r", "=", path("d") }).status, 0);
    EXPECT_EQ(read("d/a.txt"), "a=b=c");
    EXPECT_EQ(read("d/a.txt1"), "a--b--c");
    EXPECT_EQ(read("d/a.txt0"), "aXbXc");
}

TEST_F(BatchReplaceCli, NoBackupLeavesNoCopyAndNothingToReplaceChangesNothing)
{
    write("a.txt", "aXbXc");
    EXPECT_EQ(RunCli({ "replace", "--no-backup", "-e", "X", "-r", "Y", path("a.txt") }).status, 0);
    EXPECT_EQ(read("a.txt"), "aYbYc");
    EXPECT_FALSE(exists("a.txt0"));

    const auto r = RunCli({ "replace", "-e", "Q", "-r", "Y", path("a.txt") });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, replaceStatus(1, 1, 0, 0, 0, 0, 0, 0) + summary(1, 1, 0, 0, 0, 0));
    EXPECT_EQ(read("a.txt"), "aYbYc");
    EXPECT_FALSE(exists("a.txt0"));
}

TEST_F(BatchReplaceCli, ReplaceModesAndTheRemarksMarker)
{
    struct Case {
        std::vector<std::string> options;
        std::string result;
    } cases[] = {
        { { "--mode", "simple" }, "a<$1>c" },
        { { "--mode", "substitute" }, "a<b>c" },
        { { "--mode", "simple", "--remark", "${S}" }, "a<b>c" },
        { { "--mode", "substitute", "--remark", "${Q}" }, "a<$1>c" },
    };
    for (const Case& c : cases) {
        write("m.txt", "abc");
        std::vector<std::string> args { "replace", "--no-backup", "-e", "(b)", "-r", "<$1>" };
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(path("m.txt"));
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(read("m.txt"), c.result) << testing::PrintToString(c.options);
    }
}

TEST_F(BatchReplaceCli, TextsAreConvertedFromUtf8AndTheFileKeepsItsCodePage)
{
    write("koi.txt", koi("Привет, мир"));
    const auto r = RunCli({ "replace", "--codepage", "koi8r", "-e", "мир", "-r", "свет", path("koi.txt") });
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read("koi.txt"), koi("Привет, свет"));
    EXPECT_EQ(read("koi.txt0"), koi("Привет, мир"));
}

TEST_F(BatchReplaceCli, MultipassAppliesEveryRowToWhatTheEarlierRowsLeft)
{
    write("t.tbl", "a\tb\t\r\n\t\t\r\nb\tc\t\r\n");
    write("ab.txt", "ab");
    const auto r = RunCli({ "replace", "--multipass", "--table", path("t.tbl"), path("ab.txt") });
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read("ab.txt"), "cc");
    EXPECT_EQ(
        r.out, row("ab.txt", "3", "3") + replaceStatus(1, 1, 1, 1, 3, 3, 3, 3) + summary(1, 1, 1, 1, 3, 3));

    // The found pass runs every row over the unchanged text: one a and one b.
    write("ab2.txt", "ab");
    const auto f = RunCli({ "found", "--multipass", "--table", path("t.tbl"), path("ab2.txt") });
    EXPECT_EQ(f.out, row("ab2.txt", "2", "") + msgLine(14, { 1, 1, 1, 2, 2 }));
}

TEST_F(BatchReplaceCli, ARefusedExpressionStopsTheRunBeforeAnythingIsTouched)
{
    write("a.txt", "aXbXc");
    const auto r = RunCli({ "replace", "-e", "a(", "-r", "Y", path("a.txt") });
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("expression, position"), std::string::npos) << r.err;
    EXPECT_EQ(read("a.txt"), "aXbXc");
    EXPECT_FALSE(exists("a.txt0"));

    const auto remark = RunCli({ "found", "-e", "X", "--remark", "(?q)", path("a.txt") });
    EXPECT_EQ(remark.status, 2);
    EXPECT_NE(remark.err.find("remark, position 3: "), std::string::npos) << remark.err;
}

} // namespace
