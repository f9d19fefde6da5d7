// The pmReplace items. Covered by tests/template/ReplaceMenuTest.cpp.

#include "template/ReplaceMenu.h"

#include <array>

namespace morvane::templ {

namespace {

constexpr int kTop = 0;
constexpr int kCase = kCaseSubmenuCaption;
constexpr int kSpecial = kSpecialSubmenuCaption;

// Every fragment leaves the caret at its end. The group items and the escaped characters are
// valid in the substitution mode as well, so they leave the replace mode alone.
constexpr std::array<ReplaceMenuItem, 21> kItems { {
    { "miFirstFoundGroup", 337, kTop, { "${1}", 0 }, false },
    { "miFoundText", 338, kTop, { "${0}", 0 }, false },
    { "miSetWidth", 339, kTop, { "-{L,14,R,.}", 0 }, true },
    { "miLowerCase", 341, kCase, { "\\L", 0 }, true },
    { "miUpperCase", 342, kCase, { "\\U", 0 }, true },
    { "miInvertCase", 343, kCase, { "\\I", 0 }, true },
    { "miStopCase", 344, kCase, { "\\/", 0 }, true },
    { "miLowerChar", 345, kCase, { "\\l", 0 }, true },
    { "miUpperChar", 346, kCase, { "\\u", 0 }, true },
    { "miInvertChar", 347, kCase, { "\\i", 0 }, true },
    { "miBeginningQuota", 348, kCase, { "\\Q", 0 }, true },
    { "miEndQuota", 349, kCase, { "\\E", 0 }, true },
    { "miBackslashSymbol", 351, kSpecial, { "\\\\", 0 }, false },
    { "miBracketSymbol", 352, kSpecial, { "\\[", 0 }, false },
    { "miBraceSymbol", 353, kSpecial, { "\\{", 0 }, false },
    { "miMinusSymbol", 354, kSpecial, { "\\-", 0 }, false },
    { "miDollarSymbol", 355, kSpecial, { "\\$", 0 }, false },
    { "miHexCode", 356, kSpecial, { "\\x2A", 0 }, true },
    { "miCounter", 357, kSpecial, { "\\#{1,6,s,z,f}", 0 }, true },
    { "miPathOfFile", 358, kSpecial, { "\\P{F,/}", 0 }, true },
    { "miNameOfFile", 359, kSpecial, { "\\F{F}", 0 }, true },
} };

} // namespace

std::span<const ReplaceMenuItem> ReplaceMenuItems()
{
    return kItems;
}

const ReplaceMenuItem* FindReplaceMenuItem(std::string_view name)
{
    for (const auto& item : kItems) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}

} // namespace morvane::templ
