#pragma once
// RegexCompiler: turns a pattern into the node program in two passes over the pattern text, with
// no intermediate tree. The first pass only measures; the second writes into a block of exactly
// the measured size (asserted). Errors are thrown as RegexFailure with the parse cursor.
// Covered by tests/regex/ProgramLayoutTest.cpp and tests/regex/SyntaxTest.cpp.

#include <cstdint>
#include <string_view>
#include <vector>

namespace morvane::regex {

class RegexCompiler {
public:
    struct Settings {
        int modifiers = 0;
        std::string_view spaceChars;
        std::string_view wordChars;
        // Whether "^" and "$" may become line anchors in m mode (separators or a pair exist).
        bool lineAnchorsAvailable = true;
        const unsigned char* invertCase = nullptr; // 256 entries
    };

    // Properties of a parsed element.
    enum Flag : int {
        kHasWidth = 1, // cannot match the empty string
        kSimple = 2, // a single node that consumes exactly one character (or a backreference)
        kStartsWithRepeat = 4,
    };

    // Compiles `pattern`; returns the program and sets `topFlags` to the pattern's properties.
    std::vector<unsigned char> Compile(std::string_view pattern, const Settings& settings, int& topFlags);

    // Reads a modifier string ("i-gs") into `modifiers`; false at the first unacceptable
    // character (the letters before it have already changed `modifiers`).
    static bool ParseModifierString(std::string_view text, int& modifiers);

private:
    std::string_view m_pattern;
    size_t m_pos = 0;
    Settings m_settings;
    int m_compileModifiers = 0;
    int m_groupCount = 0;
    bool m_sizing = true;
    std::vector<unsigned char> m_code;
    int64_t m_size = 0;

    [[noreturn]] void fail(int code) const;
    unsigned char peek(size_t at) const { return at < m_pattern.size() ? m_pattern[at] : 0; }
    bool atEnd() const { return m_pos >= m_pattern.size(); }
    bool modifier(int bit) const { return (m_compileModifiers & bit) != 0; }

    void runPass(bool sizing, int& topFlags);
    int parseReg(bool paren, int& flags);
    int parseSequence(int& flags);
    int parseQuantified(int& flags);
    int parseAtom(int& flags);
    int parseLiteralRun(int& flags);
    int parseEscape(int& flags);
    int parseClass();
    unsigned char parseCharEscape(unsigned char c);
    unsigned char parseHex();
    bool readBraces(int32_t& min, int32_t& max, size_t& close);
    int32_t parseCount(size_t from, size_t to);

    void addMember(unsigned char (&set)[32], unsigned char c) const;
    void addRange(unsigned char (&set)[32], unsigned char from, unsigned char to);
    int emitClass(const unsigned char (&set)[32], bool negated);

    int emitNode(unsigned char op);
    void emitByte(unsigned char c);
    void emitInt(int32_t value);
    void insertOperator(unsigned char op, int at, int size);
    void tail(int node, int target);
    void opTail(int node, int target);
    void emitSimpleBraces(int operand, int32_t min, int32_t max, bool lazy);
    void emitComplexBraces(int operand, int32_t min, int32_t max, bool lazy);
};

} // namespace morvane::regex
