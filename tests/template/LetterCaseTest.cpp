// Windows-1251 letter case, checked against the Unicode case pairs of the Cyrillic block.

#include "template/LetterCase.h"
#include "codepage/CodePage.h"

#include <gtest/gtest.h>

namespace cp = morvane::codepage;
using namespace morvane::templ;

namespace {

// Capital form of a code point among the letters Windows-1251 can hold.
char32_t unicodeUpper(char32_t u)
{
    if (u >= U'a' && u <= U'z')
        return u - 32;
    if (u >= 0x0430 && u <= 0x044F)
        return u - 0x20;
    if (u >= 0x0450 && u <= 0x045F)
        return u - 0x50;
    if (u == 0x0491)
        return 0x0490;
    return u;
}

char32_t unicodeLower(char32_t u)
{
    if (u >= U'A' && u <= U'Z')
        return u + 32;
    if (u >= 0x0410 && u <= 0x042F)
        return u + 0x20;
    if (u >= 0x0400 && u <= 0x040F)
        return u + 0x50;
    if (u == 0x0490)
        return 0x0491;
    return u;
}

unsigned char toByte(char32_t u)
{
    unsigned char b = 0;
    EXPECT_TRUE(cp::UnicodeToWin1251(u, b)) << static_cast<unsigned>(u);
    return b;
}

} // namespace

TEST(LetterCase, EveryByteFollowsTheUnicodePairs)
{
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const char32_t u = cp::Win1251ToUnicode(byte);
        const unsigned char upper = toByte(unicodeUpper(u));
        const unsigned char lower = toByte(unicodeLower(u));
        EXPECT_EQ(ToUpper1251(byte), upper) << b;
        EXPECT_EQ(ToLower1251(byte), lower) << b;
        EXPECT_EQ(InvertCase1251(byte), upper != byte ? upper : lower) << b;
    }
}
