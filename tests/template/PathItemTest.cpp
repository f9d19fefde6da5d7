// The path item \P and the name item \F: selectors, the "/" option, roots, relative and bare
// paths, Cyrillic names, case, widths and fallbacks.

#include "TemplateTestSupport.h"

#include <gtest/gtest.h>

using morvane::test::EvaluateUtf8;
using morvane::test::FakeGroups;
namespace templ = morvane::templ;

namespace {

struct PathCase {
    const char* path; // UTF-8, as the file system gives it
    const char* templateText;
    const char* expected;
};

void runCases(const char* title, std::initializer_list<PathCase> cases)
{
    const auto groups = FakeGroups({ "Whole", "abc" });
    for (const auto& c : cases) {
        EXPECT_EQ(EvaluateUtf8(c.templateText, groups, {}, c.path), c.expected)
            << title << ": " << c.path << " " << c.templateText;
    }
}

constexpr const char* kNested = "/data/Sub/a.b.txt";

} // namespace

TEST(PathItem, SelectorsOfANestedPath)
{
    runCases("nested",
        {
            { kNested, "\\P", "/data/Sub" },
            { kNested, "\\P{F,/}", "/data/Sub" },
            { kNested, "\\P{}", "/data/Sub" },
            { kNested, "\\P{,/}", "/data/Sub" },
            { kNested, "\\P{,,/}", "/data/Sub" }, // a comma right after "{" stands for the F
            { kNested, "\\P{P}", "/data/Sub" }, // no drive to drop
            { kNested, "\\P{N}", "Sub" },
            { kNested, "\\P{N,/\\}", "Sub" },
            { kNested, "\\P{D}", "" },
            { kNested, "\\P{R}", "/" },
            { kNested, "\\F", "a.b.txt" },
            { kNested, "\\F{}", "a.b.txt" },
            { kNested, "\\F{N}", "a.b" },
            { kNested, "\\F{E}", "txt" },
            { kNested, "[\\P/\\F]", "[/data/Sub/a.b.txt]" },
        });
}

TEST(PathItem, RootRelativeAndBarePaths)
{
    runCases("shapes",
        {
            { "/a.txt", "\\P", "/" }, // a root directory keeps its separator
            { "/a.txt", "\\P{N}", "" },
            { "/a.txt", "\\P{R}", "/" },
            { "/a.txt", "\\F", "a.txt" },
            { "sub/dir/a.txt", "\\P", "sub/dir" },
            { "sub/dir/a.txt", "\\P{N}", "dir" },
            { "sub/dir/a.txt", "\\P{R}", "" },
            { "a.txt", "\\P", "" },
            { "a.txt", "\\P{R}", "" },
            { "a.txt", "\\F", "a.txt" },
            { "", "<\\P|\\F|\\F{E}>", "<||>" },
            { "/data/README", "\\F{N}|\\F{E}", "README|" },
            { "/home/u/.profile", "\\F{N}|\\F{E}", "|profile" },
            { "/data/a.", "\\F{N}|\\F{E}", "a|" },
        });
}

TEST(PathItem, CyrillicPathsAreConvertedToTheProgramsCodePage)
{
    runCases("cyrillic",
        {
            { "/home/Пётр/Документы/отчёт.txt", "\\P", "/home/Пётр/Документы" },
            { "/home/Пётр/Документы/отчёт.txt", "\\P{N}", "Документы" },
            { "/home/Пётр/Документы/отчёт.txt", "\\U\\F{N}", "ОТЧЁТ" },
            { "/home/Пётр/Документы/отчёт.txt", "\\I\\P{N}", "дОКУМЕНТЫ" },
            { "/home/Пётр/Документы/отчёт.txt", "\\P{N}-{L,11,,.}", "Документы.." },
        });
    // The converted bytes, not merely something that converts back.
    const auto groups = FakeGroups({});
    EXPECT_EQ(templ::EvaluateTemplate("\\F", groups, {}, "/d/\xd0\xaf.txt"), "\xdf.txt");
}

TEST(PathItem, CaseApplyBeforeTheSelector)
{
    runCases("case",
        {
            { kNested, "\\U\\F", "A.B.TXT" },
            { kNested, "\\U\\P{N}", "SUB" },
            { kNested, "\\L\\P", "/data/sub" },
            { kNested, "\\u\\F{E}", "txt" }, // the capital went to the name's first character
            { kNested, "\\u\\F", "A.b.txt" },
            { kNested, "\\u\\P{N}x", "Subx" }, // the directory's "/" consumed the waiting case
            { "", "\\u\\P$1", "abc" }, // consumed even when the directory is empty
            { "", "\\u\\F$1", "abc" },
        });
}

TEST(PathItem, SlashOptionTurnsBackslashesIntoSlashes)
{
    runCases("slashes",
        {
            { "/data/a\\b/x.txt", "\\P{N}", "a\\b" },
            { "/data/a\\b/x.txt", "\\P{N,/}", "a/b" },
            { "/data/a\\b/x.txt", "\\P{/}", "/data/a/b" },
        });
}

TEST(PathItem, WidthModifiers)
{
    runCases("width",
        {
            { kNested, "\\P-{,4,L}", "/Sub" },
            { kNested, "\\P{N}-{L,5,,_}", "Sub__" },
            { kNested, "\\F{N}-{,5}", "  a.b" },
            { kNested, "\\F-{,3}-{C,5,,*}", "*a.b*" },
            { kNested, "\\P{D}-{,2,,d}", "dd" },
        });
}

TEST(PathItem, MalformedBracesAreText)
{
    runCases("fallbacks",
        {
            { kNested, "\\P{X}", "/data/Sub{X}" },
            { kNested, "\\P{P", "/data/Sub{P" },
            { kNested, "\\P{N", "Sub{N" }, // the N fallback shows the last component
            { kNested, "\\P{N-{,5}", "Sub{N-{,5}" }, // and takes no width modifier
            { kNested, "\\P{F,/x}", "/data/Sub{F,/x}" },
            { kNested, "\\P{n}", "/data/Sub{n}" },
            { kNested, "\\P{", "/data/Sub{" },
            { kNested, "\\F{X}", "a.b.txt{X}" },
            { kNested, "\\F{N", "a.b.txt{N" },
            { kNested, "\\F{N,}", "a.b.txt{N,}" },
            { kNested, "\\F{e}-{,2}", "a.b.txt{e}-{,2}" },
            { kNested, "\\F{$1}", "a.b.txt{abc}" },
        });
}
