#pragma once
// Entry dates in the form the panel stores them: a 32-bit DOS date-time in local time (two
// seconds resolution, years 1980 to 2107), shown and compared through conversion to a
// date-time. Times outside that range are clamped to its ends, as the stored format cannot
// hold them. Covered by tests/filepanel/SortKeyTest.cpp.

#include <cstdint>
#include <ctime>
#include <string>

namespace morvane::filepanel {

// The DOS date-time of `time` in the local time zone.
std::uint32_t DosDateTimeFromTime(std::time_t time);

// The DOS date-time of the given local date and time (month and day 1-based).
std::uint32_t MakeDosDateTime(int year, int month, int day, int hour, int minute, int second);

// "yyyy mm dd hh:mm", the date part of the date sort key.
std::string DosDateSortText(std::uint32_t dosDateTime);

// "dd.mm.yyyy", the date of the file info line.
std::string DosDateDisplayText(std::uint32_t dosDateTime);

} // namespace morvane::filepanel
