// The HTML preview window. Covered by tests/ui/tst_tags.cpp.

#include "ui/TFormWebBrowser.h"

#include "ui/ScreenFit.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace morvane::ui {

namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

} // namespace

TFormWebBrowser::TFormWebBrowser(QWidget* owner)
    : QWidget(owner, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("TFormWebBrowser"));
    setWindowTitle(QStringLiteral("WebBrowser"));
    m_browser->setObjectName(QStringLiteral("WebBrowser"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);

    // Esc anywhere in the window closes it; the browser itself has no use for the key, so it
    // is taken before the browser sees it (event() takes it when the window has the focus).
    m_browser->installEventFilter(this);
}

bool TFormWebBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (takeEscape(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool TFormWebBrowser::event(QEvent* event)
{
    return takeEscape(event) || QWidget::event(event);
}

bool TFormWebBrowser::takeEscape(QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
        return false;
    // The override is accepted so that no shortcut of the main window (its abort command has
    // the same key) takes the press away from this window.
    event->accept();
    if (type == QEvent::KeyPress)
        close();
    return true;
}

void TFormWebBrowser::showPreview(const app::WindowPlacement& placement)
{
    if (!m_placed) {
        m_placed = true;
        const bool sized
            = placement.Width && placement.Height && *placement.Width > 0 && *placement.Height > 0;
        QRect wanted(pos(), QSize(sized ? *placement.Width : kDefaultWidth, sized ? *placement.Height : kDefaultHeight));
        if (placement.Left && placement.Top)
            wanted.moveTopLeft(QPoint(*placement.Left, *placement.Top));
        // A placement saved on another screen layout must not leave the window off the edge.
        wanted.setSize(wanted.size().expandedTo(minimumSizeHint()));
        wanted = FitOnScreen(wanted);
        resize(wanted.size());
        move(wanted.topLeft());
    }
    show();
    raise();
    activateWindow();
    Q_EMIT placementChanged();
}

app::WindowPlacement TFormWebBrowser::placement() const
{
    app::WindowPlacement result;
    result.Left = pos().x();
    result.Top = pos().y();
    result.Width = width();
    result.Height = height();
    return result;
}

void TFormWebBrowser::closeEvent(QCloseEvent* event)
{
    // Hidden, never destroyed: the window is reused by the next preview.
    event->accept();
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

void TFormWebBrowser::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (isVisible())
        Q_EMIT placementChanged();
}

void TFormWebBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isVisible())
        Q_EMIT placementChanged();
}

} // namespace morvane::ui
