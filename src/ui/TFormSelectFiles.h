#pragma once
// The select-files dialog of the file panel: one mask field (masks separated by ";") with the
// hint text above it, OK and Cancel. Numpad "+" shows it to mark the files that match the
// masks, numpad "-" to unmark them; the caller sets the title for the command. Created once
// with the main window and kept for the whole run. Covered by tests/ui/tst_filepanel.cpp.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace morvane::ui {

class TFormSelectFiles : public QDialog {
    Q_OBJECT
public:
    explicit TFormSelectFiles(QWidget* parent = nullptr);

    // The mask field's text as shown.
    QString maskText() const;
    QComboBox* maskBox() const { return m_mask; }

private:
    QLabel* m_stInfo = nullptr;
    QComboBox* m_mask = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace morvane::ui
