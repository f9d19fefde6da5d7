// The atoms of the pattern language: anchors, ".", groups and inline modifier groups, escapes,
// literal runs and character classes (resolved at compile time into a list of up to three
// characters or a 256-bit set). Part of RegexCompiler; the parser's upper levels and the
// quantifier constructions are in RegexCompiler.cpp.
// Covered by tests/regex/ProgramLayoutTest.cpp, tests/regex/ErrorTest.cpp and tests/regex/MatchTest.cpp.

#include "regex/RegexCompiler.h"

#include "regex/RegexErrors.h"
#include "regex/RegexProgram.h"

namespace morvane::regex {

namespace {

// Outside classes these begin something other than a literal.
constexpr std::string_view kMetaChars = "^$.[()|?+*\\{";

bool isMeta(unsigned char c) { return c != 0 && kMetaChars.find(char(c)) != std::string_view::npos; }
bool isExtendedBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isQuantifierStart(unsigned char c) { return c == '*' || c == '+' || c == '?' || c == '{'; }

int hexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

unsigned char op(Opcode code) { return static_cast<unsigned char>(code); }

} // namespace

int RegexCompiler::parseAtom(int& flags)
{
    flags = 0;
    const unsigned char c = peek(m_pos);
    if (atEnd() || c == '|' || c == ')')
        fail(kErrInternalUrp);

    if (modifier(kModifierX) && (isExtendedBlank(c) || c == '#')) {
        if (c == '#') {
            while (!atEnd() && peek(m_pos) != '\r' && peek(m_pos) != '\n')
                ++m_pos;
            while (!atEnd() && (peek(m_pos) == '\r' || peek(m_pos) == '\n'))
                ++m_pos;
        } else {
            while (!atEnd() && isExtendedBlank(peek(m_pos)))
                ++m_pos;
        }
        return emitNode(op(Opcode::OpComment));
    }

    switch (c) {
    case '^':
        ++m_pos;
        return emitNode(op(modifier(kModifierM) && m_settings.lineAnchorsAvailable ? Opcode::OpLineStart
                                                                                  : Opcode::OpInputStart));
    case '$':
        ++m_pos;
        return emitNode(op(modifier(kModifierM) && m_settings.lineAnchorsAvailable ? Opcode::OpLineEnd
                                                                                  : Opcode::OpInputEnd));
    case '.':
        ++m_pos;
        if (modifier(kModifierS)) {
            flags = kHasWidth | kSimple;
            return emitNode(op(Opcode::OpAny));
        }
        flags = kHasWidth;
        return emitNode(op(Opcode::OpAnyInLine));
    case '[':
        ++m_pos;
        flags = kHasWidth | kSimple;
        return parseClass();
    case '(':
        ++m_pos;
        if (peek(m_pos) == '?') {
            if (peek(m_pos + 1) == '#') {
                m_pos += 2;
                while (!atEnd() && peek(m_pos) != ')')
                    ++m_pos;
                if (atEnd())
                    fail(kErrUnclosedComment);
                ++m_pos;
                return emitNode(op(Opcode::OpComment));
            }
            ++m_pos;
            const size_t start = m_pos;
            while (!atEnd() && peek(m_pos) != ')')
                ++m_pos;
            if (atEnd() || !ParseModifierString(m_pattern.substr(start, m_pos - start), m_compileModifiers))
                fail(kErrBadModifier);
            ++m_pos;
            return emitNode(op(Opcode::OpComment));
        } else {
            int groupFlags = 0;
            const int ret = parseReg(true, groupFlags);
            flags = groupFlags & (kHasWidth | kStartsWithRepeat);
            return ret;
        }
    case '?':
    case '+':
    case '*':
        ++m_pos;
        fail(kErrQuantifierFollowsNothing);
    case '\\':
        ++m_pos;
        return parseEscape(flags);
    default:
        return parseLiteralRun(flags);
    }
}

int RegexCompiler::parseLiteralRun(int& flags)
{
    size_t len = 0;
    if (peek(m_pos) == '{')
        len = 1;
    while (m_pos + len < m_pattern.size() && !isMeta(peek(m_pos + len)))
        ++len;
    if (len == 0)
        fail(kErrEmptyLiteral);
    if (len > 1 && isQuantifierStart(peek(m_pos + len)))
        --len; // the quantifier applies to the last character alone
    flags = kHasWidth | (len == 1 ? kSimple : 0);
    const bool extended = modifier(kModifierX);
    const int ret = emitNode(op(modifier(kModifierI) ? Opcode::OpExactlyCI : Opcode::OpExactly));
    while (len > 0 && (!extended || peek(m_pos) != '#')) {
        if (!extended || !isExtendedBlank(peek(m_pos)))
            emitByte(peek(m_pos));
        ++m_pos;
        --len;
    }
    emitByte(0);
    return ret;
}

// After "\x": two hex digits or "{" hex digits "}".
unsigned char RegexCompiler::parseHex()
{
    if (atEnd())
        fail(kErrNoHexCode);
    if (peek(m_pos) == '{') {
        ++m_pos;
        int value = 0;
        for (;;) {
            if (atEnd())
                fail(kErrNoHexCode);
            const unsigned char ch = peek(m_pos);
            if (ch == '}')
                break;
            const int digit = hexValue(ch);
            if (digit < 0)
                fail(kErrBadHexDigit);
            value = value * 16 + digit;
            if (value > 255)
                fail(kErrHexCodeTooBig);
            ++m_pos;
        }
        ++m_pos;
        return static_cast<unsigned char>(value);
    }
    int value = 0;
    for (int i = 0; i < 2; ++i) {
        if (atEnd())
            fail(kErrNoHexCode);
        const int digit = hexValue(peek(m_pos));
        if (digit < 0)
            fail(kErrBadHexDigit);
        value = value * 16 + digit;
        ++m_pos;
    }
    return static_cast<unsigned char>(value);
}

// The character of a one-character escape whose letter `c` has just been consumed.
unsigned char RegexCompiler::parseCharEscape(unsigned char c)
{
    switch (c) {
    case 't': return 9;
    case 'n': return 10;
    case 'r': return 13;
    case 'f': return 12;
    case 'a': return 7;
    case 'e': return 27;
    case 'x': return parseHex();
    default: return c;
    }
}

int RegexCompiler::parseEscape(int& flags)
{
    if (atEnd())
        fail(kErrTrailingBackslash);
    const unsigned char c = peek(m_pos);
    ++m_pos;
    switch (c) {
    case 'b': return emitNode(op(Opcode::OpWordBound));
    case 'B': return emitNode(op(Opcode::OpNotWordBound));
    case 'A': return emitNode(op(Opcode::OpInputStart));
    case 'Z': return emitNode(op(Opcode::OpInputEnd));
    case 'd':
        flags = kHasWidth | kSimple;
        return emitNode(op(Opcode::OpDigit));
    case 'D':
        flags = kHasWidth | kSimple;
        return emitNode(op(Opcode::OpNotDigit));
    case 'w':
    case 'W':
    case 's':
    case 'S': {
        unsigned char set[32] = {};
        const std::string_view chars = (c == 'w' || c == 'W') ? m_settings.wordChars : m_settings.spaceChars;
        for (const char ch : chars)
            addMember(set, static_cast<unsigned char>(ch));
        flags = kHasWidth | kSimple;
        return emitClass(set, c == 'W' || c == 'S');
    }
    default:
        break;
    }
    if (c >= '1' && c <= '9') {
        flags = kHasWidth | kSimple;
        const int ret = emitNode(op(modifier(kModifierI) ? Opcode::OpBackRefCI : Opcode::OpBackRef));
        emitByte(static_cast<unsigned char>(c - '0'));
        return ret;
    }
    const unsigned char ch = parseCharEscape(c);
    flags = kHasWidth | kSimple;
    const int ret = emitNode(op(modifier(kModifierI) ? Opcode::OpExactlyCI : Opcode::OpExactly));
    emitByte(ch);
    emitByte(0);
    return ret;
}

// ---- classes --------------------------------------------------------------------------------

void RegexCompiler::addMember(unsigned char (&set)[32], unsigned char c) const
{
    set[c >> 3] |= static_cast<unsigned char>(1u << (c & 7));
    if (modifier(kModifierI)) {
        const unsigned char image = m_settings.invertCase[c];
        set[image >> 3] |= static_cast<unsigned char>(1u << (image & 7));
    }
}

void RegexCompiler::addRange(unsigned char (&set)[32], unsigned char from, unsigned char to)
{
    // Windows-1251: small a..ya are 224..255 (yo 184), capital A..YA 192..223 (YO 168).
    if (modifier(kModifierR)) {
        const bool small = from == 224 && to == 255;
        const bool capital = from == 192 && to == 223;
        const bool both = from == 224 && to == 223;
        if (small || capital || both) {
            // "А-Я" is the capitals only: the small letters follow them directly in the code
            // page, so the range must stop at 223 rather than run on to 255.
            const int low = (capital || both) ? 192 : 224;
            const int high = capital ? 223 : 255;
            for (int ch = low; ch <= high; ++ch)
                addMember(set, static_cast<unsigned char>(ch));
            if (small || both)
                addMember(set, 184);
            if (capital || both)
                addMember(set, 168);
            return;
        }
    }
    if (to < from)
        fail(kErrInvalidRange);
    for (int ch = from; ch <= to; ++ch)
        addMember(set, static_cast<unsigned char>(ch));
}

int RegexCompiler::emitClass(const unsigned char (&set)[32], bool negated)
{
    unsigned char members[3] = {};
    int count = 0;
    for (int ch = 0; ch < 256; ++ch) {
        if (SetHas(set, static_cast<unsigned char>(ch))) {
            if (count < 3)
                members[count] = static_cast<unsigned char>(ch);
            ++count;
        }
    }
    if (count >= 1 && count <= 3) {
        const int ret = emitNode(op(negated ? Opcode::OpAnyBut3 : Opcode::OpAnyOf3));
        for (int i = 0; i < 3; ++i)
            emitByte(members[i < count ? i : count - 1]);
        return ret;
    }
    // More than three members, or none at all (an empty \s or \w set): a 256-bit set; empty
    // matches nothing, its negation anything.
    const int ret = emitNode(op(Opcode::OpAnyOfSet));
    for (int i = 0; i < kSetSize; ++i)
        emitByte(negated ? static_cast<unsigned char>(~set[i]) : set[i]);
    return ret;
}

int RegexCompiler::parseClass()
{
    bool negated = false;
    if (peek(m_pos) == '^') {
        negated = true;
        ++m_pos;
    }
    unsigned char set[32] = {};
    bool first = true;
    bool canBeginRange = false;
    unsigned char previous = 0;
    for (;;) {
        if (atEnd())
            fail(kErrUnmatchedClass);
        const unsigned char c = peek(m_pos);
        if (c == ']' && !first) {
            ++m_pos;
            break;
        }
        first = false;

        if (c == '-' && canBeginRange && m_pos + 1 < m_pattern.size() && peek(m_pos + 1) != ']') {
            const unsigned char e = peek(m_pos + 1);
            if (e == '\\' && m_pos + 2 < m_pattern.size()
                && std::string_view("dDsSwW").find(char(peek(m_pos + 2))) != std::string_view::npos) {
                // A class escape cannot end a range: the "-" is a member of its own.
                addMember(set, '-');
                ++m_pos;
                canBeginRange = false;
                continue;
            }
            m_pos += 2;
            unsigned char last = e;
            if (e == '\\') {
                if (atEnd())
                    fail(kErrTrailingBackslashInClass);
                const unsigned char letter = peek(m_pos);
                ++m_pos;
                last = parseCharEscape(letter);
            }
            addRange(set, previous, last);
            canBeginRange = false;
            continue;
        }

        ++m_pos;
        if (c == '\\') {
            if (atEnd())
                fail(kErrTrailingBackslashInClass);
            const unsigned char letter = peek(m_pos);
            ++m_pos;
            if (letter == 'd' || letter == 's' || letter == 'w') {
                if (letter == 'd') {
                    for (int ch = '0'; ch <= '9'; ++ch)
                        addMember(set, static_cast<unsigned char>(ch));
                } else {
                    for (const char ch : letter == 's' ? m_settings.spaceChars : m_settings.wordChars)
                        addMember(set, static_cast<unsigned char>(ch));
                }
                canBeginRange = false;
                continue;
            }
            previous = parseCharEscape(letter);
        } else {
            previous = c;
        }
        addMember(set, previous);
        canBeginRange = true;
    }
    return emitClass(set, negated);
}

} // namespace morvane::regex
