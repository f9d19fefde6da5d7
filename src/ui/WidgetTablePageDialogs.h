#pragma once
// The rule table page's boxes and file choosers as Qt widgets (the desktop program's
// implementation of TablePageDialogs), and the translation of the program's file filters into
// Qt's form. The filter translation is covered by tests/ui/tst_tablepage.cpp; the dialogs
// themselves by hand, since the GUI tests replace them with a scripted fake.

#include "ui/TablePageDialogs.h"

#include <QString>

#include <string_view>

class QWidget;

namespace morvane::ui {

// "Description (*.ext)|*.EXT|All files (*.*)|*.*" as Qt's "Description (*.EXT *.ext);;All files (*)":
// a parenthesised part at the end of a description is replaced by the entry's patterns; each
// pattern also matches in the other letter case (the table files were named on a file system
// that ignores case), and "*.*" means every name, also one without a point.
QString ToQtFileFilter(std::string_view filter);

class WidgetTablePageDialogs : public TablePageDialogs {
public:
    explicit WidgetTablePageDialogs(QWidget* parent);

    bool Confirm(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const std::string& title, const std::string& filter,
        const std::filesystem::path& initialPath) override;
    std::optional<std::filesystem::path> ChooseOpenFile(const std::string& title, const std::string& filter,
        const std::filesystem::path& initialPath) override;

private:
    QWidget* m_parent;
};

} // namespace morvane::ui
