#pragma once
// The dialog for an existing collecting file: "файл уже существует" above the file's full path,
// and the buttons Cancel (the default), Overwrite and Append. Closing it counts as Cancel.
// Created once with the main window. Covered by tests/ui/tst_outputdialogs.cpp.

#include "search/OutputExistingAnswer.h"

#include <QDialog>

#include <filesystem>

class QLabel;
class QPushButton;

namespace morvane::ui {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    // The least width of the dialog; a longer path widens it to the path's width plus 8.
    static constexpr int kMinWidth = 285;

    explicit TForm3(QWidget* parent = nullptr);

    // Shows the dialog modally for `path` and returns the answer.
    search::OutputExistingAnswer ask(const std::filesystem::path& path);
    // Fills the texts and the width for `path` without showing the dialog (ask does it first).
    void prepare(const std::filesystem::path& path);
    // The answer of a dialog result code (the buttons end the dialog with these).
    static search::OutputExistingAnswer answerOf(int result);

    QLabel* pathLabel() const { return m_path; }
    QPushButton* bbCancel() const { return m_cancel; }
    QPushButton* bbRewrite() const { return m_rewrite; }
    QPushButton* bbAdd() const { return m_add; }

private:
    QLabel* m_label1 = nullptr;
    QLabel* m_path = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_rewrite = nullptr;
    QPushButton* m_add = nullptr;
};

} // namespace morvane::ui
