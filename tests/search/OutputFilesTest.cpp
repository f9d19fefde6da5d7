// The collecting file (overwrite, append, no separator, failed writes cut back) and the
// file-split output files (code page, overwrite without asking, failures).

#include "TempTree.h"
#include "codepage/CodePage.h"
#include "search/OutputCollectingFile.h"
#include "search/OutputTextFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace morvane::search;
using morvane::test::TempTree;

namespace {

std::string Read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

} // namespace

TEST(OutputCollectingFile, OverwriteEmptiesAppendKeeps)
{
    TempTree tree;
    tree.file("out.txt", "old;");
    const struct {
        bool append;
        std::string expected;
    } cases[] = {
        { true, "old;bc" },
        { false, "bc" },
    };
    for (const auto& c : cases) {
        tree.file("out.txt", "old;");
        OutputCollectingFile file;
        ASSERT_FALSE(file.open(tree / "out.txt", c.append));
        EXPECT_TRUE(file.isOpen());
        // Replacements follow one another with no separator, and reach the disk at once.
        ASSERT_FALSE(file.append("b"));
        ASSERT_FALSE(file.append(""));
        ASSERT_FALSE(file.append("c"));
        EXPECT_EQ(Read(tree / "out.txt"), c.expected) << c.append;
    }
}

TEST(OutputCollectingFile, FailuresAreReportedWithTheCreateText)
{
    TempTree tree;
    OutputCollectingFile file;
    const auto openError = file.open(tree / "missing" / "out.txt", false);
    ASSERT_TRUE(openError);
    EXPECT_TRUE(StartsWith(openError->message, "Cannot create file \"")) << openError->message;
    EXPECT_FALSE(file.isOpen());
    EXPECT_TRUE(file.append("x")) << "appending to nothing must fail";

    // A device that is always full: the write fails and is reported.
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    ASSERT_FALSE(file.open("/dev/full", true));
    const auto writeError = file.append(std::string(70000, 'x'));
    ASSERT_TRUE(writeError);
    EXPECT_TRUE(StartsWith(writeError->message, "Cannot create file \"/dev/full\"")) << writeError->message;
}

TEST(OutputTextFile, WrittenInTheChosenCodePageOverwritingWithoutAsking)
{
    TempTree tree;
    const std::string text = morvane::codepage::Utf8ToWin1251("Привет");
    tree.file("a_0.txt", "a much longer old content");
    const struct {
        int codePage;
        std::string expected;
    } cases[] = {
        { morvane::codepage::kWin1251, text },
        { morvane::codepage::kKoi8r, morvane::codepage::ConvertText(text, 0, 1) },
        { morvane::codepage::kDos866, morvane::codepage::ConvertText(text, 0, 2) },
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(WriteOutputTextFile(text, tree / "a_0.txt", c.codePage));
        EXPECT_EQ(Read(tree / "a_0.txt"), c.expected) << c.codePage;
    }
    EXPECT_NE(cases[1].expected, text);
}

TEST(OutputTextFile, AFailedWriteLeavesNothingHalfWritten)
{
    TempTree tree;
    const auto error = WriteOutputTextFile("x", tree / "no" / "a_0.txt", 0);
    ASSERT_TRUE(error);
    EXPECT_TRUE(StartsWith(error->message, "Cannot create file \"")) << error->message;
    EXPECT_FALSE(std::filesystem::exists(tree / "no"));
}
