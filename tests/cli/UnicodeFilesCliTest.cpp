// morvane-cli over UTF-8 files: replace in a tree that mixes UTF-8, Windows-1251 and KOI8-R, then
// restore, every byte back; files that cannot be written back are named on standard error and
// left alone; convert to and from UTF-8.

#include "BatchCliFixture.h"

namespace {

using morvane::test::BatchCliTest;
using morvane::test::RunCli;
namespace cp = morvane::codepage;

const std::string kBom = "\xEF\xBB\xBF";

// The reason a file was left alone, as the terminal shows it.
std::string NoteLine(const std::string& path, int message)
{
    return path + ": " + cp::Win1251ToUtf8(morvane::app::Msg(message)) + "\n";
}

class UnicodeFilesCli : public BatchCliTest { };

TEST_F(UnicodeFilesCli, ReplaceInAMixedTreeThenRestoreEveryByte)
{
    const std::string russian = "Да, да.\r\nконец строки\r\n";
    const std::string win = cp::Utf8ToWin1251(russian);
    // Large enough to be written in several pieces, the byte-order mark before the first only.
    std::string large;
    std::string largeReplaced;
    for (int i = 0; i < 120000; ++i) {
        large += russian;
        largeReplaced += "Угу, Угу.\r\nконец строки\r\n";
    }
    struct File {
        std::string name;
        std::string bytes;
        std::string replaced;
    } const files[] = {
        { "d/bom.txt", kBom + russian, kBom + "Угу, Угу.\r\nконец строки\r\n" },
        { "d/large.txt", kBom + large, kBom + largeReplaced },
        { "d/plain.txt", "да\nнет да\rок", "Угу\nнет Угу\rок" },
        { "d/win.txt", win, cp::Utf8ToWin1251("Угу, Угу.\r\nконец строки\r\n") },
        { "d/sub/koi.txt", cp::ConvertText(win, cp::kWin1251, cp::kKoi8r),
            cp::ConvertText(cp::Utf8ToWin1251("Угу, Угу.\r\nконец строки\r\n"), cp::kWin1251, cp::kKoi8r) },
        { "d/sub/check.txt", "да \xE2\x9C\x93\n", "да \xE2\x9C\x93\n" },
        { "d/sub/wide.txt", std::string("\xFF\xFE\x34\x04\x30\x04", 6),
            std::string("\xFF\xFE\x34\x04\x30\x04", 6) },
    };
    for (const File& f : files)
        write(f.name, f.bytes);

    const auto r
        = RunCli({ "replace", "--codepage", "auto", "--subdirs", "-e", "(?i)да", "-r", "Угу", path("d") });
    EXPECT_EQ(r.status, 2) << "two files were left alone";
    EXPECT_NE(r.err.find(NoteLine(path("d/sub/check.txt"), 420)), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(NoteLine(path("d/sub/wide.txt"), 422)), std::string::npos) << r.err;
    for (const File& f : files) {
        EXPECT_EQ(read(f.name), f.replaced) << f.name;
        EXPECT_EQ(exists(f.name + "0"), f.bytes != f.replaced) << f.name;
    }

    const auto back = RunCli({ "restore", "--yes", "--subdirs", path("d") });
    EXPECT_EQ(back.status, 0) << back.err;
    for (const File& f : files) {
        EXPECT_EQ(read(f.name), f.bytes) << f.name;
        EXPECT_FALSE(exists(f.name + "0")) << f.name;
    }
}

TEST_F(UnicodeFilesCli, ConvertToAndFromUtf8)
{
    const std::string russian = "Ёлка, ёжик — №7\n";
    write("u.txt", kBom + russian);
    write("w.txt", cp::Utf8ToWin1251(russian));
    write("x.txt", "\xE4\xB8\xAD\n");
    auto r = RunCli({ "convert", "--from", "utf8", "--to", "866", path("u.txt"), path("x.txt") });
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "morvane-cli convert: " + NoteLine(path("x.txt"), 420));
    EXPECT_EQ(read("u.txt"), cp::ConvertText(cp::Utf8ToWin1251(russian), cp::kWin1251, cp::kDos866));
    EXPECT_EQ(read("x.txt"), "\xE4\xB8\xAD\n");
    EXPECT_FALSE(exists("x.txt0"));

    r = RunCli({ "convert", "--from", "auto", "--to", "utf8", path("u.txt"), path("w.txt") });
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read("u.txt"), russian);
    EXPECT_EQ(read("w.txt"), russian);
}

} // namespace
