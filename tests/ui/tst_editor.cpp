// The viewer reSource: the bytes put in come back exactly (all 256 values, every kind of line
// end), positions are byte offsets both ways, the selection of a match selects exactly it, and
// the modified flag follows edits only. Then the editor commands of the window: load and save
// in the code pages, save-as, the enabled states, the code page change and word wrap.

#include "UiTestMain.h"

#include "ScriptedEditorDialogs.h"
#include "ScriptedFormMainDialogs.h"
#include "app/FileError.h"
#include "codepage/CodePage.h"
#include "search/WorkTextEditor.h"
#include "ui/DisplayText.h"
#include "ui/EditorDialogs.h"
#include "ui/FilePanelView.h"
#include "ui/QsciInclude.h"
#include "ui/SourceEditor.h"
#include "ui/TFormMain.h"
#include "ui/WidgetFileOpsDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

#include <memory>

#include <string>
#include <vector>

using morvane::ui::SourceEditor;

namespace {

std::string Cp(const char* utf8)
{
    return morvane::codepage::Utf8ToWin1251(utf8);
}

std::string AllBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes;
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

std::string InCodePage(const std::string& text, int codePage)
{
    return morvane::codepage::ConvertText(text, morvane::codepage::kWin1251, codePage);
}

// The main window over its own program directory with every box scripted, its panel in a
// directory of files.
struct Window {
    QTemporaryDir home;
    QTemporaryDir dir;
    ScriptedFormMainDialogs windowBoxes;
    ScriptedPassBoxes boxes;
    ScriptedEditorDialogs editorBoxes;
    std::unique_ptr<morvane::ui::TFormMain> window;

    Window()
    {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        window = std::make_unique<morvane::ui::TFormMain>(home.path().toStdString());
        window->setDialogs(&windowBoxes);
        window->setPassesDialogs(&boxes);
        window->setEditorDialogs(&editorBoxes);
        window->show();
    }
    const morvane::ui::FormMainControls& c() const { return window->controls(); }
    SourceEditor& viewer() { return window->sourceEditor(); }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    std::string pathText(const char* name) const
    {
        return morvane::app::PathText(std::filesystem::path(path(name).toStdString()));
    }
    // Lists the directory again and focuses `name` in the panel.
    void focus(const char* name)
    {
        auto& panel = window->filePanel()->model();
        panel.ChangeDirectory(dir.path().toStdString());
        panel.RefreshListing();
        for (int i = 0; i < panel.count(); ++i) {
            if (panel.items()[static_cast<size_t>(i)].name == name)
                panel.focusItem(i);
        }
        window->filePanel()->sync();
        window->UpdateEditorCommands();
    }
    void load(const char* name, int codePage)
    {
        c().cbCodePage->setCurrentIndex(codePage);
        focus(name);
        c().miLoadFile->trigger();
    }
    bool saveEnabled() const { return c().tbSave->isEnabled() && c().miSave->isEnabled(); }
    bool saveAsEnabled() const { return c().tbSaveAs->isEnabled() && c().miSaveAs->isEnabled(); }
};

// A bare control with its viewer, as the window builds them.
struct Bench {
    QsciScintilla control;
    QLabel caption;
    SourceEditor viewer { &control, &caption };
};

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

} // namespace

class EditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textComesBackByteForByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        auto row = [](const char* name, const std::string& text) {
            QTest::newRow(name) << QByteArray(text.data(), static_cast<qsizetype>(text.size()));
        };
        const std::string all = AllBytes();
        row("all 256 byte values", all);
        row("all byte values backwards", std::string(all.rbegin(), all.rend()));
        row("CR LF, lone CR, lone LF", "a\r\nb\rc\nd");
        row("LF CR is two line ends", "x\n\ry");
        row("CR CR LF", "\r\r\n");
        row("only line ends", "\r\n\r\n\n\r\r");
        row("NUL inside and at the end", std::string("a\0b\0", 4));
        row("Cyrillic with CR LF", Cp("Привет,\r\nмир!\rЁё\n"));
        row("undefined 0x98 and the quotes", std::string("\x98\x84\x93\x94\xB9\x88", 6));
        row("empty", "");
    }
    void textComesBackByteForByte()
    {
        QFETCH(QByteArray, bytes);
        const std::string text(bytes.constData(), static_cast<size_t>(bytes.size()));
        Bench b;
        b.viewer.setText(text);
        QCOMPARE(b.viewer.text(), text);
        QCOMPARE(b.viewer.length(), static_cast<int>(text.size()));
        QCOMPARE(b.viewer.isEmpty(), text.empty());
        // Every offset maps to a position and back to itself, and selecting one byte there
        // selects exactly that byte.
        for (int k = 0; k <= static_cast<int>(text.size()); ++k)
            QCOMPARE(b.viewer.offsetOf(b.viewer.documentPosition(k)), k);
        for (int k = 0; k < static_cast<int>(text.size()); ++k) {
            b.viewer.setSelection(k, 1);
            QCOMPARE(b.viewer.selStart(), k);
            QCOMPARE(b.viewer.selLength(), 1);
        }
        QVERIFY(!b.viewer.modified());
    }

    void displayShowsCyrillicOneCharacterPerByte()
    {
        Bench b;
        const std::string text = Cp("Ъ№€ «ёлка» — ok\r\n");
        b.viewer.setText(text);
        QCOMPARE(b.control.text(), QString::fromUtf8("Ъ№€ «ёлка» — ok\r\n"));
        QCOMPARE(b.control.text(), morvane::ui::ToDisplay(text));
    }

    void selectingAMatchSelectsExactlyIt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("match");
        QTest::addColumn<int>("occurrence");
        QTest::newRow("Cyrillic word after Cyrillic")
            << QString::fromUtf8("Мир — это мир, а мир\r\nмир") << QString::fromUtf8("мир") << 2;
        QTest::newRow("on a later line after CR LF and lone CR")
            << QString::fromUtf8("строка\r\nвторая\rтретья\nцель здесь") << QString::fromUtf8("цель") << 0;
        QTest::newRow("across a CR LF")
            << QString::fromUtf8("конец\r\nначало") << QString::fromUtf8("ц\r\nн") << 0;
        QTest::newRow("the CR of a CR LF alone")
            << QString::fromUtf8("аб\r\nвг") << QString::fromUtf8("\r") << 0;
        QTest::newRow("the LF of a CR LF alone")
            << QString::fromUtf8("аб\r\nвг") << QString::fromUtf8("\n") << 0;
        QTest::newRow("a three-byte UTF-8 character")
            << QString::fromUtf8("цена 5€ и 6€") << QString::fromUtf8("6€") << 0;
        QTest::newRow("the whole text") << QString::fromUtf8("ёЁ") << QString::fromUtf8("ёЁ") << 0;
    }
    void selectingAMatchSelectsExactlyIt()
    {
        QFETCH(QString, text);
        QFETCH(QString, match);
        QFETCH(int, occurrence);
        const std::string bytes = Cp(text.toUtf8().constData());
        const std::string needle = Cp(match.toUtf8().constData());
        size_t at = bytes.find(needle);
        for (int i = 0; i < occurrence; ++i)
            at = bytes.find(needle, at + 1);
        QVERIFY(at != std::string::npos);

        Bench b;
        b.viewer.setText(bytes);
        b.viewer.setSelection(static_cast<int>(at), static_cast<int>(needle.size()));
        QCOMPARE(b.viewer.selStart(), static_cast<int>(at));
        QCOMPARE(b.viewer.selLength(), static_cast<int>(needle.size()));
        QCOMPARE(b.control.selectedText(), match);

        // Replacing the selection changes exactly those bytes and leaves the caret after the
        // new text.
        b.viewer.replaceSelection(Cp("ЖЖЖЖ"));
        std::string expected = bytes;
        expected.replace(at, needle.size(), Cp("ЖЖЖЖ"));
        QCOMPARE(b.viewer.text(), expected);
        QCOMPARE(b.viewer.selStart(), static_cast<int>(at) + 4);
        QCOMPARE(b.viewer.selLength(), 0);
        QVERIFY(b.viewer.modified());
    }

    void selectionIsClampedToTheText()
    {
        Bench b;
        b.viewer.setText(Cp("абв"));
        b.viewer.setSelection(2, 10);
        QCOMPARE(b.viewer.selStart(), 2);
        QCOMPARE(b.viewer.selLength(), 1);
        b.viewer.setSelection(7, 1);
        QCOMPARE(b.viewer.selStart(), 3);
        QCOMPARE(b.viewer.selLength(), 0);
    }

    void modifiedFollowsEditsOnly()
    {
        Bench b;
        QSignalSpy edits(&b.viewer, &SourceEditor::textEdited);
        b.viewer.setText(Cp("первая строка\r\n"));
        QVERIFY(!b.viewer.modified());
        QCOMPARE(edits.count(), 0);

        // Styles and indicators (what colouring sets) are no edit.
        b.control.SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, 0UL);
        b.control.SendScintilla(QsciScintillaBase::SCI_SETSTYLING, 5UL, 3L);
        b.control.SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, 8UL);
        b.control.SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE, 0UL, 4L);
        QVERIFY(!b.viewer.modified());
        QCOMPARE(edits.count(), 0);

        // Typing is.
        b.control.setFocus();
        b.viewer.setSelection(6, 0);
        TypeText(&b.control, QString::fromUtf8("ая"));
        QVERIFY(b.viewer.modified());
        QVERIFY(edits.count() >= 1);
        QCOMPARE(b.viewer.text(), Cp("перваяая строка\r\n"));

        // A new text keeps the flag as it is; only setModified(false) clears it.
        b.viewer.setText(Cp("другая"));
        QVERIFY(b.viewer.modified());
        b.viewer.setModified(false);
        QVERIFY(!b.viewer.modified());
        QVERIFY(!b.control.isModified());
        b.viewer.setModified(true);
        QVERIFY(b.viewer.modified());
    }

    void tabAndEnterInsertTabAndTheFilesLineEnd_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("CR LF file") << QByteArray("a\r\nb") << QByteArray("\t\r\na\r\nb");
        QTest::newRow("LF file") << QByteArray("a\nb") << QByteArray("\t\na\nb");
        QTest::newRow("CR file") << QByteArray("a\rb") << QByteArray("\t\ra\rb");
        QTest::newRow("no line end yet") << QByteArray("ab") << QByteArray("\t\r\nab");
    }
    void tabAndEnterInsertTabAndTheFilesLineEnd()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        Bench b;
        b.viewer.setText(text.toStdString());
        b.control.setFocus();
        QTest::keyClick(&b.control, Qt::Key_Tab);
        QTest::keyClick(&b.control, Qt::Key_Return);
        QCOMPARE(QByteArray::fromStdString(b.viewer.text()), expected);
    }

    void charactersTheCodePageLacksReadBackAsQuestionMarks()
    {
        Bench b;
        b.viewer.setText(Cp("аб"));
        b.viewer.setSelection(1, 0);
        // A character outside Windows-1251 (and one outside the basic plane) typed by the user.
        b.control.insert(QString::fromUtf8("ü😀"));
        QCOMPARE(b.viewer.text(), std::string(Cp("а")) + "??" + Cp("б"));
        // Positions stay one per character: "б" is still found where text() has it.
        b.viewer.setSelection(3, 1);
        QCOMPARE(b.control.selectedText(), QString::fromUtf8("б"));
    }

    void wordWrapKeepsTextSelectionAndFlag()
    {
        Bench b;
        b.viewer.setText(Cp("длинная строка ") + std::string(400, 'x') + "\r\n");
        b.viewer.setSelection(3, 5);
        b.viewer.setModified(true);
        b.viewer.setWordWrap(true);
        QCOMPARE(b.control.wrapMode(), QsciScintilla::WrapWord);
        b.viewer.setWordWrap(false);
        QCOMPARE(b.control.wrapMode(), QsciScintilla::WrapNone);
        QCOMPARE(b.viewer.selStart(), 3);
        QCOMPARE(b.viewer.selLength(), 5);
        QVERIFY(b.viewer.modified());
    }

    void controlIsConfiguredAsTheViewer()
    {
        Bench b;
        QVERIFY(b.control.isUtf8());
        QCOMPARE(b.control.SendScintilla(QsciScintillaBase::SCI_GETHSCROLLBAR), 1L);
        QCOMPARE(b.control.SendScintilla(QsciScintillaBase::SCI_GETVSCROLLBAR), 1L);
        QVERIFY(!b.viewer.supportsRichText());
        b.viewer.showSourcePath(std::filesystem::path(u8"/tmp/файл.txt"));
        QCOMPARE(b.caption.text(), QString::fromUtf8("/tmp/файл.txt"));
        b.viewer.showSourcePath({});
        QVERIFY(b.caption.text().isEmpty());
    }

    // ---- The window's editor commands ----

    void koi8FileLoadsAsCyrillicAndSavesBackIdentical()
    {
        Window w;
        const std::string text = Cp("Привет, мир\r\nЁж\rи ещё\n");
        WriteAll(w.path("k.txt"), InCodePage(text, 1));
        w.load("k.txt", 1);
        QCOMPARE(w.viewer().text(), text);
        QCOMPARE(morvane::ui::FromDisplay(w.c().stSource->text()), w.pathText("k.txt"));
        QCOMPARE(w.c().PageControlWork->currentWidget(), w.c().TabSheetFindReplace);
        QVERIFY(!w.viewer().modified());
        QVERIFY(!w.saveEnabled());
        QVERIFY(w.saveAsEnabled());
        QVERIFY(w.c().tbLoadFile->isEnabled());

        // Save as, unedited: the same bytes under the new name, which the editor then holds.
        w.editorBoxes.names = { std::filesystem::path(w.path("k2.txt").toStdString()) };
        w.c().miSaveAs->trigger();
        QCOMPARE(w.editorBoxes.titles.size(), size_t(1));
        QCOMPARE(w.editorBoxes.titles[0], Cp("Сохранить как"));
        QCOMPARE(w.editorBoxes.presets[0], std::filesystem::path(w.path("k.txt").toStdString()));
        QCOMPARE(ReadAll(w.path("k2.txt")), ReadAll(w.path("k.txt")));
        QCOMPARE(morvane::ui::FromDisplay(w.c().stSource->text()), w.pathText("k2.txt"));

        // An edit enables save; F2 asks and writes KOI8-R again, the old file kept as copy 0.
        w.viewer().setSelection(static_cast<int>(text.size()), 0);
        TypeText(w.c().reSource, QString::fromUtf8("я"));
        QVERIFY(w.viewer().modified());
        QVERIFY(w.saveEnabled());
        w.boxes.answers = { true };
        QVERIFY(!w.window->routeF2());
        QCOMPARE(w.boxes.questions.size(), size_t(1));
        QCOMPARE(w.boxes.questions[0], Cp("Сохранить изменения в файле:") + "\r\n" + w.pathText("k2.txt"));
        QCOMPARE(ReadAll(w.path("k2.txt")), Bytes(InCodePage(text + Cp("я"), 1)));
        QCOMPARE(ReadAll(w.path("k2.txt0")), Bytes(InCodePage(text, 1)));
        QVERIFY(!QFile::exists(w.path("k2.txt1")));
        QVERIFY(!w.viewer().modified());
        QVERIFY(!w.saveEnabled());
        QCOMPARE(w.boxes.unexpected, 0);
    }

    void autoDetectReadsAndWritesTheDetectedCodePage()
    {
        Window w;
        const std::string text = Cp("Съешь же ещё этих мягких французских булок, да выпей чаю.\r\n");
        WriteAll(w.path("d.txt"), InCodePage(text, 2));
        w.load("d.txt", 4); // the row of AutoDetect
        QCOMPARE(w.viewer().text(), text);
        w.viewer().setSelection(0, 5);
        TypeText(w.c().reSource, QString::fromUtf8("Ешь"));
        w.boxes.answers = { true };
        w.c().miSave->trigger();
        QCOMPARE(ReadAll(w.path("d.txt")),
            Bytes(InCodePage(Cp("Ешь же ещё этих мягких французских булок, да выпей чаю.\r\n"), 2)));
    }

    void codePageChangeReadsAgainKeepingSelectionAndFlag()
    {
        Window w;
        const std::string text = Cp("Кодировка КОИ-8\r\n");
        WriteAll(w.path("k.txt"), InCodePage(text, 1));
        w.load("k.txt", 0);
        QVERIFY(w.viewer().text() != text);
        w.viewer().setSelection(2, 3);
        w.viewer().setModified(true);
        w.c().cbCodePage->setCurrentIndex(1);
        Q_EMIT w.c().cbCodePage->activated(1);
        // The reload offers to save first (message 5); No keeps the file as it was.
        QCOMPARE(w.boxes.questions.size(), size_t(1));
        QCOMPARE(w.viewer().text(), text);
        QCOMPARE(w.viewer().selStart(), 2);
        QCOMPARE(w.viewer().selLength(), 3);
        QVERIFY(w.viewer().modified());
        QCOMPARE(ReadAll(w.path("k.txt")), Bytes(InCodePage(text, 1)));
    }

    void loadCommandFollowsThePanelAndRefusesDirectories()
    {
        Window w;
        WriteAll(w.path("f.txt"), "x");
        w.focus("sub");
        QVERIFY(!w.c().tbLoadFile->isEnabled());
        QVERIFY(!w.c().miLoadFile->isEnabled());
        w.window->miLoadFileClick();
        QCOMPARE(w.boxes.messages.size(), size_t(1));
        QCOMPARE(w.boxes.messages[0], Cp("Выберите файл для загрузки из списка."));
        QVERIFY(w.viewer().isEmpty());
        w.focus("f.txt");
        QVERIFY(w.c().tbLoadFile->isEnabled());
        QVERIFY(w.c().miLoadFile->isEnabled());
    }

    void saveNeedsAFileAndSaveAsNeedsText()
    {
        Window w;
        w.window->UpdateEditorCommands();
        QVERIFY(!w.saveEnabled());
        QVERIFY(!w.saveAsEnabled());
        w.c().reSource->setFocus();
        TypeText(w.c().reSource, QString::fromUtf8("текст"));
        QVERIFY(w.viewer().modified());
        QVERIFY(!w.saveEnabled());
        QVERIFY(w.saveAsEnabled());
        // Save as with the dialog cancelled writes nothing and changes nothing.
        w.c().miSaveAs->trigger();
        QCOMPARE(w.editorBoxes.titles.size(), size_t(1));
        QCOMPARE(w.editorBoxes.presets[0], std::filesystem::path());
        QVERIFY(w.viewer().modified());
        QVERIFY(w.c().stSource->text().isEmpty());
    }

    void fileDialogsListNamesWithoutADot()
    {
        // The first file type of each dialog is the one it opens with.
        for (const QString& filter : { morvane::ui::SaveAsFilter().split(QStringLiteral(";;")).first(),
                 morvane::ui::CopyTargetFilter() }) {
            const QString patterns = filter.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0);
            bool listed = false;
            for (const QString& pattern : patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                listed = listed
                    || QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
                           .match(QStringLiteral("makefile"))
                           .hasMatch();
            QVERIFY2(listed, qPrintable(filter));
        }
    }

    void aFailedSaveAtCloseKeepsTheWindowOpen()
    {
        Window w;
        QVERIFY(QDir(w.dir.path()).mkdir(QStringLiteral("gone")));
        WriteAll(w.path("gone/s.txt"), "saved");
        QVERIFY(w.window->workTextEditor().LoadIntoEditor(w.path("gone/s.txt").toStdString()));
        if (!w.c().miAutoSave->isChecked())
            w.c().miAutoSave->trigger();
        w.viewer().setSelection(0, 5);
        w.viewer().replaceSelection("edited");
        QVERIFY(QDir(w.path("gone")).removeRecursively());
        QVERIFY(!w.window->close());
        QVERIFY(w.window->isVisible());
        QCOMPARE(w.boxes.messages.size(), size_t(1));
        QVERIFY(w.viewer().modified());
        QVERIFY(QDir(w.dir.path()).mkdir(QStringLiteral("gone")));
        QVERIFY(w.window->close());
        QCOMPARE(ReadAll(w.path("gone/s.txt")), QByteArray("edited"));
    }

    void wordWrapButtonWrapsTheViewerAndKeepsItsState()
    {
        Window w;
        w.viewer().setText(Cp("строка ") + std::string(300, 'w'));
        w.viewer().setSelection(4, 6);
        w.viewer().setModified(true);
        const bool wrapped = w.c().tbWordWrap->isChecked();
        QCOMPARE(w.c().reSource->wrapMode(), wrapped ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
        w.c().tbWordWrap->click();
        QCOMPARE(w.c().reSource->wrapMode(), wrapped ? QsciScintilla::WrapNone : QsciScintilla::WrapWord);
        QCOMPARE(w.viewer().selStart(), 4);
        QCOMPARE(w.viewer().selLength(), 6);
        QVERIFY(w.viewer().modified());
    }
};

MORVANE_UI_TEST_MAIN(EditorTest)
#include "tst_editor.moc"
