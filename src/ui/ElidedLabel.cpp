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

QString ElidedLabel::Shown(const QString& text, const QFontMetrics& metrics, int width, bool keepFields)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    if (keepFields) {
        // The name ends at the first run of three blanks after its first other character.
        qsizetype nameStart = 0;
        while (nameStart < text.size() && text.at(nameStart) == QLatin1Char(' '))
            ++nameStart;
        const qsizetype split = text.indexOf(QStringLiteral("   "), nameStart);
        if (split > nameStart) {
            const QString fields = text.mid(split);
            const int nameWidth = width - metrics.horizontalAdvance(fields);
            if (nameWidth >= metrics.horizontalAdvance(QStringLiteral("W\u2026W")))
                return metrics.elidedText(text.left(split), Qt::ElideMiddle, nameWidth) + fields;
        }
    }
    return metrics.elidedText(text, Qt::ElideMiddle, width);
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QString shown = Shown(text(), fontMetrics(), area.width(), m_keepFields);
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
        isEnabled(), shown, foregroundRole());
}

} // namespace morvane::ui
