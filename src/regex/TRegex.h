#pragma once
// TRegex: the program's regular-expression engine. A pattern (byte string, Windows-1251) is
// compiled into a linear node program (magic byte 216, then nodes with a 5-byte header: opcode and
// a signed 32-bit little-endian link to the successor), which a backtracking matcher walks over a
// private copy of the subject or over the caller's text (SetInputView). Matching is
// leftmost-first; greedy repetitions give back one repetition at a time, lazy ones take one more
// at a time.
//
// The matcher keeps its backtracking state on a heap-allocated stack, so deep repetitions over
// long subjects do not use the C++ call stack. Every failure is reported by raising ERegex.
// Positions and offsets at this interface are 1-based; -1 means "no such group".
//
// Covered by tests/regex/*Test.cpp (compiler layout, syntax, matching, errors, large inputs,
// differential test against a reference matcher).

#include "regex/ERegex.h"

#include <bitset>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::regex {

struct LiteralScan;

class TRegex {
public:
    // Case mapping used by the i modifier: a character's other-case image (or itself).
    using InvertCaseFunction = unsigned char (*)(unsigned char);

    // Modifier indexes for Modifier()/SetModifier(), in the order i, r, s, g, m, x.
    enum ModifierIndex : int {
        kModI = 1, // case-insensitive
        kModR = 2, // Cyrillic ranges take yo
        kModS = 3, // "." matches line separators too
        kModG = 4, // quantifiers greedy
        kModM = 5, // "^" and "$" at line starts and ends
        kModX = 6, // extended syntax (white space and # comments ignored)
    };

    // Number of group registers: group 0 (the whole match) and groups 1 to 14.
    static constexpr int kGroupCount = 15;

    TRegex();
    virtual ~TRegex();
    TRegex(const TRegex&) = delete;
    TRegex& operator=(const TRegex&) = delete;

    // The pattern; empty when unset. Setting a different text (or any text after a failed
    // compilation) drops the compiled program. The pattern ends at its first NUL character.
    std::string Expression() const;
    void SetExpression(std::string_view expression);

    // Modifier flag by index 1..6 (ModifierIndex); any other index raises error 1013. Changing a
    // modifier compiles nothing: the next search recompiles when the flags differ.
    bool Modifier(int index) const;
    void SetModifier(int index, bool on);

    // The modifier flags as text: letters that are on in reverse order, "-", letters that are off
    // (the defaults give "mgsr-ix"). Setting reads a modifier string ("i-g" turns i on and g off);
    // an unacceptable character raises 1013 after the letters before it took effect.
    std::string ModifierText() const;
    void SetModifierText(std::string_view text);

    // Characters of \s and \S (default space, TAB, LF, CR, FF); read at compilation.
    std::string SpaceChars() const;
    void SetSpaceChars(std::string_view chars);
    // Characters of \w, \W, \b, \B (default digits, Latin letters and "_").
    std::string WordChars() const;
    void SetWordChars(std::string_view chars);
    // Characters that end a line (default CR, LF); read at every search start.
    std::string LineSeparatorChars() const;
    void SetLineSeparatorChars(std::string_view chars);
    // Two different characters that make one line break (default CR then LF), or empty when
    // removed. Any other text raises error 128 and changes nothing.
    std::string LinePairedSeparator() const;
    void SetLinePairedSeparator(std::string_view pair);

    // The case mapping of the i modifier (default: Windows-1251 Latin and Cyrillic letters).
    unsigned char InvertCase(unsigned char c) const;
    void SetInvertCase(InvertCaseFunction function);
    static unsigned char DefaultInvertCase(unsigned char c);

    // The subject up to its first NUL: a private copy made by SetInputString (and Exec), or the
    // caller's own text given to SetInputView. Setting it clears all group registers.
    std::string_view InputString() const;
    void SetInputString(std::string_view text);
    // Makes the caller's text the subject without copying it: a pass that already holds a
    // file's text in a buffer hands it over as it is (SetInputView, then ExecPos(1), searches as
    // Exec does). The text must stay alive and unchanged in length until the next subject is
    // set; changes to its characters are seen by later searches and group texts. A std::string
    // is required because the matcher reads the NUL that ends its characters; a temporary is
    // refused at compile time. A text longer than 32-bit positions allow is copied instead.
    void SetInputView(const std::string& text);
    void SetInputView(std::string&&) = delete;

    // Assigns the subject and searches it from position 1. True when a match was found.
    bool Exec(std::string_view text);
    // Searches the current subject from the 1-based offset. Offset below 1: error 1006; beyond
    // the subject's length + 1: false; no subject: error 1005.
    bool ExecPos(int offset = 1);
    // Continues after the last match (one character further after an empty match). Without a
    // current match: error 1007.
    bool ExecNext();
    // Counts the matches that ExecNext would find one after another from here, at most
    // `limit`, in one scan, when the pattern's matches are found by its literal alone (a
    // literal with word-boundary tests, no group): a pass that only counts matches then pays
    // no search set-up per match. The engine is left as the last of those ExecNext calls
    // leaves it: on the last match counted when the count reached `limit`, else with no match.
    // nullopt, and nothing changed, for any other pattern (the caller goes on with ExecNext)
    // or a limit below 1. Without a current match: error 1007.
    std::optional<int> CountNextLiteralMatches(int limit);

    // A callback that lets the caller stop a long search (a user's Esc or Ctrl+C). While Exec,
    // ExecPos or ExecNext runs, the matcher calls it about once every few thousand steps (choices
    // taken back, start positions tried, rounds of a loop); when it returns true the search
    // stops at once with error 1018 "Search Aborted". An empty function is never called. The
    // subject, the program and the settings stay as they were, so the next search works; the
    // group registers are cleared as after a failed search. The callback must not throw and
    // must not use this engine.
    void SetAbortCheck(std::function<bool()> check);

    // Group n (0 = whole match, 1..14) of the last match: 1-based start, length, text; -1, -1 and
    // the empty text when the group did not take part or n is out of range.
    int GroupStart(int n) const;
    int GroupLength(int n) const;
    std::string GroupText(int n) const;

    // The template with "$n", "${n}", "$&" replaced by the group texts of the last match;
    // "\r", "\n", "\t" give CR, LF, TAB and "\" before any other character gives that character.
    std::string Substitute(std::string_view templateText);

    // Compiles the pattern now (error 1003 when unset); searches compile on demand.
    void CompileExpression();

    // Code of the last raised error, reset to 0 by this call.
    int LastErrorCode();
    // Message of an error code ("Unknown error" for codes not in the table).
    virtual std::string ErrorText(int code) const;
    // Pattern characters before the parse cursor while compiling; 0 otherwise.
    int ErrorOffset() const;

    // The text with a backslash before every character of "^$.[()|?+*\{]}".
    static std::string QuoteMetaChars(std::string_view text);

    // For tests and diagnostics: the compiled program's bytes (empty when there is none) and the
    // analysis data that lets the search skip start positions.
    std::string_view ProgramBytes() const;
    std::bitset<256> FirstCharSet() const;
    // The character every match starts with, or -1.
    int RequiredFirstChar() const;
    bool Anchored() const;
    // A literal every match contains, or the empty text.
    std::string RequiredText() const;

protected:
    // Stores `code` as the last error and raises ERegex with its message and the current offset.
    [[noreturn]] virtual void Error(int code);

private:
    struct Private;
    std::unique_ptr<Private> m_d;

    void ensureProgram();
    bool search(int offset);
    // Start-position scans for programs whose matches begin with a literal or at a line start.
    template <typename Attempt>
    bool searchPrefix(const unsigned char* s, int start, int length, Attempt& attempt);
    // The block scan of the literal every match begins with (searchPrefix).
    LiteralScan literalScan(const unsigned char* s, int length) const;
    template <typename Attempt>
    bool searchLineStarts(const unsigned char* s, int start, int length, Attempt& attempt);
};

} // namespace morvane::regex
