#pragma once
// The one failure of template evaluation: a width modifier that asks for more characters than
// one item may produce. Without this bound a width of two billion would make every evaluation
// allocate gigabytes; a template holding such a width is refused when the rule is checked, and
// an evaluation that meets one anyway raises this instead of building the text.
// Covered by tests/template/WidthModifierTest.cpp.

#include <cstddef>
#include <stdexcept>

namespace morvane::templ {

// The largest width a width modifier may ask for.
inline constexpr std::size_t kMaxTemplateWidth = 1000000;

class TemplateWidthError : public std::runtime_error {
public:
    TemplateWidthError(std::size_t position, std::size_t length)
        : std::runtime_error("template width above 1000000")
        , m_position(position)
        , m_length(length)
    {
    }

    // 0-based index of the modifier's "-" in the template, and the modifier's length.
    std::size_t position() const { return m_position; }
    std::size_t length() const { return m_length; }

private:
    std::size_t m_position;
    std::size_t m_length;
};

} // namespace morvane::templ
