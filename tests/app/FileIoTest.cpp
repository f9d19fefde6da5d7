// Whole-file reading and writing: round trip, the standard failure texts, nothing left behind
// by a failed write, the old contents surviving it, and permission bits.

#include "app/FileIo.h"

#include "codepage/CodePage.h"

#include "fakes/UniqueTempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using morvane::app::ReadWholeFile;
using morvane::app::WriteWholeFile;

namespace {

class FileIo : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = morvane::test::UniqueTempDir("morvane-fileio");
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string allBytes()
    {
        std::string bytes;
        for (int i = 0; i < 256; ++i)
            bytes += static_cast<char>(i);
        return bytes + std::string("\r\n\r\r\n\0end", 10);
    }

    fs::path m_dir;
};

} // namespace

TEST_F(FileIo, RoundTripOfEveryByte)
{
    const fs::path path = m_dir / "data.bin";
    for (const std::string& bytes : { allBytes(), std::string(), std::string(200000, '\xE9') }) {
        ASSERT_EQ(WriteWholeFile(path, bytes), std::nullopt);
        std::string back = "stale";
        ASSERT_EQ(ReadWholeFile(path, back), std::nullopt);
        EXPECT_EQ(back, bytes);
    }
    EXPECT_EQ(entries(), std::vector<std::string> { "data.bin" }); // no temporary left over
}

TEST_F(FileIo, ReadingAMissingFileGivesTheOpenText)
{
    const fs::path path = m_dir / "absent.txt";
    std::string bytes = "untouched";
    const auto error = ReadWholeFile(path, bytes);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message,
        "Cannot open file \"" + path.string() + "\". "
            + morvane::codepage::Utf8ToWin1251(std::strerror(ENOENT)));
    EXPECT_EQ(bytes, "untouched");
}

TEST_F(FileIo, ReadingADirectoryFails)
{
    std::string bytes = "untouched";
    const auto error = ReadWholeFile(m_dir, bytes);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message,
        "Cannot open file \"" + m_dir.string() + "\". "
            + morvane::codepage::Utf8ToWin1251(std::strerror(EISDIR)));
    EXPECT_EQ(bytes, "untouched");
}

TEST_F(FileIo, ReadingAnUnreadableFileFails)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads files whatever their permission bits";
    const fs::path path = m_dir / "secret.txt";
    ASSERT_EQ(WriteWholeFile(path, "x"), std::nullopt);
    fs::permissions(path, fs::perms::none);
    std::string bytes;
    const auto error = ReadWholeFile(path, bytes);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->message.find(std::strerror(EACCES)), std::string::npos);
}

TEST_F(FileIo, PathInTheMessageIsProgramText)
{
    const fs::path path = m_dir / "нет.txt"; // UTF-8 on disk, Windows-1251 in the message
    std::string bytes;
    const auto error = ReadWholeFile(path, bytes);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->message.find(morvane::codepage::Utf8ToWin1251("нет.txt")), std::string::npos);
}

TEST_F(FileIo, ADirectoryOpenerReadsWhatThePlainReadDoes)
{
    // Same names in several directories, a directory left and come back to, a name that only
    // extends another directory's, and failures: each read through one opener must give the
    // bytes or the error of the plain read of that path.
    for (const char* dir : { "a", "b", "ab" })
        fs::create_directories(m_dir / dir);
    ASSERT_EQ(WriteWholeFile(m_dir / "a" / "x", "a/x"), std::nullopt);
    ASSERT_EQ(WriteWholeFile(m_dir / "a" / "y", "a/y longer"), std::nullopt);
    ASSERT_EQ(WriteWholeFile(m_dir / "b" / "x", "b/x"), std::nullopt);
    ASSERT_EQ(WriteWholeFile(m_dir / "ab" / "x", "ab/x"), std::nullopt);
    ASSERT_EQ(WriteWholeFile(m_dir / "top", "top"), std::nullopt);
    const fs::path paths[] = { m_dir / "a" / "x", m_dir / "a" / "y", m_dir / "b" / "x", m_dir / "a" / "x",
        m_dir / "ab" / "x", m_dir / "c" / "x", m_dir / "a" / "absent", m_dir / "a", m_dir / "top",
        m_dir / "b" / "x" };
    morvane::app::DirectoryOpener opener;
    for (const fs::path& path : paths) {
        SCOPED_TRACE(path.string());
        std::string plain = "before";
        std::string opened = "before";
        const auto plainError = ReadWholeFile(path, plain);
        const auto openedError = ReadWholeFile(path, opened, opener);
        ASSERT_EQ(openedError.has_value(), plainError.has_value());
        if (plainError) {
            EXPECT_EQ(openedError->message, plainError->message);
        }
        EXPECT_EQ(opened, plain);
    }
}

TEST_F(FileIo, WritingIntoAMissingDirectoryLeavesNothing)
{
    const fs::path path = m_dir / "no-such-dir" / "out.txt";
    const auto error = WriteWholeFile(path, "data");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message,
        "Cannot create file \"" + path.string() + "\". "
            + morvane::codepage::Utf8ToWin1251(std::strerror(ENOENT)));
    EXPECT_TRUE(entries().empty());
}

TEST_F(FileIo, WritingOverADirectoryFailsAndKeepsIt)
{
    const fs::path path = m_dir / "sub";
    fs::create_directory(path);
    const auto error = WriteWholeFile(path, "data");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message.rfind("Cannot create file \"" + path.string() + "\". ", 0), 0u);
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(entries(), std::vector<std::string> { "sub" });
}

TEST_F(FileIo, FailedWriteKeepsTheOldContents)
{
    // A file size limit makes the write itself fail midway (EFBIG), as a full disk would.
    const fs::path path = m_dir / "keep.txt";
    ASSERT_EQ(WriteWholeFile(path, "old contents"), std::nullopt);

    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto error = WriteWholeFile(path, std::string(100000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message.rfind("Cannot create file \"" + path.string() + "\". ", 0), 0u);
    EXPECT_NE(error->message.find(morvane::codepage::Utf8ToWin1251(std::strerror(EFBIG))), std::string::npos);
    std::string back;
    ASSERT_EQ(ReadWholeFile(path, back), std::nullopt);
    EXPECT_EQ(back, "old contents");
    EXPECT_EQ(entries(), std::vector<std::string> { "keep.txt" });
}

TEST_F(FileIo, PermissionBitsOfAnExistingFileAreKept)
{
    const fs::path path = m_dir / "mode.txt";
    for (const fs::perms mode : { fs::perms(0640), fs::perms(0755), fs::perms(0600), fs::perms(0444) }) {
        ASSERT_EQ(WriteWholeFile(path, "first"), std::nullopt);
        fs::permissions(path, mode);
        ASSERT_EQ(WriteWholeFile(path, "second"), std::nullopt) << std::oct << int(mode);
        EXPECT_EQ(fs::status(path).permissions(), mode) << std::oct << int(mode);
        std::string back;
        ASSERT_EQ(ReadWholeFile(path, back), std::nullopt);
        EXPECT_EQ(back, "second");
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
        fs::remove(path);
    }
}

TEST_F(FileIo, NewFileGetsTheUmaskMode)
{
    const mode_t old = ::umask(027);
    const auto error = WriteWholeFile(m_dir / "new.txt", "x");
    ::umask(old);
    ASSERT_EQ(error, std::nullopt);
    EXPECT_EQ(fs::status(m_dir / "new.txt").permissions(), fs::perms(0640));
}

TEST_F(FileIo, ExistingFileInAnUnwritableDirectoryIsNeverRewrittenInPlace)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may create files in any directory";
    const fs::path path = m_dir / "inplace.txt";
    ASSERT_EQ(WriteWholeFile(path, "old"), std::nullopt);
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
    const auto error = WriteWholeFile(path, "new");
    fs::permissions(m_dir, fs::perms::owner_all);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message.rfind("Cannot create file \"" + path.string() + "\". ", 0), 0u) << error->message;
    std::string back;
    ASSERT_EQ(ReadWholeFile(path, back), std::nullopt);
    EXPECT_EQ(back, "old");
}

TEST_F(FileIo, WritingThroughASymbolicLinkKeepsTheLink)
{
    const fs::path target = m_dir / "real.ini";
    const fs::path link = m_dir / "link.ini";
    ASSERT_EQ(WriteWholeFile(target, "old"), std::nullopt);
    fs::create_symlink("real.ini", link);
    ASSERT_EQ(WriteWholeFile(link, "new"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(link));
    std::string back;
    ASSERT_EQ(ReadWholeFile(target, back), std::nullopt);
    EXPECT_EQ(back, "new");
    EXPECT_EQ(entries(), (std::vector<std::string> { "link.ini", "real.ini" }));
}

TEST_F(FileIo, FailureThroughALinkNamesThePathTheCallerGave)
{
    const fs::path dirLink = m_dir / "dirlink";
    fs::create_directory(m_dir / "realdir");
    fs::create_directory_symlink("realdir", dirLink);
    const auto error = WriteWholeFile(dirLink, "x");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message.rfind("Cannot create file \"" + dirLink.string() + "\". ", 0), 0u)
        << error->message;
}
