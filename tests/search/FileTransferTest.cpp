// The file system steps under the file commands: complete copies, moves that never lose the
// only copy, deletes that never touch directories, and the path relations the commands rely on.

#include "search/FileTransfer.h"
#include "fakes/FileBytes.h"
#include "fakes/UniqueTempDir.h"
#include "search/FileOperations.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace morvane::test {
namespace {

namespace fs = std::filesystem;
using search::CopyFileComplete;
using search::CreateDirectoryStep;
using search::CreateDirResult;
using search::MoveFileComplete;
using search::MoveResult;

// No temporary file of a copy may stay behind, whatever the outcome.
void ExpectOnlyEntries(const fs::path& dir, std::set<std::string> names)
{
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir))
        found.insert(entry.path().filename().string());
    EXPECT_EQ(found, names) << dir;
}

TEST(FileTransferTest, CopyKeepsBytesPermissionsAndTime)
{
    ScopedTempDir temp("transfer");
    const std::string bytes = std::string("\0\r\n\xff", 4) + std::string(200000, 'x');
    const fs::path source = temp.path() / "s.bin";
    WriteFileBytes(source, bytes);
    ::chmod(source.c_str(), 0640);
    const fs::file_time_type old = fs::last_write_time(source) - std::chrono::hours(30);
    fs::last_write_time(source, old);

    ASSERT_EQ(CopyFileComplete(source, temp.path() / "t.bin"), 0);
    EXPECT_EQ(ReadFileBytes(temp.path() / "t.bin"), bytes);
    EXPECT_EQ(fs::status(temp.path() / "t.bin").permissions(), fs::status(source).permissions());
    EXPECT_EQ(fs::last_write_time(temp.path() / "t.bin"), old);
    ExpectOnlyEntries(temp.path(), { "s.bin", "t.bin" });
}

TEST(FileTransferTest, CopyReplacesAnExistingTargetWhole)
{
    ScopedTempDir temp("transfer");
    WriteFileBytes(temp.path() / "s", "new");
    WriteFileBytes(temp.path() / "t", "a much longer old content");
    ASSERT_EQ(CopyFileComplete(temp.path() / "s", temp.path() / "t"), 0);
    EXPECT_EQ(ReadFileBytes(temp.path() / "t"), "new");
}

TEST(FileTransferTest, CopyFailuresChangeNothing)
{
    ScopedTempDir temp("transfer");
    const fs::path s = temp.path() / "s";
    WriteFileBytes(s, "keep");
    fs::create_directory(temp.path() / "dir");
    fs::create_symlink(s, temp.path() / "link");
    ASSERT_EQ(::mkfifo((temp.path() / "fifo").c_str(), 0600), 0);

    struct Case {
        const char* what;
        fs::path source;
        fs::path target;
        int err;
    } cases[] = {
        { "onto itself", s, s, EINVAL },
        { "onto itself through a link", s, temp.path() / "link", EINVAL },
        { "onto a directory", s, temp.path() / "dir", EISDIR },
        { "from a directory", temp.path() / "dir", temp.path() / "x", EISDIR },
        { "from a named pipe", temp.path() / "fifo", temp.path() / "x", EINVAL },
        { "from nothing", temp.path() / "missing", temp.path() / "x", ENOENT },
        { "into a missing directory", s, temp.path() / "no" / "x", ENOENT },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CopyFileComplete(c.source, c.target), c.err);
        EXPECT_EQ(ReadFileBytes(s), "keep");
    }
    ExpectOnlyEntries(temp.path(), { "s", "dir", "link", "fifo" });
    EXPECT_TRUE(fs::is_empty(temp.path() / "dir"));
}

TEST(FileTransferTest, MoveRenamesAndNeverMovesAFileOntoItself)
{
    ScopedTempDir temp("transfer");
    const fs::path s = temp.path() / "s";
    WriteFileBytes(s, "payload");
    fs::create_hard_link(s, temp.path() / "hard");

    EXPECT_EQ(MoveFileComplete(s, s), MoveResult::Failed);
    // Two names of one file: moving one onto the other would leave a single name.
    EXPECT_EQ(MoveFileComplete(s, temp.path() / "hard"), MoveResult::Failed);
    EXPECT_EQ(ReadFileBytes(s), "payload");

    WriteFileBytes(temp.path() / "old", "replaced");
    EXPECT_EQ(MoveFileComplete(s, temp.path() / "old"), MoveResult::Moved);
    EXPECT_FALSE(fs::exists(s));
    EXPECT_EQ(ReadFileBytes(temp.path() / "old"), "payload");

    EXPECT_EQ(MoveFileComplete(temp.path() / "missing", temp.path() / "y"), MoveResult::Failed);
    EXPECT_FALSE(fs::exists(temp.path() / "y"));
}

TEST(FileTransferTest, CreateDirectoryStepTellsCreatedFromExisting)
{
    ScopedTempDir temp("transfer");
    WriteFileBytes(temp.path() / "file", "x");
    EXPECT_EQ(CreateDirectoryStep(temp.path() / "new"), CreateDirResult::Created);
    EXPECT_EQ(CreateDirectoryStep(temp.path() / "new"), CreateDirResult::Existed);
    errno = 0;
    EXPECT_EQ(CreateDirectoryStep(temp.path() / "file"), CreateDirResult::Failed);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(CreateDirectoryStep(temp.path() / "a" / "b"), CreateDirResult::Failed);
    EXPECT_EQ(errno, ENOENT);
}

TEST(FileTransferTest, ListDirectoryShowsHiddenEntriesAndLinkKinds)
{
    ScopedTempDir temp("transfer");
    fs::create_directory(temp.path() / "sub");
    WriteFileBytes(temp.path() / ".hidden", "x");
    fs::create_directory_symlink(temp.path() / "sub", temp.path() / "link");
    bool ok = false;
    std::map<std::string, std::pair<bool, bool>> kinds;
    for (const search::DirectoryEntry& e : search::ListDirectory(temp.path(), ok))
        kinds[e.name.string()] = { e.directory, e.symlink };
    EXPECT_TRUE(ok);
    const std::map<std::string, std::pair<bool, bool>> expected { { ".hidden", { false, false } },
        { "link", { false, true } }, { "sub", { true, false } } };
    EXPECT_EQ(kinds, expected);

    search::ListDirectory(temp.path() / "missing", ok);
    EXPECT_FALSE(ok);
}

TEST(FileTransferTest, PathRelations)
{
    struct Case {
        const char* inner;
        const char* outer;
        bool below;
    } cases[] = {
        { "/a/b", "/a/b", true },
        { "/a/b/c", "/a/b", true },
        { "/a/b/c", "/a/b/", true },
        { "/a/bc", "/a/b", false },
        { "/a", "/a/b", false },
        { "/a/b/../c", "/a/b", false },
        { "/a/c/../b/x", "/a/b", true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(search::IsSameOrBelow(c.inner, c.outer), c.below) << c.inner << " in " << c.outer;

    struct RelCase {
        const char* file;
        const char* dir;
        const char* relative; // nullptr: not below
    } rel[] = {
        { "/w/s/a.txt", "/w", "s/a.txt" },
        { "/w/b.txt", "/w/", "b.txt" },
        { "/w/b.txt", "/", "w/b.txt" },
        { "/wx/b.txt", "/w", nullptr },
        { "/w", "/w", nullptr },
        { "/v/b.txt", "/w", nullptr },
    };
    for (const RelCase& c : rel) {
        const std::optional<fs::path> got = search::RelativeBelow(c.file, c.dir);
        if (c.relative)
            EXPECT_EQ(got, std::optional<fs::path>(c.relative)) << c.file;
        else
            EXPECT_FALSE(got) << c.file << " -> " << got->string();
    }
}

} // namespace
} // namespace morvane::test
