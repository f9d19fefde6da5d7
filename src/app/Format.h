#pragma once
// Formatting of the program's texts: whole numbers with thousands separators ("%.0n"), the
// filling of message placeholders, and the elapsed-time display. Texts are Windows-1251 bytes,
// so nothing here depends on the C library's locale. Covered by tests/app/FormatTest.cpp.

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace morvane::app {

// The thousands separator of the system default locale, as program text. For a Russian
// locale it is the byte 0xA0 (the no-break space of Windows-1251, which is what Windows itself
// uses there: a blank that keeps the number together on wrapping); otherwise ",".
std::string_view ThousandsSeparator();

// `value` in decimal with `separator` between groups of three digits and no decimals, the
// "%.0n" format: 1234567 -> "1,234,567", -1000 -> "-1,000". Handles the whole int64 range.
std::string FormatThousands(std::int64_t value, std::string_view separator = ThousandsSeparator());

// One argument of FillMessage: a whole number or a text (the text must outlive the call).
class FormatArg {
public:
    template <std::integral T>
    FormatArg(T number)
        : m_value(static_cast<std::int64_t>(number))
    {
    }
    FormatArg(std::string_view text)
        : m_value(text)
    {
    }
    FormatArg(const char* text)
        : m_value(std::string_view(text))
    {
    }
    FormatArg(const std::string& text)
        : m_value(std::string_view(text))
    {
    }

    // The argument as the placeholder wants it: a number for "%d" (decimal) or "%.0n"
    // (grouped by `separator`); a text always as it is, a number for "%s" in decimal.
    std::string text(bool grouped, std::string_view separator) const;

private:
    std::variant<std::int64_t, std::string_view> m_value;
};

// Fills the placeholders of a message text with `args`, taken in order: "%d" (decimal),
// "%s" (text), "%.0n" and "%0.n" (number with thousands separators), "%%" (a percent sign).
// Any other "%" is copied as it is. A placeholder without an argument left is copied as it is,
// so that a language file with one placeholder too many shows it instead of failing; extra
// arguments are ignored.
std::string FillMessage(std::string_view format, std::initializer_list<FormatArg> args,
    std::string_view separator = ThousandsSeparator());

// Formats an elapsed time by a pattern such as message 17 "hh час  mm мин  ss.zzz сек".
// Fields are runs of the lower-case letters: "hh", "mm", "ss" two digits at least, "zzz" three
// digits of milliseconds; a single "h", "m", "s" or "z" gives the number without leading
// zeros. Hours are the total (they do not wrap after a day). Everything else is literal text;
// text between double or single quotes is literal too, without its quotes (for a language
// file whose words contain these letters). A negative time counts as zero.
std::string FormatElapsed(std::string_view pattern, std::int64_t milliseconds);

} // namespace morvane::app
