// The converter's dialog. Tests: tests/ui/tst_outputdialogs.cpp.

#include "ui/TFormSetModeConverter.h"

#include "codepage/CodePage.h"
#include "ui/CodePageBox.h"
#include "ui/DialogCaptions.h"
#include "ui/DisplayText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

namespace morvane::ui {

TFormSetModeConverter::TFormSetModeConverter(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormSetModeConverter"));
    setModal(true);
    auto* layout = new QGridLayout(this);
    m_info = new QLabel(ToDisplay(codepage::Utf8ToWin1251("Перекодировать файл:")), this);
    m_info->setObjectName(QStringLiteral("LabelInfo"));
    m_info->setWordWrap(true);
    layout->addWidget(m_info, 0, 0, 1, 4);

    auto* from = new QLabel(this);
    from->setObjectName(QStringLiteral("stFrom"));
    auto* to = new QLabel(this);
    to->setObjectName(QStringLiteral("stTo"));
    m_from = new QComboBox(this);
    m_from->setObjectName(QStringLiteral("cbFromCodePage"));
    m_from->addItems(CodePageItems(true));
    m_to = new QComboBox(this);
    m_to->setObjectName(QStringLiteral("cbToCodePage"));
    m_to->addItems(CodePageItems(false));
    m_from->setCurrentIndex(1);
    m_to->setCurrentIndex(0);
    layout->addWidget(from, 1, 0);
    layout->addWidget(m_from, 1, 1);
    layout->addWidget(to, 1, 2);
    layout->addWidget(m_to, 1, 3);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons, 2, 0, 1, 4);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ApplyDialogCaptions(this);
}

void TFormSetModeConverter::prepare(const std::string& info, int fromIndex, int toIndex)
{
    ApplyDialogCaptions(this);
    m_info->setText(ToDisplay(info));
    // An index out of the lists (damaged settings) keeps the current item.
    if (fromIndex >= 0 && fromIndex < m_from->count())
        m_from->setCurrentIndex(CodePageRowOfValue(fromIndex));
    if (toIndex >= 0 && toIndex < m_to->count())
        m_to->setCurrentIndex(toIndex);
}

bool TFormSetModeConverter::edit(const std::string& info, int& fromIndex, int& toIndex)
{
    prepare(info, fromIndex, toIndex);
    if (exec() != QDialog::Accepted)
        return false;
    fromIndex = CodePageValueAtRow(m_from->currentIndex());
    toIndex = m_to->currentIndex();
    return true;
}

} // namespace morvane::ui
