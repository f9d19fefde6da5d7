// Widget boxes and desktop calls of the file commands. Tests: tests/ui/tst_fileops.cpp (scripted).

#include "ui/WidgetFileOpsDialogs.h"

#include "ui/DisplayText.h"
#include "ui/TfmCreateDir.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace morvane::ui {

namespace {

QString PathString(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

} // namespace

WidgetFileOpsDialogs::WidgetFileOpsDialogs(QWidget* window)
    : QObject(window)
    , m_window(window)
    , m_createDir(new TfmCreateDir(window))
{
}

bool WidgetFileOpsDialogs::confirm(const std::string& text)
{
    // No is the default: deleting is permanent.
    return QMessageBox::question(m_window, QApplication::applicationName(), ToDisplay(text),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

std::optional<std::filesystem::path> WidgetFileOpsDialogs::chooseDirectory(const std::string& caption)
{
    const QString dir = QFileDialog::getExistingDirectory(m_window, ToDisplay(caption));
    if (dir.isEmpty())
        return std::nullopt;
    return std::filesystem::path(dir.toStdString());
}

QString CopyTargetFilter()
{
    // Every file, also one without a dot in its name.
    return QStringLiteral("All files (*)");
}

std::optional<std::filesystem::path> WidgetFileOpsDialogs::chooseSaveFile(
    const std::string& title, const std::filesystem::path& preset)
{
    // A copy onto an existing file replaces it, as the user chose the name here.
    const QString name = QFileDialog::getSaveFileName(m_window, ToDisplay(title), PathString(preset),
        CopyTargetFilter(), nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    return std::filesystem::path(name.toStdString());
}

void WidgetFileOpsDialogs::showMessage(const std::string& text)
{
    QMessageBox::information(m_window, QApplication::applicationName(), ToDisplay(text));
}

void WidgetFileOpsDialogs::showError(const std::string& text)
{
    QMessageBox::critical(m_window, QApplication::applicationName(), ToDisplay(text));
}

std::optional<std::filesystem::path> WidgetFileOpsDialogs::askNewDirectoryName()
{
    return m_createDir->ask();
}

void WidgetFileOpsDialogs::openWithDefaultApplication(
    const std::filesystem::path& file, const std::filesystem::path& /*workingDir*/)
{
    // The desktop's launcher starts the program in its own working directory; the file is
    // passed with its full path, so nothing depends on it.
    QDesktopServices::openUrl(QUrl::fromLocalFile(PathString(file)));
}

void WidgetFileOpsDialogs::editInTextEditor(const std::filesystem::path& file)
{
    // The desktop's handler of plain text is its text editor, whatever the file's own type
    // (an HTML file would otherwise open in the browser).
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    const QString gtkLaunch = QStandardPaths::findExecutable(QStringLiteral("gtk-launch"));
    if (!xdgMime.isEmpty() && !gtkLaunch.isEmpty()) {
        QProcess query;
        query.start(
            xdgMime, { QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain") });
        if (query.waitForFinished(3000)) {
            const QString desktopId = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
            if (!desktopId.isEmpty() && QProcess::startDetached(gtkLaunch, { desktopId, PathString(file) }))
                return;
        }
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(PathString(file)));
}

} // namespace morvane::ui
