// Paired controls always carry the same state, whichever of the two the user clicks; the
// toggles that govern other controls act on them; the window takes F2 and F10 before the
// focused control.

#include "UiTestMain.h"

#include "ScriptedColourDialogs.h"
#include "ScriptedFormMainDialogs.h"
#include "ScriptedPassesDialogs.h"
#include "app/MessageTable.h"
#include "ui/QsciInclude.h"
#include "ui/TFormMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

using morvane::ui::TFormMain;

class TwinsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<TFormMain> m_window;
    ScriptedFormMainDialogs m_dialogs;
    // Switching an output mode on asks for its file or settings; the answers are scripted so
    // that no real dialog ever waits for a user.
    ScriptedPassesDialogs m_passesDialogs;
    ScriptedColourDialogs m_colourDialogs;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_window = std::make_unique<TFormMain>(m_dir.path().toStdString());
        m_window->setDialogs(&m_dialogs);
        for (int i = 0; i < 8; ++i)
            m_passesDialogs.chosenFiles.push_back(m_dir.filePath(QStringLiteral("collect.txt")).toStdString());
        m_passesDialogs.splitAnswer = morvane::search::OutputSplitSettings {};
        m_window->setPassesDialogs(&m_passesDialogs);
        // The colouring set-up mode starts on a sample file of the user's choice.
        const QString sample = m_dir.filePath(QStringLiteral("sample.htm"));
        QFile file(sample);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<p>sample</p>\r\n");
        file.close();
        m_colourDialogs.nextFile = sample.toStdString();
        m_window->setColourDialogs(&m_colourDialogs);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanupTestCase()
    {
        m_window->close();
        m_window.reset();
    }

    void checkButtonAndMenuItemAgree_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("item");
        const char* pairs[][2] = {
            { "tbSubDir", "miSubDir" },
            { "tbReplToFile", "miReplToFile" },
            { "tbFileSplit", "miFileSplit" },
            { "tbBatch", "miBatch" },
            { "tbSaveBackup", "miSaveBackup" },
            { "tbWordWrap", "miWordWrap" },
            { "tbColour", "miColour" },
            { "tbSetColour", "miSetColour" },
            { "tbWebBrowser", "miWebBrowser" },
        };
        for (auto& pair : pairs)
            QTest::newRow(pair[0]) << QString::fromLatin1(pair[0]) << QString::fromLatin1(pair[1]);
    }

    void checkButtonAndMenuItemAgree()
    {
        QFETCH(QString, button);
        QFETCH(QString, item);
        auto* tool = m_window->findChild<QToolButton*>(button);
        auto* action = m_window->findChild<QAction*>(item);
        QVERIFY(tool != nullptr && action != nullptr);
        QVERIFY(tool->isCheckable());
        const bool before = tool->isChecked();
        QCOMPARE(action->isChecked(), before);

        QTest::mouseClick(tool, Qt::LeftButton);
        QCOMPARE(tool->isChecked(), !before);
        QCOMPARE(action->isChecked(), !before);

        action->trigger();
        QCOMPARE(action->isChecked(), before);
        QCOMPARE(tool->isChecked(), before);
    }

    void modifierBoxesAndMenuItemsAgree_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("item");
        for (const char* letter : { "I", "M", "S", "X", "G" }) {
            QTest::newRow(letter) << QStringLiteral("CheckBoxModifier") + QLatin1String(letter)
                                  << QStringLiteral("miModifier") + QLatin1String(letter);
        }
    }

    void modifierBoxesAndMenuItemsAgree()
    {
        QFETCH(QString, box);
        QFETCH(QString, item);
        auto* check = m_window->findChild<QCheckBox*>(box);
        auto* action = m_window->findChild<QAction*>(item);
        QVERIFY(check != nullptr && action != nullptr);
        const bool before = check->isChecked();
        QCOMPARE(action->isChecked(), before);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
        QCOMPARE(check->isChecked(), !before);
        QCOMPARE(action->isChecked(), !before);
        action->trigger();
        QCOMPARE(check->isChecked(), before);
        QCOMPARE(action->isChecked(), before);
    }

    void replaceModeButtonsAndMenuItemsAgree()
    {
        const auto& c = m_window->controls();
        const std::pair<QRadioButton*, QAction*> modes[] = {
            { c.rbSimpleReplace, c.miSimpleReplace },
            { c.rbSubstitute, c.miSubstitute },
            { c.rbExtendedReplace, c.miExtendedReplace },
        };
        auto expectOnly = [&](int on) {
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(modes[i].first->isChecked(), i == on);
                QCOMPARE(modes[i].second->isChecked(), i == on);
            }
        };
        expectOnly(2);
        modes[0].second->trigger();
        expectOnly(0);
        QTest::mouseClick(modes[1].first, Qt::LeftButton, {}, QPoint(4, modes[1].first->height() / 2));
        expectOnly(1);
        modes[2].second->trigger();
        expectOnly(2);
    }

    void togglesGovernTheirControls()
    {
        const auto& c = m_window->controls();
        // The report page's tab follows miReport.
        const int report = c.PageControlMain->indexOf(c.TabSheetReport);
        QVERIFY(c.PageControlMain->isTabVisible(report));
        c.miReport->trigger();
        QVERIFY(!c.PageControlMain->isTabVisible(report));
        c.miReport->trigger();
        QVERIFY(c.PageControlMain->isTabVisible(report));

        // The preview page follows the automatic preview toggle.
        const int web = c.PageControlWork->indexOf(c.TabSheetWeb);
        QCOMPARE(c.PageControlWork->isTabVisible(web), c.tbWebBrowser->isChecked());
        QTest::mouseClick(c.tbWebBrowser, Qt::LeftButton);
        QCOMPARE(c.PageControlWork->isTabVisible(web), c.tbWebBrowser->isChecked());
        QTest::mouseClick(c.tbWebBrowser, Qt::LeftButton);

        // Memo wrapping follows tbWordWrapMemo; the viewer and the preview memo follow tbWordWrap.
        QCOMPARE(c.MemoFind->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QTest::mouseClick(c.tbWordWrapMemo, Qt::LeftButton);
        QCOMPARE(c.MemoFind->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(c.MemoReplace->lineWrapMode(), QPlainTextEdit::NoWrap);
        QTest::mouseClick(c.tbWordWrapMemo, Qt::LeftButton);
        QCOMPARE(c.MemoReplace->lineWrapMode(), QPlainTextEdit::WidgetWidth);

        c.reSource->setText(QStringLiteral("abc def"));
        c.reSource->setSelection(0, 1, 0, 4);
        c.reSource->setModified(true);
        c.miWordWrap->trigger();
        QCOMPARE(c.reSource->wrapMode(),
            c.tbWordWrap->isChecked() ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
        QCOMPARE(c.mmReplace->lineWrapMode(),
            c.tbWordWrap->isChecked() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        QCOMPARE(c.reSource->selectedText(), QStringLiteral("bc "));
        QVERIFY(c.reSource->isModified());
        c.miWordWrap->trigger();
        QCOMPARE(c.reSource->wrapMode(), QsciScintilla::WrapWord);
        c.reSource->clear();
        c.reSource->setModified(false);
    }

    void f2RoutesByTheConfirmationButtons()
    {
        const auto& c = m_window->controls();
        QVERIFY(!c.sbYes->isEnabled());
        QVERIFY(!m_window->routeF2()); // saves the editor
        c.sbYes->setEnabled(true);
        QVERIFY(m_window->routeF2()); // replaces the match
        c.sbYes->setEnabled(false);
    }

    void f10AnywhereExportsTheLanguageFile()
    {
        const auto& c = m_window->controls();
        const QString path = m_dir.filePath(QStringLiteral("language.dat"));
        c.cbFind->setFocus();
        QTRY_VERIFY(c.cbFind->hasFocus() || c.cbFind->lineEdit()->hasFocus());

        // Shift, Ctrl and Alt together is the one combination that does not export.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10,
            Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(!QFile::exists(path));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ControlModifier);
        QVERIFY(QFile::exists(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.count("\r\n"), qsizetype(morvane::app::kMessageCount));
        QVERIFY(bytes.startsWith(QByteArray::fromStdString(morvane::app::Msg(0) + "\r\n")));
        // The key went to the window, not into the field.
        QVERIFY(c.cbFind->currentText().isEmpty());
        QVERIFY(m_dialogs.messages.empty());
    }
};

MORVANE_UI_TEST_MAIN(TwinsTest)
#include "tst_twins.moc"
