#pragma once
// The start scan of a pattern whose matches begin with a literal: blocks of 32 starts are
// tested at once for up to three of the literal's characters at their places (each in either
// case when case does not count), so that only starts where all of them stand are tried. A
// pair of characters can be common in text ("he" of "the"); three together rarely are.
// Covered by tests/regex/SearchTest.cpp (StartScans).

#include <cstdint>

namespace morvane::regex {

struct LiteralScan {
    const unsigned char* s = nullptr;
    int length = 0;
    int offsets[3] = {}; // where the characters stand in the literal; [0] is the rarest
    unsigned char chars[3][2] = {}; // each character and its other case (itself when case counts)
    bool leap = false; // memchr may leap to the rarest character (it has one case only)

    // Word-boundary tests the literal stands between, tried on whole blocks so that starts the
    // tests refuse ("the" inside "other") never leave the scan. Each names the word-ness the
    // character before the literal, or the one after it, must have; the starts that pass are
    // still tested one by one, so a block test may only drop starts, and only where the
    // characters it reads are the subject's own (not at its start, not past its end).
    // `wordClass` is the word table as two nibble tables (WordNibbles), nullptr for no test.
    bool testBefore = false;
    bool wordBefore = false;
    bool testAfter = false;
    bool wordAfter = false;
    int after = 0; // the offset of the character after the literal: its length
    const unsigned char* wordClass = nullptr; // 32 bytes: low-nibble table, then high-nibble

    // The starts a block test reads past: a block at `start` needs start + reach() <= length.
    int reach() const;
};

// The word table `word` as two 16-entry tables: c is a word character when
// (table[c & 15] & table[16 + (c >> 4)]) != 0. False when the table has more than eight
// different rows of 16 characters, which eight bits cannot tell apart.
bool WordNibbles(const bool word[256], unsigned char table[32]);

// The first block of 32 starts from `start` on that holds candidates: `start` is moved to it and
// its candidates come back as a mask (bit i: start + i). 0 when no whole block is left, with
// `start` where testing one start at a time must go on, or when the rarest character does not
// occur again (then `start` is `length`).
std::uint32_t NextCandidates(const LiteralScan& scan, int& start);

// The instructions the scan uses: the best the processor has, unless a test chooses (the
// results are the same whichever it is).
enum class ScanLevel { Plain, Sse2, Avx2, Best };
void SetLiteralScanLevel(ScanLevel level);

} // namespace morvane::regex
