#include "rules/CharSetText.h"

#include <algorithm>

namespace morvane::rules {

namespace {

constexpr std::string_view kSequenceStart = "\\x";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Reads `digits` as "$" + digits is read by the platform's integer conversion: one or more
// hexadecimal digits and nothing else.
bool parseHex(std::string_view digits, int& value)
{
    if (digits.empty())
        return false;
    value = 0;
    for (const char c : digits) {
        const int v = hexValue(c);
        if (v < 0)
            return false;
        value = value * 16 + v;
    }
    return true;
}

} // namespace

std::string EncodeHexChars(std::string_view chars)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(chars.size() * 4);
    for (const char c : chars) {
        const auto code = static_cast<unsigned char>(c);
        text += kSequenceStart;
        text += kDigits[code >> 4];
        text += kDigits[code & 0x0F];
    }
    return text;
}

HexDecodeResult DecodeHexChars(std::string_view text, HexDecodeTarget target)
{
    HexDecodeResult result;
    result.text = text;
    int decoded = 0;
    for (;;) {
        const size_t at = result.text.find(kSequenceStart);
        if (at == std::string::npos)
            return result;
        const std::string digits = result.text.substr(at + kSequenceStart.size(), 2);
        int value = 0;
        if (!parseHex(digits, value)) {
            result.ok = false;
            result.message = "'$" + digits + "' is not a valid integer value";
            const int start = static_cast<int>(at) + (target == HexDecodeTarget::Copy ? 3 * decoded : 0);
            const int fieldLength = target == HexDecodeTarget::Copy ? static_cast<int>(text.size())
                                                                    : static_cast<int>(result.text.size());
            result.errorStart = start;
            result.errorLength = std::clamp(fieldLength - start, 0, 4);
            if (target == HexDecodeTarget::Copy)
                result.text = text; // the set is not taken; only the field's text remains
            return result;
        }
        result.text.replace(at, kSequenceStart.size() + digits.size(), 1, static_cast<char>(value));
        ++decoded;
    }
}

} // namespace morvane::rules
