// Advisory locks on directories. Tests: tests/search/DirectoryLockTest.cpp.

#include "search/DirectoryLock.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace morvane::search {

namespace {

// The directories this process has locked: the descriptor holding the lock and how many
// DirectoryLock objects share it.
struct Held {
    int fd = -1;
    int count = 0;
};

std::mutex g_mutex;
std::map<DirectoryLock::Key, Held> g_held;
std::chrono::milliseconds g_passWait = DirectoryLock::kDefaultWait;

} // namespace

std::chrono::milliseconds DirectoryLock::passWait()
{
    const std::lock_guard guard(g_mutex);
    return g_passWait;
}

void DirectoryLock::setPassWait(std::chrono::milliseconds wait)
{
    const std::lock_guard guard(g_mutex);
    g_passWait = wait;
}

int DirectoryLock::acquire(const std::filesystem::path& dir, std::chrono::milliseconds wait)
{
    release();
    const std::filesystem::path opened = dir.empty() ? std::filesystem::path(".") : dir;
    const int fd = ::open(opened.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st { };
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return err;
    }
    const Key key { static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino) };
    {
        const std::lock_guard guard(g_mutex);
        if (auto it = g_held.find(key); it != g_held.end()) {
            ++it->second.count;
            ::close(fd);
            m_key = key;
            m_dir = dir;
            return 0;
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        if ((err != EWOULDBLOCK && err != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return err;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const std::lock_guard guard(g_mutex);
    g_held[key] = Held { fd, 1 };
    m_key = key;
    m_dir = dir;
    return 0;
}

void DirectoryLock::release()
{
    if (!held())
        return;
    const std::lock_guard guard(g_mutex);
    if (auto it = g_held.find(m_key); it != g_held.end() && --it->second.count == 0) {
        ::close(it->second.fd); // closing the last descriptor lets go of the lock
        g_held.erase(it);
    }
    m_key = {};
    m_dir.clear();
}

} // namespace morvane::search
