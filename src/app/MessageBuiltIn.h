#pragma once
// The built-in message and caption table, the texts the program shows when no language file
// replaces them. The designed table has 365 entries: 0 to 99 are messages read by index, 100 to
// 360 captions and hints of controls (see MessageCaptions.h), 361 to 364 a note for translators
// (MessageData.cpp). Entries from 365 on extend it with the texts of later features (failure
// reports, help, the language choice); they follow the same rules, are positional too, and an
// empty entry there is a place kept free for a feature's next text (MessageDataExtended.cpp).
// Covered by tests/app/MessageTableTest.cpp.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::app {

// Entries of the designed table: a language file written for it has this many lines.
inline constexpr int kCoreMessageCount = 365;
// Entries of the whole table, the extension included; a language file may not change it.
inline constexpr int kMessageCount = 500;
// The index range of the captions and hints applied to controls.
inline constexpr int kFirstCaptionIndex = 100;
inline constexpr int kLastCaptionIndex = 360;

// The built-in texts as written in the source (UTF-8), entry i at position i.
std::span<const std::string_view> BuiltInMessagesUtf8();

// The built-in texts of the extension (entries kCoreMessageCount on), entry i at position
// i - kCoreMessageCount.
std::span<const std::string_view> ExtendedMessagesUtf8();

// The built-in table as program text (Windows-1251), converted on the first call.
const std::vector<std::string>& BuiltInMessages();

} // namespace morvane::app
