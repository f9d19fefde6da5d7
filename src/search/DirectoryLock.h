#pragma once
// Serialising the writers of one directory: every run of this program (the desktop program and
// the command line alike) that rewrites files, makes or restores backup copies or changes the
// ".hidden" list of a directory holds an advisory lock (flock) on the directory itself while it
// reads, rewrites and lists. A second run waits a short time and then gives up on that
// directory's file (reported as busy) instead of overwriting the first run's result.
// Covered by tests/search/DirectoryLockTest.cpp.
//
// The lock belongs to the process: holding it twice in one process (a command inside a pass)
// counts instead of blocking. Nothing is created in the directory.

#include <chrono>
#include <filesystem>

namespace morvane::search {

class DirectoryLock {
public:
    // How long a run waits for another one by default.
    static constexpr std::chrono::milliseconds kDefaultWait { 3000 };

    DirectoryLock() = default;
    ~DirectoryLock() { release(); }
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    // Locks the directory `dir`, waiting at most `wait` for another process to let go of it.
    // A lock held before on another directory is released first. Returns 0, EWOULDBLOCK when
    // another process kept it, or the errno of opening the directory.
    int acquire(const std::filesystem::path& dir, std::chrono::milliseconds wait = kDefaultWait);
    void release();
    bool held() const { return m_key.inode != 0; }
    // The directory as given to acquire().
    const std::filesystem::path& directory() const { return m_dir; }

    // The wait used by the passes (tests shorten it).
    static std::chrono::milliseconds passWait();
    static void setPassWait(std::chrono::milliseconds wait);

    struct Key {
        unsigned long long device = 0;
        unsigned long long inode = 0;
        auto operator<=>(const Key&) const = default;
    };

private:
    Key m_key;
    std::filesystem::path m_dir;
};

} // namespace morvane::search
