// The ".hidden" list of a directory. Tests: tests/search/HiddenListTest.cpp.

#include "search/HiddenList.h"

#include "app/FileIo.h"

#include <map>
#include <string>

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

constexpr const char* kHiddenFileName = ".hidden";

// The lines of `bytes` with their endings; a last line without an ending is a line too.
std::vector<std::string> SplitKeepingEndings(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start + 1));
        start = end + 1;
    }
    return lines;
}

// The name a line lists: without its LF and a CR before it.
std::string NameOfLine(std::string line)
{
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

fs::path HiddenFileOf(const fs::path& path)
{
    return path.parent_path() / kHiddenFileName;
}

} // namespace

void AddToHiddenList(const fs::path& path)
{
    const fs::path listFile = HiddenFileOf(path);
    const std::string name = path.filename().string();
    std::string bytes;
    std::error_code ec;
    if (fs::exists(listFile, ec) && app::ReadWholeFile(listFile, bytes))
        return; // unreadable: leave it alone rather than lose its lines
    for (const std::string& line : SplitKeepingEndings(bytes))
        if (NameOfLine(line) == name)
            return;
    if (!bytes.empty() && bytes.back() != '\n')
        bytes += '\n';
    bytes += name;
    bytes += '\n';
    (void)app::WriteWholeFile(listFile, bytes);
}

void RemoveFromHiddenList(const std::vector<fs::path>& paths)
{
    std::map<fs::path, std::vector<std::string>> namesByList;
    for (const fs::path& path : paths)
        namesByList[HiddenFileOf(path)].push_back(path.filename().string());

    for (const auto& [listFile, names] : namesByList) {
        std::string bytes;
        if (app::ReadWholeFile(listFile, bytes))
            continue;
        std::string kept;
        bool removed = false;
        for (const std::string& line : SplitKeepingEndings(bytes)) {
            const std::string lineName = NameOfLine(line);
            bool drop = false;
            for (const std::string& name : names)
                drop = drop || lineName == name;
            if (drop)
                removed = true;
            else
                kept += line;
        }
        if (!removed)
            continue;
        std::error_code ec;
        if (kept.empty())
            fs::remove(listFile, ec);
        else
            (void)app::WriteWholeFile(listFile, kept);
    }
}

bool IsInHiddenList(const fs::path& path)
{
    std::string bytes;
    if (app::ReadWholeFile(HiddenFileOf(path), bytes))
        return false;
    const std::string name = path.filename().string();
    for (const std::string& line : SplitKeepingEndings(bytes))
        if (NameOfLine(line) == name)
            return true;
    return false;
}

} // namespace morvane::search
