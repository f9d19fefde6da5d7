// Reading a file's text for a search pass off the editor. Tests: tests/cli/ParallelSearchCliTest.cpp.

#include "search/PassTextReader.h"

#include "app/FileIo.h"
#include "codepage/CodePage.h"
#include "codepage/UnicodeText.h"

namespace morvane::search {

std::optional<app::FileError> ReadPassText(const std::filesystem::path& path, CodePageChoice choice,
    std::string& text, PassTextRead* read, app::DirectoryOpener* opener)
{
    // Straight into the caller's buffer, converted in place: a pass over thousands of files
    // reuses one buffer and never copies a file's text on its way to the engine.
    if (std::optional<app::FileError> error
        = opener ? app::ReadWholeFile(path, text, *opener) : app::ReadWholeFile(path, text))
        return error;
    int from = CodePageOfChoice(choice);
    if (choice == CodePageChoice::AutoDetect)
        from = codepage::DetectFileCodePage(text);
    const codepage::ByteOrderMark bom = codepage::DetectByteOrderMark(text);
    if (from != codepage::kUtf8 && (bom == codepage::ByteOrderMark::None || bom == codepage::ByteOrderMark::Utf8)) {
        // An 8-bit file is converted in place, byte for byte, and can always be written back.
        codepage::ConvertTextInPlace(text, from, codepage::kWin1251);
        if (read != nullptr)
            *read = { from, { from >= codepage::kWin1251 && from <= codepage::kDos866 ? from : codepage::kWin1251 } };
        return std::nullopt;
    }
    // A UTF-16 or UTF-32 file is decoded whatever the guess said; what is written for it (only
    // output files: the file itself never is) follows how it was read.
    codepage::FileText file = codepage::DecodeFileText(text, from);
    text = std::move(file.text);
    if (read != nullptr)
        *read = { file.codePage, { file.codePage, file.bom, file.loss } };
    return std::nullopt;
}

} // namespace morvane::search
