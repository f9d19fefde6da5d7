// Windows-1251 letter case tables. Covered by tests/template/LetterCaseTest.cpp.

#include "template/LetterCase.h"

#include <array>

namespace morvane::templ {

namespace {

// Capital and small letter pairs outside the two contiguous alphabets (A-Z, and the 32 Russian
// letters at 0xC0-0xDF / 0xE0-0xFF).
constexpr unsigned char kPairs[][2] = {
    { 0x80, 0x90 }, // Dje
    { 0x81, 0x83 }, // Gje
    { 0x8A, 0x9A }, // Lje
    { 0x8C, 0x9C }, // Nje
    { 0x8D, 0x9D }, // Kje
    { 0x8E, 0x9E }, // Tshe
    { 0x8F, 0x9F }, // Dzhe
    { 0xA1, 0xA2 }, // short U
    { 0xA3, 0xBC }, // Je
    { 0xA5, 0xB4 }, // Ghe with upturn
    { 0xA8, 0xB8 }, // Yo
    { 0xAA, 0xBA }, // Ukrainian Ie
    { 0xAF, 0xBF }, // Yi
    { 0xB2, 0xB3 }, // Byelorussian-Ukrainian I
    { 0xBD, 0xBE }, // Dze
};

struct Tables {
    std::array<unsigned char, 256> upper {};
    std::array<unsigned char, 256> lower {};
};

Tables buildTables()
{
    Tables t;
    for (int c = 0; c < 256; ++c) {
        t.upper[c] = static_cast<unsigned char>(c);
        t.lower[c] = static_cast<unsigned char>(c);
    }
    auto pair = [&t](int capital, int small) {
        t.upper[small] = static_cast<unsigned char>(capital);
        t.lower[capital] = static_cast<unsigned char>(small);
    };
    for (int c = 'A'; c <= 'Z'; ++c)
        pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDF; ++c)
        pair(c, c + 32);
    for (const auto& p : kPairs)
        pair(p[0], p[1]);
    return t;
}

const Tables kTables = buildTables();

} // namespace

unsigned char ToUpper1251(unsigned char c)
{
    return kTables.upper[c];
}

unsigned char ToLower1251(unsigned char c)
{
    return kTables.lower[c];
}

unsigned char InvertCase1251(unsigned char c)
{
    const unsigned char upper = kTables.upper[c];
    return upper != c ? upper : kTables.lower[c];
}

char ConvertCase(char c, CaseConversion conversion)
{
    const auto byte = static_cast<unsigned char>(c);
    switch (conversion) {
    case CaseConversion::Lower:
        return static_cast<char>(ToLower1251(byte));
    case CaseConversion::Upper:
        return static_cast<char>(ToUpper1251(byte));
    case CaseConversion::Invert:
        return static_cast<char>(InvertCase1251(byte));
    case CaseConversion::None:
        break;
    }
    return c;
}

void ConvertCase(std::string& text, CaseConversion conversion)
{
    if (conversion == CaseConversion::None)
        return;
    for (char& c : text)
        c = ConvertCase(c, conversion);
}

} // namespace morvane::templ
