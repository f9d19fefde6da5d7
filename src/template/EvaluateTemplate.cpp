// The extended replacement template evaluator: a single left-to-right pass over the template
// that keeps the case state (a lasting CaseMode or a one-character PendingCase, never both) and
// the quoting state, and appends each item's text to the output. Items that do not parse are
// copied as text; the only error is a width beyond the bound. Covered by
// tests/template/EvaluateTemplateTest.cpp and the item tests beside it.

#include "template/EvaluateTemplate.h"

#include "codepage/CodePage.h"
#include "template/CounterItem.h"
#include "template/LetterCase.h"
#include "template/PathParts.h"
#include "template/WidthModifier.h"

#include <algorithm>

namespace morvane::templ {

namespace {

constexpr int kGroupCount = 15;
// Group numbers are read with saturation; anything above 14 is simply an empty group.
constexpr int kGroupNumberCap = 1000;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

class Evaluator {
public:
    Evaluator(std::string_view templateText, const GroupTextSource& groupText, const RunCounters& counters,
        const std::filesystem::path& currentFilePath)
        : m_t(templateText)
        , m_groupText(groupText)
        , m_counters(counters)
        , m_path(currentFilePath)
    {
    }

    std::string run()
    {
        std::size_t i = 0;
        while (i < m_t.size()) {
            switch (m_t[i]) {
            case '$':
                i = groupItem(i);
                break;
            case '\\':
                i = backslashItem(i);
                break;
            default:
                appendLiteral(m_t[i]);
                ++i;
                break;
            }
        }
        return std::move(m_out);
    }

private:
    bool at(std::size_t i, char c) const { return i < m_t.size() && m_t[i] == c; }

    // Applies the current case to an item's text. A one-character conversion waits while an
    // empty group gives nothing to convert; every other item consumes it even when empty.
    void applyCase(std::string& text, bool keepPendingWhenEmpty)
    {
        if (m_caseMode != CaseConversion::None) {
            ConvertCase(text, m_caseMode);
        } else if (m_pendingCase != CaseConversion::None) {
            if (text.empty() && keepPendingWhenEmpty)
                return;
            if (!text.empty())
                text[0] = ConvertCase(text[0], m_pendingCase);
            m_pendingCase = CaseConversion::None;
        }
    }

    void appendLiteral(char c)
    {
        std::string text(1, c);
        applyCase(text, false);
        m_out += text;
    }

    void setCase(CaseConversion mode, CaseConversion pending)
    {
        m_caseMode = mode;
        m_pendingCase = pending;
    }

    // "$" at `i`. Returns the index of the next character to evaluate.
    std::size_t groupItem(std::size_t i)
    {
        std::size_t j = i + 1;
        int n = 0;
        bool valid = !m_quote && j < m_t.size();
        if (valid && isDigit(m_t[j])) {
            for (; j < m_t.size() && isDigit(m_t[j]); ++j)
                n = std::min(n * 10 + (m_t[j] - '0'), kGroupNumberCap);
        } else if (valid && m_t[j] == '&') {
            ++j;
        } else if (valid && m_t[j] == '{') {
            ++j;
            if (at(j, '&')) {
                ++j;
            } else {
                for (; j < m_t.size() && isDigit(m_t[j]); ++j)
                    n = std::min(n * 10 + (m_t[j] - '0'), kGroupNumberCap);
            }
            valid = at(j, '}');
            ++j;
        } else {
            valid = false;
        }
        if (!valid) {
            // A literal dollar; the characters after it are ordinary text.
            m_pendingCase = CaseConversion::None;
            m_out += '$';
            return i + 1;
        }
        std::string text = n < kGroupCount && m_groupText ? m_groupText(n) : std::string();
        applyCase(text, true);
        j = ApplyWidthModifiers(m_t, j, text);
        m_out += text;
        return j;
    }

    // "\" at `i`. Returns the index of the next character to evaluate.
    std::size_t backslashItem(std::size_t i)
    {
        if (i + 1 >= m_t.size()) {
            if (m_quote)
                m_out += '\\';
            return i + 1;
        }
        const char x = m_t[i + 1];
        if (m_quote) {
            if (x == 'E' || x == '/') {
                m_quote = false;
                return i + 2;
            }
            // Copied as written: the "\" now, the next character by the main loop.
            appendLiteral('\\');
            return i + 1;
        }
        switch (x) {
        case 'r':
            m_out += '\r';
            break;
        case 'n':
            m_out += '\n';
            break;
        case 't':
            m_out += '\t';
            break;
        case '#': {
            CounterItemResult counter = EvaluateCounterItem(m_t, i + 1, m_counters);
            m_out += counter.text;
            return counter.next;
        }
        case 'x':
            return codeItem(i);
        case 'P':
            return pathItem(i + 2);
        case 'F':
            return nameItem(i + 2);
        case 'L':
            setCase(CaseConversion::Lower, CaseConversion::None);
            break;
        case 'U':
            setCase(CaseConversion::Upper, CaseConversion::None);
            break;
        case 'I':
            setCase(CaseConversion::Invert, CaseConversion::None);
            break;
        case 'l':
            setCase(CaseConversion::None, CaseConversion::Lower);
            break;
        case 'u':
            setCase(CaseConversion::None, CaseConversion::Upper);
            break;
        case 'i':
            setCase(CaseConversion::None, CaseConversion::Invert);
            break;
        case 'E':
        case '/':
            setCase(CaseConversion::None, CaseConversion::None);
            break;
        case 'Q':
            setCase(CaseConversion::None, CaseConversion::None);
            m_quote = true;
            break;
        default:
            appendLiteral(x);
            break;
        }
        return i + 2;
    }

    // "\x" at `i`: two hexadecimal digits give a character, case untouched.
    std::size_t codeItem(std::size_t i)
    {
        if (i + 3 < m_t.size() && hexValue(m_t[i + 2]) >= 0 && hexValue(m_t[i + 3]) >= 0) {
            m_out += static_cast<char>(hexValue(m_t[i + 2]) * 16 + hexValue(m_t[i + 3]));
            return i + 4;
        }
        appendLiteral('\\');
        return i + 1;
    }

    std::string pathText() const { return codepage::Utf8ToWin1251(m_path.string()); }

    // "\P"; `i` is the index after the "P".
    std::size_t pathItem(std::size_t i)
    {
        std::string directory = DirectoryPart(pathText());
        applyCase(directory, false);
        if (!at(i, '{')) {
            const std::size_t next = ApplyWidthModifiers(m_t, i, directory);
            m_out += directory;
            return next;
        }
        std::size_t j = i + 1;
        char selector = 'F';
        if (at(j, 'F') || at(j, ',')) {
            ++j;
        } else if (at(j, 'P') || at(j, 'N') || at(j, 'D') || at(j, 'R')) {
            selector = m_t[j];
            ++j;
        }
        if (at(j, ','))
            ++j;
        bool slashes = false;
        if (at(j, '/')) {
            slashes = true;
            ++j;
        }
        if (at(j, '\\'))
            ++j;
        if (!at(j, '}')) {
            // The braces are text; the item shows its unselected directory (or, for N, the last
            // component), without a width modifier.
            m_out += selector == 'N' ? SelectDirectoryPart(directory, 'N') : directory;
            return i;
        }
        std::string text = SelectDirectoryPart(directory, selector);
        if (slashes) {
            for (char& c : text) {
                if (c == '\\')
                    c = '/';
            }
        }
        const std::size_t next = ApplyWidthModifiers(m_t, j + 1, text);
        m_out += text;
        return next;
    }

    // "\F"; `i` is the index after the "F".
    std::size_t nameItem(std::size_t i)
    {
        std::string name = NamePart(pathText());
        applyCase(name, false);
        std::size_t next = i;
        if (at(i, '{')) {
            std::size_t j = i + 1;
            char selector = 'F';
            if (at(j, 'F') || at(j, 'N') || at(j, 'E'))
                selector = m_t[j++];
            if (!at(j, '}')) {
                m_out += name;
                return i;
            }
            name = SelectNamePart(name, selector);
            next = j + 1;
        }
        next = ApplyWidthModifiers(m_t, next, name);
        m_out += name;
        return next;
    }

    std::string_view m_t;
    const GroupTextSource& m_groupText;
    const RunCounters& m_counters;
    const std::filesystem::path& m_path;
    CaseConversion m_caseMode = CaseConversion::None;
    CaseConversion m_pendingCase = CaseConversion::None;
    bool m_quote = false;
    std::string m_out;
};

} // namespace

std::string EvaluateTemplate(std::string_view templateText, const GroupTextSource& groupText,
    const RunCounters& counters, const std::filesystem::path& currentFilePath)
{
    return Evaluator(templateText, groupText, counters, currentFilePath).run();
}

std::optional<TemplateWidthError> CheckTemplate(std::string_view templateText)
{
    // Empty groups, counters and path: the items still read exactly as in a run, and what they
    // produce stays within the widths that pass.
    try {
        EvaluateTemplate(templateText, GroupTextSource(), RunCounters(), std::filesystem::path());
    } catch (const TemplateWidthError& error) {
        return error;
    }
    return std::nullopt;
}

} // namespace morvane::templ
