// The file panel in the main window: the listing as drawn (".." first without a box, sorted by
// type, icons, tooltips, path line), marking by keys and clicks with the bold red-on-yellow
// roles, navigation, Ctrl+A/Ctrl+D/Ctrl+R, the mask box and its history, the select-files
// dialog, rename in place, the directory watcher with its pending flag, and the directory and
// marks surviving a restart.

#include "UiTestMain.h"

#include "ScriptedFormMainDialogs.h"
#include "ScriptedPassesDialogs.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "filepanel/TDirChangeThread.h"
#include "search/PassControl.h"
#include "ui/DisplayText.h"
#include "ui/EditItem.h"
#include "ui/ElidedLabel.h"
#include "ui/FilePanelView.h"
#include "ui/TFormMain.h"
#include "ui/TFormSelectFiles.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

using morvane::ui::TFormMain;

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

// A program directory and a tree to list: the directory "src" (with "inner.txt") and the
// files "a.txt", "b.htm" and "makefile".
struct Fixture {
    QTemporaryDir home;
    QTemporaryDir tree;
    QString root; // the tree as the system reports it
    ScriptedFormMainDialogs dialogs;

    Fixture()
    {
        QDir(tree.path()).mkdir(QStringLiteral("src"));
        WriteFile(tree.filePath(QStringLiteral("src/inner.txt")), "x");
        WriteFile(tree.filePath(QStringLiteral("a.txt")), "aaaa");
        WriteFile(tree.filePath(QStringLiteral("b.htm")), "<p>");
        WriteFile(tree.filePath(QStringLiteral("makefile")), "all:");
        root = QDir(tree.path()).canonicalPath();
    }

    // A shown window whose persisted directory is `dir` (the tree when empty).
    std::unique_ptr<TFormMain> start(const QString& dir = QString())
    {
        if (!QFile::exists(home.filePath(QStringLiteral("Morvane.ini"))))
            WriteFile(home.filePath(QStringLiteral("Morvane.ini")),
                "[TFormMain]\r\nLabelDir_Caption=" + (dir.isEmpty() ? root : dir).toUtf8() + "\r\n");
        auto window = std::make_unique<TFormMain>(home.path().toStdString());
        window->setDialogs(&dialogs);
        window->show();
        return window;
    }
};

QStringList Rows(const TFormMain& window)
{
    QStringList rows;
    QListWidget* list = window.controls().lvFiles;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

int RowOf(const TFormMain& window, const QString& name)
{
    return Rows(window).indexOf(name);
}

QStringList Marked(const TFormMain& window)
{
    QStringList names;
    for (const std::string& name : window.filePanel()->model().SelectionList())
        names << QString::fromStdString(name);
    names.sort();
    return names;
}

bool DrawnMarked(const TFormMain& window, int row)
{
    const QListWidgetItem* item = window.controls().lvFiles->item(row);
    return item->data(Qt::CheckStateRole).toInt() == Qt::Checked && item->font().bold()
        && item->foreground().color() == QColor(Qt::red) && item->background().color() == QColor(Qt::yellow);
}

bool DrawnUnmarked(const TFormMain& window, int row)
{
    const QListWidgetItem* item = window.controls().lvFiles->item(row);
    return item->data(Qt::CheckStateRole).toInt() == Qt::Unchecked && !item->font().bold()
        && !item->data(Qt::BackgroundRole).isValid();
}

// The counts panel as shown for a Russian source literal.
QString CountsText(const char* utf8)
{
    return morvane::ui::ToDisplay(morvane::codepage::Utf8ToWin1251(utf8));
}

QPoint BoxPoint(const TFormMain& window, int row)
{
    QListWidget* list = window.controls().lvFiles;
    const QRect rect = list->visualItemRect(list->item(row));
    return QPoint(rect.left() + 3, rect.center().y());
}

QPoint TextPoint(const TFormMain& window, int row)
{
    QListWidget* list = window.controls().lvFiles;
    const QRect rect = list->visualItemRect(list->item(row));
    return QPoint(rect.right() - 4, rect.center().y());
}

void Key(TFormMain& window, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(window.controls().lvFiles, static_cast<Qt::Key>(key), mods);
}

void Focus(TFormMain& window, const QString& name)
{
    window.controls().lvFiles->setCurrentRow(RowOf(window, name));
}

// Creates the file `path` until the watcher has reported it. The watcher thread arms its watch
// shortly after it starts or moves to another directory, so a file made at once can come too
// early to be seen; made again, it is.
bool CreateUntilPending(TFormMain& window, const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        QFile::remove(path);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.close();
        for (int i = 0; i < 10; ++i) {
            QTest::qWait(20);
            if (window.filePanel()->model().refreshPending())
                return true;
        }
    }
    return false;
}

} // namespace

class FilePanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listingShowsParentFirstSortedByType()
    {
        Fixture f;
        auto window = f.start();
        const auto& c = window->controls();
        QCOMPARE(Rows(*window), (QStringList { "..", "src", "b.htm", "a.txt", "makefile" }));
        // ".." carries no box; the others an empty one, an icon and their full path as tooltip.
        QVERIFY(!c.lvFiles->item(0)->data(Qt::CheckStateRole).isValid());
        for (int row = 1; row < c.lvFiles->count(); ++row) {
            QVERIFY(DrawnUnmarked(*window, row));
            QVERIFY(!c.lvFiles->item(row)->icon().isNull());
        }
        QCOMPARE(c.lvFiles->item(1)->toolTip(), f.root + "/src");
        QCOMPARE(c.stCurDir->text(), f.root + "/*.*");
        QCOMPARE(c.LabelDir->text(), f.root);
        QCOMPARE(c.cbDrive->itemText(0), QStringLiteral("/"));
        QVERIFY(c.cbDrive->currentIndex() >= 0);
        // The first item is focused; the counts leave ".." out.
        QCOMPARE(c.lvFiles->currentRow(), 0);
        QCOMPARE(c.sbFileInfoPanel0->text(), CountsText("0/0 из 4"));

        c.sbSortName->click();
        QCOMPARE(Rows(*window), (QStringList { "..", "src", "a.txt", "b.htm", "makefile" }));
        c.sbSortExt->click();
        QCOMPARE(Rows(*window), (QStringList { "..", "src", "b.htm", "a.txt", "makefile" }));
        window->close();
    }

    void insertMarksAndMovesDown()
    {
        Fixture f;
        auto window = f.start();
        const auto& c = window->controls();
        Focus(*window, "src");
        Key(*window, Qt::Key_Insert);
        QVERIFY(DrawnMarked(*window, 1));
        QCOMPARE(c.lvFiles->currentRow(), 2);
        Key(*window, Qt::Key_Insert);
        QCOMPARE(Marked(*window), (QStringList { "b.htm", "src" }));
        QCOMPARE(window->filePanel()->model().MarkedCount(), 2);
        QCOMPARE(c.sbFileInfoPanel0->text(), CountsText("3/2 из 4"));

        // Insert on ".": nothing is marked, the focus moves on.
        c.lvFiles->setCurrentRow(0);
        Key(*window, Qt::Key_Insert);
        QVERIFY(!c.lvFiles->item(0)->data(Qt::CheckStateRole).isValid());
        QCOMPARE(c.lvFiles->currentRow(), 1);
        // Insert on the last item unmarks nothing else and stays there.
        c.lvFiles->setCurrentRow(4);
        Key(*window, Qt::Key_Insert);
        QCOMPARE(c.lvFiles->currentRow(), 4);
        QVERIFY(DrawnMarked(*window, 4));
        Key(*window, Qt::Key_Insert);
        QVERIFY(DrawnUnmarked(*window, 4));
        QCOMPARE(Marked(*window), (QStringList { "b.htm", "src" }));
        window->close();
    }

    void clicksMarkWithoutSpace()
    {
        Fixture f;
        auto window = f.start();
        QWidget* viewport = window->controls().lvFiles->viewport();
        const int a = RowOf(*window, "a.txt");

        // A click on the box toggles; a click on the caption only focuses.
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, BoxPoint(*window, a));
        QVERIFY(DrawnMarked(*window, a));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, TextPoint(*window, a));
        QVERIFY(DrawnMarked(*window, a));
        QCOMPARE(window->controls().lvFiles->currentRow(), a);
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, BoxPoint(*window, a));
        QVERIFY(DrawnUnmarked(*window, a));
        QVERIFY(Marked(*window).isEmpty());

        // Ctrl toggles; Shift toggles the range from the anchor (the last plain click), so the
        // item already marked becomes unmarked.
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, TextPoint(*window, 2));
        QCOMPARE(Marked(*window), (QStringList { "b.htm" }));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, TextPoint(*window, 1));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, TextPoint(*window, 4));
        QCOMPARE(Marked(*window), (QStringList { "a.txt", "makefile", "src" }));
        QVERIFY(DrawnUnmarked(*window, 2));

        // The box place of ".." goes up.
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, BoxPoint(*window, 0));
        QCOMPARE(QString::fromStdString(window->filePanel()->model().currentDirectory().string()),
            QFileInfo(f.root).absolutePath());
        window->close();
    }

    void restoreShortcutsWorkFromTheList()
    {
        Fixture f;
        auto window = f.start();
        const auto& c = window->controls();
        ScriptedPassesDialogs boxes; // the restore questions are answered No
        window->setPassesDialogs(&boxes);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        c.lvFiles->setFocus();
        Focus(*window, "a.txt");
        QSignalSpy restore(c.miRestore, &QAction::triggered);
        QSignalSpy restoreAll(c.miRestoreAll, &QAction::triggered);
        Key(*window, Qt::Key_Backspace, Qt::AltModifier);
        Key(*window, Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(restore.count(), 1);
        QCOMPARE(restoreAll.count(), 1);
        // Neither left the directory as a plain Backspace does.
        QCOMPARE(c.LabelDir->text(), f.root);
        window->close();
    }

    void directorySizeSeesEsc()
    {
        Fixture f;
        auto window = f.start();
        window->passControl().setResponseInterval(0);
        const auto& model = window->filePanel()->model();
        Focus(*window, "src");
        const auto srcSize = [&] { return model.items()[static_cast<size_t>(RowOf(*window, "src"))].size; };
        // Esc arrives through the messages the sum lets through.
        bool summing = false;
        QTimer::singleShot(0, window.get(), [&] {
            summing = window->filePanel()->isBusy();
            window->miAbortClick();
        });
        Key(*window, Qt::Key_Space);
        QVERIFY(summing);
        QCOMPARE(srcSize(), 0);
        // That Esc does not stop the next sum.
        Key(*window, Qt::Key_Space);
        QCOMPARE(srcSize(), 1);
        window->close();
    }

    void enterAndBackspaceNavigate()
    {
        Fixture f;
        auto window = f.start();
        const auto& c = window->controls();
        Key(*window, Qt::Key_Insert, Qt::NoModifier); // on "..": no mark
        Focus(*window, "a.txt");
        Key(*window, Qt::Key_Insert);
        Focus(*window, "src");
        Key(*window, Qt::Key_Return);
        QCOMPARE(c.LabelDir->text(), f.root + "/src");
        QCOMPARE(Rows(*window), (QStringList { "..", "inner.txt" }));
        // Changing the directory drops the marks.
        QVERIFY(Marked(*window).isEmpty());

        Key(*window, Qt::Key_Backspace);
        QCOMPARE(c.LabelDir->text(), f.root);
        QCOMPARE(c.lvFiles->currentItem()->text(), QStringLiteral("src"));
        QCOMPARE(c.stCurDir->text(), f.root + "/*.*");

        // A double click on a caption enters the directory as Enter does.
        QTest::mouseDClick(
            c.lvFiles->viewport(), Qt::LeftButton, Qt::NoModifier, TextPoint(*window, RowOf(*window, "src")));
        QCOMPARE(c.LabelDir->text(), f.root + "/src");
        window->close();
    }

    void markAllRefreshKeepsMarksUnmarkAll()
    {
        Fixture f;
        auto window = f.start();
        Key(*window, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(Marked(*window), (QStringList { "a.txt", "b.htm", "makefile", "src" }));
        QVERIFY(!window->controls().lvFiles->item(0)->data(Qt::CheckStateRole).isValid());
        Focus(*window, "a.txt");
        Key(*window, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(Marked(*window), (QStringList { "a.txt", "b.htm", "makefile", "src" }));
        for (int row = 1; row < 5; ++row)
            QVERIFY(DrawnMarked(*window, row));
        QCOMPARE(window->controls().lvFiles->currentItem()->text(), QStringLiteral("a.txt"));

        // numpad "*" inverts; Ctrl+D clears.
        Key(*window, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(Marked(*window).isEmpty());
        Focus(*window, "b.htm");
        Key(*window, Qt::Key_Insert);
        Key(*window, Qt::Key_Asterisk, Qt::KeypadModifier);
        QCOMPARE(Marked(*window), (QStringList { "a.txt", "makefile", "src" }));
        // The main keyboard's "*" is no command.
        Key(*window, Qt::Key_Asterisk);
        QCOMPARE(Marked(*window), (QStringList { "a.txt", "makefile", "src" }));
        window->close();
    }

    void maskBoxFiltersAndKeepsHistory()
    {
        Fixture f;
        auto window = f.start();
        QComboBox* mask = window->controls().cbMask;
        // A fixed entry is not repeated in the history; a new mask goes right after them.
        mask->setEditText(QStringLiteral("*.txt"));
        QTest::keyClick(mask, Qt::Key_Return);
        QCOMPARE(Rows(*window), (QStringList { "..", "src", "a.txt" }));
        QCOMPARE(window->controls().stCurDir->text(), f.root + "/*.txt");
        QCOMPARE(mask->count(), 5);
        mask->setEditText(QStringLiteral("m*"));
        QTest::keyClick(mask, Qt::Key_Return);
        QCOMPARE(Rows(*window), (QStringList { "..", "src", "makefile" }));
        QCOMPARE(mask->itemText(5), QStringLiteral("m*"));
        QCOMPARE(mask->currentText(), QStringLiteral("m*"));

        // Two masks: each file once, directories as always.
        mask->setEditText(QStringLiteral("*.htm;*.TXT;*.txt"));
        QTest::keyClick(mask, Qt::Key_Return);
        QCOMPARE(Rows(*window), (QStringList { "..", "src", "b.htm", "a.txt" }));
        QCOMPARE(mask->itemText(5), QStringLiteral("*.htm;*.TXT;*.txt"));
        QCOMPARE(mask->itemText(6), QStringLiteral("m*"));

        // Leaving the box with an empty text means "*.*".
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        mask->setFocus();
        QTRY_VERIFY(mask->hasFocus());
        mask->setEditText(QString());
        window->controls().lvFiles->setFocus();
        QTRY_VERIFY(window->controls().lvFiles->hasFocus());
        QCOMPARE(mask->currentText(), QStringLiteral("*.*"));
        QCOMPARE(Rows(*window).size(), 5);
        mask->setEditText(QStringLiteral("m*"));
        QTest::keyClick(mask, Qt::Key_Return);
        QCOMPARE(Rows(*window).size(), 3);

        // Choosing the first entry of the list lists everything again.
        mask->setCurrentIndex(0);
        Q_EMIT mask->activated(0);
        QCOMPARE(Rows(*window).size(), 5);
        window->close();
    }

    void selectFilesDialogMarksAndUnmarksByMask()
    {
        Fixture f;
        auto window = f.start();
        morvane::ui::TFormSelectFiles* dialog = window->filePanel()->selectFilesDialog();
        QString title;
        QTimer::singleShot(0, window.get(), [&] {
            title = dialog->windowTitle();
            dialog->maskBox()->setEditText(QStringLiteral("*.txt;*.htm"));
            dialog->accept();
        });
        Key(*window, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(title, morvane::ui::ToDisplay(morvane::app::Msg(55)));
        // Directories are never affected.
        QCOMPARE(Marked(*window), (QStringList { "a.txt", "b.htm" }));

        QTimer::singleShot(0, window.get(), [&] {
            title = dialog->windowTitle();
            dialog->maskBox()->setEditText(QStringLiteral("a*"));
            dialog->accept();
        });
        Key(*window, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(title, morvane::ui::ToDisplay(morvane::app::Msg(56)));
        QCOMPARE(Marked(*window), (QStringList { "b.htm" }));

        // Cancel changes nothing.
        QTimer::singleShot(0, window.get(), [&] {
            dialog->maskBox()->setEditText(QStringLiteral("*.*"));
            dialog->reject();
        });
        Key(*window, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(Marked(*window), (QStringList { "b.htm" }));
        window->close();
    }

    void renameInPlace()
    {
        Fixture f;
        auto window = f.start();
        morvane::ui::EditItem* edit = window->filePanel()->editItem();
        Focus(*window, "a.txt");
        Key(*window, Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(edit->isVisible());
        QCOMPARE(edit->text(), QStringLiteral("a.txt"));
        edit->setText(QStringLiteral("z.txt"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!edit->isVisible());
        QVERIFY(QFile::exists(f.root + "/z.txt"));
        QVERIFY(!QFile::exists(f.root + "/a.txt"));
        QCOMPARE(Rows(*window), (QStringList { "..", "src", "b.htm", "z.txt", "makefile" }));

        // Esc drops the box without renaming; ".." cannot be renamed.
        Focus(*window, "b.htm");
        Key(*window, Qt::Key_F6, Qt::ShiftModifier);
        edit->setText(QStringLiteral("q.htm"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!edit->isVisible());
        QVERIFY(QFile::exists(f.root + "/b.htm"));
        window->controls().lvFiles->setCurrentRow(0);
        Key(*window, Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(!edit->isVisible());

        // A name that exists already is refused and the listing stays.
        Focus(*window, "b.htm");
        Key(*window, Qt::Key_F6, Qt::ShiftModifier);
        edit->setText(QStringLiteral("makefile"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(QFile::exists(f.root + "/b.htm"));
        QCOMPARE(Rows(*window), (QStringList { "..", "src", "b.htm", "z.txt", "makefile" }));
        window->close();
    }

    void watcherMarksPendingAndActivationRelists()
    {
        Fixture f;
        auto window = f.start();
        QVERIFY(window->filePanel()->watching());
        Focus(*window, "a.txt");
        // The hand-off runs through the event loop; the listing waits for a safe point.
        QVERIFY(CreateUntilPending(*window, f.root + "/new.txt"));
        QVERIFY(!Rows(*window).contains("new.txt"));
        window->ApplicationEventsActivate();
        QVERIFY(Rows(*window).contains("new.txt"));
        QVERIFY(!window->filePanel()->model().refreshPending());
        QCOMPARE(window->controls().lvFiles->currentItem()->text(), QStringLiteral("a.txt"));

        // After a change of directory only the new one counts.
        Focus(*window, "src");
        Key(*window, Qt::Key_Return);
        QVERIFY(CreateUntilPending(*window, f.root + "/src/second.txt"));
        window->ApplicationEventsActivate();
        QCOMPARE(Rows(*window), (QStringList { "..", "inner.txt", "second.txt" }));

        // Closing stops the watcher.
        QVERIFY(window->close());
        QVERIFY(!window->filePanel()->watching());
        QTRY_COMPARE_WITH_TIMEOUT(morvane::filepanel::TDirChangeThread::runningCount(), 0, 15000);
    }

    void directoryAndMarksSurviveRestart()
    {
        Fixture f;
        {
            auto window = f.start();
            Focus(*window, "src");
            Key(*window, Qt::Key_Return);
            Focus(*window, "inner.txt");
            Key(*window, Qt::Key_Insert);
            QVERIFY(window->close());
        }
        QVERIFY(QFile::exists(f.home.filePath("Selected.dat")));
        auto window = f.start();
        QCOMPARE(window->controls().LabelDir->text(), f.root + "/src");
        QCOMPARE(Marked(*window), (QStringList { "inner.txt" }));
        QVERIFY(DrawnMarked(*window, RowOf(*window, "inner.txt")));
        window->close();
    }
    void spaceSumsADirectoryAndStatusFollows()
    {
        Fixture f;
        auto window = f.start();
        QLabel* info = window->controls().sbFileInfoPanel1;
        Focus(*window, "src");
        QVERIFY(info->text().contains(QStringLiteral("<DIR>")));
        QVERIFY(info->text().startsWith(" " + f.root + "/src"));
        Key(*window, Qt::Key_Space);
        QVERIFY(!info->text().contains(QStringLiteral("<DIR>")));
        QVERIFY(info->text().contains(QStringLiteral(" 1   ")));
        // A file shows its size at once.
        Focus(*window, "a.txt");
        QVERIFY(info->text().contains(QStringLiteral(" 4   ")));
        window->close();
    }

    void commandStatesFollowTheFocusAndMarks()
    {
        Fixture f;
        auto window = f.start();
        const auto& c = window->controls();
        struct Row {
            const char* focus;
            bool markFirst;
            bool fileCommands;
            bool operandCommands;
        };
        const Row rows[] = {
            { "a.txt", false, true, true }, { "src", false, false, true }, { "..", false, false, false },
            { "..", true, false, true }, // a marked item gives copy, move and delete operands
        };
        for (const Row& row : rows) {
            if (row.markFirst) {
                Focus(*window, "makefile");
                Key(*window, Qt::Key_Insert);
            }
            Focus(*window, row.focus);
            QCOMPARE(c.miView->isEnabled(), row.fileCommands);
            QCOMPARE(c.miEdit->isEnabled(), row.fileCommands);
            QCOMPARE(c.miLoadFile->isEnabled(), row.fileCommands);
            QCOMPARE(c.miCopy->isEnabled(), row.operandCommands);
            QCOMPARE(c.miMove->isEnabled(), row.operandCommands);
            QCOMPARE(c.miDelete->isEnabled(), row.operandCommands);
        }
        window->close();
    }

    void hiddenFilesFollowTheOption()
    {
        Fixture f;
        WriteFile(f.root + "/.secret", "s");
        auto window = f.start();
        QVERIFY(!Rows(*window).contains(".secret"));
        window->controls().miHideFiles->trigger();
        QVERIFY(Rows(*window).contains(".secret"));
        window->controls().miHideFiles->trigger();
        QVERIFY(!Rows(*window).contains(".secret"));
        window->close();
    }

    void driveBoxAndCtrlBackslashGoToARoot()
    {
        Fixture f;
        auto window = f.start();
        const auto& c = window->controls();
        const std::filesystem::path drive = window->filePanel()->model().driveRoot();
        Key(*window, Qt::Key_Backslash, Qt::ControlModifier);
        QCOMPARE(window->filePanel()->model().currentDirectory(), drive);
        QVERIFY(!Rows(*window).contains(".."));

        window->filePanel()->model().ChangeDirectory(f.root.toStdString());
        window->filePanel()->sync();
        QCOMPARE(c.LabelDir->text(), f.root);
        c.cbDrive->setCurrentIndex(0);
        Q_EMIT c.cbDrive->activated(0);
        QCOMPARE(window->filePanel()->model().currentDirectory(), std::filesystem::path("/"));
        QCOMPARE(c.LabelDir->text(), QStringLiteral("/"));
        QVERIFY(!c.stDriveSize->text().isEmpty());
        window->close();
    }

    void statusLineElidesThePathAndKeepsSizeAndDate()
    {
        const QFontMetrics metrics(QApplication::font());
        const QString fields = QStringLiteral("       1,291    09.12.2026 ");
        const QString text = QStringLiteral(" /tmp/") + QString(60, QLatin1Char('n')) + QStringLiteral(".txt") + fields;
        const int full = metrics.horizontalAdvance(text);
        struct Row {
            int width;
            bool keepFields;
            bool whole;      // the text as it is
            bool fieldsKept; // ends with the fields, name elided
        };
        for (const Row& row : { Row { full, true, true, false }, Row { full / 2, true, false, true },
                 Row { full / 2, false, false, false },
                 Row { metrics.horizontalAdvance(fields) + 2, true, false, false } }) {
            const QString shown = morvane::ui::ElidedLabel::Shown(text, metrics, row.width, row.keepFields);
            QVERIFY2(metrics.horizontalAdvance(shown) <= row.width, qPrintable(shown));
            QCOMPARE(shown == text, row.whole);
            QCOMPARE(shown.endsWith(fields) && shown.contains(QChar(0x2026)), row.fieldsKept);
        }
    }
};

MORVANE_UI_TEST_MAIN(FilePanelTest)
#include "tst_filepanel.moc"
