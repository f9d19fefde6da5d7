#pragma once
// The rename box of the file panel: a yellow line edit laid over the focused item's caption.
// Enter asks for the rename, Esc (and leaving the box) drops it; either way the box hides and
// the list gets the focus back. Covered by tests/ui/tst_filepanel.cpp.

#include <QLineEdit>

namespace morvane::ui {

class EditItem : public QLineEdit {
    Q_OBJECT
public:
    explicit EditItem(QWidget* parent = nullptr);

    // Shows the box over `rect` (parent coordinates) filled with `name`, focused, all selected.
    void open(const QRect& rect, const QString& name, int index);
    // The item being renamed (-1: none).
    int itemIndex() const { return m_index; }

Q_SIGNALS:
    // Enter: rename item `index` to `text`.
    void renameRequested(int index, const QString& text);
    // The box has been hidden (after Enter, Esc or leaving it).
    void closed();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void finish();

    int m_index = -1;
};

} // namespace morvane::ui
