// The rule table page and the work page's rule fields: the grid shown from the table, in-place
// edits with their checks, the table commands and keys, the drop-down lists that follow the
// rows, Enter and Insert in the fields, quoting, the insertion menus, the modifier and mode
// twins, the table files with their dialogs and questions, and the settings kept over a restart.

#include "UiTestMain.h"

#include "ScriptedFormMainDialogs.h"
#include "ScriptedTablePageDialogs.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "regex/TRegex.h"
#include "rules/RuleCompiler.h"
#include "rules/RuleTableModel.h"
#include "ui/DisplayText.h"
#include "ui/RuleTablePage.h"
#include "ui/TFormMain.h"
#include "ui/WidgetTablePageDialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

using morvane::app::Msg;
using morvane::codepage::Utf8ToWin1251;
using morvane::rules::GlobalModifier;
using morvane::rules::RuleTableModel;
using morvane::ui::FromDisplay;
using morvane::ui::TFormMain;
using morvane::ui::ToDisplay;

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

// A window over `dir` with scripted boxes, shown and active (leaving a field needs focus events).
struct Session {
    ScriptedFormMainDialogs mainDialogs;
    ScriptedTablePageDialogs dialogs;
    std::unique_ptr<TFormMain> window;

    explicit Session(const QTemporaryDir& dir)
    {
        window = std::make_unique<TFormMain>(dir.path().toStdString());
        window->setDialogs(&mainDialogs);
        window->setTablePageDialogs(&dialogs);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    ~Session()
    {
        if (window)
            window->close();
    }
    const morvane::ui::FormMainControls& c() const { return window->controls(); }
    RuleTableModel& model() const { return window->tablePage().model(); }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem* item = c().sgRegExpr->item(row, column);
        return item != nullptr ? item->text() : QString();
    }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < c().sgRegExpr->rowCount(); ++row)
            texts.append(cell(row, column));
        return texts;
    }
    QStringList items(QComboBox* combo) const
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts.append(combo->itemText(i));
        return texts;
    }
    // The grid's current row shown everywhere: memos, fields, drop-down index.
    void expectRowShown(int row) const
    {
        const auto& k = c();
        QCOMPARE(k.sgRegExpr->currentRow(), row - 1);
        QCOMPARE(k.MemoFind->toPlainText(), cell(row - 1, 0));
        QCOMPARE(k.MemoReplace->toPlainText(), cell(row - 1, 1));
        QCOMPARE(k.cbFind->currentText(), cell(row - 1, 0));
        QCOMPARE(k.cbReplace->currentText(), cell(row - 1, 1));
        QCOMPARE(k.cbRemark->currentText(), cell(row - 1, 2));
        for (QComboBox* combo : { k.cbFind, k.cbReplace, k.cbRemark })
            QCOMPARE(combo->currentIndex(), row - 1);
        QCOMPARE(k.tbMoveUp->isEnabled(), row > 1);
        QCOMPARE(k.tbMoveTop->isEnabled(), row > 1);
        QCOMPARE(k.tbMoveDown->isEnabled(), row < k.sgRegExpr->rowCount());
        QCOMPARE(k.tbMoveBottom->isEnabled(), row < k.sgRegExpr->rowCount());
    }
    // Opens the cell editor on (row, column) (0-based widget cell), types `text` and commits.
    void editCell(int row, int column, const QString& text)
    {
        QTableWidget* grid = c().sgRegExpr;
        grid->setFocus();
        grid->setCurrentCell(row, column);
        grid->editItem(grid->item(row, column));
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(row, column)));
        if (editor == nullptr)
            editor = grid->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

const QByteArray kThreeRules = "a+\tA\tone\r\nb+\tB\ttwo\r\nc+\tC\tthree\r\n";

QString Win1251Text(const char* utf8)
{
    return ToDisplay(Utf8ToWin1251(utf8));
}

} // namespace

class TablePageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void gridShowsTheTableWithNumbersHeaderAndWidths()
    {
        QTemporaryDir dir;
        WriteAll(dir.filePath("RegExpr.tbl"), "x\r\np\tq\r\nf\tr\tm\tn\r\n");
        Session s(dir);
        const auto& c = s.c();
        QCOMPARE(c.sgRegExpr->rowCount(), 3);
        QCOMPARE(s.column(0), QStringList({ "x", "p", "f" }));
        QCOMPARE(s.column(1), QStringList({ "", "q", "r" }));
        QCOMPARE(s.column(2), QStringList({ "", "", "m\tn" }));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(c.sgRegExpr->model()->headerData(row, Qt::Vertical).toInt(), row + 1);
        for (int column = 0; column < 3; ++column)
            QCOMPARE(c.sgRegExpr->horizontalHeaderItem(column)->text(), ToDisplay(Msg(column + 1)));
        s.expectRowShown(1);
        QVERIFY(!s.model().RuleTableModified());

        // The widths follow the grid's client width at every refill.
        c.PageControlMain->setCurrentWidget(c.TabSheetOptions);
        QTRY_VERIFY(c.sgRegExpr->viewport()->width() > 200);
        c.tbInsertToTable->click();
        const int client = c.sgRegExpr->verticalHeader()->width() + c.sgRegExpr->viewport()->width();
        QCOMPARE(c.sgRegExpr->verticalHeader()->width(), 36);
        QCOMPARE(c.sgRegExpr->columnWidth(0), client / 3);
        QCOMPARE(c.sgRegExpr->columnWidth(1), client / 3);
        QCOMPARE(c.sgRegExpr->columnWidth(2), client - 36 - 2 * (client / 3) - 4);
    }

    void editedCellsAreCheckedAndRestored_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expectedCell"); // the cell after the edit
        QTest::addColumn<QString>("expectedMessage"); // empty: none
        QTest::addColumn<QString>("expectedMemoFind");

        QTest::newRow("valid find is kept") << 0 << "z[0-9]"
                                            << "z[0-9]"
                                            << ""
                                            << "z[0-9]";
        QTest::newRow("refused find is restored, memo keeps it") << 0 << "ab(c"
                                                                 << "a+"
                                                                 << "find error"
                                                                 << "ab(c";
        QTest::newRow("replacement is kept") << 1 << "NEW"
                                             << "NEW"
                                             << ""
                                             << "a+";
        QTest::newRow("refused remark is restored")
            << 2 << "(?iq) bad"
            << "one" << morvane::rules::kUnrecognizedModifierText << "a+";
        QTest::newRow("remark with a closing parenthesis only is valid") << 2 << "x) y"
                                                                         << "x) y"
                                                                         << ""
                                                                         << "a+";
    }
    void editedCellsAreCheckedAndRestored()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, expectedCell);
        QFETCH(QString, expectedMessage);
        QFETCH(QString, expectedMemoFind);

        QTemporaryDir dir;
        WriteAll(dir.filePath("RegExpr.tbl"), kThreeRules);
        Session s(dir);
        s.editCell(0, column, text);
        // Every changed cell is written back, also one that was restored.
        QTRY_VERIFY(s.model().RuleTableModified());
        QCOMPARE(s.cell(0, column), expectedCell);
        QCOMPARE(s.c().MemoFind->toPlainText(), expectedMemoFind);
        QCOMPARE(s.model().RuleList().at(0).substr(0, s.model().RuleList().at(0).find('\t')),
            FromDisplay(s.cell(0, 0)));
        if (expectedMessage.isEmpty()) {
            QVERIFY(s.dialogs.messages.empty());
        } else if (expectedMessage == QLatin1String("find error")) {
            // The engine's own message, and the character at its error position selected in the memo.
            morvane::regex::TRegex engine;
            morvane::rules::RuleCompiler compiler(engine);
            compiler.ApplyGlobalModifiers();
            const morvane::rules::CheckResult check = compiler.ValidateFind(FromDisplay(text));
            QVERIFY(!check.ok);
            QCOMPARE(s.dialogs.messages, std::vector<std::string>({ check.message }));
            QTRY_COMPARE(s.window->focusWidget(), static_cast<QWidget*>(s.c().MemoFind));
            const QTextCursor cursor = s.c().MemoFind->textCursor();
            QCOMPARE(cursor.selectionStart(), check.position - 1);
            QCOMPARE(cursor.selectionEnd(), check.position);
        } else {
            QCOMPARE(s.dialogs.messages, std::vector<std::string>({ FromDisplay(expectedMessage) }));
        }
    }

    void replacementEditOfARowWithABadFindReportsWithoutTouchingTheFind()
    {
        QTemporaryDir dir;
        WriteAll(dir.filePath("RegExpr.tbl"), "x(\tr\tm\r\n");
        Session s(dir);
        s.editCell(0, 1, QStringLiteral("R2"));
        QTRY_COMPARE(s.dialogs.messages.size(), size_t(1));
        QCOMPARE(s.cell(0, 0), QStringLiteral("x("));
        QCOMPARE(s.cell(0, 1), QStringLiteral("R2"));
        QCOMPARE(s.model().RuleList(), morvane::rules::LineList({ "x(\tR2\tm" }));
    }

    void tableCommandsInsertDeleteAndMove()
    {
        QTemporaryDir dir;
        WriteAll(dir.filePath("RegExpr.tbl"), kThreeRules);
        Session s(dir);
        const auto& c = s.c();
        const QString tmpl = Win1251Text("(?mgsr-ix)-модификаторы поиска ${E}-режим замены");

        struct Step {
            const char* name;
            std::function<void()> act;
            QStringList finds;
            int current;
        };
        const std::vector<Step> steps = {
            { "move bottom", [&] { c.tbMoveBottom->click(); }, { "b+", "c+", "a+" }, 3 },
            { "move bottom at the end does nothing", [&] { c.tbMoveBottom->click(); }, { "b+", "c+", "a+" },
                3 },
            { "move up", [&] { c.tbMoveUp->click(); }, { "b+", "a+", "c+" }, 2 },
            { "move top", [&] { c.tbMoveTop->click(); }, { "a+", "b+", "c+" }, 1 },
            { "move up at the top does nothing", [&] { c.tbMoveUp->click(); }, { "a+", "b+", "c+" }, 1 },
            { "move down", [&] { c.tbMoveDown->click(); }, { "b+", "a+", "c+" }, 2 },
            { "insert after the current row", [&] { c.tbInsertToTable->click(); }, { "b+", "a+", "", "c+" },
                3 },
            { "delete the current row", [&] { c.tbDeleteFromTable->click(); }, { "b+", "a+", "c+" }, 3 },
            { "delete beside the memos", [&] { c.sbDeleteToTable->click(); }, { "b+", "a+" }, 2 },
            { "Ctrl+Insert in the grid",
                [&] {
                    c.sgRegExpr->setFocus();
                    QTest::keyClick(c.sgRegExpr, Qt::Key_Insert, Qt::ControlModifier);
                },
                { "b+", "a+", "" }, 3 },
            { "Ctrl+Delete in the grid",
                [&] {
                    c.sgRegExpr->setCurrentCell(0, 0);
                    QTest::keyClick(c.sgRegExpr, Qt::Key_Delete, Qt::ControlModifier);
                },
                { "a+", "" }, 1 },
        };
        for (const Step& step : steps) {
            step.act();
            QVERIFY2(s.column(0) == step.finds, step.name);
            QVERIFY2(c.sgRegExpr->currentRow() == step.current - 1, step.name);
            s.expectRowShown(step.current);
            QCOMPARE(s.items(c.cbFind), s.column(0));
            QCOMPARE(s.items(c.cbRemark), s.column(2));
        }
        // The inserted rule carries the remark template of the built-in settings.
        QCOMPARE(s.cell(1, 2), tmpl);
        QVERIFY(s.model().RuleTableModified());
    }

    void memoAndWorkFieldCommands()
    {
        QTemporaryDir dir;
        WriteAll(dir.filePath("RegExpr.tbl"), kThreeRules);
        Session s(dir);
        const auto& c = s.c();

        // From the memos: a typed line break and TAB are stored as the escape sequences.
        c.MemoFind->setFocus();
        c.MemoFind->selectAll();
        QTest::keyClicks(c.MemoFind, QStringLiteral("p"));
        QTest::keyClick(c.MemoFind, Qt::Key_Return);
        QTest::keyClicks(c.MemoFind, QStringLiteral("q"));
        c.MemoReplace->setPlainText(QStringLiteral("r\ts"));
        c.sbReplaceToTable->click();
        QCOMPARE(s.cell(0, 0), QStringLiteral("p\\r\\nq"));
        QCOMPARE(s.cell(0, 1), QStringLiteral("r\\ts"));
        QCOMPARE(s.cell(0, 2), QStringLiteral("one"));
        QCOMPARE(c.MemoFind->toPlainText(), QStringLiteral("p\\r\\nq"));
        s.expectRowShown(1);

        c.sbAddToTable->click();
        QCOMPARE(c.sgRegExpr->rowCount(), 4);
        QCOMPARE(s.cell(3, 0), QStringLiteral("p\\r\\nq"));
        s.expectRowShown(4);

        // From the work fields, as typed.
        c.cbFind->setEditText(QStringLiteral("w1"));
        c.cbReplace->setEditText(QStringLiteral("w2"));
        c.cbRemark->setEditText(QStringLiteral("w3"));
        c.tbInsertTable->click();
        QCOMPARE(c.sgRegExpr->rowCount(), 5);
        QCOMPARE(
            QStringList({ s.cell(4, 0), s.cell(4, 1), s.cell(4, 2) }), QStringList({ "w1", "w2", "w3" }));
        s.expectRowShown(5);

        c.sgRegExpr->setCurrentCell(1, 0);
        s.expectRowShown(2);
        c.cbFind->setEditText(QStringLiteral("e1"));
        c.cbRemark->setEditText(QStringLiteral("e3"));
        c.tbEditTable->click();
        QCOMPARE(QStringList({ s.cell(1, 0), s.cell(1, 1), s.cell(1, 2) }), QStringList({ "e1", "B", "e3" }));
        s.expectRowShown(2);
        QCOMPARE(s.model().RuleList().at(1), std::string("e1\tB\te3"));
    }

    void rowDragWritesTheNewOrderBack()
    {
        QTemporaryDir dir;
        WriteAll(dir.filePath("RegExpr.tbl"), kThreeRules);
        Session s(dir);
        QHeaderView* header = s.c().sgRegExpr->verticalHeader();
        header->moveSection(0, 2);
        QCOMPARE(s.column(0), QStringList({ "b+", "c+", "a+" }));
        QCOMPARE(
            s.model().RuleList(), morvane::rules::LineList({ "b+\tB\ttwo", "c+\tC\tthree", "a+\tA\tone" }));
        // The sections are back in order, so the numbers run 1, 2, 3 from the top.
        for (int visual = 0; visual < 3; ++visual)
            QCOMPARE(header->logicalIndex(visual), visual);
        QVERIFY(s.model().RuleTableModified());
    }

    void dropDownListsFollowTheRows()
    {
        QTemporaryDir dir;
        WriteAll(dir.filePath("RegExpr.tbl"), kThreeRules + "d+\tD\tfour\r\n");
        Session s(dir);
        const auto& c = s.c();
        QCOMPARE(s.items(c.cbFind), QStringList({ "a+", "b+", "c+", "d+" }));
        QCOMPARE(s.items(c.cbReplace), QStringList({ "A", "B", "C", "D" }));
        QCOMPARE(s.items(c.cbRemark), QStringList({ "one", "two", "three", "four" }));

        for (auto [combo, index] :
            { std::pair { c.cbRemark, 3 }, std::pair { c.cbFind, 1 }, std::pair { c.cbReplace, 2 } }) {
            combo->setCurrentIndex(index);
            Q_EMIT combo->activated(index);
            s.expectRowShown(index + 1);
        }
        // Typing into a field changes neither the table nor the lists.
        c.cbFind->setEditText(QStringLiteral("typed"));
        QCOMPARE(s.items(c.cbFind), QStringList({ "a+", "b+", "c+", "d+" }));
        QCOMPARE(s.window->workFieldsRule().Find, std::string("typed"));
        QVERIFY(!s.model().RuleTableModified());

        // An interactive run waiting at a match ends when the find or replacement changes or a
        // rule is picked, not when the remark changes.
        const std::vector<std::pair<std::function<void()>, bool>> changes = {
            { [&] { c.cbRemark->setEditText(QStringLiteral("r")); }, true },
            { [&] { c.cbReplace->setEditText(QStringLiteral("R")); }, false },
            { [&] { c.cbFind->setEditText(QStringLiteral("F")); }, false },
            { [&] { Q_EMIT c.cbRemark->activated(0); }, false },
        };
        for (const auto& [change, stillWaiting] : changes) {
            c.sbYes->setEnabled(true);
            change();
            QCOMPARE(c.sbYes->isEnabled(), stillWaiting);
        }
        s.expectRowShown(1);
    }

    void enterInTheFindAndReplaceFieldsInsertsTheLineBreakSequence()
    {
        QTemporaryDir dir;
        Session s(dir);
        const auto& c = s.c();
        for (QComboBox* field : { c.cbFind, c.cbReplace }) {
            field->setFocus();
            field->setEditText(QStringLiteral("abXd"));
            field->lineEdit()->setSelection(2, 1);
            QTest::keyClick(field, Qt::Key_Return);
            QCOMPARE(field->currentText(), QStringLiteral("ab\\r\\nd"));
            QCOMPARE(field->lineEdit()->cursorPosition(), 6);
            QCOMPARE(field->count(), 1); // nothing was added to the list
        }
        QCOMPARE(s.window->workFieldsRule().Find, std::string("ab\\r\\nd"));
        QCOMPARE(s.window->workFieldsRule().Replace, std::string("ab\\r\\nd"));
    }

    void quotingTheSelection_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("menuItem"); // miQuote (F9) or the button beside the memos
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");

        QTest::newRow("memo, button") << "MemoFind" << false << "<a.b*(x)>" << 1 << 7 << "<a\\.b\\*\\(x\\)>";
        QTest::newRow("replace memo, F9") << "MemoReplace" << true << "[1]{2}" << 0 << 6 << "\\[1\\]\\{2\\}";
        QTest::newRow("find field, F9") << "cbFind" << true << "^a|b$" << 0 << 5 << "\\^a\\|b\\$";
        QTest::newRow("replace field, F9") << "cbReplace" << true << "?+\\" << 0 << 3 << "\\?\\+\\\\";
        QTest::newRow("hyphen, hash and blanks stay") << "MemoFind" << true << "x-y #z" << 0 << 6 << "x-y #z";
        QTest::newRow("no selection, nothing") << "MemoFind" << true << "a.b" << 1 << 0 << "a.b";
        QTest::newRow("button ignores the work fields") << "cbFind" << false << "a.b" << 0 << 3 << "a.b";
    }
    void quotingTheSelection()
    {
        QFETCH(QString, control);
        QFETCH(bool, menuItem);
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, expected);

        QTemporaryDir dir;
        Session s(dir);
        const auto& c = s.c();
        QWidget* target = s.window->findChild<QWidget*>(control);
        QVERIFY(target != nullptr);
        target->setFocus();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(target)) {
            memo->setPlainText(text);
            QTextCursor cursor = memo->textCursor();
            cursor.setPosition(start);
            cursor.setPosition(start + length, QTextCursor::KeepAnchor);
            memo->setTextCursor(cursor);
        } else {
            auto* combo = qobject_cast<QComboBox*>(target);
            combo->setEditText(text);
            combo->lineEdit()->setSelection(start, length);
        }
        if (menuItem)
            c.miQuote->trigger();
        else
            c.sbQuoteMemoFind->click();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(target))
            QCOMPARE(memo->toPlainText(), expected);
        else
            QCOMPARE(qobject_cast<QComboBox*>(target)->currentText(), expected);
    }

    void insertionMenusInsertAtTheCaret()
    {
        QTemporaryDir dir;
        Session s(dir);
        const auto& c = s.c();
        auto item = [&](const char* name) { return s.window->findChild<QAction*>(QLatin1String(name)); };

        // Into MemoFind when it has the focus: the selection is replaced, the caret inside.
        c.MemoFind->setFocus();
        c.MemoFind->setPlainText(QStringLiteral("abXYc"));
        QTextCursor cursor = c.MemoFind->textCursor();
        cursor.setPosition(2);
        cursor.setPosition(4, QTextCursor::KeepAnchor);
        c.MemoFind->setTextCursor(cursor);
        item("miFromNtoMMatches")->trigger();
        QCOMPARE(c.MemoFind->toPlainText(), QStringLiteral("ab{n,m}c"));
        QCOMPARE(c.MemoFind->textCursor().position(), 4);
        QVERIFY(!c.MemoFind->textCursor().hasSelection());
        QVERIFY(s.model().memoFindChanged());

        // Otherwise into cbFind, which gets the focus.
        c.sgRegExpr->setFocus();
        c.cbFind->setEditText(QStringLiteral("xy"));
        c.cbFind->lineEdit()->setCursorPosition(1);
        item("miAnySetOfCharacters")->trigger();
        QCOMPARE(c.cbFind->currentText(), QStringLiteral("x[]y"));
        QCOMPARE(c.cbFind->lineEdit()->cursorPosition(), 2);
        QCOMPARE(s.window->focusWidget(), static_cast<QWidget*>(c.cbFind));
        QCOMPARE(s.model().fieldText(morvane::rules::RuleField::cbFind), std::string("x[]y"));
        c.cbFind->setEditText(QStringLiteral("x")); // a valid expression, so leaving the field is quiet

        // A template item switches the global mode to extended; one that does not leaves it.
        c.rbSimpleReplace->setChecked(true);
        c.MemoReplace->setFocus();
        c.MemoReplace->setPlainText(QStringLiteral("z"));
        c.MemoReplace->moveCursor(QTextCursor::End);
        item("miFoundText")->trigger();
        QCOMPARE(c.MemoReplace->toPlainText(), QStringLiteral("z${0}"));
        QVERIFY(c.rbSimpleReplace->isChecked());
        item("miUpperCase")->trigger();
        QCOMPARE(c.MemoReplace->toPlainText(), QStringLiteral("z${0}\\U"));
        QVERIFY(c.rbExtendedReplace->isChecked());
        QVERIFY(c.miExtendedReplace->isChecked());
        QCOMPARE(s.window->tablePage().compiler().replaceMode(), morvane::rules::ReplaceMode::Extended);
    }

    void memoKeys()
    {
        QTemporaryDir dir;
        Session s(dir);
        const auto& c = s.c();
        for (QPlainTextEdit* memo : { c.MemoFind, c.MemoReplace, c.mmReplace }) {
            memo->setFocus();
            memo->setPlainText(QStringLiteral("hello"));
            QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
            QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("hello"));
            // A selection made backwards: Ctrl+D keeps the caret where it stands and the text.
            QTextCursor cursor = memo->textCursor();
            cursor.setPosition(4);
            cursor.setPosition(1, QTextCursor::KeepAnchor);
            memo->setTextCursor(cursor);
            QTest::keyClick(memo, Qt::Key_D, Qt::ControlModifier);
            QVERIFY(!memo->textCursor().hasSelection());
            QCOMPARE(memo->textCursor().position(), 1);
            QCOMPARE(memo->toPlainText(), QStringLiteral("hello"));
        }

        for (auto [control, menu] : { std::pair<QWidget*, QMenu*> { c.MemoFind, c.pmFind },
                 std::pair<QWidget*, QMenu*> { c.MemoReplace, c.pmReplace },
                 std::pair<QWidget*, QMenu*> { c.mmReplace, c.pmReplace },
                 std::pair<QWidget*, QMenu*> { c.cbFind, c.pmFind },
                 std::pair<QWidget*, QMenu*> { c.cbReplace, c.pmReplace } }) {
            control->setFocus();
            QVERIFY(!menu->isVisible());
            QTest::keyClick(control, Qt::Key_Insert);
            QTRY_VERIFY(menu->isVisible());
            menu->hide();
            QTRY_VERIFY(!menu->isVisible());
        }

        // The right button opens the same menus over the four fields (the preview memo keeps
        // its standard menu).
        for (auto [control, menu] : { std::pair<QWidget*, QMenu*> { c.MemoFind->viewport(), c.pmFind },
                 std::pair<QWidget*, QMenu*> { c.MemoReplace->viewport(), c.pmReplace },
                 std::pair<QWidget*, QMenu*> { c.cbFind->lineEdit(), c.pmFind },
                 std::pair<QWidget*, QMenu*> { c.cbReplace->lineEdit(), c.pmReplace } }) {
            // Whatever menu comes up is noted and closed (a standard edit menu would block here).
            QWidget* shown = nullptr;
            QTimer::singleShot(50, [&shown] {
                shown = QApplication::activePopupWidget();
                if (shown != nullptr)
                    shown->close();
            });
            QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(2, 2), control->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(control, &rightClick);
            QTRY_VERIFY(shown != nullptr);
            QCOMPARE(shown, static_cast<QWidget*>(menu));
        }
    }

    void leavingFieldsChecksThem()
    {
        QTemporaryDir dir;
        WriteAll(dir.filePath("RegExpr.tbl"), kThreeRules);
        Session s(dir);
        const auto& c = s.c();

        // A refused expression in cbFind: the message, the focus back, the error character selected.
        c.cbFind->setFocus();
        c.cbFind->setEditText(QStringLiteral("q[z"));
        c.cbRemark->setFocus();
        QTRY_COMPARE(s.dialogs.messages.size(), size_t(1));
        QTRY_COMPARE(s.window->focusWidget(), static_cast<QWidget*>(c.cbFind));
        QTRY_COMPARE(c.cbFind->lineEdit()->selectionLength(), 1);

        // A refused remark: the modifier letters selected.
        c.cbFind->setEditText(QStringLiteral("ok"));
        c.cbRemark->setFocus();
        c.cbRemark->setEditText(QStringLiteral("ab(?iqs)cd"));
        c.cbReplace->setFocus();
        QTRY_COMPARE(s.dialogs.messages.size(), size_t(2));
        QCOMPARE(s.dialogs.messages.back(), std::string(morvane::rules::kUnrecognizedModifierText));
        QTRY_COMPARE(s.window->focusWidget(), static_cast<QWidget*>(c.cbRemark));
        QTRY_COMPARE(c.cbRemark->lineEdit()->selectedText(), QStringLiteral("iqs"));
        QVERIFY(!s.model().RuleTableModified());

        // A changed memo asks once when left; Yes writes it into the current row.
        c.cbRemark->setEditText(QStringLiteral("fine"));
        c.PageControlMain->setCurrentWidget(c.TabSheetOptions);
        c.MemoReplace->setFocus();
        c.MemoReplace->moveCursor(QTextCursor::End);
        QTest::keyClicks(c.MemoReplace, QStringLiteral("Z"));
        s.dialogs.answers = { true };
        c.sgRegExpr->setFocus();
        QTRY_COMPARE(s.dialogs.questions.size(), size_t(1));
        QCOMPARE(s.dialogs.questions[0], Msg(11));
        QCOMPARE(s.cell(0, 1), QStringLiteral("AZ"));
        c.MemoReplace->setFocus();
        c.sgRegExpr->setFocus();
        QCOMPARE(s.dialogs.questions.size(), size_t(1));
    }

    void characterFieldsAreDecodedWhenLeft()
    {
        QTemporaryDir dir;
        Session s(dir);
        const auto& c = s.c();
        c.PageControlMain->setCurrentWidget(c.TabSheetOptions);
        c.EditWordChars->setFocus();
        c.EditWordChars->setText(QStringLiteral("ab\\x43\\x5F"));
        c.EditSpaceChars->setFocus();
        QTRY_COMPARE(c.EditWordChars->text(), QStringLiteral("abC_"));
        QCOMPARE(s.window->tablePage().engine().WordChars(), std::string("abC_"));

        c.EditSpaceChars->setText(QStringLiteral("\\x20\\xZZ"));
        c.EditWordChars->setFocus();
        QTRY_COMPARE(s.dialogs.messages.size(), size_t(1));
        QCOMPARE(s.dialogs.messages[0], std::string("'$ZZ' is not a valid integer value"));
        QTRY_COMPARE(s.window->focusWidget(), static_cast<QWidget*>(c.EditSpaceChars));
        QTRY_COMPARE(c.EditSpaceChars->selectedText(), QStringLiteral("\\xZZ"));
        QCOMPARE(c.EditSpaceChars->text(), QStringLiteral("\\x20\\xZZ"));
    }

    void modifierBoxesAndModeButtonsAgreeWithTheirMenuItems()
    {
        QTemporaryDir dir;
        Session s(dir);
        const auto& c = s.c();
        morvane::rules::RuleCompiler& compiler = s.window->tablePage().compiler();
        const std::tuple<QCheckBox*, QAction*, GlobalModifier> twins[] = {
            { c.CheckBoxModifierI, c.miModifierI, GlobalModifier::I },
            { c.CheckBoxModifierM, c.miModifierM, GlobalModifier::M },
            { c.CheckBoxModifierS, c.miModifierS, GlobalModifier::S },
            { c.CheckBoxModifierX, c.miModifierX, GlobalModifier::X },
            { c.CheckBoxModifierG, c.miModifierG, GlobalModifier::G },
        };
        for (auto [box, item, modifier] : twins) {
            const bool before = box->isChecked();
            QCOMPARE(item->isChecked(), before);
            box->click();
            QCOMPARE(item->isChecked(), !before);
            QCOMPARE(compiler.modifierChecked(modifier), !before);
            item->trigger();
            QCOMPARE(box->isChecked(), before);
            QCOMPARE(compiler.modifierChecked(modifier), before);
        }
        // The engine follows: all six on gives a remark template without "-".
        for (auto [box, item, modifier] : twins) {
            if (!box->isChecked())
                box->click();
        }
        c.tbInsertToTable->click();
        QCOMPARE(s.cell(0, 2), Win1251Text("(?xmgsri)-модификаторы поиска ${E}-режим замены"));

        const std::tuple<QRadioButton*, QAction*, morvane::rules::ReplaceMode> modes[] = {
            { c.rbSimpleReplace, c.miSimpleReplace, morvane::rules::ReplaceMode::Simple },
            { c.rbSubstitute, c.miSubstitute, morvane::rules::ReplaceMode::Substitution },
            { c.rbExtendedReplace, c.miExtendedReplace, morvane::rules::ReplaceMode::Extended },
        };
        for (auto [button, item, mode] : modes) {
            button->click();
            QVERIFY(item->isChecked());
            QCOMPARE(compiler.replaceMode(), mode);
        }
        for (auto [button, item, mode] : modes) {
            item->trigger();
            QVERIFY(button->isChecked());
            QCOMPARE(compiler.GlobalReplaceMode(), mode);
        }
    }

    void tableFilesRoundTripWithTheirDialogs()
    {
        QTemporaryDir dir;
        const QByteArray original = "x\r\nf\tr\tm\tn\r\n\xC0\xE1\\r\\n\t$1\t(?i)${S}\r\n";
        WriteAll(dir.filePath("in.tbl"), original);
        Session s(dir);
        const auto& c = s.c();
        const std::filesystem::path home = dir.path().toStdString();

        s.dialogs.openChoices = { home / "in.tbl" };
        c.tbLoadTable->click();
        QVERIFY(s.dialogs.questions.empty()); // nothing was modified
        QCOMPARE(s.dialogs.openDialogs.size(), size_t(1));
        QCOMPARE(s.dialogs.openDialogs[0].title, Msg(28));
        QCOMPARE(s.dialogs.openDialogs[0].filter, std::string(RuleTableModel::kTableFilter));
        QCOMPARE(s.dialogs.openDialogs[0].initialPath, home / "RegExpr.tbl");
        QCOMPARE(c.sgRegExpr->rowCount(), 3);
        QCOMPARE(s.cell(2, 0), ToDisplay("\xC0\xE1\\r\\n"));
        QCOMPARE(s.window->ruleTablePath(), home / "in.tbl");
        QCOMPARE(c.LabelListRegExpr->text(), QString::fromStdString((home / "in.tbl").string()));
        QVERIFY(!s.model().RuleTableModified());

        // Saved through the grid, under a name without extension: ".tbl" is appended, and every
        // line gets its two TABs.
        s.dialogs.saveChoices = { home / "out" };
        c.tbSaveTable->click();
        QCOMPARE(s.dialogs.saveDialogs.at(0).title, Msg(27));
        QCOMPARE(s.dialogs.saveDialogs.at(0).initialPath, home / "in.tbl");
        const QByteArray saved = ReadAll(dir.filePath("out.tbl"));
        QCOMPARE(saved, QByteArray("x\t\t\r\nf\tr\tm\tn\r\n\xC0\xE1\\r\\n\t$1\t(?i)${S}\r\n"));
        QCOMPARE(s.window->ruleTablePath(), home / "out.tbl");

        // Loaded back and saved again under another extension: byte for byte the same.
        s.dialogs.openChoices = { home / "out.tbl" };
        c.tbLoadTable->click();
        s.dialogs.saveChoices = { home / "again.txt" };
        c.tbSaveTable->click();
        QCOMPARE(ReadAll(dir.filePath("again.txt")), saved);

        // A cancelled save changes nothing.
        c.tbSaveTable->click();
        QCOMPARE(s.window->ruleTablePath(), home / "again.txt");
    }

    void loadingAModifiedTableAsksFirst()
    {
        QTemporaryDir dir;
        WriteAll(dir.filePath("RegExpr.tbl"), kThreeRules);
        WriteAll(dir.filePath("other.tbl"), "o\tO\tother\r\n");
        Session s(dir);
        const auto& c = s.c();
        const std::filesystem::path home = dir.path().toStdString();
        const std::string question = Msg(76) + "\r\n" + Msg(77);

        // No: the changes are dropped and the other table is loaded.
        c.tbDeleteFromTable->click();
        s.dialogs.answers = { false };
        s.dialogs.openChoices = { home / "other.tbl" };
        c.tbLoadTable->click();
        QCOMPARE(s.dialogs.questions, std::vector<std::string>({ question }));
        QVERIFY(s.dialogs.saveDialogs.empty());
        QCOMPARE(s.column(0), QStringList({ "o" }));
        QCOMPARE(ReadAll(dir.filePath("RegExpr.tbl")), kThreeRules);

        // Yes: saved first through the save dialog, then the open dialog.
        c.tbInsertToTable->click();
        s.dialogs.answers = { true };
        s.dialogs.saveChoices = { home / "kept.tbl" };
        s.dialogs.openChoices = { home / "missing.tbl" };
        c.tbLoadTable->click();
        QCOMPARE(s.dialogs.questions.size(), size_t(2));
        QCOMPARE(s.dialogs.saveDialogs.size(), size_t(1));
        QVERIFY(ReadAll(dir.filePath("kept.tbl")).startsWith("o\tO\tother\r\n\t\t(?"));
        // A name that does not exist changes nothing but becomes the table's path.
        QCOMPARE(c.sgRegExpr->rowCount(), 2);
        QCOMPARE(s.window->ruleTablePath(), home / "missing.tbl");
    }

    void settingsSurviveARestart()
    {
        QTemporaryDir dir;
        {
            Session s(dir);
            const auto& c = s.c();
            QVERIFY(c.tbWordWrapMemo->isChecked());
            QCOMPARE(c.MemoFind->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            c.CheckBoxModifierI->click();
            c.miModifierG->trigger();
            c.rbSubstitute->click();
            c.tbWordWrapMemo->click();
            QCOMPARE(c.MemoFind->lineWrapMode(), QPlainTextEdit::NoWrap);
            QCOMPARE(c.MemoReplace->lineWrapMode(), QPlainTextEdit::NoWrap);
            c.tbInsertToTable->click();
            QVERIFY(s.window->close());
        }
        Session s(dir);
        const auto& c = s.c();
        QVERIFY(c.CheckBoxModifierI->isChecked() && c.miModifierI->isChecked());
        QVERIFY(!c.CheckBoxModifierG->isChecked() && !c.miModifierG->isChecked());
        QVERIFY(c.rbSubstitute->isChecked() && c.miSubstitute->isChecked());
        QVERIFY(!c.tbWordWrapMemo->isChecked());
        QCOMPARE(c.MemoFind->lineWrapMode(), QPlainTextEdit::NoWrap);
        morvane::rules::RuleCompiler& compiler = s.window->tablePage().compiler();
        QVERIFY(compiler.modifierChecked(GlobalModifier::I));
        QVERIFY(!compiler.modifierChecked(GlobalModifier::G));
        QCOMPARE(compiler.replaceMode(), morvane::rules::ReplaceMode::Substitution);
        // The table written at close is shown again, unmodified.
        QCOMPARE(s.cell(0, 2), Win1251Text("(?msri-gx)-модификаторы поиска ${S}-режим замены"));
        QVERIFY(!s.model().RuleTableModified());
    }

    void fileFiltersInQtForm_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("table files") << RuleTableModel::kTableFilter
                                     << "Table files (*.TBL *.tbl);;All files (*)";
        QTest::newRow("several patterns") << "Texts|*.txt;*.Htm"
                                          << "Texts (*.txt *.TXT *.Htm *.htm *.HTM)";
        QTest::newRow("dangling description is dropped") << "A|*.a|B"
                                                         << "A (*.a *.A)";
    }
    void fileFiltersInQtForm()
    {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(morvane::ui::ToQtFileFilter(filter.toStdString()), expected);
    }
};

MORVANE_UI_TEST_MAIN(TablePageTest)
#include "tst_tablepage.moc"
