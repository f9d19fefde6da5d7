// ApplyCaptions: every caption and hint of the program's windows from the message table, once,
// at show time. A target whose window does not exist yet (a dialog of a later step) is left
// out; a target that names no control is logged, never fatal.
// Covered by tests/ui/tst_captions.cpp.

#include "ui/TFormMain.h"

#include "app/MessageCaptions.h"
#include "app/MessageTable.h"
#include "ui/DisplayText.h"
#include "ui/FilePanelView.h"
#include "ui/TForm9.h"
#include "ui/TFormSelectFiles.h"

#include <QAbstractButton>
#include <QAction>
#include <QDebug>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

namespace morvane::ui {

namespace {

void SetCaption(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* group = qobject_cast<QGroupBox*>(target))
        group->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(text);
    else
        qWarning() << "no caption property on" << target->objectName();
}

void SetHint(QObject* target, const QString& text)
{
    // A twin tool button shows its menu item's action, which would put the action's tool tip
    // back over the button's own; so the hint goes to the action.
    if (auto* tool = qobject_cast<QToolButton*>(target); tool != nullptr && tool->defaultAction() != nullptr)
        tool->defaultAction()->setToolTip(text);
    else if (auto* action = qobject_cast<QAction*>(target))
        action->setToolTip(text);
    else if (auto* widget = qobject_cast<QWidget*>(target))
        widget->setToolTip(text);
}

void SetTabText(QObject* target, const QString& text)
{
    auto* page = qobject_cast<QWidget*>(target);
    for (QWidget* w = page != nullptr ? page->parentWidget() : nullptr; w != nullptr; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            const int index = tabs->indexOf(page);
            if (index >= 0)
                tabs->setTabText(index, text);
            return;
        }
    }
}

} // namespace

void TFormMain::ApplyCaptions()
{
    for (const app::CaptionTarget& target : app::CaptionTargets()) {
        QWidget* window = nullptr;
        if (target.window == "TFormMain")
            window = this;
        else if (target.window == "TForm9")
            window = m_form9;
        else if (target.window == "TFormSelectFiles")
            window = m_panel->selectFilesDialog();
        if (window == nullptr)
            continue;
        const QString name
            = QString::fromLatin1(target.objectName.data(), static_cast<qsizetype>(target.objectName.size()));
        QObject* control = window->objectName() == name ? window : window->findChild<QObject*>(name);
        if (control == nullptr) {
            qWarning() << "caption" << target.index << "names no control" << name;
            continue;
        }
        const QString text = ToDisplay(app::Msg(target.index));
        switch (target.property) {
        case app::CaptionProperty::Caption:
            SetCaption(control, text);
            break;
        case app::CaptionProperty::Hint:
            SetHint(control, text);
            break;
        case app::CaptionProperty::WindowTitle:
            if (auto* w = qobject_cast<QWidget*>(control))
                w->setWindowTitle(text);
            break;
        case app::CaptionProperty::TabText:
            SetTabText(control, text);
            break;
        }
    }
}

} // namespace morvane::ui
