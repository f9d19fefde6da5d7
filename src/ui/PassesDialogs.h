#pragma once
// Everything the pass commands of the main window ask of the user or the desktop: the message
// and Yes/No boxes, the choice of the collecting file and the dialog for an existing one, the
// file-split settings, the converter's dialog, and opening a report row's file with the
// desktop's default application. The window reaches them only through this interface, so the
// GUI tests script every answer (tests/ui/ScriptedPassesDialogs.h).
// Implemented with widgets by WidgetPassesDialogs; covered by tests/ui/tst_outputdialogs.cpp.

#include "search/OutputDialogs.h"
#include "search/PassDialogs.h"

#include <filesystem>
#include <string>

namespace morvane::ui {

class PassesDialogs : public search::PassDialogs, public search::OutputDialogs {
public:
    // The converter's dialog with `info` in its label and the lists preset to `fromIndex` and
    // `toIndex`. True for OK, with both indices set to the chosen items; false for Cancel,
    // with both untouched.
    virtual bool editConverterModes(const std::string& info, int& fromIndex, int& toIndex) = 0;
    // Opens `file` with the program the desktop associates with it.
    virtual void openWithDefaultApplication(const std::filesystem::path& file) = 0;
};

} // namespace morvane::ui
