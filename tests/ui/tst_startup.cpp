// Start-up and close of the main window: the files of a first start, the settings that survive
// a restart, the questions of the close steps with autosave off, the fallbacks for a vanished
// rule table and directory, the response interval dialog, and a close that cannot write.

#include "UiTestMain.h"

#include "ScriptedFormMainDialogs.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "editor/BuiltInColourTable.h"
#include "ui/DisplayText.h"
#include "ui/QsciInclude.h"
#include "ui/QtTranslation.h"
#include "ui/TForm9.h"
#include "ui/TFormMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using morvane::ui::TFormMain;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A window over `dir` with scripted dialogs, shown.
std::unique_ptr<TFormMain> Start(const QTemporaryDir& dir, ScriptedFormMainDialogs& dialogs)
{
    auto window = std::make_unique<TFormMain>(dir.path().toStdString());
    window->setDialogs(&dialogs);
    window->show();
    return window;
}

// Answers the response interval dialog with `text` (OK) or cancels it when `text` is empty.
void AnswerIntervalDialog(TFormMain& window, const QString& text)
{
    QTimer::singleShot(0, &window, [&window, text] {
        morvane::ui::TForm9* dialog = window.form9();
        if (text.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->maskEditTime()->selectAll();
        QTest::keyClicks(dialog->maskEditTime(), text);
        dialog->accept();
    });
    window.miSetTimeClick();
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartWritesTheBuiltInFiles()
    {
        QTemporaryDir dir;
        ScriptedFormMainDialogs dialogs;
        auto window = Start(dir, dialogs);
        const auto& c = window->controls();

        // The grid shows the header of messages 1 to 3 and one empty row.
        QCOMPARE(c.sgRegExpr->rowCount(), 1);
        QCOMPARE(c.sgRegExpr->columnCount(), 3);
        for (int column = 0; column < 3; ++column) {
            QCOMPARE(c.sgRegExpr->horizontalHeaderItem(column)->text(),
                morvane::ui::ToDisplay(morvane::app::Msg(column + 1)));
            QVERIFY(
                c.sgRegExpr->item(0, column) == nullptr || c.sgRegExpr->item(0, column)->text().isEmpty());
        }
        QCOMPARE(c.sgRegExpr->horizontalHeaderItem(0)->text(), QString::fromUtf8(" искать"));

        // The colouring table is written at once, six lines of expression, attributes, remark.
        const QByteArray colour = ReadAll(dir.filePath("ColourHTM.tbl"));
        const QList<QByteArray> lines = colour.split('\n');
        QCOMPARE(lines.size(), 7); // six lines ended by CR LF
        QVERIFY(lines[6].isEmpty());
        QCOMPARE(lines[0], QByteArray("(?sg)(<[^<!]*?>)\tPurple;;8\tcolor <*>\r"));
        QCOMPARE(lines[2], QByteArray("(?isg)<style.*?>(.*?)</style\tGreen;;8\tcolor Style\r"));
        QCOMPARE(lines[3], QByteArray("(?isg)<script.*?>(.*?)</script\t#FF0000\tcolor Script`s\r"));
        QCOMPARE(lines[4], QByteArray("(?isg)<a .*?href=.*?>(.*?)</a\tBlue\tcolor Href`s\r"));
        QCOMPARE(lines[5], QByteArray("(?sg)(<!--.*?-->)\tSilver;Italic;8\tcolor Coment\r"));
        const QByteArray tags = lines[1];
        QVERIFY(tags.startsWith("(?i)<(!DOCTYPE|A|/A|ACRONYM|/ACRONYM|"));
        QVERIFY(tags.endsWith("|WBR|XML|/XML|XMP|/XMP)[ >]\tPurple;Bold;8\tcolor Tag`s\r"));
        QVERIFY(tags.contains("|H\\d|/H\\d|"));
        QVERIFY(tags.contains("|custom|/custom|"));
        const QByteArray alternatives = tags.mid(5, tags.indexOf(")[ >]") - 5);
        QCOMPARE(alternatives.count('|') + 1, qsizetype(185));
        QVERIFY(dialogs.messages.empty());
        // The panel starts in the user's home.
        QCOMPARE(c.LabelDir->text(), QDir::homePath());

        // Nothing else is written before the close.
        QVERIFY(!QFile::exists(dir.filePath("Morvane.ini")));
        QVERIFY(!QFile::exists(dir.filePath("RegExpr.tbl")));
        QVERIFY(window->close());

        // With the built-in autosave: an empty rule table, an empty selection, the settings.
        QCOMPARE(ReadAll(dir.filePath("RegExpr.tbl")), QByteArray());
        QCOMPARE(ReadAll(dir.filePath("Selected.dat")), QByteArray());
        QVERIFY(ReadAll(dir.filePath("Morvane.ini")).contains("[TFormMain]\r\n"));
        QVERIFY(dialogs.questions.empty());
    }

    void settingsSurviveARestart()
    {
        QTemporaryDir dir;
        ScriptedFormMainDialogs dialogs;
        {
            auto window = Start(dir, dialogs);
            const auto& c = window->controls();
            QVERIFY(!c.tbSubDir->isChecked());
            c.miSubDir->trigger();
            c.miHideFiles->trigger();
            c.miSaveBackup->trigger();
            c.tbWordWrapMemo->click();
            c.CheckBoxModifierI->setChecked(true);
            c.CheckBoxModifierG->setChecked(false);
            c.rbSubstitute->setChecked(true);
            c.cbMask->addItem(QStringLiteral("*.cpp;*.h"));
            c.cbMask->setEditText(QStringLiteral("*.cpp;*.h"));
            c.cbCodePage->setCurrentIndex(2);
            c.EditSpaceChars->setText(QStringLiteral("\\x20\\x09"));
            c.PageControlMain->setCurrentWidget(c.TabSheetOptions);
            c.lvReport->setColumnWidth(1, 91);
            c.lvReport->setColumnWidth(2, 0); // hidden by a pass: saved with its remembered width
            window->resize(930, 640);
            AnswerIntervalDialog(*window, QStringLiteral("2250"));
            QCOMPARE(window->responseIntervalMs(), 2250);
            QVERIFY(c.miSetTime->text().endsWith(QLatin1String("2.250 sec")));
            QVERIFY(window->close());
        }
        {
            auto window = Start(dir, dialogs);
            const auto& c = window->controls();
            QVERIFY(c.tbSubDir->isChecked());
            QVERIFY(c.miSubDir->isChecked());
            QVERIFY(c.miHideFiles->isChecked());
            QVERIFY(!c.tbSaveBackup->isChecked());
            QVERIFY(!c.miSaveBackup->isChecked());
            QVERIFY(!c.tbWordWrapMemo->isChecked());
            QVERIFY(c.CheckBoxModifierI->isChecked());
            QVERIFY(c.miModifierI->isChecked());
            QVERIFY(!c.CheckBoxModifierG->isChecked());
            QVERIFY(!c.miModifierG->isChecked());
            QVERIFY(c.CheckBoxModifierM->isChecked());
            QVERIFY(c.rbSubstitute->isChecked());
            QVERIFY(c.miSubstitute->isChecked());
            QVERIFY(!c.rbExtendedReplace->isChecked());
            QCOMPARE(c.cbMask->currentText(), QStringLiteral("*.cpp;*.h"));
            QCOMPARE(c.cbMask->count(), 6);
            QCOMPARE(c.cbMask->itemText(0), QStringLiteral("*.*"));
            QCOMPARE(c.cbMask->itemText(5), QStringLiteral("*.cpp;*.h"));
            QCOMPARE(c.cbCodePage->currentIndex(), 2);
            QCOMPARE(c.EditSpaceChars->text(), QStringLiteral("\\x20\\x09"));
            QCOMPARE(c.PageControlMain->currentWidget(), c.TabSheetOptions);
            QCOMPARE(c.lvReport->columnWidth(1), 91);
            QCOMPARE(c.lvReport->columnWidth(2), 70);
            QCOMPARE(window->size(), QSize(930, 640));
            QCOMPARE(window->responseIntervalMs(), 2250);
            QCOMPARE(c.miSetTime->text(), QString::fromUtf8("Изменить время отклика - &2.250 sec"));
            QVERIFY(window->close());
        }
        QVERIFY(dialogs.messages.empty());
        const QByteArray ini = ReadAll(dir.filePath("Morvane.ini"));
        QVERIFY(ini.contains("tbSubDir_Down=True\r\n"));
        QVERIFY(ini.contains("[TFormMain.cbMask_Items]\r\n"));
    }

    void responseIntervalCancelChangesNothing()
    {
        QTemporaryDir dir;
        ScriptedFormMainDialogs dialogs;
        auto window = Start(dir, dialogs);
        const QString before = window->controls().miSetTime->text();
        AnswerIntervalDialog(*window, QString());
        QCOMPARE(window->controls().miSetTime->text(), before);
        QCOMPARE(window->responseIntervalMs(), 500);
        // The dialog is prefilled from the caption and accepts only digits.
        AnswerIntervalDialog(*window, QStringLiteral("x0y7z5q0"));
        QCOMPARE(window->responseIntervalMs(), 750);
        QVERIFY(window->controls().miSetTime->text().endsWith(QLatin1String("0.750 sec")));
        AnswerIntervalDialog(*window, QStringLiteral("0000"));
        QCOMPARE(window->responseIntervalMs(), 0);
        window->close();
    }

    void autosaveOffAsksOnlyAboutModifiedTables()
    {
        QTemporaryDir dir;
        ScriptedFormMainDialogs dialogs;
        {
            auto window = Start(dir, dialogs);
            window->controls().miAutoSave->trigger();
            QVERIFY(!window->controls().miAutoSave->isChecked());
            QVERIFY(window->close());
        }
        // Autosave was switched off before the close and no table was modified: nothing was
        // asked and no rule table was written.
        QVERIFY(dialogs.questions.empty());
        QVERIFY(!QFile::exists(dir.filePath("RegExpr.tbl")));
        {
            auto window = Start(dir, dialogs);
            QVERIFY(!window->controls().miAutoSave->isChecked());
            window->setRuleTableModified(true);
            dialogs.answers = { false };
            QVERIFY(window->close());
            QCOMPARE(dialogs.questions.size(), size_t(1));
            QCOMPARE(dialogs.questions[0], morvane::app::Msg(79));
            QVERIFY(!QFile::exists(dir.filePath("RegExpr.tbl")));
        }
        dialogs.questions.clear();
        {
            auto window = Start(dir, dialogs);
            window->setColourTableModified(true);
            window->setRuleTableModified(true);
            dialogs.answers = { true, true };
            QFile::remove(dir.filePath("ColourHTM.tbl"));
            QVERIFY(window->close());
            QCOMPARE(dialogs.questions.size(), size_t(2));
            QCOMPARE(dialogs.questions[0], morvane::app::Msg(78));
            QCOMPARE(dialogs.questions[1], morvane::app::Msg(79));
            QVERIFY(QFile::exists(dir.filePath("RegExpr.tbl")));
            QVERIFY(QFile::exists(dir.filePath("ColourHTM.tbl")));
        }
    }

    void vanishedRuleTableAndDirectoryFallBack()
    {
        QTemporaryDir dir;
        WriteAll(dir.filePath("Morvane.ini"),
            "[TFormMain]\r\nLabelListRegExpr_Caption=" + dir.filePath("gone/Deleted.tbl").toUtf8()
                + "\r\nLabelDir_Caption=" + dir.filePath("no-such-dir").toUtf8() + "\r\n");
        WriteAll(dir.filePath("RegExpr.tbl"), "a+\tb\tnote\r\nc\td\t\r\n");
        ScriptedFormMainDialogs dialogs;
        auto window = Start(dir, dialogs);
        const auto& c = window->controls();
        QCOMPARE(c.sgRegExpr->rowCount(), 2);
        QCOMPARE(c.sgRegExpr->item(0, 0)->text(), QStringLiteral("a+"));
        QCOMPARE(c.sgRegExpr->item(0, 2)->text(), QStringLiteral("note"));
        QCOMPARE(c.sgRegExpr->item(1, 1)->text(), QStringLiteral("d"));
        QCOMPARE(window->ruleTablePath(), std::filesystem::path(dir.filePath("RegExpr.tbl").toStdString()));
        QCOMPARE(c.LabelDir->text(), QStringLiteral("/"));
        QVERIFY(dialogs.messages.empty());
        window->close();
    }

    void aPersistedRuleTableIsLoaded()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("tables"));
        const QString table = dir.filePath(QString::fromUtf8("tables/правила.tbl"));
        WriteAll(table, "x\ty\tz\r\n");
        // The path is kept as program text (Windows-1251) in the settings file.
        WriteAll(dir.filePath("Morvane.ini"),
            "[TFormMain]\r\nLabelListRegExpr_Caption="
                + QByteArray::fromStdString(morvane::codepage::Utf8ToWin1251(table.toStdString())) + "\r\n");
        ScriptedFormMainDialogs dialogs;
        auto window = Start(dir, dialogs);
        QCOMPARE(window->controls().sgRegExpr->item(0, 1)->text(), QStringLiteral("y"));
        QCOMPARE(window->ruleTablePath(), std::filesystem::path(table.toStdString()));
        window->close();
        // Autosave writes the table back where it came from, not to the default name.
        QCOMPARE(ReadAll(table), QByteArray("x\ty\tz\r\n"));
        QVERIFY(!QFile::exists(dir.filePath("RegExpr.tbl")));
    }

    void aCloseThatCannotWriteKeepsTheWindowOpen()
    {
        QTemporaryDir dir;
        ScriptedFormMainDialogs dialogs;
        auto window = Start(dir, dialogs);
        // A directory where the selection file should go: writing it fails.
        QVERIFY(QDir(dir.path()).mkdir("Selected.dat"));
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QVERIFY(dialogs.messages[0].starts_with("Cannot create file"));
        // The settings were written before the failing step; the rule table was not.
        QVERIFY(QFile::exists(dir.filePath("Morvane.ini")));
        QVERIFY(!QFile::exists(dir.filePath("RegExpr.tbl")));
        QVERIFY(QDir(dir.path()).rmdir("Selected.dat"));
        QVERIFY(window->close());
    }

    void aModifiedEditorIsOfferedForSaving()
    {
        QTemporaryDir dir;
        ScriptedFormMainDialogs dialogs;
        auto window = Start(dir, dialogs);
        window->controls().miAutoSave->trigger();
        window->controls().reSource->setText(QStringLiteral("changed"));
        window->controls().reSource->setModified(true);
        QVERIFY(window->close());
        QCOMPARE(dialogs.questions.size(), size_t(1));
        QCOMPARE(dialogs.questions[0], morvane::app::Msg(5) + "\r\n");
    }

    void qtStandardTextsAreRussianWhenTheTranslationIsThere()
    {
        if (!QFile::exists(
                QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ru.qm")))
            QSKIP("qtbase_ru.qm is not installed");
        QVERIFY(morvane::ui::InstallQtTranslation(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8("&Да"));
    }
};

MORVANE_UI_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
