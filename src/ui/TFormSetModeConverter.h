#pragma once
// The converter's dialog: the information label LabelInfo, "из" with the source code page
// (Windows-1251, KOI8-R, DOS-866, AutoDetect) and "в" with the target code page (the first
// three), OK and Cancel. Created once with the main window; the two choices persist.
// Covered by tests/ui/tst_outputdialogs.cpp.

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;

namespace morvane::ui {

class TFormSetModeConverter : public QDialog {
    Q_OBJECT
public:
    explicit TFormSetModeConverter(QWidget* parent = nullptr);

    // Shows the dialog modally with `info` in LabelInfo and the lists at `fromIndex` and
    // `toIndex`; on OK both take the chosen items.
    bool edit(const std::string& info, int& fromIndex, int& toIndex);
    // Fills the label and the lists without showing the dialog (edit does it first).
    void prepare(const std::string& info, int fromIndex, int toIndex);

    QLabel* LabelInfo() const { return m_info; }
    QComboBox* cbFromCodePage() const { return m_from; }
    QComboBox* cbToCodePage() const { return m_to; }

private:
    QLabel* m_info = nullptr;
    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
};

} // namespace morvane::ui
