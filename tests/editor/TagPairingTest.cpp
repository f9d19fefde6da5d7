// Tag pairing and the editor's search: tables of texts with the caret or selection marked in
// them ("|" is the caret, "[...]" a selection) and the selection each command leaves.

#include "editor/TagPairing.h"
#include "codepage/CodePage.h"
#include "editor/EditorFind.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace morvane::editor {
namespace {

struct Marked {
    std::string text;
    TextSelection selection;
};

// Takes the markers out of `marked`: "|" sets the caret, "[" and "]" bound a selection.
Marked Parse(std::string_view marked)
{
    Marked result;
    for (char c : marked) {
        const int here = static_cast<int>(result.text.size());
        if (c == '|')
            result.selection = { here, 0 };
        else if (c == '[')
            result.selection.start = here;
        else if (c == ']')
            result.selection.length = here - result.selection.start;
        else
            result.text.push_back(c);
    }
    return result;
}

// The text with the selection marked the same way.
std::string Render(std::string text, TextSelection selection)
{
    if (selection.length == 0)
        return text.insert(static_cast<size_t>(selection.start), "|");
    text.insert(static_cast<size_t>(selection.start + selection.length), "]");
    return text.insert(static_cast<size_t>(selection.start), "[");
}

// ---- EditorFind ----

struct FindRow {
    const char* name;
    std::string text;
    std::string needle;
    int start;
    int length;
    int expected;
};

TEST(EditorFind, WindowAndCase)
{
    const std::string cyrillic = codepage::Utf8ToWin1251("<див>текст</ДИВ>");
    const FindRow rows[] = {
        { "first of several", "a<b<b", "<b", 0, 5, 1 },
        { "from inside the window", "a<b<b", "<b", 2, 3, 3 },
        { "Latin letters ignore case", "x</DiV>", "</div", 0, 7, 1 },
        { "Cyrillic letters ignore case", cyrillic, codepage::Utf8ToWin1251("</див"), 0, 20, 10 },
        { "a hit must end inside the window", "ab</div>", "</div", 0, 6, -1 },
        { "a hit ending exactly at the window end", "ab</div>", "</div", 0, 7, 2 },
        { "a hit starting before the window", "</div>", "</div", 1, 10, -1 },
        { "negative start is clipped", "<b>", "<b", -1, 3, 0 },
        { "overlong length is clipped", "<b>", ">", 0, 1000, 2 },
        { "empty window", "<b>", "<", 0, 0, -1 },
        { "negative length", "<b>", "<", 2, -2, -1 },
        { "window after the text", "<b>", "<", 3, 5, -1 },
        { "empty needle", "<b>", "", 0, 3, -1 },
        { "not a letter, no case", "a[b", "{", 0, 3, -1 },
    };
    for (const FindRow& row : rows)
        EXPECT_EQ(EditorFind(row.text, row.needle, row.start, row.length), row.expected) << row.name;
}

// ---- Locating the tag name ----

struct LocateRow {
    const char* name;
    const char* marked;
    const char* expected; // the selection left, marked
    bool found;
    bool closing;
    const char* tagName;
};

TEST(LocateTagName, CaretAndSelection)
{
    const LocateRow rows[] = {
        { "caret inside the name", "<d|iv>", "<[div]>", true, false, "div" },
        { "caret just after the <", "<|div>", "<[div]>", true, false, "div" },
        { "caret just before the >", "<div|>", "<[div]>", true, false, "div" },
        { "caret inside the attributes", "<a hr|ef=\"x\">", "<[a] href=\"x\">", true, false, "a" },
        { "caret in a closing name", "x</di|v>", "x<[/div]>", true, true, "div" },
        { "caret after the tags uses the last <", "<b><i>x|", "<b><[i]>x", true, false, "i" },
        { "caret in text after a tag", "<b>te|xt</b>", "<[b]>text</b>", true, false, "b" },
        { "blank after > does not end the name", "<b|>x y", "<[b]>x y", true, false, "b" },
        { "a line break does not end the name", "<di|v\r\nid=1>", "<[div\r\nid=1]>", true, false,
            "div\r\nid=1" },
        { "no < before the caret", "te|xt <b>", "te|xt <b>", false, false, "" },
        { "caret at the very start", "|<b>", "|<b>", false, false, "" },
        { "no > after the name", "<di|v", "<di|v", false, false, "" },
        { "< at the end of the text", "text<|", "text<|", false, false, "" },
        { "a selection is the name", "<[span]>", "<[span]>", true, false, "span" },
        { "a selection with a trailing blank loses it", "<[div ]class>", "<[div] class>", true, false,
            "div" },
        { "a leading blank is kept", "<[ div]>", "<[ div]>", true, false, " div" },
        { "a selected name takes the / before it", "</[div]>", "<[/div]>", true, true, "div" },
        { "a selection at the start of the text", "[div]>", "[div]>", true, false, "div" },
    };
    for (const LocateRow& row : rows) {
        const Marked in = Parse(row.marked);
        const LocatedTag tag = LocateTagName(in.text, in.selection);
        EXPECT_EQ(Render(in.text, tag.selection), row.expected) << row.name;
        EXPECT_EQ(tag.found, row.found) << row.name;
        if (!row.found)
            continue;
        EXPECT_EQ(tag.closing, row.closing) << row.name;
        EXPECT_EQ(tag.name, row.tagName) << row.name;
    }
}

// ---- Finding the partner (Ctrl+F7) and selecting the block (Shift+F7) ----

struct PairRow {
    const char* name;
    const char* marked;
    const char* partner; // after FindPairedTag
    const char* block; // after SelectTagBlock
    bool blockSelected;
};

TEST(TagPairing, PartnerAndBlock)
{
    const PairRow rows[] = {
        { "nested over lines: the outer closing tag", "<d|iv>\r\n<div>x</div>\r\n</div>",
            "<div>\r\n<div>x</div>\r\n<[/div]>", "[<div>\r\n<div>x</div>\r\n</div>]", true },
        { "siblings inside: the final closing tag", "<d|iv><div>1</div><div>2</div></div>",
            "<div><div>1</div><div>2</div><[/div]>", "[<div><div>1</div><div>2</div></div>]", true },
        { "final closing tag back to the first opening one", "<div><div>1</div><div>2</div></di|v>",
            "<[div]><div>1</div><div>2</div></div>", "[<div><div>1</div><div>2</div></div>]", true },
        { "inner closing tag back to its own opening one", "<div><div>1</d|iv><div>2</div></div>",
            "<div><[div]>1</div><div>2</div></div>", "<div>[<div>1</div>]<div>2</div></div>", true },
        { "second inner element", "<div><div>1</div><d|iv>2</div></div>",
            "<div><div>1</div><div>2<[/div]></div>", "<div><div>1</div>[<div>2</div>]</div>", true },
        { "three deep", "<|b><b><b>x</b></b></b>", "<b><b><b>x</b></b><[/b]>", "[<b><b><b>x</b></b></b>]",
            true },
        { "other names do not count", "<d|iv><span><div></div></span></div>",
            "<div><span><div></div></span><[/div]>", "[<div><span><div></div></span></div>]", true },
        { "upper-case opening, lower-case closing", "<D|IV>x</div>", "<DIV>x<[/div]>", "[<DIV>x</div>]",
            true },
        { "lower-case closing back to upper-case opening", "<DIV>x</di|v>", "<[DIV]>x</div>",
            "[<DIV>x</div>]", true },
        { "caret inside <a href>", "<a hr|ef=\"x\">link</a> <a>2</a>", "<a href=\"x\">link<[/a]> <a>2</a>",
            "[<a href=\"x\">link</a>] <a>2</a>", true },
        { "an opening tag without partner keeps its name", "<d|iv>text", "<[div]>text", "<[div]>text",
            false },
        { "a closing tag without partner keeps its name", "text</d|iv>", "text<[/div]>", "text<[/div]>",
            false },
        { "a closing tag whose opening tags all pair elsewhere", "<b>1</b>2</|b>", "<b>1</b>2<[/b]>",
            "<b>1</b>2<[/b]>", false },
        { "no tag at the caret leaves the caret", "te|xt</div>", "te|xt</div>", "te|xt</div>", false },
        { "a selected name is paired", "<[p]>x</p>", "<p>x<[/p]>", "[<p>x</p>]", true },
        { "a selected name at the text start", "[p]>x</p>", "p>x<[/p]>", "[p>x</p>]", true },
        // A name ends at white space, ">" or "/": "<b" is not the start of "<br".
        { "a longer opening name is another tag", "<|b>x<br>y<br/></b>", "<b>x<br>y<br/><[/b]>",
            "[<b>x<br>y<br/></b>]", true },
        { "back over a longer opening name", "<p>x<pre>y</pre></|p>", "<[p]>x<pre>y</pre></p>",
            "[<p>x<pre>y</pre></p>]", true },
        { "a longer closing name is another tag", "<|i>x</img></i>", "<i>x</img><[/i]>", "[<i>x</img></i>]",
            true },
        // "<b/" is the same name: it counts as a nested opening tag, as any <b does.
        { "a slash ends the name", "<|b>x<b/>y</b>", "<[b]>x<b/>y</b>", "<[b]>x<b/>y</b>", false },
        { "the block assumes no blank before >", "<d|iv>x</div >", "<div>x<[/div] >", "[<div>x</div ]>",
            true },
    };
    for (const PairRow& row : rows) {
        const Marked in = Parse(row.marked);
        EXPECT_EQ(Render(in.text, FindPairedTag(in.text, in.selection)), row.partner) << row.name;
        const TagBlock block = SelectTagBlock(in.text, in.selection);
        EXPECT_EQ(Render(in.text, block.selection), row.block) << row.name;
        EXPECT_EQ(block.blockSelected, row.blockSelected) << row.name;
    }
}

TEST(TagPairing, CyrillicNamesIgnoreCase)
{
    const Marked in = Parse(codepage::Utf8ToWin1251("<т|ег>x</ТЕГ>"));
    EXPECT_EQ(
        Render(in.text, FindPairedTag(in.text, in.selection)), codepage::Utf8ToWin1251("<тег>x<[/ТЕГ]>"));
}

TEST(TagPairing, LongNamesAreCutTo255Characters)
{
    // The closing name differs from the opening one only after the part the cut keeps, so the
    // cut strings match; the partner selection covers exactly the cut closing string.
    const std::string name(300, 'q');
    const std::string other = std::string(253, 'q') + "Z";
    const std::string text = "<" + name + ">x</" + other + ">";
    const TextSelection caret { 5, 0 };
    const int closeAt = static_cast<int>(name.size()) + 3;

    const TextSelection partner = FindPairedTag(text, caret);
    EXPECT_EQ(partner.start, closeAt + 1);
    EXPECT_EQ(partner.length, 254);

    EXPECT_EQ(ClosingTagString(name).size(), kMaxTagString);
    EXPECT_EQ(OpeningTagString(name).size(), kMaxTagString);
    EXPECT_EQ(OpeningTagString("div"), "<div");

    // A difference inside the kept part still tells the names apart: the name stays selected.
    const std::string early = std::string(252, 'q') + "Z";
    const std::string differs = "<" + name + ">x</" + early + ">";
    EXPECT_EQ(FindPairedTag(differs, caret), (TextSelection { 1, 300 }));
}

// ---- The searches on their own ----

TEST(TagPairing, SearchWindows)
{
    //                        0    5    10   15   20
    const std::string text = "<i><i>x</i></i>";
    EXPECT_EQ(FindClosingTag(text, 0, static_cast<int>(text.size()), "</i", "<i"), 11);
    EXPECT_EQ(FindClosingTag(text, 3, static_cast<int>(text.size()), "</i", "<i"), 7);
    // The end bounds the closing tags considered.
    EXPECT_EQ(FindClosingTag(text, 0, 13, "</i", "<i"), -1);
    EXPECT_EQ(FindClosingTag(text, 0, 14, "</i", "<i"), 11);

    EXPECT_EQ(FindOpeningTag(text, 11, "<i", "/i"), 0);
    EXPECT_EQ(FindOpeningTag(text, 7, "<i", "/i"), 3);
    // A position where no closing tag stands pairs with nothing.
    EXPECT_EQ(FindOpeningTag(text, 6, "<i", "/i"), -1);
    EXPECT_EQ(FindOpeningTag(text, 0, "<i", "/i"), -1);
}

TEST(IsHtmlFileName, Extensions)
{
    const struct {
        const char* path;
        bool html;
    } rows[] = {
        { "/w/page.htm", true },
        { "/w/page.HTML", true },
        { "/w/page.Htm", true },
        { "/w/page.hTmL", true },
        { "/w/page.html.txt", false },
        { "/w/page.shtml", false },
        { "/w/page.xhtm", false },
        { "/w/pagehtm", false },
        { "/w/page.ht", false },
        { "", false },
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsHtmlFileName(row.path), row.html) << row.path;
}

} // namespace
} // namespace morvane::editor
