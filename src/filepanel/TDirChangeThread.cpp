// The watcher thread on inotify. It waits in poll() on two descriptors: the inotify instance
// (one watch at a time, on the current directory only) and an eventfd through which the
// user-interface thread wakes it after new options or a terminate request. Everything the two
// threads share sits in one reference-counted block, so terminate never has to wait for the
// thread. Covered by tests/filepanel/DirChangeNotifierTest.cpp.

#include "filepanel/TDirChangeThread.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace morvane::filepanel {

namespace {

std::atomic<int> gRunningThreads { 0 };

constexpr std::uint32_t kNameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

std::uint32_t WatchMask(unsigned flags)
{
    std::uint32_t mask = IN_ONLYDIR;
    if (flags & (kNotifyFileName | kNotifyDirName))
        mask |= kNameEvents;
    if (flags & (kNotifyAttributes | kNotifySecurity))
        mask |= IN_ATTRIB;
    if (flags & (kNotifySize | kNotifyLastWrite))
        mask |= IN_MODIFY;
    return mask;
}

// Whether an event of the current watch is a change of a kind the filters ask for.
bool Wanted(std::uint32_t eventMask, unsigned flags)
{
    if (eventMask & kNameEvents) {
        const unsigned kind = (eventMask & IN_ISDIR) ? kNotifyDirName : kNotifyFileName;
        if (flags & kind)
            return true;
    }
    if ((eventMask & IN_ATTRIB) && (flags & (kNotifyAttributes | kNotifySecurity)))
        return true;
    if ((eventMask & IN_MODIFY) && (flags & (kNotifySize | kNotifyLastWrite)))
        return true;
    return false;
}

} // namespace

struct TDirChangeThread::Shared {
    SyncDispatcher dispatcher;
    std::function<void()> handler; // read and written on the user-interface thread only
    std::atomic<bool> terminated { false };

    std::mutex mutex; // guards the options
    std::filesystem::path directory;
    unsigned flags = kNotifyFileName | kNotifyDirName;
    bool optionsChanged = false;

    int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    int inotifyFd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);

    ~Shared()
    {
        if (wakeFd >= 0)
            ::close(wakeFd);
        if (inotifyFd >= 0)
            ::close(inotifyFd);
    }

    void wake()
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakeFd, &one, sizeof one);
    }
};

TDirChangeThread::TDirChangeThread(SyncDispatcher dispatcher, std::function<void()> handler)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->dispatcher = std::move(dispatcher);
    m_shared->handler = std::move(handler);
}

TDirChangeThread::~TDirChangeThread()
{
    terminate();
}

void TDirChangeThread::setOptions(const std::filesystem::path& directory, unsigned notifyFlags)
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->directory = directory;
        m_shared->flags = notifyFlags;
        m_shared->optionsChanged = true;
    }
    m_shared->wake();
}

void TDirChangeThread::setHandler(std::function<void()> handler)
{
    m_shared->handler = std::move(handler);
}

void TDirChangeThread::resume()
{
    if (m_thread.joinable() || m_shared->terminated)
        return;
    ++gRunningThreads;
    m_thread = std::thread(&TDirChangeThread::run, m_shared);
}

void TDirChangeThread::terminate()
{
    if (m_shared->terminated.exchange(true))
        return;
    m_shared->wake();
    if (m_thread.joinable())
        m_thread.detach();
}

int TDirChangeThread::runningCount()
{
    return gRunningThreads.load();
}

void TDirChangeThread::run(std::shared_ptr<Shared> shared)
{
    int watch = -1;
    unsigned flags = 0;
    auto openWatch = [&] {
        std::filesystem::path directory;
        {
            std::lock_guard lock(shared->mutex);
            directory = shared->directory;
            flags = shared->flags;
            shared->optionsChanged = false;
        }
        if (watch >= 0)
            ::inotify_rm_watch(shared->inotifyFd, watch);
        watch = directory.empty()
            ? -1
            : ::inotify_add_watch(shared->inotifyFd, directory.c_str(), WatchMask(flags));
    };

    if (shared->wakeFd >= 0 && shared->inotifyFd >= 0) {
        openWatch();
        alignas(inotify_event) char buffer[4096];
        while (!shared->terminated) {
            pollfd fds[2] = { { shared->inotifyFd, POLLIN, 0 }, { shared->wakeFd, POLLIN, 0 } };
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            if (shared->terminated)
                break;
            if (fds[1].revents & POLLIN) {
                std::uint64_t count = 0;
                [[maybe_unused]] const ssize_t got = ::read(shared->wakeFd, &count, sizeof count);
            }
            bool reopen = false;
            {
                std::lock_guard lock(shared->mutex);
                reopen = shared->optionsChanged;
            }
            // A new watch first: events still queued for the old one are then dropped below.
            if (reopen)
                openWatch();

            bool changed = false;
            for (;;) {
                const ssize_t length = ::read(shared->inotifyFd, buffer, sizeof buffer);
                if (length <= 0)
                    break;
                for (ssize_t at = 0; at < length;) {
                    const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                    if ((event->mask & IN_Q_OVERFLOW) || (event->wd == watch && Wanted(event->mask, flags)))
                        changed = true;
                    at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                }
            }
            if (changed && !shared->terminated && shared->dispatcher) {
                shared->dispatcher([shared] {
                    if (!shared->terminated && shared->handler)
                        shared->handler();
                });
            }
        }
    }
    --gRunningThreads;
}

} // namespace morvane::filepanel
