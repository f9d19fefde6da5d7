// morvane-cli recode and detect on raw bytes.

#include "CliRunner.h"
#include "codepage/CodePage.h"

#include <gtest/gtest.h>

using morvane::test::RunCli;
namespace cp = morvane::codepage;

TEST(CodePageCli, RecodeBetweenEveryPair)
{
    const std::string win = cp::Utf8ToWin1251("Ёлка и ёжик: Привет!\r\nSecond line\n");
    const char* names[] = { "1251", "koi8r", "866" };
    for (int from = 0; from < 3; ++from) {
        for (int to = 0; to < 3; ++to) {
            const std::string source = cp::ConvertText(win, 0, from);
            const auto r = RunCli({ "recode", "--from", names[from], "--to", names[to] }, source);
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.out, cp::ConvertText(win, 0, to)) << names[from] << "->" << names[to];
        }
    }
}

TEST(CodePageCli, RecodeAutoDetectsTheSource)
{
    const std::string win = cp::Utf8ToWin1251("Широкая электрификация южных губерний");
    const auto r = RunCli({ "recode", "--from", "auto", "--to", "1251" }, cp::ConvertText(win, 0, 2));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, win);
}

TEST(CodePageCli, RecodeKeepsNulAndEveryByte)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const auto r = RunCli({ "recode", "--from", "koi8r", "--to", "koi8r" }, all);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, all);
}

TEST(CodePageCli, BadArgumentsFailWithStatus2)
{
    for (const auto& args : std::vector<std::vector<std::string>> {
             { "recode" }, { "recode", "--from", "auto", "--to", "auto" }, { "recode", "--from", "1252", "--to", "866" },
             { "recode", "--from", "866" }, { "detect", "a", "b" }, { "detect", "/nonexistent/file" } }) {
        EXPECT_EQ(RunCli(args).status, 2) << args.size();
    }
}

TEST(CodePageCli, DetectPrintsTheNumber)
{
    const std::string win = cp::Utf8ToWin1251("Съешь же ещё этих мягких французских булок");
    EXPECT_EQ(RunCli({ "detect" }, win).out, "0\n");
    EXPECT_EQ(RunCli({ "detect", "-" }, cp::ConvertText(win, 0, 1)).out, "1\n");
    EXPECT_EQ(RunCli({ "detect" }, cp::ConvertText(win, 0, 2)).out, "2\n");
    EXPECT_EQ(RunCli({ "detect" }, "").out, "0\n");
}
