#pragma once
// The response interval dialog: a masked field of one digit, a point, three digits and " sec",
// with OK and Cancel. The main window prefills the field from its menu caption and reads it
// back after OK. Created once with the main window and kept for the whole run.
// Covered by tests/ui/tst_startup.cpp.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace morvane::ui {

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);

    // The field's text in the form "2.250 sec" (a digit position left empty reads as "0").
    QString intervalText() const;
    void setIntervalText(const QString& text);

    QLineEdit* maskEditTime() const { return m_maskEditTime; }

private:
    QLabel* m_staticText1 = nullptr;
    QLineEdit* m_maskEditTime = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace morvane::ui
