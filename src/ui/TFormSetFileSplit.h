#pragma once
// The settings of file-split output: numbering by replacements or by matches, the name taken
// from the source file or a fixed name (chosen through a save dialog), the start number, the
// least number of digits and the separator; OK and Cancel. The fixed name's field and its
// button are enabled only while "с тем же именем" is off. Created once with the main window.
// Covered by tests/ui/tst_outputdialogs.cpp.

#include "search/OutputSplitSettings.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace morvane::ui {

class TFormSetFileSplit : public QDialog {
    Q_OBJECT
public:
    explicit TFormSetFileSplit(QWidget* parent = nullptr);

    // The fields from `settings`, and back.
    void setSettings(const search::OutputSplitSettings& settings);
    search::OutputSplitSettings settings() const;

    // Shows the dialog modally with `settings`; on OK they take the edited values.
    bool edit(search::OutputSplitSettings& settings);

    // The save dialog of sbSelectFileName (title: message 29); replaceable for tests.
    using FileNameChooser
        = std::function<std::optional<std::filesystem::path>(const std::filesystem::path& current)>;
    void setFileNameChooser(FileNameChooser chooser) { m_chooser = std::move(chooser); }
    void sbSelectFileNameClick();

    QRadioButton* rbReplaceCount() const { return m_replaceCount; }
    QRadioButton* rbFoundCount() const { return m_foundCount; }
    QCheckBox* CheckBoxFileNameSource() const { return m_nameSource; }
    QLineEdit* FileName() const { return m_fileName; }
    QToolButton* sbSelectFileName() const { return m_selectFileName; }
    QSpinBox* ceStartNumber() const { return m_startNumber; }
    QSpinBox* ceNumberLength() const { return m_numberLength; }
    QLineEdit* edDelimiter() const { return m_delimiter; }

private:
    void updateFileNameState();

    QRadioButton* m_replaceCount = nullptr;
    QRadioButton* m_foundCount = nullptr;
    QCheckBox* m_nameSource = nullptr;
    QLineEdit* m_fileName = nullptr;
    QToolButton* m_selectFileName = nullptr;
    QSpinBox* m_startNumber = nullptr;
    QSpinBox* m_numberLength = nullptr;
    QLineEdit* m_delimiter = nullptr;
    FileNameChooser m_chooser;
};

} // namespace morvane::ui
