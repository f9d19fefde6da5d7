// Reading a file's text for a search pass off the editor. Tests: tests/cli/ParallelSearchCliTest.cpp.

#include "search/PassTextReader.h"

#include "app/FileIo.h"
#include "codepage/CodePage.h"
#include "codepage/UnicodeText.h"

namespace morvane::search {

std::optional<app::FileError> ReadPassText(
    const std::filesystem::path& path, CodePageChoice choice, std::string& text)
{
    // The steps of the editor's plain load, minus what only writing back needs (the origin):
    // a pass that reads here must see exactly the text the single-job pass sees.
    if (std::optional<app::FileError> error = app::ReadWholeFile(path, text))
        return error;
    int from = CodePageOfChoice(choice);
    if (choice == CodePageChoice::AutoDetect)
        from = codepage::DetectFileCodePage(text);
    const codepage::ByteOrderMark bom = codepage::DetectByteOrderMark(text);
    if (from != codepage::kUtf8 && (bom == codepage::ByteOrderMark::None || bom == codepage::ByteOrderMark::Utf8)) {
        codepage::ConvertTextInPlace(text, from, codepage::kWin1251);
        return std::nullopt;
    }
    text = codepage::DecodeFileText(text, from).text;
    return std::nullopt;
}

} // namespace morvane::search
