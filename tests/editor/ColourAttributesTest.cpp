// Attribute texts of colouring rules: colours in every accepted form, styles, the split into
// colour, style and size with its defaults, and the text the attribute dialog writes.

#include "editor/ColourAttributes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace morvane::editor {
namespace {

struct ColourCase {
    std::string text;
    std::optional<Rgb> expected;
};

TEST(ColourAttributesTest, ParseColourAcceptsEveryForm)
{
    const ColourCase cases[] = {
        // Palette names, whole text, any letter case.
        { "Purple", Rgb { 128, 0, 128 } },
        { "purple", Rgb { 128, 0, 128 } },
        { "Blue", Rgb { 0, 0, 255 } },
        // "#RRGGBB": red first, unlike colour values.
        { "#FF0000", Rgb { 255, 0, 0 } },
        { "#123456", Rgb { 0x12, 0x34, 0x56 } },
        // "cl" identifiers as the attribute dialog writes them.
        { "clRed", Rgb { 255, 0, 0 } },
        { "clpurple", Rgb { 128, 0, 128 } },
        // Colour values: red in the lowest byte, the highest byte ignored.
        { "255", Rgb { 255, 0, 0 } },
        { "16711680", Rgb { 0, 0, 255 } },
        { "$0000FF", Rgb { 255, 0, 0 } },
        { "$00FF0000", Rgb { 0, 0, 255 } },
        { "$FF123456", Rgb { 0x56, 0x34, 0x12 } },
        { "4294967295", Rgb { 255, 255, 255 } },
        // Unreadable.
        { "", std::nullopt },
        { "purple2", std::nullopt },
        { "#FF00", std::nullopt },
        { "#FF00000", std::nullopt },
        { "clOrange", std::nullopt },
        { "$123456789", std::nullopt },
        { "$12G", std::nullopt },
        { "-1", std::nullopt },
        { "4294967296", std::nullopt },
        { "0x0000FF", std::nullopt },
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE("colour text \"" + c.text + "\"");
        EXPECT_EQ(ParseColour(c.text), c.expected);
    }
}

struct StyleCase {
    std::string text;
    FontStyles expected;
};

TEST(ColourAttributesTest, ParseStyleFindsTheWordsAnywhere)
{
    const StyleCase cases[] = {
        { "", {} },
        { "regular", {} },
        { "Bold", { true, false, false, false } },
        { "fsBold,fsItalic", { true, true, false, false } },
        { "boldunderline", { true, false, true, false } },
        { "STRIKEOUT", { false, false, false, true } },
        { "fsBold,fsItalic,fsUnderline,fsStrikeOut", { true, true, true, true } },
        { "xxitalicxx", { false, true, false, false } },
        // A word broken by anything is not found.
        { "bol d", {} },
        { "strike out", { false, false, false, false } },
        { "ital", {} },
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE("style text \"" + c.text + "\"");
        EXPECT_EQ(ParseStyle(c.text), c.expected);
    }
}

struct AttributeCase {
    std::string text;
    std::optional<ColourAttributes> expected;
};

constexpr Rgb kPurple { 128, 0, 128 };
constexpr Rgb kRed { 255, 0, 0 };
constexpr FontStyles kRegular {};
constexpr FontStyles kBold { true, false, false, false };

TEST(ColourAttributesTest, AttributeTextSplitsIntoColourStyleAndSize)
{
    const AttributeCase cases[] = {
        // An empty style field is regular; a missing one is the editor's (none).
        { "Purple;;8", ColourAttributes { kPurple, kRegular, 8 } },
        { "Blue", ColourAttributes { { 0, 0, 255 }, std::nullopt, std::nullopt } },
        { "#FF0000", ColourAttributes { kRed, std::nullopt, std::nullopt } },
        { "clRed;fsBold;10", ColourAttributes { kRed, kBold, 10 } },
        { "Purple;Bold", ColourAttributes { kPurple, kBold, std::nullopt } },
        { "Purple;", ColourAttributes { kPurple, kRegular, std::nullopt } },
        { "Purple;Bold;", ColourAttributes { kPurple, kBold, std::nullopt } },
        // Blanks are ignored everywhere, inside words and numbers too.
        { " Pur ple ; Bo ld ; 1 2 ", ColourAttributes { kPurple, kBold, 12 } },
        { "Silver;Italic;8",
            ColourAttributes { { 192, 192, 192 }, FontStyles { false, true, false, false }, 8 } },
        { "$000000FF;;1000", ColourAttributes { kRed, kRegular, 1000 } },
        // Failures: the colour, or a size that is no number from 1 to the limit.
        { "", std::nullopt },
        { ";Bold;8", std::nullopt },
        { "Orange;Bold;8", std::nullopt },
        { "Purple;Bold;big", std::nullopt },
        { "Purple;Bold;8;9", std::nullopt },
        { "Purple;Bold;0", std::nullopt },
        { "Purple;Bold;-8", std::nullopt },
        { "Purple;Bold;1001", std::nullopt },
        { "Purple;Bold;99999999999", std::nullopt },
        { "Purple;Bold;8.5", std::nullopt },
    };
    for (const AttributeCase& c : cases) {
        SCOPED_TRACE("attribute text \"" + c.text + "\"");
        const AttributeParse parsed = ParseAttributeText(c.text);
        EXPECT_EQ(parsed.attributes, c.expected);
        EXPECT_EQ(parsed.error.empty(), c.expected.has_value()) << parsed.error;
    }
}

struct FormatCase {
    Rgb colour;
    FontStyles style;
    int size;
    std::string expected;
};

TEST(ColourAttributesTest, FormatWritesIdentifiersStylesAndSize)
{
    const FormatCase cases[] = {
        { kRed, { true, true, false, false }, 12, "clRed;fsBold,fsItalic;12" },
        { kPurple, kRegular, 8, "clPurple;;8" },
        { { 0, 0, 0 }, { true, true, true, true }, 10, "clBlack;fsBold,fsItalic,fsUnderline,fsStrikeOut;10" },
        { { 255, 255, 255 }, { false, false, true, true }, 9, "clWhite;fsUnderline,fsStrikeOut;9" },
        { { 0, 128, 128 }, { false, true, false, false }, 72, "clTeal;fsItalic;72" },
        // Not a palette colour: the value, red in the lowest byte, eight upper-case digits.
        { { 0x12, 0x34, 0x56 }, kRegular, 8, "$00563412;;8" },
        { { 0xC0, 0xDC, 0xC0 }, kBold, 11, "$00C0DCC0;fsBold;11" },
        { { 254, 0, 0 }, kRegular, 8, "$000000FE;;8" },
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.expected);
        const std::string text = FormatAttributeText(c.colour, c.style, c.size);
        EXPECT_EQ(text, c.expected);
        // What the dialog writes must read back as what was chosen.
        EXPECT_EQ(ParseAttributeText(text).attributes, (ColourAttributes { c.colour, c.style, c.size }));
    }
}

} // namespace
} // namespace morvane::editor
