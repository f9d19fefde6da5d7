// Reading a directory for the walks. Tests: tests/search/DirectoryEntryTest.cpp.

#include "search/DirectoryEntry.h"

#include "app/FileIo.h"
#include "app/TextLines.h"
#include "search/NameFold.h"

#include <algorithm>
#include <set>
#include <sys/stat.h>

namespace morvane::search {

std::vector<std::string> ReadHiddenList(const std::filesystem::path& dir)
{
    std::string text;
    if (app::ReadWholeFile(dir / ".hidden", text))
        return {};
    return app::SplitLines(text);
}

std::vector<DirectoryEntry> ReadDirectoryEntries(const std::filesystem::path& dir)
{
    namespace fs = std::filesystem;
    std::vector<DirectoryEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return entries;
    const std::vector<std::string> hiddenNames = ReadHiddenList(dir);
    const std::set<std::string, std::less<>> hidden(hiddenNames.begin(), hiddenNames.end());
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        std::error_code statError;
        const fs::file_status status = it->status(statError); // follows links
        DirectoryEntry entry;
        if (fs::is_directory(status))
            entry.directory = true;
        else if (!fs::is_regular_file(status))
            continue;
        entry.name = it->path().filename().native();
        entry.hidden = entry.name.starts_with('.') || hidden.contains(entry.name);
        entries.push_back(std::move(entry));
    }
    // Fold each name once rather than once per comparison.
    std::vector<std::pair<std::u32string, size_t>> keys;
    keys.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        keys.emplace_back(FoldedName(entries[i].name), i);
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return entries[a.second].name < entries[b.second].name;
    });
    std::vector<DirectoryEntry> sorted;
    sorted.reserve(entries.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(entries[key.second]));
    return sorted;
}

std::optional<DirectoryIdentity> IdentityOf(const std::filesystem::path& dir)
{
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return DirectoryIdentity { static_cast<std::uint64_t>(info.st_dev),
        static_cast<std::uint64_t>(info.st_ino) };
}

} // namespace morvane::search
