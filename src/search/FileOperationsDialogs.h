#pragma once
// What the file commands ask of the user: the Yes/No confirmation before a delete, the
// directory chooser and the save dialog that pick a copy's or a move's target, and the boxes
// with the summary or a failure. The desktop program implements it with widgets, tests with
// the scripted tests/fakes/FakeFileOperationsHost.h. Texts are program text (Windows-1251).
// Exercised by tests/search/FileOperationsCopyTest.cpp and the other FileOperations tests.

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::search {

class FileOperationsDialogs {
public:
    virtual ~FileOperationsDialogs() = default;
    // A Yes/No box; true only for Yes.
    virtual bool confirm(const std::string& text) = 0;
    // The directory chooser with `caption`; nothing on Cancel.
    virtual std::optional<std::filesystem::path> chooseDirectory(const std::string& caption) = 0;
    // The save dialog titled `title` (every file type offered) with the file name `preset`;
    // nothing on Cancel.
    virtual std::optional<std::filesystem::path> chooseSaveFile(
        const std::string& title, const std::filesystem::path& preset)
        = 0;
    // A plain message box: the summary of a command.
    virtual void showMessage(const std::string& text) = 0;
    // The error box: a file that could not be copied, with its path and the system's reason.
    virtual void showError(const std::string& text) = 0;
};

} // namespace morvane::search
