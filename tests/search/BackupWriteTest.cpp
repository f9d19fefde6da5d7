// The crash-safe rewrite: the new content replaces the file in one step, the backup copy holds
// the old content, and a write that fails changes nothing on disk.

#include "TempTree.h"
#include "app/FileIo.h"
#include "search/Backups.h"
#include "search/HiddenList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
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

// The names in `dir`, for checking that no temporary file was left behind.
std::vector<std::string> Names(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs `write` in a child process whose file size limit is `limit` bytes (SIGXFSZ ignored, so
// the write sees EFBIG); returns the child's exit status: 0 when the write reported a failure
// whose text begins with "Cannot create file", 1 when it claimed success, 2 for a wrong text.
int WriteUnderSizeLimit(rlim_t limit, const std::function<std::optional<app::FileError>()>& write)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit rl { limit, limit };
        ::setrlimit(RLIMIT_FSIZE, &rl);
        const std::optional<app::FileError> error = write();
        ::_exit(!error ? 1 : error->message.starts_with("Cannot create file \"") ? 0 : 2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

TEST(BackupWrite, RewriteKeepsOldContentAsNextCopyAndPermissionBits)
{
    TempTree tree;
    tree.file("a.htm", "v0");
    ::chmod((tree / "a.htm").c_str(), 0640);
    Backups backups;
    for (const char* content : { "v1", "v2", "v3" })
        ASSERT_FALSE(backups.RewriteFile(tree / "a.htm", content));
    EXPECT_EQ(Read(tree / "a.htm"), "v3");
    EXPECT_EQ(Read(tree / "a.htm0"), "v0");
    EXPECT_EQ(Read(tree / "a.htm1"), "v1");
    EXPECT_EQ(Read(tree / "a.htm2"), "v2");
    EXPECT_EQ(Read(tree / ".hidden"), "a.htm0\na.htm1\na.htm2\n");
    struct stat st { };
    ASSERT_EQ(::stat((tree / "a.htm").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(
        Names(tree.root()), (std::vector<std::string> { ".hidden", "a.htm", "a.htm0", "a.htm1", "a.htm2" }));
}

TEST(BackupWrite, NextCopyFillsTheFirstGap)
{
    TempTree tree;
    tree.file("a.htm", "now");
    tree.file("a.htm0", "c0");
    tree.file("a.htm1", "c1");
    tree.file("a.htm3", "c3");
    Backups backups;
    ASSERT_FALSE(backups.RewriteFile(tree / "a.htm", "next"));
    EXPECT_EQ(Read(tree / "a.htm2"), "now");
    EXPECT_EQ(Read(tree / "a.htm3"), "c3");
}

TEST(BackupWrite, SymbolicLinkIsWrittenThrough)
{
    TempTree tree;
    tree.file("real.txt", "old");
    tree.link("link.txt", "real.txt");
    Backups backups;
    ASSERT_FALSE(backups.RewriteFile(tree / "link.txt", "new"));
    EXPECT_TRUE(fs::is_symlink(tree / "link.txt"));
    EXPECT_EQ(Read(tree / "real.txt"), "new");
    EXPECT_EQ(Read(tree / "link.txt0"), "old");
}

TEST(BackupWrite, FileSizeLimitLeavesOriginalAndCopiesIntact)
{
    TempTree tree;
    tree.file("big.txt", "original");
    tree.file("big.txt0", "first copy");
    tree.file(".hidden", "big.txt0\n");
    const std::string large(64 * 1024, 'z');
    for (bool backupOn : { true, false }) {
        Backups backups;
        backups.setSaveBackup(backupOn);
        EXPECT_EQ(WriteUnderSizeLimit(4096, [&] { return backups.RewriteFile(tree / "big.txt", large); }), 0)
            << backupOn;
        EXPECT_EQ(Read(tree / "big.txt"), "original");
        EXPECT_EQ(Read(tree / "big.txt0"), "first copy");
        EXPECT_EQ(Read(tree / ".hidden"), "big.txt0\n");
        EXPECT_EQ(Names(tree.root()), (std::vector<std::string> { ".hidden", "big.txt", "big.txt0" }))
            << "no backup made and no temporary file left";
    }
}

TEST(BackupWrite, LongNamesAreWrittenAndATooLongCopyNameIsAnError)
{
    struct Row {
        size_t length;
        bool backupOn;
        bool written;
    } const rows[] = {
        { 250, true, true },
        { 254, true, true },
        { 255, true, false }, // the copy's name would have 256 bytes
        { 255, false, true },
    };
    for (const Row& row : rows) {
        TempTree tree;
        const std::string name(row.length, 'n');
        tree.file(name, "old");
        Backups backups;
        backups.setSaveBackup(row.backupOn);
        const std::optional<app::FileError> error = backups.RewriteFile(tree / name, "new");
        EXPECT_EQ(!error, row.written) << row.length;
        EXPECT_EQ(Read(tree / name), row.written ? "new" : "old") << row.length;
        EXPECT_EQ(Backups::BackupRunLength(tree / name), row.written && row.backupOn ? 1 : 0) << row.length;
        EXPECT_EQ(fs::exists(tree / ".hidden"), row.written && row.backupOn) << row.length;
    }
}

TEST(BackupWrite, DirectoryInTheWayIsRefused)
{
    TempTree tree;
    tree.dir("d");
    Backups backups;
    ASSERT_TRUE(backups.RewriteFile(tree / "d", "x"));
    EXPECT_TRUE(fs::is_directory(tree / "d"));
    EXPECT_FALSE(fs::exists(tree / "d0"));
}

TEST(BackupWrite, KilledMidwayLeavesOldOrNewContent)
{
    // A child rewrites the file again and again, alternating two large contents, and is
    // killed at a different moment each round: the file must always hold one of them whole.
    TempTree tree;
    const std::string contentA(2 * 1024 * 1024, 'a');
    const std::string contentB(3 * 1024 * 1024, 'b');
    tree.file("f.txt", contentA);
    for (int round = 0; round < 12; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int i = 0;; ++i)
                (void)Backups::WriteFileSafely(tree / "f.txt", i % 2 ? contentA : contentB);
        }
        ::usleep(static_cast<useconds_t>(3000 + round * 2500));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = Read(tree / "f.txt");
        ASSERT_TRUE(now == contentA || now == contentB)
            << "round " << round << ": " << now.size() << " bytes";
    }
}

} // namespace
} // namespace morvane::search
