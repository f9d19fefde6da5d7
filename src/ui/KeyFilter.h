#pragma once
// Gives one key of a widget to a handler before the window's shortcuts see it: the key's
// shortcut override is accepted while `wanted` says so, and its press goes to `handler`. Used
// where a list's own key shares its key with a menu shortcut (F3 in the file list).
// Covered by tests/ui/tst_tags.cpp.

#include <QKeySequence>
#include <QObject>

#include <functional>

namespace morvane::ui {

class KeyFilter : public QObject {
public:
    // Filters `key` (with exactly `modifiers`) on `target`; the filter is a child of `target`.
    KeyFilter(QWidget* target, int key, Qt::KeyboardModifiers modifiers, std::function<bool()> wanted,
        std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_key;
    Qt::KeyboardModifiers m_modifiers;
    std::function<bool()> m_wanted;
    std::function<void()> m_handler;
};

} // namespace morvane::ui
