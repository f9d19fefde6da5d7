// The listing passes through the main window: the found and not-found passes and the listing of
// the selection fill the report with its columns, Esc and the break button abort a pass from
// inside the message pump, a second pass command during a pass never starts, the busy state
// shows and ends, the pass commands' enabled states, and the report list's keys and texts.

#include "UiTestMain.h"

#include "PassWindowFixture.h"
#include "app/Format.h"
#include "search/PassControl.h"
#include "ui/EditItem.h"
#include "ui/ReportView.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using namespace passtest;
using morvane::app::FillMessage;
using morvane::app::Msg;

namespace {

QStringList ReportRows(const TFormMain& window)
{
    QStringList rows;
    QTreeWidget* list = window.controls().lvReport;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        rows << item->text(0) + QLatin1Char('|') + item->text(1) + QLatin1Char('|') + item->text(2);
    }
    return rows;
}

// A tree with three files that hold "foo" 2, 0 and 1 times, one of them in a subdirectory.
void WriteSmallTree(PassWindowFixture& f)
{
    f.write(QStringLiteral("a.txt"), "foo and foo");
    f.write(QStringLiteral("b.htm"), "bar");
    f.write(QStringLiteral("sub/c.txt"), "a foo");
}

// `count` files, each holding "foo" once.
void WriteManyFiles(PassWindowFixture& f, int count)
{
    for (int i = 0; i < count; ++i)
        f.write(QStringLiteral("many/f%1.txt").arg(i, 4, 10, QLatin1Char('0')), "foo");
}

} // namespace

class PassesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void foundPassListsFilesWithMatchCounts()
    {
        PassWindowFixture f;
        WriteSmallTree(f);
        f.settings = "tbSubDir_Down=True\r\n";
        auto window = f.start();
        const auto& c = window->controls();
        Mark(*window, { "a.txt", "b.htm", "sub" });
        SetFields(*window, "foo");
        QVERIFY(!c.tbBreak->isEnabled());
        window->miFindFilesClick();

        // The roots in panel order, which lists directories first.
        QCOMPARE(ReportRows(*window), (QStringList { f.path("sub/c.txt") + "|1|", f.path("a.txt") + "|2|" }));
        QCOMPARE(c.PageControlMain->currentWidget(), c.TabSheetReport);
        QVERIFY(c.lvReport->columnWidth(1) > 0);
        QCOMPARE(c.lvReport->columnWidth(2), 0);
        // Files 3 of 3, 2 found, 2 in the last file (a.txt), 3 in all.
        QCOMPARE(c.sbInfoPanel1->text(), Shown(" " + FillMessage(Msg(14), { 3, 3, 2, 2, 3 })));
        QVERIFY(c.sbInfoPanel1->text().contains(Shown(W("Всего найдено - 3"))));
        QVERIFY(!c.sbInfoPanel0->text().isEmpty());
        // The report page the pass switched to shows the same.
        QCOMPARE(c.sbReportPassPanel0->text(), c.sbInfoPanel0->text());
        QCOMPARE(c.sbReportPassPanel1->text(), c.sbInfoPanel1->text());
        QVERIFY(!window->isBusy());
        QVERIFY(!c.tbBreak->isEnabled());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY(f.dialogs.messages.empty());
        window->close();
    }

    void notFoundPassListsFilesWithoutMatches()
    {
        PassWindowFixture f;
        WriteSmallTree(f);
        auto window = f.start();
        const auto& c = window->controls();
        Mark(*window, { "a.txt", "b.htm", "sub" });
        SetFields(*window, "foo");
        window->miNotFindFilesClick();
        // Subdirectories are off: sub is walked for its own files only, and c.txt matches.
        QCOMPARE(ReportRows(*window), (QStringList { f.path("b.htm") + "|0|" }));
        QCOMPARE(c.sbInfoPanel1->text(), Shown(" " + FillMessage(Msg(37), { 3, 3, 1 })));
        window->close();
    }

    void emptyExpressionListsNothingInEitherPass()
    {
        PassWindowFixture f;
        WriteSmallTree(f);
        auto window = f.start();
        Mark(*window, { "a.txt", "b.htm" });
        SetFields(*window, "");
        window->miFindFilesClick();
        QCOMPARE(ReportRows(*window), QStringList());
        window->miNotFindFilesClick();
        QCOMPARE(ReportRows(*window), QStringList());
        window->close();
    }

    void listingTheSelectionHidesBothCountColumns()
    {
        PassWindowFixture f;
        WriteSmallTree(f);
        f.settings = "tbSubDir_Down=True\r\n";
        auto window = f.start();
        const auto& c = window->controls();
        Focus(*window, "sub");
        window->miAllFilesClick();
        QCOMPARE(ReportRows(*window), (QStringList { f.path("sub/c.txt") + "||" }));
        QCOMPARE(c.lvReport->columnWidth(1), 0);
        QCOMPARE(c.lvReport->columnWidth(2), 0);
        QCOMPARE(c.sbInfoPanel1->text(), Shown(" " + FillMessage(Msg(6), { 1, 1 })));

        // A search pass brings "Найдено" back with the width it had.
        SetFields(*window, "foo");
        window->miFindFilesClick();
        QCOMPARE(c.lvReport->columnWidth(1), 70);
        QCOMPARE(c.lvReport->columnWidth(2), 0);
        window->close();
    }

    void nothingSelectedShowsMessage60()
    {
        PassWindowFixture f;
        WriteSmallTree(f);
        auto window = f.start();
        Focus(*window, "..");
        SetFields(*window, "foo");
        window->miFindFilesClick();
        QCOMPARE(f.dialogs.messages, std::vector<std::string> { Msg(60) });
        QVERIFY(!window->isBusy());
        window->close();
    }

    void escapeDuringPassAborts()
    {
        PassWindowFixture f;
        WriteManyFiles(f, 200);
        auto window = f.start();
        const auto& c = window->controls();
        Focus(*window, "many");
        SetFields(*window, "foo");
        // Arrives with the pass's first look at pending messages.
        bool wasBusy = false;
        QTimer::singleShot(0, window.get(), [&] {
            wasBusy = window->isBusy();
            c.miAbort->trigger();
        });
        window->miFindFilesClick();
        QVERIFY(wasBusy);
        QCOMPARE(c.sbInfoPanel1->text(), Shown(" " + Msg(40)));
        QCOMPARE(c.sbReportPassPanel1->text(), Shown(" " + Msg(40)));
        QVERIFY(c.lvReport->topLevelItemCount() < 200);
        QVERIFY(!window->isBusy());
        QVERIFY(!c.tbBreak->isEnabled());
        // The aborted walk left the list invalid: the next pass walks again and completes.
        window->miFindFilesClick();
        QCOMPARE(c.lvReport->topLevelItemCount(), 200);
        window->close();
    }

    void escapeCancelsRenameBeforeAnythingElse()
    {
        PassWindowFixture f;
        f.write(QStringLiteral("a.txt"), "foo");
        auto window = f.start();
        Focus(*window, "a.txt");
        QVERIFY(window->filePanel()->beginRename());
        morvane::ui::EditItem* box = window->filePanel()->editItem();
        QVERIFY(box->isVisible());
        box->setText(QStringLiteral("renamed.txt"));
        window->controls().miAbort->trigger();
        QVERIFY(!box->isVisible());
        QVERIFY(!window->passControl().AbortRequested());
        QVERIFY(QFile::exists(f.path(QStringLiteral("a.txt"))));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("renamed.txt"))));
        // With no rename box open, Esc is the abort request.
        window->controls().miAbort->trigger();
        QVERIFY(window->passControl().AbortRequested());
        window->close();
    }

    void breakButtonAbortsListing()
    {
        PassWindowFixture f;
        WriteManyFiles(f, 200);
        auto window = f.start();
        const auto& c = window->controls();
        Focus(*window, "many");
        QTimer::singleShot(0, window.get(), [&] { c.tbBreak->click(); });
        window->miAllFilesClick();
        QCOMPARE(c.sbInfoPanel1->text(), Shown(" " + Msg(40)));
        QVERIFY(c.lvReport->topLevelItemCount() < 200);
        window->close();
    }

    void secondPassCommandDuringPassNeverStarts()
    {
        PassWindowFixture f;
        WriteManyFiles(f, 200);
        auto window = f.start();
        const auto& c = window->controls();
        Focus(*window, "many");
        SetFields(*window, "foo");
        int attempts = 0;
        QTimer::singleShot(0, window.get(), [&] {
            // While busy, and again once the break has ended the busy state but the first loop
            // has not yet returned.
            window->miAllFilesClick();
            ++attempts;
            c.tbBreak->click();
            QVERIFY(!window->isBusy());
            window->miAllFilesClick();
            window->miNotFindFilesClick();
            ++attempts;
        });
        window->miFindFilesClick();
        QCOMPARE(attempts, 2);
        // The listing would have hidden "Найдено" and listed all 200 files.
        QVERIFY(c.lvReport->columnWidth(1) > 0);
        QVERIFY(c.lvReport->topLevelItemCount() < 200);
        QCOMPARE(c.sbInfoPanel1->text(), Shown(" " + Msg(40)));
        window->close();
    }

    void busyStateShowsIndicatorAndHourglass()
    {
        PassWindowFixture f;
        WriteManyFiles(f, 3);
        auto window = f.start();
        const auto& c = window->controls();
        Focus(*window, "many");
        SetFields(*window, "foo");
        bool checked = false;
        QTimer::singleShot(0, window.get(), [&] {
            checked = true;
            QVERIFY(window->isBusy());
            QCOMPARE(c.AnimateProcess->maximum(), 0);
            QVERIFY(c.tbBreak->isEnabled());
            QVERIFY(!c.tbSave->isEnabled());
            QVERIFY(!c.miSaveAs->isEnabled());
            QVERIFY(!c.miLoadFile->isEnabled());
            QVERIFY(QGuiApplication::overrideCursor() != nullptr);
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            // No page change while a pass is busy, and the output modes stay as they are.
            c.PageControlMain->setCurrentWidget(c.TabSheetOptions);
            QCOMPARE(c.PageControlMain->currentWidget(), c.TabSheetReport);
            c.miReplToFile->trigger();
            QVERIFY(!c.tbReplToFile->isChecked());
            QVERIFY(!c.miReplToFile->isChecked());
            QVERIFY(f.dialogs.chooserTitles.empty());
            // The insertion menus stay closed while a pass runs.
            window->sbInsertToFindClick();
            window->sbInsertToReplaceClick();
            QVERIFY(!c.pmFind->isVisible());
            QVERIFY(!c.pmReplace->isVisible());
        });
        window->miFindFilesClick();
        QVERIFY(checked);
        // Once the pass is over the same button opens its menu.
        window->sbInsertToFindClick();
        QVERIFY(c.pmFind->isVisible());
        c.pmFind->hide();
        QVERIFY(c.AnimateProcess->maximum() > 0);
        QVERIFY(!c.tbBreak->isEnabled());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        window->close();
    }

    void subdirectoryToggleEndsBusyStateButNotTheLoop()
    {
        PassWindowFixture f;
        WriteManyFiles(f, 50);
        auto window = f.start();
        const auto& c = window->controls();
        Focus(*window, "many");
        SetFields(*window, "foo");
        // Once the loop over the files has begun (a toggle during the walk would make the walk
        // itself stale).
        QTimer poll;
        bool toggled = false;
        connect(&poll, &QTimer::timeout, window.get(), [&] {
            if (toggled || c.lvReport->topLevelItemCount() == 0)
                return;
            toggled = true;
            c.miSubDir->trigger();
            QVERIFY(!window->isBusy());
            QVERIFY(!c.tbBreak->isEnabled());
        });
        poll.start(0);
        window->miFindFilesClick();
        QVERIFY(toggled);
        QVERIFY(c.tbSubDir->isChecked());
        QCOMPARE(c.lvReport->topLevelItemCount(), 50);
        QCOMPARE(c.sbInfoPanel1->text(), Shown(" " + FillMessage(Msg(14), { 50, 50, 50, 1, 50 })));
        window->close();
    }

    void passCommandsFollowPageSelectionAndColourSetup_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("mark");
        QTest::addColumn<bool>("colourSetup");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<bool>("find");
        QTest::addColumn<bool>("replace");
        QTest::newRow("file on the work page") << "work"
                                               << "a.txt" << false << false << true << true << true;
        QTest::newRow("parent entry, nothing marked") << "work"
                                                      << ".." << false << false << false << false << false;
        QTest::newRow("parent entry with a mark") << "work"
                                                  << ".." << true << false << true << true << true;
        QTest::newRow("table page") << "options"
                                    << "a.txt" << false << false << false << false << false;
        QTest::newRow("colour set-up") << "work"
                                       << "a.txt" << false << true << true << true << false;
        QTest::newRow("colour set-up, nothing to process") << "work"
                                                           << ".." << false << true << false << true << false;
    }
    void passCommandsFollowPageSelectionAndColourSetup()
    {
        QFETCH(QString, page);
        QFETCH(QString, focus);
        QFETCH(bool, mark);
        QFETCH(bool, colourSetup);
        QFETCH(bool, passes);
        QFETCH(bool, find);
        QFETCH(bool, replace);
        PassWindowFixture f;
        WriteSmallTree(f);
        auto window = f.start();
        const auto& c = window->controls();
        c.PageControlMain->setCurrentWidget(c.TabSheetWork);
        if (mark)
            Mark(*window, { "b.htm" });
        Focus(*window, focus.toStdString().c_str());
        c.miSetColour->setChecked(colourSetup);
        c.PageControlMain->setCurrentWidget(page == "work" ? c.TabSheetWork : c.TabSheetOptions);
        window->UpdatePassCommands();

        for (QToolButton* button :
            { c.tbFindFiles, c.tbNotFindFiles, c.tbAllFiles, c.tbRestore, c.tbRestoreAll, c.tbDelAllBackup })
            QCOMPARE(button->isEnabled(), passes);
        for (QAction* item : { c.miFindFiles, c.miNotFindFiles, c.miAllFiles, c.miRestore, c.miRestoreAll,
                 c.miDelAllBackup, c.miFind, c.miConverter })
            QCOMPARE(item->isEnabled(), passes);
        QCOMPARE(c.sbFind->isEnabled(), find);
        QCOMPARE(c.sbReplacePassim->isEnabled(), replace);
        QCOMPARE(c.miReplacePassim->isEnabled(), replace);
        c.miSetColour->setChecked(false);
        window->close();
    }

    void reportKeysSelectAndOpen()
    {
        PassWindowFixture f;
        f.write(QStringLiteral("a.txt"), "foo");
        f.write(QStringLiteral("b.txt"), "foo");
        f.write(QStringLiteral("c.txt"), "foo");
        auto window = f.start();
        const auto& c = window->controls();
        Mark(*window, { "a.txt", "b.txt", "c.txt" });
        SetFields(*window, "foo");
        window->miFindFilesClick();
        QTreeWidget* list = c.lvReport;
        QCOMPARE(list->topLevelItemCount(), 3);
        list->setFocus();

        list->setCurrentItem(list->topLevelItem(0));
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(list->selectedItems().size(), 3);
        QVERIFY(c.sbDelete->isEnabled());
        QVERIFY(c.miCopy->isEnabled());
        QCOMPARE(c.sbReportPanel0->text(), Shown(W("1/3 из 3")));
        QTest::keyClick(list, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(list->selectedItems().size(), 0);
        QVERIFY(!c.sbView->isEnabled());
        QVERIFY(!c.miView->isEnabled());

        // Insert selects the focused row and the next, and moves on; on the last row it stops.
        QTest::keyClick(list, Qt::Key_Insert);
        QCOMPARE(list->selectedItems().size(), 2);
        QCOMPARE(list->indexOfTopLevelItem(list->currentItem()), 1);
        QCOMPARE(c.sbReportPanel0->text(), Shown(W("2/2 из 3")));
        QCOMPARE(c.sbReportPanel1->text(), " " + f.path("b.txt"));
        QTest::keyClick(list, Qt::Key_Insert);
        QTest::keyClick(list, Qt::Key_Insert);
        QCOMPARE(list->selectedItems().size(), 3);
        QCOMPARE(list->indexOfTopLevelItem(list->currentItem()), 2);

        // Shift with a key does nothing; Enter and a double click open the focused row's file.
        QTest::keyClick(list, Qt::Key_D, Qt::ShiftModifier);
        QCOMPARE(list->selectedItems().size(), 3);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(f.dialogs.opened.size(), size_t(1));
        QCOMPARE(QString::fromStdString(f.dialogs.opened[0].string()), f.path("c.txt"));
        const QRect rect = list->visualItemRect(list->topLevelItem(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QCOMPARE(c.sbReportPanel1->text(), " " + f.path("a.txt"));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QCOMPARE(f.dialogs.opened.size(), size_t(2));
        QCOMPARE(QString::fromStdString(f.dialogs.opened[1].string()), f.path("a.txt"));
        window->close();
    }

    void countColumnWidthDraggedSurvivesHidingAndRestart()
    {
        PassWindowFixture f;
        f.write(QStringLiteral("a.txt"), "foo");
        auto window = f.start();
        const auto& c = window->controls();
        Focus(*window, "a.txt");
        c.lvReport->header()->resizeSection(1, 95);
        window->miAllFilesClick();
        QCOMPARE(c.lvReport->columnWidth(1), 0);
        window->close();
        const QByteArray ini = ReadBytes(f.home.filePath(QStringLiteral("Morvane.ini")));
        QVERIFY2(ini.contains("lvReportColumnsWidth1=95"), ini.constData());

        auto again = f.start();
        QCOMPARE(again->controls().lvReport->columnWidth(1), 95);
        SetFields(*again, "foo");
        Focus(*again, "a.txt");
        again->miFindFilesClick();
        QCOMPARE(again->controls().lvReport->columnWidth(1), 95);
        again->close();
    }
};

MORVANE_UI_TEST_MAIN(PassesTest)
#include "tst_passes.moc"
