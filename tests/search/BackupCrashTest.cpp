// Interruptions of the write path (one file at a time and a batch of files) and of
// restore-first at every durable step (the process is killed there), and two processes writing
// one tree at once: afterwards every file is wholly old or wholly new, every existing copy is
// listed in ".hidden", the run of copies still reads correctly, and rerunning the command then
// restoring the first copy gives the original bytes.

#include "TempTree.h"
#include "app/DurableWrite.h"
#include "app/FileIo.h"
#include "search/Backups.h"
#include "search/DirectoryLock.h"
#include "search/HiddenList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace morvane::search {
namespace {

namespace fs = std::filesystem;
using test::TempTree;

std::string Read(const fs::path& path)
{
    std::string bytes;
    EXPECT_FALSE(app::ReadWholeFile(path, bytes)) << path;
    return bytes;
}

// Runs `body` in a child process killed at its k-th durable step. True when it was killed
// there, false when it finished first.
bool KilledAtStep(int k, const std::function<void()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        app::SetCrashPoint(k);
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// Every copy in the run of `file` is listed, and no name of a temporary file is left over.
void ExpectCopiesListed(const fs::path& file, int step)
{
    for (int n = 0; n < Backups::BackupRunLength(file); ++n)
        EXPECT_TRUE(IsInHiddenList(Backups::BackupName(file, n))) << "step " << step << ": copy " << n;
}

TEST(BackupCrash, ReplaceKilledAtEveryStepThenRerunAndRestoreFirst)
{
    const std::vector<std::pair<std::string, std::string>> files { { "a.txt", "alpha" }, { "b.txt", "beta" } };
    auto replace = [](const TempTree& tree, const std::string& name, const std::string& old) {
        Backups backups;
        const fs::path path = tree / name;
        ASSERT_FALSE(backups.enterDirectoryOf(path));
        if (Read(path) == old) { // a replace rewrites only a file that still matches
            ASSERT_FALSE(backups.RewriteFile(path, old + " replaced"));
        }
    };
    int step = 1;
    for (;; ++step) {
        TempTree tree;
        for (const auto& [name, content] : files)
            tree.file(name, content);
        const bool killed = KilledAtStep(step, [&] {
            for (const auto& [name, content] : files)
                replace(tree, name, content);
        });
        for (const auto& [name, content] : files) {
            const std::string now = Read(tree / name);
            EXPECT_TRUE(now == content || now == content + " replaced") << "step " << step << ": " << now;
            ExpectCopiesListed(tree / name, step);
        }
        for (const auto& [name, content] : files)
            replace(tree, name, content);
        for (const auto& [name, content] : files) {
            EXPECT_EQ(Read(tree / name), content + " replaced") << "step " << step;
            Backups backups;
            EXPECT_TRUE(backups.RestoreFirst(tree / name)) << "step " << step;
            EXPECT_EQ(Read(tree / name), content) << "step " << step;
            EXPECT_EQ(Backups::BackupRunLength(tree / name), 0) << "step " << step;
        }
        for (const auto& entry : fs::directory_iterator(tree.root()))
            EXPECT_FALSE(app::IsTemporaryName(entry.path().filename().string())) << "step " << step;
        if (!killed)
            break;
    }
    // Each file: new content, list entry, copy, rename, directory flush.
    EXPECT_GE(step, 9);
}

TEST(BackupCrash, ABatchKilledAtEveryStepThenRerunAndRestoreFirst)
{
    using Files = std::vector<std::pair<std::string, std::string>>;
    struct Row {
        Files files;
        int steps; // the durable steps of one batch
    } const rows[] = {
        // The file's flush, the listing, the copy, a directory flush, the rename, the last
        // directory flush.
        { { { "a.txt", "alpha" } }, 6 },
        // One flush of the file system (contents and listing), each file's own flush (which
        // finds nothing left), three copies, a directory flush, three renames, the last one.
        { { { "a.txt", "alpha" }, { "b.txt", "beta" }, { "c.txt", "gamma" } }, 12 },
    };
    for (const Row& row : rows) {
        const Files& files = row.files;
        // One batch over the files that still hold their old content, as a replace pass makes it.
        auto replaceBatch = [&](const TempTree& tree) {
            Backups backups;
            for (const auto& [name, old] : files) {
                const fs::path path = tree / name;
                ASSERT_FALSE(backups.enterDirectoryOf(path));
                if (Read(path) == old) {
                    ASSERT_FALSE(backups.stageRewrite(path, old + " replaced"));
                }
            }
            for (const std::optional<app::FileError>& result : backups.commitBatch())
                EXPECT_FALSE(result);
        };
        int step = 1;
        for (;; ++step) {
            TempTree tree;
            for (const auto& [name, content] : files)
                tree.file(name, content);
            const bool killed = KilledAtStep(step, [&] { replaceBatch(tree); });
            for (const auto& [name, content] : files) {
                const std::string now = Read(tree / name);
                EXPECT_TRUE(now == content || now == content + " replaced") << "step " << step << ": " << now;
                // A file with its new content has its old one kept as a listed copy.
                if (now != content) {
                    EXPECT_EQ(Read(Backups::BackupName(tree / name, 0)), content) << "step " << step;
                }
                ExpectCopiesListed(tree / name, step);
            }
            replaceBatch(tree);
            for (const auto& [name, content] : files) {
                EXPECT_EQ(Read(tree / name), content + " replaced") << "step " << step;
                Backups backups;
                EXPECT_TRUE(backups.RestoreFirst(tree / name)) << "step " << step;
                EXPECT_EQ(Read(tree / name), content) << "step " << step;
            }
            for (const auto& entry : fs::directory_iterator(tree.root()))
                EXPECT_FALSE(app::IsTemporaryName(entry.path().filename().string())) << "step " << step;
            if (!killed)
                break;
        }
        EXPECT_EQ(step, row.steps + 1) << files.size() << " files";
    }
}

TEST(BackupCrash, RestoreFirstKilledAtEveryStepLeavesAReadableRun)
{
    int step = 1;
    for (;; ++step) {
        TempTree tree;
        tree.file("a.txt", "v3");
        for (int n = 0; n < 3; ++n)
            tree.file("a.txt" + std::to_string(n), "v" + std::to_string(n));
        tree.file(".hidden", "a.txt0\na.txt1\na.txt2\n");
        const bool killed = KilledAtStep(step, [&] {
            Backups backups;
            backups.RestoreFirst(tree / "a.txt");
        });
        const int run = Backups::BackupRunLength(tree / "a.txt");
        // Either the first copy is still there with the file untouched, or it is back in the
        // file and no later copy is left to join the next run.
        if (run > 0)
            EXPECT_EQ(Read(tree / "a.txt"), "v3") << "step " << step;
        else
            EXPECT_FALSE(fs::exists(tree / "a.txt1") || fs::exists(tree / "a.txt2")) << "step " << step;
        Backups backups;
        backups.RestoreFirst(tree / "a.txt");
        EXPECT_EQ(Read(tree / "a.txt"), "v0") << "step " << step;
        EXPECT_EQ(fs::exists(tree / "a.txt1") + fs::exists(tree / "a.txt2"), 0) << "step " << step;
        if (!killed)
            break;
    }
    EXPECT_GE(step, 3);
}

TEST(BackupCrash, TwoProcessesAtOnceLoseNoUpdate)
{
    TempTree tree;
    std::vector<fs::path> files;
    for (const char* dir : { "d1", "d2" })
        for (int i = 0; i < 4; ++i) {
            tree.file(std::string(dir) + "/f" + std::to_string(i), "");
            files.push_back(tree / (std::string(dir) + "/f" + std::to_string(i)));
        }
    constexpr int kRounds = 8;
    std::vector<pid_t> children;
    for (const char tag : { 'A', 'B' }) {
        const pid_t child = ::fork();
        if (child == 0) {
            Backups backups;
            for (int round = 0; round < kRounds; ++round) {
                for (const fs::path& file : files) {
                    if (backups.enterDirectoryOf(file))
                        ::_exit(3);
                    std::string bytes;
                    if (app::ReadWholeFile(file, bytes) || backups.RewriteFile(file, bytes + tag))
                        ::_exit(4);
                }
                backups.leaveDirectory();
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    for (const fs::path& file : files) {
        const std::string bytes = Read(file);
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 'A'), kRounds) << file;
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 'B'), kRounds) << file;
        EXPECT_EQ(Backups::BackupRunLength(file), 2 * kRounds) << file;
        ExpectCopiesListed(file, 0);
    }
}

TEST(BackupCrash, DirectoryHeldByAnotherProcessMakesTheFileBusy)
{
    TempTree tree;
    tree.file("a.txt", "old");
    int ready[2];
    int done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        DirectoryLock lock;
        char c = lock.acquire(tree.root()) == 0 ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        (void)!::read(done[0], &c, 1);
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    DirectoryLock::setPassWait(std::chrono::milliseconds(50));
    Backups backups;
    const std::optional<app::FileError> busy = backups.RewriteFile(tree / "a.txt", "new");
    ASSERT_TRUE(busy);
    EXPECT_EQ(busy->kind, app::FileFailure::Busy);
    EXPECT_EQ(Read(tree / "a.txt"), "old");
    EXPECT_EQ(Backups::BackupRunLength(tree / "a.txt"), 0);
    (void)!::write(done[1], "x", 1);
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(backups.RewriteFile(tree / "a.txt", "new"));
    DirectoryLock::setPassWait(DirectoryLock::kDefaultWait);
    EXPECT_EQ(Read(tree / "a.txt"), "new");
    // Within one process the lock nests instead of blocking.
    DirectoryLock outer;
    DirectoryLock inner;
    EXPECT_EQ(outer.acquire(tree.root()), 0);
    EXPECT_EQ(inner.acquire(tree.root(), std::chrono::milliseconds(0)), 0);
    for (int fd : { ready[0], ready[1], done[0], done[1] })
        ::close(fd);
}

} // namespace
} // namespace morvane::search
