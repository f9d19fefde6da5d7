// Tag pairing and the preview in the main window: the pairing keys on a loaded HTML file (with
// Cyrillic text before the tags, so character and byte positions differ in the control), the
// command states, the preview of a selection through ".Morvane.tmp" in each code page, Esc and
// closing, the persisted placement, a preview that cannot be written, the automatic preview of
// the panel's current file and F3 in the panel.

#include "UiTestMain.h"

#include "ScriptedFormMainDialogs.h"
#include "codepage/CodePage.h"
#include "search/WorkTextEditor.h"
#include "ui/DisplayText.h"
#include "ui/FilePanelView.h"
#include "ui/QsciInclude.h"
#include "ui/SourceEditor.h"
#include "ui/TFormMain.h"
#include "ui/TFormWebBrowser.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>

#include <string>

using morvane::ui::TFormMain;

namespace {

std::string Win(const char* utf8)
{
    return morvane::codepage::Utf8ToWin1251(utf8);
}

void WriteFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

// A program directory and a tree with an HTML page and a text file in it.
struct Fixture {
    QTemporaryDir home;
    QTemporaryDir tree;
    QString root;
    ScriptedFormMainDialogs dialogs;

    Fixture()
    {
        root = QDir(tree.path()).canonicalPath();
        WriteFile(root + "/page.htm", "<p>x</p>");
        WriteFile(root + "/notes.txt", Win("Заметки"));
    }

    // A shown, active window listing the tree; `ini` adds lines to its section.
    std::unique_ptr<TFormMain> start(const std::string& ini = std::string())
    {
        WriteFile(home.filePath(QStringLiteral("Morvane.ini")),
            "[TFormMain]\r\nLabelDir_Caption=" + root.toStdString() + "\r\n" + ini);
        auto window = std::make_unique<TFormMain>(home.path().toStdString());
        window->setDialogs(&dialogs);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the window did not become active");
        return window;
    }
};

// Loads `path` into the editor as the load command does, in the code page of the box.
void Load(TFormMain& window, const QString& path)
{
    morvane::search::WorkTextEditor& editor = window.workTextEditor();
    editor.setCodePage(
        static_cast<morvane::search::CodePageChoice>(window.controls().cbCodePage->currentIndex()));
    QVERIFY(editor.LoadIntoEditor(path.toStdString()));
}

// "|" marks the caret, "[" and "]" a selection.
struct Marked {
    std::string text;
    int start = 0;
    int length = 0;
};

Marked Parse(const std::string& marked)
{
    Marked result;
    for (char c : marked) {
        const int here = static_cast<int>(result.text.size());
        if (c == '|')
            result.start = here;
        else if (c == '[')
            result.start = here;
        else if (c == ']')
            result.length = here - result.start;
        else
            result.text.push_back(c);
    }
    return result;
}

std::string Render(std::string text, int start, int length)
{
    if (length == 0)
        return text.insert(static_cast<size_t>(start), "|");
    text.insert(static_cast<size_t>(start + length), "]");
    return text.insert(static_cast<size_t>(start), "[");
}

int RowOf(const TFormMain& window, const QString& name)
{
    QListWidget* list = window.controls().lvFiles;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == name)
            return i;
    }
    return -1;
}

} // namespace

class TagsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandsFollowTheFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("htm") << "page.htm" << true;
        QTest::newRow("upper HTML") << "PAGE.HTML" << true;
        QTest::newRow("txt") << "notes.txt" << false;
        QTest::newRow("html then txt") << "page.html.txt" << false;
    }

    void commandsFollowTheFileName()
    {
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        Fixture f;
        WriteFile(f.root + "/" + name, "<b>x</b>");
        auto window = f.start();
        const auto& c = window->controls();
        QVERIFY(!c.miFindTag->isEnabled());
        QVERIFY(!c.miSelectTag->isEnabled());

        Load(*window, f.root + "/" + name);
        QCOMPARE(c.miFindTag->isEnabled(), enabled);
        QCOMPARE(c.miSelectTag->isEnabled(), enabled);

        // Emptying the editor leaves no file to pair tags in.
        window->workTextEditor().ClearEditor();
        QVERIFY(!c.miFindTag->isEnabled());
        QVERIFY(!c.miSelectTag->isEnabled());
    }

    void pairingKeys_data()
    {
        QTest::addColumn<std::string>("marked");
        QTest::addColumn<int>("modifier");
        QTest::addColumn<std::string>("expected");
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        QTest::newRow("Ctrl+F7 nested div") << std::string("<d|iv>\r\n<div>x</div>\r\n</div>") << ctrl
                                            << std::string("<div>\r\n<div>x</div>\r\n<[/div]>");
        QTest::newRow("Shift+F7 nested div") << std::string("<d|iv>\r\n<div>x</div>\r\n</div>") << shift
                                             << std::string("[<div>\r\n<div>x</div>\r\n</div>]");
        QTest::newRow("Ctrl+F7 closing to opening")
            << std::string("<div><div>1</div><div>2</div></d|iv>") << ctrl
            << std::string("<[div]><div>1</div><div>2</div></div>");
        QTest::newRow("Shift+F7 from an inner closing tag")
            << std::string("<div><div>1</d|iv><div>2</div></div>") << shift
            << std::string("<div>[<div>1</div>]<div>2</div></div>");
        // Cyrillic letters are several bytes in the control but one in the program's text.
        QTest::newRow("Ctrl+F7 after Cyrillic text")
            << Win("Привет, <b|>жирный</b> мир") << ctrl << Win("Привет, <b>жирный<[/b]> мир");
        QTest::newRow("Shift+F7 after Cyrillic text")
            << Win("Привет, <b>жирный</|b> мир") << shift << Win("Привет, [<b>жирный</b>] мир");
    }

    void pairingKeys()
    {
        QFETCH(std::string, marked);
        QFETCH(int, modifier);
        QFETCH(std::string, expected);
        Fixture f;
        const Marked in = Parse(marked);
        WriteFile(f.root + "/tags.htm", in.text);
        auto window = f.start();
        Load(*window, f.root + "/tags.htm");
        morvane::ui::SourceEditor& editor = window->sourceEditor();
        QCOMPARE(editor.text(), in.text);
        editor.setSelection(in.start, in.length);
        editor.editor()->setFocus();

        QTest::keyClick(window->controls().reSource, Qt::Key_F7, Qt::KeyboardModifiers(modifier));
        QCOMPARE(Render(editor.text(), editor.selStart(), editor.selLength()), expected);
        QVERIFY(!window->isBusy());
    }

    void pairingRefusedWhileBusy()
    {
        Fixture f;
        WriteFile(f.root + "/tags.htm", "<div>x</div>");
        auto window = f.start();
        Load(*window, f.root + "/tags.htm");
        morvane::ui::SourceEditor& editor = window->sourceEditor();
        editor.setSelection(2, 0);
        window->SetBusy(true);
        window->miFindTagClick();
        window->miSelectTagClick();
        QCOMPARE(editor.selStart(), 2);
        QCOMPARE(editor.selLength(), 0);
        window->SetBusy(false);
        window->miSelectTagClick();
        QCOMPARE(editor.selLength(), 12);
    }

    void selectionEnablesPreviewCommand()
    {
        Fixture f;
        auto window = f.start();
        Load(*window, f.root + "/page.htm");
        const auto& c = window->controls();
        morvane::ui::SourceEditor& editor = window->sourceEditor();
        editor.setSelection(1, 0);
        QVERIFY(!c.miSelectToWebBrowser->isEnabled());
        editor.setSelection(0, 3);
        QVERIFY(c.miSelectToWebBrowser->isEnabled());
        editor.setSelection(4, 0);
        QVERIFY(!c.miSelectToWebBrowser->isEnabled());
        // A block selected by Shift+F7 can be previewed at once.
        editor.setSelection(1, 0);
        window->miSelectTagClick();
        QVERIFY(c.miSelectToWebBrowser->isEnabled());
    }

    void previewWritesTheSelection_data()
    {
        QTest::addColumn<int>("codePage");
        QTest::newRow("Windows-1251") << 0;
        QTest::newRow("KOI8-R") << 1;
        QTest::newRow("DOS-866") << 2;
    }

    void previewWritesTheSelection()
    {
        QFETCH(int, codePage);
        Fixture f;
        const std::string page = Win("<body><p>Слово</p></body>");
        WriteFile(f.root + "/ru.htm", morvane::codepage::ConvertText(page, 0, codePage));
        auto window = f.start();
        const auto& c = window->controls();
        c.cbCodePage->setCurrentIndex(codePage);
        Load(*window, f.root + "/ru.htm");
        morvane::ui::SourceEditor& editor = window->sourceEditor();
        QCOMPARE(editor.text(), page);
        editor.setSelection(6, 12); // <p>Слово</p>

        QTest::keyClick(c.reSource, Qt::Key_F3, Qt::ControlModifier);
        const std::string document = "<html>\r\n" + Win("<p>Слово</p>") + "\r\n</html>";
        const std::string written = morvane::codepage::ConvertText(document, 0, codePage);
        QCOMPARE(ReadFile(f.root + "/.Morvane.tmp"), QByteArray::fromStdString(written));
        morvane::ui::TFormWebBrowser& preview = window->previewWindow();
        QVERIFY(preview.isVisible());
        QCOMPARE(preview.windowTitle(), QStringLiteral("WebBrowser"));
        QCOMPARE(preview.browser()->toPlainText().trimmed(), QString::fromUtf8("Слово"));
        QVERIFY(f.dialogs.messages.empty());
    }

    void blockFollowsIntoVisiblePreview()
    {
        Fixture f;
        WriteFile(f.root + "/two.htm", "<i>one</i><b>two</b>");
        auto window = f.start();
        Load(*window, f.root + "/two.htm");
        morvane::ui::SourceEditor& editor = window->sourceEditor();
        // While the preview is hidden, selecting a block writes nothing.
        editor.setSelection(1, 0);
        window->miSelectTagClick();
        QVERIFY(!QFile::exists(f.root + "/.Morvane.tmp"));

        editor.setSelection(0, 10);
        window->miSelectToWebBrowserClick();
        QCOMPARE(ReadFile(f.root + "/.Morvane.tmp"), QByteArray("<html>\r\n<i>one</i>\r\n</html>"));
        // Once it shows, each block selected goes there too.
        editor.setSelection(12, 0);
        window->miSelectTagClick();
        QCOMPARE(ReadFile(f.root + "/.Morvane.tmp"), QByteArray("<html>\r\n<b>two</b>\r\n</html>"));
        QCOMPARE(window->previewWindow().browser()->toPlainText().trimmed(), QStringLiteral("two"));
        // The file lives only as long as the preview window shows it.
        window->previewWindow().close();
        QVERIFY(!QFile::exists(f.root + "/.Morvane.tmp"));
    }

    void previewNeedsSelectionAndFile()
    {
        Fixture f;
        auto window = f.start();
        morvane::ui::SourceEditor& editor = window->sourceEditor();
        // Text typed into an editor that holds no file has nowhere to put the preview.
        editor.setText("<b>typed</b>");
        editor.setSelection(0, 5);
        window->miSelectToWebBrowserClick();
        QVERIFY(window->previewWindow().isHidden());

        Load(*window, f.root + "/page.htm");
        editor.setSelection(2, 0);
        window->miSelectToWebBrowserClick();
        QVERIFY(window->previewWindow().isHidden());
        QVERIFY(!QFile::exists(f.root + "/.Morvane.tmp"));
    }

    void previewThatCannotBeWritten()
    {
        Fixture f;
        QDir(f.root).mkdir(QStringLiteral("gone"));
        WriteFile(f.root + "/gone/page.htm", "<p>x</p>");
        auto window = f.start();
        Load(*window, f.root + "/gone/page.htm");
        QVERIFY(QDir(f.root + "/gone").removeRecursively());
        window->sourceEditor().setSelection(0, 3);
        window->miSelectToWebBrowserClick();
        QCOMPARE(f.dialogs.messages.size(), size_t(1));
        QVERIFY2(f.dialogs.messages[0].rfind("Cannot create file", 0) == 0, f.dialogs.messages[0].c_str());
        QVERIFY(window->previewWindow().isHidden());
    }

    void escAndCloseHideThePreview()
    {
        Fixture f;
        auto window = f.start("tbWebBrowser_Down=True\r\n");
        const auto& c = window->controls();
        QVERIFY(!window->ClosePreviewIfVisible());

        window->ShowInPreview((f.root + "/notes.txt").toStdString());
        morvane::ui::TFormWebBrowser& preview = window->previewWindow();
        QVERIFY(preview.isVisible());
        // The key as the preview's browser gets it when the preview is the active window.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(preview.browser(), &escape);
        QVERIFY(preview.isHidden());
        // Closing the preview releases the automatic preview with its menu item and page.
        QVERIFY(!c.tbWebBrowser->isChecked());
        QVERIFY(!c.miWebBrowser->isChecked());
        QVERIFY(!c.PageControlWork->isTabVisible(c.PageControlWork->indexOf(c.TabSheetWeb)));

        // Esc in the main window closes a visible preview first and aborts nothing.
        window->ShowInPreview((f.root + "/notes.txt").toStdString());
        c.miAbort->trigger();
        QVERIFY(preview.isHidden());
        QVERIFY(!window->passControl().AbortRequested());
        QVERIFY(!window->ClosePreviewIfVisible());
    }

    void placementSurvivesRestart()
    {
        Fixture f;
        {
            auto window = f.start();
            window->ShowInPreview((f.root + "/notes.txt").toStdString());
            morvane::ui::TFormWebBrowser& preview = window->previewWindow();
            preview.resize(420, 260);
            preview.move(130, 90);
            preview.close();
            QVERIFY(window->close());
        }
        const QByteArray ini = ReadFile(f.home.filePath(QStringLiteral("Morvane.ini")));
        QVERIFY2(ini.contains("[TFormWebBrowser]"), ini.constData());
        QVERIFY2(ini.contains("Width=420"), ini.constData());

        // The file holds what the last run left, so the next start must not rewrite it.
        auto window = std::make_unique<TFormMain>(f.home.path().toStdString());
        window->setDialogs(&f.dialogs);
        window->show();
        window->ShowInPreview((f.root + "/notes.txt").toStdString());
        morvane::ui::TFormWebBrowser& preview = window->previewWindow();
        QCOMPARE(preview.size(), QSize(420, 260));
        QCOMPARE(preview.pos(), QPoint(130, 90));
    }

    void automaticPreviewShowsTheCurrentFile()
    {
        Fixture f;
        WriteFile(f.root + "/ru.txt", Win("Строка"));
        auto window = f.start("tbWebBrowser_Down=True\r\n");
        const auto& c = window->controls();
        const int webTab = c.PageControlWork->indexOf(c.TabSheetWeb);
        QVERIFY(c.PageControlWork->isTabVisible(webTab));

        c.lvFiles->setCurrentRow(RowOf(*window, QStringLiteral("ru.txt")));
        QCOMPARE(c.stViewFile->text(), f.root + "/ru.txt");
        QCOMPARE(c.WebBrowserView->toPlainText(), QString::fromUtf8("Строка"));
        QCOMPARE(c.PageControlWork->currentWidget(), c.TabSheetWeb);

        c.lvFiles->setCurrentRow(RowOf(*window, QStringLiteral("page.htm")));
        QCOMPARE(c.stViewFile->text(), f.root + "/page.htm");
        QCOMPARE(c.WebBrowserView->toPlainText().trimmed(), QStringLiteral("x"));

        // A directory leaves the last file shown.
        QDir(f.root).mkdir(QStringLiteral("sub"));
        window->filePanel()->model().RefreshListing();
        window->filePanel()->sync();
        c.lvFiles->setCurrentRow(RowOf(*window, QStringLiteral("sub")));
        QCOMPARE(c.stViewFile->text(), f.root + "/page.htm");

        // The button up: the page goes and the focus no longer shows anything.
        c.PageControlWork->setCurrentWidget(c.TabSheetFindReplace);
        c.tbWebBrowser->click();
        QVERIFY(!c.miWebBrowser->isChecked());
        QVERIFY(!c.PageControlWork->isTabVisible(webTab));
        c.lvFiles->setCurrentRow(RowOf(*window, QStringLiteral("notes.txt")));
        QCOMPARE(c.stViewFile->text(), f.root + "/page.htm");
        QCOMPARE(c.PageControlWork->currentWidget(), c.TabSheetFindReplace);

        // Down again: the current file shows at once.
        c.tbWebBrowser->click();
        QVERIFY(c.miWebBrowser->isChecked());
        QCOMPARE(c.stViewFile->text(), f.root + "/notes.txt");
        QCOMPARE(c.PageControlWork->currentWidget(), c.TabSheetWeb);
    }

    void automaticPreviewWaitsWhileBusy()
    {
        Fixture f;
        auto window = f.start("tbWebBrowser_Down=True\r\n");
        const auto& c = window->controls();
        c.lvFiles->setCurrentRow(RowOf(*window, QStringLiteral("page.htm")));
        // With nothing marked a new focus would end the busy state itself.
        window->filePanel()->model().markAll();
        window->filePanel()->sync();
        window->SetBusy(true);
        c.lvFiles->setCurrentRow(RowOf(*window, QStringLiteral("notes.txt")));
        QCOMPARE(c.stViewFile->text(), f.root + "/page.htm");
        window->SetBusy(false);
    }

    void f3InThePanelShowsTheFocusedFile()
    {
        Fixture f;
        auto window = f.start();
        const auto& c = window->controls();
        c.lvFiles->setFocus();
        c.lvFiles->setCurrentRow(RowOf(*window, QStringLiteral("notes.txt")));
        QTest::keyClick(c.lvFiles, Qt::Key_F3);
        morvane::ui::TFormWebBrowser& preview = window->previewWindow();
        QVERIFY(preview.isVisible());
        QCOMPARE(preview.browser()->toPlainText(), QString::fromUtf8("Заметки"));

        preview.close();
        c.lvFiles->setCurrentRow(RowOf(*window, QStringLiteral("page.htm")));
        QTest::keyClick(c.lvFiles, Qt::Key_F3);
        QVERIFY(preview.isVisible());
        QCOMPARE(preview.browser()->toPlainText().trimmed(), QStringLiteral("x"));
    }
};

MORVANE_UI_TEST_MAIN(TagsTest)
#include "tst_tags.moc"
