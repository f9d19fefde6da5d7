#pragma once
// The compiled node program shared by the compiler, the analysis and the matcher. Byte 0 is the
// magic value; nodes follow from byte 1, each with a 5-byte header (opcode, signed 32-bit
// little-endian link from this node to its successor, 0 for none) and then its operands.
// Covered by tests/regex/ProgramLayoutTest.cpp.

#include <cstdint>
#include <cstring>

namespace morvane::regex {

enum class Opcode : unsigned char {
    OpEnd = 0,
    OpInputStart = 1,
    OpInputEnd = 2,
    OpAny = 3,
    OpBranch = 6,
    OpBack = 7,
    OpExactly = 8,
    OpNothing = 9,
    OpStar = 10,
    OpPlus = 11,
    OpDigit = 12,
    OpNotDigit = 13,
    OpBraces = 18,
    OpComment = 19,
    OpExactlyCI = 20,
    OpLoopEntry = 23,
    OpLoop = 24,
    OpAnyOf3 = 25,
    OpAnyBut3 = 26,
    OpAnyOfSet = 27,
    OpBackRef = 28,
    OpBackRefCI = 29,
    OpStarLazy = 30,
    OpPlusLazy = 31,
    OpBracesLazy = 32,
    OpLoopLazy = 33,
    OpLineStart = 34,
    OpLineEnd = 35,
    OpAnyInLine = 36,
    OpWordBound = 37,
    OpNotWordBound = 38,
    OpOpenFirst = 40, // OpOpen n is 39 + n
    OpOpenLast = 53,
    OpCloseFirst = 55, // OpClose n is 54 + n
    OpCloseLast = 68,
};

constexpr unsigned char kProgramMagic = 216;
constexpr int kNodeHeaderSize = 5;
constexpr int kBracesOperandSize = 8; // min, max
constexpr int kLoopOperandSize = 12; // min, max, body offset
constexpr int kSetSize = 32;
constexpr int kMaxGroups = 14;
constexpr int kMaxLoopLevels = 10;
// Maximum of "*", "+" (simple forms) and the implicit maximum of "{n,}" and complex loops.
constexpr int32_t kInfinity = 2147483647;
constexpr int32_t kBracesInfinity = 2147483646;

// Modifier bits (the order of the numbered accessors is i, r, s, g, m, x).
constexpr int kModifierI = 1;
constexpr int kModifierR = 2;
constexpr int kModifierS = 4;
constexpr int kModifierG = 8;
constexpr int kModifierM = 16;
constexpr int kModifierX = 32;
constexpr int kModifierAll = 63;

inline int32_t ReadInt32(const unsigned char* p)
{
    uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return int32_t(v);
}

inline void WriteInt32(unsigned char* p, int32_t value)
{
    const uint32_t v = uint32_t(value);
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

inline Opcode OpAt(const unsigned char* program, int node) { return Opcode(program[node]); }

// The successor of `node`, or 0 when its link is 0 (node offsets are never 0: byte 0 is the magic).
inline int NextNode(const unsigned char* program, int node)
{
    const int32_t link = ReadInt32(program + node + 1);
    return link == 0 ? 0 : node + link;
}

inline bool IsOpen(Opcode op) { return op >= Opcode::OpOpenFirst && op <= Opcode::OpOpenLast; }
inline bool IsClose(Opcode op) { return op >= Opcode::OpCloseFirst && op <= Opcode::OpCloseLast; }

inline bool SetHas(const unsigned char* set32, unsigned char c) { return (set32[c >> 3] >> (c & 7)) & 1; }

} // namespace morvane::regex
