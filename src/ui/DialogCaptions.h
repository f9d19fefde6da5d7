#pragma once
// The caption and hint entries of the message table for one dialog of the passes (the dialog
// for an existing collecting file, the file-split settings, the converter), applied each time
// the dialog is shown so that a replaced message table reaches it as it reaches the main
// window. Covered by tests/ui/tst_outputdialogs.cpp.

class QWidget;

namespace morvane::ui {

// Sets every caption, hint and title entry whose window is `dialog`'s object name.
void ApplyDialogCaptions(QWidget* dialog);

} // namespace morvane::ui
