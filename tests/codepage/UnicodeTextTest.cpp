// Unicode files read into program text and written back.

#include "codepage/UnicodeText.h"

#include <gtest/gtest.h>

#include <string>

namespace morvane::codepage {
namespace {

const std::string kBom = "\xEF\xBB\xBF";
const char kPlaceholder = static_cast<char>(kPlaceholderByte);

TEST(UnicodeText, EveryProgramCharacterSurvivesUtf8AndBack)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    for (ByteOrderMark bom : { ByteOrderMark::None, ByteOrderMark::Utf8 }) {
        const std::string bytes = EncodeFileText(all, kUtf8, bom);
        EXPECT_EQ(bytes.rfind(kBom, 0) == 0, bom == ByteOrderMark::Utf8);
        const FileText read = DecodeFileText(bytes, kUtf8);
        EXPECT_TRUE(read.writable());
        EXPECT_EQ(read.bom, bom);
        EXPECT_EQ(read.text, all);
        EXPECT_EQ(EncodeFileText(read.text, kUtf8, read.bom), bytes);
    }
}

TEST(UnicodeText, FilesComeBackByteForByte)
{
    // Line ends of every kind, a mark, ASCII only, Cyrillic, and the placeholder's own
    // character U+0098 (which the program text can hold).
    const std::string files[] = {
        "plain ascii\r\nline\nend\rcr",
        kBom + "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\n\xD0\x81\xD0\xB6\r",
        "\xD1\x91\xC2\xA0\xE2\x80\x94\xE2\x84\x96\xC2\x98\n",
        kBom,
        "",
    };
    for (const std::string& bytes : files) {
        const FileText read = DecodeFileText(bytes, kUtf8);
        ASSERT_TRUE(read.writable()) << bytes;
        EXPECT_EQ(EncodeFileText(read.text, kUtf8, read.bom), bytes);
    }
    // The mark is removed from the text and never doubled by writing.
    const FileText marked = DecodeFileText(kBom + "x", kUtf8);
    EXPECT_EQ(marked.text, "x");
    EXPECT_EQ(EncodeFileText(marked.text, kUtf8, marked.bom), kBom + "x");
}

TEST(UnicodeText, WhatTheProgramCannotHoldIsReadButNotWritable)
{
    struct Case {
        std::string bytes;
        std::string text; // as read
        TextLoss loss;
        size_t offset;
    };
    const std::string p(1, kPlaceholder);
    const Case cases[] = {
        { "ok \xE2\x9C\x93 \xD0\xB4\xD0\xB0", "ok " + p + " \xE4\xE0", TextLoss::Unrepresentable, 3 }, // ✓
        { "\xE4\xB8\xAD", p, TextLoss::Unrepresentable, 0 }, // 中
        { "a\xF0\x9F\x98\x80z", "a" + p + "z", TextLoss::Unrepresentable, 1 }, // emoji: one character
        { "a\xD0z", "a" + p + "z", TextLoss::Invalid, 1 }, // cut short
        { "\xD0", p, TextLoss::Invalid, 0 }, // cut by the end of the file
        { "x\x80y", "x" + p + "y", TextLoss::Invalid, 1 }, // lone continuation byte
        { "\xC0\xAFq", p + p + "q", TextLoss::Invalid, 0 }, // overlong "/": one per byte
        { "\xED\xA0\x80", p + p + p, TextLoss::Invalid, 0 }, // surrogate
        { kBom + "\xE2\x9C\x93", p, TextLoss::Unrepresentable, 3 },
    };
    for (const Case& c : cases) {
        const FileText read = DecodeFileText(c.bytes, kUtf8);
        EXPECT_EQ(read.text, c.text) << c.bytes;
        EXPECT_EQ(read.loss, c.loss) << c.bytes;
        EXPECT_EQ(read.lossOffset, c.offset) << c.bytes;
        EXPECT_FALSE(read.writable()) << c.bytes;
    }
}

TEST(UnicodeText, WideUnicodeFilesAreReadOnlyWhateverTheCodePage)
{
    struct Case {
        std::string bytes;
        ByteOrderMark bom;
    };
    // "Да!" in each form.
    const Case cases[] = {
        { std::string("\xFF\xFE\x14\x04\x30\x04!\x00", 8), ByteOrderMark::Utf16LE },
        { std::string("\xFE\xFF\x04\x14\x04\x30\x00!", 8), ByteOrderMark::Utf16BE },
        { std::string("\xFF\xFE\x00\x00\x14\x04\x00\x00\x30\x04\x00\x00!\x00\x00\x00", 16),
            ByteOrderMark::Utf32LE },
        { std::string("\x00\x00\xFE\xFF\x00\x00\x04\x14\x00\x00\x04\x30\x00\x00\x00!", 16),
            ByteOrderMark::Utf32BE },
    };
    for (const Case& c : cases) {
        for (int codePage : { kWin1251, kKoi8r, kUtf8 }) {
            const FileText read = DecodeFileText(c.bytes, codePage);
            EXPECT_EQ(read.bom, c.bom);
            EXPECT_EQ(read.text, "\xC4\xE0!");
            EXPECT_EQ(read.loss, TextLoss::WideUnicode);
        }
    }
    // A surrogate pair is one character.
    const FileText pair = DecodeFileText(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), kUtf8);
    EXPECT_EQ(pair.text, std::string(1, kPlaceholder));
}

TEST(UnicodeText, EightBitCodePagesTakeTheBytesAsTheyAre)
{
    const std::string bytes = kBom + "\xE1\xE2";
    const FileText read = DecodeFileText(bytes, kKoi8r);
    EXPECT_TRUE(read.writable());
    EXPECT_EQ(read.bom, ByteOrderMark::None);
    EXPECT_EQ(read.text, ConvertText(bytes, kKoi8r, kWin1251));
    EXPECT_EQ(EncodeFileText(read.text, kKoi8r), bytes);
}

TEST(UnicodeText, Detection)
{
    // The same Russian sentence, short and long, in every code page.
    const std::string shortUtf8 = "\xD0\x94\xD0\xB0, \xD1\x80\xD0\xB0\xD0\xB4."; // "Да, рад."
    std::string longUtf8;
    for (int i = 0; i < 200; ++i)
        longUtf8 += "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80! Hello. ";
    struct Case {
        std::string bytes;
        int expected;
    };
    std::vector<Case> cases;
    for (const std::string& utf8 : { shortUtf8, longUtf8 }) {
        const std::string text = Utf8ToWin1251(utf8);
        cases.push_back({ utf8, kUtf8 });
        cases.push_back({ kBom + utf8, kUtf8 });
        cases.push_back({ text, kWin1251 });
        cases.push_back({ ConvertText(text, kWin1251, kKoi8r), kKoi8r });
        cases.push_back({ ConvertText(text, kWin1251, kDos866), kDos866 });
    }
    cases.push_back({ "only ascii\r\n", kWin1251 });
    cases.push_back({ kBom, kUtf8 });
    cases.push_back({ "", kWin1251 });
    // Cut short at the end it is still UTF-8; broken inside, the 8-bit guess decides.
    cases.push_back({ longUtf8 + "\xD0", kUtf8 });
    cases.push_back({ longUtf8 + "\xE2\x80", kUtf8 });
    const std::string broken = longUtf8 + "\xD0x";
    cases.push_back({ broken, DetectCodePage(broken) });
    for (const Case& c : cases)
        EXPECT_EQ(DetectFileCodePage(c.bytes), c.expected) << c.bytes.substr(0, 40);
}

} // namespace
} // namespace morvane::codepage
