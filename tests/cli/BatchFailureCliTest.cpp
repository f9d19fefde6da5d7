// What the batch commands do with files they cannot handle: a file that cannot be written in
// the middle of others, a PATH that is a pipe or a device, a table that is a link to a pipe,
// and Ctrl+C inside one long search.

#include "BatchCliFixture.h"

#include <csignal>
#include <fcntl.h>
#include <pty.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using morvane::test::BatchCliTest;
using morvane::test::RunCli;

class BatchFailureCli : public BatchCliTest { };

TEST_F(BatchFailureCli, AFileThatCannotBeWrittenIsReportedAndTheOthersAreChanged)
{
    // The longest name a directory takes: no backup name fits beside it.
    const std::string longName = std::string(251, 'n') + ".txt";
    write("a.txt", "X");
    write(longName, "XX");
    write("z.txt", "X");
    const auto r = RunCli({ "replace", "-e", "X", "-r", "Y", path("a.txt"), path(longName), path("z.txt") });
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(read("a.txt"), "Y");
    EXPECT_EQ(read(longName), "XX");
    EXPECT_EQ(read("z.txt"), "Y");
    const std::string failedRow = path(longName) + "\t2\t0\t";
    EXPECT_EQ(r.out.substr(0, row("a.txt", "1", "1").size() + failedRow.size()), row("a.txt", "1", "1") + failedRow)
        << r.out;
    EXPECT_NE(r.out.find(row("z.txt", "1", "1")), std::string::npos) << r.out;
    EXPECT_TRUE(r.out.ends_with(summary(3, 3, 3, 2, 4, 2) + msgLine(380, { 1 }))) << r.out;
    EXPECT_EQ(r.err.rfind("morvane-cli replace: " + path(longName) + ": ", 0), 0u) << r.err;
}

TEST_F(BatchFailureCli, PipesAndDevicesAreRefusedWithoutWaiting)
{
    write("a.txt", "X");
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(tree / "pipe", tree / "rules.tbl");
    const std::string refused = morvane::codepage::Win1251ToUtf8(morvane::app::Msg(383));

    const auto r = RunCli({ "found", "-e", "X", path("pipe"), "/dev/zero", path("a.txt") });
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, row("a.txt", "1", "") + msgLine(14, { 1, 1, 1, 1, 1 }));
    EXPECT_EQ(r.err,
        "morvane-cli found: " + path("pipe") + ": " + refused + "\nmorvane-cli found: /dev/zero: " + refused + "\n");

    const auto table = RunCli({ "found", "--multipass", "--table", path("rules.tbl"), path("a.txt") });
    EXPECT_EQ(table.status, 2);
    EXPECT_EQ(table.err, "morvane-cli found: " + path("rules.tbl") + ": " + refused + "\n");
}

TEST_F(BatchFailureCli, CtrlCStopsALongSearchAndTheFileIsLeftAsItWas)
{
    // A search that would backtrack for many seconds before its budget ran out.
    const std::string text = "X" + std::string(1 << 22, 'a') + "b";
    write("big.txt", text);
    const auto r = RunCli({ "replace", "-e", "X|(a|aa)+$", "-r", "Y", path("big.txt") }, {}, 500);
    EXPECT_FALSE(r.signalled) << "the first Ctrl+C is the break, not the end of the program";
    EXPECT_EQ(r.status, 130) << r.err;
    EXPECT_EQ(read("big.txt"), text);
    EXPECT_FALSE(exists("big.txt0"));
    EXPECT_EQ(r.err, "morvane-cli replace: " + msgLine(40, {}));
}

TEST_F(BatchFailureCli, OnATerminalALongPassShowsOneProgressLineAndClearsIt)
{
    write("big.txt", "X" + std::string(1 << 22, 'a') + "b");
    const std::vector<std::string> args { "found", "-e", "X|(a|aa)+$", path("big.txt") };
    // Standard output to a file, standard error to a terminal; stopped after a second and a
    // half, by which time the line has been drawn at least once.
    int master = -1, slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const std::string out = path("out");
    std::vector<std::string> argv { MORVANE_CLI_PATH };
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (std::string& arg : argv)
        cargv.push_back(arg.data());
    cargv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, slave, 2);
    posix_spawn_file_actions_addclose(&actions, master);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, cargv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(slave);
    ::usleep(1500 * 1000);
    ::kill(pid, SIGINT);
    std::string err;
    char buffer[4096];
    for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
        err.append(buffer, static_cast<size_t>(n));
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(master);

    const std::string full = msgLine(384, { 0, 1, "", "" });
    EXPECT_EQ(err.rfind("\r" + full.substr(0, full.find("  ")), 0), 0u) << err;
    EXPECT_NE(err.find(path("big.txt")), std::string::npos) << err;
    // Cleared at the end; the status line says the pass was stopped.
    EXPECT_TRUE(err.ends_with("\r\x1b[K")) << err;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130);
    // Standard output is what it is without a terminal.
    EXPECT_EQ(read("out"), msgLine(40, {}));
}

} // namespace
