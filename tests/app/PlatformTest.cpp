// The locale decision and the small system queries the program directory relies on.

#include "app/Platform.h"

#include "fakes/UniqueTempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using morvane::app::IsRussianLocale;

TEST(Platform, RussianLocaleIsDecidedByTheFirstNonEmptyVariable)
{
    const struct {
        const char* lcAll;
        const char* lcCtype;
        const char* lang;
        bool russian;
    } cases[] = {
        { "", "", "", false },
        { "", "", "ru_RU.UTF-8", true },
        { "", "", "ru", true },
        { "", "", "ru_UA.CP1251", true },
        { "", "", "en_US.UTF-8", false },
        { "", "", "C", false },
        { "", "", "POSIX", false },
        { "", "ru_RU.UTF-8", "en_US.UTF-8", true }, // LC_CTYPE before LANG
        { "", "en_US.UTF-8", "ru_RU.UTF-8", false }, // a set LC_CTYPE hides LANG
        { "ru_RU.KOI8-R", "en_US", "en_US", true }, // LC_ALL before everything
        { "C", "ru_RU.UTF-8", "ru_RU.UTF-8", false },
        { "", "", "RU_ru", false }, // locale names are case-sensitive
        { "", "", "r", false },
        { "", "", "rw_RW", false },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsRussianLocale(c.lcAll, c.lcCtype, c.lang), c.russian)
            << c.lcAll << " | " << c.lcCtype << " | " << c.lang;
    }
}

TEST(Platform, EnvironmentValueTellsUnsetFromEmpty)
{
    ::setenv("MORVANE_TEST_EMPTY", "", 1);
    ::setenv("MORVANE_TEST_SET", "value", 1);
    ::unsetenv("MORVANE_TEST_UNSET");
    EXPECT_EQ(morvane::app::EnvironmentValue("MORVANE_TEST_EMPTY"), std::string());
    EXPECT_EQ(morvane::app::EnvironmentValue("MORVANE_TEST_SET"), std::string("value"));
    EXPECT_EQ(morvane::app::EnvironmentValue("MORVANE_TEST_UNSET"), std::nullopt);
}

TEST(Platform, ExecutablePathIsThisTestProgram)
{
    const std::filesystem::path exe = morvane::app::ExecutablePath();
    ASSERT_TRUE(exe.is_absolute());
    EXPECT_EQ(exe.filename().string().rfind("test_app", 0), 0u) << exe;
    EXPECT_TRUE(std::filesystem::is_regular_file(exe));
}

TEST(Platform, DirectoryWritability)
{
    const std::filesystem::path dir = morvane::test::UniqueTempDir("morvane-writable");
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(morvane::app::IsDirectoryWritable(dir));
    EXPECT_FALSE(morvane::app::IsDirectoryWritable(dir / "missing"));
    EXPECT_FALSE(morvane::app::IsDirectoryWritable({}));
    if (::geteuid() != 0) {
        std::filesystem::permissions(
            dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_FALSE(morvane::app::IsDirectoryWritable(dir));
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
    }
    std::filesystem::remove_all(dir);
}
