#include "app/Format.h"

#include "app/Platform.h"

#include <algorithm>

namespace morvane::app {

namespace {

// Decimal digits of the magnitude of `value`; unsigned so that INT64_MIN has one too.
std::string MagnitudeDigits(std::int64_t value)
{
    std::uint64_t magnitude
        = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits;
    do {
        digits += static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::string Padded(std::int64_t value, size_t width)
{
    std::string digits = MagnitudeDigits(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

} // namespace

std::string_view ThousandsSeparator()
{
    return IsRussianDefaultLocale() ? std::string_view("\xA0") : std::string_view(",");
}

std::string FormatThousands(std::int64_t value, std::string_view separator)
{
    const std::string digits = MagnitudeDigits(value);
    std::string result;
    if (value < 0)
        result += '-';
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0)
            result += separator;
        result += digits[i];
    }
    return result;
}

std::string FormatArg::text(bool grouped, std::string_view separator) const
{
    if (const auto* text = std::get_if<std::string_view>(&m_value))
        return std::string(*text);
    const std::int64_t number = std::get<std::int64_t>(m_value);
    return grouped ? FormatThousands(number, separator) : std::to_string(number);
}

std::string FillMessage(
    std::string_view format, std::initializer_list<FormatArg> args, std::string_view separator)
{
    std::string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        const std::string_view rest = format.substr(i);
        size_t length = 0;
        bool grouped = false;
        if (rest.starts_with("%%")) {
            out += '%';
            i += 2;
            continue;
        }
        if (rest.starts_with("%d") || rest.starts_with("%s")) {
            length = 2;
        } else if (rest.starts_with("%.0n") || rest.starts_with("%0.n")) {
            length = 4;
            grouped = true;
        }
        if (length == 0 || next == args.end()) {
            // Not a placeholder, or nothing left to put there: keep the text as it stands.
            out += c;
            ++i;
            continue;
        }
        out += next->text(grouped, separator);
        ++next;
        i += length;
    }
    return out;
}

std::string FormatElapsed(std::string_view pattern, std::int64_t milliseconds)
{
    const std::int64_t ms = std::max<std::int64_t>(milliseconds, 0);
    const std::int64_t hours = ms / 3'600'000;
    const std::int64_t minutes = ms / 60'000 % 60;
    const std::int64_t seconds = ms / 1000 % 60;
    const std::int64_t millis = ms % 1000;

    std::string out;
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '"' || c == '\'') {
            const size_t close = pattern.find(c, i + 1);
            const size_t end = close == std::string_view::npos ? pattern.size() : close;
            out += pattern.substr(i + 1, end - i - 1);
            i = close == std::string_view::npos ? pattern.size() : close + 1;
            continue;
        }
        size_t run = 0;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        switch (c) {
        case 'h':
        case 'm':
        case 's': {
            const std::int64_t field = c == 'h' ? hours : c == 'm' ? minutes : seconds;
            const size_t used = std::min<size_t>(run, 2);
            out += Padded(field, used);
            i += used;
            break;
        }
        case 'z': {
            const size_t used = run >= 3 ? 3 : 1;
            out += Padded(millis, used);
            i += used;
            break;
        }
        default:
            out += c;
            ++i;
            break;
        }
    }
    return out;
}

} // namespace morvane::app
