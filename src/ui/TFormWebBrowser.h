#pragma once
// The HTML preview window: one browser filling it, in which the tag commands show a selected
// block and the file panel's F3 shows a file. It lives for the program's run and is only shown
// and hidden; Esc and the close button hide it, and the main window learns of that through
// closed() (it releases the automatic-preview button then). Its position and size are persisted
// by the main window, which hears of every change through placementChanged().
// Covered by tests/ui/tst_tags.cpp.

#include "app/Settings.h"

#include <QWidget>

class QTextBrowser;

namespace morvane::ui {

class TFormWebBrowser : public QWidget {
    Q_OBJECT
public:
    // A window of its own that stays with `owner` (above it, and destroyed with it).
    explicit TFormWebBrowser(QWidget* owner);

    QTextBrowser* browser() const { return m_browser; }

    // Shows the window and brings it to the front. The first show puts it where `placement`
    // says (a default size where it says nothing).
    void showPreview(const app::WindowPlacement& placement);
    // Where the window is: its frame position and its size.
    app::WindowPlacement placement() const;

Q_SIGNALS:
    // The window was hidden by Esc, its close button or close().
    void closed();
    // The window moved or was resized while shown.
    void placementChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Esc's shortcut override and press: true when `event` was one (the press closes).
    bool takeEscape(QEvent* event);

    QTextBrowser* m_browser;
    bool m_placed = false;
};

} // namespace morvane::ui
