#pragma once
// The one crossing between program text (Windows-1251 bytes) and what the widgets show
// (QString). Every byte has its own character, so text taken from a widget converts back to the
// same bytes; a character the code page lacks (typed or pasted by the user) becomes "?".
// Covered by tests/ui/tst_startup.cpp (captions and persisted texts go through it).

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace morvane::ui {

// Program text for display.
QString ToDisplay(std::string_view text);
// Displayed text back to program text.
std::string FromDisplay(const QString& text);
// A path kept as program text (a persisted caption) back to a path of the file system; the
// reverse of app::PathText.
std::filesystem::path PathFromText(std::string_view text);

} // namespace morvane::ui
