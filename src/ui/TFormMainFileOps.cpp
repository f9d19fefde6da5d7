// The main window's handlers for the file commands of the panel and the report.

#include "ui/TFormMain.h"

namespace morvane::ui {

// clang-format off
void TFormMain::miViewClick() { } // to be bound
void TFormMain::miEditClick() { } // to be bound
void TFormMain::miCopyClick() { } // to be bound
void TFormMain::miMoveClick() { } // to be bound
void TFormMain::miCreateDirClick() { } // to be bound
void TFormMain::miDeleteClick() { } // to be bound
// clang-format on

} // namespace morvane::ui
