#include "codepage/CodePage.h"

#include <array>
#include <cstdint>

namespace morvane::codepage {

namespace {

using Table = std::array<unsigned char, 128>;

// Position p of the three tables holds the same character (or, where a code page lacks it, the
// byte paired with it): 0-47 А..Я а..п, 48-95 box drawing paired with the remaining symbols,
// 96-111 р..я, 112-113 Ё ё, the rest the remaining symbols. Users' converted files depend on
// these pairings byte for byte.
constexpr Table kTable1251 = {
    0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF,
    0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF,
    0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF,
    0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F,
    0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F,
    0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF, 0xB0,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF,
    0xA8, 0xB8, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF,
};

constexpr Table kTableKoi8r = {
    0xE1, 0xE2, 0xF7, 0xE7, 0xE4, 0xE5, 0xF6, 0xFA, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0xF0,
    0xF2, 0xF3, 0xF4, 0xF5, 0xE6, 0xE8, 0xE3, 0xFE, 0xFB, 0xFD, 0xFF, 0xF9, 0xF8, 0xFC, 0xE0, 0xF1,
    0xC1, 0xC2, 0xD7, 0xC7, 0xC4, 0xC5, 0xD6, 0xDA, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD0,
    0x90, 0x91, 0x92, 0x81, 0x87, 0xB2, 0xB4, 0xA7, 0xA6, 0xB5, 0xA1, 0xA8, 0xAE, 0xAD, 0xAC, 0x83,
    0x84, 0x89, 0x88, 0x86, 0x80, 0x8A, 0xAF, 0xB0, 0xAB, 0xA5, 0xBB, 0xB8, 0xB1, 0xA0, 0xBE, 0xB9,
    0xBA, 0xB6, 0xB7, 0xAA, 0xA9, 0xA2, 0xA4, 0xBD, 0xBC, 0x85, 0x82, 0x8D, 0x8C, 0x8E, 0x8F, 0x8B,
    0xD2, 0xD3, 0xD4, 0xD5, 0xC6, 0xC8, 0xC3, 0xDE, 0xDB, 0xDD, 0xDF, 0xD9, 0xD8, 0xDC, 0xC0, 0xD1,
    0xB3, 0xA3, 0x99, 0x98, 0x93, 0x9B, 0x9F, 0x97, 0x9C, 0x95, 0x9E, 0x96, 0xBF, 0x9D, 0x94, 0x9A,
};

constexpr Table makeDos866()
{
    Table t {};
    for (int p = 0; p < 128; ++p)
        t[p] = static_cast<unsigned char>(0x80 + p);
    return t;
}

constexpr Table kTable866 = makeDos866();

constexpr const Table* kTables[3] = { &kTable1251, &kTableKoi8r, &kTable866 };

// byte -> byte maps for every (from, to) pair, built once.
struct ConversionMaps {
    std::array<std::array<std::array<unsigned char, 256>, 3>, 3> map {};

    ConversionMaps()
    {
        for (int from = 0; from < 3; ++from) {
            for (int to = 0; to < 3; ++to) {
                auto& m = map[from][to];
                for (int b = 0; b < 256; ++b)
                    m[b] = static_cast<unsigned char>(b);
                for (int p = 0; p < 128; ++p)
                    m[(*kTables[from])[p]] = (*kTables[to])[p];
            }
        }
    }
};

const ConversionMaps& maps()
{
    static const ConversionMaps instance;
    return instance;
}

// Unicode code points of Windows-1251 bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F.
// 0x98 is undefined in Windows-1251 and keeps the C1 control U+0098 so every byte survives.
constexpr std::array<char16_t, 64> kUpper1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

} // namespace

std::string ConvertText(std::string_view text, int from, int to)
{
    std::string out(text);
    ConvertTextInPlace(out, from, to);
    return out;
}

void ConvertTextInPlace(std::string& text, int from, int to)
{
    if (from == to || from < 0 || from > 2 || to < 0 || to > 2)
        return;
    const auto& m = maps().map[from][to];
    for (char& c : text)
        c = static_cast<char>(m[static_cast<unsigned char>(c)]);
}

int DetectCodePage(std::string_view text)
{
    int high = 0, low = 0, mid = 0;
    const size_t limit = text.size() < 20000 ? text.size() : 20000;
    for (size_t i = 0; i < limit; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0x80) {
            ++high;
            if (b <= 0xAF)
                ++low;
            else if (b >= 0xC0 && b <= 0xDF)
                ++mid;
        }
        if (high >= 1000)
            break;
    }
    if (low > high - low)
        return kDos866;
    if (mid > high - mid)
        return kKoi8r;
    return kWin1251;
}

char32_t Win1251ToUnicode(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return 0x0410 + (byte - 0xC0);
    return kUpper1251[byte - 0x80];
}

bool UnicodeToWin1251(char32_t cp, unsigned char& byte)
{
    if (cp < 0x80) {
        byte = static_cast<unsigned char>(cp);
        return true;
    }
    if (cp >= 0x0410 && cp <= 0x044F) {
        byte = static_cast<unsigned char>(0xC0 + (cp - 0x0410));
        return true;
    }
    for (size_t i = 0; i < kUpper1251.size(); ++i) {
        if (kUpper1251[i] == cp) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::string Utf8ToWin1251(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        unsigned char b = '?';
        if (DecodeUtf8Char(utf8, i, cp) && UnicodeToWin1251(cp, b))
            out += static_cast<char>(b);
        else
            out += '?';
    }
    return out;
}

std::string Win1251ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text)
        AppendUtf8(out, Win1251ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool DecodeUtf8Char(std::string_view s, size_t& i, char32_t& cp)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    int extra;
    char32_t min;
    if (lead < 0x80) {
        cp = lead;
        ++i;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, min = 0x10000;
    } else {
        ++i;
        return false;
    }
    if (i + static_cast<size_t>(extra) >= s.size()) {
        ++i;
        return false;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return false;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        i += extra + 1;
        return false;
    }
    i += extra + 1;
    return true;
}

} // namespace morvane::codepage
