#pragma once
// The user-interface thread's side of the watcher's synchronous hand-off, for tests: a
// watcher thread that dispatches a call blocks until the test thread runs it with
// processPending(), as a blocking queued call into a window's event loop would. close() (also
// done on destruction) makes waiting and later calls return without running, like an event
// loop that has ended.

#include "filepanel/TDirChangeThread.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace morvane::tests {

class FakePanelDispatcher {
public:
    FakePanelDispatcher() = default;
    ~FakePanelDispatcher() { close(); }
    FakePanelDispatcher(const FakePanelDispatcher&) = delete;
    FakePanelDispatcher& operator=(const FakePanelDispatcher&) = delete;

    filepanel::SyncDispatcher dispatcher() const
    {
        return [state = m_state](const std::function<void()>& call) { state->invoke(call); };
    }

    // Runs the calls waiting now on the calling thread; returns how many ran.
    int processPending()
    {
        std::deque<std::shared_ptr<Entry>> taken;
        {
            std::lock_guard lock(m_state->mutex);
            taken.swap(m_state->queue);
        }
        for (const auto& entry : taken)
            entry->call();
        {
            std::lock_guard lock(m_state->mutex);
            for (const auto& entry : taken)
                entry->done = true;
        }
        m_state->done.notify_all();
        return static_cast<int>(taken.size());
    }

    // Calls waiting for the test thread.
    int pendingCount() const
    {
        std::lock_guard lock(m_state->mutex);
        return static_cast<int>(m_state->queue.size());
    }

    void close()
    {
        {
            std::lock_guard lock(m_state->mutex);
            m_state->closed = true;
            m_state->queue.clear();
        }
        m_state->done.notify_all();
    }

private:
    struct Entry {
        std::function<void()> call;
        bool done = false;
    };
    struct State {
        mutable std::mutex mutex;
        std::condition_variable done;
        std::deque<std::shared_ptr<Entry>> queue;
        bool closed = false;

        void invoke(const std::function<void()>& call)
        {
            auto entry = std::make_shared<Entry>(Entry { call, false });
            std::unique_lock lock(mutex);
            if (closed)
                return;
            queue.push_back(entry);
            done.wait(lock, [&] { return entry->done || closed; });
        }
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace morvane::tests
