// Letter case of Windows-1251 text. Covered by tests/filepanel/MaskTest.cpp.

#include "filepanel/CaseFold.h"

#include <algorithm>

namespace morvane::filepanel {

namespace {

// Upper-case letters outside the contiguous А..Я block, with their lower-case forms.
struct CasePair {
    unsigned char upper;
    unsigned char lower;
};
constexpr CasePair kOtherLetters[] = {
    { 0x80, 0x90 }, // Ђ ђ
    { 0x81, 0x83 }, // Ѓ ѓ
    { 0x8A, 0x9A }, // Љ љ
    { 0x8C, 0x9C }, // Њ њ
    { 0x8D, 0x9D }, // Ќ ќ
    { 0x8E, 0x9E }, // Ћ ћ
    { 0x8F, 0x9F }, // Џ џ
    { 0xA1, 0xA2 }, // Ў ў
    { 0xA3, 0xBC }, // Ј ј
    { 0xA5, 0xB4 }, // Ґ ґ
    { 0xA8, 0xB8 }, // Ё ё
    { 0xAA, 0xBA }, // Є є
    { 0xAF, 0xBF }, // Ї ї
    { 0xB2, 0xB3 }, // І і
    { 0xBD, 0xBE }, // Ѕ ѕ
};

} // namespace

unsigned char LowerWin1251(unsigned char byte)
{
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDF)) // Latin, А..Я
        return static_cast<unsigned char>(byte + 0x20);
    for (const CasePair& pair : kOtherLetters) {
        if (pair.upper == byte)
            return pair.lower;
    }
    return byte;
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
