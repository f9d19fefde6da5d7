// File-split output files. Tests: tests/search/OutputFilesTest.cpp.

#include "search/OutputTextFile.h"

#include "app/FileIo.h"
#include "codepage/UnicodeText.h"

namespace morvane::search {

std::optional<app::FileError> WriteOutputTextFile(
    std::string_view text, const std::filesystem::path& path, int codePage)
{
    return app::WriteWholeFile(path, codepage::EncodeFileText(text, codePage));
}

} // namespace morvane::search
