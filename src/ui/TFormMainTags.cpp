// The main window's handlers for HTML tag pairing and the preview.

#include "ui/TFormMain.h"

namespace morvane::ui {

// clang-format off
void TFormMain::miFindTagClick() { } // to be bound
void TFormMain::miSelectTagClick() { } // to be bound
void TFormMain::miSelectToWebBrowserClick() { } // to be bound
// clang-format on

} // namespace morvane::ui
