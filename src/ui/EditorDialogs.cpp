// The editor's save dialog as a Qt file dialog. Covered by hand: the GUI tests script it.

#include "ui/EditorDialogs.h"

#include "ui/DisplayText.h"
#include "ui/WidgetTablePageDialogs.h"

#include <QFileDialog>

namespace morvane::ui {

QString SaveAsFilter()
{
    // The file types the editor has always offered: everything, web pages, text, rich text.
    return ToQtFileFilter(
        "All files (*.*)|*.*|Web files (*.htm)|*.HTM|Text files (*.txt)|*.TXT|RTF files (*.rtf)|*.RTF");
}

std::optional<std::filesystem::path> WidgetEditorDialogs::SaveAsFileName(
    const std::string& title, const std::filesystem::path& preset)
{
    const QString name = QFileDialog::getSaveFileName(m_parent, ToDisplay(title),
        QString::fromStdString(preset.string()), SaveAsFilter(), nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    const QByteArray bytes = name.toUtf8();
    return std::filesystem::path(std::u8string(bytes.begin(), bytes.end()));
}

} // namespace morvane::ui
