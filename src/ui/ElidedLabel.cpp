// The eliding one-line label. Tests: tests/ui/tst_geometry.cpp.

#include "ui/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace morvane::ui {

namespace {

constexpr int kMinimumCharacters = 4;

} // namespace

ElidedLabel::ElidedLabel(QWidget* parent)
    : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

QSize ElidedLabel::sizeHint() const
{
    const QMargins frame = contentsMargins();
    const int width = fontMetrics().horizontalAdvance(text()) + 2 * margin() + frame.left() + frame.right() + 2;
    return { width, QLabel::minimumSizeHint().height() };
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QMargins frame = contentsMargins();
    const int width = kMinimumCharacters * fontMetrics().averageCharWidth() + 2 * margin() + frame.left()
        + frame.right();
    return { width, QLabel::minimumSizeHint().height() };
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
        isEnabled(), shown, foregroundRole());
}

} // namespace morvane::ui
