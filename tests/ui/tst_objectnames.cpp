// The main window's structure: every control name exactly once, the pages in order, the menus
// with their shortcuts and initial enabled states, the tool bar in order, and every caption
// entry reaching a control.

#include "UiTestMain.h"

#include "app/MessageCaptions.h"
#include "ui/ObjectNames.h"
#include "ui/TForm9.h"
#include "ui/TFormMain.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <map>

using morvane::ui::TFormMain;

class ObjectNamesTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<TFormMain> m_window;
    QTemporaryDir m_unshownDir;
    std::unique_ptr<TFormMain> m_unshown;

    bool inMainWindow(const QObject* object) const
    {
        for (const QObject* o = object; o != nullptr; o = o->parent()) {
            if (const auto* widget = qobject_cast<const QWidget*>(o))
                return widget->window() == m_window.get();
        }
        return false;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_window = std::make_unique<TFormMain>(m_dir.path().toStdString());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QVERIFY(m_unshownDir.isValid());
        m_unshown = std::make_unique<TFormMain>(m_unshownDir.path().toStdString());
    }

    void cleanupTestCase()
    {
        m_window->close();
        m_window.reset();
        m_unshown.reset();
    }

    void everyListedNameIsFoundExactlyOnce()
    {
        for (const char* name : morvane::ui::FormMainObjectNames()) {
            const auto found = m_window->findChildren<QObject*>(QLatin1String(name));
            QVERIFY2(found.size() == 1,
                qPrintable(QStringLiteral("%1 found %2 times").arg(name).arg(found.size())));
        }
        const auto form9 = morvane::ui::Form9ObjectNames();
        QCOMPARE(m_window->form9()->objectName(), QLatin1String(form9[0]));
        for (size_t i = 1; i < form9.size(); ++i)
            QCOMPARE(m_window->form9()->findChildren<QObject*>(QLatin1String(form9[i])).size(), 1);
    }

    void noNamedObjectOutsideTheListRepeatsAName()
    {
        std::map<QString, int> counts;
        for (QObject* object : m_window->findChildren<QObject*>()) {
            // The dialogs are children of the window too, but each is a window of its own whose
            // names need only be unique inside it (two dialogs both have a "bbCancel").
            if (!inMainWindow(object))
                continue;
            const QString name = object->objectName();
            // Qt names some parts of its own widgets (the scroll buttons of a tab bar, the main
            // window's layout, "qt_...").
            const bool qtPart = name.startsWith(QLatin1String("qt_"))
                || qobject_cast<QLayout*>(object) != nullptr
                || qobject_cast<QTabBar*>(object->parent()) != nullptr;
            if (!name.isEmpty() && !qtPart)
                ++counts[name];
        }
        for (const auto& [name, count] : counts)
            QVERIFY2(count == 1, qPrintable(name));
        // And nothing named is missing from the list (the list is the one place names live).
        QStringList listed;
        for (const char* name : morvane::ui::FormMainObjectNames())
            listed << QLatin1String(name);
        for (const char* name : morvane::ui::Form9ObjectNames())
            listed << QLatin1String(name);
        for (const auto& [name, count] : counts)
            QVERIFY2(listed.contains(name), qPrintable(name + QStringLiteral(" is not in ObjectNames.h")));
    }

    void everyCaptionTargetOfTheBuiltWindowsNamesAControl()
    {
        int reached = 0;
        for (const morvane::app::CaptionTarget& target : morvane::app::CaptionTargets()) {
            QWidget* window = nullptr;
            if (target.window == "TFormMain")
                window = m_window.get();
            else if (target.window == "TForm9")
                window = m_window->form9();
            if (window == nullptr)
                continue;
            const QString name
                = QString::fromLatin1(target.objectName.data(), qsizetype(target.objectName.size()));
            QVERIFY2(window->objectName() == name || window->findChild<QObject*>(name) != nullptr,
                qPrintable(name));
            ++reached;
        }
        // 123 to 360 belong to the main window, 106 and 107 to the response interval dialog.
        QCOMPARE(reached, 360 - 123 + 1 + 2);
    }

    void pagesAreInOrderAndTheServicePageIsHidden()
    {
        const QTabWidget* pages = m_window->controls().PageControlMain;
        const QStringList expected { "TabSheetManual", "TabSheetWork", "TabSheetReport", "TabSheetOptions",
            "TabSheetMsg" };
        QCOMPARE(pages->count(), expected.size());
        for (int i = 0; i < pages->count(); ++i)
            QCOMPARE(pages->widget(i)->objectName(), expected[i]);
        QVERIFY(!pages->isTabVisible(4));
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TabSheetWork"));
        const QTabWidget* work = m_window->controls().PageControlWork;
        QCOMPARE(work->widget(0)->objectName(), QStringLiteral("TabSheetWeb"));
        QCOMPARE(work->widget(1)->objectName(), QStringLiteral("TabSheetFindReplace"));
    }

    void menuItemsHaveTheirShortcutsAndInitialStates_data()
    {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("enabled");
        struct Row {
            const char* name;
            const char* shortcut;
            bool enabled;
        };
        const Row rows[] = {
            { "miFind", "Ctrl+F", true },
            { "miReplacePassim", "Ctrl+H", true },
            { "miReplace", "F2", false },
            { "miReplaceInFile", "Alt+F2", false },
            { "miReplaceAll", "Alt+A", false },
            { "miIgnore", "F3", false },
            { "miNextFile", "Alt+F3", false },
            { "miFindFiles", "", false },
            { "miNotFindFiles", "", false },
            { "miAllFiles", "", false },
            { "miFindTag", "Ctrl+F7", false },
            { "miSelectTag", "Shift+F7", false },
            { "miSelectToWebBrowser", "Ctrl+F3", false },
            { "miRestore", "Alt+Backspace", true },
            { "miRestoreAll", "Shift+Alt+Backspace", true },
            { "miDelAllBackup", "Shift+Del", true },
            { "miConverter", "", true },
            { "miQuote", "F9", true },
            { "miLoadFile", "Shift+F4", true },
            { "miSave", "F2", true },
            { "miSaveAs", "Shift+F2", true },
            { "miAbort", "Esc", true },
            { "miModifierI", "Ctrl+I", true },
            { "miModifierS", "Ctrl+S", true },
            { "miModifierM", "Ctrl+M", true },
            { "miModifierX", "Ctrl+X", true },
            { "miModifierG", "Ctrl+G", true },
            { "miSimpleReplace", "Ctrl+Alt+Q", true },
            { "miSubstitute", "Ctrl+Alt+S", true },
            { "miExtendedReplace", "Ctrl+Alt+E", true },
            { "miSubDir", "", true },
            { "miSetTime", "", true },
            { "miAutoSave", "", true },
            { "miHelp", "F1", true },
            { "miSupport", "", true },
            { "miManual", "Shift+F1", true },
            { "miView", "F3", false },
            { "miEdit", "F4", false },
            { "miCopy", "F5", false },
            { "miMove", "F6", false },
            { "miCreateDir", "F7", true },
            { "miDelete", "F8", false },
        };
        for (const Row& row : rows)
            QTest::newRow(row.name) << QString::fromLatin1(row.shortcut) << row.enabled;
    }

    void menuItemsHaveTheirShortcutsAndInitialStates()
    {
        QFETCH(QString, shortcut);
        QFETCH(bool, enabled);
        // The states as built: once shown, the pass commands follow the panel's selection.
        auto* item = m_unshown->findChild<QAction*>(QLatin1String(QTest::currentDataTag()));
        QVERIFY(item != nullptr);
        QCOMPARE(item->shortcut(), QKeySequence::fromString(shortcut, QKeySequence::PortableText));
        QCOMPARE(item->isEnabled(), enabled);
    }

    void mainMenusHoldTheirItemsInOrder()
    {
        const auto menus = m_window->menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[0]->menu()->objectName(), QStringLiteral("miOperations"));
        QCOMPARE(menus[1]->menu()->objectName(), QStringLiteral("miSettings"));
        QCOMPARE(menus[2]->menu()->objectName(), QStringLiteral("miHelpMenu"));
        QStringList settings;
        for (QAction* a : menus[1]->menu()->actions())
            if (!a->isSeparator())
                settings << (a->menu() != nullptr ? a->menu()->objectName() : a->objectName());
        QCOMPARE(settings,
            QStringList({ "miModifierI", "miModifierS", "miModifierM", "miModifierX", "miModifierG",
                "miSimpleReplace", "miSubstitute", "miExtendedReplace", "miSubDir", "miOutRTF", "miHideFiles",
                "miReport", "miReplToFile", "miFileSplit", "miBatch", "miSaveBackup", "miWordWrap",
                "miColour", "miSetColour", "miWebBrowser", "miSetFont", "miSetColor", "miSetTime",
                "miAutoSave", "miLanguage" }));
    }

    void workToolBarIsInOrderAndEveryButtonHasAPicture()
    {
        QStringList order;
        for (QAction* a : m_window->controls().ToolBarWork->actions()) {
            if (QWidget* w = m_window->controls().ToolBarWork->widgetForAction(a);
                w != nullptr && !a->isSeparator())
                order << w->objectName();
        }
        QCOMPARE(order,
            QStringList({ "tbSubDir", "tbFindFiles", "tbNotFindFiles", "tbAllFiles", "tbBreak",
                "AnimateProcess", "tbReplToFile", "tbFileSplit", "tbBatch", "tbSaveBackup", "cbCodePage",
                "tbRestore", "tbRestoreAll", "tbDelAllBackup", "tbLoadFile", "tbSaveAs", "tbSave",
                "tbSetFont", "tbSetColor", "tbWordWrap", "tbColour", "tbSetColour", "tbWebBrowser", "tbHelp",
                "tbTutorial" }));
        for (QToolButton* button : m_window->findChildren<QToolButton*>()) {
            if (button->objectName().startsWith(QLatin1String("tb")))
                QVERIFY2(!button->icon().isNull(), qPrintable(button->objectName()));
        }
    }
};

MORVANE_UI_TEST_MAIN(ObjectNamesTest)
#include "tst_objectnames.moc"
