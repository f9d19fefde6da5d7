// The interactive replace run driven from the keyboard of the main window: Ctrl+F starts, F2
// replaces, F3 skips, Alt+F2 replaces the rest of the file, Alt+F3 skips the file, Alt+A
// replaces everything left, Esc stops. Checked: the files and backup copies left on disk, the
// match selected in reSource with the replacement in mmReplace, the enabled controls, the
// status line and the summary, and the user's edits of the viewer while the run waits.

#include "UiTestMain.h"

#include "ScriptedEditorDialogs.h"
#include "ScriptedFormMainDialogs.h"
#include "app/FileError.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "ui/DisplayText.h"
#include "ui/FilePanelView.h"
#include "ui/InteractiveRunBinder.h"
#include "ui/QsciInclude.h"
#include "ui/SourceEditor.h"
#include "ui/TFormMain.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <memory>
#include <string>

using morvane::ui::TFormMain;

namespace {

// Types `text` into `widget` as the keyboard does, one character per key event (QTest's own
// typing knows only ASCII).
void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

std::string Cp(const char* utf8)
{
    return morvane::codepage::Utf8ToWin1251(utf8);
}

QByteArray Bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

void WriteAll(const QString& path, const std::string& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(Bytes(bytes));
}

// The window over its own program directory, with every box scripted, the panel in `dir` with
// `marked` marked, "кот" to be replaced by "пёс" as plain text.
struct Fixture {
    QTemporaryDir home;
    QTemporaryDir dir;
    ScriptedFormMainDialogs windowBoxes;
    ScriptedPassBoxes boxes;
    ScriptedEditorDialogs editorBoxes;
    std::unique_ptr<TFormMain> window;

    const std::string a = Cp("кот и кот\r\nкот");
    const std::string b = Cp("один кот\rкот");

    Fixture()
    {
        WriteAll(dir.filePath("a.txt"), a);
        WriteAll(dir.filePath("b.txt"), b);
        window = std::make_unique<TFormMain>(home.path().toStdString());
        window->setDialogs(&windowBoxes);
        window->setPassesDialogs(&boxes);
        window->setEditorDialogs(&editorBoxes);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        auto& panel = window->filePanel()->model();
        panel.ChangeDirectory(dir.path().toStdString());
        for (int i = 0; i < panel.count(); ++i) {
            if (panel.items()[static_cast<size_t>(i)].name == "a.txt"
                || panel.items()[static_cast<size_t>(i)].name == "b.txt")
                panel.setMark(i, true);
        }
        window->filePanel()->sync();
        const auto& c = window->controls();
        c.cbFind->setEditText(QString::fromUtf8("кот"));
        c.cbReplace->setEditText(QString::fromUtf8("пёс"));
        c.cbRemark->setEditText(QString());
        c.rbSimpleReplace->setChecked(true);
    }

    const morvane::ui::FormMainControls& c() const { return window->controls(); }
    morvane::ui::SourceEditor& viewer() { return window->sourceEditor(); }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window->focusWidget() != nullptr ? window->focusWidget() : window.get(),
            static_cast<Qt::Key>(key), modifiers);
    }
    // The bytes of the viewer's selection.
    std::string selected()
    {
        return viewer().text().substr(
            static_cast<size_t>(viewer().selStart()), static_cast<size_t>(viewer().selLength()));
    }
    std::string source() const { return morvane::ui::FromDisplay(c().stSource->text()); }
    std::string pathText(const char* name) const
    {
        return morvane::app::PathText(std::filesystem::path(path(name).toStdString()));
    }
};

} // namespace

class InteractiveTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysWalkTwoFilesAndLeaveFilesAndBackups()
    {
        Fixture f;
        const auto& c = f.c();

        f.key(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(f.source(), f.pathText("a.txt"));
        QCOMPARE(f.viewer().selStart(), 0);
        QCOMPARE(f.selected(), Cp("кот"));
        QCOMPARE(c.mmReplace->toPlainText(), QString::fromUtf8("пёс"));
        QCOMPARE(c.PageControlWork->currentWidget(), c.TabSheetFindReplace);
        // Two files in the list: everything is enabled, and the pass commands wait.
        for (QPushButton* button : { c.sbYes, c.sbYesToAll, c.sbIgnore, c.sbAbort, c.sbAll, c.sbNoToAll })
            QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
        for (QAction* item : { c.miReplace, c.miReplaceInFile, c.miIgnore, c.miReplaceAll, c.miNextFile })
            QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
        QCOMPARE(morvane::ui::FromDisplay(c.sbInfoPanel1->text()),
            " "
                + Cp("Обработано файлов - 1 из 2  Файлов - 1 / 0  В файле - 1 / 0  Всего - 1 / 0 "
                     "(найдено/изменено)"));

        f.key(Qt::Key_F2); // replace the first, the second is selected
        QCOMPARE(f.viewer().text(), Cp("пёс и кот\r\nкот"));
        QCOMPARE(f.viewer().selStart(), 6);
        QCOMPARE(f.selected(), Cp("кот"));
        QVERIFY(f.viewer().modified());

        f.key(Qt::Key_F3); // skip the second, the third (after the CR LF) is selected
        QCOMPARE(f.viewer().selStart(), 11);
        QCOMPARE(f.selected(), Cp("кот"));
        // Nothing is written while the run stays in the file.
        QCOMPARE(ReadAll(f.path("a.txt")), Bytes(f.a));

        f.key(Qt::Key_F2); // replace the third: a.txt is done and written, b.txt comes
        QCOMPARE(ReadAll(f.path("a.txt")), Bytes(Cp("пёс и кот\r\nпёс")));
        QCOMPARE(ReadAll(f.path("a.txt0")), Bytes(f.a));
        QCOMPARE(f.source(), f.pathText("b.txt"));
        QCOMPARE(f.viewer().text(), f.b);
        QCOMPARE(f.viewer().selStart(), 5);
        QVERIFY(!f.viewer().modified());

        f.key(Qt::Key_F2, Qt::AltModifier); // the rest of b.txt: the end of the run
        QCOMPARE(ReadAll(f.path("b.txt")), Bytes(Cp("один пёс\rпёс")));
        QCOMPARE(ReadAll(f.path("b.txt0")), Bytes(f.b));
        QVERIFY(!QFile::exists(f.path("a.txt1")));
        QVERIFY(!QFile::exists(f.path("b.txt1")));
        for (QPushButton* button : { c.sbYes, c.sbYesToAll, c.sbIgnore, c.sbAbort, c.sbAll, c.sbNoToAll })
            QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
        QCOMPARE(f.boxes.messages.size(), size_t(1));
        QCOMPARE(f.boxes.messages.back(),
            Cp("Обработано файлов - 2 из 2\n\rФайлов - 2 / 2 (найдено/изменено)\n\rВсего - 5 / 4 "
               "(найдено/заменено)"));
        QVERIFY(f.boxes.questions.empty());
        QCOMPARE(f.boxes.unexpected, 0);
    }

    void editedPreviewAndSkippedFileAndReplaceAllLeft()
    {
        Fixture f;
        const auto& c = f.c();
        f.key(Qt::Key_F, Qt::ControlModifier);
        // The user's preview goes in for this match only.
        c.mmReplace->setPlainText(QString::fromUtf8("лев"));
        f.key(Qt::Key_F2);
        QCOMPARE(c.mmReplace->toPlainText(), QString::fromUtf8("пёс"));
        f.key(Qt::Key_F3, Qt::AltModifier); // skip the rest of a.txt: written as it stands
        QCOMPARE(ReadAll(f.path("a.txt")), Bytes(Cp("лев и кот\r\nкот")));
        QCOMPARE(f.source(), f.pathText("b.txt"));
        f.key(Qt::Key_A, Qt::AltModifier); // everything left
        QCOMPARE(ReadAll(f.path("b.txt")), Bytes(Cp("один пёс\rпёс")));
        QVERIFY(!c.sbYes->isEnabled());
        QCOMPARE(f.boxes.messages.size(), size_t(1));
        QCOMPARE(f.boxes.messages.back(),
            Cp("Обработано файлов - 2 из 2\n\rФайлов - 2 / 2 (найдено/изменено)\n\rВсего - 4 / 3 "
               "(найдено/заменено)"));
    }

    void escWhileWaitingLeavesTheFileAndTheNextStartAsks()
    {
        Fixture f;
        const auto& c = f.c();
        f.key(Qt::Key_F, Qt::ControlModifier);
        f.key(Qt::Key_F2);
        QVERIFY(f.viewer().modified());
        f.key(Qt::Key_Escape);
        QVERIFY(!c.sbYes->isEnabled());
        QVERIFY(!c.miReplace->isEnabled());
        QVERIFY(!c.sbAll->isEnabled());
        QCOMPARE(ReadAll(f.path("a.txt")), Bytes(f.a));
        QVERIFY(!QFile::exists(f.path("a.txt0")));
        QVERIFY(f.viewer().modified());
        QCOMPARE(f.viewer().text(), Cp("пёс и кот\r\nкот"));
        // F2 now saves the editor instead of answering (and asks first).
        QVERIFY(!f.window->routeF2());

        // The next start offers to save the viewer's changes; Yes writes them with a copy.
        f.boxes.questions.clear();
        f.boxes.answers = { true };
        f.key(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(f.boxes.questions.size(), size_t(1));
        QCOMPARE(f.boxes.questions[0], Cp("Сохранить изменения в файле:") + "\r\n" + f.pathText("a.txt"));
        QCOMPARE(ReadAll(f.path("a.txt")), Bytes(Cp("пёс и кот\r\nкот")));
        QCOMPARE(ReadAll(f.path("a.txt0")), Bytes(f.a));
        // And the run starts over: the first match of a.txt as it is now.
        QVERIFY(c.sbYes->isEnabled());
        QCOMPARE(f.viewer().selStart(), 6);
    }

    void editingTheViewerWhileWaitingMovesTheSearchOn()
    {
        Fixture f;
        f.key(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(f.viewer().selStart(), 0);
        // The user types in front of the selected match (the caret first goes to the start).
        f.viewer().setSelection(0, 0);
        f.window->controls().reSource->setFocus();
        TypeText(f.window->controls().reSource, QString::fromUtf8("ХХ"));
        QCOMPARE(f.viewer().text(), Cp("ХХкот и кот\r\nкот"));
        // F3: the engine takes the viewer's text and goes on from the end of the selection,
        // so the match the user's typing moved is the next one.
        f.key(Qt::Key_F3);
        QCOMPARE(f.viewer().selStart(), 2);
        QCOMPARE(f.selected(), Cp("кот"));
        f.key(Qt::Key_F2);
        QCOMPARE(f.viewer().text(), Cp("ХХпёс и кот\r\nкот"));
        QCOMPARE(f.viewer().selStart(), 8);
        QCOMPARE(f.selected(), Cp("кот"));
    }

    void oneFileLeavesTheOtherFilesCommandsDisabled()
    {
        Fixture f;
        auto& panel = f.window->filePanel()->model();
        for (int i = 0; i < panel.count(); ++i)
            panel.setMark(i, false);
        for (int i = 0; i < panel.count(); ++i) {
            if (panel.items()[static_cast<size_t>(i)].name == "b.txt")
                panel.focusItem(i);
        }
        f.window->filePanel()->sync();
        f.key(Qt::Key_F, Qt::ControlModifier);
        const auto& c = f.c();
        QCOMPARE(f.source(), f.pathText("b.txt"));
        QVERIFY(c.sbYes->isEnabled());
        QVERIFY(c.miIgnore->isEnabled());
        QVERIFY(!c.sbAll->isEnabled());
        QVERIFY(!c.sbNoToAll->isEnabled());
        QVERIFY(!c.miReplaceAll->isEnabled());
        QVERIFY(!c.miNextFile->isEnabled());
        // Alt+A does nothing then; F3 and F3 end the run without writing.
        f.key(Qt::Key_A, Qt::AltModifier);
        QCOMPARE(f.viewer().text(), f.b);
        QCOMPARE(f.viewer().selStart(), 5);
        f.key(Qt::Key_F3);
        f.key(Qt::Key_F3);
        QVERIFY(!c.sbYes->isEnabled());
        QCOMPARE(ReadAll(f.path("b.txt")), Bytes(f.b));
        QVERIFY(!QFile::exists(f.path("b.txt0")));
    }

    void previewKeepsLineEndsUntilEdited()
    {
        Fixture f;
        morvane::ui::InteractiveRunBinder& binder = f.window->interactiveRun();
        const std::string text = Cp("строка\r\nи\rещё\n");
        binder.setPreviewText(text);
        QCOMPARE(binder.previewText(), text);
        f.c().mmReplace->setPlainText(QString::fromUtf8("а\nб"));
        QCOMPARE(binder.previewText(), Cp("а\r\nб"));
    }
};

MORVANE_UI_TEST_MAIN(InteractiveTest)
#include "tst_interactive.moc"
