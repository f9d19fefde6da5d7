// The ".hidden" list of a directory. Tests: tests/search/HiddenListTest.cpp.

#include "search/HiddenList.h"

#include "app/DurableWrite.h"
#include "app/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

constexpr const char* kHiddenFileName = ".hidden";

// Calls `line` with every line of `bytes` including its ending; a last line without an ending
// is a line too.
template <typename F>
void ForEachLine(const std::string& bytes, F line)
{
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find('\n', start);
        const size_t next = end == std::string::npos ? bytes.size() : end + 1;
        line(std::string_view(bytes).substr(start, next - start));
        start = next;
    }
}

// The name a line lists: without its LF and a CR before it.
std::string_view NameOfLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// Reads the list file without following a link. 0 (an absent file reads as empty) or errno.
int ReadList(const fs::path& file, std::string& bytes, bool& exists)
{
    bytes.clear();
    exists = false;
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? 0 : errno;
    struct stat st { };
    const int statError = ::fstat(fd, &st) != 0 ? errno : 0;
    if (statError || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return statError ? statError : S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
    exists = true;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : 0;
            ::close(fd);
            return err;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

fs::path DirectoryOf(const fs::path& path)
{
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

} // namespace

bool IsListableName(const std::string& name)
{
    return !name.empty() && name.find_first_of("\r\n") == std::string::npos;
}

HiddenList::HiddenList(fs::path dir)
    : m_dir(std::move(dir))
{
}

HiddenList::~HiddenList()
{
    (void)flush();
}

fs::path HiddenList::file() const
{
    return m_dir / kHiddenFileName;
}

int HiddenList::load()
{
    if (m_loaded)
        return m_loadError;
    m_loaded = true;
    std::string bytes;
    bool exists = false;
    m_loadError = ReadList(file(), bytes, exists);
    ForEachLine(bytes, [this](std::string_view line) { m_names.emplace(NameOfLine(line)); });
    m_endsWithNewline = bytes.empty() || bytes.back() == '\n';
    return m_loadError;
}

bool HiddenList::contains(const std::string& name)
{
    load();
    return m_names.contains(name);
}

int HiddenList::add(const std::string& name)
{
    return addAll({ name });
}

int HiddenList::addAll(const std::vector<std::string>& names, bool flushNow)
{
    for (const std::string& name : names)
        if (!IsListableName(name))
            return EINVAL;
    if (const int err = load())
        return err;
    // A last line without its ending gets one first, so the new names stay lines of their own.
    std::string lines = m_endsWithNewline ? "" : "\n";
    std::vector<const std::string*> appended;
    for (const std::string& name : names) {
        // A removal not written yet leaves the line in the file: keeping it is all it takes.
        if (const auto it = std::find(m_removed.begin(), m_removed.end(), name); it != m_removed.end()) {
            m_removed.erase(it);
            m_names.insert(name);
            continue;
        }
        if (m_names.contains(name)
            || std::find_if(appended.begin(), appended.end(), [&](const std::string* p) { return *p == name; })
                != appended.end())
            continue;
        lines += name;
        lines += '\n';
        appended.push_back(&name);
    }
    if (appended.empty())
        return 0;
    const fs::path path = file();
    const bool created = ::access(path.c_str(), F_OK) != 0;
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int err = app::WriteAllToDescriptor(fd, lines);
    if (!err && flushNow && ::fdatasync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && !err)
        err = errno;
    if (!err && created && flushNow)
        err = app::SyncDirectory(m_dir);
    if (err)
        return err;
    if (flushNow)
        app::CrashPoint();
    for (const std::string* name : appended)
        m_names.insert(*name);
    m_endsWithNewline = true;
    return 0;
}

int HiddenList::sync()
{
    const int fd = ::open(file().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    int err = ::fdatasync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (!err)
        err = app::SyncDirectory(m_dir);
    if (!err)
        app::CrashPoint();
    return err;
}

void HiddenList::remove(const std::string& name)
{
    if (m_loaded && !m_names.erase(name))
        return; // not listed: nothing to write
    if (std::find(m_removed.begin(), m_removed.end(), name) == m_removed.end())
        m_removed.push_back(name);
}

int HiddenList::flush()
{
    if (m_removed.empty())
        return 0;
    const std::vector<std::string> removed = std::move(m_removed);
    m_removed.clear();
    std::string bytes;
    bool exists = false;
    if (const int err = ReadList(file(), bytes, exists))
        return err;
    std::string kept;
    bool dropped = false;
    ForEachLine(bytes, [&](std::string_view line) {
        const std::string_view name = NameOfLine(line);
        if (std::find(removed.begin(), removed.end(), name) != removed.end())
            dropped = true;
        else
            kept += line;
    });
    if (!dropped)
        return 0;
    m_endsWithNewline = kept.empty() || kept.back() == '\n';
    if (kept.empty())
        return ::unlink(file().c_str()) == 0 ? 0 : errno;
    return app::WriteFileDurably(file(), kept, app::ModeForRewrite(file()));
}

int AddToHiddenList(const fs::path& path)
{
    HiddenList list(DirectoryOf(path));
    return list.add(path.filename().string());
}

void RemoveFromHiddenList(const std::vector<fs::path>& paths)
{
    std::map<fs::path, std::vector<std::string>> namesByDir;
    for (const fs::path& path : paths)
        namesByDir[DirectoryOf(path)].push_back(path.filename().string());
    for (const auto& [dir, names] : namesByDir) {
        HiddenList list(dir);
        for (const std::string& name : names)
            list.remove(name);
        (void)list.flush();
    }
}

bool IsInHiddenList(const fs::path& path)
{
    HiddenList list(DirectoryOf(path));
    return list.contains(path.filename().string());
}

} // namespace morvane::search
