#pragma once
// Insertion of a ready-made fragment into an edit field, as the two insertion menus do it (the
// pattern menu of the find fields and the template menu of the replace fields). The field is
// modelled as its text plus a selection, so the operation runs without any widget; the window
// layer copies the result back into the control. Positions are 0-based, like the editor's.
// Covered by tests/template/InsertionTest.cpp.

#include <string>
#include <string_view>

namespace morvane::templ {

// An edit field's text and selection. The caret stands at selStart + selLength; a selection
// length of 0 is a bare caret.
struct EditorText {
    std::string text;
    int selStart = 0;
    int selLength = 0;
};

// One menu item's fragment: the text it inserts and how many characters the caret moves back
// from the end of the inserted text, so that it can stand inside brackets or braces.
struct Insertion {
    std::string_view text;
    int caretBack = 0;
};

// Replaces the selection of `target` by the fragment, empties the selection and places the caret
// `caretBack` characters before the end of the inserted text. Out-of-range selections are
// clamped to the text, and a caret-back count is clamped to the fragment, so that the caret
// never leaves the inserted text.
void InsertFragment(EditorText& target, const Insertion& insertion);

} // namespace morvane::templ
