#pragma once
// Pairing of HTML tags in the editor's plain text: find the partner of the tag at the caret, or
// select the whole element. This is a textual heuristic on top of EditorFind, not an HTML parser:
// a tag is "<" + name, its partner "</" + name, compared without regard to letter case, and
// nesting is counted only among tags of the same name. Everything here works on 0-based byte
// positions of Windows-1251 text and takes and returns the editor's selection, so the window
// only reads its editor and applies the result. Covered by tests/editor/TagPairingTest.cpp.
//
// Known limits, kept on purpose because users rely on the established behaviour: a name runs
// from after "<" to the first blank or ">" (a line break does not end it); the block selection
// assumes a closing tag is written "</name>" with ">" right after the name; comments, scripts
// and attribute values containing "<name" take part in the counting like real tags.

#include <string>
#include <string_view>

namespace morvane::editor {

// A selection of the editor: start position and length (0 for a bare caret).
struct TextSelection {
    int start = 0;
    int length = 0;

    bool operator==(const TextSelection&) const = default;
};

// Tag strings are cut to this many characters, the capacity the searches were designed for.
inline constexpr size_t kMaxTagString = 255;

// "<" + name, cut to kMaxTagString.
std::string OpeningTagString(std::string_view name);
// "</" + name, cut to kMaxTagString.
std::string ClosingTagString(std::string_view name);

// What the locating step made of the selection.
struct LocatedTag {
    // The selection it leaves: the tag name when one was found, else the selection unchanged.
    TextSelection selection;
    // False when no "<" precedes the caret or no ">" follows the name; nothing else is done then.
    bool found = false;
    // The selection starts with "/": a closing tag.
    bool closing = false;
    // The tag name without the leading "/".
    std::string name;
};

// The common first part of both pairing commands. A non-empty selection is taken as the tag
// name; otherwise the name around the caret is selected: from just after the last "<" before
// the caret to the next ">" or, when it comes first, the next blank. A selection with a blank
// after its first character loses its last character, and a "/" just before it is taken in.
LocatedTag LocateTagName(std::string_view text, TextSelection selection);

// The partner search for an opening tag whose "<" is at `start`: the first `closeTag` in
// [start, end) such that no further `openTag` of the same name lies between the tags counted so
// far. Each nested opening tag found moves the search on to the next closing tag. The position
// of the partner's "<", or -1.
int FindClosingTag(
    std::string_view text, int start, int end, std::string_view closeTag, std::string_view openTag);

// The partner search for a closing tag whose "<" is at `closePos` and whose selected name is
// `closeName` ("/" + name): the opening tags `openTag` before it are tried from the start of the
// text, and the first whose FindClosingTag partner is this closing tag wins. The position of its
// "<", or -1. Quadratic in the number of same-named tags before the closing one.
int FindOpeningTag(std::string_view text, int closePos, std::string_view openTag, std::string_view closeName);

// Ctrl+F7: the selection after pairing. The partner's name ("/name" of a closing partner, "name"
// of an opening one) is selected; without a partner the located name stays selected, and when
// no name was located the selection is returned unchanged.
TextSelection FindPairedTag(std::string_view text, TextSelection selection);

// Shift+F7's result: the new selection, and whether it is a whole element.
struct TagBlock {
    TextSelection selection;
    bool blockSelected = false;
};

// Shift+F7: selects the element from its opening "<" to just after the ">" of its closing tag.
// Without a partner the located name stays selected (blockSelected false).
TagBlock SelectTagBlock(std::string_view text, TextSelection selection);

// Whether the pairing commands apply to the editor's file: its name, upper-cased, ends in ".HTM"
// or ".HTML". `pathText` is the path as program text (empty when the editor holds no file).
bool IsHtmlFileName(std::string_view pathText);

} // namespace morvane::editor
