#include "ui/help/TFormCopyright.h"

#include "app/Format.h"
#include "app/MessageTable.h"
#include "app/Version.h"
#include "ui/DisplayText.h"
#include "ui/QsciInclude.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::ui {

namespace {

constexpr int kMsgTitle = 444;
constexpr int kMsgDescription = 445;
constexpr int kMsgVersion = 446;
constexpr int kMsgBuildDate = 447;
constexpr int kMsgLicense = 448;
constexpr int kMsgLibraries = 449;
constexpr int kMsgClose = 450;

QLabel* AddLabel(QWidget* parent, QVBoxLayout* layout, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    return label;
}

} // namespace

TFormCopyright::TFormCopyright(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormCopyright"));
    auto* layout = new QVBoxLayout(this);
    m_name = AddLabel(this, layout, "lbName");
    m_name->setText(QStringLiteral("<b>Morvane</b>"));
    QFont big = m_name->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    m_name->setFont(big);
    m_description = AddLabel(this, layout, "lbDescription");
    m_version = AddLabel(this, layout, "lbVersion");
    m_buildDate = AddLabel(this, layout, "lbBuildDate");
    m_license = AddLabel(this, layout, "lbLicense");
    m_libraries = AddLabel(this, layout, "lbLibraries");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("bbClose"));
    m_close->setDefault(true);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumWidth(360);
    applyCaptions();
}

void TFormCopyright::applyCaptions()
{
    setWindowTitle(ToDisplay(app::Msg(kMsgTitle)));
    m_description->setText(ToDisplay(app::Msg(kMsgDescription)));
    const std::string version(app::VersionText());
    m_version->setText(ToDisplay(app::FillMessage(app::Msg(kMsgVersion), { version })));
    m_buildDate->setText(ToDisplay(app::FillMessage(app::Msg(kMsgBuildDate), { app::BuildDateText() })));
    const std::string license(app::LicenseText());
    m_license->setText(ToDisplay(app::FillMessage(app::Msg(kMsgLicense), { license })));
    // The Qt the program runs with, which may be newer than the one it was built against.
    m_libraries->setText(
        ToDisplay(app::FillMessage(app::Msg(kMsgLibraries), { qVersion(), QSCINTILLA_VERSION_STR })));
    m_close->setText(ToDisplay(app::Msg(kMsgClose)));
}

void TFormCopyright::showEvent(QShowEvent* event)
{
    applyCaptions();
    QDialog::showEvent(event);
}

} // namespace morvane::ui
