// Code page tables, conversion, detection and the Unicode/UTF-8 edges.

#include "codepage/CodePage.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace morvane::codepage;

namespace {

std::string bytes(std::initializer_list<int> list)
{
    std::string s;
    for (int b : list)
        s += static_cast<char>(b);
    return s;
}

std::string allBytes()
{
    std::string s;
    for (int b = 0; b < 256; ++b)
        s += static_cast<char>(b);
    return s;
}

} // namespace

TEST(CodePage, EveryByteSurvivesEveryRoundTrip)
{
    const std::string all = allBytes();
    for (int from = 0; from < 3; ++from) {
        for (int to = 0; to < 3; ++to) {
            const std::string there = ConvertText(all, from, to);
            ASSERT_EQ(there.size(), all.size());
            // Each conversion is a permutation of the high bytes and leaves the low ones.
            EXPECT_EQ(std::set<char>(there.begin(), there.end()).size(), 256u) << from << "->" << to;
            EXPECT_EQ(there.substr(0, 128), all.substr(0, 128));
            EXPECT_EQ(ConvertText(there, to, from), all) << from << "->" << to << "->" << from;
        }
    }
}

TEST(CodePage, KnownLettersMapBetweenPublishedEncodings)
{
    // "Привет", "ё", "Ё" as each code page publishes them.
    const std::string win = bytes({ 0xCF, 0xF0, 0xE8, 0xE2, 0xE5, 0xF2, 0xB8, 0xA8 });
    const std::string koi = bytes({ 0xF0, 0xD2, 0xC9, 0xD7, 0xC5, 0xD4, 0xA3, 0xB3 });
    const std::string dos = bytes({ 0x8F, 0xE0, 0xA8, 0xA2, 0xA5, 0xE2, 0xF1, 0xF0 });
    struct Case {
        const std::string* text;
        int from;
        const std::string* expected;
        int to;
    } cases[] = {
        { &win, kWin1251, &koi, kKoi8r }, { &win, kWin1251, &dos, kDos866 },
        { &koi, kKoi8r, &win, kWin1251 }, { &koi, kKoi8r, &dos, kDos866 },
        { &dos, kDos866, &win, kWin1251 }, { &dos, kDos866, &koi, kKoi8r },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertText(*c.text, c.from, c.to), *c.expected) << c.from << "->" << c.to;

    EXPECT_EQ(ConvertText(bytes({ 0xE1, 0xE2, 0xF7 }), kKoi8r, kWin1251), bytes({ 0xC0, 0xC1, 0xC2 }));
    EXPECT_EQ(ConvertText(bytes({ 0xE0 }), kWin1251, kDos866), bytes({ 0xA0 }));
}

TEST(CodePage, SameOrUnknownCodePageChangesNothing)
{
    const std::string all = allBytes();
    EXPECT_EQ(ConvertText(all, 1, 1), all);
    EXPECT_EQ(ConvertText(all, 3, 0), all);
    EXPECT_EQ(ConvertText(all, 0, -1), all);
    EXPECT_EQ(ConvertText("plain ASCII\r\n", 0, 2), "plain ASCII\r\n");
}

TEST(CodePage, DetectionOfSamples)
{
    const std::string russian = Utf8ToWin1251(
        "Съешь же ещё этих мягких французских булок, да выпей чаю. Широкая электрификация "
        "южных губерний даст мощный толчок подъёму сельского хозяйства.");
    EXPECT_EQ(DetectCodePage(russian), kWin1251);
    EXPECT_EQ(DetectCodePage(ConvertText(russian, kWin1251, kKoi8r)), kKoi8r);
    EXPECT_EQ(DetectCodePage(ConvertText(russian, kWin1251, kDos866)), kDos866);
    EXPECT_EQ(DetectCodePage("only ASCII text"), kWin1251);
    EXPECT_EQ(DetectCodePage(""), kWin1251);
}

TEST(CodePage, DetectionLooksOnlyAtTheFirstThousandHighBytes)
{
    // 1000 DOS-866 small letters decide before the KOI8-R text that follows is seen.
    std::string text(1000, static_cast<char>(0xA0));
    text += std::string(5000, static_cast<char>(0xC1));
    EXPECT_EQ(DetectCodePage(text), kDos866);
    // Only the first 20000 bytes count: high bytes beyond them are ignored.
    std::string late(20000, 'a');
    late += std::string(100, static_cast<char>(0xA0));
    EXPECT_EQ(DetectCodePage(late), kWin1251);
    // Ties fall to the later branches: low == high - low is not DOS-866.
    EXPECT_EQ(DetectCodePage(bytes({ 0xA0, 0xF0 })), kWin1251);
    EXPECT_EQ(DetectCodePage(bytes({ 0xC0, 0xF0, 0xC1 })), kKoi8r);
}

TEST(CodePage, UnicodeMappingIsABijectionOfAllBytes)
{
    std::set<char32_t> seen;
    for (int b = 0; b < 256; ++b) {
        const char32_t cp = Win1251ToUnicode(static_cast<unsigned char>(b));
        EXPECT_TRUE(seen.insert(cp).second) << "byte " << b << " shares its code point";
        unsigned char back = 0;
        ASSERT_TRUE(UnicodeToWin1251(cp, back)) << b;
        EXPECT_EQ(back, b);
    }
    EXPECT_EQ(Win1251ToUnicode(0xC0), U'\u0410');
    EXPECT_EQ(Win1251ToUnicode(0xB8), U'\u0451');
    EXPECT_EQ(Win1251ToUnicode(0x88), U'\u20AC');
    EXPECT_EQ(Win1251ToUnicode(0xB9), U'\u2116');
    unsigned char b = 0;
    EXPECT_FALSE(UnicodeToWin1251(U'\u00E9', b));
}

TEST(CodePage, Utf8Conversions)
{
    EXPECT_EQ(Utf8ToWin1251("Ёж ёлка №5"), bytes({ 0xA8, 0xE6, ' ', 0xB8, 0xEB, 0xEA, 0xE0, ' ', 0xB9, '5' }));
    EXPECT_EQ(Win1251ToUtf8(Utf8ToWin1251("Привет, мир")), "Привет, мир");
    EXPECT_EQ(Win1251ToUtf8(allBytes()).size() > 256u, true);
    EXPECT_EQ(Utf8ToWin1251(Win1251ToUtf8(allBytes())), allBytes());
    // Characters Windows-1251 lacks and malformed sequences become "?".
    EXPECT_EQ(Utf8ToWin1251("café 日本"), "caf? ??");
    EXPECT_EQ(Utf8ToWin1251(bytes({ 'a', 0xC3 })), "a?");
    // A broken sequence costs one "?" per byte; a complete but invalid one (overlong, surrogate) one "?".
    EXPECT_EQ(Utf8ToWin1251(bytes({ 0xE2, 0x82, 'x' })), "??x");
    EXPECT_EQ(Utf8ToWin1251(bytes({ 0xFF, 0xC0, 0x80 })), "??");
    EXPECT_EQ(Utf8ToWin1251(bytes({ 0xED, 0xA0, 0x80 })), "?");
}
