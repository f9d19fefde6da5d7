// Qt boxes for colouring. The attribute dialog is the font dialog followed by the colour
// dialog, since Qt's font dialog has no colour of its own; cancelling either cancels both.

#include "ui/WidgetColourDialogs.h"

#include "ui/DisplayText.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace morvane::ui {

WidgetColourDialogs::WidgetColourDialogs(QWidget* parent)
    : m_parent(parent)
{
}

bool WidgetColourDialogs::Confirm(const std::string& text)
{
    return QMessageBox::question(m_parent, QApplication::applicationName(), ToDisplay(text),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

void WidgetColourDialogs::ShowMessage(const std::string& text)
{
    QMessageBox::information(m_parent, QApplication::applicationName(), ToDisplay(text));
}

std::optional<std::filesystem::path> WidgetColourDialogs::ChooseSampleFile(const std::string& title)
{
    const QString name = QFileDialog::getOpenFileName(m_parent, ToDisplay(title), QString(), "All files (*)");
    if (name.isEmpty())
        return std::nullopt;
    return std::filesystem::path(name.toStdString());
}

std::optional<ChosenAttributes> WidgetColourDialogs::ChooseAttributes(const QFont& font, const QColor& colour)
{
    bool ok = false;
    const QFont chosenFont = QFontDialog::getFont(&ok, font, m_parent);
    if (!ok)
        return std::nullopt;
    const QColor chosenColour = QColorDialog::getColor(colour, m_parent);
    if (!chosenColour.isValid())
        return std::nullopt;
    return ChosenAttributes { chosenFont, chosenColour };
}

} // namespace morvane::ui
