#include "app/Version.h"

#include <array>

#ifndef MORVANE_VERSION
#error "MORVANE_VERSION is set by src/app/CMakeLists.txt from the project version"
#endif

namespace morvane::app {

std::string_view VersionText()
{
    return MORVANE_VERSION;
}

std::string IsoDateFromCompilerDate(std::string_view date)
{
    static constexpr std::array<std::string_view, 12> kMonths
        = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
    if (date.size() != 11 || date[3] != ' ' || date[6] != ' ')
        return std::string(date);
    int month = 0;
    for (size_t i = 0; i < kMonths.size(); ++i) {
        if (date.substr(0, 3) == kMonths[i])
            month = static_cast<int>(i) + 1;
    }
    const char day1 = date[4] == ' ' ? '0' : date[4];
    if (month == 0)
        return std::string(date);
    std::string iso(date.substr(7, 4));
    iso += '-';
    iso += static_cast<char>('0' + month / 10);
    iso += static_cast<char>('0' + month % 10);
    iso += '-';
    iso += day1;
    iso += date[5];
    return iso;
}

std::string BuildDateText()
{
    return IsoDateFromCompilerDate(__DATE__);
}

std::string_view LicenseText()
{
    // QScintilla is linked under the GPL, so the desktop program can only be passed on under it.
    return "GPL-3.0-or-later";
}

std::string VersionLine(std::string_view programName)
{
    std::string line(programName);
    line += ' ';
    line += VersionText();
    return line;
}

} // namespace morvane::app
