// morvane-cli batch commands: wrong command lines end with status 2 and a message before
// anything on disk is touched; --help documents every option.

#include "BatchCliFixture.h"

namespace {

using morvane::test::BatchCliTest;
using morvane::test::RunCli;

class BatchOptionsCli : public BatchCliTest {
protected:
    BatchOptionsCli()
    {
        write("d/a.txt", "aXbXc");
        write("d/a.txt0", "old");
        write("d/.hidden", "a.txt0\n");
        write("t.tbl", "a\tb\t\r\n");
    }

    void expectUntouched() const
    {
        EXPECT_EQ(read("d/a.txt"), "aXbXc");
        EXPECT_EQ(read("d/a.txt0"), "old");
        EXPECT_FALSE(exists("d/a.txt1"));
    }
};

TEST_F(BatchOptionsCli, BadArgumentsExitWithTwoAndTouchNothing)
{
    const std::string d = path("d");
    struct Case {
        std::vector<std::string> args;
        std::string message; // a part of the message on standard error
    } cases[] = {
        { { "found", "-e", "X" }, "no PATH" },
        { { "found", "-e", "X", path("missing") }, "no such file or directory" },
        { { "found", d }, "--find EXPR" },
        { { "found", "-e" }, "needs a value" },
        { { "found", "--bogus", "-e", "X", d }, "unknown option '--bogus'" },
        { { "found", "-Z", "-e", "X", d }, "unknown option '-Z'" },
        { { "found", "--subdirs=yes", "-e", "X", d }, "takes no value" },
        { { "restore", "-e", "X", d }, "does not apply to restore" },
        { { "found", "-r", "Y", "-e", "X", d }, "does not apply to found" },
        { { "replace", "--yes", "-e", "X", d }, "does not apply to replace" },
        { { "convert", "--codepage", "koi8r", d }, "does not apply to convert" },
        { { "all", "-i", d }, "does not apply to all" },
        { { "replace", "--multipass", d }, "--multipass needs --table" },
        { { "replace", "--table", path("t.tbl"), "-e", "X", d }, "only with --multipass" },
        { { "replace", "--multipass", "--table", path("t.tbl"), "-e", "X", d },
            "--find and --replace do not apply" },
        { { "replace", "-e", "X", "--collect", path("o.txt"), "--split", d }, "exclude each other" },
        { { "replace", "-e", "X", "--append", d }, "--append needs --collect" },
        { { "replace", "-e", "X", "--split-digits", "3", d }, "need --split" },
        { { "replace", "-e", "X", "--split", "--split-digits", "11", d }, "from 0 to 10" },
        { { "replace", "-e", "X", "--split", "--split-start", "-1", d }, "from 0 to 1000000" },
        { { "replace", "-e", "X", "--split", "--split-start", "1000001", d }, "from 0 to 1000000" },
        { { "replace", "-e", "X", "--split", "--split-start", "7x", d }, "from 0 to 1000000" },
        { { "replace", "-e", "X", "--split", "--split-by", "lines", d }, "replacements or matches" },
        { { "replace", "-e", "X", "--mode", "fancy", d }, "simple, substitute or extended" },
        { { "found", "-e", "X", "--modifiers", "r", d }, "i, m, s, x, g" },
        { { "found", "-e", "X", "--modifiers", "i--g", d }, "i, m, s, x, g" },
        { { "found", "-e", "X", "--codepage", "utf-8", d }, "1251, koi8r, 866, utf8 or auto" },
        { { "convert", "--to", "auto", d }, "must be 1251, koi8r, 866 or utf8, not 'auto'" },
        { { "found", "-e", "X", "--mask", "日本", d }, "the mask" },
        { { "replace", "-e", "X", "-r", "€→", d }, "the replacement" },
        { { "replace", "--multipass", "--table", path("missing.tbl"), d }, "Cannot open file" },
        { { "replace", "--collect=", "-e", "X", d }, "--collect needs a file name" },
        { { "replace", "-e", "X", "--split", "--split-name", "", d }, "--split-name needs a file name" },
        { { "found", "-e", "X", "", d }, "no such file or directory ''" },
    };
    for (const Case& c : cases) {
        const auto r = RunCli(c.args);
        const std::string shown = testing::PrintToString(c.args);
        EXPECT_EQ(r.status, 2) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << shown << "\n" << r.err;
    }
    expectUntouched();
}

TEST_F(BatchOptionsCli, ValuesMayFollowAnEqualsSignAndDoubleDashEndsTheOptions)
{
    write("-odd.txt", "X");
    const auto r = RunCli({ "found", "--find=X", "--mask=*.txt", "--", path("d"), "-odd.txt" });
    // "-odd.txt" is relative to the test's working directory, where it does not exist.
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("'-odd.txt'"), std::string::npos) << r.err;

    const auto ok = RunCli({ "found", "--find=X", "--mask=*.txt", "--", path("-odd.txt"), path("d") });
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(ok.out.substr(0, ok.out.find('\n') + 1), row("-odd.txt", "1", ""));
}

TEST_F(BatchOptionsCli, ARefusedTableRowIsNamedAndNothingIsReplaced)
{
    write("bad.tbl", "a\tb\t\r\nx(\ty\t\r\n");
    const auto r = RunCli({ "replace", "--multipass", "--table", path("bad.tbl"), path("d") });
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("table row 2, expression, position"), std::string::npos) << r.err;
    expectUntouched();
}

TEST_F(BatchOptionsCli, HelpDocumentsEveryOptionAndEveryCommand)
{
    for (const char* command : { "found", "convert" }) {
        const auto r = RunCli({ command, "--help" });
        EXPECT_EQ(r.status, 0);
        for (const char* word :
            { "found", "notfound", "all", "replace", "restore", "restore-first", "delete-backups", "convert",
                "--find", "--replace", "--remark", "--table", "--multipass", "--mask", "--subdirs",
                "--hidden", "--no-backup", "--mode", "--modifiers", "--codepage", "--collect", "--append",
                "--split", "--split-by", "--split-name", "--split-start", "--split-digits", "--split-sep",
                "--from", "--to", "--yes", "--interactive", "--jobs", "exit status" }) {
            EXPECT_NE(r.out.find(word), std::string::npos) << command << ": " << word;
        }
    }
    // The program's own usage names the batch commands too.
    EXPECT_NE(RunCli({ "--help" }).out.find("delete-backups"), std::string::npos);
}

} // namespace
