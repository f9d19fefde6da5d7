#include "app/ResponseInterval.h"

#include <algorithm>

namespace morvane::app {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int ParseIntervalText(std::string_view text)
{
    if (text.size() != kIntervalTextLength || !IsDigit(text[0]) || text[1] != '.' || !IsDigit(text[2])
        || !IsDigit(text[3]) || !IsDigit(text[4]) || text.substr(5) != " sec")
        return -1;
    return (text[0] - '0') * 1000 + (text[2] - '0') * 100 + (text[3] - '0') * 10 + (text[4] - '0');
}

int IntervalFromCaption(std::string_view caption, int previous)
{
    if (caption.size() < kIntervalTextLength)
        return previous;
    const int parsed = ParseIntervalText(caption.substr(caption.size() - kIntervalTextLength));
    return parsed < 0 ? previous : parsed;
}

std::string FormatIntervalText(int milliseconds)
{
    const int ms = std::clamp(milliseconds, 0, 9999);
    std::string text = "0.000 sec";
    text[0] = static_cast<char>('0' + ms / 1000);
    text[2] = static_cast<char>('0' + ms / 100 % 10);
    text[3] = static_cast<char>('0' + ms / 10 % 10);
    text[4] = static_cast<char>('0' + ms % 10);
    return text;
}

std::string ReplaceIntervalInCaption(std::string_view caption, std::string_view intervalText)
{
    const size_t keep = caption.size() > kIntervalTextLength ? caption.size() - kIntervalTextLength : 0;
    std::string result(caption.substr(0, keep));
    result += intervalText;
    return result;
}

} // namespace morvane::app
