#pragma once
// The width modifier of the template language, "-{align,width,cut,fill}": it pads or cuts the
// text of the item it follows. Every part is optional but the parts keep their order, each after
// its comma ("-{}" is width 0, "-{5}" is no modifier at all). The fill is the character right
// after its comma whatever it is, "}" and "," included; "\" escapes the character after it.
// A width beyond the 32-bit signed range makes the modifier unreadable, so it stays text like
// any other malformed one; a readable width above kMaxTemplateWidth is an error.
// Covered by tests/template/WidthModifierTest.cpp.

#include "template/TemplateWidthError.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::templ {

struct WidthModifier {
    // 'L' text at the left, 'C' centred, 'R' text at the right.
    char alignment = 'R';
    std::size_t width = 0;
    // 'L' keeps the last characters of a long text, 'R' its first ones.
    char cut = 'R';
    char fill = ' ';

    // Reads a modifier whose "-" stands at `pos`; returns it and the index just after its "}",
    // or nothing when the text there is not a complete modifier.
    static std::optional<WidthModifier> read(std::string_view text, std::size_t pos, std::size_t& end);

    // `text` padded or cut to exactly `width` characters.
    std::string apply(std::string text) const;
};

// Applies the chain of modifiers that starts at `pos` (possibly none) to `text`, each acting on
// the result of the one before. Returns the index after the last modifier, `pos` when none.
// Raises TemplateWidthError, before building anything, for a width above kMaxTemplateWidth.
std::size_t ApplyWidthModifiers(std::string_view templateText, std::size_t pos, std::string& text);

} // namespace morvane::templ
