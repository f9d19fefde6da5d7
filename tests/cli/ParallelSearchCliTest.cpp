// morvane-cli found and notfound with --jobs: on trees with files that cannot be read, a file
// the engine gives up on, remarks whose modifiers carry from file to file and several code
// pages, every job count prints exactly what one job prints, with the same exit status.

#include "BatchCliFixture.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

using morvane::test::BatchCliTest;
using morvane::test::RunCli;

class ParallelSearchCli : public BatchCliTest {
protected:
    ParallelSearchCli()
    {
        // Enough files that every worker has several in flight, with varied counts.
        for (int i = 0; i < 60; ++i) {
            const std::string name = (i % 3 == 0 ? "d/sub/f" : "d/f") + std::to_string(100 + i) + ".txt";
            std::string text = "line " + std::to_string(i) + "\r\n";
            for (int k = 0; k < i % 5; ++k)
                text += "X and x\r\n";
            if (i % 7 == 0)
                text += win("привет, мир\r\n");
            write(name, text);
        }
        write("d/sub/utf.txt", "\xEF\xBB\xBFмир и Мир\r\n");
        write("d/sub/koi.txt", koi("Здравствуй, мир: это текст в KOI8-R, и его надо угадать."));
        // More matches of a literal than are counted in one go, twice over.
        std::string many;
        for (int i = 0; i < 10000; ++i)
            many += i % 2 ? "xy\r\n" : "xy xyz ";
        write("many.txt", many);
        // Only a capital X: found by "x" only while the i modifier is on.
        write("upper.txt", "X");
        // "ab" matches, then the next search backtracks past the engine's budget.
        write("limit.txt", "ab " + std::string(30, 'a') + "cb");
        // The first search already gives up (the not-found pass stops at the first match).
        write("stuck.txt", std::string(30, 'a') + "cb");
        // Unreadable: a link to nothing, and a file without permissions (which root reads).
        std::filesystem::create_directories(tree / "u");
        std::filesystem::create_symlink(tree / "nowhere", tree / "u/gone.txt");
        write("u/locked.txt", "X x");
        ::chmod(path("u/locked.txt").c_str(), 0);
        // The rules are checked before the run, which applies every remark once: i starts off.
        // The first row runs with whatever i the file before left; the second switches it on,
        // the third off again. So i stays on only after a file cut short by the limit in the
        // second row, and an unreadable file (no rule runs) passes on what it found.
        write("t.tbl", "x\t\t(?m)\r\n(a+)+b\t\t(?i)\r\n\t\t(?-i)\r\n");
    }
};

TEST_F(ParallelSearchCli, EveryJobCountPrintsWhatOneJobPrints)
{
    const std::string d = path("d");
    const std::string table = path("t.tbl");
    struct Case {
        std::vector<std::string> args;
        // Text the single-job output holds and text it lacks, so that equal outputs mean something.
        std::string has;
        std::string lacks;
    } cases[] = {
        { { "found", "--subdirs", "-e", "X", path("u"), d }, row("d/f104.txt", "4", ""), path("u/gone.txt") },
        { { "notfound", "--subdirs", "-e", "X", d, path("u") }, row("u/gone.txt", "0", ""), path("d/f104.txt") },
        // The limit first: its third remark never runs, so upper.txt is searched with i on.
        { { "found", "--multipass", "--table", table, path("limit.txt"), path("upper.txt"), "--subdirs", d },
            path("limit.txt") + "\t\t\tBacktracking Limit Exceeded\n" + row("upper.txt", "1", ""),
            row("d/f101.txt", "2", "") },
        { { "notfound", "--multipass", "--table", table, path("stuck.txt"), path("upper.txt"), "--subdirs", d },
            row("d/f105.txt", "0", ""), path("upper.txt") },
        { { "notfound", "--multipass", "--table", table, "--subdirs", d, path("stuck.txt"), path("upper.txt") },
            path("stuck.txt") + "\t\t\tBacktracking Limit Exceeded\n", path("upper.txt") },
        // Unreadable files after the limit keep its i for the file after them.
        { { "found", "--multipass", "--table", table, path("limit.txt"), path("u"), path("upper.txt"), d },
            path("limit.txt") + "\t\t\tBacktracking Limit Exceeded\n", path("u/gone.txt") + "\t" },
        { { "found", "--codepage", "auto", "--subdirs", "-e", "мир", d }, row("d/sub/koi.txt", "1", ""),
            path("d/f101.txt") },
        { { "found", "--codepage", "utf8", "--modifiers", "i", "--subdirs", "-e", "мир", d },
            row("d/sub/utf.txt", "2", ""), path("d/f101.txt") },
        { { "found", "--remark", "(?i)", "-e", "x", path("upper.txt"), path("limit.txt") },
            row("upper.txt", "1", ""), path("limit.txt") },
        { { "found", "-e", "\\bxy\\b", path("many.txt"), path("upper.txt") }, row("many.txt", "10000", ""),
            path("upper.txt") },
    };
    for (const Case& c : cases) {
        const std::string name = testing::PrintToString(c.args);
        const auto one = RunCli(c.args);
        ASSERT_NE(one.out.find(c.has), std::string::npos) << name << "\n" << one.out << one.err;
        ASSERT_EQ(one.out.find(c.lacks), std::string::npos) << name << "\n" << one.out << one.err;
        for (const std::string jobs : { "1", "3", "0" }) {
            std::vector<std::string> args = c.args;
            args.insert(args.begin() + 1, { "--jobs", jobs });
            const auto many = RunCli(args);
            EXPECT_EQ(many.out, one.out) << name << " --jobs " << jobs;
            EXPECT_EQ(many.err, one.err) << name << " --jobs " << jobs;
            EXPECT_EQ(many.status, one.status) << name << " --jobs " << jobs;
        }
    }
}

TEST_F(ParallelSearchCli, BadJobCountsAreRefusedBeforeAnythingRuns)
{
    const std::string d = path("d");
    struct Case {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        { { "found", "--jobs", "-1", "-e", "X", d }, "--jobs must be a whole number from 0 to 256, not '-1'" },
        { { "notfound", "-j", "two", "-e", "X", d }, "--jobs must be a whole number from 0 to 256, not 'two'" },
        { { "replace", "--jobs", "2", "-e", "X", "-r", "Y", d },
            "replace runs as one job (its counters and output files number in file order): --jobs must be 1" },
        { { "all", "--jobs", "2", d }, "option '--jobs' does not apply to all" },
    };
    for (const Case& c : cases) {
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.status, 2) << c.args[0];
        EXPECT_EQ(r.out, "") << c.args[0];
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    }
    EXPECT_EQ(read("d/f101.txt"), "line 1\r\nX and x\r\n") << "a refused replace changes nothing";
}

TEST_F(ParallelSearchCli, CtrlCStopsTheWorkersInsideALongSearch)
{
    // Each of these would backtrack for many seconds before the engine's budget ran out.
    for (const char* name : { "big1.txt", "big2.txt", "big3.txt" })
        write(name, "X" + std::string(1 << 22, 'a') + "b");
    const auto r = RunCli(
        { "found", "--jobs", "2", "-e", "X|(a|aa)+$", path("big1.txt"), path("big2.txt"), path("big3.txt") }, {},
        500);
    EXPECT_FALSE(r.signalled);
    EXPECT_EQ(r.status, 130) << r.err;
    // No file was done: the status line alone, saying the run was stopped.
    EXPECT_EQ(r.out, msgLine(40, {}));
    EXPECT_EQ(r.err, "");
}

} // namespace
