// Masks, the splitting of mask texts, and the Windows-1251 letter case they rely on.

#include "filepanel/Mask.h"
#include "codepage/CodePage.h"
#include "filepanel/CaseFold.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using morvane::codepage::Utf8ToWin1251;
using namespace morvane::filepanel;

namespace {

struct MaskCase {
    const char* mask; // UTF-8 in the source, program text when used
    const char* name; // as the file system stores it (UTF-8)
    bool expected;
};

TEST(MaskTest, MatchesLikeTheDirectorySearch)
{
    const MaskCase cases[] = {
        { "*.*", "makefile", true }, // "*.*" also takes names without a dot
        { "*.*", ".bashrc", true },
        { "*.*", "a.b.c", true },
        { "*", "makefile", true },
        { "*.txt", "a.txt", true },
        { "*.txt", "A.TXT", true },
        { "*.TXT", "notes.txt", true },
        { "*.txt", "a.txt.bak", false },
        { "*.htm", "index.html", false },
        { "*.htm*", "index.html", true },
        { "?.txt", "a.txt", true },
        { "?.txt", "ab.txt", false },
        { "?.txt", ".txt", false },
        { "a?c", "abc", true },
        { "a?c", "ac", false },
        { "a*b*c", "aXXbYYc", true },
        { "a*b*c", "aXXbYY", false },
        { "*a*a*a*", "aaa", true },
        { "*a*a*a*", "aa", false },
        { "**", "", true },
        { "*", "", true },
        { "", "x", false },
        { "", "", false },
        { "readme", "README", true },
        { "readme", "readme.txt", false },
        { "*.ТХТ", "файл.тхт", true }, // Cyrillic letters fold like Latin ones
        { "ФАЙЛ*", "файл.txt", true },
        { "Ёлка.*", "ёлка.txt", true },
        { "їжак", "ЇЖАК", true },
        { "я", "Я", true },
        { "я", "ю", false },
        { "?.txt", "ж.txt", true }, // a Cyrillic letter is one character
        { "?.txt", "中.txt", true }, // so is one without a Windows-1251 form
        { "??.txt", "中.txt", false },
    };
    for (const MaskCase& c : cases) {
        EXPECT_EQ(MatchesFileName(Utf8ToWin1251(c.mask), c.name), c.expected)
            << "mask \"" << c.mask << "\" name \"" << c.name << "\"";
        // The masks that take every name are answered without the matcher; it must agree.
        EXPECT_EQ(MatchesMask(Utf8ToWin1251(c.mask), Utf8ToWin1251(c.name)), c.expected) << c.mask << " " << c.name;
    }
}

TEST(MaskTest, BacktrackingStaysLinearEnoughForLongNames)
{
    const std::string name(2000, 'a');
    EXPECT_FALSE(MatchesMask("*a*a*a*a*a*a*a*b", name));
    EXPECT_TRUE(MatchesMask("*a*a*a*a*a*a*a*", name));
}

TEST(MaskTest, SplitsAtEverySeparatorWithoutTrimming)
{
    const struct {
        const char* text;
        std::vector<std::string> expected;
    } cases[] = {
        { "*.*", { "*.*" } },
        { "*.htm;*.*", { "*.htm", "*.*" } },
        { "*.htm;", { "*.htm", "" } },
        { ";*.htm", { "", "*.htm" } },
        { " *.a ; *.b", { " *.a ", " *.b" } },
        { "a;;b", { "a", "", "b" } },
        { "", { "" } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitMaskText(c.text), c.expected) << c.text;
}

TEST(CaseFoldTest, LowerCasesLatinAndCyrillicLetters)
{
    EXPECT_EQ(LowerWin1251(Utf8ToWin1251("ABC xyz АБВЯ ЁЇІЄЎҐЂЉЊЋЌЏЅЈ 123")),
        Utf8ToWin1251("abc xyz абвя ёїієўґђљњћќџѕј 123"));
    EXPECT_EQ(LowerWin1251(Utf8ToWin1251("абв ё")), Utf8ToWin1251("абв ё"));
}

TEST(CaseFoldTest, ComparisonFoldsOnlyLatinLetters)
{
    EXPECT_EQ(CompareTextAscii("ABC", "abc"), 0);
    EXPECT_LT(CompareTextAscii("abc", "ABD"), 0);
    EXPECT_LT(CompareTextAscii("ab", "abc"), 0);
    EXPECT_GT(CompareTextAscii("b", "A"), 0);
    EXPECT_LT(CompareTextAscii(".", "0"), 0); // "." sorts below digits and letters
    // Bytes above 127 compare by their value: Cyrillic after Latin, upper before lower case.
    EXPECT_LT(CompareTextAscii("z", Utf8ToWin1251("а")), 0);
    EXPECT_NE(CompareTextAscii(Utf8ToWin1251("А"), Utf8ToWin1251("а")), 0);
    EXPECT_TRUE(SameTextWin1251(Utf8ToWin1251("Ёж.TXT"), Utf8ToWin1251("ёЖ.txt")));
    EXPECT_FALSE(SameTextWin1251("ab", "abc"));
}

} // namespace
