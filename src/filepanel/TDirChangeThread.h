#pragma once
// The watcher thread of TDirChangeNotifier: it blocks on an inotify watch of one directory and
// on a wake-up eventfd, and hands each change to the user-interface thread through the
// injected synchronous dispatcher, staying blocked until the handler has run there. The
// user-interface thread replaces the watched directory with setOptions (the thread is woken
// and opens the new watch before it reads further events, and events still queued for the old
// watch are dropped) and ends the thread with terminate, which returns at once: the thread
// wakes, sees the request and ends by itself, and what it shares with the user-interface
// thread is freed by whichever side lets go last. A handler never runs after terminate,
// because the hand-off checks the request on the user-interface thread, where terminate is
// called. Covered by tests/filepanel/DirChangeNotifierTest.cpp.

#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

namespace morvane::filepanel {

// Runs `call` on the user-interface thread and returns when it has run there. A dispatcher
// must stay callable as long as a thread may use it; after the user-interface thread has
// stopped serving calls it should return without running them.
using SyncDispatcher = std::function<void(const std::function<void()>& call)>;

// The kinds of change a watch reports (the notifier's filters). The program uses file name
// and directory name: creation, deletion and renaming of files and of directories.
inline constexpr unsigned kNotifyFileName = 0x1;
inline constexpr unsigned kNotifyDirName = 0x2;
inline constexpr unsigned kNotifyAttributes = 0x4;
inline constexpr unsigned kNotifySize = 0x8;
inline constexpr unsigned kNotifyLastWrite = 0x10;
inline constexpr unsigned kNotifySecurity = 0x100;

class TDirChangeThread {
public:
    // Created suspended: nothing is watched until resume. `handler` runs on the
    // user-interface thread for each change.
    TDirChangeThread(SyncDispatcher dispatcher, std::function<void()> handler);
    // Terminates the thread if it still runs.
    ~TDirChangeThread();
    TDirChangeThread(const TDirChangeThread&) = delete;
    TDirChangeThread& operator=(const TDirChangeThread&) = delete;

    // Replaces the watch options (user-interface thread); the running thread follows promptly.
    void setOptions(const std::filesystem::path& directory, unsigned notifyFlags);
    // Replaces the handler (user-interface thread).
    void setHandler(std::function<void()> handler);
    // Starts the thread; later calls do nothing.
    void resume();
    // Asks the thread to end and detaches it; returns at once.
    void terminate();

    // Watcher threads that have started and not yet ended, in the whole process.
    static int runningCount();

private:
    struct Shared;
    static void run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};

} // namespace morvane::filepanel
