// The main window's handlers for the multi-file passes: listing passes, replace everywhere, backups, output to files, the converter, and the pass controls.

#include "ui/TFormMain.h"

namespace morvane::ui {

// clang-format off
void TFormMain::miFindFilesClick() { } // to be bound
void TFormMain::miNotFindFilesClick() { } // to be bound
void TFormMain::miAllFilesClick() { } // to be bound
void TFormMain::miAbortClick() { } // to be bound
void TFormMain::tbBreakClick() { } // to be bound
void TFormMain::miReplacePassimClick() { } // to be bound
void TFormMain::miRestoreClick() { } // to be bound
void TFormMain::miRestoreAllClick() { } // to be bound
void TFormMain::miDelAllBackupClick() { } // to be bound
void TFormMain::miConverterClick() { } // to be bound
void TFormMain::tbReplToFileClick() { } // to be bound
void TFormMain::tbFileSplitClick() { } // to be bound
void TFormMain::UpdatePassCommands() { } // to be bound
void TFormMain::SetBusy(bool on) { m_busy = on; } // to be bound
// clang-format on

} // namespace morvane::ui
