// The case-insensitive name order of the walks.

#include "search/NameFold.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using morvane::search::CompareNamesNoCase;
using morvane::search::FoldedName;

TEST(NameFold, FoldsLatinLatin1AndCyrillicToUpperCase)
{
    struct Case {
        const char* a;
        const char* b;
    } same[] = {
        { "readme.txt", "README.TXT" },
        { "\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89" },       // été / ÉTÉ
        { "\xD0\xBF\xD1\x80\xD0\xB8", "\xD0\x9F\xD0\xA0\xD0\x98" }, // при / ПРИ
        { "\xD1\x91", "\xD0\x81" },                         // ё / Ё
    };
    for (const Case& c : same)
        EXPECT_EQ(FoldedName(c.a), FoldedName(c.b)) << c.a;
    EXPECT_NE(FoldedName("a"), FoldedName("b"));
}

TEST(NameFold, BrokenUtf8BytesStayDistinctCharacters)
{
    // A lone continuation byte and a truncated sequence are one character per byte, and never
    // equal to a real character.
    EXPECT_EQ(FoldedName("a\x80z").size(), 3u);
    EXPECT_EQ(FoldedName("\xD0").size(), 1u);
    EXPECT_NE(FoldedName("\xC0\x80"), FoldedName(std::string(1, '\0'))); // overlong NUL
    EXPECT_NE(FoldedName("\xE9"), FoldedName("\xC3\xA9"));
}

TEST(NameFold, OrderIgnoresCaseAndBreaksTiesByBytes)
{
    std::vector<std::string> names { "b.txt", "_x", "A.txt", "a.txt", "C", "\xD0\xB0", "1" };
    std::sort(names.begin(), names.end(),
        [](const std::string& a, const std::string& b) { return CompareNamesNoCase(a, b) < 0; });
    // Upper-case folding puts "_" after the Latin letters, as the original file system does;
    // Cyrillic comes after Latin; "A.txt" and "a.txt" are ordered by their bytes.
    const std::vector<std::string> expected { "1", "A.txt", "a.txt", "b.txt", "C", "_x", "\xD0\xB0" };
    EXPECT_EQ(names, expected);
    EXPECT_EQ(CompareNamesNoCase("same", "same"), 0);
}
