// The editor's save dialog as a Qt file dialog. Covered by hand: the GUI tests script it.

#include "ui/EditorDialogs.h"

#include "ui/DisplayText.h"

#include <QFileDialog>

namespace morvane::ui {

std::optional<std::filesystem::path> WidgetEditorDialogs::SaveAsFileName(
    const std::string& title, const std::filesystem::path& preset)
{
    // The file types the editor has always offered: everything, web pages, text, rich text.
    const QString filter
        = QStringLiteral("All files (*.*);;Web files (*.htm);;Text files (*.txt);;RTF files (*.rtf)");
    const QString name = QFileDialog::getSaveFileName(m_parent, ToDisplay(title),
        QString::fromStdString(preset.string()), filter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    const QByteArray bytes = name.toUtf8();
    return std::filesystem::path(std::u8string(bytes.begin(), bytes.end()));
}

} // namespace morvane::ui
