// The default case mapping of the i modifier (Windows-1251 Latin and Cyrillic letters).

#include "RegexTestSupport.h"

#include <gtest/gtest.h>

namespace morvane::regex::test {
namespace {

TEST(DefaultInvertCase, LettersSwapCaseOthersStay)
{
    const std::pair<std::string, std::string> pairs[] = {
        { "a", "A" }, { "z", "Z" }, { W("а"), W("А") }, { W("я"), W("Я") }, { W("ё"), W("Ё") },
        { "\xB3", "\xB2" }, /* Ukrainian i */ { "\xBF", "\xAF" }, /* yi */ { "\xBA", "\xAA" }, /* ye */
        { "\xB4", "\xA5" }, /* ghe with upturn */ { "\xA2", "\xA1" }, /* short u */ { "\x90", "\x80" }, /* dje */
    };
    for (const auto& [small, capital] : pairs) {
        const auto s = static_cast<unsigned char>(small[0]);
        const auto c = static_cast<unsigned char>(capital[0]);
        EXPECT_EQ(TRegex::DefaultInvertCase(s), c) << int(s);
        EXPECT_EQ(TRegex::DefaultInvertCase(c), s) << int(c);
    }
    for (const int c : { 0, int('0'), int('_'), int(' '), 0xB5, 0xB9, 0x98, 0xA0 })
        EXPECT_EQ(TRegex::DefaultInvertCase(static_cast<unsigned char>(c)), c) << c;
    // Every letter's image maps back to it.
    for (int c = 0; c < 256; ++c) {
        const unsigned char image = TRegex::DefaultInvertCase(static_cast<unsigned char>(c));
        EXPECT_EQ(TRegex::DefaultInvertCase(image), c) << c;
    }
}

unsigned char swapOnlyAB(unsigned char c) { return c == 'a' ? 'b' : c == 'b' ? 'a' : c; }

TEST(InvertCase, ReplaceableMapping)
{
    TRegex engine;
    engine.SetInvertCase(&swapOnlyAB);
    EXPECT_EQ(engine.InvertCase('a'), 'b');
    engine.SetModifierText("i");
    engine.SetExpression("a");
    EXPECT_EQ(Describe(engine, "Aab"), "2:a | 3:b");
}

} // namespace
} // namespace morvane::regex::test
