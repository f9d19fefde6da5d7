#include "app/SelectionFile.h"

#include "app/FileIo.h"
#include "app/TextLines.h"

#include <algorithm>

namespace morvane::app {

std::vector<std::string> ParseSelection(std::string_view text)
{
    std::vector<std::string> names;
    for (std::string& line : SplitLines(text)) {
        if (!line.empty() && std::find(names.begin(), names.end(), line) == names.end())
            names.push_back(std::move(line));
    }
    return names;
}

std::string SelectionText(const std::vector<std::string>& names)
{
    return JoinLinesCrLf(names);
}

std::optional<FileError> LoadSelectionFile(const std::filesystem::path& path, std::vector<std::string>& names)
{
    std::string bytes;
    if (std::optional<FileError> error = ReadWholeFile(path, bytes))
        return error;
    names = ParseSelection(bytes);
    return std::nullopt;
}

std::optional<FileError> SaveSelectionFile(
    const std::filesystem::path& path, const std::vector<std::string>& names)
{
    return WriteWholeFile(path, SelectionText(names));
}

} // namespace morvane::app
