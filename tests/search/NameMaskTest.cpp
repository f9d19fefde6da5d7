// File masks: "*", "?", case, the "*.*" rule, and the splitting of a mask text.

#include "search/NameMask.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using morvane::search::NameMask;
using morvane::search::SplitMaskText;

TEST(NameMask, MatchesLikeTheDirectorySearch)
{
    struct Case {
        const char* mask; // Windows-1251
        const char* name; // UTF-8
        bool expected;
    } cases[] = {
        { "*.*", "Makefile", true },
        { "*.*", "a.b.c", true },
        { "*.*", ".hidden", true },
        { "*.txt", "notes.TXT", true },
        { "*.TXT", "notes.txt", true },
        { "*.txt", "notes.txt.bak", false },
        { "*.htm", "page.html", false },
        { "*.htm*", "page.html", true },
        { "?.txt", "a.txt", true },
        { "?.txt", "ab.txt", false },
        { "?.txt", ".txt", false },
        { "a*.*", "abc", true },          // a trailing ".*" also matches no extension
        { "a*.*", "bcd", false },
        { "*a*b*", "xxaxxbxx", true },
        { "*a*b", "xxaxxbxxc", false },
        { "name", "NAME", true },
        { "", "anything", false },        // an empty mask finds nothing
        { "*", ".profile", true },
        { "?.txt", "\xD1\x84.txt", true }, // "?" is one character, not one byte
        { "\xD4*", "\xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB", true }, // "Ф*" matches "файл"
        { "*.txt", "\xFF\xFE.txt", true }, // names that are not UTF-8 still match
        { "?.txt", "\xFF.txt", true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(NameMask(c.mask).matches(c.name), c.expected) << c.mask << " / " << c.name;
}

TEST(NameMask, SplitsAtEverySemicolonKeepingEmptyMasks)
{
    struct Case {
        const char* text;
        std::vector<std::string> masks;
    } cases[] = {
        { "*.*", { "*.*" } },
        { "", { "" } },
        { "*.htm;*.*", { "*.htm", "*.*" } },
        { "*.txt;", { "*.txt", "" } },
        { ";;a", { "", "", "a" } },
        { " *.txt ; *.rtf", { " *.txt ", " *.rtf" } }, // no trimming
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitMaskText(c.text), c.masks) << c.text;
}
