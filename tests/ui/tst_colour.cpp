// Colouring of the viewer: styles over the control's UTF-8 without touching text, selection or
// modified flag, surviving font and wrap changes; then the window's colouring command with the
// table chosen by the file's extension, the built-in table on an HTML file, switching off, the
// report of bad rules and the question before an edited table is replaced.

#include "UiTestMain.h"

#include "ScriptedColourDialogs.h"
#include "ScriptedFormMainDialogs.h"
#include "app/FileError.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "editor/BuiltInColourTable.h"
#include "rules/RuleTableModel.h"
#include "search/WorkTextEditor.h"
#include "ui/ColourBinding.h"
#include "ui/DisplayText.h"
#include "ui/EditorColouring.h"
#include "ui/QsciInclude.h"
#include "ui/RuleTablePage.h"
#include "ui/SourceEditor.h"
#include "ui/TFormMain.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <string>

using morvane::editor::ColourAttributes;
using morvane::editor::ColourSpan;
using morvane::editor::FontStyles;
using morvane::editor::Rgb;
using morvane::ui::EditorColouring;
using morvane::ui::SourceEditor;
using morvane::ui::TFormMain;
using Sci = QsciScintillaBase;

namespace {

std::string Cp(const char* utf8)
{
    return morvane::codepage::Utf8ToWin1251(utf8);
}

// How the control draws one character.
struct Look {
    int style = 0;
    long fore = 0; // 0xBBGGRR
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int size = 0;
    bool struck = false;

    bool operator==(const Look&) const = default;
};

// Reads the control directly, positions mapped by the viewer (not by the colouring under test).
Look LookAt(QsciScintilla& control, const SourceEditor& viewer, const EditorColouring& colouring, int offset)
{
    Look look;
    const long position = viewer.documentPosition(offset);
    look.style
        = static_cast<int>(control.SendScintilla(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(position)));
    const auto s = static_cast<unsigned long>(look.style);
    look.fore = control.SendScintilla(Sci::SCI_STYLEGETFORE, s);
    look.bold = control.SendScintilla(Sci::SCI_STYLEGETBOLD, s) != 0;
    look.italic = control.SendScintilla(Sci::SCI_STYLEGETITALIC, s) != 0;
    look.underline = control.SendScintilla(Sci::SCI_STYLEGETUNDERLINE, s) != 0;
    look.size = static_cast<int>(control.SendScintilla(Sci::SCI_STYLEGETSIZE, s));
    look.struck = control.SendScintilla(Sci::SCI_INDICATORVALUEAT,
                      static_cast<unsigned long>(colouring.strikeIndicator()), position)
        != 0;
    return look;
}

constexpr long kPurpleRef = 0x800080;
constexpr long kRedRef = 0x0000FF;

// A bare control with its viewer and colouring, as the window builds them.
struct Bench {
    Bench()
    {
        QFont font("Monospace", 10);
        control.setFont(font);
    }
    QsciScintilla control;
    QLabel caption;
    SourceEditor viewer { &control, &caption };
    EditorColouring colouring { &control };

    Look at(int offset) { return LookAt(control, viewer, colouring, offset); }
};

void WriteAll(const std::filesystem::path& path, const std::string& bytes)
{
    QFile file(QString::fromStdString(path.string()));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

struct Window {
    explicit Window(const QTemporaryDir& dir)
        : home(dir.path().toStdString())
        , window(std::make_unique<TFormMain>(home))
    {
        window->setDialogs(&dialogs);
        window->setColourDialogs(&colourDialogs);
        window->show();
    }
    void colourOn(bool on)
    {
        QAction* item = window->controls().miColour;
        if (item->isChecked() != on)
            item->trigger();
    }
    bool load(const std::string& name, const std::string& bytes)
    {
        WriteAll(home / name, bytes);
        return window->workTextEditor().LoadIntoEditor(home / name);
    }
    void setUp(bool on)
    {
        QAction* item = window->controls().miSetColour;
        if (item->isChecked() != on)
            item->trigger();
    }
    morvane::rules::RuleTableModel& tables() { return window->tablePage().model(); }
    Look at(int offset)
    {
        return LookAt(*window->controls().reSource, window->sourceEditor(),
            window->colouring().editorColouring(), offset);
    }

    std::filesystem::path home;
    ScriptedFormMainDialogs dialogs;
    ScriptedColourDialogs colourDialogs;
    std::unique_ptr<TFormMain> window;
};

} // namespace

class ColourTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void spansColourExactlyTheirCharacters()
    {
        Bench b;
        // Cyrillic takes two bytes in the control: offsets must still hit the right letters.
        const std::string text = Cp("Привет <b>мир</b> ok");
        b.viewer.setText(text);
        b.viewer.setSelection(2, 3);
        b.viewer.setModified(true);
        const ColourAttributes purple { { 128, 0, 128 }, FontStyles {}, 8 };
        const ColourAttributes redBoldStruck { { 255, 0, 0 }, FontStyles { true, false, false, true }, 12 };
        b.colouring.apply({ ColourSpan { 7, 3, purple }, ColourSpan { 10, 3, redBoldStruck } });

        QCOMPARE(b.at(6).style, 0);
        for (int k = 7; k < 10; ++k)
            QCOMPARE(b.at(k), (Look { b.at(7).style, kPurpleRef, false, false, false, 8, false }));
        for (int k = 10; k < 13; ++k)
            QCOMPARE(b.at(k), (Look { b.at(10).style, kRedRef, true, false, false, 12, true }));
        QVERIFY(b.at(7).style != b.at(10).style);
        QCOMPARE(b.at(13).style, 0);
        QVERIFY(!b.at(13).struck);
        // Display only: text, selection and modified flag as they were.
        QCOMPARE(b.viewer.text(), text);
        QCOMPARE(b.viewer.selStart(), 2);
        QCOMPARE(b.viewer.selLength(), 3);
        QVERIFY(b.viewer.modified());
        QCOMPARE(b.control.SendScintilla(Sci::SCI_CANUNDO), 0L);

        b.colouring.clear();
        for (int k = 0; k < static_cast<int>(text.size()); ++k) {
            QCOMPARE(b.at(k).style, 0);
            QVERIFY(!b.at(k).struck);
        }
        QVERIFY(b.viewer.modified());
    }

    void openStyleAndSizeFollowTheEditorFont()
    {
        Bench b;
        QFont font("Monospace", 14);
        font.setItalic(true);
        b.control.setFont(font);
        b.viewer.setText("abc");
        b.colouring.apply(
            { ColourSpan { 1, 1, ColourAttributes { { 0, 0, 255 }, std::nullopt, std::nullopt } } });
        const Look look = b.at(1);
        QCOMPARE(look.fore, 0xFF0000L);
        QVERIFY(look.italic);
        QVERIFY(!look.bold);
        QCOMPARE(look.size, 14);
    }

    void spansPastTheEndAreCut()
    {
        Bench b;
        b.viewer.setText("abc");
        b.colouring.apply({ ColourSpan { 2, 10, ColourAttributes { { 255, 0, 0 }, FontStyles {}, 9 } } });
        QCOMPARE(b.at(2).fore, kRedRef);
        QCOMPARE(b.viewer.text(), std::string("abc"));
    }

    void coloursSurviveFontAndWrapChanges()
    {
        Bench b;
        b.viewer.setText("one <two> three");
        // One stretch with its own size, one that takes the editor font's.
        b.colouring.apply({ ColourSpan { 4, 5, ColourAttributes { { 128, 0, 128 }, FontStyles { true }, 8 } },
            ColourSpan { 10, 5, ColourAttributes { { 255, 0, 0 }, std::nullopt, std::nullopt } } });
        QCOMPARE(b.at(11).size, 10);
        QFont font("Serif", 16);
        b.control.setFont(font);
        static_cast<QWidget&>(b.control).setFont(font);
        QTRY_COMPARE(b.at(11).size, 16);
        QCOMPARE(b.at(11).fore, kRedRef);
        QCOMPARE(b.at(5).fore, kPurpleRef);
        QVERIFY(b.at(5).bold);
        QCOMPARE(b.at(5).size, 8);
        b.viewer.setWordWrap(false);
        b.viewer.setWordWrap(true);
        QCOMPARE(b.at(5).fore, kPurpleRef);
        QCOMPARE(b.at(3).style, 0);
    }

    void tableIsChosenByExtension_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("table"); // written beside the program; empty: none
        QTest::addColumn<bool>("coloured");
        QTest::newRow("html by the built-in HTM table") << "a.html"
                                                        << "" << true;
        QTest::newRow("HTM in capitals") << "B.HTM"
                                         << "" << true;
        QTest::newRow("no extension by Colour.tbl") << "README"
                                                    << "Colour.tbl" << true;
        QTest::newRow("no extension, no table") << "README"
                                                << "" << false;
        QTest::newRow("txt without ColourTXT.tbl") << "a.txt"
                                                   << "" << false;
        QTest::newRow("txt with ColourTXT.tbl") << "a.txt"
                                                << "ColourTXT.tbl" << true;
        QTest::newRow("another table does not count") << "a.txt"
                                                      << "ColourXYZ.tbl" << false;
    }
    void tableIsChosenByExtension()
    {
        QFETCH(QString, file);
        QFETCH(QString, table);
        QFETCH(bool, coloured);
        QTemporaryDir dir;
        Window w(dir);
        if (!table.isEmpty())
            WriteAll(w.home / table.toStdString(), "(<x>)\tRed;;9\t\r\n");
        w.colourOn(true);
        QVERIFY(w.load(file.toStdString(), "a <x> b"));
        QCOMPARE(w.at(2).style != 0, coloured);
        QCOMPARE(w.at(0).style, 0);
        QVERIFY(w.colourDialogs.messages.empty());
    }

    void builtInTableColoursOnlyTheTagName()
    {
        QTemporaryDir dir;
        Window w(dir);
        w.colourOn(true);
        QVERIFY(w.load("page.htm", "<BODY>x</BODY>"));
        // "<" and ">" by the rule for any tag, the name by the tag rule over it.
        const Look tag = w.at(0);
        QCOMPARE(tag.fore, kPurpleRef);
        QVERIFY(!tag.bold);
        QCOMPARE(tag.size, 8);
        for (int k = 1; k <= 4; ++k) {
            QCOMPARE(w.at(k).fore, kPurpleRef);
            QVERIFY(w.at(k).bold);
        }
        QVERIFY(!w.at(5).bold);
        QCOMPARE(w.at(6).style, 0);
        QVERIFY(w.at(8).bold); // "/BODY"
    }

    void colouringKeepsModifiedFlagCaretAndSelection_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::newRow("unchanged editor") << false;
        QTest::newRow("modified editor") << true;
    }
    void colouringKeepsModifiedFlagCaretAndSelection()
    {
        QFETCH(bool, modified);
        QTemporaryDir dir;
        Window w(dir);
        QVERIFY(w.load("page.htm", "<p>one</p> <b>two</b>"));
        SourceEditor& viewer = w.window->sourceEditor();
        viewer.setSelection(4, 5);
        viewer.setModified(modified);
        w.colourOn(true);
        QVERIFY(w.at(0).style != 0);
        QCOMPARE(viewer.modified(), modified);
        QCOMPARE(viewer.selStart(), 4);
        QCOMPARE(viewer.selLength(), 5);
        QCOMPARE(viewer.text(), std::string("<p>one</p> <b>two</b>"));
        QVERIFY(!w.window->controls().reSource->isReadOnly());
        QVERIFY(!w.window->ColouringActive());

        // Switching off removes every colour and again keeps the rest.
        w.colourOn(false);
        for (int k = 0; k < 21; ++k)
            QCOMPARE(w.at(k).style, 0);
        QCOMPARE(viewer.modified(), modified);
        QCOMPARE(viewer.selStart(), 4);
        QCOMPARE(viewer.selLength(), 5);
        QVERIFY(!w.window->controls().miColour->isChecked());
        QVERIFY(!w.window->controls().tbColour->isChecked());
    }

    void commandsThatReplaceTheTextWaitForTheColouring()
    {
        QTemporaryDir dir;
        Window w(dir);
        const auto& c = w.window->controls();
        WriteAll(w.home / "other.txt", "another file");
        w.window->passControl().setResponseInterval(0);
        w.colourOn(true);
        std::string page;
        for (int i = 0; i < 50; ++i)
            page += "<b>x</b>";
        // Clicks that arrive while the colouring pumps messages.
        bool duringColouring = false;
        QTimer::singleShot(0, [&] {
            duringColouring = w.window->ColouringActive();
            w.window->workTextEditor().tbLoadFileClick(w.home / "other.txt", false);
            c.cbCodePage->setCurrentIndex(1);
            Q_EMIT c.cbCodePage->activated(1);
        });
        QVERIFY(w.load("page.htm", page));
        QVERIFY(duringColouring);
        QCOMPARE(w.window->workTextEditor().sourcePath(), w.home / "page.htm");
        QCOMPARE(w.window->sourceEditor().text(), page);
        QCOMPARE(c.cbCodePage->currentIndex(), 0);
        QVERIFY(w.at(1).style != 0);
    }

    void anEscPressedWhileNothingRanDoesNotStopTheNextColouring()
    {
        QTemporaryDir dir;
        Window w(dir);
        w.window->miAbortClick();
        w.colourOn(true);
        QVERIFY(w.load("page.htm", "<b>x</b>"));
        QVERIFY(w.at(1).style != 0);
    }

    void badRulesAreReportedOnceInOneMessage()
    {
        QTemporaryDir dir;
        Window w(dir);
        WriteAll(w.home / "ColourTXT.tbl", "(x\tRed\t\r\n(a)\tOrange\t\r\n(b)\tBlue;;8\t\r\n");
        w.colourOn(true);
        QVERIFY(w.load("t.txt", "a b a b"));
        QCOMPARE(w.colourDialogs.messages.size(), size_t(1));
        const std::string table = morvane::app::PathText(w.home / "ColourTXT.tbl");
        const std::string& message = w.colourDialogs.messages[0];
        QVERIFY2(message.rfind(table + ", line 1: ", 0) == 0, message.c_str());
        QVERIFY2(
            message.find("\r\n" + table + ", line 2: cannot read the colour \"Orange\"") != std::string::npos,
            message.c_str());
        QCOMPARE(w.at(2).fore, 0xFF0000L);
        QCOMPARE(w.at(0).style, 0);
    }

    void editedTableIsOfferedForSavingBeforeAnotherReplacesIt()
    {
        QTemporaryDir dir;
        Window w(dir);
        WriteAll(w.home / "ColourTXT.tbl", "(a)\tRed\t\r\n");
        w.window->setColourTableModified(true);
        w.colourDialogs.answers = { true };
        QFile::remove(QString::fromStdString((w.home / "ColourHTM.tbl").string()));
        w.colourOn(true);
        QVERIFY(w.load("t.txt", "a"));
        QCOMPARE(w.colourDialogs.questions.size(), size_t(1));
        QCOMPARE(w.colourDialogs.questions[0],
            morvane::app::Msg(80) + "\r\n" + morvane::app::PathText(w.home / "ColourHTM.tbl") + "?");
        QVERIFY(QFile::exists(QString::fromStdString((w.home / "ColourHTM.tbl").string())));
        QCOMPARE(w.window->colourTablePath(), w.home / "ColourTXT.tbl");
        QCOMPARE(w.window->colourList(), morvane::rules::LineList { "(a)\tRed\t" });
        QCOMPARE(w.at(0).fore, kRedRef);
    }

    void setUpModeShowsTheTableOfTheEditorsFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("rows"); // lines of the colouring table the grid shows
        QTest::newRow("a.htm with ColourHTM.tbl") << "a.htm" << 6;
        QTest::newRow("a.xyz without ColourXYZ.tbl") << "a.xyz" << 0;
    }
    void setUpModeShowsTheTableOfTheEditorsFile()
    {
        QFETCH(QString, file);
        QFETCH(int, rows);
        QTemporaryDir dir;
        Window w(dir);
        QVERIFY(w.load(file.toStdString(), "<b>x</b>"));
        w.tables().setRuleTableModified(true);
        w.setUp(true);
        const auto& c = w.window->controls();
        QVERIFY(c.tbSetColour->isChecked());
        QVERIFY(w.tables().showsColourList());
        QCOMPARE(static_cast<int>(w.tables().GridList().size()), rows);
        if (rows > 0)
            QCOMPARE(w.tables().GridList(), morvane::editor::BuiltInColourTable());
        QCOMPARE(c.sgRegExpr->rowCount(), std::max(rows, 1));
        QCOMPARE(morvane::ui::FromDisplay(c.sbInsertToReplace->toolTip()), morvane::app::Msg(72));
        // Showing a table is no edit of either table.
        QVERIFY(w.tables().RuleTableModified());
        QVERIFY(!w.tables().ColourTableModified());
        QVERIFY(w.colourDialogs.fileTitles.empty());

        w.setUp(false);
        QVERIFY(!w.tables().showsColourList());
        QCOMPARE(morvane::ui::FromDisplay(c.sbInsertToReplace->toolTip()), morvane::app::Msg(73));
        QVERIFY(w.tables().RuleTableModified());
        QVERIFY(!w.tables().ColourTableModified());
    }

    void setUpModeWithoutFileAsksForOne()
    {
        QTemporaryDir dir;
        Window w(dir);
        // Cancelled: the mode stays off.
        w.setUp(true);
        QCOMPARE(w.colourDialogs.fileTitles, std::vector<std::string> { morvane::app::Msg(74) });
        QVERIFY(!w.window->controls().tbSetColour->isChecked());
        QVERIFY(!w.window->controls().miSetColour->isChecked());
        QVERIFY(!w.tables().showsColourList());
        // A chosen file is loaded and its table shown.
        WriteAll(w.home / "s.txt", "sample");
        WriteAll(w.home / "ColourTXT.tbl", "(s)\tRed\t\r\n");
        w.colourDialogs.nextFile = w.home / "s.txt";
        w.setUp(true);
        QVERIFY(w.window->controls().tbSetColour->isChecked());
        QCOMPARE(w.window->sourceEditor().text(), std::string("sample"));
        QCOMPARE(w.tables().GridList(), morvane::rules::LineList { "(s)\tRed\t" });
        QCOMPARE(w.window->colourTablePath(), w.home / "ColourTXT.tbl");
    }

    void colouringSwitchesTheSetUpModeOff()
    {
        QTemporaryDir dir;
        Window w(dir);
        QVERIFY(w.load("a.htm", "<b>x</b>"));
        w.setUp(true);
        QVERIFY(w.tables().showsColourList());
        w.colourOn(true);
        QVERIFY(!w.window->controls().tbSetColour->isChecked());
        QVERIFY(!w.tables().showsColourList());
        QVERIFY(w.at(1).style != 0);
    }

    void attributeDialogWritesTheReplaceField_data()
    {
        QTest::addColumn<QString>("before"); // cbReplace before the dialog
        QTest::addColumn<bool>("presetBold");
        QTest::addColumn<int>("presetSize");
        QTest::addColumn<QColor>("presetColour");
        QTest::newRow("preset from an attribute text") << "Blue;Bold;20" << true << 20 << QColor(0, 0, 255);
        QTest::newRow("empty field: the editor font, black") << "" << false << 10 << QColor(Qt::black);
    }
    void attributeDialogWritesTheReplaceField()
    {
        QFETCH(QString, before);
        QFETCH(bool, presetBold);
        QFETCH(int, presetSize);
        QFETCH(QColor, presetColour);
        QTemporaryDir dir;
        Window w(dir);
        const auto& c = w.window->controls();
        QFont editorFont("Monospace", 10);
        c.reSource->setFont(editorFont);
        static_cast<QWidget*>(c.reSource)->setFont(editorFont);
        QVERIFY(w.load("a.htm", "<b>x</b>"));
        w.setUp(true);
        c.cbReplace->setEditText(before);
        QFont chosen("Monospace", 12);
        chosen.setBold(true);
        chosen.setItalic(true);
        w.colourDialogs.nextAttributes = morvane::ui::ChosenAttributes { chosen, QColor(255, 0, 0) };
        c.sbInsertToReplace->click();
        QCOMPARE(w.colourDialogs.attributeRequests, 1);
        QCOMPARE(w.colourDialogs.presetFont.bold(), presetBold);
        QCOMPARE(w.colourDialogs.presetFont.pointSize(), presetSize);
        QCOMPARE(w.colourDialogs.presetColour, presetColour);
        QCOMPARE(c.cbReplace->currentText(), QString("clRed;fsBold,fsItalic;12"));
        // Cancelled: the field stays.
        w.colourDialogs.nextAttributes.reset();
        c.sbInsertToReplace->click();
        QCOMPARE(c.cbReplace->currentText(), QString("clRed;fsBold,fsItalic;12"));
    }

    void replaceAnswerColoursTheSelectionAndPreviewShowsTheAttributes()
    {
        QTemporaryDir dir;
        Window w(dir);
        const auto& c = w.window->controls();
        QVERIFY(w.load("a.htm", "one two three"));
        w.setUp(true);
        SourceEditor& viewer = w.window->sourceEditor();
        viewer.setSelection(4, 3);
        c.cbReplace->setEditText("clRed;fsBold;10");
        w.window->ApplyAttributes();
        QCOMPARE(w.at(4).fore, kRedRef);
        QVERIFY(w.at(6).bold);
        QCOMPARE(w.at(6).size, 10);
        QCOMPARE(w.at(3).style, 0);
        QCOMPARE(w.at(7).style, 0);
        QVERIFY(!viewer.modified());
        QCOMPARE(viewer.text(), std::string("one two three"));

        c.mmReplace->setPlainText("two");
        c.cbReplace->setEditText("Purple;Italic;15");
        w.window->PreviewAttributes();
        QCOMPARE(c.mmReplace->palette().color(QPalette::Text), QColor(128, 0, 128));
        QVERIFY(c.mmReplace->font().italic());
        QCOMPARE(c.mmReplace->font().pointSize(), 15);
        QCOMPARE(c.mmReplace->toPlainText(), QString("two"));

        // A text that cannot be read applies nothing and says why.
        c.cbReplace->setEditText("Orange");
        viewer.setSelection(0, 3);
        w.window->ApplyAttributes();
        QCOMPARE(w.at(0).style, 0);
        QCOMPARE(w.colourDialogs.messages, std::vector<std::string> { "cannot read the colour \"Orange\"" });

        // Leaving the mode empties the preview and gives it the persisted font.
        w.setUp(false);
        QVERIFY(c.mmReplace->toPlainText().isEmpty());
        QCOMPARE(c.mmReplace->font(), c.LabelDir->font());
    }
};

MORVANE_UI_TEST_MAIN(ColourTest)
#include "tst_colour.moc"
