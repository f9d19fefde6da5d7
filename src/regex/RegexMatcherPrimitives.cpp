// The matcher's one-step tests: line starts and ends with the separator set and the paired
// separator, word boundaries, one-character node tests, one repetition of a simple operand and
// the counting of consecutive repetitions (RegRepeat). Part of RegexMatcher.
// Covered by tests/regex/MatchTest.cpp and tests/regex/DifferentialTest.cpp.

#include "regex/RegexMatcher.h"

#include "regex/RegexErrors.h"

#include <algorithm>
#include <cstring>

namespace morvane::regex {

bool RegexMatcher::isLineStart(int pos) const
{
    if (pos == 0)
        return true;
    const unsigned char prev = m_s[pos - 1];
    const unsigned char c = m_s[pos];
    if (pos >= 2 && m_s[pos - 2] == m_env.pairHead && prev == m_env.pairTail)
        return true;
    if (prev == m_env.pairHead && c == m_env.pairTail)
        return false;
    return m_env.separators[prev];
}

bool RegexMatcher::isLineEnd(int pos) const
{
    if (pos >= m_length)
        return true;
    const unsigned char c = m_s[pos];
    if (c == m_env.pairHead && m_s[pos + 1] == m_env.pairTail)
        return true;
    if (c == m_env.pairTail && pos > 0 && m_s[pos - 1] == m_env.pairHead)
        return false;
    return m_env.separators[c];
}

bool RegexMatcher::isInLine(int pos) const
{
    if (pos >= m_length)
        return false;
    const unsigned char c = m_s[pos];
    if (m_env.separators[c])
        return false;
    return !(c == m_env.pairHead && m_s[pos + 1] == m_env.pairTail);
}

bool RegexMatcher::isWordBoundary(int pos) const
{
    const bool before = pos > 0 && m_env.wordChars[m_s[pos - 1]];
    const bool after = pos < m_length && m_env.wordChars[m_s[pos]];
    return before != after;
}

// The test of a one-character node on a subject character (never the terminating NUL).
bool RegexMatcher::charMatches(int node, unsigned char c) const
{
    const unsigned char* operand = m_env.program + node + kNodeHeaderSize;
    switch (OpAt(m_env.program, node)) {
    case Opcode::OpAny: return true;
    case Opcode::OpExactly: return c == operand[0];
    case Opcode::OpExactlyCI: return c == operand[0] || c == m_env.invertCase[operand[0]];
    case Opcode::OpDigit: return c >= '0' && c <= '9';
    case Opcode::OpNotDigit: return c < '0' || c > '9';
    case Opcode::OpAnyOf3: return c == operand[0] || c == operand[1] || c == operand[2];
    case Opcode::OpAnyBut3: return c != operand[0] && c != operand[1] && c != operand[2];
    case Opcode::OpAnyOfSet: return SetHas(operand, c);
    default: throw RegexFailure { kErrRegRepeat, 0 };
    }
}

// Width of one repetition of a simple operand: 1, or the length of the referenced group's text
// (0 when the group is not set or empty).
int RegexMatcher::repeatWidth(int operand) const
{
    const Opcode op = OpAt(m_env.program, operand);
    if (op != Opcode::OpBackRef && op != Opcode::OpBackRefCI)
        return 1;
    const int group = m_env.program[operand + kNodeHeaderSize];
    const int start = m_registers[group];
    const int end = m_registers[kGroups + group];
    return (start < 0 || end < start) ? 0 : end - start;
}

// One repetition of a simple operand at `pos`: the position after it, or -1.
int RegexMatcher::matchOne(int operand, int pos) const
{
    const Opcode op = OpAt(m_env.program, operand);
    if (op == Opcode::OpBackRef || op == Opcode::OpBackRefCI) {
        const int group = m_env.program[operand + kNodeHeaderSize];
        const int start = m_registers[group];
        const int end = m_registers[kGroups + group];
        if (start < 0 || end < start)
            return -1;
        const int len = end - start;
        if (len > m_length - pos)
            return -1;
        charge(len);
        if (op == Opcode::OpBackRef) {
            // Most tries differ at once; the first character decides those without a call.
            if (len > 0 && m_s[start] != m_s[pos])
                return -1;
            return std::memcmp(m_s + start, m_s + pos, size_t(len)) == 0 ? pos + len : -1;
        }
        for (int i = 0; i < len; ++i) {
            const unsigned char c = m_s[pos + i];
            const unsigned char g = m_s[start + i];
            if (c != g && c != m_env.invertCase[g])
                return -1;
        }
        return pos + len;
    }
    if (pos >= m_length || !charMatches(operand, m_s[pos]))
        return -1;
    return pos + 1;
}

// How many consecutive repetitions of a simple operand stand at `start`, up to `max`.
int64_t RegexMatcher::repeatCount(int operand, int64_t max, int start)
{
    const unsigned char* p = m_env.program;
    const Opcode op = OpAt(p, operand);
    if (op == Opcode::OpBackRef || op == Opcode::OpBackRefCI) {
        const int group = p[operand + kNodeHeaderSize];
        if (m_registers[group] < 0 || m_registers[kGroups + group] < m_registers[group])
            return 0;
        if (m_registers[kGroups + group] == m_registers[group])
            return max; // an empty text repeats without end; the caller tries it once
        int64_t count = 0;
        int pos = start;
        while (count < max) {
            const int next = matchOne(operand, pos);
            if (next < 0)
                break;
            pos = next;
            ++count;
        }
        return count;
    }

    if (operand == m_runOperand && start >= m_runFrom && start <= m_runEnd)
        return std::min<int64_t>(max, m_runEnd - start);
    const int64_t n = countRun(op, p + operand + kNodeHeaderSize, max, start);
    // Remember a run that ended at a character outside the operand or at the subject's end.
    if (n < max || start + n == m_length) {
        m_runOperand = operand;
        m_runFrom = start;
        m_runEnd = start + int(n);
    }
    return n;
}

int64_t RegexMatcher::countRun(Opcode op, const unsigned char* operandBytes, int64_t max, int start) const
{
    const int64_t limit = std::min<int64_t>(max, m_length - start);
    const unsigned char* s = m_s + start;
    int64_t n = 0;
    switch (op) {
    case Opcode::OpAny:
        return limit;
    case Opcode::OpExactly: {
        const unsigned char c = operandBytes[0];
        while (n < limit && s[n] == c)
            ++n;
        return n;
    }
    case Opcode::OpExactlyCI: {
        const unsigned char c = operandBytes[0];
        const unsigned char d = m_env.invertCase[c];
        while (n < limit && (s[n] == c || s[n] == d))
            ++n;
        return n;
    }
    case Opcode::OpDigit:
        while (n < limit && s[n] >= '0' && s[n] <= '9')
            ++n;
        return n;
    case Opcode::OpNotDigit:
        while (n < limit && (s[n] < '0' || s[n] > '9'))
            ++n;
        return n;
    case Opcode::OpAnyOf3: {
        const unsigned char a = operandBytes[0], b = operandBytes[1], c = operandBytes[2];
        while (n < limit && (s[n] == a || s[n] == b || s[n] == c))
            ++n;
        return n;
    }
    case Opcode::OpAnyBut3: {
        const unsigned char a = operandBytes[0], b = operandBytes[1], c = operandBytes[2];
        if (a == b && b == c) {
            // "[^x]*": the run ends at the next x (the subject holds no NUL before its end).
            const void* found = std::memchr(s, a, size_t(limit));
            return found ? static_cast<const unsigned char*>(found) - s : limit;
        }
        while (n < limit && s[n] != a && s[n] != b && s[n] != c)
            ++n;
        return n;
    }
    case Opcode::OpAnyOfSet:
        while (n < limit && SetHas(operandBytes, s[n]))
            ++n;
        return n;
    default:
        throw RegexFailure { kErrRegRepeat, 0 };
    }
}

} // namespace morvane::regex
