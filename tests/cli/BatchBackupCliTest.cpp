// morvane-cli restore, restore-first, delete-backups and convert: the copies on disk, the
// questions answered by --yes or refused without a terminal, and the converter's backups.

#include "BatchCliFixture.h"

#include "search/HiddenList.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using morvane::test::BatchCliTest;
using morvane::test::RunCli;

class BatchBackupCli : public BatchCliTest {
protected:
    // a.htm with the copies a.htm0, a.htm1, a.htm3 (a.htm2 missing), each holding its own
    // name, hidden as real copies are, so that the walk takes a.htm alone.
    void makeBrokenRun() const
    {
        write("d/a.htm", "current");
        for (const char* n : { "0", "1", "3" })
            write(std::string("d/a.htm") + n, std::string("copy ") + n);
        write("d/.hidden", "a.htm0\na.htm1\na.htm3\n");
    }
};

TEST_F(BatchBackupCli, RestoreStepsBackOneCopyAtATime)
{
    write("d/a.htm", "v0");
    for (const char* next : { "v1", "v2", "v3" }) {
        const auto r = RunCli({ "replace", "-e", "v.", "-r", next, path("d") });
        ASSERT_EQ(r.status, 0) << r.err;
    }
    EXPECT_EQ(read("d/a.htm"), "v3");
    EXPECT_TRUE(morvane::search::IsInHiddenList(tree / "d/a.htm2"));

    const auto first = RunCli({ "restore", "--yes", path("d") });
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, msgLine(15, { 1, 1, 1 }));
    EXPECT_EQ(read("d/a.htm"), "v2");
    EXPECT_FALSE(exists("d/a.htm2"));
    // The restored file is no longer listed as hidden, so the walk still takes it.
    EXPECT_FALSE(morvane::search::IsInHiddenList(tree / "d/a.htm"));

    EXPECT_EQ(RunCli({ "restore", "-y", path("d") }).status, 0);
    EXPECT_EQ(read("d/a.htm"), "v1");
    EXPECT_EQ(read("d/a.htm0"), "v0");
}

TEST_F(BatchBackupCli, ARestoreThatFailsIsReportedNotCountedAndKeepsTheCopy)
{
    write("d/a.htm", "now");
    write("d/a.htm0", "copy");
    write("d/.hidden", "a.htm0\n");
    ::chmod((tree / "d/a.htm").c_str(), 0444);
    for (const char* command : { "restore", "restore-first" }) {
        const auto r = RunCli({ command, "--yes", path("d") });
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_EQ(r.out, msgLine(15, { 1, 1, 0 })) << command;
        EXPECT_NE(r.err.find(path("d/a.htm")), std::string::npos) << r.err;
        EXPECT_EQ(read("d/a.htm"), "now");
        EXPECT_EQ(read("d/a.htm0"), "copy");
        EXPECT_TRUE(morvane::search::IsInHiddenList(tree / "d/a.htm0"));
    }
}

TEST_F(BatchBackupCli, WithoutYesAndWithoutATerminalTheAnswerIsNo)
{
    makeBrokenRun();
    for (const char* command : { "restore", "restore-first", "delete-backups" }) {
        const auto r = RunCli({ command, path("d") }, "y\n");
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_NE(r.err.find("--yes"), std::string::npos) << r.err;
        EXPECT_EQ(read("d/a.htm"), "current") << command;
        for (const char* n : { "0", "1", "3" })
            EXPECT_EQ(read(std::string("d/a.htm") + n), std::string("copy ") + n) << command;
    }
}

TEST_F(BatchBackupCli, OnATerminalTheQuestionIsAskedAndOnlyYesActs)
{
    // script(1) gives the command a terminal of its own and feeds it what we pipe in.
    if (std::system("command -v script >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "script(1) is not installed";
    const auto runOnTerminal = [this](const std::string& answer) {
        const std::string command = "printf '" + answer + "\\n' | script -qec '" MORVANE_CLI_PATH " restore "
            + path("d") + "' /dev/null >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    makeBrokenRun();
    EXPECT_EQ(runOnTerminal("n"), 1);
    EXPECT_EQ(read("d/a.htm"), "current");
    EXPECT_EQ(runOnTerminal("y"), 0);
    EXPECT_EQ(read("d/a.htm"), "copy 1");
}

TEST_F(BatchBackupCli, TheCommandsOnABrokenRunOfCopies)
{
    struct Case {
        const char* command;
        std::string file; // a.htm afterwards
        std::vector<std::string> left; // copies left afterwards
        std::string status;
    } cases[] = {
        { "restore", "copy 1", { "0", "3" }, msgLine(15, { 1, 1, 1 }) },
        { "restore-first", "copy 0", { "3" }, msgLine(15, { 1, 1, 1 }) },
        { "delete-backups", "current", { "3" }, msgLine(45, { 2 }) },
    };
    for (const Case& c : cases) {
        makeBrokenRun();
        const auto r = RunCli({ c.command, "--yes", path("d") });
        EXPECT_EQ(r.status, 0) << c.command << r.err;
        EXPECT_EQ(r.out, c.status) << c.command;
        EXPECT_EQ(read("d/a.htm"), c.file) << c.command;
        for (const char* n : { "0", "1", "2", "3" }) {
            const bool expected = std::find(c.left.begin(), c.left.end(), n) != c.left.end();
            EXPECT_EQ(exists(std::string("d/a.htm") + n), expected) << c.command << " a.htm" << n;
        }
        std::filesystem::remove_all(tree / "d");
    }
}

TEST_F(BatchBackupCli, NothingToRestoreOrDeleteExitsWithOne)
{
    write("d/plain.txt", "text");
    for (const char* command : { "restore", "restore-first", "delete-backups" }) {
        const auto r = RunCli({ command, "--yes", path("d") });
        EXPECT_EQ(r.status, 1) << command << r.err;
        EXPECT_EQ(read("d/plain.txt"), "text");
    }
}

TEST_F(BatchBackupCli, ConvertRewritesInTheNewCodePageAfterACopy)
{
    write("k.txt", koi("Привет"));
    const auto r = RunCli({ "convert", "--from", "koi8r", "--to", "1251", path("k.txt") });
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read("k.txt"), win("Привет"));
    EXPECT_EQ(read("k.txt0"), koi("Привет"));
    EXPECT_TRUE(morvane::search::IsInHiddenList(tree / "k.txt0"));
    // The last progress line names the file; the final box counts the files converted.
    EXPECT_EQ(r.out, msgLine(64, { path("k.txt"), 1, 1 }) + msgLine(63, { 1, 1 }));
}

TEST_F(BatchBackupCli, ConvertDefaultsAutoDetectionAndNoBackup)
{
    struct Case {
        std::vector<std::string> options;
        std::string before;
        std::string after;
        bool copy;
    } cases[] = {
        // The defaults are those of the converter's dialog: from KOI8-R to Windows-1251.
        { {}, koi("Съешь ещё этих булок"), win("Съешь ещё этих булок"), true },
        { { "--from", "auto", "--to", "866" }, koi("Съешь ещё этих мягких французских булок"),
            morvane::codepage::ConvertText(win("Съешь ещё этих мягких французских булок"), 0, 2), true },
        { { "--no-backup", "--from", "1251", "--to", "koi8r" }, win("да"), koi("да"), false },
        // Unchanged bytes are rewritten all the same, with their copy.
        { { "--from", "1251", "--to", "1251" }, win("да"), win("да"), true },
    };
    for (const Case& c : cases) {
        write("f.txt", c.before);
        std::filesystem::remove(tree / "f.txt0");
        std::vector<std::string> args { "convert" };
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(path("f.txt"));
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(read("f.txt"), c.after) << testing::PrintToString(c.options);
        EXPECT_EQ(exists("f.txt0"), c.copy) << testing::PrintToString(c.options);
        if (c.copy) {
            EXPECT_EQ(read("f.txt0"), c.before);
        }
    }
}

TEST_F(BatchBackupCli, ConvertWithAnEmptyListConvertsNothing)
{
    tree.dir("empty");
    const auto r = RunCli({ "convert", path("empty") });
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(BatchBackupCli, WritePastTheFileSizeLimitIsAnErrorNotADeath)
{
    write("d/big.txt", "x");
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_DFL);
    const rlimit small { 4096, saved.rlim_max };
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto r = RunCli({ "replace", "-e", "x", "-r", std::string(20000, 'y'), path("d") });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(read("d/big.txt"), "x");
    for (const auto& entry : std::filesystem::directory_iterator(tree / "d"))
        EXPECT_EQ(entry.path().filename(), "big.txt");
}

TEST_F(BatchBackupCli, AWriteFailureInTheMiddleOfABatchLeavesThatFileAloneAndWritesTheOthers)
{
    // Three files of one directory go to disk together; the middle one's new content is past
    // the size limit, which it reaches only after its first pieces were written.
    write("d/a.txt", "x");
    write("d/big.txt", std::string(20000, 'x'));
    write("d/c.txt", "x");
    const std::string y(100, 'y');
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_DFL);
    const rlimit small { 1536 * 1024, saved.rlim_max };
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto r = RunCli({ "replace", "-e", "x", "-r", y, path("d") });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(r.status, 2) << r.err;
    // The rows in list order, the failed file's with its reason and every match it has.
    const std::string first = row("d/a.txt", "1", "1");
    const std::string failed = path("d/big.txt") + "\t20000\t0\t";
    ASSERT_EQ(r.out.compare(0, first.size(), first), 0) << r.out;
    ASSERT_EQ(r.out.compare(first.size(), failed.size(), failed), 0) << r.out;
    const size_t third = r.out.find('\n', first.size()) + 1;
    EXPECT_EQ(r.out.compare(third, row("d/c.txt", "1", "1").size(), row("d/c.txt", "1", "1")), 0) << r.out;
    EXPECT_NE(r.err.find(path("d/big.txt") + ": "), std::string::npos) << r.err;
    EXPECT_EQ(read("d/a.txt"), y);
    EXPECT_EQ(read("d/big.txt"), std::string(20000, 'x'));
    EXPECT_EQ(read("d/c.txt"), y);
    EXPECT_EQ(read("d/a.txt0"), "x");
    EXPECT_EQ(read("d/c.txt0"), "x");
    EXPECT_EQ(read("d/.hidden"), "a.txt0\nc.txt0\n");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(tree / "d"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string> { ".hidden", "a.txt", "a.txt0", "big.txt", "c.txt", "c.txt0" }));
}

} // namespace
