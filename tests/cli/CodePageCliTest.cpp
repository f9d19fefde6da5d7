// morvane-cli recode and detect on raw bytes.

#include "CliRunner.h"
#include "app/MessageTable.h"
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

TEST(CodePageCli, RecodeToAndFromUtf8)
{
    const std::string utf8 = "\xEF\xBB\xBF\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0 \xE2\x84\x96\r\n"; // "Ёлка №"
    const std::string win = cp::Utf8ToWin1251(utf8.substr(3));
    struct Case {
        std::vector<std::string> args;
        std::string in;
        std::string out;
    } const cases[] = {
        { { "--from", "utf8", "--to", "koi8r" }, utf8, cp::ConvertText(win, 0, 1) },
        { { "--from", "auto", "--to", "1251" }, utf8.substr(3), win },
        { { "--from", "866", "--to", "utf8" }, cp::ConvertText(win, 0, 2), utf8.substr(3) },
        { { "--from", "utf8", "--to", "utf8" }, utf8, utf8 },
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = { "recode" };
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto r = RunCli(args, c.in);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[1] << "->" << c.args[3];
    }
    // What the program's text cannot hold stops the command: nothing is written.
    for (const char* to : { "1251", "utf8" }) {
        const auto r = RunCli({ "recode", "--from", "utf8", "--to", to }, "ok \xE2\x9C\x93");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(cp::Win1251ToUtf8(morvane::app::Msg(420))), std::string::npos) << r.err;
    }
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
    EXPECT_EQ(RunCli({ "detect" }, cp::Win1251ToUtf8(win)).out, "3\n");
    EXPECT_EQ(RunCli({ "detect" }, std::string("\xEF\xBB\xBF") + "ascii").out, "3\n");
}
