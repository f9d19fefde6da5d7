#pragma once
// Small helpers shared by the page builders of the main window: named widgets and tool buttons
// with their pictures. Covered by tests/ui/tst_objectnames.cpp.

#include <QLatin1String>
#include <QObject>

class QToolBar;
class QToolButton;
class QWidget;

namespace morvane::ui {

// Gives `object` its object name and returns it, so a builder can create and name in one line.
template <typename T> T* Named(T* object, const char* name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

// A flat tool button named `name` with its picture.
QToolButton* MakeToolButton(QWidget* parent, const char* name);
// The same, appended to `bar`.
QToolButton* AddToolButton(QToolBar* bar, const char* name);

} // namespace morvane::ui
