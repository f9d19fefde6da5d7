// The main window's handlers for colouring by colour tables and its set-up mode.

#include "ui/TFormMain.h"

namespace morvane::ui {

// clang-format off
void TFormMain::tbColourClick() { } // to be bound
void TFormMain::tbSetColourClick() { } // to be bound
// clang-format on

} // namespace morvane::ui
