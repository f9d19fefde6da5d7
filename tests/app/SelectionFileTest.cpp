// "Selected.dat": every line end on reading, CR LF after every name on writing.

#include "app/SelectionFile.h"

#include "fakes/UniqueTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using morvane::app::ParseSelection;
using morvane::app::SelectionText;
using Names = std::vector<std::string>;

TEST(SelectionFile, Parse)
{
    const struct {
        std::string text;
        Names names;
    } cases[] = {
        { "", {} },
        { "a.txt", { "a.txt" } }, // no ending on the last line
        { "a.txt\r\n", { "a.txt" } },
        { "a\r\nb\rc\nd", { "a", "b", "c", "d" } },
        { "a\r\r\nb", { "a", "b" } }, // lone CR then CR LF: the empty line goes
        { "\r\n\r\n", {} },
        { "\n\na\n\n", { "a" } },
        { " lead and trail \r\n", { " lead and trail " } }, // blanks belong to the name
        { "dir\r\ndir\r\nDIR\r\n", { "dir", "DIR" } }, // repeats dropped, case kept apart
        { "\xC4\xEE\xEA\xF3\xEC\xE5\xED\xF2\xFB\r\n", { "\xC4\xEE\xEA\xF3\xEC\xE5\xED\xF2\xFB" } },
        { "tab\there\r\n", { "tab\there" } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseSelection(c.text), c.names) << testing::PrintToString(c.text);
}

TEST(SelectionFile, Write)
{
    EXPECT_EQ(SelectionText({}), "");
    EXPECT_EQ(SelectionText({ "a" }), "a\r\n");
    EXPECT_EQ(SelectionText({ "a", "b c", "d" }), "a\r\nb c\r\nd\r\n");
}

TEST(SelectionFile, FileRoundTripAndEmptyList)
{
    const std::filesystem::path dir = morvane::test::UniqueTempDir("morvane-selection");
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::filesystem::path path = dir / "Selected.dat";

    const Names names { "one.txt", "sub dir", "\xE8\xec\xff" };
    ASSERT_EQ(morvane::app::SaveSelectionFile(path, names), std::nullopt);
    Names back { "stale" };
    ASSERT_EQ(morvane::app::LoadSelectionFile(path, back), std::nullopt);
    EXPECT_EQ(back, names);

    ASSERT_EQ(morvane::app::SaveSelectionFile(path, {}), std::nullopt);
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    ASSERT_EQ(morvane::app::LoadSelectionFile(path, back), std::nullopt);
    EXPECT_TRUE(back.empty());

    // A file that cannot be read leaves the list as it was.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    Names kept { "kept" };
    const auto error = morvane::app::LoadSelectionFile(path, kept);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message.rfind("Cannot open file \"", 0), 0u);
    EXPECT_EQ(kept, Names { "kept" });
    std::filesystem::remove_all(dir);
}
