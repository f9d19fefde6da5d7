#pragma once
// A window that shows a page of the manual where the manual page of the main window cannot be
// reached: over a modal dialog (made a child of that dialog, so that the dialog's modality
// leaves it usable) or while a pass holds the main window's pages. Covered by
// tests/ui/tst_help.cpp.

#include <QDialog>

class QTextBrowser;
class QUrl;

namespace morvane::ui {

class TFormHelp : public QDialog {
    Q_OBJECT
public:
    explicit TFormHelp(QWidget* parent = nullptr);

    // Shows `url` (a page of the manual, with an anchor) and brings the window up.
    void showPage(const QUrl& url);
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace morvane::ui
