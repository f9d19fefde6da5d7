// Font and colour of the focused control: the commands reach only controls that can be styled,
// the couplings between fields hold, and the choices survive a restart.

#include "UiTestMain.h"

#include "ScriptedFormMainDialogs.h"
#include "ui/QsciInclude.h"
#include "ui/TFormMain.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

using morvane::ui::TFormMain;

namespace {

QFont TestFont(int pointSize)
{
    QFont font(QStringLiteral("Courier"), pointSize);
    font.setItalic(true);
    return font;
}

} // namespace

class AppearanceTest : public QObject {
    Q_OBJECT
private:
    // Shows the page of `control` and gives it the focus.
    static void focus(TFormMain& window, QWidget* control, QWidget* page)
    {
        window.controls().PageControlMain->setCurrentWidget(page);
        control->setFocus();
        QTRY_VERIFY(control->hasFocus() || control->isAncestorOf(QApplication::focusWidget()));
    }

private Q_SLOTS:
    void theToolButtonsFollowTheFocus()
    {
        QTemporaryDir dir;
        ScriptedFormMainDialogs dialogs;
        TFormMain window(dir.path().toStdString());
        window.setDialogs(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto& c = window.controls();

        focus(window, c.cbFind, c.TabSheetWork);
        QVERIFY(c.tbSetFont->isEnabled());
        QVERIFY(c.tbSetColor1->isEnabled());

        // A control of another kind: the buttons go off, the menu command beeps and asks nothing.
        focus(window, c.PageControlMain->tabBar(), c.TabSheetWork);
        QVERIFY(!c.tbSetFont->isEnabled());
        QVERIFY(!c.tbSetColor->isEnabled());
        window.miSetFontClick();
        window.miSetColorClick();
        QCOMPARE(dialogs.beeps, 2);
        QCOMPARE(dialogs.fontRequests, 0);
        QCOMPARE(dialogs.colorRequests, 0);
        window.close();
    }

    void fontCouplingsHold()
    {
        QTemporaryDir dir;
        ScriptedFormMainDialogs dialogs;
        TFormMain window(dir.path().toStdString());
        window.setDialogs(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto& c = window.controls();

        // The three work fields share name and size; each keeps its own style.
        focus(window, c.cbReplace, c.TabSheetWork);
        dialogs.nextFont = TestFont(15);
        window.miSetFontClick();
        QCOMPARE(c.cbReplace->font(), TestFont(15));
        for (QComboBox* other : { c.cbFind, c.cbRemark }) {
            QCOMPARE(other->font().family(), TestFont(15).family());
            QCOMPARE(other->font().pointSize(), 15);
            QVERIFY(!other->font().italic());
        }

        // So do the two character-set fields.
        focus(window, c.EditWordChars, c.TabSheetOptions);
        dialogs.nextFont = TestFont(13);
        window.miSetFontClick();
        QCOMPARE(c.EditSpaceChars->font().pointSize(), 13);
        QCOMPARE(c.EditSpaceChars->font().family(), TestFont(13).family());
        QCOMPARE(c.cbFind->font().pointSize(), 15);

        // A memo's new font makes the hidden label take the preview memo's font.
        focus(window, c.MemoFind, c.TabSheetOptions);
        dialogs.nextFont = TestFont(17);
        window.miSetFontClick();
        QCOMPARE(c.MemoFind->font().pointSize(), 17);
        QCOMPARE(c.LabelDir->font(), c.mmReplace->font());

        // The grid's rows are 10 pixels higher than its font.
        focus(window, c.sgRegExpr, c.TabSheetOptions);
        dialogs.nextFont = TestFont(20);
        window.miSetFontClick();
        QCOMPARE(
            c.sgRegExpr->verticalHeader()->defaultSectionSize(), 10 + QFontMetrics(TestFont(20)).height());

        // A cancelled dialog changes nothing.
        dialogs.nextFont.reset();
        window.miSetFontClick();
        QCOMPARE(c.sgRegExpr->font().pointSize(), 20);

        // The editor keeps its text, selection and modified mark.
        focus(window, c.reSource, c.TabSheetWork);
        c.reSource->setText(QStringLiteral("one two"));
        c.reSource->setSelection(0, 4, 0, 7);
        c.reSource->setModified(false);
        dialogs.nextFont = TestFont(12);
        window.miSetFontClick();
        QCOMPARE(c.reSource->text(), QStringLiteral("one two"));
        QCOMPARE(c.reSource->selectedText(), QStringLiteral("two"));
        QVERIFY(!c.reSource->isModified());
        window.close();
    }

    void fontsAndColoursSurviveARestart()
    {
        QTemporaryDir dir;
        ScriptedFormMainDialogs dialogs;
        {
            TFormMain window(dir.path().toStdString());
            window.setDialogs(&dialogs);
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            const auto& c = window.controls();
            focus(window, c.lvReport, c.TabSheetReport);
            dialogs.nextColor = QColor(0x12, 0x34, 0x56);
            window.miSetColorClick();
            focus(window, c.cbFind, c.TabSheetWork);
            dialogs.nextFont = TestFont(14);
            window.miSetFontClick();
            focus(window, c.reSource, c.TabSheetWork);
            dialogs.nextColor = QColor(0xFE, 0xDC, 0xBA);
            window.miSetColorClick();
            QVERIFY(window.close());
        }
        QFile ini(dir.filePath("Morvane.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray text = ini.readAll();
        QVERIFY(text.contains("lvReport_Color=#123456\r\n"));
        QVERIFY(text.contains("reSource_Color=#fedcba\r\n"));
        QVERIFY(text.contains("cbFind_Font=" + TestFont(14).toString().toLatin1() + "\r\n"));
        // Controls the user never styled keep the desktop's look: nothing is stored for them.
        QVERIFY(!text.contains("MemoFind_Font"));

        TFormMain window(dir.path().toStdString());
        window.show();
        const auto& c = window.controls();
        QCOMPARE(c.lvReport->palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));
        QCOMPARE(c.reSource->paper(), QColor(0xFE, 0xDC, 0xBA));
        QCOMPARE(c.cbFind->font(), TestFont(14));
        QCOMPARE(c.cbRemark->font().pointSize(), 14);
        window.close();
    }
};

MORVANE_UI_TEST_MAIN(AppearanceTest)
#include "tst_appearance.moc"
