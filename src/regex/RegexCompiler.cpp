// The pattern compiler: a recursive-descent parser (alternation, sequence, quantified piece,
// atom) that emits nodes as it parses; the atoms are in RegexCompilerAtoms.cpp. Quantifiers are applied after their operand has been
// emitted, by inserting a node in front of it (which moves the operand up) or by appending loop
// nodes; links between pieces are patched by following the chain of links. Recursion depth is
// bounded by the group limit (14), so any pattern text is safe to parse.
// Covered by tests/regex/ProgramLayoutTest.cpp and tests/regex/SyntaxTest.cpp.

#include "regex/RegexCompiler.h"

#include "regex/RegexErrors.h"
#include "regex/RegexProgram.h"

#include <cassert>
#include <cstring>

namespace morvane::regex {

namespace {

// Programs beyond this size would overflow the offsets kept by the matcher's backtracking stack.
constexpr int64_t kMaxProgramSize = int64_t(1) << 27;

bool isQuantifierStart(unsigned char c) { return c == '*' || c == '+' || c == '?' || c == '{'; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

unsigned char op(Opcode code) { return static_cast<unsigned char>(code); }

} // namespace

bool RegexCompiler::ParseModifierString(std::string_view text, int& modifiers)
{
    bool on = true;
    for (const char ch : text) {
        int bit = 0;
        switch (ch) {
        case '-': on = false; continue;
        case 'i': case 'I': bit = kModifierI; break;
        case 'r': case 'R': bit = kModifierR; break;
        case 's': case 'S': bit = kModifierS; break;
        case 'g': case 'G': bit = kModifierG; break;
        case 'm': case 'M': bit = kModifierM; break;
        case 'x': case 'X': bit = kModifierX; break;
        default: return false;
        }
        if (on)
            modifiers |= bit;
        else
            modifiers &= ~bit;
    }
    return true;
}

std::vector<unsigned char> RegexCompiler::Compile(std::string_view pattern, const Settings& settings,
                                                  int& topFlags)
{
    m_pattern = pattern;
    m_settings = settings;
    runPass(true, topFlags);
    if (m_size > kMaxProgramSize)
        fail(kErrTooBig);
    const int64_t measured = m_size;
    m_code.assign(size_t(measured), 0);
    runPass(false, topFlags);
    // Both passes must emit identically: the block was allocated from the first.
    assert(m_size == measured);
    return std::move(m_code);
}

void RegexCompiler::runPass(bool sizing, int& topFlags)
{
    m_sizing = sizing;
    m_pos = 0;
    m_size = 0;
    m_groupCount = 0;
    m_compileModifiers = m_settings.modifiers;
    emitByte(kProgramMagic);
    parseReg(false, topFlags);
}

void RegexCompiler::fail(int code) const { throw RegexFailure { code, int(m_pos) }; }

// ---- emission -------------------------------------------------------------------------------

int RegexCompiler::emitNode(unsigned char opcode)
{
    const int at = int(m_size);
    if (!m_sizing) {
        assert(m_size + kNodeHeaderSize <= int64_t(m_code.size()));
        m_code[at] = opcode;
        WriteInt32(&m_code[at + 1], 0);
    }
    m_size += kNodeHeaderSize;
    return at;
}

void RegexCompiler::emitByte(unsigned char c)
{
    if (!m_sizing) {
        assert(m_size < int64_t(m_code.size()));
        m_code[size_t(m_size)] = c;
    }
    ++m_size;
}

void RegexCompiler::emitInt(int32_t value)
{
    if (!m_sizing) {
        assert(m_size + 4 <= int64_t(m_code.size()));
        WriteInt32(&m_code[size_t(m_size)], value);
    }
    m_size += 4;
}

void RegexCompiler::insertOperator(unsigned char opcode, int at, int size)
{
    if (!m_sizing) {
        assert(m_size + size <= int64_t(m_code.size()));
        std::memmove(&m_code[at + size], &m_code[at], size_t(m_size - at));
        std::memset(&m_code[at], 0, size_t(size));
        m_code[at] = opcode;
    }
    m_size += size;
}

// Links the last node of the chain that starts at `node` to `target`.
void RegexCompiler::tail(int node, int target)
{
    if (m_sizing)
        return;
    int scan = node;
    for (;;) {
        const int next = NextNode(m_code.data(), scan);
        if (next == 0)
            break;
        scan = next;
    }
    WriteInt32(&m_code[scan + 1], target - scan);
}

// For a branch node: links the end of its operand chain to `target`.
void RegexCompiler::opTail(int node, int target)
{
    if (m_sizing || OpAt(m_code.data(), node) != Opcode::OpBranch)
        return;
    tail(node + kNodeHeaderSize, target);
}

void RegexCompiler::emitSimpleBraces(int operand, int32_t min, int32_t max, bool lazy)
{
    insertOperator(op(lazy ? Opcode::OpBracesLazy : Opcode::OpBraces), operand,
                   kNodeHeaderSize + kBracesOperandSize);
    if (!m_sizing) {
        WriteInt32(&m_code[operand + kNodeHeaderSize], min);
        WriteInt32(&m_code[operand + kNodeHeaderSize + 4], max);
    }
}

void RegexCompiler::emitComplexBraces(int operand, int32_t min, int32_t max, bool lazy)
{
    insertOperator(op(Opcode::OpLoopEntry), operand, kNodeHeaderSize);
    const int body = operand + kNodeHeaderSize;
    const int loop = emitNode(op(lazy ? Opcode::OpLoopLazy : Opcode::OpLoop));
    emitInt(min);
    emitInt(max);
    emitInt(body - loop);
    tail(operand, loop);
    tail(body, loop);
}

// ---- parser ---------------------------------------------------------------------------------

int RegexCompiler::parseReg(bool paren, int& flags)
{
    const int savedModifiers = m_compileModifiers;
    flags = kHasWidth;
    int ret = 0;
    int group = 0;
    if (paren) {
        if (m_groupCount >= kMaxGroups)
            fail(kErrTooManyGroups);
        group = ++m_groupCount;
        ret = emitNode(op(Opcode::OpOpenFirst) + group - 1);
    }

    int branchFlags = 0;
    int branch = parseSequence(branchFlags);
    if (ret != 0)
        tail(ret, branch);
    else
        ret = branch;
    if (!(branchFlags & kHasWidth))
        flags &= ~kHasWidth;
    flags |= branchFlags & kStartsWithRepeat;

    int lastBranch = branch;
    while (peek(m_pos) == '|') {
        ++m_pos;
        branch = parseSequence(branchFlags);
        // The previous alternative's branch node is the last of the chain; linking from it
        // equals linking from the chain's start, without walking all earlier alternatives.
        tail(lastBranch, branch);
        lastBranch = branch;
        if (!(branchFlags & kHasWidth))
            flags &= ~kHasWidth;
        flags |= branchFlags & kStartsWithRepeat;
    }

    const int ender = emitNode(paren ? op(Opcode::OpCloseFirst) + group - 1 : op(Opcode::OpEnd));
    tail(lastBranch, ender);
    if (!m_sizing) {
        for (int node = ret; node != 0; node = NextNode(m_code.data(), node))
            opTail(node, ender);
    }

    if (paren) {
        if (peek(m_pos) != ')')
            fail(kErrUnmatchedGroup);
        ++m_pos;
    } else if (!atEnd()) {
        fail(peek(m_pos) == ')' ? kErrStrayClose : kErrJunkOnEnd);
    }
    m_compileModifiers = savedModifiers;
    return ret;
}

int RegexCompiler::parseSequence(int& flags)
{
    flags = 0;
    const int ret = emitNode(op(Opcode::OpBranch));
    int chain = 0;
    while (!atEnd() && peek(m_pos) != '|' && peek(m_pos) != ')') {
        int pieceFlags = 0;
        const int latest = parseQuantified(pieceFlags);
        flags |= pieceFlags & kHasWidth;
        if (chain == 0)
            flags |= pieceFlags & kStartsWithRepeat;
        else
            tail(chain, latest);
        chain = latest;
    }
    if (chain == 0)
        emitNode(op(Opcode::OpNothing));
    return ret;
}

// Reads "{n}", "{n,}" or "{n,m}" at the cursor without moving it. False when the text there does
// not have that shape (the "{" is then a literal).
bool RegexCompiler::readBraces(int32_t& min, int32_t& max, size_t& close)
{
    size_t p = m_pos + 1;
    const size_t minStart = p;
    while (isDigit(peek(p)))
        ++p;
    if (p == minStart)
        return false;
    const size_t minEnd = p;
    size_t maxStart = 0, maxEnd = 0;
    if (peek(p) == ',') {
        ++p;
        maxStart = p;
        while (isDigit(peek(p)))
            ++p;
        maxEnd = p;
        if (peek(p) != '}')
            return false;
    } else if (peek(p) != '}') {
        return false;
    }
    close = p;
    min = parseCount(minStart, minEnd);
    if (maxStart == 0)
        max = min;
    else if (maxStart == maxEnd)
        max = kBracesInfinity;
    else
        max = parseCount(maxStart, maxEnd);
    if (min > max) {
        m_pos = close;
        fail(kErrBracesMinAboveMax);
    }
    return true;
}

int32_t RegexCompiler::parseCount(size_t from, size_t to)
{
    if (to - from > 8) {
        m_pos = to;
        fail(kErrBracesArgTooBig);
    }
    int32_t value = 0;
    for (size_t i = from; i < to; ++i)
        value = value * 10 + (peek(i) - '0');
    return value;
}

int RegexCompiler::parseQuantified(int& flags)
{
    int atomFlags = 0;
    const int ret = parseAtom(atomFlags);
    const unsigned char q = peek(m_pos);
    if (!isQuantifierStart(q)) {
        flags = atomFlags;
        return ret;
    }

    int32_t braceMin = 0, braceMax = 0;
    size_t braceClose = 0;
    if (q == '{') {
        // Only a well-formed count is a quantifier; the numbers are checked before the operand.
        const size_t saved = m_pos;
        size_t p = m_pos + 1;
        bool shaped = isDigit(peek(p));
        if (shaped) {
            while (isDigit(peek(p)))
                ++p;
            if (peek(p) == ',') {
                ++p;
                while (isDigit(peek(p)))
                    ++p;
            }
            shaped = peek(p) == '}';
        }
        if (!shaped) {
            flags = atomFlags;
            return ret;
        }
        if (!(atomFlags & kHasWidth))
            fail(kErrOperandCouldBeEmpty);
        readBraces(braceMin, braceMax, braceClose);
        m_pos = saved;
    } else if (q != '?' && !(atomFlags & kHasWidth)) {
        fail(kErrOperandCouldBeEmpty);
    }

    const bool simple = (atomFlags & kSimple) != 0;
    size_t after = (q == '{') ? braceClose + 1 : m_pos + 1;
    const bool lazyMark = peek(after) == '?';
    const bool lazy = lazyMark || !modifier(kModifierG);

    switch (q) {
    case '*':
        flags = kStartsWithRepeat;
        if (simple) {
            insertOperator(op(lazy ? Opcode::OpStarLazy : Opcode::OpStar), ret, kNodeHeaderSize);
        } else if (lazy) {
            emitComplexBraces(ret, 0, kBracesInfinity, true);
        } else {
            // x* as a loop of branches: (x, back to the branch) or nothing.
            insertOperator(op(Opcode::OpBranch), ret, kNodeHeaderSize);
            opTail(ret, emitNode(op(Opcode::OpBack)));
            opTail(ret, ret);
            tail(ret, emitNode(op(Opcode::OpBranch)));
            tail(ret, emitNode(op(Opcode::OpNothing)));
        }
        break;
    case '+':
        flags = kStartsWithRepeat | kHasWidth;
        if (simple) {
            insertOperator(op(lazy ? Opcode::OpPlusLazy : Opcode::OpPlus), ret, kNodeHeaderSize);
        } else if (lazy) {
            emitComplexBraces(ret, 1, kBracesInfinity, true);
        } else {
            // x+ as x followed by (back to x) or nothing.
            const int next = emitNode(op(Opcode::OpBranch));
            tail(ret, next);
            tail(emitNode(op(Opcode::OpBack)), ret);
            tail(next, emitNode(op(Opcode::OpBranch)));
            tail(ret, emitNode(op(Opcode::OpNothing)));
        }
        break;
    case '?':
        flags = 0;
        if (lazy) {
            if (simple)
                emitSimpleBraces(ret, 0, 1, true);
            else
                emitComplexBraces(ret, 0, 1, true);
        } else {
            // x? as x or nothing.
            insertOperator(op(Opcode::OpBranch), ret, kNodeHeaderSize);
            tail(ret, emitNode(op(Opcode::OpBranch)));
            const int next = emitNode(op(Opcode::OpNothing));
            tail(ret, next);
            opTail(ret, next);
        }
        break;
    default: // '{'
        flags = braceMax > 0 ? (kHasWidth | kStartsWithRepeat) : 0;
        if (simple)
            emitSimpleBraces(ret, braceMin, braceMax, lazy);
        else
            emitComplexBraces(ret, braceMin, braceMax, lazy);
        break;
    }

    m_pos = after + (lazyMark ? 1 : 0);
    if (isQuantifierStart(peek(m_pos)))
        fail(kErrNestedQuantifier);
    return ret;
}

} // namespace morvane::regex
