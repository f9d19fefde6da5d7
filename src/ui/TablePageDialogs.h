#pragma once
// The boxes and file choosers of the rule table page: the Yes/No questions (saving a modified
// table, saving a changed memo into the table), message boxes (refused expressions and remarks,
// files that cannot be opened or created), and the open and save dialogs of the table files.
// The page talks to them only through this interface, so that the GUI tests script every answer
// (tests/ui/ScriptedTablePageDialogs.h). Covered by tests/ui/tst_tablepage.cpp.

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::ui {

class TablePageDialogs {
public:
    virtual ~TablePageDialogs() = default;
    // A confirmation box with Yes and No; true only for Yes. `text` is program text.
    virtual bool Confirm(const std::string& text) = 0;
    // A message box with an OK button (program text).
    virtual void ShowMessage(const std::string& text) = 0;
    // The save and open dialogs: title as program text, filter in the form
    // "Description|pattern|Description|pattern", starting at `initialPath`. Nothing when
    // cancelled. The save dialog never asks about overwriting an existing file.
    virtual std::optional<std::filesystem::path> ChooseSaveFile(
        const std::string& title, const std::string& filter, const std::filesystem::path& initialPath)
        = 0;
    virtual std::optional<std::filesystem::path> ChooseOpenFile(
        const std::string& title, const std::string& filter, const std::filesystem::path& initialPath)
        = 0;
};

} // namespace morvane::ui
