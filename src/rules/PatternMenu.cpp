#include "rules/PatternMenu.h"

#include "regex/TRegex.h"

#include <algorithm>
#include <array>

namespace morvane::rules {

namespace {

constexpr int kMeta = kMetacharactersSubmenuCaption;
constexpr int kBounds = kDelimitersSubmenuCaption;
constexpr int kRepeat = kRepeatersSubmenuCaption;
constexpr int kSpecial = kSpecialCharactersSubmenuCaption;
constexpr int kMode = kSearchModeSubmenuCaption;
constexpr int kReady = kReadyPatternsSubmenuCaption;

constexpr std::array<PatternMenuItem, 49> kItems { {
    { "miAnyCharacter", 282, kMeta, ".", 0 },
    { "miAnySetOfCharacters", 283, kMeta, "[]", 1 },
    { "miAnyExceptSetOfCharacters", 284, kMeta, "[^]", 1 },
    { "miAnyFromRangeOfCharacters", 285, kMeta, "[-]", 2 },
    { "miAlphanumericCharacter", 286, kMeta, "\\w", 0 },
    { "miNotAlphanumericCharacter", 287, kMeta, "\\W", 0 },
    { "miDecimalDigit", 288, kMeta, "\\d", 0 },
    { "miNotDecimalDigit", 289, kMeta, "\\D", 0 },
    { "miBlankCharacter", 290, kMeta, "\\s", 0 },
    { "miNotBlankCharacter", 291, kMeta, "\\S", 0 },
    { "miTabCharacter", 292, kMeta, "\\t", 0 },
    { "miReturn", 293, kMeta, "\\r\\n", 0 },
    { "miHexCodeChar", 294, kMeta, "\\x", 0 },
    { "miDelimiterOfWord", 296, kBounds, "\\b", 0 },
    { "miNotDelimiterOfWord", 297, kBounds, "\\B", 0 },
    { "miBeginningOfLine", 298, kBounds, "(?m)^", 0 },
    { "miEndOfLine", 299, kBounds, "(?m)$", 0 },
    { "miBeginningOfText", 300, kBounds, "\\A", 0 },
    { "miEndOfText", 301, kBounds, "\\Z", 0 },
    { "mi0orMoreMatches", 303, kRepeat, "*", 0 },
    { "mi1orMoreMatches", 304, kRepeat, "+", 0 },
    { "mi0or1Matches", 305, kRepeat, "?", 0 },
    { "miOnlyNMatches", 306, kRepeat, "{}", 1 },
    { "miNorMoreMatches", 307, kRepeat, "{n,}", 2 },
    { "miFromNtoMMatches", 308, kRepeat, "{n,m}", 3 },
    { "miLeftParenthesis", 310, kSpecial, "\\(", 0 },
    { "miRightParenthesis", 311, kSpecial, "\\)", 0 },
    { "miLeftBracket", 312, kSpecial, "\\[", 0 },
    { "miRightBracket", 313, kSpecial, "\\]", 0 },
    { "miDot", 314, kSpecial, "\\.", 0 },
    { "miPlus", 315, kSpecial, "\\+", 0 },
    { "miAsterisk", 316, kSpecial, "\\*", 0 },
    { "miQuery", 317, kSpecial, "\\?", 0 },
    { "miBackslash", 318, kSpecial, "\\\\", 0 },
    { "miOr", 319, kSpecial, "|", 0 },
    { "miGroup", 320, kSpecial, "()", 1 },
    { "miBackreferences", 321, kSpecial, "\\1", 0 },
    { "miCaseInsensitive", 323, kMode, "(?i)", 0 },
    { "miCaseSensitive", 324, kMode, "(?-i)", 0 },
    { "miModeS", 325, kMode, "(?s)", 0 },
    { "miModeM", 326, kMode, "(?m)", 0 },
    { "miModeNotGreedy", 327, kMode, "(?-g)", 0 },
    { "miModeGreedy", 328, kMode, "(?g)", 0 },
    { "miDecimalNumber", 330, kReady, "([0-9]+)", 0 },
    { "miHexadecimalNumber", 331, kReady, "([0-9a-fA-F]+)", 0 },
    { "miRealNumber", 332, kReady, "(([0-9]+\\.[0-9]*)|([0-9]*\\.[0-9]+)|([0-9]+))", 0 },
    // The Cyrillic ranges are the Windows-1251 upper-case (C0-DF) and lower-case (E0-FF) letters.
    { "miAlphabeticString", 333, kReady, "([a-zA-Z\xC0-\xDF\xE0-\xFF]+)", 0 },
    { "miIdentifier", 334, kReady, "([a-zA-Z_$][a-zA-Z0-9_$]*)", 0 },
    { "miQuotedString", 335, kReady, "((\"[^\"]*\")|('[^']*'))", 0 },
} };

} // namespace

std::span<const PatternMenuItem> PatternMenuItems()
{
    return kItems;
}

const PatternMenuItem* FindPatternMenuItem(std::string_view name)
{
    for (const auto& item : kItems) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}

void QuoteSelectedMetaChars(std::string& text, int& selStart, int& selLength)
{
    const long long size = static_cast<long long>(text.size());
    const long long start = std::clamp<long long>(selStart, 0, size);
    const long long end = std::clamp<long long>(start + selLength, 0, size);
    const long long from = std::min(start, end);
    const long long to = std::max(start, end);
    if (from == to)
        return;
    const std::string quoted = regex::TRegex::QuoteMetaChars(
        std::string_view(text).substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
    text.replace(static_cast<size_t>(from), static_cast<size_t>(to - from), quoted);
    selStart = static_cast<int>(from + static_cast<long long>(quoted.size()));
    selLength = 0;
}

} // namespace morvane::rules
