#pragma once
// Code pages of the program's texts: Windows-1251 (the program's own), KOI8-R and DOS-866.
// Conversion between them, detection of a text's code page, and the conversions at the edges:
// Windows-1251 <-> Unicode for display (a bijection of all 256 bytes, so positions stay one
// character per byte) and UTF-8 -> Windows-1251 for source literals and file system paths.
// Covered by tests/codepage/CodePageTest.cpp.

#include <string>
#include <string_view>

namespace morvane::codepage {

// Code page numbers as the program stores them (editor box index, converter settings). UTF-8
// is not an 8-bit table: ConvertText leaves it alone, UnicodeText.h reads and writes it.
enum CodePageId : int { kWin1251 = 0, kKoi8r = 1, kDos866 = 2, kUtf8 = 3 };

// Converts `text` from code page `from` to code page `to` (0, 1 or 2), byte for byte; bytes
// below 128 are unchanged. Equal or unknown code pages return the text unchanged.
std::string ConvertText(std::string_view text, int from, int to);
// The same, over the text itself: an 8-bit conversion keeps every position.
void ConvertTextInPlace(std::string& text, int from, int to);

// Guesses the code page of `text`: 0 Windows-1251, 1 KOI8-R, 2 DOS-866.
int DetectCodePage(std::string_view text);

// Windows-1251 byte -> Unicode code point, and back. Every byte has its own code point (the one
// byte Windows-1251 leaves undefined, 0x98, maps to U+0098), so the mapping is a bijection.
char32_t Win1251ToUnicode(unsigned char byte);
// Returns false when `cp` has no Windows-1251 byte.
bool UnicodeToWin1251(char32_t cp, unsigned char& byte);

// UTF-8 <-> Windows-1251 text. Characters that Windows-1251 lacks, and malformed UTF-8
// sequences, become "?" (in this direction only): a broken sequence gives one "?" per byte, a
// complete but invalid one (overlong form, surrogate) a single "?".
std::string Utf8ToWin1251(std::string_view utf8);
std::string Win1251ToUtf8(std::string_view text);

// One UTF-8 character of `s` at `i`: on success `cp` is its code point and `i` moves past it;
// a malformed sequence returns false, moving `i` past one byte when the sequence is cut short
// and past the whole sequence when it is complete but invalid (overlong, surrogate, too large).
bool DecodeUtf8Char(std::string_view s, size_t& i, char32_t& cp);
// Appends the UTF-8 form of `cp` to `out`.
void AppendUtf8(std::string& out, char32_t cp);

} // namespace morvane::codepage
