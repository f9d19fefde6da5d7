// HTML tag pairing on the editor's plain text. Covered by tests/editor/TagPairingTest.cpp.
//
// The searches count nesting only among tags of the same name and only as far as the windows of
// EditorFind reach, which is what makes the results on sloppy HTML predictable: a stray opening
// tag shifts the pairing by one, it never throws the search somewhere unrelated. Positions may
// run one before the text (an opening tag selected at position 0 has its "<" at -1); EditorFind
// clips its windows, and results are clipped to the text before they become a selection.

#include "editor/TagPairing.h"

#include "editor/EditorFind.h"

#include <algorithm>
#include <climits>

namespace morvane::editor {

namespace {

std::string Cut(std::string tagString)
{
    if (tagString.size() > kMaxTagString)
        tagString.resize(kMaxTagString);
    return tagString;
}

int Size(std::string_view text)
{
    return static_cast<int>(text.size());
}

// A selection from `from` up to `to` (exclusive), clipped to the text.
TextSelection Span(std::string_view text, int from, int to)
{
    from = std::clamp(from, 0, Size(text));
    to = std::clamp(to, from, Size(text));
    return { from, to - from };
}

TextSelection Clip(std::string_view text, TextSelection selection)
{
    return Span(text, selection.start, selection.start + std::max(selection.length, 0));
}

// Whether `c` ends a tag's name: white space, ">" or "/".
bool EndsTagName(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == '>' || c == '/';
}

// EditorFind of a tag string ("<b", "</b") that is a whole name, not the start of a longer one
// ("<br"). A string cut to kMaxTagString matches as a prefix, since the rest of its name is gone.
int FindTag(std::string_view text, std::string_view tag, int start, int length)
{
    const long long end = static_cast<long long>(start) + length;
    for (;;) {
        const int d = EditorFind(text, tag, start, static_cast<int>(std::min<long long>(end - start, INT_MAX)));
        if (d < 0)
            return -1;
        const size_t next = static_cast<size_t>(d) + tag.size();
        if (tag.size() >= kMaxTagString || next >= text.size() || EndsTagName(text[next]))
            return d;
        start = d + 1;
    }
}

} // namespace

std::string OpeningTagString(std::string_view name)
{
    return Cut("<" + std::string(name));
}

std::string ClosingTagString(std::string_view name)
{
    return Cut("</" + std::string(name));
}

LocatedTag LocateTagName(std::string_view text, TextSelection selection)
{
    LocatedTag result;
    TextSelection sel = Clip(text, selection);
    result.selection = sel;
    const int size = Size(text);

    if (sel.length == 0) {
        // The name starts just after the last "<" before the caret.
        const int caret = sel.start;
        int t = 0;
        if (caret > 0) {
            const size_t hit = text.rfind('<', static_cast<size_t>(caret - 1));
            t = hit == std::string_view::npos ? 0 : static_cast<int>(hit) + 1;
        }
        if (t == 0)
            return result;
        const int g = EditorFind(text, ">", t + 1, size - t - 1);
        const int s = EditorFind(text, " ", t + 1, size - t - 1);
        if (g < 0)
            return result;
        const int end = s >= 0 && s < g ? s : g;
        sel = { t, end - t };
    }

    // A selection made by hand may run over the blank that ends the name.
    if (text.substr(static_cast<size_t>(sel.start), static_cast<size_t>(sel.length)).find(' ', 1)
        != std::string_view::npos)
        --sel.length;
    if (sel.start > 0 && text[static_cast<size_t>(sel.start - 1)] == '/') {
        --sel.start;
        ++sel.length;
    }

    result.selection = sel;
    result.found = true;
    const std::string_view name
        = text.substr(static_cast<size_t>(sel.start), static_cast<size_t>(sel.length));
    result.closing = !name.empty() && name.front() == '/';
    result.name = std::string(result.closing ? name.substr(1) : name);
    return result;
}

int FindClosingTag(
    std::string_view text, int start, int end, std::string_view closeTag, std::string_view openTag)
{
    const int closeLength = Size(closeTag);
    int a = start;
    int prev = 0;
    for (;;) {
        const int d = FindTag(text, closeTag, a, end - a);
        if (d < 0)
            return -1;
        if (prev > 0)
            a = prev;
        // A nested opening tag of the same name between the last one counted and this candidate
        // means the candidate closes that one; move on to the next closing tag.
        prev = FindTag(text, openTag, a + closeLength, d - a);
        if (prev < 0)
            return d;
        a = d + closeLength + 1;
    }
}

int FindOpeningTag(std::string_view text, int closePos, std::string_view openTag, std::string_view closeName)
{
    const std::string closeTag = Cut("<" + std::string(closeName));
    const int step = std::max(Size(closeName), 1);
    int s = 0;
    for (;;) {
        const int d = FindTag(text, openTag, s, closePos - s);
        if (d < 0)
            return -1;
        s = d + step;
        if (FindClosingTag(text, d, closePos + Size(closeName) + 1, closeTag, openTag) == closePos)
            return d;
    }
}

TextSelection FindPairedTag(std::string_view text, TextSelection selection)
{
    const LocatedTag tag = LocateTagName(text, selection);
    if (!tag.found)
        return tag.selection;
    const int p = tag.selection.start;
    const std::string open = OpeningTagString(tag.name);
    if (!tag.closing) {
        const std::string close = ClosingTagString(tag.name);
        const int r = FindClosingTag(text, p - 1, Size(text), close, open);
        if (r >= 0)
            return Clip(text, { r + 1, Size(close) - 1 });
    } else {
        const std::string_view closeName
            = text.substr(static_cast<size_t>(p), static_cast<size_t>(tag.selection.length));
        const int r = FindOpeningTag(text, p - 1, open, closeName);
        if (r >= 0)
            return Clip(text, { r + 1, Size(open) - 1 });
    }
    return tag.selection;
}

TagBlock SelectTagBlock(std::string_view text, TextSelection selection)
{
    const LocatedTag tag = LocateTagName(text, selection);
    TagBlock block { tag.selection, false };
    if (!tag.found)
        return block;
    const int p = tag.selection.start;
    const int k = tag.selection.length;
    const std::string open = OpeningTagString(tag.name);
    if (!tag.closing) {
        const int r = FindClosingTag(text, p - 1, Size(text), ClosingTagString(tag.name), open);
        if (r >= 0)
            block = { Span(text, p - 1, r + k + 3), true };
    } else {
        const std::string_view closeName = text.substr(static_cast<size_t>(p), static_cast<size_t>(k));
        const int r = FindOpeningTag(text, p - 1, open, closeName);
        if (r >= 0)
            block = { Span(text, r, p + k + 1), true };
    }
    return block;
}

bool IsHtmlFileName(std::string_view pathText)
{
    const auto endsWith = [pathText](std::string_view suffix) {
        if (pathText.size() < suffix.size())
            return false;
        const std::string_view tail = pathText.substr(pathText.size() - suffix.size());
        return std::equal(tail.begin(), tail.end(), suffix.begin(),
            [](char a, char b) { return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 32) : a) == b; });
    };
    return endsWith(".HTM") || endsWith(".HTML");
}

} // namespace morvane::editor
