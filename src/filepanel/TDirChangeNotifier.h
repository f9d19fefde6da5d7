#pragma once
// The watcher of the file panel's current directory: while a change handler is set, a
// TDirChangeThread reports creation, deletion and renaming of entries in the root directory
// (not in its subdirectories, not writes into existing files) by running the handler on the
// user-interface thread. The main window sets the root at every change of directory; the
// handler only sets the panel's refresh-pending flag. Destroying the notifier stops the thread
// without waiting for it. Covered by tests/filepanel/DirChangeNotifierTest.cpp.

#include "filepanel/TDirChangeThread.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace morvane::filepanel {

class TDirChangeNotifier {
public:
    // Root "/", filters file name and directory name; the thread starts once a handler is
    // set. `dispatcher` carries each change to the user-interface thread.
    explicit TDirChangeNotifier(SyncDispatcher dispatcher);
    ~TDirChangeNotifier();
    TDirChangeNotifier(const TDirChangeNotifier&) = delete;
    TDirChangeNotifier& operator=(const TDirChangeNotifier&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    // Watches `path` from now on; nothing when it is already the root.
    void setRoot(const std::filesystem::path& path);

    unsigned notifyFilters() const { return m_filters; }
    void setNotifyFilters(unsigned filters);

    // Sets the handler and starts the thread if it does not run yet.
    void setOnChange(std::function<void()> handler);
    bool running() const { return m_thread != nullptr; }

private:
    void start();

    SyncDispatcher m_dispatcher;
    std::filesystem::path m_root { "/" };
    unsigned m_filters = kNotifyFileName | kNotifyDirName;
    std::function<void()> m_handler;
    std::unique_ptr<TDirChangeThread> m_thread;
};

} // namespace morvane::filepanel
