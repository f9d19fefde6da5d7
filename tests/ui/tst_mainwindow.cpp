// The desktop program starts: its main window is titled "Morvane" and holds the editor.

#include "ui/TFormMain.h"

#include "ui/QsciInclude.h"
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensTitledWindowWithEditor()
    {
        morvane::ui::TFormMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Morvane"));
        auto* editor = window.findChild<QsciScintilla*>(QStringLiteral("reSource"));
        QVERIFY(editor != nullptr);
        editor->setText(QStringLiteral("abc"));
        QCOMPARE(editor->length(), 3);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
