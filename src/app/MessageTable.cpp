#include "app/MessageTable.h"

#include "app/FileIo.h"
#include "app/ProgramDir.h"
#include "app/TextLines.h"

#include <algorithm>
#include <system_error>

namespace morvane::app {

MessageTable::MessageTable()
    : m_entries(BuiltInMessages())
{
}

std::string MessageTable::text(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return m_entries[static_cast<size_t>(index)];
}

void MessageTable::reset()
{
    m_entries = BuiltInMessages();
}

bool MessageTable::replaceEntries(std::vector<std::string> lines)
{
    if (lines.size() < static_cast<size_t>(kMinLanguageLines))
        return false;
    const std::vector<std::string>& builtIn = BuiltInMessages();
    const size_t given = lines.size();
    lines.resize(kMessageCount);
    for (size_t i = std::max(given, static_cast<size_t>(kCoreMessageCount)); i < lines.size(); ++i)
        lines[i] = builtIn[i];
    m_entries = std::move(lines);
    return true;
}

LanguageFileResult MessageTable::loadLanguageFile(const std::filesystem::path& path)
{
    LanguageFileResult result;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) {
        result.status = LanguageFileStatus::Missing;
        return result;
    }
    std::string bytes;
    if (auto error = ReadWholeFile(path, bytes)) {
        result.status = LanguageFileStatus::Unreadable;
        result.error = std::move(error);
        return result;
    }
    std::vector<std::string> lines = SplitLines(bytes);
    result.lineCount = static_cast<int>(lines.size());
    result.status
        = replaceEntries(std::move(lines)) ? LanguageFileStatus::Loaded : LanguageFileStatus::TooShort;
    return result;
}

std::optional<FileError> MessageTable::exportLanguageFile(const std::filesystem::path& path) const
{
    return WriteWholeFile(path, JoinLinesCrLf(m_entries));
}

MessageTable& CurrentMessageTable()
{
    static MessageTable table;
    return table;
}

std::string Msg(int index)
{
    return CurrentMessageTable().text(index);
}

LanguageFileResult LoadLanguageFile(const std::filesystem::path& path)
{
    return CurrentMessageTable().loadLanguageFile(path);
}

LanguageFileResult LoadLanguageFile()
{
    return LoadLanguageFile(ProgramDir() / kLanguageFileName);
}

std::optional<FileError> ExportLanguageFile(const std::filesystem::path& path)
{
    return CurrentMessageTable().exportLanguageFile(path);
}

std::optional<FileError> ExportLanguageFile()
{
    return ExportLanguageFile(ProgramDir() / kLanguageFileName);
}

} // namespace morvane::app
