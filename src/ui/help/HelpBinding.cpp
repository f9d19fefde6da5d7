#include "ui/help/HelpBinding.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "app/TextLines.h"
#include "app/Version.h"
#include "ui/DisplayText.h"
#include "ui/FileOpsDialogs.h"
#include "ui/FormMainControls.h"
#include "ui/QsciInclude.h"
#include "ui/help/HelpMap.h"
#include "ui/help/TFormCopyright.h"
#include "ui/help/TFormHelp.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QSysInfo>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>

namespace morvane::ui {

namespace {

constexpr int kMsgAbout = 440;
constexpr int kMsgLanguage = 441;
constexpr int kMsgRussian = 442;
constexpr int kMsgEnglish = 443;
constexpr int kMsgInfoVersion = 452;
constexpr int kMsgInfoSystem = 453;
constexpr int kMsgInfoProgramDir = 454;
constexpr int kMsgInfoSettings = 455;
constexpr int kMsgInfoRuleTable = 456;
constexpr int kMsgInfoSelection = 457;
constexpr int kMsgInfoLanguage = 458;
constexpr int kMsgInfoInstalled = 459;

constexpr const char* kTutorialFileName = "Tutorial.wav";
// Where the support page takes the facts of this installation.
constexpr const char* kSystemInfoMarker = "<!-- system-info -->";

QAction* AddItem(QMenu* menu, const char* name)
{
    auto* action = new QAction(menu);
    action->setObjectName(QLatin1String(name));
    menu->addAction(action);
    return action;
}

QString PathCell(const std::filesystem::path& path)
{
    return ToDisplay(app::PathText(path)).toHtmlEscaped();
}

} // namespace

std::vector<std::string> EnglishTableLines()
{
    QFile file(QStringLiteral(":/lang/english.dat"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return app::SplitLines(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
}

HelpBinding::HelpBinding(
    QWidget* window, const FormMainControls& controls, std::filesystem::path programDir, Hooks hooks)
    : QObject(window)
    , m_window(window)
    , m_c(controls)
    , m_programDir(std::move(programDir))
    , m_hooks(std::move(hooks))
{
    m_c.miHelpMenu->addSeparator();
    m_aboutItem = AddItem(m_c.miHelpMenu, help_names::miAbout);
    connect(m_aboutItem, &QAction::triggered, this, &HelpBinding::showAbout);

    m_c.miSettings->addSeparator();
    m_languageMenu = new QMenu(m_c.miSettings);
    m_languageMenu->setObjectName(QLatin1String(help_names::miLanguage));
    m_c.miSettings->addMenu(m_languageMenu);
    auto* group = new QActionGroup(m_languageMenu);
    m_russianItem = AddItem(m_languageMenu, help_names::miLanguageRussian);
    m_englishItem = AddItem(m_languageMenu, help_names::miLanguageEnglish);
    for (QAction* item : { m_russianItem, m_englishItem }) {
        item->setCheckable(true);
        group->addAction(item);
    }
    m_russianItem->setChecked(true);
    connect(m_russianItem, &QAction::triggered, this, [this] { languageChosen(false); });
    connect(m_englishItem, &QAction::triggered, this, [this] { languageChosen(true); });

    // The last items of the two insertion menus open the syntax they insert.
    if (auto* item = m_c.pmFind->findChild<QAction*>(QStringLiteral("miRegularExpressionsHelp")))
        connect(item, &QAction::triggered, this, [this] { showUrl(HelpPageUrl(kPatternPage)); });
    if (auto* item = m_c.pmReplace->findChild<QAction*>(QStringLiteral("miHelpRegularExpretionForReplace")))
        connect(item, &QAction::triggered, this, [this] { showUrl(HelpPageUrl(kTemplatePage)); });

    PrepareManualBrowser(manualBrowser());
    // F1 in the program's other windows (its modal dialogs) never reaches the menu item.
    qApp->installEventFilter(this);
}

HelpBinding::~HelpBinding()
{
    qApp->removeEventFilter(this);
}

QTextBrowser* HelpBinding::manualBrowser() const
{
    return m_c.WebBrowserManual;
}

void HelpBinding::showFocusTopic()
{
    const HelpTopic* topic = HelpTopicFor(QApplication::focusWidget());
    if (topic == nullptr)
        topic = HelpTopicFor(m_c.PageControlMain->currentWidget());
    if (topic != nullptr)
        showTopic(*topic);
    else
        showManual();
}

void HelpBinding::showTopic(const HelpTopic& topic)
{
    showUrl(HelpTopicUrl(topic));
}

void HelpBinding::showUrl(const QUrl& url)
{
    // A pass keeps the pages where they are; the help then comes in a window of its own.
    if (m_hooks.busy && m_hooks.busy()) {
        showInHelpWindow(m_window, url);
        return;
    }
    m_c.PageControlMain->setCurrentWidget(m_c.TabSheetManual);
    manualBrowser()->setSource(url);
}

void HelpBinding::showManual()
{
    showUrl(HelpPageUrl(kStartPage));
}

void HelpBinding::manualPageShown()
{
    if (manualBrowser()->source().isEmpty())
        manualBrowser()->setSource(HelpPageUrl(kStartPage));
}

void HelpBinding::showSupport()
{
    const QUrl url = HelpPageUrl(kSupportPage);
    showUrl(url);
    QTextBrowser* browser = m_hooks.busy && m_hooks.busy() && m_helpWindow != nullptr
        ? m_helpWindow->browser()
        : manualBrowser();
    QFile page(QStringLiteral(":/help/") + url.fileName());
    if (!page.open(QIODevice::ReadOnly))
        return;
    const auto row = [](int label, const QString& value) {
        return QStringLiteral("<tr><th>%1</th><td>%2</td></tr>")
            .arg(ToDisplay(app::Msg(label)).toHtmlEscaped(), value);
    };
    const std::string version = app::VersionLine("Morvane") + ", " + app::BuildDateText();
    QString info = QStringLiteral("<table id=\"info\">");
    info += row(kMsgInfoVersion, QString::fromStdString(version).toHtmlEscaped());
    info += row(kMsgInfoSystem,
        (QSysInfo::prettyProductName() + QStringLiteral(", Qt ") + QString::fromLatin1(qVersion())
            + QStringLiteral(", QScintilla ") + QStringLiteral(QSCINTILLA_VERSION_STR))
            .toHtmlEscaped());
    info += row(kMsgInfoInstalled, QApplication::applicationDirPath().toHtmlEscaped());
    info += row(kMsgInfoProgramDir, PathCell(m_programDir));
    info += row(kMsgInfoSettings, PathCell(m_programDir / "Morvane.ini"));
    if (m_hooks.ruleTablePath)
        info += row(kMsgInfoRuleTable, PathCell(m_hooks.ruleTablePath()));
    info += row(kMsgInfoSelection, PathCell(m_programDir / "Selected.dat"));
    info += row(kMsgInfoLanguage, PathCell(m_programDir / app::kLanguageFileName));
    info += QStringLiteral("</table>");
    // The document is replaced under the same source, so that the page's links still resolve
    // against the manual.
    browser->document()->setHtml(
        QString::fromUtf8(page.readAll()).replace(QLatin1String(kSystemInfoMarker), info));
}

void HelpBinding::showAbout()
{
    if (m_about == nullptr)
        m_about = new TFormCopyright(m_window);
    m_about->open();
}

void HelpBinding::playTutorial(FileOpsDialogs& desktop)
{
    desktop.openWithDefaultApplication(m_programDir / kTutorialFileName, m_programDir);
}

void HelpBinding::setEnglish(bool english)
{
    m_english = english;
    (english ? m_englishItem : m_russianItem)->setChecked(true);
}

void HelpBinding::setLanguageFileInForce(bool inForce)
{
    m_russianItem->setEnabled(!inForce);
    m_englishItem->setEnabled(!inForce);
}

void HelpBinding::languageChosen(bool english)
{
    if (english == m_english)
        return;
    setEnglish(english);
    if (m_hooks.languageChanged)
        m_hooks.languageChanged();
}

void HelpBinding::applyCaptions()
{
    m_aboutItem->setText(ToDisplay(app::Msg(kMsgAbout)));
    m_languageMenu->setTitle(ToDisplay(app::Msg(kMsgLanguage)));
    m_russianItem->setText(ToDisplay(app::Msg(kMsgRussian)));
    m_englishItem->setText(ToDisplay(app::Msg(kMsgEnglish)));
    if (m_about != nullptr)
        m_about->applyCaptions();
}

void HelpBinding::showInHelpWindow(QWidget* owner, const QUrl& url)
{
    // A modal dialog blocks every window but its own children, so the help window is made a
    // child of the window it explains.
    if (m_helpWindow == nullptr || m_helpWindow->parentWidget() != owner) {
        delete m_helpWindow;
        m_helpWindow = new TFormHelp(owner);
        connect(m_helpWindow, &QObject::destroyed, this, [this](QObject* gone) {
            if (gone == m_helpWindow)
                m_helpWindow = nullptr;
        });
    }
    m_helpWindow->showPage(url);
}

bool HelpBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && widget != nullptr
            && widget->window() != m_window && widget->window() != m_helpWindow) {
            if (const HelpTopic* topic = HelpTopicFor(widget)) {
                showInHelpWindow(widget->window(), HelpTopicUrl(*topic));
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace morvane::ui
