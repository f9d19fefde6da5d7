// The durable write: short hidden temporary names (a 255-byte target name works), and stale
// temporary files of dead writers removed while live ones stay.

#include "app/DurableWrite.h"
#include "app/FileIo.h"

#include "fakes/UniqueTempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace morvane::app;

namespace {

class DurableWrite : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = morvane::test::UniqueTempDir("morvane-durable");
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const auto& entry : fs::directory_iterator(m_dir))
            out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    fs::path m_dir;
};

TEST(DurableWriteNames, TemporaryNamesAreRecognisedExactly)
{
    const struct {
        const char* name;
        bool temporary;
    } rows[] = {
        { ".mv-a1B2c3", true },
        { ".mv-a1B2c", false },
        { ".mv-a1B2c34", false },
        { "mv-a1B2c3x", false },
        { ".mv-a1.2c3", false },
        { ".hidden", false },
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsTemporaryName(row.name), row.temporary) << row.name;
}

TEST_F(DurableWrite, LongestNamesCanBeWritten)
{
    for (const size_t length : { 241, 250, 255 }) {
        const fs::path target = m_dir / std::string(length, 'n');
        std::ofstream(target) << "old";
        ASSERT_EQ(WriteFileDurably(target, "new", 0644), 0) << length;
        std::string bytes;
        ASSERT_FALSE(ReadWholeFile(target, bytes));
        EXPECT_EQ(bytes, "new");
        fs::remove(target);
    }
    EXPECT_TRUE(names().empty());
}

TEST_F(DurableWrite, StaleTemporariesGoLiveOnesStay)
{
    std::ofstream(m_dir / ".mv-dead01") << "left by a killed run";
    std::ofstream(m_dir / ".mv-other") << "not ours: wrong length";
    std::ofstream(m_dir / "a.txt") << "a";
    PendingFile live;
    ASSERT_EQ(live.create(m_dir / "a.txt", "new a", 0644), 0);
    EXPECT_EQ(RemoveStaleTemporaries(m_dir), 1);
    std::vector<std::string> expected { ".mv-other", live.tempPath().filename().string(), "a.txt" };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names(), expected);
    ASSERT_EQ(live.commit(), 0);
    EXPECT_EQ(names(), (std::vector<std::string> { ".mv-other", "a.txt" }));
}

} // namespace
