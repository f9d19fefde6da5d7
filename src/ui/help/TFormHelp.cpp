#include "ui/help/TFormHelp.h"

#include "app/MessageTable.h"
#include "ui/DisplayText.h"
#include "ui/help/HelpMap.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace morvane::ui {

namespace {
constexpr int kMsgHelpTitle = 451;
}

TFormHelp::TFormHelp(QWidget* parent)
    : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TFormHelp"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("WebBrowserHelp"));
    PrepareManualBrowser(m_browser);
    layout->addWidget(m_browser);
    resize(760, 560);
}

void TFormHelp::showPage(const QUrl& url)
{
    setWindowTitle(ToDisplay(app::Msg(kMsgHelpTitle)));
    m_browser->setSource(url);
    show();
    raise();
    activateWindow();
}

} // namespace morvane::ui
