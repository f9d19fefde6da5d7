#pragma once
// The template insertion menu of the replace fields (pmReplace) as data: for every item its
// control name, the message table entry of its caption, the fragment it inserts with the caret
// left after it, and whether choosing it also switches the global replace mode to extended.
// The window layer builds the menu from this list and inserts with InsertFragment
// (template/Insertion.h). Covered by tests/template/ReplaceMenuTest.cpp.

#include "template/Insertion.h"

#include <span>
#include <string_view>

namespace morvane::templ {

struct ReplaceMenuItem {
    std::string_view name;
    int captionIndex;
    // Caption entry of the submenu that holds the item, or 0 for an item of the menu itself.
    int submenuCaptionIndex;
    Insertion insertion;
    bool switchesToExtended;
};

// Caption entries of the two submenus: case conversion and special characters.
inline constexpr int kCaseSubmenuCaption = 340;
inline constexpr int kSpecialSubmenuCaption = 350;

// The menu's last item opens the help page on the template syntax; it inserts nothing.
inline constexpr std::string_view kReplaceHelpItemName = "miHelpRegularExpretionForReplace";
inline constexpr int kReplaceHelpItemCaption = 360;

// The insertion items in menu order.
std::span<const ReplaceMenuItem> ReplaceMenuItems();

// The item with control name `name`, or nullptr.
const ReplaceMenuItem* FindReplaceMenuItem(std::string_view name);

} // namespace morvane::templ
