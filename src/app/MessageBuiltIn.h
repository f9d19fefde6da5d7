#pragma once
// The built-in message and caption table: 365 entries, the texts the program shows when no
// language file replaces them. Entries 0 to 99 are messages read by index, 100 to 360 captions
// and hints of controls (see MessageCaptions.h), 361 to 364 a note for translators. The data
// lives in MessageData.cpp. Covered by tests/app/MessageTableTest.cpp.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::app {

// Number of entries of the table; a language file may not change it.
inline constexpr int kMessageCount = 365;
// The index range of the captions and hints applied to controls.
inline constexpr int kFirstCaptionIndex = 100;
inline constexpr int kLastCaptionIndex = 360;

// The built-in texts as written in the source (UTF-8), entry i at position i.
std::span<const std::string_view> BuiltInMessagesUtf8();

// The built-in table as program text (Windows-1251), converted on the first call.
const std::vector<std::string>& BuiltInMessages();

} // namespace morvane::app
