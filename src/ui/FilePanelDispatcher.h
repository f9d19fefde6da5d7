#pragma once
// The user-interface thread's side of the directory watcher's hand-off: the watcher thread
// posts its call into this object's event loop and blocks until the call has run there, as a
// blocking queued connection would. Unlike a plain blocking queued call it cannot deadlock at
// close: close() (also run by the destructor) releases every waiting watcher without running
// its call, and later calls return at once, so the window may stop the watcher while it is
// blocked in a hand-off. Covered by tests/ui/tst_filepanel.cpp (the watcher cases).

#include "filepanel/TDirChangeThread.h"

#include <QObject>

#include <memory>

namespace morvane::ui {

class FilePanelDispatcher : public QObject {
    Q_OBJECT
public:
    explicit FilePanelDispatcher(QObject* parent = nullptr);
    ~FilePanelDispatcher() override;

    // The function the watcher calls; it stays safe to call after this object is gone.
    filepanel::SyncDispatcher dispatcher() const;

    // Stops serving calls: waiting watchers return without running theirs.
    void close();

private:
    struct State;
    std::shared_ptr<State> m_state;
};

} // namespace morvane::ui
