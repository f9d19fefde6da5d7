// The mask box's drop-down list.

#include "filepanel/MaskHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using morvane::filepanel::MaskHistory;

namespace {

const std::vector<std::string> kFixed { "*.*", "*.htm", "*.txt", "*.rtf", "*.txt;*.rtf;*.htm" };

TEST(MaskHistoryTest, StartsWithTheFiveFixedEntries)
{
    EXPECT_EQ(MaskHistory().items(), kFixed);
}

TEST(MaskHistoryTest, InsertsNewMasksRightAfterTheFixedEntries)
{
    MaskHistory history;
    EXPECT_TRUE(history.enter("*.log"));
    EXPECT_TRUE(history.enter("*.cpp;*.h"));
    std::vector<std::string> expected = kFixed;
    expected.insert(expected.end(), { "*.cpp;*.h", "*.log" });
    EXPECT_EQ(history.items(), expected);
}

TEST(MaskHistoryTest, IgnoresTheDefaultEmptyAndKnownTexts)
{
    MaskHistory history;
    history.enter("*.log");
    const std::vector<std::string> before = history.items();
    for (const char* text : { "*.*", "", "*.log", "*.LOG", "*.HTM" })
        EXPECT_FALSE(history.enter(text)) << text;
    EXPECT_EQ(history.items(), before);
}

TEST(MaskHistoryTest, KeepsAtMostTwentyOneEntries)
{
    MaskHistory history;
    for (int i = 1; i <= 16; ++i)
        history.enter("*." + std::to_string(i));
    ASSERT_EQ(history.items().size(), 21u);
    EXPECT_EQ(history.items()[5], "*.16");
    EXPECT_EQ(history.items()[20], "*.1");

    // The 22nd entry pushes out the oldest, the last one.
    EXPECT_TRUE(history.enter("*.log"));
    ASSERT_EQ(history.items().size(), 21u);
    EXPECT_EQ(history.items()[5], "*.log");
    EXPECT_EQ(history.items()[6], "*.16");
    EXPECT_EQ(history.items()[20], "*.2");
    EXPECT_EQ(std::vector<std::string>(history.items().begin(), history.items().begin() + 5), kFixed);
}

TEST(MaskHistoryTest, AShortPersistedListGrowsAtItsEnd)
{
    MaskHistory history({ "*.*", "*.htm" });
    history.enter("*.log");
    EXPECT_EQ(history.items(), (std::vector<std::string> { "*.*", "*.htm", "*.log" }));
}

} // namespace
