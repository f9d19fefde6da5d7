#pragma once
// The attribute text of a colouring rule, ‹colour[;style[;size]]›, read and written. The colour
// is a name of the 16-colour palette, "#RRGGBB", a "cl" identifier as the attribute dialog writes
// it, or a colour value (decimal or "$" hexadecimal, red in the lowest byte). The style is any
// text containing the words bold, italic, underline and strikeout; the size is in points. A
// missing style or size leaves the editor font's own in force, which is why both are optional.
// Covered by tests/editor/ColourAttributesTest.cpp.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::editor {

// A colour as three 8-bit channels.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

// The four font styles a colouring rule can set; all false is the regular style.
struct FontStyles {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontStyles&) const = default;
};

// What a rule gives the characters it colours. `style` and `size` are empty when the attribute
// text does not name them: the characters then take the editor font's style or size.
struct ColourAttributes {
    Rgb colour;
    std::optional<FontStyles> style;
    std::optional<int> size;

    bool operator==(const ColourAttributes&) const = default;
};

// Reads a colour: one of the 16 palette names (any letter case, whole text), "#" and exactly six
// hexadecimal digits RRGGBB, "cl" and a palette name ("clPurple", any letter case), or a colour
// value, decimal or "$" and one to eight hexadecimal digits, whose low three bytes are red,
// green, blue from the least significant byte up. Empty when the text is none of these.
std::optional<Rgb> ParseColour(std::string_view text);

// Reads a style: bold, italic, underline and strike-out are set when the text contains, ignoring
// letter case, "bold", "italic", "underline", "strikeout" anywhere ("fsBold,fsItalic",
// "boldunderline"). Any other text, the empty one included, is the regular style.
FontStyles ParseStyle(std::string_view text);

// The outcome of reading a whole attribute text.
struct AttributeParse {
    std::optional<ColourAttributes> attributes; // empty when the text could not be read
    std::string error; // why not, for the report of a bad rule (English, like the engine's texts)
};

// Reads ‹colour[;style[;size]]› after removing every blank: the colour before the first ";",
// the style between the first and second ";" (none when there is no ";": the editor's style;
// an empty field: regular), the size after the second ";" (none when there is no second ";" or
// the field is empty: the editor's size). The size must be a decimal number from 1 to kMaxSize.
AttributeParse ParseAttributeText(std::string_view text);

// The largest font size a rule may ask for; more is taken for a typing error.
inline constexpr int kMaxSize = 1000;

// The text the attribute dialog writes: the colour's "cl" identifier when it is one of the 16
// palette colours, else "$" and eight upper-case hexadecimal digits of its value (blue in the
// third byte, red in the lowest); then ";", the chosen styles as "fsBold", "fsItalic",
// "fsUnderline", "fsStrikeOut" in that order joined by ",", then ";" and the size in decimal.
std::string FormatAttributeText(Rgb colour, FontStyles style, int size);

} // namespace morvane::editor
