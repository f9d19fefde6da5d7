// Width modifier of the template language. Covered by tests/template/WidthModifierTest.cpp.

#include "template/WidthModifier.h"

#include <cstdint>
#include <utility>

namespace morvane::templ {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<WidthModifier> WidthModifier::read(std::string_view t, std::size_t pos, std::size_t& end)
{
    const auto at = [t](std::size_t i, char c) { return i < t.size() && t[i] == c; };
    if (!at(pos, '-') || !at(pos + 1, '{'))
        return std::nullopt;
    WidthModifier m;
    std::size_t i = pos + 2;
    if (at(i, 'L') || at(i, 'C') || at(i, 'R'))
        m.alignment = t[i++];
    if (at(i, ',')) {
        ++i;
        std::uint64_t width = 0;
        for (; i < t.size() && isDigit(t[i]); ++i) {
            width = width * 10 + static_cast<unsigned>(t[i] - '0');
            if (width > INT32_MAX)
                return std::nullopt;
        }
        m.width = static_cast<std::size_t>(width);
        if (at(i, ',')) {
            ++i;
            if (at(i, 'L') || at(i, 'R'))
                m.cut = t[i++];
            if (at(i, ',')) {
                ++i;
                if (i >= t.size())
                    return std::nullopt;
                if (t[i] == '\\' && i + 1 < t.size())
                    ++i;
                m.fill = t[i++];
            }
        }
    }
    if (!at(i, '}'))
        return std::nullopt;
    end = i + 1;
    return m;
}

std::string WidthModifier::apply(std::string text) const
{
    const std::size_t length = text.size();
    if (length >= width) {
        if (cut == 'L')
            return text.substr(length - width);
        text.resize(width);
        return text;
    }
    const std::size_t pad = width - length;
    switch (alignment) {
    case 'L':
        return text + std::string(pad, fill);
    case 'C':
        // The odd fill character goes to the right.
        return std::string(pad / 2, fill) + text + std::string(pad - pad / 2, fill);
    default:
        return std::string(pad, fill) + text;
    }
}

std::size_t ApplyWidthModifiers(std::string_view templateText, std::size_t pos, std::string& text)
{
    std::size_t end = pos;
    while (const auto modifier = WidthModifier::read(templateText, pos, end)) {
        if (modifier->width > kMaxTemplateWidth)
            throw TemplateWidthError(pos, end - pos);
        text = modifier->apply(std::move(text));
        pos = end;
    }
    return pos;
}

} // namespace morvane::templ
