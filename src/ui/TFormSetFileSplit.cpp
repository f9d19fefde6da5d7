// The file-split settings dialog. Tests: tests/ui/tst_outputdialogs.cpp.

#include "ui/TFormSetFileSplit.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "ui/DialogCaptions.h"
#include "ui/DisplayText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace morvane::ui {

namespace {

constexpr int kMsgChooseOutputFile = 29;

QGroupBox* Group(QWidget* parent, const char* name)
{
    auto* group = new QGroupBox(parent);
    group->setObjectName(QLatin1String(name));
    return group;
}

} // namespace

TFormSetFileSplit::TFormSetFileSplit(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormSetFileSplit"));
    setModal(true);
    auto* layout = new QGridLayout(this);

    QGroupBox* numbering = Group(this, "GroupBox1");
    auto* numberingLayout = new QVBoxLayout(numbering);
    m_replaceCount = new QRadioButton(numbering);
    m_replaceCount->setObjectName(QStringLiteral("rbReplaceCount"));
    m_foundCount = new QRadioButton(numbering);
    m_foundCount->setObjectName(QStringLiteral("rbFoundCount"));
    numberingLayout->addWidget(m_replaceCount);
    numberingLayout->addWidget(m_foundCount);
    layout->addWidget(numbering, 0, 0, 1, 3);

    QGroupBox* naming = Group(this, "GroupBox2");
    auto* namingLayout = new QGridLayout(naming);
    m_nameSource = new QCheckBox(naming);
    m_nameSource->setObjectName(QStringLiteral("CheckBoxFileNameSource"));
    m_fileName = new QLineEdit(naming);
    m_fileName->setObjectName(QStringLiteral("FileName"));
    m_selectFileName = new QToolButton(naming);
    m_selectFileName->setObjectName(QStringLiteral("sbSelectFileName"));
    m_selectFileName->setText(QStringLiteral("..."));
    namingLayout->addWidget(m_nameSource, 0, 0, 1, 2);
    namingLayout->addWidget(m_fileName, 1, 0);
    namingLayout->addWidget(m_selectFileName, 1, 1);
    layout->addWidget(naming, 1, 0, 1, 3);

    QGroupBox* start = Group(this, "GroupBox3");
    m_startNumber = new QSpinBox(start);
    m_startNumber->setObjectName(QStringLiteral("ceStartNumber"));
    m_startNumber->setRange(0, static_cast<int>(search::OutputSplitSettings::kMaxStartNumber));
    (new QHBoxLayout(start))->addWidget(m_startNumber);
    layout->addWidget(start, 2, 0);

    QGroupBox* digits = Group(this, "GroupBox4");
    m_numberLength = new QSpinBox(digits);
    m_numberLength->setObjectName(QStringLiteral("ceNumberLength"));
    m_numberLength->setRange(0, search::OutputSplitSettings::kMaxDigits);
    (new QHBoxLayout(digits))->addWidget(m_numberLength);
    layout->addWidget(digits, 2, 1);

    QGroupBox* separator = Group(this, "GroupBox5");
    m_delimiter = new QLineEdit(separator);
    m_delimiter->setObjectName(QStringLiteral("edDelimiter"));
    (new QHBoxLayout(separator))->addWidget(m_delimiter);
    layout->addWidget(separator, 2, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons, 3, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_nameSource, &QCheckBox::toggled, this, [this] { updateFileNameState(); });
    connect(m_selectFileName, &QToolButton::clicked, this, &TFormSetFileSplit::sbSelectFileNameClick);

    m_chooser = [this](const std::filesystem::path& current) -> std::optional<std::filesystem::path> {
        const QString name = QFileDialog::getSaveFileName(this, ToDisplay(app::Msg(kMsgChooseOutputFile)),
            QString::fromStdString(current.string()), QString(), nullptr, QFileDialog::DontConfirmOverwrite);
        if (name.isEmpty())
            return std::nullopt;
        return std::filesystem::path(name.toStdString());
    };
    setSettings(search::OutputSplitSettings {});
    ApplyDialogCaptions(this);
}

void TFormSetFileSplit::setSettings(const search::OutputSplitSettings& settings)
{
    m_replaceCount->setChecked(settings.numbering == search::OutputNumbering::ByReplacements);
    m_foundCount->setChecked(settings.numbering == search::OutputNumbering::ByMatches);
    m_nameSource->setChecked(settings.nameFromSource);
    m_fileName->setText(ToDisplay(app::PathText(settings.fixedName)));
    m_startNumber->setValue(static_cast<int>(settings.startNumber));
    m_numberLength->setValue(settings.digits);
    m_delimiter->setText(ToDisplay(settings.separator));
    updateFileNameState();
}

search::OutputSplitSettings TFormSetFileSplit::settings() const
{
    search::OutputSplitSettings result;
    result.numbering = m_foundCount->isChecked() ? search::OutputNumbering::ByMatches
                                                 : search::OutputNumbering::ByReplacements;
    result.nameFromSource = m_nameSource->isChecked();
    result.fixedName = PathFromText(FromDisplay(m_fileName->text()));
    result.startNumber = m_startNumber->value();
    result.digits = m_numberLength->value();
    result.separator = FromDisplay(m_delimiter->text());
    return result;
}

bool TFormSetFileSplit::edit(search::OutputSplitSettings& settings)
{
    ApplyDialogCaptions(this);
    setSettings(settings);
    if (exec() != QDialog::Accepted)
        return false;
    settings = this->settings();
    return true;
}

void TFormSetFileSplit::sbSelectFileNameClick()
{
    if (!m_chooser)
        return;
    if (const auto chosen = m_chooser(PathFromText(FromDisplay(m_fileName->text()))))
        m_fileName->setText(ToDisplay(app::PathText(*chosen)));
}

void TFormSetFileSplit::updateFileNameState()
{
    const bool fixed = !m_nameSource->isChecked();
    m_fileName->setEnabled(fixed);
    m_selectFileName->setEnabled(fixed);
}

} // namespace morvane::ui
