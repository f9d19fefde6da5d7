#pragma once
// The boxes and choosers the main window's own commands show: the Yes/No confirmation, the
// plain message box, the font and colour dialogs and the beep. The window talks to them only
// through this interface so that the GUI tests can script every answer.
// Covered by tests/ui/tst_startup.cpp and tests/ui/tst_appearance.cpp (with scripted answers).

#include <QColor>
#include <QFont>

#include <optional>
#include <string>

namespace morvane::ui {

class FormMainDialogs {
public:
    virtual ~FormMainDialogs() = default;
    // A confirmation box with Yes and No; true only for Yes. `text` is program text.
    virtual bool Confirm(const std::string& text) = 0;
    // A message box with an OK button (program text).
    virtual void ShowMessage(const std::string& text) = 0;
    // A font dialog preset to `initial`; nothing when cancelled.
    virtual std::optional<QFont> ChooseFont(const QFont& initial) = 0;
    // A colour dialog preset to `initial`; nothing when cancelled.
    virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;
    // The refusal sound of a command that does not apply.
    virtual void Beep() = 0;
};

} // namespace morvane::ui
