#pragma once
// The pattern insertion menu of the find fields (pmFind) as data: for every item its control
// name, the message table entry of its caption, the submenu it stands in, the fragment it
// inserts and how far the caret moves back from the fragment's end (to stand inside brackets
// or braces). The window layer builds the menu from this list and inserts into cbFind or
// MemoFind with the shared fragment insertion (templ::InsertFragment, template/Insertion.h);
// the fields `text` and `caretBack` are exactly that operation's fragment.
// Also the quoting of the metacharacters of a field's selection.
// Covered by tests/rules/PatternMenuTest.cpp.

#include <span>
#include <string>
#include <string_view>

namespace morvane::rules {

struct PatternMenuItem {
    std::string_view name;
    int captionIndex;
    // Caption entry of the submenu that holds the item.
    int submenuCaptionIndex;
    // The fragment (Windows-1251) and the caret-back count.
    std::string_view text;
    int caretBack;
};

// Caption entries of the six submenus, in menu order.
inline constexpr int kMetacharactersSubmenuCaption = 281;
inline constexpr int kDelimitersSubmenuCaption = 295;
inline constexpr int kRepeatersSubmenuCaption = 302;
inline constexpr int kSpecialCharactersSubmenuCaption = 309;
inline constexpr int kSearchModeSubmenuCaption = 322;
inline constexpr int kReadyPatternsSubmenuCaption = 329;

// The menu's last item opens the help page on regular expressions; it inserts nothing.
inline constexpr std::string_view kPatternHelpItemName = "miRegularExpressionsHelp";
inline constexpr int kPatternHelpItemCaption = 336;

// The insertion items in menu order.
std::span<const PatternMenuItem> PatternMenuItems();

// The item with control name `name`, or nullptr.
const PatternMenuItem* FindPatternMenuItem(std::string_view name);

// Replaces the selection of a field (0-based start, length; a negative length selects towards
// the start) by its quoted form (a backslash before every character of "^$.[()|?+*\{]}"); the
// caret then stands after the quoted text, with nothing selected. Without a selection nothing
// changes. The selection is clamped to the text.
void QuoteSelectedMetaChars(std::string& text, int& selStart, int& selLength);

} // namespace morvane::rules
