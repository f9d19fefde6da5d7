#pragma once
// Files stored as Unicode, read into the program's 8-bit text and written back without damage.
// Covered by tests/codepage/UnicodeTextTest.cpp.
//
// A UTF-8 file becomes Windows-1251 text by the bijection of CodePage.h, so positions, matches
// and templates work on it as on any 8-bit file. Writing it back encodes the same way; since
// valid UTF-8 has exactly one encoding per character, every byte outside the changes comes back
// identical, line ends and a byte-order mark included. What Windows-1251 cannot hold (a "✓",
// an emoji, a broken sequence) reads as the placeholder byte 0x98 — the one code Windows-1251
// leaves without a character — and marks the text as not writable: writing it would replace
// those characters, so every writer refuses such a text. Files with a UTF-16 or UTF-32
// byte-order mark are decoded for reading only, under the same rule.

#include "codepage/CodePage.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::codepage {

// The byte that stands for a character the program's text cannot hold.
inline constexpr unsigned char kPlaceholderByte = 0x98;

// The byte-order marks recognised at the start of a file.
enum class ByteOrderMark { None, Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

// The mark `bytes` begins with (UTF-32 little-endian wins over UTF-16 little-endian, whose
// mark is its prefix).
ByteOrderMark DetectByteOrderMark(std::string_view bytes);
// The mark's length in bytes (0 for None).
size_t ByteOrderMarkSize(ByteOrderMark bom);

// Whether `bytes` is taken for UTF-8: it begins with the UTF-8 byte-order mark, or it is valid
// UTF-8 holding at least one multi-byte sequence (a last sequence cut short by the end of the
// data is allowed: a truncated UTF-8 file is still UTF-8). Pure ASCII is not: the 8-bit guess
// decides.
bool IsUtf8Text(std::string_view bytes);

// The code page of a file's bytes: kUtf8 when IsUtf8Text, else DetectCodePage.
int DetectFileCodePage(std::string_view bytes);

// Why a read text may not be written back.
enum class TextLoss {
    None,
    Unrepresentable, // characters Windows-1251 lacks
    Invalid, // bytes that are not valid in the file's Unicode form
    WideUnicode, // a UTF-16 or UTF-32 file: never written by this program
};

// A file's content as program text, with what writing it back needs.
struct FileText {
    std::string text; // Windows-1251
    int codePage = kWin1251; // the code page the bytes were read in (0 to 3)
    ByteOrderMark bom = ByteOrderMark::None; // removed from `text`, restored by EncodeFileText
    TextLoss loss = TextLoss::None;
    // Byte offset in the file of the first character that `loss` is about.
    size_t lossOffset = 0;

    bool writable() const { return loss == TextLoss::None; }
};

// Reads `bytes` in code page `codePage` (0 to 3). A UTF-16 or UTF-32 byte-order mark is
// honoured whatever the code page: such a file is decoded, and is not writable. With kUtf8 a
// leading UTF-8 mark is removed and remembered; with an 8-bit code page the bytes are taken as
// they are, a mark included.
FileText DecodeFileText(std::string_view bytes, int codePage);

// The bytes of `text` in code page `codePage` (0 to 3), with `bom` put back in front for
// UTF-8. Never fails: a text read lossily must be stopped by its FileText before it comes here.
std::string EncodeFileText(std::string_view text, int codePage, ByteOrderMark bom = ByteOrderMark::None);

} // namespace morvane::codepage
