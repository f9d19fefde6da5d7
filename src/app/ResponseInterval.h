#pragma once
// The response interval: the least time between two looks at pending window messages during
// long work, 0 to 9999 ms. It is kept in the last 9 characters of the menu caption of
// miSetTime, written as one digit, a point, three digits and " sec" ("0.500 sec"), which is how
// it reaches the settings file. Covered by tests/app/ResponseIntervalTest.cpp.

#include <string>
#include <string_view>

namespace morvane::app {

// Length of the interval text at the end of the caption.
inline constexpr size_t kIntervalTextLength = 9;
// The built-in interval.
inline constexpr int kDefaultResponseIntervalMs = 500;

// Milliseconds of an interval text ("2.250 sec" -> 2250), or -1 when `text` is not exactly a
// digit, a point, three digits and " sec".
int ParseIntervalText(std::string_view text);

// The interval read from the last 9 characters of `caption`; `previous` when they are not a
// valid interval text (or the caption is shorter).
int IntervalFromCaption(std::string_view caption, int previous);

// The interval text of `milliseconds`, clamped to 0..9999: 2250 -> "2.250 sec".
std::string FormatIntervalText(int milliseconds);

// `caption` with its last 9 characters replaced by `intervalText`; a caption shorter than 9
// characters is replaced as a whole.
std::string ReplaceIntervalInCaption(std::string_view caption, std::string_view intervalText);

} // namespace morvane::app
