#pragma once
// The boxes and choosers of colouring: the questions and messages of the colouring table
// (editor::ColourTableDialogs), the file chooser of the colouring set-up mode, and the attribute
// dialog (a font with a colour). The window talks to them only through this interface so that
// the GUI tests can script every answer.
// Covered by tests/ui/tst_colour.cpp (with scripted answers).

#include "editor/ColourTableDialogs.h"

#include <QColor>
#include <QFont>

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::ui {

// What the attribute dialog returns: the font (its style and point size are used) and colour.
struct ChosenAttributes {
    QFont font;
    QColor colour;
};

class ColourDialogs : public editor::ColourTableDialogs {
public:
    // An open dialog titled `title` (program text) with the filter "All files (*.*)"; nothing
    // when cancelled.
    virtual std::optional<std::filesystem::path> ChooseSampleFile(const std::string& title) = 0;
    // A font dialog with a colour, preset to `font` and `colour`; nothing when cancelled.
    virtual std::optional<ChosenAttributes> ChooseAttributes(const QFont& font, const QColor& colour) = 0;
};

} // namespace morvane::ui
