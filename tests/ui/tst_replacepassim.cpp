// Replace everywhere through the main window: in place with a backup copy, multipass over the
// rule table, and the two output modes (the collecting file appended to, the numbered split
// files), with the report's columns and the summary box.

#include "UiTestMain.h"

#include "PassWindowFixture.h"
#include "app/Format.h"
#include "search/OutputControl.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>

using namespace passtest;
using morvane::app::FillMessage;
using morvane::app::Msg;

namespace {

QString ReportRow(const TFormMain& window, int row)
{
    const QTreeWidgetItem* item = window.controls().lvReport->topLevelItem(row);
    if (item == nullptr)
        return QStringLiteral("<none>");
    return item->text(0) + QLatin1Char('|') + item->text(1) + QLatin1Char('|') + item->text(2);
}

QString ReplacedCaption(const TFormMain& window)
{
    return window.controls().lvReport->headerItem()->text(2);
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

} // namespace

class ReplacePassimTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void inPlaceRewritesWithBackup()
    {
        PassWindowFixture f;
        f.write(QStringLiteral("a.txt"), "aXbXc");
        f.write(QStringLiteral("b.txt"), "nothing here");
        auto window = f.start();
        Mark(*window, { "a.txt", "b.txt" });
        SetFields(*window, "X", "--", "${Q}");
        window->miReplacePassimClick();

        QCOMPARE(f.read(QStringLiteral("a.txt")), QByteArray("a--b--c"));
        QCOMPARE(f.read(QStringLiteral("a.txt0")), QByteArray("aXbXc"));
        // A file without a match is neither written nor backed up nor reported.
        QCOMPARE(f.read(QStringLiteral("b.txt")), QByteArray("nothing here"));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("b.txt0"))));
        QCOMPARE(window->controls().lvReport->topLevelItemCount(), 1);
        QCOMPARE(ReportRow(*window, 0), f.path("a.txt") + "|2|2");
        QCOMPARE(ReplacedCaption(*window), Shown(W("Заменено")));
        QVERIFY(!f.dialogs.messages.empty());
        QVERIFY(StartsWith(f.dialogs.messages.back(), FillMessage(Msg(46), { 2, 2 })));
        QVERIFY(!window->isBusy());
        window->close();
    }

    void multipassAppliesRowsInTurn()
    {
        PassWindowFixture f;
        f.writeRules({ { "a", "b", "${Q}" }, { "", "ignored", "" }, { "b", "c", "${Q}" } });
        f.write(QStringLiteral("ab.txt"), "ab");
        auto window = f.start();
        window->controls().miBatch->trigger();
        QVERIFY(window->controls().tbBatch->isChecked());
        Focus(*window, "ab.txt");
        window->miReplacePassimClick();

        QCOMPARE(f.read(QStringLiteral("ab.txt")), QByteArray("cc"));
        QCOMPARE(f.read(QStringLiteral("ab.txt0")), QByteArray("ab"));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("ab.txt1"))));
        // One match of the first row, two of the last (the text the first row left).
        QCOMPARE(ReportRow(*window, 0), f.path("ab.txt") + "|3|3");
        window->close();
    }

    void collectingFileAppendedNeverSearched()
    {
        PassWindowFixture f;
        f.write(QStringLiteral("src/a.txt"), "ab");
        f.write(QStringLiteral("src/out.txt"), "old:a");
        auto window = f.start();
        const auto& c = window->controls();
        f.dialogs.chosenFiles.push_back(f.path(QStringLiteral("src/out.txt")).toStdString());
        f.dialogs.existingAnswer = morvane::search::OutputExistingAnswer::Append;
        c.miReplToFile->trigger();
        QVERIFY(c.tbReplToFile->isChecked());
        QVERIFY(c.miReplToFile->isChecked());
        QCOMPARE(f.dialogs.chooserTitles, std::vector<std::string> { Msg(29) });
        QCOMPARE(c.stReplToFile->text(), f.path("src/out.txt"));
        QCOMPARE(c.stReplToFile->toolTip(), Shown(Msg(61)));
        QCOMPARE(c.LabelReplToFile->text(), f.path("src/out.txt"));

        Focus(*window, "src");
        SetFields(*window, "a", "b", "${Q}");
        window->miReplacePassimClick();
        // The earlier content stays and the replacement follows it; the file itself is no source.
        QCOMPARE(f.read(QStringLiteral("src/out.txt")), QByteArray("old:ab"));
        QCOMPARE(f.read(QStringLiteral("src/a.txt")), QByteArray("ab"));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("src/a.txt0"))));
        QCOMPARE(c.lvReport->topLevelItemCount(), 1);
        QCOMPARE(ReplacedCaption(*window), Shown(W("Сохранено")));

        // A second run appends again; switching the mode off closes the file.
        window->miReplacePassimClick();
        QCOMPARE(f.read(QStringLiteral("src/out.txt")), QByteArray("old:abb"));
        c.miReplToFile->trigger();
        QVERIFY(!c.tbReplToFile->isChecked());
        QVERIFY(c.stReplToFile->text().isEmpty());
        window->close();
    }

    void collectingFileDialogsCancelled_data()
    {
        QTest::addColumn<bool>("chooserAnswers");
        QTest::newRow("save dialog cancelled") << false;
        QTest::newRow("existing file dialog cancelled") << true;
    }
    void collectingFileDialogsCancelled()
    {
        QFETCH(bool, chooserAnswers);
        PassWindowFixture f;
        f.write(QStringLiteral("out.txt"), "keep");
        auto window = f.start();
        const auto& c = window->controls();
        if (chooserAnswers)
            f.dialogs.chosenFiles.push_back(f.path(QStringLiteral("out.txt")).toStdString());
        c.miReplToFile->trigger();
        QVERIFY(!c.tbReplToFile->isChecked());
        QVERIFY(!c.miReplToFile->isChecked());
        QVERIFY(c.stReplToFile->text().isEmpty());
        QCOMPARE(f.dialogs.existingAsked.size(), size_t(chooserAnswers ? 1 : 0));
        QCOMPARE(f.read(QStringLiteral("out.txt")), QByteArray("keep"));
        window->close();
    }

    void splitFilesNumberedPerSource()
    {
        PassWindowFixture f;
        f.write(QStringLiteral("page.htm"), "x1x2x3");
        f.write(QStringLiteral("next.htm"), "x4");
        auto window = f.start();
        const auto& c = window->controls();
        morvane::search::OutputSplitSettings split;
        split.digits = 3;
        f.dialogs.splitAnswer = split;
        c.miFileSplit->trigger();
        QVERIFY(c.tbFileSplit->isChecked());
        QVERIFY(!c.tbReplToFile->isChecked());

        Mark(*window, { "page.htm", "next.htm" });
        SetFields(*window, "x\\d", "y", "${Q}");
        window->miReplacePassimClick();
        for (const char* name : { "page_000.htm", "page_001.htm", "page_002.htm", "next_000.htm" })
            QCOMPARE(f.read(QString::fromLatin1(name)), QByteArray("y"));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("page_003.htm"))));
        QCOMPARE(f.read(QStringLiteral("page.htm")), QByteArray("x1x2x3"));
        QCOMPARE(ReplacedCaption(*window), Shown(W("Сохранено")));

        // Going to one-file mode raises file-split mode; cancelling its chooser leaves both off.
        c.miReplToFile->trigger();
        QVERIFY(!c.tbFileSplit->isChecked());
        QVERIFY(!c.miFileSplit->isChecked());
        QVERIFY(!c.tbReplToFile->isChecked());
        window->close();
    }
};

MORVANE_UI_TEST_MAIN(ReplacePassimTest)
#include "tst_replacepassim.moc"
