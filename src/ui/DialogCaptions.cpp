// Caption entries of the passes' dialogs. Tests: tests/ui/tst_outputdialogs.cpp.

#include "ui/DialogCaptions.h"

#include "app/MessageCaptions.h"
#include "app/MessageTable.h"
#include "ui/DisplayText.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace morvane::ui {

void ApplyDialogCaptions(QWidget* dialog)
{
    const QString windowName = dialog->objectName();
    for (const app::CaptionTarget& target : app::CaptionTargets()) {
        if (QLatin1String(target.window.data(), static_cast<qsizetype>(target.window.size())) != windowName)
            continue;
        const QString name
            = QString::fromLatin1(target.objectName.data(), static_cast<qsizetype>(target.objectName.size()));
        QWidget* control = name == windowName ? dialog : dialog->findChild<QWidget*>(name);
        if (control == nullptr)
            continue;
        const QString text = ToDisplay(app::Msg(target.index));
        switch (target.property) {
        case app::CaptionProperty::WindowTitle:
            control->setWindowTitle(text);
            break;
        case app::CaptionProperty::Hint:
            control->setToolTip(text);
            break;
        case app::CaptionProperty::Caption:
            if (auto* label = qobject_cast<QLabel*>(control))
                label->setText(text);
            else if (auto* group = qobject_cast<QGroupBox*>(control))
                group->setTitle(text);
            else if (auto* button = qobject_cast<QAbstractButton*>(control))
                button->setText(text);
            break;
        case app::CaptionProperty::TabText:
            break;
        }
    }
}

} // namespace morvane::ui
