#pragma once
// The create-directory dialog: one edit field Edit1 for the new directory's name, OK and
// Cancel. The field keeps its text from one use to the next and has the focus whenever the
// dialog opens. Created once with the main window. Covered by tests/ui/tst_fileops.cpp.

#include <QDialog>

#include <filesystem>
#include <optional>

class QLineEdit;
class QPushButton;

namespace morvane::ui {

class TfmCreateDir : public QDialog {
    Q_OBJECT
public:
    explicit TfmCreateDir(QWidget* parent = nullptr);

    // Shows the dialog modally; the name on OK (an empty field counts as Cancel).
    std::optional<std::filesystem::path> ask();
    // The name in the field as a path of the file system.
    std::filesystem::path name() const;

    QLineEdit* Edit1() const { return m_edit; }
    QPushButton* okButton() const { return m_ok; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_edit = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace morvane::ui
