// Geometry on a real X server with a window manager (run by run-under-x.sh): a long file name
// never widens the file panel or the window, the rule table page comes back whole after
// restarts that never showed it, and restored windows stay on the screen.

#include "UiTestMain.h"

#include "ScriptedFormMainDialogs.h"
#include "ui/TFormMain.h"
#include "ui/TFormWebBrowser.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>

#include <memory>

using morvane::ui::TFormMain;

namespace {

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A shown window over the program directory `home`, waited for until the window manager has
// mapped it.
std::unique_ptr<TFormMain> Start(const QTemporaryDir& home, ScriptedFormMainDialogs& dialogs)
{
    auto window = std::make_unique<TFormMain>(home.path().toStdString());
    window->setDialogs(&dialogs);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

} // namespace

class GeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void longNameNeverWidensThePanelOrTheWindow()
    {
        QTemporaryDir home;
        QTemporaryDir tree;
        const QString longName = QString(96, QLatin1Char('n')) + QStringLiteral(".txt");
        WriteAll(tree.filePath(longName), "x");
        WriteAll(tree.filePath(QStringLiteral("a.txt")), "x");
        WriteAll(home.filePath(QStringLiteral("Morvane.ini")),
            "[TFormMain]\r\nMaximized=True\r\nLabelDir_Caption=" + tree.path().toUtf8() + "\r\n");
        ScriptedFormMainDialogs dialogs;
        auto window = Start(home, dialogs);
        QVERIFY(window);
        const auto& c = window->controls();
        QTRY_VERIFY(window->isMaximized());
        QTest::qWait(200); // the window manager's last configure
        const int windowWidth = window->frameGeometry().width();
        const int panelWidth = c.FilePanel->width();
        const int screenWidth = window->screen()->availableGeometry().width();
        QVERIFY(windowWidth <= screenWidth);

        const QList<QListWidgetItem*> found = c.lvFiles->findItems(longName, Qt::MatchContains);
        QCOMPARE(found.size(), 1);
        c.lvFiles->setFocus();
        c.lvFiles->setCurrentItem(found[0]);
        QTRY_VERIFY(c.sbFileInfoPanel1->text().contains(longName));
        QTest::qWait(200);
        QCOMPARE(c.FilePanel->width(), panelWidth);
        QCOMPARE(window->frameGeometry().width(), windowWidth);
        QVERIFY(c.FilePanel->minimumSizeHint().width() < panelWidth);
        window->close();
    }

    void tablePageIsWholeAfterRestartsThatNeverShowedIt()
    {
        QTemporaryDir home;
        ScriptedFormMainDialogs dialogs;
        // Two runs that start and end on the work page, then one that opens the table page.
        for (int run = 0; run < 2; ++run) {
            auto window = Start(home, dialogs);
            QVERIFY(window);
            QVERIFY(window->close());
        }
        auto window = Start(home, dialogs);
        QVERIFY(window);
        const auto& c = window->controls();
        c.PageControlMain->setCurrentWidget(c.TabSheetOptions);
        QTest::qWait(100);
        for (int column = 0; column < 2; ++column)
            QVERIFY2(c.sgRegExpr->columnWidth(column) >= 100, qPrintable(QString::number(column)));
        for (const char* name :
            { "GroupBoxSpaceChars", "GroupBoxWordChars", "GroupBoxGlobalModifier", "GroupBoxGlobalModeReplace" }) {
            auto* group = window->findChild<QGroupBox*>(QLatin1String(name));
            QVERIFY(group != nullptr);
            QVERIFY2(group->height() >= group->minimumSizeHint().height(), name);
        }
        QVERIFY(window->close());
    }

    void workTabsKeepTheirCaptionsAfterARestartOnTheTablePage()
    {
        QTemporaryDir home;
        WriteAll(home.filePath(QStringLiteral("Morvane.ini")),
            "[TFormMain]\r\ntbWebBrowser_Down=True\r\nPageControlMain_ActivePage=TabSheetOptions\r\n");
        ScriptedFormMainDialogs dialogs;
        auto window = Start(home, dialogs);
        QVERIFY(window);
        const auto& c = window->controls();
        QCOMPARE(c.PageControlMain->currentWidget(), c.TabSheetOptions);
        c.PageControlMain->setCurrentWidget(c.TabSheetWork);
        QTest::qWait(100);
        QTabBar* tabs = c.PageControlWork->tabBar();
        QCOMPARE(tabs->count(), 2);
        for (int i = 0; i < tabs->count(); ++i) {
            QVERIFY(tabs->isTabVisible(i));
            QVERIFY(!tabs->tabText(i).isEmpty());
            QVERIFY2(tabs->tabRect(i).width() > tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)),
                qPrintable(tabs->tabText(i)));
        }
        QVERIFY(window->close());
    }

    void restoredWindowsStayOnTheScreen()
    {
        QTemporaryDir home;
        QTemporaryDir tree;
        WriteAll(tree.filePath(QStringLiteral("page.htm")), "<p>x</p>");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        // Placed by a larger screen: below and right of this one's edges.
        WriteAll(home.filePath(QStringLiteral("Morvane.ini")),
            "[TFormMain]\r\nLeft=" + QByteArray::number(screen.right() - 100) + "\r\nTop="
                + QByteArray::number(screen.bottom() - 50) + "\r\nWidth=900\r\nHeight=560\r\n[TFormWebBrowser]\r\nLeft="
                + QByteArray::number(screen.right() - 50) + "\r\nTop=" + QByteArray::number(screen.bottom() - 40)
                + "\r\nWidth=400\r\nHeight=300\r\n");
        // The placement is the client area's: the window manager's frame may add its borders.
        const auto onScreen = [&screen](const QWidget& w) {
            const QSize frame = w.frameGeometry().size() - w.geometry().size();
            return screen.adjusted(0, 0, frame.width(), frame.height()).contains(w.frameGeometry());
        };
        ScriptedFormMainDialogs dialogs;
        auto window = Start(home, dialogs);
        QVERIFY(window);
        QTest::qWait(200);
        QVERIFY2(onScreen(*window), qPrintable(QStringLiteral("%1,%2 %3x%4 frame %5x%6").arg(window->frameGeometry().x()).arg(window->frameGeometry().y()).arg(window->width()).arg(window->height()).arg(window->frameGeometry().width()).arg(window->frameGeometry().height())));
        window->ShowInPreview((tree.filePath(QStringLiteral("page.htm"))).toStdString());
        morvane::ui::TFormWebBrowser& preview = window->previewWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QTest::qWait(200);
        QVERIFY(onScreen(preview));
        preview.close();
        QVERIFY(window->close());
    }
};

MORVANE_UI_TEST_MAIN(GeometryTest)
#include "tst_geometry.moc"
