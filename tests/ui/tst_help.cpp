// Help, about, tutorial, language and the command line's paths: every control the help map
// names exists and every topic it points to is in the manual (and so is every link between
// the manual's pages); the help commands show the right page; F1 in a dialog opens its topic
// over it; the about window names the versions; the tutorial plays through the desktop; the
// language choice switches every caption at once, comes back, is remembered, and gives way to
// a language file; paths given to the program open in the file panel and the viewer.

#include "UiTestMain.h"

#include "ScriptedFileOpsDialogs.h"
#include "ScriptedFormMainDialogs.h"
#include "app/MessageTable.h"
#include "app/Version.h"
#include "filepanel/FilePanel.h"
#include "ui/DisplayText.h"
#include "ui/FilePanelView.h"
#include "ui/TForm3.h"
#include "ui/TForm9.h"
#include "ui/TFormMain.h"
#include "ui/TFormSetFileSplit.h"
#include "ui/TFormSetModeConverter.h"
#include "ui/TFormWebBrowser.h"
#include "ui/TfmCreateDir.h"
#include "ui/help/CommandLinePaths.h"
#include "ui/help/HelpBinding.h"
#include "ui/help/HelpMap.h"
#include "ui/help/TFormCopyright.h"
#include "ui/help/TFormHelp.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include <fstream>
#include <functional>
#include <map>
#include <memory>

using namespace morvane::ui;

namespace {

QString Text(std::string_view view)
{
    return QString::fromLatin1(view.data(), static_cast<qsizetype>(view.size()));
}

QString ReadResource(const QString& page)
{
    QFile file(QStringLiteral(":/help/") + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QUrl Source(const TFormMain& window)
{
    return window.controls().WebBrowserManual->source();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyControlOfTheMapExistsAndEveryTopicIsInTheManual()
    {
        QTemporaryDir dir;
        TFormMain window(dir.path().toStdString());
        // The dialogs that live outside the main window's children, by their window name.
        const std::map<std::string_view, std::function<QWidget*()>> dialogs = {
            { "TForm3", [] { return new TForm3; } },
            { "TfmCreateDir", [] { return new TfmCreateDir; } },
            { "TForm9", [] { return new TForm9; } },
            { "TFormSetModeConverter", [] { return new TFormSetModeConverter; } },
            { "TFormSetFileSplit", [] { return new TFormSetFileSplit; } },
            { "TFormWebBrowser", [&window] { return new TFormWebBrowser(&window); } },
            { "TFormCopyright", [] { return new TFormCopyright; } },
        };
        for (const HelpTopic& topic : HelpTopics()) {
            const QString control = Text(topic.control);
            bool found = window.findChild<QObject*>(control) != nullptr;
            if (!found) {
                const auto make = dialogs.find(topic.window);
                QVERIFY2(make != dialogs.end(), qPrintable(control));
                std::unique_ptr<QWidget> dialog(make->second());
                found = dialog->objectName() == control || dialog->findChild<QObject*>(control) != nullptr;
            }
            QVERIFY2(found, qPrintable(control));
            const QString page = ReadResource(Text(topic.page));
            QVERIFY2(!page.isEmpty(), qPrintable(Text(topic.page)));
            QVERIFY2(page.contains(QStringLiteral("id=\"%1\"").arg(Text(topic.anchor))),
                qPrintable(Text(topic.page) + QLatin1Char('#') + Text(topic.anchor)));
        }
        // Every page the help menu opens, and each field and page at least, has a topic.
        for (const char* name :
            { "TabSheetManual", "TabSheetWork", "TabSheetReport", "TabSheetOptions", "cbFind", "cbReplace",
                "cbRemark", "cbMask", "lvFiles", "reSource", "lvReport", "sgRegExpr", "MemoFind",
                "MemoReplace", "EditSpaceChars", "EditWordChars", "ToolBarWork", "ToolBarOptions" })
            QVERIFY2(FindHelpTopic("TFormMain", name) != nullptr, name);
    }

    void everyLinkBetweenTheManualsPagesLeadsSomewhere()
    {
        const QRegularExpression link(QStringLiteral("href=\"([a-z]+\\.html)(?:#([a-z]+))?\""));
        const QStringList pages = QDir(QStringLiteral(":/help")).entryList({ QStringLiteral("*.html") });
        QVERIFY(pages.size() >= 17);
        int links = 0;
        for (const QString& name : pages) {
            auto it = link.globalMatch(ReadResource(name));
            while (it.hasNext()) {
                const auto m = it.next();
                const QString target = ReadResource(m.captured(1));
                QVERIFY2(!target.isEmpty(), qPrintable(name + QStringLiteral(" -> ") + m.captured(1)));
                if (!m.captured(2).isEmpty())
                    QVERIFY2(target.contains(QStringLiteral("id=\"%1\"").arg(m.captured(2))),
                        qPrintable(name + QStringLiteral(" -> ") + m.captured(0)));
                ++links;
            }
        }
        QVERIFY(links > 100);
    }

    void theHelpCommandsShowTheirPages()
    {
        QTemporaryDir dir;
        ScriptedFormMainDialogs dialogs;
        TFormMain window(dir.path().toStdString());
        window.setDialogs(&dialogs);
        window.show();
        const auto& c = window.controls();
        QVERIFY(Source(window).isEmpty());
        // The manual page shows the start page when it becomes the page shown.
        c.PageControlMain->setCurrentWidget(c.TabSheetManual);
        QCOMPARE(Source(window), QUrl(QStringLiteral("qrc:/help/index.html")));
        c.PageControlMain->setCurrentWidget(c.TabSheetWork);

        const QAction* patternHelp
            = c.pmFind->findChild<QAction*>(QStringLiteral("miRegularExpressionsHelp"));
        const QAction* templateHelp
            = c.pmReplace->findChild<QAction*>(QStringLiteral("miHelpRegularExpretionForReplace"));
        const struct {
            std::function<void()> command;
            const char* url;
        } cases[] = {
            { [&] { c.tbHelpTable->click(); }, "qrc:/help/rules.html#table" },
            { [&] { const_cast<QAction*>(patternHelp)->trigger(); }, "qrc:/help/patterns.html" },
            { [&] { const_cast<QAction*>(templateHelp)->trigger(); }, "qrc:/help/templates.html" },
            { [&] { c.miManual->trigger(); }, "qrc:/help/index.html" },
            { [&] { c.miSupport->trigger(); }, "qrc:/help/support.html" },
        };
        for (const auto& test : cases) {
            c.PageControlMain->setCurrentWidget(c.TabSheetOptions);
            test.command();
            QCOMPARE(c.PageControlMain->currentWidget(), c.TabSheetManual);
            QCOMPARE(Source(window), QUrl(QString::fromLatin1(test.url)));
        }
        // The support page names this installation.
        const QString support = c.WebBrowserManual->toPlainText();
        QVERIFY(support.contains(Text(morvane::app::VersionText())));
        QVERIFY(support.contains(QDir(dir.path()).absoluteFilePath(QStringLiteral("Morvane.ini"))));
        QVERIFY(!support.contains(QStringLiteral("system-info")));
        window.close();
    }

    void theManualPageShowsTheStartPageWhenTheProgramStartsOnIt()
    {
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("Morvane.ini")),
            "[TFormMain]\r\nPageControlMain_ActivePage=TabSheetManual\r\n");
        TFormMain window(dir.path().toStdString());
        window.show();
        QCOMPARE(window.controls().PageControlMain->currentWidget(), window.controls().TabSheetManual);
        QCOMPARE(Source(window), QUrl(QStringLiteral("qrc:/help/index.html")));
        window.close();
    }

    void f1OpensTheTopicOfTheFocusedControl()
    {
        QTemporaryDir dir;
        TFormMain window(dir.path().toStdString());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto& c = window.controls();
        const struct {
            QWidget* page;
            QWidget* control;
            const char* url;
        } cases[] = {
            { c.TabSheetWork, c.cbFind, "qrc:/help/patterns.html#top" },
            { c.TabSheetWork, c.cbMask, "qrc:/help/filepanel.html#mask" },
            { c.TabSheetWork, c.lvFiles, "qrc:/help/filepanel.html#marks" },
            { c.TabSheetOptions, c.sgRegExpr, "qrc:/help/rules.html#table" },
            { c.TabSheetOptions, c.EditWordChars, "qrc:/help/rules.html#charsets" },
            { c.TabSheetReport, c.lvReport, "qrc:/help/passes.html#report" },
        };
        for (const auto& test : cases) {
            c.PageControlMain->setCurrentWidget(test.page);
            test.control->setFocus();
            QTRY_VERIFY(test.control->hasFocus() || test.control->isAncestorOf(QApplication::focusWidget()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            QCOMPARE(c.PageControlMain->currentWidget(), c.TabSheetManual);
            QCOMPARE(Source(window), QUrl(QString::fromLatin1(test.url)));
        }
        window.close();
    }

    void f1InADialogOpensItsTopicOverIt()
    {
        QTemporaryDir dir;
        TFormMain window(dir.path().toStdString());
        window.show();
        TForm9* dialog = window.form9();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("MaskEditTime"));
        QVERIFY(field != nullptr);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_F1);
        TFormHelp* help = window.help().helpWindow();
        QVERIFY(help != nullptr);
        QVERIFY(help->isVisible());
        QCOMPARE(help->parentWidget(), dialog);
        QCOMPARE(help->browser()->source(), QUrl(QStringLiteral("qrc:/help/settings.html#time")));
        // The main window's manual page is left alone.
        QVERIFY(Source(window).isEmpty());
        dialog->hide();
        window.close();
    }

    void theAboutWindowNamesTheVersions()
    {
        QTemporaryDir dir;
        TFormMain window(dir.path().toStdString());
        window.show();
        window.help().aboutItem()->trigger();
        TFormCopyright* about = window.help().aboutWindow();
        QVERIFY(about != nullptr && about->isVisible());
        const QString version = about->findChild<QLabel*>(QStringLiteral("lbVersion"))->text();
        QVERIFY2(version.contains(Text(morvane::app::VersionText())), qPrintable(version));
        const QString libraries = about->findChild<QLabel*>(QStringLiteral("lbLibraries"))->text();
        QVERIFY2(libraries.contains(QString::fromLatin1(qVersion())), qPrintable(libraries));
        QVERIFY(!about->findChild<QLabel*>(QStringLiteral("lbLicense"))->text().isEmpty());
        QVERIFY(!about->findChild<QLabel*>(QStringLiteral("lbBuildDate"))->text().isEmpty());
        about->close();
        window.close();
    }

    void theTutorialButtonPlaysTheSoundThroughTheDesktop()
    {
        for (const bool present : { false, true }) {
            QTemporaryDir dir;
            if (present)
                WriteFile(dir.filePath(QStringLiteral("Tutorial.wav")), "RIFF");
            ScriptedFileOpsDialogs desktop;
            TFormMain window(dir.path().toStdString());
            window.setFileOpsDialogs(&desktop);
            window.show();
            QCOMPARE(window.controls().tbTutorialAction->isVisible(), present);
            if (present) {
                window.controls().tbTutorial->click();
                QCOMPARE(desktop.opened.size(), size_t(1));
                QCOMPARE(desktop.opened[0].first,
                    std::filesystem::path(dir.path().toStdString()) / "Tutorial.wav");
            }
            window.close();
        }
    }

    void theLanguageChoiceSwitchesEveryCaptionAndIsRemembered()
    {
        QTemporaryDir dir;
        std::map<QString, QString> russian;
        {
            ScriptedFormMainDialogs dialogs;
            TFormMain window(dir.path().toStdString());
            window.setDialogs(&dialogs);
            window.show();
            const auto& c = window.controls();
            const auto shown = [&] {
                return std::map<QString, QString> {
                    { QStringLiteral("miFind"), c.miFind->text() },
                    { QStringLiteral("miOperations"), c.miOperations->title() },
                    { QStringLiteral("tab"), c.PageControlMain->tabText(1) },
                    { QStringLiteral("sbYes"), c.sbYes->text() },
                    { QStringLiteral("hint"), c.tbSubDir->toolTip() },
                    { QStringLiteral("header"), c.sgRegExpr->horizontalHeaderItem(0)->text() },
                    { QStringLiteral("time"), c.miSetTime->text() },
                    { QStringLiteral("about"), window.help().aboutItem()->text() },
                };
            };
            russian = shown();
            QCOMPARE(russian[QStringLiteral("miFind")], QString::fromUtf8("Поиск"));
            window.help().languageItem(true)->trigger();
            const std::map<QString, QString> english = {
                { QStringLiteral("miFind"), QStringLiteral("Find") },
                { QStringLiteral("miOperations"), QStringLiteral("&Operations") },
                { QStringLiteral("tab"), QStringLiteral("Search and Replace") },
                { QStringLiteral("sbYes"), QStringLiteral("F2   Replace") },
                { QStringLiteral("hint"), QStringLiteral("including subdirectories") },
                { QStringLiteral("header"), QStringLiteral(" find") },
                { QStringLiteral("time"), QStringLiteral("Change response time - &0.500 sec") },
                { QStringLiteral("about"), QStringLiteral("About...") },
            };
            QCOMPARE(shown(), english);
            window.help().languageItem(false)->trigger();
            QCOMPARE(shown(), russian);
            window.help().languageItem(true)->trigger();
            window.close();
        }
        // The choice is in the settings file and comes back at the next start.
        QFile ini(dir.filePath(QStringLiteral("Morvane.ini")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("miLanguageEnglish_Checked=True"));
        {
            TFormMain window(dir.path().toStdString());
            window.show();
            QCOMPARE(window.controls().miFind->text(), QStringLiteral("Find"));
            QVERIFY(window.help().languageItem(true)->isChecked());
            window.close();
        }
        // A language file of the program directory wins over the choice.
        std::vector<std::string> lines = morvane::app::MessageTable().entries();
        lines[224] = "Suche";
        QByteArray file;
        for (const std::string& line : lines)
            file += QByteArray::fromStdString(line) + "\r\n";
        WriteFile(dir.filePath(QStringLiteral("language.dat")), file);
        TFormMain window(dir.path().toStdString());
        window.show();
        QCOMPARE(window.controls().miFind->text(), QStringLiteral("Suche"));
        QVERIFY(!window.help().languageItem(false)->isEnabled());
        QVERIFY(!window.help().languageItem(true)->isEnabled());
        window.close();
    }

    void pathsFromTheCommandLineOpenInThePanelAndTheViewer()
    {
        QTemporaryDir files;
        for (const char* name : { "a.txt", "b.txt", "c.txt" })
            WriteFile(files.filePath(QString::fromLatin1(name)), "text");
        const std::filesystem::path root = files.path().toStdString();
        const struct {
            std::vector<std::filesystem::path> paths;
            int marked;
            const char* loaded; // the file shown in the viewer, or nullptr
        } cases[] = {
            { { root }, 0, nullptr },
            { { root / "b.txt" }, 0, "b.txt" },
            { { root / "a.txt", root / "c.txt" }, 2, nullptr },
            { { root / "missing.txt", root / "c.txt" }, 0, "c.txt" },
        };
        for (const auto& test : cases) {
            // The last run ended in another directory, which the paths replace.
            QTemporaryDir home;
            WriteFile(home.filePath(QStringLiteral("Morvane.ini")),
                "[TFormMain]\r\nLabelDir_Caption=" + home.path().toUtf8() + "\r\n");
            TFormMain window(home.path().toStdString());
            window.show();
            OpenCommandLinePaths(window, test.paths);
            const morvane::filepanel::FilePanel& panel = window.filePanel()->model();
            QCOMPARE(panel.currentDirectory(), root);
            QCOMPARE(panel.MarkedCount(), test.marked);
            const QString shown = window.controls().stSource->text();
            if (test.loaded != nullptr)
                QVERIFY2(shown.endsWith(QString::fromLatin1(test.loaded)), qPrintable(shown));
            else
                QVERIFY2(shown.isEmpty(), qPrintable(shown));
            window.close();
        }
    }
};

MORVANE_UI_TEST_MAIN(HelpTest)
#include "tst_help.moc"
