// The response interval dialog. The input mask admits only digits in the four digit positions,
// so the interval can be neither negative nor above 9.999 s. Covered by tests/ui/tst_startup.cpp.

#include "ui/TForm9.h"

#include "ui/ObjectNames.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::ui {

TForm9::TForm9(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QLatin1String(names::TForm9));
    setModal(true);

    m_staticText1 = new QLabel(this);
    m_staticText1->setObjectName(QLatin1String(names::StaticText1));
    m_maskEditTime = new QLineEdit(this);
    m_maskEditTime->setObjectName(QLatin1String(names::MaskEditTime));
    // "9": a digit is required; the point and " sec" are fixed text of the mask.
    m_maskEditTime->setInputMask(QStringLiteral("9.999 \\s\\e\\c;0"));
    // Standard buttons, so that their texts come with Qt's translation.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QLatin1String(names::bbOK));
    m_cancel = buttons->button(QDialogButtonBox::Cancel);
    m_cancel->setObjectName(QLatin1String(names::bbCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_staticText1);
    layout->addWidget(m_maskEditTime);
    layout->addWidget(buttons);
}

QString TForm9::intervalText() const
{
    // The displayed text, because text() drops blank characters and the blank character here
    // is "0": an untouched digit position reads as "0".
    return m_maskEditTime->displayText();
}

void TForm9::setIntervalText(const QString& text)
{
    m_maskEditTime->setText(text);
}

} // namespace morvane::ui
