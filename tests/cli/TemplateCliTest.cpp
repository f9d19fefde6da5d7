// morvane-cli match --template TEMPLATE [--path P]: the extended template evaluated after each
// match, as a replace run that replaces every match of one file would see it.

#include "CliRunner.h"
#include "codepage/CodePage.h"

#include <gtest/gtest.h>

#include <cstdio>

using morvane::test::RunCli;
namespace cp = morvane::codepage;

namespace {

// The quoting of the match command's TEXT fields.
std::string quoteText(std::string_view bytes)
{
    std::string out = "\"";
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (b >= 0x20 && b <= 0x7E) {
                out += ch;
            } else {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02x", b);
                out += hex;
            }
        }
    }
    return out + "\"";
}

} // namespace

TEST(TemplateCli, TemplateLineFollowsEachMatch)
{
    const auto r = RunCli({ "match", "--template", "\\U$2\\E$1-\\#{1}", "(\\w)(\\w)" }, "ab cd");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
        "match 1 2 \"ab\"\n"
        "group 1 1 1 \"a\"\n"
        "group 2 2 1 \"b\"\n"
        "template \"Ba-1\"\n"
        "match 4 2 \"cd\"\n"
        "group 1 4 1 \"c\"\n"
        "group 2 5 1 \"d\"\n"
        "template \"Dc-2\"\n"
        "matches 2\n");
}

TEST(TemplateCli, KthMatchSeesKMatchesAndKMinusOneReplacements)
{
    const auto r
        = RunCli({ "match", "--template", "\\#|\\#{,,,z}|\\#{,,,,f}|\\#{1,2,,z,f}|\\#{-1,,s}", "x" }, "xxx");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
        "match 1 1 \"x\"\ntemplate \"0|0|0|01|-1\"\n"
        "match 2 1 \"x\"\ntemplate \"1|1|1|02|+0\"\n"
        "match 3 1 \"x\"\ntemplate \"2|2|2|03|+1\"\n"
        "matches 3\n");
}

TEST(TemplateCli, SubstituteLineComesFirst)
{
    const auto r = RunCli(
        { "match", "--substitute", "<$1>", "--template", "\\u$1-{C,5,,*}", "--once", "(b+)" }, "abbc b");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
        "match 2 2 \"bb\"\n"
        "group 1 2 2 \"bb\"\n"
        "substitute \"<bb>\"\n"
        "template \"*Bb**\"\n"
        "matches 1\n");
}

TEST(TemplateCli, PathEntersConvertedToWindows1251)
{
    const std::string path = "/home/Пётр/отчёт.final.txt"; // UTF-8, as the file system has it
    const auto r = RunCli(
        { "match", "--path", path, "--template", "\\P|\\P{N}|\\U\\F{N}\\E|\\F{E}|\\P{R}|\\P{D}", "x" }, "x");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string expected = cp::Utf8ToWin1251("/home/Пётр|Пётр|ОТЧЁТ.FINAL|txt|/|");
    EXPECT_EQ(r.out, "match 1 1 \"x\"\ntemplate " + quoteText(expected) + "\nmatches 1\n");
}

TEST(TemplateCli, WithoutPathThePathItemsAreEmpty)
{
    const auto r = RunCli({ "match", "--template", "<\\P|\\F>", "a" }, "a");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "match 1 1 \"a\"\ntemplate \"<|>\"\nmatches 1\n");
}

TEST(TemplateCli, TemplateTextIsQuotedLikeTheOtherLines)
{
    const std::string templateText = "\\r\\n\\t\"\\\\\\x7f\\xC0\\Q$1\\E";
    const auto r = RunCli({ "match", "--template", templateText, "a" }, "a");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "match 1 1 \"a\"\ntemplate " + quoteText("\r\n\t\"\\\x7f\xC0$1") + "\nmatches 1\n");
    EXPECT_EQ(quoteText("\r\n\t\"\\\x7f\xC0$1"), "\"\\r\\n\\t\\\"\\\\\\x7f\\xc0$1\"");
}

TEST(TemplateCli, NoMatchNoTemplateLine)
{
    const auto r = RunCli({ "match", "--template", "$0", "z" }, "abc");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "matches 0\n");
}

// A width above what one item may produce is refused before any search, never attempted.
TEST(TemplateCli, HugeWidthIsRefused)
{
    for (const char* templateText : { "$0-{L,2000000000}", "<\\#-{,2000000000}>" }) {
        const auto r = RunCli({ "match", "--template", templateText, "a" }, "xa");
        EXPECT_EQ(r.status, 2) << templateText;
        EXPECT_EQ(r.out, "") << templateText;
        EXPECT_NE(r.err.find("--template: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("1000000"), std::string::npos) << r.err;
    }
}
