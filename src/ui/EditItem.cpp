// The file panel's rename box. Covered by tests/ui/tst_filepanel.cpp.

#include "ui/EditItem.h"

#include "ui/ObjectNames.h"

#include <QKeyEvent>

namespace morvane::ui {

EditItem::EditItem(QWidget* parent)
    : QLineEdit(parent)
{
    setObjectName(QLatin1String(names::EditItem));
    setStyleSheet(QStringLiteral("background-color: yellow;"));
    hide();
}

void EditItem::open(const QRect& rect, const QString& name, int index)
{
    m_index = index;
    if (parentWidget() != nullptr)
        setFont(parentWidget()->font());
    setGeometry(rect);
    setText(name);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

bool EditItem::event(QEvent* event)
{
    // Esc and Enter belong to the box while it is open, not to the window's shortcuts (Esc is
    // also the abort command's key).
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void EditItem::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const int index = m_index;
        const QString text = this->text();
        finish();
        Q_EMIT renameRequested(index, text);
        return;
    }
    case Qt::Key_Escape:
        finish();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void EditItem::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    finish();
}

void EditItem::finish()
{
    if (m_index < 0 && !isVisible())
        return;
    m_index = -1;
    hide();
    Q_EMIT closed();
}

} // namespace morvane::ui
