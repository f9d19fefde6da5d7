#pragma once
// A plain file's text as a search pass sees it, read without the working text's editor: the
// same bytes and the same conversion to Windows-1251 that WorkTextEditor::LoadWorkText gives a
// plain file (it reads through here), into a buffer the caller owns and reuses from file to file. The parallel passes
// read on worker threads with it, each worker with its own buffer, so nothing is shared.
// Covered by tests/cli/ParallelSearchCliTest.cpp (Windows-1251, AutoDetect and UTF-8 files,
// compared with the single-job pass, which reads through the editor).

#include "app/FileError.h"
#include "app/FileIo.h"
#include "search/WorkTextEditor.h"

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::search {

// How a plain file was read: the code page it was taken in (the guess with AutoDetect) and its
// origin, which says how the text may be written back.
struct PassTextRead {
    int codePage = 0;
    TextOrigin origin;
};

// Reads `path` into `text` converted to Windows-1251 by `choice` (AutoDetect guesses per file);
// `read`, when given, says how. On failure returns the error LoadWorkText would show; `text` is
// then unspecified. The editor's own loading goes through here too, so both read alike.
// `opener`, when given, opens the file (app::DirectoryOpener: reading only, on one thread).
std::optional<app::FileError> ReadPassText(const std::filesystem::path& path, CodePageChoice choice,
    std::string& text, PassTextRead* read = nullptr, app::DirectoryOpener* opener = nullptr);

} // namespace morvane::search
