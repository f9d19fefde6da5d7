// The create-directory dialog. Tests: tests/ui/tst_fileops.cpp.

#include "ui/TfmCreateDir.h"

#include "ui/DialogCaptions.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::ui {

TfmCreateDir::TfmCreateDir(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfmCreateDir"));
    setModal(true);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    setMinimumWidth(300);
    ApplyDialogCaptions(this);
}

void TfmCreateDir::showEvent(QShowEvent* event)
{
    // The caption comes from the message table each time, so a language file reaches it.
    ApplyDialogCaptions(this);
    QDialog::showEvent(event);
    m_edit->setFocus();
}

std::filesystem::path TfmCreateDir::name() const
{
    // Names are typed as Unicode and kept in the file system's own bytes (UTF-8).
    return std::filesystem::path(m_edit->text().toStdString());
}

std::optional<std::filesystem::path> TfmCreateDir::ask()
{
    if (exec() != QDialog::Accepted || m_edit->text().isEmpty())
        return std::nullopt;
    return name();
}

} // namespace morvane::ui
