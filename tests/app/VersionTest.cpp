// The version line and the build date's conversion from the compiler's form.

#include "app/Version.h"

#include <gtest/gtest.h>

using namespace morvane::app;

TEST(Version, CompilerDateBecomesIso)
{
    const struct {
        const char* compiler;
        const char* iso;
    } cases[] = {
        { "Jan  1 2025", "2025-01-01" }, // a one-digit day is padded with a blank
        { "Dec 31 1999", "1999-12-31" },
        { "Oct 10 2024", "2024-10-10" },
        { "Foo 10 2024", "Foo 10 2024" }, // unreadable texts stay as they are
        { "Oct 10 24", "Oct 10 24" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsoDateFromCompilerDate(c.compiler), c.iso) << c.compiler;
}

TEST(Version, LineNamesTheProgramAndTheProjectVersion)
{
    EXPECT_EQ(VersionLine("morvane-cli"), "morvane-cli " + std::string(VersionText()));
    // The build date of this very build reads as a date.
    const std::string date = BuildDateText();
    ASSERT_EQ(date.size(), 10u) << date;
    EXPECT_EQ(date[4], '-');
    EXPECT_EQ(date[7], '-');
}
