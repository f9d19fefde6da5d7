// Entry dates as DOS date-time values. Covered by tests/filepanel/SortKeyTest.cpp.

#include "filepanel/DosDateTime.h"

#include <cstdio>

namespace morvane::filepanel {

namespace {

struct Fields {
    int year, month, day, hour, minute, second;
};

Fields Split(std::uint32_t value)
{
    const std::uint32_t date = value >> 16;
    const std::uint32_t time = value & 0xFFFF;
    return { static_cast<int>((date >> 9) + 1980), static_cast<int>((date >> 5) & 0x0F),
        static_cast<int>(date & 0x1F), static_cast<int>(time >> 11), static_cast<int>((time >> 5) & 0x3F),
        static_cast<int>((time & 0x1F) * 2) };
}

} // namespace

std::uint32_t MakeDosDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1980)
        return MakeDosDateTime(1980, 1, 1, 0, 0, 0);
    if (year > 2107)
        return MakeDosDateTime(2107, 12, 31, 23, 59, 58);
    const std::uint32_t date = (static_cast<std::uint32_t>(year - 1980) << 9)
        | (static_cast<std::uint32_t>(month) << 5) | static_cast<std::uint32_t>(day);
    const std::uint32_t time = (static_cast<std::uint32_t>(hour) << 11)
        | (static_cast<std::uint32_t>(minute) << 5) | static_cast<std::uint32_t>(second / 2);
    return (date << 16) | time;
}

std::uint32_t DosDateTimeFromTime(std::time_t time)
{
    std::tm local {};
    if (localtime_r(&time, &local) == nullptr)
        return MakeDosDateTime(1980, 1, 1, 0, 0, 0);
    return MakeDosDateTime(
        local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

std::string DosDateSortText(std::uint32_t dosDateTime)
{
    const Fields f = Split(dosDateTime);
    char buffer[32];
    std::snprintf(
        buffer, sizeof buffer, "%04d %02d %02d %02d:%02d", f.year, f.month, f.day, f.hour, f.minute);
    return buffer;
}

std::string DosDateDisplayText(std::uint32_t dosDateTime)
{
    const Fields f = Split(dosDateTime);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", f.day, f.month, f.year);
    return buffer;
}

} // namespace morvane::filepanel
