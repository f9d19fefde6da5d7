#pragma once
// Everything the main window's file commands show or start: the core's confirmation, chooser
// and message boxes, the create-directory dialog, and the desktop's programs that view or edit
// a file. The window talks to them only through this interface, so the GUI tests script every
// answer and no test starts a program. Widgets: WidgetFileOpsDialogs; scripted:
// tests/ui/ScriptedFileOpsDialogs.h. Covered by tests/ui/tst_fileops.cpp.

#include "search/FileOperationsDialogs.h"

#include <filesystem>
#include <optional>

namespace morvane::ui {

class FileOpsDialogs : public search::FileOperationsDialogs {
public:
    // The create-directory dialog; the name typed (file system bytes) on OK, nothing on Cancel.
    virtual std::optional<std::filesystem::path> askNewDirectoryName() = 0;
    // Opens `file` with the desktop's default application for its type.
    virtual void openWithDefaultApplication(
        const std::filesystem::path& file, const std::filesystem::path& workingDir)
        = 0;
    // Opens `file` in the desktop's default text editor.
    virtual void editInTextEditor(const std::filesystem::path& file) = 0;
};

} // namespace morvane::ui
