// The file commands in the main window: copy of a marked directory tree, delete of a file with
// two backup copies, create directory, view and edit through the desktop's programs, the report
// page's buttons on its selected rows, and the directory watcher's pending refresh consumed at
// activation and at the end of a file command, keeping the focused item.

#include "UiTestMain.h"

#include "ScriptedFileOpsDialogs.h"
#include "ScriptedFormMainDialogs.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "search/HiddenList.h"
#include "search/ReportModel.h"
#include "ui/DisplayText.h"
#include "ui/FilePanelView.h"
#include "ui/TFormMain.h"
#include "ui/TfmCreateDir.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>

using morvane::codepage::Utf8ToWin1251;
using morvane::ui::TFormMain;
namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const QByteArray& bytes)
{
    fs::create_directories(path.parent_path());
    QFile file(QString::fromStdString(path.string()));
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), path.c_str());
    file.write(bytes);
}

QByteArray ReadFile(const fs::path& path)
{
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A program directory, a tree the panel shows, and a target directory outside it.
struct Fixture {
    QTemporaryDir home;
    QTemporaryDir tree;
    QTemporaryDir other;
    fs::path root; // the tree as the system reports it
    fs::path target;
    ScriptedFormMainDialogs boxes;
    ScriptedFileOpsDialogs dialogs;

    Fixture()
    {
        root = fs::canonical(tree.path().toStdString());
        target = fs::canonical(other.path().toStdString());
    }

    std::unique_ptr<TFormMain> start()
    {
        WriteFile(fs::path(home.path().toStdString()) / "Morvane.ini",
            "[TFormMain]\r\nLabelDir_Caption=" + QByteArray::fromStdString(root.string()) + "\r\n");
        auto window = std::make_unique<TFormMain>(home.path().toStdString());
        window->setDialogs(&boxes);
        window->setFileOpsDialogs(&dialogs);
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

void Focus(TFormMain& window, const QString& name)
{
    window.controls().lvFiles->setFocus();
    window.controls().lvFiles->setCurrentRow(Rows(window).indexOf(name));
}

void Mark(TFormMain& window, const QString& name)
{
    Focus(window, name);
    QTest::keyClick(window.controls().lvFiles, Qt::Key_Insert);
}

QString CurrentName(const TFormMain& window)
{
    const QListWidgetItem* item = window.controls().lvFiles->currentItem();
    return item ? item->text() : QString();
}

// Creates `path` until the watcher has reported it (its watch is armed shortly after start).
bool CreateUntilPending(TFormMain& window, const fs::path& path)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        fs::remove(path);
        WriteFile(path, "new");
        for (int i = 0; i < 10; ++i) {
            QTest::qWait(20);
            if (window.filePanel()->model().refreshPending())
                return true;
        }
    }
    return false;
}

// Fills the report with `paths` and selects the rows in `selected`, focusing the last of them.
void FillReport(TFormMain& window, const std::vector<fs::path>& paths, const std::vector<int>& selected)
{
    morvane::search::ReportModel& model = window.reportModel();
    model.clear();
    for (const fs::path& p : paths)
        model.addRow({ p, std::nullopt, std::nullopt });
    QTreeWidget* list = window.controls().lvReport;
    QCOMPARE(list->topLevelItemCount(), static_cast<int>(paths.size()));
    list->clearSelection();
    for (int row : selected) {
        list->setCurrentItem(list->topLevelItem(row), 0, QItemSelectionModel::NoUpdate);
        list->topLevelItem(row)->setSelected(true);
    }
}

std::vector<fs::path> ReportPaths(TFormMain& window)
{
    std::vector<fs::path> paths;
    for (const morvane::search::ReportRow& row : window.reportModel().rows())
        paths.push_back(row.path);
    return paths;
}

} // namespace

class FileOpsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copiesAMarkedDirectoryTree()
    {
        Fixture f;
        WriteFile(f.root / "A" / "x.txt", "x");
        WriteFile(f.root / "A" / "B" / "y.txt", "y");
        WriteFile(f.root / "loose.txt", "loose");
        auto window = f.start();
        Mark(*window, "A");
        QCOMPARE(window->filePanel()->model().MarkedCount(), 1);
        QVERIFY(window->controls().miCopy->isEnabled());
        f.dialogs.directoryAnswers.push_back(f.target);

        window->controls().miCopy->trigger();

        QCOMPARE(f.dialogs.directoryCaptions,
            (std::vector<std::string> { Utf8ToWin1251("Выберите каталог для копирования объектов - 1") }));
        QCOMPARE(ReadFile(f.target / "A" / "x.txt"), QByteArray("x"));
        QCOMPARE(ReadFile(f.target / "A" / "B" / "y.txt"), QByteArray("y"));
        QVERIFY(!fs::exists(f.target / "loose.txt"));
        QCOMPARE(f.dialogs.messages,
            (std::vector<std::string> { Utf8ToWin1251("Создано каталогов - 2\r\n - 2") }));
        QVERIFY(!window->isBusy());
        QVERIFY(fs::exists(f.root / "A" / "B" / "y.txt"));
        QCOMPARE(window->filePanel()->model().MarkedCount(), 1); // a copy keeps the marks
    }

    void deletesAFileWithTwoBackupCopies()
    {
        Fixture f;
        WriteFile(f.root / "a.htm", "now");
        WriteFile(f.root / "a.htm0", "first");
        WriteFile(f.root / "a.htm1", "second");
        WriteFile(f.root / "b.htm", "stays");
        morvane::search::AddToHiddenList(f.root / "a.htm0");
        morvane::search::AddToHiddenList(f.root / "a.htm1");
        auto window = f.start();
        Focus(*window, "a.htm");
        QVERIFY(window->controls().miDelete->isEnabled());

        // No deletes nothing.
        window->controls().miDelete->trigger();
        QVERIFY(fs::exists(f.root / "a.htm"));
        // Delete in the list is the same command.
        f.dialogs.confirmAnswers.push_back(true);
        QTest::keyClick(window->controls().lvFiles, Qt::Key_Delete);

        const std::string question
            = Utf8ToWin1251("Вы действительно хотите удалить файл:\r\n") + (f.root / "a.htm").string() + " ?";
        QCOMPARE(f.dialogs.questions, (std::vector<std::string> { question, question }));
        QVERIFY(!fs::exists(f.root / "a.htm"));
        QVERIFY(!fs::exists(f.root / "a.htm0"));
        QVERIFY(!fs::exists(f.root / "a.htm1"));
        QVERIFY(!fs::exists(f.root / ".hidden")); // emptied of the copies' names
        QCOMPARE(ReadFile(f.root / "b.htm"), QByteArray("stays"));
        QVERIFY(!Rows(*window).contains("a.htm"));
        QCOMPARE(CurrentName(*window), QStringLiteral("b.htm"));
        QVERIFY(f.dialogs.messages.empty()); // one file: no summary
    }

    void createsADirectoryAndFocusesIt()
    {
        Fixture f;
        WriteFile(f.root / "z.txt", "z");
        auto window = f.start();
        f.dialogs.newDirectoryNames.push_back(fs::path("New folder"));
        window->controls().miCreateDir->trigger();
        QVERIFY(fs::is_directory(f.root / "New folder"));
        QCOMPARE(CurrentName(*window), QStringLiteral("New folder"));

        // The same name again: nothing happens. Cancel: nothing is asked further.
        f.dialogs.newDirectoryNames.push_back(fs::path("New folder"));
        window->controls().miCreateDir->trigger();
        window->controls().miCreateDir->trigger();
        QCOMPARE(Rows(*window).count(QStringLiteral("New folder")), 1);
        QVERIFY(f.dialogs.errors.empty());
    }

    void createDirDialogKeepsItsTextAndTitle()
    {
        Fixture f;
        auto window = f.start();
        window->setFileOpsDialogs(nullptr); // the widgets, not shown modally here
        morvane::ui::TfmCreateDir* dialog = window->createDirDialog();
        QCOMPARE(dialog->objectName(), QStringLiteral("TfmCreateDir"));
        QCOMPARE(dialog->windowTitle(), morvane::ui::ToDisplay(morvane::app::Msg(100)));
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("Edit1")), dialog->Edit1());
        dialog->Edit1()->setText(QString::fromUtf8("Каталог"));
        dialog->show();
        dialog->hide();
        QCOMPARE(dialog->Edit1()->text(), QString::fromUtf8("Каталог"));
        QCOMPARE(dialog->name(), fs::path("Каталог"));
        window->setFileOpsDialogs(&f.dialogs);
    }

    void viewAndEditHandTheFileToTheDesktop()
    {
        Fixture f;
        WriteFile(f.root / "a.txt", "a");
        fs::create_directories(f.root / "dir");
        auto window = f.start();
        Focus(*window, "dir");
        window->miViewClick();
        window->miEditClick();
        QVERIFY(f.dialogs.opened.empty());
        QVERIFY(f.dialogs.edited.empty());

        Focus(*window, "a.txt");
        window->miViewClick();
        window->miEditClick();
        QCOMPARE(f.dialogs.opened.size(), size_t(1));
        QCOMPARE(f.dialogs.opened[0].first, f.root / "a.txt");
        QCOMPARE(f.dialogs.opened[0].second, f.root);
        QCOMPARE(f.dialogs.edited, (std::vector<fs::path> { f.root / "a.txt" }));
    }

    void reportButtonsActOnTheSelectedRows()
    {
        Fixture f;
        WriteFile(f.root / "s" / "a.txt", "a");
        WriteFile(f.root / "b.txt", "b");
        WriteFile(f.root / "c.txt", "c");
        auto window = f.start();
        FillReport(*window, { f.root / "s" / "a.txt", f.root / "b.txt", f.root / "c.txt" }, { 0, 1 });

        f.dialogs.directoryAnswers.push_back(f.target);
        window->controls().sbCopy->click();
        QCOMPARE(ReadFile(f.target / "s" / "a.txt"), QByteArray("a"));
        QCOMPARE(ReadFile(f.target / "b.txt"), QByteArray("b"));
        QVERIFY(!fs::exists(f.target / "c.txt"));
        QCOMPARE(f.dialogs.directoryCaptions.back(),
            Utf8ToWin1251("Выберите каталог для копирования объектов - 2"));

        window->controls().sbView->click();
        QCOMPARE(f.dialogs.opened.size(), size_t(1));
        QCOMPARE(f.dialogs.opened[0].first, f.root / "b.txt"); // the focused row

        f.dialogs.confirmAnswers.push_back(true);
        window->controls().sbDelete->click();
        QCOMPARE(f.dialogs.questions.back(), Utf8ToWin1251("Вы действительно хотите удалить объектов - 2 ?"));
        QVERIFY(!fs::exists(f.root / "s" / "a.txt"));
        QVERIFY(!fs::exists(f.root / "b.txt"));
        QCOMPARE(ReportPaths(*window), (std::vector<fs::path> { f.root / "c.txt" }));
        QTreeWidget* list = window->controls().lvReport;
        QCOMPARE(list->topLevelItemCount(), 1);
        QVERIFY(list->topLevelItem(0)->isSelected());
        QCOMPARE(f.dialogs.messages.back(), Utf8ToWin1251("Удалено файлов - 2"));

        // A moved row follows its file.
        f.dialogs.directoryAnswers.push_back(f.target);
        window->controls().sbMove->click();
        QCOMPARE(ReportPaths(*window), (std::vector<fs::path> { f.target / "c.txt" }));
        QCOMPARE(list->topLevelItem(0)->text(0), QString::fromStdString((f.target / "c.txt").string()));
        QVERIFY(!fs::exists(f.root / "c.txt"));
    }

    void pendingRefreshIsListedAtActivationAndAfterACommand()
    {
        Fixture f;
        WriteFile(f.root / "a.txt", "a");
        WriteFile(f.root / "b.txt", "b");
        auto window = f.start();
        QVERIFY(window->filePanel()->watching());
        // The application's own activation after show is a safe point as well; let it pass
        // first, so that the relisting below is the one this test causes.
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTRY_COMPARE(qApp->applicationState(), Qt::ApplicationActive);
        QTest::qWait(50);
        Focus(*window, "b.txt");

        // Another program creates a file: the flag is set, the listing waits for a safe point.
        QVERIFY(CreateUntilPending(*window, f.root / "0-new.txt"));
        QVERIFY(!Rows(*window).contains("0-new.txt"));
        window->ApplicationEventsActivate();
        QVERIFY(Rows(*window).contains("0-new.txt"));
        QVERIFY(!window->filePanel()->model().refreshPending());
        QCOMPARE(CurrentName(*window), QStringLiteral("b.txt"));

        // The end of a copy is a safe point too.
        QVERIFY(CreateUntilPending(*window, f.root / "1-other.txt"));
        QVERIFY(!Rows(*window).contains("1-other.txt"));
        f.dialogs.saveAnswers.push_back(f.target / "b-copy.txt");
        window->controls().miCopy->trigger();
        QCOMPARE(ReadFile(f.target / "b-copy.txt"), QByteArray("b"));
        QVERIFY(Rows(*window).contains("1-other.txt"));
        QCOMPARE(CurrentName(*window), QStringLiteral("b.txt"));
    }
};

MORVANE_UI_TEST_MAIN(FileOpsTest)
#include "tst_fileops.moc"
