#pragma once
// The in-place cell editor of the rule grid. It reports when an edit begins (so that the cell's
// old text can be kept) and the text it ends with; what an ended edit means (checks, restoring a
// refused cell, writing the grid back) is decided by the rule table model, after the editor has
// closed. Covered by tests/ui/tst_tablepage.cpp.

#include <QStyledItemDelegate>

namespace morvane::ui {

class RuleGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(
        QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

Q_SIGNALS:
    // The editor opened on the 0-based cell (row, column) of the widget.
    void editStarted(int row, int column) const;
    // The editor committed `text`. Emitted while the editor is still open: receivers that show
    // boxes or move the focus should act once it has closed (a queued connection).
    void editFinished(const QString& text) const;
};

} // namespace morvane::ui
