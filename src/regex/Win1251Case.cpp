// Windows-1251 case pairs. Covered by tests/regex/CaseTest.cpp.

#include "regex/Win1251Case.h"

#include <array>

namespace morvane::regex {

namespace {

// Upper/lower pairs outside the two contiguous alphabets.
constexpr unsigned char kPairs[][2] = {
    { 0x80, 0x90 }, { 0x81, 0x83 }, { 0x8A, 0x9A }, { 0x8C, 0x9C }, { 0x8D, 0x9D }, { 0x8E, 0x9E },
    { 0x8F, 0x9F }, { 0xA1, 0xA2 }, { 0xA3, 0xBC }, { 0xA5, 0xB4 }, { 0xA8, 0xB8 }, { 0xAA, 0xBA },
    { 0xAF, 0xBF }, { 0xB2, 0xB3 }, { 0xBD, 0xBE },
};

std::array<unsigned char, 256> buildTable()
{
    std::array<unsigned char, 256> table {};
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c);
    for (int c = 'a'; c <= 'z'; ++c) {
        table[c] = static_cast<unsigned char>(c - 32);
        table[c - 32] = static_cast<unsigned char>(c);
    }
    for (int c = 0xE0; c <= 0xFF; ++c) {
        table[c] = static_cast<unsigned char>(c - 32);
        table[c - 32] = static_cast<unsigned char>(c);
    }
    for (const auto& pair : kPairs) {
        table[pair[0]] = pair[1];
        table[pair[1]] = pair[0];
    }
    return table;
}

const std::array<unsigned char, 256> kTable = buildTable();

} // namespace

unsigned char Win1251InvertCase(unsigned char c) { return kTable[c]; }

} // namespace morvane::regex
