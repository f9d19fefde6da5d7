// Reading directories with attribute words. Covered by tests/filepanel/DirectorySearchTest.cpp.

#include "filepanel/DirectorySearch.h"

#include "codepage/CodePage.h"
#include "filepanel/CaseFold.h"
#include "filepanel/FileAttributes.h"
#include "filepanel/Mask.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unordered_set>

namespace morvane::filepanel {

namespace {

std::string OrderKey(const std::filesystem::path& name)
{
    return LowerWin1251(codepage::Utf8ToWin1251(name.native()));
}

} // namespace

bool DirEntry::isDirectory() const
{
    return (attributes & kAttrDirectory) != 0;
}

std::vector<std::string> ReadHiddenList(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    std::ifstream in(dir / ".hidden", std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            names.push_back(line);
    }
    return names;
}

bool NameOrderLess(const std::filesystem::path& a, const std::filesystem::path& b)
{
    const int byKey = CompareTextAscii(OrderKey(a), OrderKey(b));
    if (byKey != 0)
        return byKey < 0;
    return a.native() < b.native();
}

std::vector<DirEntry> ReadDirectoryEntries(const std::filesystem::path& dir, bool typesOnly)
{
    std::vector<DirEntry> entries;
    DIR* handle = ::opendir(dir.c_str());
    if (handle == nullptr)
        return entries;

    std::unordered_set<std::string> hidden;
    for (std::string& name : ReadHiddenList(dir))
        hidden.insert(std::move(name));

    while (const dirent* d = ::readdir(handle)) {
        const std::string name = d->d_name;
        if (name == "." || name == "..")
            continue;
        // Looked up relative to the open directory: one name to resolve, not the whole path
        // again for every entry of a deep tree.
        struct stat linkInfo { };
        if (typesOnly && (d->d_type == DT_REG || d->d_type == DT_DIR))
            linkInfo.st_mode = d->d_type == DT_DIR ? S_IFDIR | S_IWUSR : S_IFREG | S_IWUSR;
        else if (::fstatat(::dirfd(handle), d->d_name, &linkInfo, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        struct stat info = linkInfo;
        const bool symlink = S_ISLNK(linkInfo.st_mode);
        if (symlink && ::fstatat(::dirfd(handle), d->d_name, &info, 0) != 0)
            info = linkInfo; // dangling: the link itself, listed as a file
        const bool directory = S_ISDIR(info.st_mode);
        if (!directory && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode))
            continue;

        DirEntry entry;
        entry.name = name;
        entry.symlink = symlink;
        entry.attributes = directory ? kAttrDirectory : kAttrArchive;
        if ((info.st_mode & S_IWUSR) == 0)
            entry.attributes |= kAttrReadOnly;
        if (name[0] == '.' || hidden.count(name) != 0)
            entry.attributes |= kAttrHidden;
        entry.size = directory ? 0 : static_cast<std::uint64_t>(info.st_size);
        entry.modified = info.st_mtime;
        entries.push_back(std::move(entry));
    }
    ::closedir(handle);

    // The order keys are made once per entry, not once per comparison: a sort compares each
    // entry some log n times, and every key costs a conversion and a case fold.
    std::vector<std::pair<std::string, DirEntry>> keyed;
    keyed.reserve(entries.size());
    for (DirEntry& entry : entries)
        keyed.emplace_back(OrderKey(entry.name), std::move(entry));
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const int byKey = CompareTextAscii(a.first, b.first);
        return byKey != 0 ? byKey < 0 : a.second.name.native() < b.second.name.native();
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        entries[i] = std::move(keyed[i].second);
    return entries;
}

bool PassesRequest(unsigned attributes, unsigned request)
{
    constexpr unsigned kSpecial = kAttrHidden | kAttrSystem | kAttrVolume | kAttrDirectory;
    return (attributes & kSpecial & ~request) == 0;
}

bool PassesFilter(const DirEntry& entry, std::string_view mask, unsigned request)
{
    return PassesRequest(entry.attributes, request) && MatchesFileName(mask, entry.name);
}

std::vector<DirEntry> FilterEntries(
    const std::vector<DirEntry>& entries, std::string_view mask, unsigned request)
{
    std::vector<DirEntry> result;
    for (const DirEntry& entry : entries) {
        if (PassesFilter(entry, mask, request))
            result.push_back(entry);
    }
    return result;
}

std::vector<DirEntry> FindEntries(const std::filesystem::path& dir, std::string_view mask, unsigned request)
{
    return FilterEntries(ReadDirectoryEntries(dir), mask, request);
}

} // namespace morvane::filepanel
