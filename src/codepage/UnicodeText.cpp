// Unicode files as program text. Tests: tests/codepage/UnicodeTextTest.cpp.

#include "codepage/UnicodeText.h"

#include <cstring>

namespace morvane::codepage {

namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.size() >= prefix.size() && std::memcmp(bytes.data(), prefix.data(), prefix.size()) == 0;
}

const std::string_view kUtf8Bom("\xEF\xBB\xBF", 3);
const std::string_view kUtf16LEBom("\xFF\xFE", 2);
const std::string_view kUtf16BEBom("\xFE\xFF", 2);
const std::string_view kUtf32LEBom("\xFF\xFE\x00\x00", 4);
const std::string_view kUtf32BEBom("\x00\x00\xFE\xFF", 4);

// The length of the run of ASCII bytes at the start of `bytes`, eight at a time.
size_t AsciiPrefix(std::string_view bytes)
{
    size_t i = 0;
    const size_t n = bytes.size();
    while (i + 8 <= n) {
        uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
        i += 8;
    }
    while (i < n && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    return i;
}

// Whether `tail` is the beginning of one UTF-8 sequence that the end of the data cut short: a
// file cut off mid-character is still UTF-8 (read, but not writable).
bool IsCutShortAtTheEnd(std::string_view tail)
{
    const auto lead = static_cast<unsigned char>(tail[0]);
    const size_t need = lead >= 0xC2 && lead <= 0xDF ? 2
        : lead >= 0xE0 && lead <= 0xEF               ? 3
        : lead >= 0xF0 && lead <= 0xF4               ? 4
                                                     : 0;
    if (need == 0 || tail.size() >= need)
        return false;
    for (size_t k = 1; k < tail.size(); ++k)
        if ((static_cast<unsigned char>(tail[k]) & 0xC0) != 0x80)
            return false;
    return true;
}

// Notes the first loss of a decoding.
void NoteLoss(FileText& file, TextLoss loss, size_t offset)
{
    if (file.loss == TextLoss::None) {
        file.loss = loss;
        file.lossOffset = offset;
    }
}

// Appends the program text of code point `cp`, or the placeholder when it has none.
void AppendCodePoint(FileText& file, char32_t cp, size_t offset)
{
    unsigned char byte = 0;
    if (UnicodeToWin1251(cp, byte)) {
        file.text += static_cast<char>(byte);
    } else {
        file.text += static_cast<char>(kPlaceholderByte);
        NoteLoss(file, TextLoss::Unrepresentable, offset);
    }
}

void DecodeUtf8Body(FileText& file, std::string_view bytes, size_t base)
{
    file.text.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const size_t ascii = AsciiPrefix(bytes.substr(i));
        file.text.append(bytes.data() + i, ascii);
        i += ascii;
        if (i >= bytes.size())
            break;
        const size_t start = i;
        char32_t cp = 0;
        if (DecodeUtf8Char(bytes, i, cp)) {
            AppendCodePoint(file, cp, base + start);
            continue;
        }
        // One placeholder per byte of a broken sequence, so what follows keeps its place.
        file.text.append(i - start, static_cast<char>(kPlaceholderByte));
        NoteLoss(file, TextLoss::Invalid, base + start);
    }
}

// UTF-16 or UTF-32 after the mark, for reading only.
void DecodeWide(FileText& file, std::string_view bytes, size_t base, int unit, bool bigEndian)
{
    NoteLoss(file, TextLoss::WideUnicode, 0);
    auto unitAt = [&](size_t i) {
        char32_t v = 0;
        for (int k = 0; k < unit; ++k) {
            const auto b
                = static_cast<unsigned char>(bytes[i + static_cast<size_t>(bigEndian ? k : unit - 1 - k)]);
            v = (v << 8) | b;
        }
        return v;
    };
    const size_t step = static_cast<size_t>(unit);
    size_t i = 0;
    while (i + step <= bytes.size()) {
        char32_t cp = unitAt(i);
        const size_t start = i;
        i += step;
        if (unit == 2 && cp >= 0xD800 && cp <= 0xDBFF && i + 2 <= bytes.size()) {
            const char32_t low = unitAt(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendCodePoint(file, cp, base + start);
    }
    if (i < bytes.size())
        file.text.append(bytes.size() - i, static_cast<char>(kPlaceholderByte));
}

} // namespace

ByteOrderMark DetectByteOrderMark(std::string_view bytes)
{
    if (StartsWith(bytes, kUtf8Bom))
        return ByteOrderMark::Utf8;
    if (StartsWith(bytes, kUtf32LEBom))
        return ByteOrderMark::Utf32LE;
    if (StartsWith(bytes, kUtf32BEBom))
        return ByteOrderMark::Utf32BE;
    if (StartsWith(bytes, kUtf16LEBom))
        return ByteOrderMark::Utf16LE;
    if (StartsWith(bytes, kUtf16BEBom))
        return ByteOrderMark::Utf16BE;
    return ByteOrderMark::None;
}

size_t ByteOrderMarkSize(ByteOrderMark bom)
{
    switch (bom) {
    case ByteOrderMark::None:
        return 0;
    case ByteOrderMark::Utf8:
        return 3;
    case ByteOrderMark::Utf16LE:
    case ByteOrderMark::Utf16BE:
        return 2;
    case ByteOrderMark::Utf32LE:
    case ByteOrderMark::Utf32BE:
        return 4;
    }
    return 0;
}

bool IsUtf8Text(std::string_view bytes)
{
    if (StartsWith(bytes, kUtf8Bom))
        return true;
    bool multiByte = false;
    size_t i = 0;
    while (i < bytes.size()) {
        i += AsciiPrefix(bytes.substr(i));
        if (i >= bytes.size())
            break;
        const size_t start = i;
        char32_t cp = 0;
        if (!DecodeUtf8Char(bytes, i, cp))
            return IsCutShortAtTheEnd(bytes.substr(start)) && multiByte;
        multiByte = true;
    }
    return multiByte;
}

int DetectFileCodePage(std::string_view bytes)
{
    return IsUtf8Text(bytes) ? kUtf8 : DetectCodePage(bytes);
}

FileText DecodeFileText(std::string_view bytes, int codePage)
{
    FileText file;
    file.bom = DetectByteOrderMark(bytes);
    switch (file.bom) {
    case ByteOrderMark::Utf16LE:
    case ByteOrderMark::Utf16BE:
    case ByteOrderMark::Utf32LE:
    case ByteOrderMark::Utf32BE: {
        const size_t skip = ByteOrderMarkSize(file.bom);
        const int unit = file.bom == ByteOrderMark::Utf16LE || file.bom == ByteOrderMark::Utf16BE ? 2 : 4;
        const bool bigEndian = file.bom == ByteOrderMark::Utf16BE || file.bom == ByteOrderMark::Utf32BE;
        file.codePage = kUtf8; // closest to what it is; never written anyway
        DecodeWide(file, bytes.substr(skip), skip, unit, bigEndian);
        return file;
    }
    case ByteOrderMark::Utf8:
    case ByteOrderMark::None:
        break;
    }
    if (codePage != kUtf8) {
        file.bom = ByteOrderMark::None;
        file.codePage = codePage >= kWin1251 && codePage <= kDos866 ? codePage : kWin1251;
        file.text = ConvertText(bytes, file.codePage, kWin1251);
        return file;
    }
    file.codePage = kUtf8;
    const size_t skip = ByteOrderMarkSize(file.bom);
    DecodeUtf8Body(file, bytes.substr(skip), skip);
    return file;
}

std::string EncodeFileText(std::string_view text, int codePage, ByteOrderMark bom)
{
    if (codePage != kUtf8)
        return ConvertText(text, kWin1251, codePage);
    std::string out;
    out.reserve(text.size() + text.size() / 2 + 3);
    if (bom == ByteOrderMark::Utf8)
        out.append(kUtf8Bom);
    size_t i = 0;
    while (i < text.size()) {
        const size_t ascii = AsciiPrefix(text.substr(i));
        out.append(text.data() + i, ascii);
        i += ascii;
        if (i < text.size())
            AppendUtf8(out, Win1251ToUnicode(static_cast<unsigned char>(text[i++])));
    }
    return out;
}

} // namespace morvane::codepage
