// The "\xNN" form of the engine's character sets: encoding, decoding and malformed sequences.

#include "rules/CharSetText.h"

#include <gtest/gtest.h>

using namespace morvane::rules;

TEST(CharSetText, EncodeWritesTwoUpperCaseDigitsPerCharacter)
{
    EXPECT_EQ(EncodeHexChars(" \t\n\r\f"), "\\x20\\x09\\x0A\\x0D\\x0C");
    EXPECT_EQ(EncodeHexChars(std::string("\0\xFF\xE0", 3)), "\\x00\\xFF\\xE0");
    EXPECT_EQ(EncodeHexChars(""), "");
}

TEST(CharSetText, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string encoded = EncodeHexChars(all);
    EXPECT_EQ(encoded.size(), 4u * 256u);
    for (const auto target : { HexDecodeTarget::Copy, HexDecodeTarget::Field }) {
        const HexDecodeResult decoded = DecodeHexChars(encoded, target);
        ASSERT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.text, all);
    }
}

TEST(CharSetText, DecodesWhatItFinds)
{
    const struct {
        std::string text;
        std::string decoded;
    } cases[] = {
        { "", "" },
        { "abc", "abc" }, // plain characters stay
        { "\\x41\\x62c", "Abc" },
        { "\\x4a\\x4A", "JJ" }, // either case of digits
        { "\\x7", std::string("\x07") }, // one digit at the end
        { "a\\x7", std::string("a\x07") },
        { "\\X41", "\\X41" }, // only a lower-case "x" starts a sequence
        { "\\x5Cx41", "A" }, // a decoded backslash and the "x" after it start a new sequence
        { "\\\\x41", "\\A" },
    };
    for (const auto& c : cases) {
        const HexDecodeResult decoded = DecodeHexChars(c.text, HexDecodeTarget::Field);
        EXPECT_TRUE(decoded.ok) << c.text;
        EXPECT_EQ(decoded.text, c.decoded) << c.text;
    }
}

TEST(CharSetText, MalformedSequencesReportTheConversionMessageAndTheFourCharacters)
{
    const struct {
        std::string text;
        HexDecodeTarget target;
        std::string message;
        int start;
        int length;
        std::string textAfter; // the field (Field) or the untouched text (Copy)
    } cases[] = {
        { "\\xZZ", HexDecodeTarget::Copy, "'$ZZ' is not a valid integer value", 0, 4, "\\xZZ" },
        { "\\x4G", HexDecodeTarget::Copy, "'$4G' is not a valid integer value", 0, 4, "\\x4G" },
        { "\\x", HexDecodeTarget::Copy, "'$' is not a valid integer value", 0, 2, "\\x" },
        { "ab\\x", HexDecodeTarget::Copy, "'$' is not a valid integer value", 2, 2, "ab\\x" },
        { "\\x Z", HexDecodeTarget::Copy, "'$ Z' is not a valid integer value", 0, 4, "\\x Z" },
        // Two sequences decoded before the bad one: its place in the field is 2 + 3 * 2 further.
        { "\\x20\\x09\\xQQ\\x0A", HexDecodeTarget::Copy, "'$QQ' is not a valid integer value", 8, 4,
            "\\x20\\x09\\xQQ\\x0A" },
        // Decoding in the field: what was decoded stays, the position is in the new text.
        { "a\\x41\\x-1b", HexDecodeTarget::Field, "'$-1' is not a valid integer value", 2, 4, "aA\\x-1b" },
        { "\\xg", HexDecodeTarget::Field, "'$g' is not a valid integer value", 0, 3, "\\xg" },
    };
    for (const auto& c : cases) {
        const HexDecodeResult decoded = DecodeHexChars(c.text, c.target);
        EXPECT_FALSE(decoded.ok) << c.text;
        EXPECT_EQ(decoded.message, c.message) << c.text;
        EXPECT_EQ(decoded.errorStart, c.start) << c.text;
        EXPECT_EQ(decoded.errorLength, c.length) << c.text;
        EXPECT_EQ(decoded.text, c.textAfter) << c.text;
    }
}
