// The select-files dialog. Covered by tests/ui/tst_filepanel.cpp.

#include "ui/TFormSelectFiles.h"

#include "app/MessageTable.h"
#include "ui/DisplayText.h"
#include "ui/ObjectNames.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::ui {

TFormSelectFiles::TFormSelectFiles(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QLatin1String(names::TFormSelectFiles));
    setWindowTitle(ToDisplay(app::Msg(108)));
    auto* layout = new QVBoxLayout(this);

    m_stInfo = new QLabel(ToDisplay(app::Msg(109)), this);
    m_stInfo->setObjectName(QLatin1String(names::stInfo));
    layout->addWidget(m_stInfo);

    // The field remembers the masks used during the run; the last one stays selected.
    m_mask = new QComboBox(this);
    m_mask->setObjectName(QLatin1String(names::cbSelectMask));
    m_mask->setEditable(true);
    m_mask->setInsertPolicy(QComboBox::InsertAtTop);
    m_mask->setEditText(QStringLiteral("*.*"));
    layout->addWidget(m_mask);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QDialogButtonBox::Ok);
    m_ok->setObjectName(QLatin1String(names::bbSelectOK));
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setObjectName(QLatin1String(names::bbSelectCancel));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, [this] {
        const QString text = m_mask->currentText();
        if (!text.isEmpty() && m_mask->findText(text) < 0)
            m_mask->insertItem(0, text);
    });
}

QString TFormSelectFiles::maskText() const
{
    return m_mask->currentText();
}

} // namespace morvane::ui
