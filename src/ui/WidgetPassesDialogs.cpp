// Widget boxes and dialogs of the pass commands. Tests: tests/ui/tst_outputdialogs.cpp.

#include "ui/WidgetPassesDialogs.h"

#include "ui/DisplayText.h"
#include "ui/TForm3.h"
#include "ui/TFormSetFileSplit.h"
#include "ui/TFormSetModeConverter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace morvane::ui {

namespace {

// The filter of the output file chooser, in Qt's notation.
const char* const kOutputFilter
    = "All files (*);;Web files (*.htm *.HTM);;Text files (*.txt *.TXT);;RTF files (*.rtf *.RTF)";

QString PathString(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

} // namespace

WidgetPassesDialogs::WidgetPassesDialogs(QWidget* window)
    : m_window(window)
    , m_form3(new TForm3(window))
    , m_fileSplit(new TFormSetFileSplit(window))
    , m_converter(new TFormSetModeConverter(window))
{
}

void WidgetPassesDialogs::showMessage(const std::string& text)
{
    QMessageBox::information(m_window, QApplication::applicationName(), ToDisplay(text));
}

bool WidgetPassesDialogs::confirm(const std::string& text)
{
    return QMessageBox::question(m_window, QApplication::applicationName(), ToDisplay(text),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

std::optional<std::filesystem::path> WidgetPassesDialogs::chooseOutputFile(const std::string& title,
    const std::filesystem::path& startFile, const std::filesystem::path& startDirectory)
{
    // Overwriting is asked by TForm3 afterwards, with the choice to append.
    const QString start = PathString(startFile.empty() ? startDirectory : startFile);
    const QString name = QFileDialog::getSaveFileName(m_window, ToDisplay(title), start,
        QString::fromLatin1(kOutputFilter), nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    return std::filesystem::path(name.toStdString());
}

search::OutputExistingAnswer WidgetPassesDialogs::askExistingTarget(const std::filesystem::path& path)
{
    return m_form3->ask(path);
}

bool WidgetPassesDialogs::editFileSplitSettings(search::OutputSplitSettings& settings)
{
    return m_fileSplit->edit(settings);
}

bool WidgetPassesDialogs::editConverterModes(const std::string& info, int& fromIndex, int& toIndex)
{
    return m_converter->edit(info, fromIndex, toIndex);
}

void WidgetPassesDialogs::openWithDefaultApplication(const std::filesystem::path& file)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(PathString(file)));
}

} // namespace morvane::ui
