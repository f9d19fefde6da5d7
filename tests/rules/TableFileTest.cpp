// Rule lines, table files and the memo conversion.

#include "rules/TableFile.h"

#include "fakes/FileBytes.h"
#include "fakes/UniqueTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace morvane::rules;

namespace {

class TempDir : public morvane::test::ScopedTempDir {
public:
    TempDir()
        : ScopedTempDir("morvane-rules")
    {
    }
};

using morvane::test::ReadFileBytes;
using morvane::test::WriteFileBytes;

} // namespace

TEST(RuleLine, ParseSplitsAtTheFirstTwoTabs)
{
    const struct {
        std::string line;
        Rule rule;
    } cases[] = {
        { "", { "", "", "" } },
        { "a", { "a", "", "" } },
        { "a\tb", { "a", "b", "" } },
        { "a\tb\tc", { "a", "b", "c" } },
        { "a\tb\tc\td", { "a", "b", "c\td" } },
        { "\t\t", { "", "", "" } },
        { "\t\t\t", { "", "", "\t" } },
        { "(?sg)(<[^<!]*?>)\tPurple;;8\tcolor <*>", { "(?sg)(<[^<!]*?>)", "Purple;;8", "color <*>" } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseRuleLine(c.line), c.rule) << testing::PrintToString(c.line);
}

TEST(RuleLine, FormatAlwaysWritesTwoTabs)
{
    EXPECT_EQ(FormatRuleLine({ "a", "", "" }), "a\t\t");
    EXPECT_EQ(FormatRuleLine({ "", "", "" }), "\t\t");
    // A four-field line survives a parse and format unchanged.
    EXPECT_EQ(FormatRuleLine(ParseRuleLine("x\ty\tz\tw")), "x\ty\tz\tw");
}

TEST(RuleLine, MemoConversionEscapesOnlyTabCrLf)
{
    EXPECT_EQ(MemoToField("a\tb\r\nc\\d"), "a\\tb\\r\\nc\\d");
    EXPECT_EQ(MemoToField("\\n"), "\\n"); // an existing backslash stays single
    EXPECT_EQ(MemoToField(""), "");
}

TEST(TableFile, ReadsEveryLineEndAndRoundTripsByteForByte)
{
    TempDir dir;
    const fs::path file = dir.path() / "mixed.tbl";
    WriteFileBytes(file, "one\r\ntwo\tb\rthree\ta\tc\td\n\nlast");
    LineList lines;
    ASSERT_FALSE(ReadTableFile(file, lines));
    EXPECT_EQ(lines, (LineList { "one", "two\tb", "three\ta\tc\td", "", "last" }));

    // Written as it stands: every line ended by CR LF.
    const fs::path out = dir.path() / "out.tbl";
    ASSERT_FALSE(WriteTableFile(out, lines));
    EXPECT_EQ(ReadFileBytes(out), "one\r\ntwo\tb\r\nthree\ta\tc\td\r\n\r\nlast\r\n");

    // Through the grid form: every line gets its two TABs, the four-field line is unchanged.
    const fs::path grid = dir.path() / "grid.tbl";
    ASSERT_FALSE(WriteTableFile(grid, RulesToLines(LinesToRules(lines))));
    EXPECT_EQ(ReadFileBytes(grid), "one\t\t\r\ntwo\tb\t\r\nthree\ta\tc\td\r\n\t\t\r\nlast\t\t\r\n");

    // A CR LF file written by the program reads back to the same lines and bytes.
    LineList again;
    ASSERT_FALSE(ReadTableFile(grid, again));
    const fs::path copy = dir.path() / "copy.tbl";
    ASSERT_FALSE(WriteTableFile(copy, again));
    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(grid));
}

TEST(TableFile, EmptyFileIsAnEmptyTableAndBack)
{
    TempDir dir;
    const fs::path file = dir.path() / "empty.tbl";
    WriteFileBytes(file, "");
    LineList lines { "stale" };
    ASSERT_FALSE(ReadTableFile(file, lines));
    EXPECT_TRUE(lines.empty());
    ASSERT_FALSE(WriteTableFile(file, lines));
    EXPECT_EQ(ReadFileBytes(file), "");
}

TEST(TableFile, HighBytesAndNulArePreserved)
{
    TempDir dir;
    const fs::path file = dir.path() / "bytes.tbl";
    std::string line;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            line += static_cast<char>(b);
    ASSERT_FALSE(WriteTableFile(file, { line }));
    LineList lines;
    ASSERT_FALSE(ReadTableFile(file, lines));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], line);
}

TEST(TableFile, FailuresGiveTheStandardTextsAndChangeNothing)
{
    TempDir dir;
    LineList lines { "kept" };
    const fs::path missing = dir.path() / "missing.tbl";
    const auto readError = ReadTableFile(missing, lines);
    ASSERT_TRUE(readError);
    EXPECT_EQ(readError->message, "Cannot open file \"" + missing.string() + "\". No such file or directory");
    EXPECT_EQ(lines, LineList { "kept" });

    const fs::path noDir = dir.path() / "no" / "such" / "dir.tbl";
    const auto writeError = WriteTableFile(noDir, lines);
    ASSERT_TRUE(writeError);
    EXPECT_EQ(writeError->message.rfind("Cannot create file \"" + noDir.string() + "\". ", 0), 0u);

    const auto dirError = ReadTableFile(dir.path(), lines);
    ASSERT_TRUE(dirError);
    EXPECT_EQ(dirError->message.rfind("Cannot open file", 0), 0u);
    EXPECT_EQ(lines, LineList { "kept" });
}

TEST(TableFile, UnreadableFileKeepsTheTable)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads files whatever their permission bits";
    TempDir dir;
    const fs::path file = dir.path() / "locked.tbl";
    WriteFileBytes(file, "a\r\n");
    fs::permissions(file, fs::perms::none);
    LineList lines { "kept" };
    EXPECT_TRUE(ReadTableFile(file, lines));
    EXPECT_EQ(lines, LineList { "kept" });
}
