// Qt boxes and file dialogs of the rule table page. Box titles are the application's name, like
// every other box of the program.

#include "ui/WidgetTablePageDialogs.h"

#include "ui/DisplayText.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace morvane::ui {

namespace {

QString PathToQString(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

std::optional<std::filesystem::path> ChosenPath(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    return std::filesystem::path(name.toStdString());
}

} // namespace

QString ToQtFileFilter(std::string_view filter)
{
    const QStringList parts = ToDisplay(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        if (description.endsWith(QLatin1Char(')'))) {
            const qsizetype open = description.lastIndexOf(QLatin1Char('('));
            if (open >= 0)
                description = description.left(open).trimmed();
        }
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString p = pattern.trimmed();
            if (p == QLatin1String("*.*") || p == QLatin1String("*")) {
                patterns.append(QStringLiteral("*"));
                continue;
            }
            for (const QString& variant : { p, p.toLower(), p.toUpper() }) {
                if (!patterns.contains(variant))
                    patterns.append(variant);
            }
        }
        patterns.removeDuplicates();
        entries.append(
            description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

WidgetTablePageDialogs::WidgetTablePageDialogs(QWidget* parent)
    : m_parent(parent)
{
}

bool WidgetTablePageDialogs::Confirm(const std::string& text)
{
    return QMessageBox::question(m_parent, QApplication::applicationName(), ToDisplay(text),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

void WidgetTablePageDialogs::ShowMessage(const std::string& text)
{
    QMessageBox::information(m_parent, QApplication::applicationName(), ToDisplay(text));
}

std::optional<std::filesystem::path> WidgetTablePageDialogs::ChooseSaveFile(
    const std::string& title, const std::string& filter, const std::filesystem::path& initialPath)
{
    // No default suffix: the command itself appends ".tbl" to a name without extension, and
    // leaves every other extension as typed.
    return ChosenPath(QFileDialog::getSaveFileName(m_parent, ToDisplay(title), PathToQString(initialPath),
        ToQtFileFilter(filter), nullptr, QFileDialog::DontConfirmOverwrite));
}

std::optional<std::filesystem::path> WidgetTablePageDialogs::ChooseOpenFile(
    const std::string& title, const std::string& filter, const std::filesystem::path& initialPath)
{
    // A name that does not exist is accepted: loading it changes nothing but makes it the
    // table's path, so the file dialog must not refuse it.
    QFileDialog dialog(m_parent, ToDisplay(title), PathToQString(initialPath), ToQtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (initialPath.has_filename())
        dialog.selectFile(PathToQString(initialPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ChosenPath(dialog.selectedFiles().constFirst());
}

} // namespace morvane::ui
