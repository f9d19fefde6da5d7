#pragma once
// The dialogs of the output modes: the save dialog that chooses the collecting file, the
// dialog for an existing collecting file, and the file-split settings. Texts are Windows-1251.
// The desktop program implements them with its dialogs, the CLI from its options, tests with
// tests/fakes/FakeOutputDialogs.h (tests/search/OutputControlTest.cpp).

#include "search/OutputExistingAnswer.h"
#include "search/OutputSplitSettings.h"

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::search {

class OutputDialogs {
public:
    virtual ~OutputDialogs() = default;

    // A save dialog titled `title` with the filter of output files; it starts with
    // `startFile` when that is not empty, else in `startDirectory`. Nothing when cancelled.
    virtual std::optional<std::filesystem::path> chooseOutputFile(const std::string& title,
        const std::filesystem::path& startFile, const std::filesystem::path& startDirectory)
        = 0;

    // The dialog for an existing collecting file: message 101 as caption, message 102 and the
    // full path, and the buttons of messages 105 (default), 103 and 104.
    virtual OutputExistingAnswer askExistingTarget(const std::filesystem::path& path) = 0;

    // The file-split settings shown modally with `settings` filled in. True for OK, with
    // `settings` holding the edited values; false for Cancel, with `settings` untouched.
    virtual bool editFileSplitSettings(OutputSplitSettings& settings) = 0;
};

} // namespace morvane::search
