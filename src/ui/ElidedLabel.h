#pragma once
// A one-line label for texts of any length (a focused file's path, the panel's counts): it
// draws what does not fit with an ellipsis in the middle, and it never asks its layout for more
// than a few characters of width. A plain QLabel
// asks for its whole text, so a long name would widen the file panel and the window with it.
// Covered by tests/ui/tst_geometry.cpp.

#include <QLabel>

namespace morvane::ui {

class ElidedLabel : public QLabel {
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The width of the whole text (the layout gives it when there is room) and the height of
    // one line.
    QSize sizeHint() const override;
    // A few characters wide: the layout may squeeze the label that far.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace morvane::ui
