#pragma once
// A one-line label for texts of any length (a focused file's path, the panel's counts): it
// draws what does not fit with an ellipsis in the middle, and it never asks its layout for more
// than a few characters of width. A plain QLabel
// asks for its whole text, so a long name would widen the file panel and the window with it.
// A label whose text is a name followed by fields (the focused file's path, size and date) can
// keep the fields whole and elide only the name. Covered by tests/ui/tst_geometry.cpp and
// tests/ui/tst_filepanel.cpp.

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

    // Whether only the text before its first run of three blanks is elided, the rest (the
    // fields) drawn whole as long as they fit at all.
    void setKeepFields(bool keep) { m_keepFields = keep; }

    // What the label draws of `text` in `width` pixels.
    static QString Shown(const QString& text, const QFontMetrics& metrics, int width, bool keepFields);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_keepFields = false;
};

} // namespace morvane::ui
