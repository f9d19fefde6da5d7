// Qt boxes for the main window's own prompts. The title of every box is the application's name,
// as the boxes of the program have always shown it.

#include "ui/WidgetFormMainDialogs.h"

#include "ui/DisplayText.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace morvane::ui {

WidgetFormMainDialogs::WidgetFormMainDialogs(QWidget* parent)
    : m_parent(parent)
{
}

bool WidgetFormMainDialogs::Confirm(const std::string& text)
{
    return QMessageBox::question(m_parent, QApplication::applicationName(), ToDisplay(text),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

void WidgetFormMainDialogs::ShowMessage(const std::string& text)
{
    QMessageBox::information(m_parent, QApplication::applicationName(), ToDisplay(text));
}

std::optional<QFont> WidgetFormMainDialogs::ChooseFont(const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, m_parent);
    if (!ok)
        return std::nullopt;
    return font;
}

std::optional<QColor> WidgetFormMainDialogs::ChooseColor(const QColor& initial)
{
    const QColor color = QColorDialog::getColor(initial, m_parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

void WidgetFormMainDialogs::Beep()
{
    QApplication::beep();
}

} // namespace morvane::ui
