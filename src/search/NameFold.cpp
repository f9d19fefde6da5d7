// Case folding and ordering of file names. Tests: tests/search/NameFoldTest.cpp.

#include "search/NameFold.h"

namespace morvane::search {

namespace {

constexpr char32_t kRawByteBase = 0x110000;

char32_t UpperCase(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        return c - 0x20;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x430 && c <= 0x44F))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    return c;
}

// Decodes one UTF-8 character at `pos`, returning its length, or 0 when the bytes there do
// not form a valid, shortest-form sequence.
size_t DecodeUtf8(std::string_view s, size_t pos, char32_t& out)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    size_t length = 0;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (pos + length > s.size())
        return 0;
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (overlong || surrogate || value > 0x10FFFF)
        return 0;
    out = value;
    return length;
}

} // namespace

std::u32string FoldedName(std::string_view name)
{
    std::u32string folded;
    folded.reserve(name.size());
    size_t pos = 0;
    while (pos < name.size()) {
        char32_t c = 0;
        const size_t length = DecodeUtf8(name, pos, c);
        if (length == 0) {
            folded += kRawByteBase + static_cast<unsigned char>(name[pos]);
            ++pos;
        } else {
            folded += UpperCase(c);
            pos += length;
        }
    }
    return folded;
}

int CompareNamesNoCase(std::string_view a, std::string_view b)
{
    const int folded = FoldedName(a).compare(FoldedName(b));
    if (folded != 0)
        return folded;
    return a.compare(b);
}

} // namespace morvane::search
