// TRegex: properties, compilation on demand, the search loop with its start-position filters,
// match results and substitution. The compiler (RegexCompiler), the analysis (ProgramAnalyzer)
// and the backtracking walk (RegexMatcher) live in their own files.
// Covered by tests/regex/*Test.cpp.

#include "regex/TRegex.h"

#include "regex/LiteralScan.h"
#include "regex/ProgramAnalyzer.h"
#include "regex/RegexCompiler.h"
#include "regex/RegexErrors.h"
#include "regex/RegexMatcher.h"
#include "regex/RegexProgram.h"
#include "regex/Win1251Case.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

#include <vector>

namespace morvane::regex {

namespace {

constexpr std::string_view kQuotedChars = "^$.[()|?+*\\{]}";
constexpr std::string_view kModifierLetters = "irsgmx";
// Subjects are addressed with 32-bit positions; longer texts are cut here.
constexpr size_t kMaxSubjectLength = size_t(INT_MAX) - 2;

std::string_view upToNul(std::string_view text)
{
    const size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

} // namespace

struct TRegex::Private {
    std::string expression;
    bool hasExpression = false;
    int modifiers = kModifierR | kModifierS | kModifierG | kModifierM;
    int programModifiers = 0;
    std::string spaceChars = std::string(" \t\n\r\f");
    std::string wordChars = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
    std::string lineSeparators = "\r\n";
    bool pairSet = true;
    unsigned char pairHead = '\r';
    unsigned char pairTail = '\n';
    InvertCaseFunction invertFunction = &TRegex::DefaultInvertCase;
    unsigned char invert[256] = {};

    std::vector<unsigned char> program;
    bool compiled = false;
    ProgramInfo info;

    int lastError = 0;
    int errorOffset = 0;

    // The subject's characters: `ownSubject` after SetInputString, the caller's text after
    // SetInputView. Either way a NUL follows the last character.
    std::string_view subject;
    std::string ownSubject;
    bool hasSubject = false;
    // The last match: group 0 here, groups 1 to 14 in the matcher's registers, which stay as
    // the successful attempt left them until the next search (so no copy is made per match).
    bool matched = false;
    int matchStart = -1;
    int matchEnd = -1;

    bool separators[256] = {};
    bool separatorsValid = false;
    bool wordTable[256] = {};
    bool wordTableValid = false;
    // The word table as the literal scan's block test reads it; unusable when the table has
    // too many different rows (see WordNibbles).
    unsigned char wordNibbles[32] = {};
    bool wordNibblesUsable = false;

    RegexMatcher matcher;

    void clearGroups() { matched = false; }
    // 0-based start and end of group n (0 to 14) of the last match; -1 when none.
    int groupStart(int n) const { return !matched ? -1 : n == 0 ? matchStart : matcher.GroupStart(n); }
    int groupEnd(int n) const { return !matched ? -1 : n == 0 ? matchEnd : matcher.GroupEnd(n); }

    void dropProgram()
    {
        program.clear();
        compiled = false;
    }
    void buildInvert()
    {
        for (int c = 0; c < 256; ++c)
            invert[c] = invertFunction(static_cast<unsigned char>(c));
    }
};

namespace {

// Clears the error offset when the raising routine unwinds, so it reads 0 outside a compilation.
struct OffsetReset {
    int& offset;
    ~OffsetReset() { offset = 0; }
};

} // namespace

TRegex::TRegex()
    : m_d(std::make_unique<Private>())
{
    m_d->buildInvert();
    m_d->clearGroups();
}

TRegex::~TRegex() = default;

// ---- errors ---------------------------------------------------------------------------------

void TRegex::Error(int code)
{
    m_d->lastError = code;
    std::string message = ErrorText(code);
    if (code < 1000)
        message += " (pos " + std::to_string(ErrorOffset()) + ")";
    throw ERegex(code, ErrorOffset(), std::move(message));
}

std::string TRegex::ErrorText(int code) const { return RegexErrorText(code); }

int TRegex::ErrorOffset() const { return m_d->errorOffset; }

int TRegex::LastErrorCode()
{
    const int code = m_d->lastError;
    m_d->lastError = 0;
    return code;
}

// ---- properties -----------------------------------------------------------------------------

std::string TRegex::Expression() const { return m_d->hasExpression ? m_d->expression : std::string(); }

void TRegex::SetExpression(std::string_view expression)
{
    const std::string_view text = upToNul(expression);
    if (m_d->hasExpression && m_d->compiled && text == m_d->expression)
        return;
    m_d->compiled = false;
    m_d->expression.assign(text);
    m_d->hasExpression = !text.empty();
    m_d->dropProgram();
}

bool TRegex::Modifier(int index) const
{
    if (index < 1 || index > 6)
        const_cast<TRegex*>(this)->Error(kErrModifierIndex);
    return (m_d->modifiers & (1 << (index - 1))) != 0;
}

void TRegex::SetModifier(int index, bool on)
{
    if (index < 1 || index > 6)
        Error(kErrModifierIndex);
    if (on)
        m_d->modifiers |= 1 << (index - 1);
    else
        m_d->modifiers &= ~(1 << (index - 1));
}

std::string TRegex::ModifierText() const
{
    std::string text = "-";
    for (size_t i = 0; i < kModifierLetters.size(); ++i) {
        if (m_d->modifiers & (1 << i))
            text.insert(text.begin(), kModifierLetters[i]);
        else
            text.push_back(kModifierLetters[i]);
    }
    if (text.back() == '-')
        text.pop_back();
    return text;
}

void TRegex::SetModifierText(std::string_view text)
{
    if (!RegexCompiler::ParseModifierString(text, m_d->modifiers))
        Error(kErrModifierIndex);
}

std::string TRegex::SpaceChars() const { return m_d->spaceChars; }
void TRegex::SetSpaceChars(std::string_view chars) { m_d->spaceChars.assign(chars); }

std::string TRegex::WordChars() const { return m_d->wordChars; }
void TRegex::SetWordChars(std::string_view chars)
{
    m_d->wordChars.assign(chars);
    m_d->wordTableValid = false;
}

std::string TRegex::LineSeparatorChars() const { return m_d->lineSeparators; }
void TRegex::SetLineSeparatorChars(std::string_view chars)
{
    m_d->lineSeparators.assign(chars);
    m_d->separatorsValid = false;
}

std::string TRegex::LinePairedSeparator() const
{
    if (!m_d->pairSet)
        return std::string();
    return std::string { char(m_d->pairHead), char(m_d->pairTail) };
}

void TRegex::SetLinePairedSeparator(std::string_view pair)
{
    if (pair.empty()) {
        if (m_d->pairSet) {
            m_d->pairSet = false;
            m_d->dropProgram();
        }
        return;
    }
    if (pair.size() != 2 || pair[0] == pair[1])
        Error(kErrBadPairedSeparator);
    const auto head = static_cast<unsigned char>(pair[0]);
    const auto tail = static_cast<unsigned char>(pair[1]);
    if (m_d->pairSet && m_d->pairHead == head && m_d->pairTail == tail)
        return;
    m_d->pairSet = true;
    m_d->pairHead = head;
    m_d->pairTail = tail;
    m_d->dropProgram();
}

unsigned char TRegex::InvertCase(unsigned char c) const { return m_d->invert[c]; }

void TRegex::SetInvertCase(InvertCaseFunction function)
{
    m_d->invertFunction = function ? function : &TRegex::DefaultInvertCase;
    m_d->buildInvert();
    m_d->dropProgram();
}

unsigned char TRegex::DefaultInvertCase(unsigned char c) { return Win1251InvertCase(c); }

std::string_view TRegex::InputString() const
{
    return m_d->subject;
}

void TRegex::SetInputString(std::string_view text)
{
    std::string_view copy = upToNul(text);
    if (copy.size() > kMaxSubjectLength)
        copy = copy.substr(0, kMaxSubjectLength);
    m_d->ownSubject.assign(copy);
    m_d->subject = m_d->ownSubject;
    m_d->hasSubject = true;
    m_d->clearGroups();
}

void TRegex::SetInputView(const std::string& text)
{
    // Cut at a NUL, the view still ends before a NUL; cut for length, it would not.
    const std::string_view view = upToNul(text);
    if (view.size() > kMaxSubjectLength) {
        SetInputString(view);
        return;
    }
    std::string().swap(m_d->ownSubject); // a large earlier copy is not kept beside the view
    m_d->subject = view;
    m_d->hasSubject = true;
    m_d->clearGroups();
}

// ---- compilation ----------------------------------------------------------------------------

void TRegex::CompileExpression()
{
    if (!m_d->hasExpression)
        Error(kErrNoExpression);
    m_d->dropProgram();
    m_d->programModifiers = m_d->modifiers;
    RegexCompiler::Settings settings;
    settings.modifiers = m_d->modifiers;
    settings.spaceChars = m_d->spaceChars;
    settings.wordChars = m_d->wordChars;
    settings.lineAnchorsAvailable = !m_d->lineSeparators.empty() || m_d->pairSet;
    settings.invertCase = m_d->invert;
    try {
        RegexCompiler compiler;
        int topFlags = 0;
        std::vector<unsigned char> program = compiler.Compile(m_d->expression, settings, topFlags);
        ProgramAnalyzer::Analyze(program, (topFlags & RegexCompiler::kStartsWithRepeat) != 0, m_d->invert,
                                 m_d->info);
        m_d->program = std::move(program);
    } catch (const RegexFailure& failure) {
        m_d->dropProgram();
        m_d->errorOffset = failure.offset;
        OffsetReset reset { m_d->errorOffset };
        Error(failure.code);
    }
    m_d->compiled = true;
}

void TRegex::ensureProgram()
{
    if (!m_d->program.empty() && m_d->modifiers != m_d->programModifiers)
        m_d->dropProgram();
    if (m_d->program.empty())
        CompileExpression();
    if (m_d->program[0] != kProgramMagic)
        Error(kErrCorruptedProgram);
}

// ---- search ---------------------------------------------------------------------------------

bool TRegex::search(int offset)
{
    if (!m_d->program.empty() && m_d->modifiers != m_d->programModifiers)
        m_d->dropProgram();
    if (!m_d->separatorsValid) {
        std::fill(std::begin(m_d->separators), std::end(m_d->separators), false);
        for (const char c : m_d->lineSeparators)
            m_d->separators[static_cast<unsigned char>(c)] = true;
        m_d->separatorsValid = true;
    }
    ensureProgram();
    if (!m_d->hasSubject)
        Error(kErrNoInputString);
    m_d->clearGroups();
    const int length = int(m_d->subject.size());
    if (offset < 1)
        Error(kErrOffsetBelowOne);
    if (offset > length + 1)
        return false;
    int start = offset - 1;

    const ProgramInfo& info = m_d->info;
    const auto* s = reinterpret_cast<const unsigned char*>(m_d->subject.data());
    if (info.requiredTextLength > 0
        && !memmem(s + start, size_t(length - start), m_d->program.data() + info.requiredTextOffset,
                   size_t(info.requiredTextLength)))
        return false;

    if (!m_d->wordTableValid) {
        std::fill(std::begin(m_d->wordTable), std::end(m_d->wordTable), false);
        for (const char c : m_d->wordChars)
            m_d->wordTable[static_cast<unsigned char>(c)] = true;
        m_d->wordNibblesUsable = WordNibbles(m_d->wordTable, m_d->wordNibbles);
        m_d->wordTableValid = true;
    }
    RegexMatcher& matcher = m_d->matcher;
    RegexMatcher::Environment& environment = matcher.environment();
    environment.program = m_d->program.data();
    environment.info = &info;
    environment.invertCase = m_d->invert;
    environment.separators = m_d->separators;
    environment.wordChars = m_d->wordTable;
    environment.pairHead = m_d->pairHead;
    environment.pairTail = m_d->pairTail;
    matcher.Begin(s, length);

    auto attempt = [&](int position) {
        if (!matcher.Attempt(position))
            return false;
        m_d->matchStart = position;
        m_d->matchEnd = matcher.MatchEnd();
        m_d->matched = true;
        return true;
    };

    try {
        if (info.anchored)
            return attempt(start);
        if (info.lineStartFirst)
            return searchLineStarts(s, start, length, attempt);
        if (info.prefixLength > 0 && info.prefixIsMatch) {
            // The scan checks the literal and its boundary tests: that is the whole match.
            auto literalMatch = [&](int position) {
                matcher.SetLiteralMatch(position + info.prefixLength);
                m_d->matchStart = position;
                m_d->matchEnd = matcher.MatchEnd();
                m_d->matched = true;
                return true;
            };
            return searchPrefix(s, start, length, literalMatch);
        }
        if (info.prefixLength > 0)
            return searchPrefix(s, start, length, attempt);
        if (info.requiredFirstChar >= 0 || info.firstCharCount == 1) {
            int c = info.requiredFirstChar;
            if (c < 0)
                c = int(std::find(std::begin(info.firstChar), std::end(info.firstChar), true)
                        - std::begin(info.firstChar));
            while (start < length) {
                const void* found = std::memchr(s + start, c, size_t(length - start));
                if (!found)
                    return false;
                const int position = int(static_cast<const unsigned char*>(found) - s);
                if (attempt(position))
                    return true;
                start = position + 1;
            }
            return false;
        }
        if (info.leadRepeat != 0) {
            for (int position = start; position < length; ++position) {
                if (!info.firstChar[s[position]])
                    continue;
                const int next = matcher.SkipLeadRun(position);
                if (next != position)
                    position = next - 1;
                else if (attempt(position))
                    return true;
            }
            return false;
        }
        for (int position = start; position < length; ++position) {
            if (info.firstChar[s[position]] && attempt(position))
                return true;
        }
        return false;
    } catch (const RegexFailure& failure) {
        Error(failure.code);
    }
    return false;
}

namespace {

// The next place at or after a position where one of one or two characters stands, by memchr
// per character; each character's last find is kept until the scan passes it, so every byte is
// looked at once per character.
class TwoByteScanner {
public:
    TwoByteScanner(const unsigned char* s, int length, unsigned char a, unsigned char b)
        : m_s(s)
        , m_length(length)
        , m_chars { a, b }
        , m_count(a == b ? 1 : 2)
    {
    }

    // The first position >= `from` holding one of the characters, or -1.
    int next(int from)
    {
        int best = -1;
        for (int i = 0; i < m_count; ++i) {
            if (m_next[i] != kNone && m_next[i] < from) {
                const void* found = from < m_length
                    ? std::memchr(m_s + from, m_chars[i], size_t(m_length - from))
                    : nullptr;
                m_next[i] = found ? int(static_cast<const unsigned char*>(found) - m_s) : kNone;
            }
            if (m_next[i] != kNone && (best < 0 || m_next[i] < best))
                best = m_next[i];
        }
        return best;
    }

private:
    static constexpr int kNone = INT_MAX;
    const unsigned char* m_s;
    int m_length;
    unsigned char m_chars[2];
    int m_count;
    int m_next[2] = { -1, -1 };
};

} // namespace

// Made out of line: the searches that inline searchPrefix keep their other scans' loops as
// tight as they were.
LiteralScan TRegex::literalScan(const unsigned char* s, int length) const
{
    const ProgramInfo& info = m_d->info;
    const unsigned char* literal = m_d->program.data() + info.prefixOffset;
    const int literalLength = info.prefixLength;
    const unsigned char* invert = m_d->invert;
    const bool* word = m_d->wordTable;
    LiteralScan scan;
    scan.s = s;
    scan.length = length;
    for (int k = 0; k < 3; ++k) {
        const unsigned char c = literal[info.prefixScan[k]];
        scan.offsets[k] = info.prefixScan[k];
        scan.chars[k][0] = c;
        scan.chars[k][1] = info.prefixCaseless ? invert[c] : c;
    }
    scan.leap = scan.chars[0][0] == scan.chars[0][1];
    // A boundary test next to the literal is tried on whole blocks when the literal's
    // character beside it is a word character or not in either case.
    const auto wordness = [&](unsigned char c, bool& isWord) {
        isWord = word[c];
        return !info.prefixCaseless || word[invert[c]] == isWord;
    };
    bool edgeWord = false;
    if (m_d->wordNibblesUsable && info.prefixBoundBefore != 0 && wordness(literal[0], edgeWord)) {
        scan.testBefore = true;
        scan.wordBefore = (info.prefixBoundBefore > 0) != edgeWord;
    }
    if (m_d->wordNibblesUsable && info.prefixBoundAfter != 0 && wordness(literal[literalLength - 1], edgeWord)) {
        scan.testAfter = true;
        scan.wordAfter = (info.prefixBoundAfter > 0) != edgeWord;
        scan.after = literalLength;
    }
    if (scan.testBefore || scan.testAfter)
        scan.wordClass = m_d->wordNibbles;
    return scan;
}

template <typename Attempt>
bool TRegex::searchPrefix(const unsigned char* s, int start, int length, Attempt& attempt)
{
    const ProgramInfo& info = m_d->info;
    const unsigned char* literal = m_d->program.data() + info.prefixOffset;
    const int literalLength = info.prefixLength;
    const int rare = info.prefixRare;
    const unsigned char* invert = m_d->invert;
    const bool* word = m_d->wordTable;
    // The word boundary at `at` is what the pattern asks there (`kind` as prefixBoundBefore).
    auto boundOk = [&](int kind, int at) {
        if (kind == 0)
            return true;
        const bool before = at > 0 && word[s[at - 1]];
        const bool after = at < length && word[s[at]];
        return (before != after) == (kind > 0);
    };
    auto same = [&](int position) {
        if (!boundOk(info.prefixBoundBefore, position) || !boundOk(info.prefixBoundAfter, position + literalLength))
            return false;
        if (info.prefixCaseless) {
            for (int i = 0; i < literalLength; ++i) {
                if (s[position + i] != literal[i] && s[position + i] != invert[literal[i]])
                    return false;
            }
            return true;
        }
        return std::memcmp(s + position, literal, size_t(literalLength)) == 0;
    };
    if (literalLength >= 2) {
        // Blocks of starts are tested for the rarest character and up to two more of the
        // literal's (LiteralScan.h); the starts that pass are tried one by one.
        LiteralScan scan = literalScan(s, length);
        for (;;) {
            std::uint32_t mask = NextCandidates(scan, start);
            if (mask == 0)
                break;
            for (; mask != 0; mask &= mask - 1) {
                const int position = start + __builtin_ctz(mask);
                if (position + literalLength > length)
                    return false;
                if (same(position) && attempt(position))
                    return true;
            }
            start += 32;
        }
        if (start >= length)
            return false;
    }
    const unsigned char c = literal[rare];
    TwoByteScanner scanner(s, length, c, info.prefixCaseless ? invert[c] : c);
    for (int from = start + rare;;) {
        const int found = scanner.next(from);
        if (found < 0)
            return false;
        const int position = found - rare;
        if (position + literalLength > length)
            return false;
        if (same(position) && attempt(position))
            return true;
        from = found + 1;
    }
}

template <typename Attempt>
bool TRegex::searchLineStarts(const unsigned char* s, int start, int length, Attempt& attempt)
{
    const ProgramInfo& info = m_d->info;
    // A line starts only after a separator or after the paired tail (which need not be one).
    bool ends[256] = {};
    int count = 0;
    unsigned char chars[2] = {};
    for (int c = 0; c < 256; ++c) {
        if (m_d->separators[c] || c == m_d->pairTail) {
            ends[c] = true;
            if (count < 2)
                chars[count] = static_cast<unsigned char>(c);
            ++count;
        }
    }
    auto tryAt
        = [&](int position) { return position < length && info.firstChar[s[position]] && attempt(position); };
    if ((start == 0 || ends[s[start - 1]]) && tryAt(start))
        return true;
    if (count <= 2) {
        TwoByteScanner scanner(s, length, chars[0], count == 2 ? chars[1] : chars[0]);
        for (int from = start;;) {
            const int found = scanner.next(from);
            if (found < 0)
                return false;
            if (tryAt(found + 1))
                return true;
            from = found + 1;
        }
    }
    for (int position = start; position < length; ++position) {
        if (ends[s[position]] && tryAt(position + 1))
            return true;
    }
    return false;
}

std::optional<int> TRegex::CountNextLiteralMatches(int limit)
{
    if (!m_d->hasSubject || m_d->groupStart(0) < 0 || m_d->groupEnd(0) < 0)
        Error(kErrExecNextWithoutExec);
    const ProgramInfo& info = m_d->info;
    // Only the program the current match came from, unchanged: anything else is left to
    // ExecNext, which compiles and checks as a search does.
    if (limit < 1 || m_d->program.empty() || m_d->modifiers != m_d->programModifiers
        || !(info.prefixLength > 0 && info.prefixIsMatch) || !m_d->wordTableValid)
        return std::nullopt;
    const int length = int(m_d->subject.size());
    const auto* s = reinterpret_cast<const unsigned char*>(m_d->subject.data());
    // A literal match is never empty, so the next search starts where this match ends.
    int from = m_d->groupEnd(0);
    int count = 0;
    int last = -1;
    auto counted = [&](int position) {
        if (position < from)
            return false; // overlaps the match before: ExecNext would not find it
        ++count;
        last = position;
        from = position + info.prefixLength;
        return count == limit;
    };
    m_d->clearGroups();
    if (from <= length)
        searchPrefix(s, from, length, counted);
    if (count == limit) {
        m_d->matcher.SetLiteralMatch(last + info.prefixLength);
        m_d->matchStart = last;
        m_d->matchEnd = last + info.prefixLength;
        m_d->matched = true;
    }
    return count;
}

bool TRegex::Exec(std::string_view text)
{
    SetInputString(text);
    return search(1);
}

bool TRegex::ExecPos(int offset) { return search(offset); }

void TRegex::SetAbortCheck(std::function<bool()> check) { m_d->matcher.SetAbortCheck(std::move(check)); }

bool TRegex::ExecNext()
{
    if (!m_d->hasSubject || m_d->groupStart(0) < 0 || m_d->groupEnd(0) < 0)
        Error(kErrExecNextWithoutExec);
    const int length = m_d->groupEnd(0) - m_d->groupStart(0);
    int offset = m_d->groupStart(0) + 1 + length;
    if (length == 0)
        ++offset;
    return search(offset);
}

// ---- results --------------------------------------------------------------------------------

int TRegex::GroupStart(int n) const
{
    if (n < 0 || n >= kGroupCount || !m_d->hasSubject || m_d->groupStart(n) < 0 || m_d->groupEnd(n) < 0)
        return -1;
    return m_d->groupStart(n) + 1;
}

int TRegex::GroupLength(int n) const
{
    if (n < 0 || n >= kGroupCount || !m_d->hasSubject || m_d->groupStart(n) < 0 || m_d->groupEnd(n) < 0)
        return -1;
    return std::max(0, m_d->groupEnd(n) - m_d->groupStart(n));
}

std::string TRegex::GroupText(int n) const
{
    const int length = GroupLength(n);
    if (length <= 0)
        return std::string();
    return std::string(m_d->subject.substr(size_t(m_d->groupStart(n)), size_t(length)));
}

std::string TRegex::Substitute(std::string_view templateText)
{
    ensureProgram();
    if (!m_d->hasSubject)
        Error(kErrNoInputString);
    std::string result;
    const size_t size = templateText.size();
    auto at = [&](size_t i) -> char { return i < size ? templateText[i] : '\0'; };
    size_t i = 0;
    while (i < size) {
        const char c = templateText[i];
        if (c == '$') {
            size_t j = i + 1;
            const bool braced = at(j) == '{';
            if (braced)
                ++j;
            long group = -1;
            bool valid = false;
            if (j < size && at(j) == '&') {
                group = 0;
                valid = true;
                ++j;
            } else if (j < size && at(j) >= '0' && at(j) <= '9') {
                group = 0;
                while (j < size && at(j) >= '0' && at(j) <= '9') {
                    if (group < 1000000)
                        group = group * 10 + (at(j) - '0');
                    ++j;
                }
                valid = true;
            } else if (braced) {
                group = 0; // "${}" is the whole match
                valid = true;
            }
            if (valid && braced) {
                if (j < size && at(j) == '}')
                    ++j;
                else
                    valid = false;
            }
            if (!valid) {
                result.push_back('$');
                ++i;
                continue;
            }
            if (group >= 0 && group < kGroupCount)
                result += GroupText(int(group));
            i = j;
            continue;
        }
        if (c == '\\' && i + 1 < size) {
            const char e = templateText[i + 1];
            result.push_back(e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e);
            i += 2;
            continue;
        }
        result.push_back(c);
        ++i;
    }
    return result;
}

std::string TRegex::QuoteMetaChars(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (kQuotedChars.find(c) != std::string_view::npos)
            result.push_back('\\');
        result.push_back(c);
    }
    return result;
}

// ---- analysis accessors ---------------------------------------------------------------------

std::string_view TRegex::ProgramBytes() const
{
    return std::string_view(reinterpret_cast<const char*>(m_d->program.data()), m_d->program.size());
}

std::bitset<256> TRegex::FirstCharSet() const
{
    std::bitset<256> set;
    if (m_d->program.empty())
        return set;
    for (int c = 0; c < 256; ++c)
        set[size_t(c)] = m_d->info.firstChar[c];
    return set;
}

int TRegex::RequiredFirstChar() const { return m_d->program.empty() ? -1 : m_d->info.requiredFirstChar; }

bool TRegex::Anchored() const { return !m_d->program.empty() && m_d->info.anchored; }

std::string TRegex::RequiredText() const
{
    if (m_d->program.empty() || m_d->info.requiredTextLength == 0)
        return std::string();
    return std::string(reinterpret_cast<const char*>(m_d->program.data()) + m_d->info.requiredTextOffset,
                       size_t(m_d->info.requiredTextLength));
}

} // namespace morvane::regex
