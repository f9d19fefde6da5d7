#pragma once
// Pictures of the tool buttons: the style's standard icon where one fits the command, otherwise a
// small drawn glyph, so the tool bars look the same without an icon theme (the offscreen tests,
// a bare desktop). Covered by tests/ui/tst_objectnames.cpp (every tool button has a picture).

#include <QIcon>

#include <string_view>

class QStyle;

namespace morvane::ui {

// The picture of the tool button `name`; a neutral glyph for a name it does not know.
QIcon ToolIcon(std::string_view name, const QStyle* style);

} // namespace morvane::ui
