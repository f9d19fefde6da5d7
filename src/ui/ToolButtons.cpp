// Tool button helpers of the page builders. Covered by tests/ui/tst_objectnames.cpp.

#include "ui/ToolButtons.h"

#include "ui/ToolIcons.h"

#include <QToolBar>
#include <QToolButton>

namespace morvane::ui {

QToolButton* MakeToolButton(QWidget* parent, const char* name)
{
    auto* button = Named(new QToolButton(parent), name);
    button->setAutoRaise(true);
    button->setIcon(ToolIcon(name, button->style()));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QToolButton* AddToolButton(QToolBar* bar, const char* name)
{
    QToolButton* button = MakeToolButton(bar, name);
    bar->addWidget(button);
    return button;
}

} // namespace morvane::ui
