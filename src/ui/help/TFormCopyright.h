#pragma once
// The about window: the program's name and purpose, its version and build date (the same
// version string as `--version`), the licence, and the Qt and QScintilla versions it runs
// with. Its texts come from the message table each time it is shown, so a language change
// reaches it like every other dialog. Covered by tests/ui/tst_help.cpp.

#include <QDialog>

class QLabel;
class QPushButton;

namespace morvane::ui {

class TFormCopyright : public QDialog {
    Q_OBJECT
public:
    explicit TFormCopyright(QWidget* parent = nullptr);

    // Sets every text from the message table.
    void applyCaptions();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_name = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_buildDate = nullptr;
    QLabel* m_license = nullptr;
    QLabel* m_libraries = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace morvane::ui
