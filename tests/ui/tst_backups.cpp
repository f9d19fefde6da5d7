// The backup commands and the converter through the main window: restore-previous steps back one
// copy per use, restore-first and delete-all with their questions, a declined question touches
// nothing, and the converter rewrites a KOI8-R file in Windows-1251 with a backup copy, keeping
// its code page choices across a restart.

#include "UiTestMain.h"

#include "PassWindowFixture.h"
#include "app/Format.h"

#include <QAction>
#include <QLabel>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>

using namespace passtest;
using morvane::app::FillMessage;
using morvane::app::Msg;

namespace {

// Rewrites `name` in place from its content to `to` by replace everywhere.
void Rewrite(TFormMain& window, const std::string& from, const std::string& to)
{
    SetFields(window, from, to, "${Q}");
    window.miReplacePassimClick();
}

} // namespace

class BackupsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void restorePreviousStepsBackOneCopyEachTime()
    {
        PassWindowFixture f;
        f.write(QStringLiteral("a.htm"), "v1");
        auto window = f.start();
        const auto& c = window->controls();
        Focus(*window, "a.htm");
        Rewrite(*window, "v1", "v2");
        Rewrite(*window, "v2", "v3");
        QCOMPARE(f.read(QStringLiteral("a.htm")), QByteArray("v3"));
        QCOMPARE(f.read(QStringLiteral("a.htm0")), QByteArray("v1"));
        QCOMPARE(f.read(QStringLiteral("a.htm1")), QByteArray("v2"));
        // The copies are hidden.
        QVERIFY(f.read(QStringLiteral(".hidden")).contains("a.htm1"));

        f.dialogs.answers = { true };
        window->miRestoreClick();
        QCOMPARE(f.dialogs.questions.back(), Msg(8));
        QCOMPARE(f.read(QStringLiteral("a.htm")), QByteArray("v2"));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("a.htm1"))));
        QCOMPARE(c.sbInfoPanel1->text(), Shown(" " + FillMessage(Msg(15), { 1, 1, 1 })));

        // The replace runs left the report page showing, where the button is disabled.
        QVERIFY(!c.tbRestore->isEnabled());
        c.PageControlMain->setCurrentWidget(c.TabSheetWork);
        QVERIFY(c.tbRestore->isEnabled());
        f.dialogs.answers = { true };
        c.tbRestore->click();
        QCOMPARE(f.read(QStringLiteral("a.htm")), QByteArray("v1"));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("a.htm0"))));
        QVERIFY(!window->isBusy());
        window->close();
    }

    void panelAndPreviewShowTheFilesAsTheCommandsLeftThem()
    {
        PassWindowFixture f;
        f.write(QStringLiteral("a.htm"), "short");
        auto window = f.start();
        const auto& c = window->controls();
        Focus(*window, "a.htm");
        if (!c.tbWebBrowser->isChecked())
            c.miWebBrowser->trigger();
        Rewrite(*window, "short", "a much longer text");
        QVERIFY2(c.sbFileInfoPanel1->text().contains(QStringLiteral(" 18 ")), qPrintable(c.sbFileInfoPanel1->text()));
        QCOMPARE(c.WebBrowserView->toPlainText().trimmed(), QStringLiteral("a much longer text"));
        f.dialogs.answers = { true };
        window->miRestoreClick();
        QCOMPARE(f.read(QStringLiteral("a.htm")), QByteArray("short"));
        QVERIFY2(c.sbFileInfoPanel1->text().contains(QStringLiteral(" 5 ")), qPrintable(c.sbFileInfoPanel1->text()));
        QCOMPARE(c.WebBrowserView->toPlainText().trimmed(), QStringLiteral("short"));
        window->close();
    }

    void declinedQuestionTouchesNothing_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("question");
        QTest::newRow("restore previous") << 0 << 8;
        QTest::newRow("restore first") << 1 << 9;
        QTest::newRow("delete all") << 2 << 10;
    }
    void declinedQuestionTouchesNothing()
    {
        QFETCH(int, command);
        QFETCH(int, question);
        PassWindowFixture f;
        f.write(QStringLiteral("a.htm"), "now");
        f.write(QStringLiteral("a.htm0"), "first");
        f.write(QStringLiteral("a.htm1"), "second");
        auto window = f.start();
        Focus(*window, "a.htm");
        f.dialogs.answers = { false };
        if (command == 0)
            window->miRestoreClick();
        else if (command == 1)
            window->miRestoreAllClick();
        else
            window->miDelAllBackupClick();
        QCOMPARE(f.dialogs.questions, std::vector<std::string> { Msg(question) });
        QCOMPARE(f.read(QStringLiteral("a.htm")), QByteArray("now"));
        QCOMPARE(f.read(QStringLiteral("a.htm0")), QByteArray("first"));
        QCOMPARE(f.read(QStringLiteral("a.htm1")), QByteArray("second"));
        QVERIFY(!window->isBusy());
        QVERIFY(!window->controls().tbBreak->isEnabled());
        window->close();
    }

    void restoreFirstAndDeleteStopAtTheGap()
    {
        PassWindowFixture f;
        f.write(QStringLiteral("a.htm"), "now");
        f.write(QStringLiteral("a.htm0"), "first");
        f.write(QStringLiteral("a.htm1"), "second");
        f.write(QStringLiteral("a.htm3"), "stray");
        f.write(QStringLiteral("b.htm"), "b");
        f.write(QStringLiteral("b.htm0"), "b0");
        auto window = f.start();
        const auto& c = window->controls();
        Mark(*window, { "a.htm" });
        f.dialogs.answers = { true };
        window->miRestoreAllClick();
        QCOMPARE(f.read(QStringLiteral("a.htm")), QByteArray("first"));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("a.htm0"))));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("a.htm1"))));
        QCOMPARE(f.read(QStringLiteral("a.htm3")), QByteArray("stray"));

        Mark(*window, { "b.htm" });
        f.dialogs.answers = { true };
        window->miDelAllBackupClick();
        QCOMPARE(f.dialogs.questions.back(), Msg(10));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("b.htm0"))));
        QCOMPARE(f.read(QStringLiteral("b.htm")), QByteArray("b"));
        QCOMPARE(f.read(QStringLiteral("a.htm3")), QByteArray("stray"));
        QCOMPARE(c.sbInfoPanel1->text(), Shown(" " + FillMessage(Msg(45), { 1 })));
        window->close();
    }

    void converterRewritesKoi8WithBackupAndKeepsItsChoices()
    {
        PassWindowFixture f;
        const std::string text = W("Привет, мир");
        const std::string koi8 = morvane::codepage::ConvertText(text, 0, 1);
        QVERIFY(koi8 != text);
        f.write(QStringLiteral("k.txt"), QByteArray::fromStdString(koi8));
        auto window = f.start();
        Focus(*window, "k.txt");
        f.dialogs.converterAnswer = std::make_pair(1, 0);
        window->controls().miConverter->trigger();

        QCOMPARE(f.dialogs.converterInfos,
            std::vector<std::string> {
                Msg(65) + "\r\n" + morvane::app::PathText(f.path("k.txt").toStdString()) });
        // The built-in choices: from KOI8-R to Windows-1251.
        QCOMPARE(f.dialogs.converterPresets, (std::vector<std::pair<int, int>> { { 1, 0 } }));
        QCOMPARE(f.read(QStringLiteral("k.txt")), QByteArray::fromStdString(text));
        QCOMPARE(f.read(QStringLiteral("k.txt0")), QByteArray::fromStdString(koi8));
        QCOMPARE(f.dialogs.messages, std::vector<std::string> { " " + FillMessage(Msg(63), { 1, 1 }) });
        QVERIFY(!window->isBusy());

        // The next use starts from the last choices, also after a restart.
        f.dialogs.converterAnswer = std::make_pair(2, 1);
        window->miConverterClick();
        window->close();
        auto again = f.start();
        Focus(*again, "k.txt");
        f.dialogs.converterAnswer.reset();
        again->miConverterClick();
        QCOMPARE(f.dialogs.converterPresets.back(), std::make_pair(2, 1));
        // Cancelled: nothing more converted.
        QCOMPARE(f.read(QStringLiteral("k.txt")),
            QByteArray::fromStdString(morvane::codepage::ConvertText(text, 2, 1)));
        again->close();
    }

    void backupOptionOffLeavesNoCopy()
    {
        PassWindowFixture f;
        f.write(QStringLiteral("a.txt"), "old");
        f.settings = "tbSaveBackup_Down=False\r\n";
        auto window = f.start();
        QVERIFY(!window->controls().tbSaveBackup->isChecked());
        Focus(*window, "a.txt");
        Rewrite(*window, "old", "new");
        QCOMPARE(f.read(QStringLiteral("a.txt")), QByteArray("new"));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("a.txt0"))));
        // Switched on from the menu, the next rewrite keeps a copy.
        window->controls().miSaveBackup->trigger();
        Rewrite(*window, "new", "newer");
        QCOMPARE(f.read(QStringLiteral("a.txt0")), QByteArray("new"));
        window->close();
    }
};

MORVANE_UI_TEST_MAIN(BackupsTest)
#include "tst_backups.moc"
