// One key of a widget taken before the window's shortcuts. Covered by tests/ui/tst_tags.cpp.

#include "ui/KeyFilter.h"

#include <QKeyEvent>
#include <QWidget>

namespace morvane::ui {

KeyFilter::KeyFilter(QWidget* target, int key, Qt::KeyboardModifiers modifiers, std::function<bool()> wanted,
    std::function<void()> handler)
    : QObject(target)
    , m_key(key)
    , m_modifiers(modifiers)
    , m_wanted(std::move(wanted))
    , m_handler(std::move(handler))
{
    target->installEventFilter(this);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods
        = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key->key() != m_key || mods != m_modifiers || !m_wanted())
        return QObject::eventFilter(watched, event);
    if (type == QEvent::ShortcutOverride) {
        // Accepting the override sends the press to the widget instead of firing a shortcut.
        event->accept();
        return true;
    }
    m_handler();
    return true;
}

} // namespace morvane::ui
