// Counter item of the template language. Covered by tests/template/CounterItemTest.cpp.

#include "template/CounterItem.h"

#include "template/WidthModifier.h"

#include <algorithm>
#include <cstdint>

namespace morvane::templ {

namespace {

// Beyond this precision the least number of digits is ignored, as with no precision at all.
constexpr std::uint64_t kMaxPrecision = 32;
// A start must stay below the largest 32-bit signed value.
constexpr std::int64_t kStartLimit = 2147483647;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Decimal digits of `value`, with leading zeros up to `precision` digits.
std::string digits(std::uint64_t value, std::size_t precision)
{
    std::string text = std::to_string(value);
    if (text.size() < precision)
        text.insert(0, precision - text.size(), '0');
    return text;
}

// The plain counter of "\#": ReplacementsTotal as an unsigned 32-bit number.
std::string plainCounter(const RunCounters& counters)
{
    return std::to_string(static_cast<std::uint32_t>(counters.ReplacementsTotal));
}

} // namespace

CounterItemResult EvaluateCounterItem(std::string_view t, std::size_t hashPos, const RunCounters& counters)
{
    const auto at = [t](std::size_t i, char c) { return i < t.size() && t[i] == c; };
    const std::size_t brace = hashPos + 1;
    CounterItemResult result;
    if (!at(brace, '{')) {
        result.text = plainCounter(counters);
        result.next = ApplyWidthModifiers(t, brace, result.text);
        return result;
    }

    std::size_t i = brace + 1;
    bool negative = false;
    if (at(i, '+')) {
        ++i;
    } else if (at(i, '-')) {
        negative = true;
        ++i;
    }
    std::int64_t start = 0;
    for (; i < t.size() && isDigit(t[i]); ++i) {
        start = start * 10 + (t[i] - '0');
        if (start >= kStartLimit) {
            // No width modifier is looked for here: the "{" and the digits are plain text.
            result.text = plainCounter(counters);
            result.next = brace;
            return result;
        }
    }

    // Four optional slots in fixed order, each after its comma; a letter counts only in its own
    // slot, so "\#{1,z}" stops reading at the "z".
    std::uint64_t precision = 0;
    bool sign = false;
    bool inFile = false;
    bool matches = false;
    if (at(i, ',')) {
        ++i;
        for (; i < t.size() && isDigit(t[i]); ++i)
            precision = std::min<std::uint64_t>(
                precision * 10 + static_cast<unsigned>(t[i] - '0'), kMaxPrecision + 1);
        if (at(i, ',')) {
            ++i;
            if (at(i, 's')) {
                sign = true;
                ++i;
            }
            if (at(i, ',')) {
                ++i;
                if (at(i, 'z')) {
                    inFile = true;
                    ++i;
                }
                if (at(i, ',')) {
                    ++i;
                    if (at(i, 'f')) {
                        matches = true;
                        ++i;
                    }
                }
            }
        }
    }

    if (!at(i, '}')) {
        // Without its "}" the item is the plain counter and the braces are text, except that a
        // width modifier standing exactly where reading stopped still applies and evaluation
        // resumes after it, the characters read so far being dropped.
        result.text = plainCounter(counters);
        const std::size_t afterWidth = ApplyWidthModifiers(t, i, result.text);
        result.next = afterWidth != i ? afterWidth : brace;
        return result;
    }

    // Every choice numbers the current replacement or match from `start` upwards: a match
    // counter already counts the current match, a replacement counter not yet.
    std::int64_t value = 0;
    if (matches)
        value = static_cast<std::int64_t>(inFile ? counters.MatchesInFile : counters.MatchesTotal) - 1;
    else
        value = inFile ? counters.ReplacementsInFile : counters.ReplacementsTotal;
    value += negative ? -start : start;

    const std::size_t least = precision > kMaxPrecision ? 0 : static_cast<std::size_t>(precision);
    if (negative) {
        // Signed decimal; the sign slot adds "+" only to a value that has no minus.
        const std::uint64_t magnitude
            = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        result.text = value < 0 ? "-" : (sign ? "+" : "");
        result.text += digits(magnitude, least);
    } else {
        // Unsigned decimal of the 64-bit value; only a negative counter (which a run never has)
        // would show its two's complement here.
        result.text = sign ? "+" : "";
        result.text += digits(static_cast<std::uint64_t>(value), least);
    }
    result.next = ApplyWidthModifiers(t, i + 1, result.text);
    return result;
}

} // namespace morvane::templ
