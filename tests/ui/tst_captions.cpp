// Captions come from the message table at show time: a language file that swaps two lines swaps
// exactly those two texts, a file that is too short is refused, the response interval keeps its
// value in a translated caption, and the exported file starts the program unchanged.

#include "UiTestMain.h"

#include "ScriptedFormMainDialogs.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "ui/DisplayText.h"
#include "ui/TForm9.h"
#include "ui/TFormMain.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

using morvane::app::Msg;
using morvane::ui::TFormMain;
using morvane::ui::ToDisplay;

namespace {

// The built-in table as the lines of a language file.
std::vector<std::string> BuiltInLines()
{
    morvane::app::MessageTable table;
    return table.entries();
}

void WriteLanguageFile(const QTemporaryDir& dir, const std::vector<std::string>& lines)
{
    QFile file(dir.filePath("language.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const std::string& line : lines)
        file.write(QByteArray::fromStdString(line + "\r\n"));
}

// Every visible text a caption entry reaches, by entry index, read back from the controls.
std::map<int, QString> ShownCaptions(const TFormMain& window)
{
    const auto& c = window.controls();
    return {
        { 1, c.sgRegExpr->horizontalHeaderItem(0)->text() },
        { 2, c.sgRegExpr->horizontalHeaderItem(1)->text() },
        { 107, window.form9()->findChild<QLabel*>(QStringLiteral("StaticText1"))->text() },
        { 124, c.PageControlMain->tabText(1) },
        { 125, c.PageControlMain->tabText(2) },
        { 127, c.tbSubDir->toolTip() },
        { 152, c.GroupBoxFindStr->title() },
        { 164, c.sbSortName->text() },
        { 175, c.sbYes->text() },
        { 176, c.sbYes->toolTip() },
        { 223, c.miOperations->title() },
        { 224, c.miFind->text() },
        { 225, c.miReplacePassim->text() },
        { 226, c.miReplace->text() },
        { 255, c.miSubDir->text() },
        { 281, c.pmFind->findChild<QMenu*>(QStringLiteral("miMetacharacters"))->title() },
        { 360, c.pmReplace->findChild<QAction*>(QStringLiteral("miHelpRegularExpretionForReplace"))->text() },
    };
}

} // namespace

class CaptionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void builtInCaptionsReachTheirControls()
    {
        QTemporaryDir dir;
        ScriptedFormMainDialogs dialogs;
        TFormMain window(dir.path().toStdString());
        window.setDialogs(&dialogs);
        window.show();
        for (const auto& [index, text] : ShownCaptions(window))
            QVERIFY2(text == ToDisplay(Msg(index)),
                qPrintable(QString::number(index) + QStringLiteral(": ") + text));
        QCOMPARE(window.controls().miFind->text(), QString::fromUtf8("Поиск"));
        QCOMPARE(window.form9()->windowTitle(), QString::fromUtf8("Настройка"));
        // The twin button's hint survives a change of its state.
        window.controls().tbSubDir->click();
        QCOMPARE(window.controls().tbSubDir->toolTip(), ToDisplay(Msg(127)));
        window.close();
    }

    void aLanguageFileThatSwapsTwoLinesSwapsExactlyThoseTexts()
    {
        QTemporaryDir dir;
        std::vector<std::string> lines = BuiltInLines();
        std::swap(lines[224], lines[225]);
        std::swap(lines[1], lines[2]);
        WriteLanguageFile(dir, lines);
        ScriptedFormMainDialogs dialogs;
        TFormMain window(dir.path().toStdString());
        window.setDialogs(&dialogs);
        window.show();
        const std::vector<std::string> builtIn = BuiltInLines();
        for (const auto& [index, text] : ShownCaptions(window)) {
            int source = index;
            if (index == 224 || index == 225)
                source = 449 - index;
            if (index == 1 || index == 2)
                source = 3 - index;
            QVERIFY2(text == ToDisplay(builtIn[size_t(source)]), qPrintable(QString::number(index)));
        }
        QCOMPARE(window.controls().miFind->text(), QString::fromUtf8("Заменить везде"));
        QVERIFY(dialogs.messages.empty());
        window.close();
    }

    void aShortLanguageFileIsRefused()
    {
        QTemporaryDir dir;
        std::vector<std::string> lines = BuiltInLines();
        lines.resize(360);
        lines[224] = "changed";
        WriteLanguageFile(dir, lines);
        TFormMain window(dir.path().toStdString());
        window.show();
        QCOMPARE(window.controls().miFind->text(), QString::fromUtf8("Поиск"));
        window.close();
    }

    void theIntervalKeepsItsValueInATranslatedCaption()
    {
        QTemporaryDir dir;
        std::vector<std::string> lines = BuiltInLines();
        lines[269] = "Change response time - 0.500 sec";
        WriteLanguageFile(dir, lines);
        QFile ini(dir.filePath("Morvane.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[TFormMain]\r\nmiSetTime_Caption="
            + QByteArray::fromStdString(
                morvane::codepage::Utf8ToWin1251("Изменить время отклика - 2.250 sec"))
            + "\r\n");
        ini.close();
        TFormMain window(dir.path().toStdString());
        window.show();
        QCOMPARE(window.controls().miSetTime->text(), QStringLiteral("Change response time - 2.250 sec"));
        QCOMPARE(window.responseIntervalMs(), 2250);
        window.close();
    }

    void theExportedFileStartsTheProgramUnchanged()
    {
        QTemporaryDir dir;
        std::map<int, QString> before;
        {
            TFormMain window(dir.path().toStdString());
            window.show();
            before = ShownCaptions(window);
            QTest::keyClick(&window, Qt::Key_F10);
            window.close();
        }
        QFile file(dir.filePath("language.dat"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray expected;
        for (const std::string& line : BuiltInLines())
            expected += QByteArray::fromStdString(line) + "\r\n";
        QCOMPARE(file.readAll(), expected);
        TFormMain window(dir.path().toStdString());
        window.show();
        QCOMPARE(ShownCaptions(window), before);
        window.close();
    }
};

MORVANE_UI_TEST_MAIN(CaptionsTest)
#include "tst_captions.moc"
