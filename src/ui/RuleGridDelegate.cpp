// The rule grid's cell editor: a plain line edit, reporting begin and end of the edit.

#include "ui/RuleGridDelegate.h"

#include <QLineEdit>

namespace morvane::ui {

QWidget* RuleGridDelegate::createEditor(
    QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    Q_EMIT editStarted(index.row(), index.column());
    return editor;
}

void RuleGridDelegate::setModelData(
    QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    QStyledItemDelegate::setModelData(editor, model, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        Q_EMIT editFinished(line->text());
    else
        Q_EMIT editFinished(index.data(Qt::EditRole).toString());
}

} // namespace morvane::ui
