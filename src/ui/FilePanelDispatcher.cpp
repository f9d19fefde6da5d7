// The watcher's synchronous hand-off into the window's event loop.
// Covered by tests/ui/tst_filepanel.cpp.

#include "ui/FilePanelDispatcher.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace morvane::ui {

struct FilePanelDispatcher::State {
    struct Entry {
        std::function<void()> call;
        bool done = false;
    };

    std::mutex mutex;
    std::condition_variable doneChanged;
    std::deque<std::shared_ptr<Entry>> queue;
    QObject* target = nullptr; // read and cleared under the mutex only
    bool closed = false;

    // Watcher thread: queue the call, wake the event loop, wait for the call to have run.
    void invoke(const std::function<void()>& call)
    {
        auto entry = std::make_shared<Entry>(Entry { call, false });
        std::unique_lock lock(mutex);
        if (closed)
            return;
        queue.push_back(entry);
        // Posting under the mutex: close() clears the target under it before the object dies,
        // so the target is alive here.
        auto self = weakSelf.lock();
        QMetaObject::invokeMethod(
            target, [self] { self->runPending(); }, Qt::QueuedConnection);
        doneChanged.wait(lock, [&] { return entry->done || closed; });
    }

    // User-interface thread: run the calls queued now.
    void runPending()
    {
        std::deque<std::shared_ptr<Entry>> taken;
        {
            std::lock_guard lock(mutex);
            if (closed)
                return;
            taken.swap(queue);
        }
        for (const auto& entry : taken)
            entry->call();
        {
            std::lock_guard lock(mutex);
            for (const auto& entry : taken)
                entry->done = true;
        }
        doneChanged.notify_all();
    }

    std::weak_ptr<State> weakSelf;
};

FilePanelDispatcher::FilePanelDispatcher(QObject* parent)
    : QObject(parent)
    , m_state(std::make_shared<State>())
{
    m_state->target = this;
    m_state->weakSelf = m_state;
}

FilePanelDispatcher::~FilePanelDispatcher()
{
    close();
}

filepanel::SyncDispatcher FilePanelDispatcher::dispatcher() const
{
    return [state = m_state](const std::function<void()>& call) { state->invoke(call); };
}

void FilePanelDispatcher::close()
{
    {
        std::lock_guard lock(m_state->mutex);
        m_state->closed = true;
        m_state->target = nullptr;
        m_state->queue.clear();
    }
    m_state->doneChanged.notify_all();
}

} // namespace morvane::ui
