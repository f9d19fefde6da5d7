// The main window's handlers for the viewer and editor and the interactive replace run.

#include "ui/TFormMain.h"

namespace morvane::ui {

// clang-format off
void TFormMain::miFindClick() { } // to be bound
void TFormMain::miReplaceClick() { } // to be bound
void TFormMain::miReplaceInFileClick() { } // to be bound
void TFormMain::miReplaceAllClick() { } // to be bound
void TFormMain::miIgnoreClick() { } // to be bound
void TFormMain::miNextFileClick() { } // to be bound
void TFormMain::sbYesClick() { } // to be bound
void TFormMain::sbYesToAllClick() { } // to be bound
void TFormMain::sbAllClick() { } // to be bound
void TFormMain::sbIgnoreClick() { } // to be bound
void TFormMain::sbNoToAllClick() { } // to be bound
void TFormMain::sbAbortClick() { } // to be bound
void TFormMain::miLoadFileClick() { } // to be bound
void TFormMain::miSaveClick() { } // to be bound
void TFormMain::miSaveAsClick() { } // to be bound
void TFormMain::cbCodePageChange() { } // to be bound
void TFormMain::DisableConfirmButtons() { } // to be bound
void TFormMain::UpdateEditorCommands() { } // to be bound
void TFormMain::ReloadViewer() { } // to be bound
// clang-format on

} // namespace morvane::ui
