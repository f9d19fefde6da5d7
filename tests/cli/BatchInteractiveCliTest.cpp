// morvane-cli replace -i: the interactive run answered line by line from standard input; what
// the files hold afterwards, the report, and what the terminal is shown at each match.

#include "BatchCliFixture.h"

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using morvane::test::BatchCliTest;

// Runs the CLI with a standard input that stays open without data, waits until its standard
// error shows `prompt`, interrupts it, and returns its exit status and standard output.
morvane::test::CliResult InterruptAtPrompt(
    const std::vector<std::string>& args, const std::string& prompt, const std::filesystem::path& scratch)
{
    morvane::test::CliResult result;
    int input[2];
    if (::pipe(input) != 0)
        return result;
    const std::string out = (scratch / "out").native(), err = (scratch / "err").native();
    std::vector<std::string> argv { MORVANE_CLI_PATH };
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (std::string& arg : argv)
        cargv.push_back(arg.data());
    cargv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_addclose(&actions, input[1]);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, cargv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(input[0]);
    if (spawned) {
        // At most ten seconds for the prompt; the run itself takes milliseconds.
        for (int i = 0; i < 1000 && morvane::test::ReadFileBytes(err).find(prompt) == std::string::npos; ++i)
            ::usleep(10000);
        ::kill(pid, SIGINT);
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    ::close(input[1]);
    result.out = morvane::test::ReadFileBytes(out);
    result.err = morvane::test::ReadFileBytes(err);
    return result;
}
using morvane::test::RunCli;

class BatchInteractiveCli : public BatchCliTest {
protected:
    morvane::test::CliResult replace(
        const std::string& keys, std::vector<std::string> paths, std::vector<std::string> options = {}) const
    {
        std::vector<std::string> args { "replace", "-i", "-e", "X", "-r", "Y" };
        args.insert(args.end(), options.begin(), options.end());
        for (const std::string& relative : paths)
            args.push_back(path(relative));
        return RunCli(args, keys);
    }
};

TEST_F(BatchInteractiveCli, AnswersInOneFile)
{
    struct Case {
        std::string keys;
        std::string result; // the file afterwards
        std::string row; // its report row, empty when the run was stopped
        int exit;
    } cases[] = {
        { "y\nn\ny\n", "Y1 X2 Y3", "3\t2", 0 },
        { "n\nn\nn\n", "X1 X2 X3", "3\t0", 1 },
        { "n\nf\n", "X1 Y2 Y3", "3\t2", 0 },
        { "y\ns\n", "Y1 X2 X3", "2\t1", 0 },
        { "a\n", "Y1 Y2 Y3", "3\t3", 0 },
        { "e\nZZ\nn\nn\n", "ZZ1 X2 X3", "3\t1", 0 },
        { " y \nwhat\ny\ny\n", "Y1 Y2 Y3", "3\t3", 0 },
        // Stopping, or running out of answers, leaves the file as it was.
        { "y\nq\n", "X1 X2 X3", "", 1 },
        { "y\ny\n", "X1 X2 X3", "", 1 },
        { "e\n", "X1 X2 X3", "", 1 },
    };
    for (const Case& c : cases) {
        write("f.txt", "X1 X2 X3");
        std::filesystem::remove(tree / "f.txt0");
        const auto r = replace(c.keys, { "f.txt" });
        EXPECT_EQ(r.status, c.exit) << testing::PrintToString(c.keys) << r.err;
        EXPECT_EQ(read("f.txt"), c.result) << testing::PrintToString(c.keys);
        const std::string expectedRow = c.row.empty() ? "" : path("f.txt") + "\t" + c.row + "\n";
        EXPECT_EQ(r.out.substr(0, expectedRow.size()), expectedRow) << testing::PrintToString(c.keys);
        if (c.row.empty()) {
            EXPECT_EQ(r.out.find(path("f.txt")), std::string::npos) << testing::PrintToString(c.keys);
        }
        // A changed file keeps its original as a backup copy; an unchanged one gets none.
        EXPECT_EQ(exists("f.txt0"), c.result != "X1 X2 X3") << testing::PrintToString(c.keys);
    }
}

TEST_F(BatchInteractiveCli, AnswersAcrossFiles)
{
    struct Case {
        std::string keys;
        std::string first;
        std::string second;
    } cases[] = {
        { "s\ny\nn\n", "X X", "Y X" },
        { "y\na\n", "Y Y", "Y Y" },
        { "f\nq\n", "Y Y", "X X" },
        { "n\nn\ny\nn\n", "X X", "Y X" },
        // Out of answers in the second file: the first stays written, the second is not.
        { "f\ny\n", "Y Y", "X X" },
    };
    for (const Case& c : cases) {
        write("d/1.txt", "X X");
        write("d/2.txt", "X X");
        const auto r = replace(c.keys, { "d" }, { "--no-backup" });
        EXPECT_EQ(read("d/1.txt"), c.first) << testing::PrintToString(c.keys) << r.err;
        EXPECT_EQ(read("d/2.txt"), c.second) << testing::PrintToString(c.keys);
    }
}

TEST_F(BatchInteractiveCli, TheTerminalShowsTheFileTheMarkedLineAndTheReplacement)
{
    write("lines.txt", "first\r\nsecond X here\r\nlast X");
    const auto r = replace("n\nn\n", { "lines.txt" });
    const std::string expected = path("lines.txt") + "\n2: second [[X]] here\nreplacement: Y\n";
    EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(path("lines.txt") + "\n3: last [[X]]\n"), std::string::npos) << r.err;
    // The report and the summary of the run on standard output, nothing replaced.
    EXPECT_EQ(r.out,
        row("lines.txt", "2", "0") + replaceStatus(1, 1, 1, 0, 2, 0, 2, 0) + summary(1, 1, 1, 0, 2, 0));

    // Program text on the terminal in UTF-8, and an edited answer taken from UTF-8.
    write("ru.txt", win("мир X"));
    const auto ru = replace("e\nмирный\n", { "ru.txt" });
    EXPECT_NE(ru.err.find("1: мир [[X]]\n"), std::string::npos) << ru.err;
    EXPECT_EQ(read("ru.txt"), win("мир мирный"));
}

TEST_F(BatchInteractiveCli, SplitNumberedByMatchesLeavesAGapForASkippedMatch)
{
    write("w/page.htm", "X X X");
    const auto r = replace(
        "y\nn\ny\n", { "w/page.htm" }, { "--split", "--split-by", "matches", "--split-digits", "3" });
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read("w/page_000.htm"), "Y");
    EXPECT_FALSE(exists("w/page_001.htm"));
    EXPECT_EQ(read("w/page_002.htm"), "Y");
    EXPECT_EQ(read("w/page.htm"), "X X X");

    // By replacements the numbers run on without a gap.
    const auto byReplacements = replace("y\nn\ny\n", { "w/page.htm" }, { "--split", "--split-sep", "-" });
    EXPECT_EQ(byReplacements.status, 0) << byReplacements.err;
    EXPECT_TRUE(exists("w/page-0.htm"));
    EXPECT_TRUE(exists("w/page-1.htm"));
    EXPECT_FALSE(exists("w/page-2.htm"));
}

TEST_F(BatchInteractiveCli, MultipassAsksForEveryRuleInTurn)
{
    write("t.tbl", "a\tb\t\r\nb\tc\t\r\n");
    write("ab.txt", "ab");
    const auto r
        = RunCli({ "replace", "-i", "--multipass", "--table", path("t.tbl"), path("ab.txt") }, "y\ny\nn\n");
    EXPECT_EQ(r.status, 0) << r.err;
    // The second rule sees the first rule's b: the first b becomes c, the second is skipped.
    EXPECT_EQ(read("ab.txt"), "cb");
}

TEST_F(BatchInteractiveCli, CtrlCWhileWaitingStopsTheRunInAnOrderlyWay)
{
    write("f.txt", "X1 X2");
    tree.dir("scratch");
    const auto r = InterruptAtPrompt(
        { "replace", "-i", "-e", "X", "-r", "Y", path("f.txt") }, "[q]uit? ", tree / "scratch");
    // Not killed by the signal: the run was stopped as q stops it, with nothing written, and
    // says so; the status tells the caller of the interrupt.
    EXPECT_EQ(r.status, 130) << r.err;
    EXPECT_TRUE(r.err.ends_with("morvane-cli replace: " + msgLine(40, {}))) << r.err;
    EXPECT_EQ(r.out, replaceStatus(1, 1, 1, 0, 1, 0, 1, 0));
    EXPECT_EQ(read("f.txt"), "X1 X2");
}

} // namespace
