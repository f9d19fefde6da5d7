// The directory watcher component. Covered by tests/filepanel/DirChangeNotifierTest.cpp.

#include "filepanel/TDirChangeNotifier.h"

namespace morvane::filepanel {

TDirChangeNotifier::TDirChangeNotifier(SyncDispatcher dispatcher)
    : m_dispatcher(std::move(dispatcher))
{
}

TDirChangeNotifier::~TDirChangeNotifier()
{
    if (m_thread)
        m_thread->terminate();
}

void TDirChangeNotifier::setRoot(const std::filesystem::path& path)
{
    // Names differ by case on this platform, so the comparison keeps it.
    if (path == m_root)
        return;
    m_root = path;
    if (m_thread)
        m_thread->setOptions(m_root, m_filters);
}

void TDirChangeNotifier::setNotifyFilters(unsigned filters)
{
    m_filters = filters;
    if (m_thread)
        m_thread->setOptions(m_root, m_filters);
}

void TDirChangeNotifier::setOnChange(std::function<void()> handler)
{
    m_handler = std::move(handler);
    if (m_thread)
        m_thread->setHandler(m_handler);
    else
        start();
}

void TDirChangeNotifier::start()
{
    if (!m_handler || m_thread)
        return;
    m_thread = std::make_unique<TDirChangeThread>(m_dispatcher, m_handler);
    m_thread->setOptions(m_root, m_filters);
    m_thread->resume();
}

} // namespace morvane::filepanel
