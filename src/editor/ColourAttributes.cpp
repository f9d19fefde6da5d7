// Reading and writing of colouring attribute texts. The palette is kept in one table that both
// directions use, so that whatever the attribute dialog writes reads back as the same colour.
// Covered by tests/editor/ColourAttributesTest.cpp.

#include "editor/ColourAttributes.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace morvane::editor {

namespace {

struct PaletteEntry {
    std::string_view name; // lower case, as compared
    std::string_view identifier; // as the attribute dialog writes it
    Rgb colour;
};

// Table order matters only for reading names; all 16 names differ, so the first equal one wins.
constexpr std::array<PaletteEntry, 16> kPalette { {
    { "black", "clBlack", { 0, 0, 0 } },
    { "maroon", "clMaroon", { 128, 0, 0 } },
    { "green", "clGreen", { 0, 128, 0 } },
    { "olive", "clOlive", { 128, 128, 0 } },
    { "navy", "clNavy", { 0, 0, 128 } },
    { "purple", "clPurple", { 128, 0, 128 } },
    { "teal", "clTeal", { 0, 128, 128 } },
    { "gray", "clGray", { 128, 128, 128 } },
    { "silver", "clSilver", { 192, 192, 192 } },
    { "red", "clRed", { 255, 0, 0 } },
    { "lime", "clLime", { 0, 255, 0 } },
    { "yellow", "clYellow", { 255, 255, 0 } },
    { "blue", "clBlue", { 0, 0, 255 } },
    { "fuchsia", "clFuchsia", { 255, 0, 255 } },
    { "aqua", "clAqua", { 0, 255, 255 } },
    { "white", "clWhite", { 255, 255, 255 } },
} };

// ASCII lower case only: every word compared here is Latin, and bytes of Cyrillic letters must
// not turn into Latin ones.
std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool IsDecimal(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// Reads all of `text` as an unsigned number in `base`; false on any other character or overflow.
bool ReadNumber(std::string_view text, int base, std::uint32_t& value)
{
    if (text.empty())
        return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    return ec == std::errc() && ptr == end;
}

Rgb FromColourValue(std::uint32_t value)
{
    return { static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
        static_cast<std::uint8_t>((value >> 16) & 0xFF) };
}

std::string RemoveBlanks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != ' ')
            result.push_back(c);
    }
    return result;
}

} // namespace

std::optional<Rgb> ParseColour(std::string_view text)
{
    const std::string lower = LowerAscii(text);
    for (const PaletteEntry& entry : kPalette) {
        if (lower == entry.name)
            return entry.colour;
    }
    if (!text.empty() && text.front() == '#') {
        const std::string_view digits = text.substr(1);
        std::uint32_t rgb = 0;
        if (digits.size() != 6 || !ReadNumber(digits, 16, rgb))
            return std::nullopt;
        return Rgb { static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>((rgb >> 8) & 0xFF),
            static_cast<std::uint8_t>(rgb & 0xFF) };
    }
    if (lower.size() > 2 && lower.compare(0, 2, "cl") == 0) {
        const std::string_view name = std::string_view(lower).substr(2);
        for (const PaletteEntry& entry : kPalette) {
            if (name == entry.name)
                return entry.colour;
        }
        return std::nullopt;
    }
    std::uint32_t value = 0;
    if (!text.empty() && text.front() == '$') {
        const std::string_view digits = text.substr(1);
        if (digits.size() > 8 || !ReadNumber(digits, 16, value))
            return std::nullopt;
        return FromColourValue(value);
    }
    if (IsDecimal(text) && ReadNumber(text, 10, value))
        return FromColourValue(value);
    return std::nullopt;
}

FontStyles ParseStyle(std::string_view text)
{
    const std::string lower = LowerAscii(text);
    FontStyles style;
    style.bold = lower.find("bold") != std::string::npos;
    style.italic = lower.find("italic") != std::string::npos;
    style.underline = lower.find("underline") != std::string::npos;
    style.strikeOut = lower.find("strikeout") != std::string::npos;
    return style;
}

AttributeParse ParseAttributeText(std::string_view text)
{
    const std::string compact = RemoveBlanks(text);
    const std::size_t firstSemicolon = compact.find(';');
    const std::string colourText = compact.substr(0, firstSemicolon);

    AttributeParse result;
    const std::optional<Rgb> colour = ParseColour(colourText);
    if (!colour) {
        result.error = "cannot read the colour \"" + colourText + "\"";
        return result;
    }
    ColourAttributes attributes;
    attributes.colour = *colour;
    if (firstSemicolon != std::string::npos) {
        const std::size_t secondSemicolon = compact.find(';', firstSemicolon + 1);
        attributes.style = ParseStyle(
            std::string_view(compact).substr(firstSemicolon + 1, secondSemicolon - firstSemicolon - 1));
        if (secondSemicolon != std::string::npos) {
            const std::string sizeText = compact.substr(secondSemicolon + 1);
            // An empty size field is taken as a missing one rather than as an error: "Red;Bold;"
            // is what a user leaves behind after deleting the number.
            if (!sizeText.empty()) {
                std::uint32_t size = 0;
                if (!IsDecimal(sizeText) || !ReadNumber(sizeText, 10, size) || size < 1
                    || size > static_cast<std::uint32_t>(kMaxSize)) {
                    result.error = "the size \"" + sizeText + "\" is not a number from 1 to "
                        + std::to_string(kMaxSize);
                    return result;
                }
                attributes.size = static_cast<int>(size);
            }
        }
    }
    result.attributes = attributes;
    return result;
}

std::string FormatAttributeText(Rgb colour, FontStyles style, int size)
{
    std::string text;
    for (const PaletteEntry& entry : kPalette) {
        if (entry.colour == colour) {
            text = entry.identifier;
            break;
        }
    }
    if (text.empty()) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        const std::uint32_t value = static_cast<std::uint32_t>(colour.red)
            | (static_cast<std::uint32_t>(colour.green) << 8)
            | (static_cast<std::uint32_t>(colour.blue) << 16);
        text = "$";
        for (int shift = 28; shift >= 0; shift -= 4)
            text.push_back(kHex[(value >> shift) & 0xF]);
    }
    text.push_back(';');
    std::string styles;
    const auto add = [&styles](bool on, std::string_view name) {
        if (!on)
            return;
        if (!styles.empty())
            styles.push_back(',');
        styles.append(name);
    };
    add(style.bold, "fsBold");
    add(style.italic, "fsItalic");
    add(style.underline, "fsUnderline");
    add(style.strikeOut, "fsStrikeOut");
    text += styles;
    text.push_back(';');
    text += std::to_string(size);
    return text;
}

} // namespace morvane::editor
