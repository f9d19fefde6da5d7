// Letter case of Windows-1251 text. Covered by tests/filepanel/MaskTest.cpp.

#include "filepanel/CaseFold.h"

#include <algorithm>

namespace morvane::filepanel {

unsigned char LowerWin1251(unsigned char byte)
{
    if (byte >= 'A' && byte <= 'Z')
        return static_cast<unsigned char>(byte + 0x20);
    if (byte >= 0xC0 && byte <= 0xDF) // А..Я
        return static_cast<unsigned char>(byte + 0x20);
    switch (byte) {
    case 0x80: return 0x90; // Ђ
    case 0x81: return 0x83; // Ѓ
    case 0x8A: return 0x9A; // Љ
    case 0x8C: return 0x9C; // Њ
    case 0x8D: return 0x9D; // Ќ
    case 0x8E: return 0x9E; // Ћ
    case 0x8F: return 0x9F; // Џ
    case 0xA1: return 0xA2; // Ў
    case 0xA3: return 0xBC; // Ј
    case 0xA5: return 0xB4; // Ґ
    case 0xA8: return 0xB8; // Ё
    case 0xAA: return 0xBA; // Є
    case 0xAF: return 0xBF; // Ї
    case 0xB2: return 0xB3; // І
    case 0xBD: return 0xBE; // Ѕ
    default: return byte;
    }
}

std::string LowerWin1251(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(LowerWin1251(static_cast<unsigned char>(c)));
    return result;
}

namespace {

unsigned char LowerAscii(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + 0x20) : byte;
}

} // namespace

int CompareTextAscii(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = LowerAscii(static_cast<unsigned char>(a[i]));
        const int cb = LowerAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca - cb;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameTextWin1251(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerWin1251(static_cast<unsigned char>(a[i])) != LowerWin1251(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace morvane::filepanel
