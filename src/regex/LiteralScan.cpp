// The block scan for a literal start. Tests: tests/regex/SearchTest.cpp.

#include "regex/LiteralScan.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__SSE2__)
#include <immintrin.h>
#define MORVANE_LITERAL_SCAN_SIMD 1
#endif

namespace morvane::regex {

int LiteralScan::reach() const
{
    return std::max({ offsets[0], offsets[1], offsets[2] }) + 32;
}

namespace {

// Where the rarest character is sparse (two blocks in a row without it), memchr leaps further
// than a block; where it is dense, its calls would cost more than they save. False when the
// character does not occur again.
bool Leap(const LiteralScan& scan, int& start, int& emptyBlocks)
{
    if (++emptyBlocks < 2 || !scan.leap) {
        start += 32;
        return true;
    }
    const int from = start + scan.offsets[0] + 32;
    const void* found = from < scan.length
        ? std::memchr(scan.s + from, scan.chars[0][0], size_t(scan.length - from))
        : nullptr;
    if (found == nullptr) {
        start = scan.length;
        return false;
    }
    start = int(static_cast<const unsigned char*>(found) - scan.s) - scan.offsets[0];
    return true;
}

#ifdef MORVANE_LITERAL_SCAN_SIMD

// Where the 32 characters at `at` are word characters (WordNibbles).
__attribute__((target("avx2"), always_inline)) inline __m256i WordCharsAvx2(const unsigned char* at, __m256i low,
    __m256i high)
{
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i rows = _mm256_and_si256(_mm256_shuffle_epi8(low, _mm256_and_si256(v, nibble)),
        _mm256_shuffle_epi8(high, _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble)));
    return _mm256_xor_si256(_mm256_cmpeq_epi8(rows, _mm256_setzero_si256()), _mm256_set1_epi8(-1));
}

// `found` for the block at `at` less the starts the boundary tests refuse, where the
// characters around every start of the block are the subject's own.
__attribute__((target("avx2"), always_inline)) inline std::uint32_t BoundedAvx2(
    const LiteralScan& scan, int at, __m256i found, __m256i low, __m256i high)
{
    __m256i keep = found;
    if (scan.testBefore && at >= 1) {
        const __m256i word = WordCharsAvx2(scan.s + at - 1, low, high);
        keep = scan.wordBefore ? _mm256_and_si256(keep, word) : _mm256_andnot_si256(word, keep);
    }
    if (scan.testAfter && at + scan.after + 32 <= scan.length) {
        const __m256i word = WordCharsAvx2(scan.s + at + scan.after, low, high);
        keep = scan.wordAfter ? _mm256_and_si256(keep, word) : _mm256_andnot_si256(word, keep);
    }
    return std::uint32_t(_mm256_movemask_epi8(keep));
}

// The candidates of the block at `at` as a mask: `found`, less what the boundary tests refuse
// when there are any.
__attribute__((target("avx2"), always_inline)) inline std::uint32_t CandidatesAvx2(
    const LiteralScan& scan, int at, __m256i found, bool bounded, __m256i low, __m256i high)
{
    return bounded ? BoundedAvx2(scan, at, found, low, high) : std::uint32_t(_mm256_movemask_epi8(found));
}

// The 32 starts at `at`: where the rarest character stands comes back in `rare`, where all
// three do is returned.
__attribute__((target("avx2"), always_inline)) inline __m256i TestBlockAvx2(const unsigned char* at,
    const int* offsets, __m256i a0, __m256i b0, __m256i a1, __m256i b1, __m256i a2, __m256i b2, __m256i& rare)
{
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + offsets[0]));
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + offsets[1]));
    const __m256i z = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + offsets[2]));
    rare = _mm256_or_si256(_mm256_cmpeq_epi8(x, a0), _mm256_cmpeq_epi8(x, b0));
    return _mm256_and_si256(
        _mm256_and_si256(rare, _mm256_or_si256(_mm256_cmpeq_epi8(y, a1), _mm256_cmpeq_epi8(y, b1))),
        _mm256_or_si256(_mm256_cmpeq_epi8(z, a2), _mm256_cmpeq_epi8(z, b2)));
}

__attribute__((target("avx2"))) std::uint32_t NextCandidatesAvx2(const LiteralScan& scan, int& start)
{
    const __m256i a0 = _mm256_set1_epi8(char(scan.chars[0][0]));
    const __m256i b0 = _mm256_set1_epi8(char(scan.chars[0][1]));
    const __m256i a1 = _mm256_set1_epi8(char(scan.chars[1][0]));
    const __m256i b1 = _mm256_set1_epi8(char(scan.chars[1][1]));
    const __m256i a2 = _mm256_set1_epi8(char(scan.chars[2][0]));
    const __m256i b2 = _mm256_set1_epi8(char(scan.chars[2][1]));
    const unsigned char* s = scan.s;
    const int reach = scan.reach();
    const bool bounded = scan.wordClass != nullptr && (scan.testBefore || scan.testAfter);
    const __m256i low = bounded
        ? _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(scan.wordClass)))
        : _mm256_setzero_si256();
    const __m256i high = bounded
        ? _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(scan.wordClass + 16)))
        : _mm256_setzero_si256();
    int emptyBlocks = 0;
    // Two blocks a round: one branch for 64 starts where there is nothing.
    while (start + 32 + reach <= scan.length) {
        __m256i rare0;
        __m256i rare1;
        const __m256i found0 = TestBlockAvx2(s + start, scan.offsets, a0, b0, a1, b1, a2, b2, rare0);
        const __m256i found1 = TestBlockAvx2(s + start + 32, scan.offsets, a0, b0, a1, b1, a2, b2, rare1);
        const __m256i found = _mm256_or_si256(found0, found1);
        if (!_mm256_testz_si256(found, found)) {
            if (const std::uint32_t mask = CandidatesAvx2(scan, start, found0, bounded, low, high))
                return mask;
            if (const std::uint32_t mask = CandidatesAvx2(scan, start + 32, found1, bounded, low, high)) {
                start += 32;
                return mask;
            }
        }
        const __m256i rare = _mm256_or_si256(rare0, rare1);
        if (!_mm256_testz_si256(rare, rare)) {
            emptyBlocks = 0;
            start += 64;
        } else {
            start += 32;
            if (!Leap(scan, start, emptyBlocks))
                return 0;
        }
    }
    while (start + reach <= scan.length) {
        __m256i rare;
        const __m256i found = TestBlockAvx2(s + start, scan.offsets, a0, b0, a1, b1, a2, b2, rare);
        if (const std::uint32_t mask = CandidatesAvx2(scan, start, found, bounded, low, high))
            return mask;
        if (_mm256_movemask_epi8(rare) != 0) {
            emptyBlocks = 0;
            start += 32;
        } else if (!Leap(scan, start, emptyBlocks)) {
            return 0;
        }
    }
    return 0;
}

std::uint32_t NextCandidatesSse2(const LiteralScan& scan, int& start)
{
    const __m128i a0 = _mm_set1_epi8(char(scan.chars[0][0]));
    const __m128i b0 = _mm_set1_epi8(char(scan.chars[0][1]));
    const __m128i a1 = _mm_set1_epi8(char(scan.chars[1][0]));
    const __m128i b1 = _mm_set1_epi8(char(scan.chars[1][1]));
    const __m128i a2 = _mm_set1_epi8(char(scan.chars[2][0]));
    const __m128i b2 = _mm_set1_epi8(char(scan.chars[2][1]));
    const unsigned char* s = scan.s;
    const int reach = scan.reach();
    int emptyBlocks = 0;
    const auto half = [&](int at, __m128i& rare) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + at + scan.offsets[0]));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + at + scan.offsets[1]));
        const __m128i z = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + at + scan.offsets[2]));
        rare = _mm_or_si128(_mm_cmpeq_epi8(x, a0), _mm_cmpeq_epi8(x, b0));
        return _mm_and_si128(_mm_and_si128(rare, _mm_or_si128(_mm_cmpeq_epi8(y, a1), _mm_cmpeq_epi8(y, b1))),
            _mm_or_si128(_mm_cmpeq_epi8(z, a2), _mm_cmpeq_epi8(z, b2)));
    };
    while (start + reach <= scan.length) {
        __m128i rare0;
        __m128i rare1;
        const __m128i found0 = half(start, rare0);
        const __m128i found1 = half(start + 16, rare1);
        if (const auto mask = std::uint32_t(_mm_movemask_epi8(found0))
                | std::uint32_t(_mm_movemask_epi8(found1)) << 16)
            return mask;
        if (_mm_movemask_epi8(_mm_or_si128(rare0, rare1)) != 0) {
            emptyBlocks = 0;
            start += 32;
        } else if (!Leap(scan, start, emptyBlocks)) {
            return 0;
        }
    }
    return 0;
}

#endif

// Without vector instructions: the same blocks, one start at a time.
std::uint32_t NextCandidatesPlain(const LiteralScan& scan, int& start)
{
    const auto at = [&](int position, int k) {
        const unsigned char c = scan.s[position + scan.offsets[k]];
        return c == scan.chars[k][0] || c == scan.chars[k][1];
    };
    const int reach = scan.reach();
    for (; start + reach <= scan.length; start += 32) {
        std::uint32_t mask = 0;
        for (int i = 0; i < 32; ++i) {
            if (at(start + i, 0) && at(start + i, 1) && at(start + i, 2))
                mask |= std::uint32_t { 1 } << i;
        }
        if (mask != 0)
            return mask;
    }
    return 0;
}

using ScanFunction = std::uint32_t (*)(const LiteralScan&, int&);

ScanFunction ScanFor(ScanLevel level)
{
#ifdef MORVANE_LITERAL_SCAN_SIMD
    if (level == ScanLevel::Best)
        level = __builtin_cpu_supports("avx2") ? ScanLevel::Avx2 : ScanLevel::Sse2;
    if (level == ScanLevel::Avx2 && __builtin_cpu_supports("avx2"))
        return NextCandidatesAvx2;
    if (level != ScanLevel::Plain)
        return NextCandidatesSse2;
#endif
    (void)level;
    return NextCandidatesPlain;
}

ScanFunction g_scan = ScanFor(ScanLevel::Best);

} // namespace

bool WordNibbles(const bool word[256], unsigned char table[32])
{
    std::uint16_t rows[16] = {};
    for (int c = 0; c < 256; ++c) {
        if (word[c])
            rows[c >> 4] |= std::uint16_t(1u << (c & 15));
    }
    std::uint16_t distinct[8] = {};
    int count = 0;
    std::fill(table, table + 32, 0);
    for (int h = 0; h < 16; ++h) {
        if (rows[h] == 0)
            continue;
        int bit = 0;
        while (bit < count && distinct[bit] != rows[h])
            ++bit;
        if (bit == count) {
            if (count == 8)
                return false;
            distinct[count++] = rows[h];
            for (int l = 0; l < 16; ++l) {
                if (rows[h] & (1u << l))
                    table[l] |= static_cast<unsigned char>(1u << bit);
            }
        }
        table[16 + h] = static_cast<unsigned char>(1u << bit);
    }
    return true;
}

std::uint32_t NextCandidates(const LiteralScan& scan, int& start)
{
    return g_scan(scan, start);
}

void SetLiteralScanLevel(ScanLevel level)
{
    g_scan = ScanFor(level);
}

} // namespace morvane::regex
