// The rule table editing model: refills and write-backs, the table commands, the fields that
// follow the current row, in-place cell edits and the checks before a run.

#include "rules/RuleTableModel.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "fakes/FakeRuleEditorHost.h"
#include "regex/TRegex.h"

#include <gtest/gtest.h>

using namespace morvane::rules;
using morvane::app::Msg;
using morvane::regex::TRegex;
using Host = fakes::FakeRuleEditorHost;
using Selection = Host::Selection;

namespace {

struct Fixture {
    TRegex engine;
    RuleCompiler compiler { engine };
    Host host;
    RuleTableModel model { compiler, host };

    // A model past start-up showing `lines` with `row` current and the table unmodified.
    explicit Fixture(LineList lines = {}, int row = 1)
    {
        model.setStartingUp(false);
        model.setClientWidth(600);
        model.RuleList() = std::move(lines);
        model.FillGrid();
        model.setCurrentRow(row);
        model.setRuleTableModified(false);
    }

    // The fields that must always show the current row.
    void expectFieldsShowRow(int row) const
    {
        const Rule& rule = model.rowRule(row);
        EXPECT_EQ(model.currentRow(), row);
        EXPECT_EQ(model.memoFindText(), rule.Find);
        EXPECT_EQ(model.memoReplaceText(), rule.Replace);
        EXPECT_EQ(model.fieldText(RuleField::cbFind), rule.Find);
        EXPECT_EQ(model.fieldText(RuleField::cbReplace), rule.Replace);
        EXPECT_EQ(model.fieldText(RuleField::cbRemark), rule.Remark);
    }
};

const LineList kThree { "a\tA\tone", "b\tB\ttwo", "c\tC\tthree" };

} // namespace

TEST(RuleGrid, EmptyListShowsOneEmptyRowWithHeaderNumbersAndWidths)
{
    Fixture f;
    const RuleTableModel& m = f.model;
    EXPECT_EQ(m.rowCount(), 2);
    EXPECT_TRUE(m.RuleList().empty()); // the empty row is not a line yet
    for (int column = 1; column <= 3; ++column) {
        EXPECT_EQ(m.cell(0, column), Msg(column));
        EXPECT_EQ(m.cell(1, column), "");
    }
    EXPECT_EQ(m.cell(0, 0), "");
    EXPECT_EQ(m.cell(1, 0), "1");
    EXPECT_EQ(m.dropDownItems(RuleField::cbFind), std::vector<std::string> { "" });
    EXPECT_FALSE(m.moveUpEnabled());
    EXPECT_FALSE(m.moveDownEnabled());
    EXPECT_EQ(m.columnWidth(0), 36);
    EXPECT_EQ(m.columnWidth(1), 200);
    EXPECT_EQ(m.columnWidth(2), 200);
    EXPECT_EQ(m.columnWidth(3), 600 - 36 - 200 - 200 - 4);
}

TEST(RuleGrid, RowsShowTheLinesSplitIntoFieldsAndWidthsFollowTheClient)
{
    Fixture f({ "x", "p\tq", "f\tr\tm\tn" });
    RuleTableModel& m = f.model;
    EXPECT_EQ(m.rowCount(), 4);
    EXPECT_EQ(m.cell(3, 0), "3");
    EXPECT_EQ(m.cell(1, 1), "x");
    EXPECT_EQ(m.cell(1, 2), "");
    EXPECT_EQ(m.cell(2, 2), "q");
    EXPECT_EQ(m.cell(3, 3), "m\tn");
    EXPECT_EQ(m.dropDownItems(RuleField::cbRemark), (std::vector<std::string> { "", "", "m\tn" }));

    m.setColumnWidth(0, 50); // the number column keeps a width the user gave it
    m.setClientWidth(301);
    m.FillGrid();
    EXPECT_EQ(m.columnWidth(0), 50);
    EXPECT_EQ(m.columnWidth(1), 100);
    EXPECT_EQ(m.columnWidth(3), 301 - 50 - 200 - 4);
}

TEST(RuleTableCommands, InsertTakesTheRemarkTemplateAndFollowsTheNewRow)
{
    Fixture empty;
    empty.model.tbInsertToTableClick();
    EXPECT_EQ(empty.model.RuleList(), LineList { "\t\t" + empty.compiler.RemarkTemplate() });
    empty.expectFieldsShowRow(1);
    EXPECT_TRUE(empty.model.RuleTableModified());

    const struct {
        int current;
        int newRow;
    } cases[] = { { 1, 2 }, { 2, 3 }, { 3, 4 } };
    for (const auto& c : cases) {
        Fixture f(kThree, c.current);
        f.model.tbInsertToTableClick();
        ASSERT_EQ(f.model.RuleList().size(), 4u);
        EXPECT_EQ(
            f.model.RuleList()[static_cast<size_t>(c.newRow - 1)], "\t\t" + f.compiler.RemarkTemplate());
        f.expectFieldsShowRow(c.newRow);
    }
}

TEST(RuleTableCommands, DeleteRemovesTheCurrentRowAndNothingInAnEmptyTable)
{
    Fixture empty;
    empty.model.tbDeleteFromTableClick();
    EXPECT_TRUE(empty.model.RuleList().empty());
    EXPECT_FALSE(empty.model.RuleTableModified());

    Fixture middle(kThree, 2);
    middle.model.tbDeleteFromTableClick();
    EXPECT_EQ(middle.model.RuleList(), (LineList { "a\tA\tone", "c\tC\tthree" }));
    middle.expectFieldsShowRow(2);
    EXPECT_TRUE(middle.model.RuleTableModified());

    Fixture last(kThree, 3);
    last.model.tbDeleteFromTableClick();
    last.expectFieldsShowRow(2);

    Fixture only({ "z" });
    only.model.tbDeleteFromTableClick();
    EXPECT_TRUE(only.model.RuleList().empty());
    EXPECT_EQ(only.model.rowCount(), 2);
    only.expectFieldsShowRow(1);
}

TEST(RuleTableCommands, MovesFollowTheRowAndDoNothingAtTheEnds)
{
    enum Command { Top, Up, Down, Bottom };
    const struct {
        int current;
        Command command;
        std::string order; // first letters of the lines afterwards
        int newRow;
        bool modified;
    } cases[] = {
        { 3, Top, "cab", 1, true },
        { 2, Up, "bac", 1, true },
        { 3, Up, "acb", 2, true },
        { 1, Down, "bac", 2, true },
        { 2, Bottom, "acb", 3, true },
        { 2, Down, "acb", 3, true },
        { 1, Bottom, "bca", 3, true },
        { 1, Top, "abc", 1, false },
        { 1, Up, "abc", 1, false },
        { 3, Down, "abc", 3, false },
        { 3, Bottom, "abc", 3, false },
    };
    for (const auto& c : cases) {
        Fixture f(kThree, c.current);
        switch (c.command) {
        case Top:
            f.model.tbMoveTopClick();
            break;
        case Up:
            f.model.tbMoveUpClick();
            break;
        case Down:
            f.model.tbMoveDownClick();
            break;
        case Bottom:
            f.model.tbMoveBottomClick();
            break;
        }
        std::string order;
        for (const auto& line : f.model.RuleList())
            order += line[0];
        EXPECT_EQ(order, c.order) << c.current << " " << c.command;
        EXPECT_EQ(f.model.RuleTableModified(), c.modified) << c.current << " " << c.command;
        f.expectFieldsShowRow(c.newRow);
    }

    // The buttons say the same.
    const struct {
        int row;
        bool up;
        bool down;
    } buttons[] = { { 1, false, true }, { 2, true, true }, { 3, true, false } };
    Fixture f(kThree);
    for (const auto& b : buttons) {
        f.model.setCurrentRow(b.row);
        EXPECT_EQ(f.model.moveUpEnabled(), b.up) << b.row;
        EXPECT_EQ(f.model.moveDownEnabled(), b.down) << b.row;
    }
    Fixture empty;
    empty.model.tbMoveDownClick();
    empty.model.tbMoveBottomClick();
    EXPECT_TRUE(empty.model.RuleList().empty());
}

TEST(RuleTableCommands, DraggedRowIsWrittenBackWithTwoTabsAndStaysCurrent)
{
    Fixture f({ "a", "b\tB", "c\tC\tthree" }, 1);
    f.model.sgRegExprRowMoved(1, 3);
    EXPECT_EQ(f.model.RuleList(), (LineList { "b\tB\t", "c\tC\tthree", "a\t\t" }));
    f.expectFieldsShowRow(3);
    EXPECT_TRUE(f.model.RuleTableModified());

    Fixture empty; // dragging the empty row of an empty table makes it a line
    empty.model.sgRegExprRowMoved(1, 1);
    EXPECT_EQ(empty.model.RuleList(), LineList { "\t\t" });
}

TEST(RuleTableCommands, MemoTextIsStoredWithLineBreaksAndTabsAsEscapes)
{
    Fixture f(kThree, 2);
    f.model.editMemoFind("x\r\ny");
    f.model.editMemoReplace("1\t2");
    f.model.sbReplaceToTableClick();
    EXPECT_EQ(f.model.RuleList()[1], "x\\r\\ny\t1\\t2\ttwo"); // the remark stays
    f.expectFieldsShowRow(2);
    EXPECT_EQ(f.model.memoFindText(), "x\\r\\ny"); // shown as the four characters
    f.engine.SetExpression(f.model.rowRule(2).Find); // which the engine reads as CR LF
    EXPECT_TRUE(f.engine.Exec("ax\r\nyb"));
    EXPECT_FALSE(f.model.memoFindChanged());
    EXPECT_TRUE(f.model.RuleTableModified());

    f.model.editMemoFind("p\nq");
    f.model.editMemoReplace("r");
    f.model.sbAddToTableClick();
    EXPECT_EQ(f.model.RuleList().back(), "p\\nq\tr\t" + f.compiler.RemarkTemplate());
    f.expectFieldsShowRow(4);

    // Replacing from the memos needs a rule to replace.
    Fixture empty;
    empty.model.editMemoFind("x");
    empty.model.sbReplaceToTableClick();
    EXPECT_TRUE(empty.model.RuleList().empty());
}

TEST(RuleTableCommands, WorkFieldsGoInUnchangedAndNotWhileAPassRuns)
{
    Fixture f(kThree, 1);
    f.model.setFieldText(RuleField::cbFind, "\\d+\\r\\n");
    f.model.setFieldText(RuleField::cbReplace, "<$0>");
    f.model.setFieldText(RuleField::cbRemark, "(?i) ${S}");
    f.model.tbEditTableClick();
    EXPECT_EQ(f.model.RuleList()[0], "\\d+\\r\\n\t<$0>\t(?i) ${S}");
    f.expectFieldsShowRow(1);

    f.model.setFieldText(RuleField::cbFind, "new");
    f.model.tbInsertTableClick();
    EXPECT_EQ(f.model.RuleList().back(), "new\t<$0>\t(?i) ${S}");
    f.expectFieldsShowRow(4);

    Fixture busy(kThree, 1);
    busy.host.busy = true;
    busy.model.setFieldText(RuleField::cbFind, "refused");
    busy.model.tbInsertTableClick();
    busy.model.tbEditTableClick();
    EXPECT_EQ(busy.model.RuleList(), kThree);
    EXPECT_FALSE(busy.model.RuleTableModified());
}

TEST(RuleTableCommands, DropDownPickMakesTheRowCurrentAndEndsAWaitingReplace)
{
    Fixture f({ "a\tA\tone", "b\tB\ttwo", "c\tC\tthree", "d\tD\tfour", "e\tE\tfive" }, 1);
    f.model.dropDownSelect(RuleField::cbRemark, 3);
    f.expectFieldsShowRow(4);
    EXPECT_EQ(f.model.fieldText(RuleField::cbFind), "d");
    EXPECT_EQ(f.host.replaceRunsEnded, 0);
    EXPECT_FALSE(f.model.RuleTableModified());

    f.host.replaceWaiting = true;
    f.model.dropDownSelect(RuleField::cbFind, 0);
    f.expectFieldsShowRow(1);
    EXPECT_EQ(f.host.replaceRunsEnded, 1);
}

TEST(RuleTableMarks, StartingUpRefillsDoNotMarkButWriteBacksDo)
{
    Fixture f;
    f.model.setStartingUp(true);
    f.model.RuleList() = kThree;
    f.model.FillGrid();
    EXPECT_FALSE(f.model.RuleTableModified());
    f.model.SyncGridToList();
    EXPECT_TRUE(f.model.RuleTableModified());

    f.model.setRuleTableModified(false);
    f.model.setStartingUp(false);
    f.model.FillGrid();
    EXPECT_TRUE(f.model.RuleTableModified());

    // With the colouring table shown, edits mark that one.
    f.model.setRuleTableModified(false);
    f.model.setShowsColourList(true);
    f.model.FillGrid();
    f.model.tbInsertToTableClick();
    EXPECT_TRUE(f.model.ColourTableModified());
    EXPECT_FALSE(f.model.RuleTableModified());
    EXPECT_EQ(f.model.ColourList().size(), 1u);
    EXPECT_EQ(f.model.RuleList(), kThree);
}

TEST(RuleTableCellEdit, RefusedFindRestoresTheCellAndSelectsTheErrorInTheMemo)
{
    Fixture f(kThree, 1);
    f.model.beginCellEdit(2, 1);
    EXPECT_EQ(f.model.EditOldText(), "b");
    f.model.endCellEdit("x(");
    EXPECT_EQ(f.model.RuleList()[1], "b\tB\ttwo");
    EXPECT_EQ(f.model.cell(2, 1), "b");
    EXPECT_EQ(f.model.memoFindText(), "x("); // left for correction
    EXPECT_EQ(f.host.messages, std::vector<std::string> { "ParseReg Unmatched ()" });
    ASSERT_EQ(f.host.selections.size(), 1u);
    EXPECT_EQ(f.host.selections[0].field, RuleField::MemoFind);
    EXPECT_EQ(f.host.selections[0].length, 1);
    EXPECT_EQ(f.model.dropDownItems(RuleField::cbFind)[1], "b");
}

TEST(RuleTableCellEdit, ReplacementEditOfABrokenRuleKeepsTheNewTextAndLeavesTheFind)
{
    Fixture f({ "(\told\tr" }, 1);
    f.model.beginCellEdit(1, 2);
    f.model.endCellEdit("new");
    EXPECT_EQ(f.model.RuleList(), LineList { "(\tnew\tr" });
    EXPECT_EQ(f.host.messages, std::vector<std::string> { "ParseReg Unmatched ()" });
    EXPECT_EQ(f.host.selections, (std::vector<Selection> { { RuleField::MemoFind, 0, 1 } }));
    f.expectFieldsShowRow(1);
    EXPECT_TRUE(f.model.RuleTableModified());
}

TEST(RuleTableCellEdit, RefusedRemarkRestoresTheRemarkCell)
{
    Fixture f(kThree, 3);
    f.model.beginCellEdit(3, 3);
    f.model.endCellEdit("(?w) bad");
    EXPECT_EQ(f.model.RuleList()[2], "c\tC\tthree");
    EXPECT_EQ(f.host.messages, std::vector<std::string> { "Urecognized Modifier" });
    f.expectFieldsShowRow(3);
}

TEST(RuleTableCellEdit, GoodAndUnchangedEdits)
{
    Fixture f(kThree, 1);
    f.model.beginCellEdit(2, 3); // the edited row becomes current
    f.expectFieldsShowRow(2);
    f.model.endCellEdit("two");
    EXPECT_FALSE(f.model.RuleTableModified());

    f.model.beginCellEdit(2, 1);
    f.model.endCellEdit("b+");
    EXPECT_EQ(f.model.RuleList()[1], "b+\tB\ttwo");
    f.expectFieldsShowRow(2);
    EXPECT_TRUE(f.host.messages.empty());
    EXPECT_TRUE(f.model.RuleTableModified());

    Fixture empty; // an edit of the empty row makes it a line
    empty.model.beginCellEdit(1, 2);
    empty.model.endCellEdit("r");
    EXPECT_EQ(empty.model.RuleList(), LineList { "\tr\t" });
}

TEST(RuleTableFields, LeavingAChangedMemoAsksOnce)
{
    Fixture f(kThree, 1);
    f.model.editMemoFind("a+");
    f.host.answers = { true };
    f.model.MemoFindExit();
    EXPECT_EQ(f.host.questions, std::vector<std::string> { Msg(11) });
    EXPECT_EQ(f.model.RuleList()[0], "a+\tA\tone");
    f.model.MemoFindExit();
    EXPECT_EQ(f.host.questions.size(), 1u);

    f.model.editMemoReplace("changed");
    f.host.answers = { false };
    f.model.MemoReplaceExit();
    EXPECT_EQ(f.model.RuleList()[0], "a+\tA\tone");
    EXPECT_FALSE(f.model.memoReplaceChanged());
    f.model.MemoReplaceExit();
    EXPECT_EQ(f.host.questions.size(), 2u);
}

TEST(RuleTableFields, LeavingMemoFindWithABrokenExpressionAsksNothing)
{
    Fixture f(kThree, 1);
    f.model.editMemoFind("ab(");
    f.model.MemoFindExit();
    EXPECT_TRUE(f.host.questions.empty());
    EXPECT_EQ(f.host.messages, std::vector<std::string> { "ParseReg Unmatched ()" });
    ASSERT_EQ(f.host.selections.size(), 1u);
    EXPECT_EQ(f.host.selections[0].field, RuleField::MemoFind);
    EXPECT_FALSE(f.model.memoFindChanged());
    EXPECT_EQ(f.model.RuleList(), kThree);
}

TEST(RuleTableFields, LeavingTheWorkFieldsChecksThem)
{
    Fixture f(kThree, 1);
    f.model.setFieldText(RuleField::cbFind, "(");
    f.model.cbFindExit();
    f.model.setFieldText(RuleField::cbRemark, "x (?ab) y");
    f.model.cbRemarkExit();
    EXPECT_EQ(
        f.host.messages, (std::vector<std::string> { "ParseReg Unmatched ()", "Urecognized Modifier" }));
    EXPECT_EQ(f.host.selections,
        (std::vector<Selection> { { RuleField::cbFind, 0, 1 }, { RuleField::cbRemark, 4, 2 } }));
    EXPECT_EQ(f.model.RuleList(), kThree); // a refused field changes no rule
}

const std::string kWidthRefused
    = morvane::codepage::Utf8ToWin1251("Ширина вывода в шаблоне замены больше 1000000 символов");

TEST(ValidateRules, MultipassStopsAtTheFirstBrokenRowAndShowsIt)
{
    const struct {
        LineList lines;
        bool ok;
        int row;
        RuleField field;
        std::string message;
    } cases[] = {
        { kThree, true, 1, RuleField::cbFind, "" },
        { { "a\t\t", "(b\t\t", "c\t\t(?q)" }, false, 2, RuleField::cbFind, "ParseReg Unmatched ()" },
        { { "a\t\t", "b\t\t(?q)", "(c\t\t" }, false, 2, RuleField::cbRemark, "Urecognized Modifier" },
        { { "a\t\t", "b\t$0-{,2000000}\t", "(c\t\t" }, false, 2, RuleField::cbReplace, kWidthRefused },
        { { "a\t$0-{,2000000}\t${Q}", "b\t-{,2000000}\t" }, true, 1, RuleField::cbFind, "" },
    };
    for (const auto& c : cases) {
        Fixture f(c.lines, 1);
        EXPECT_EQ(f.model.ValidateRules(true), c.ok);
        f.expectFieldsShowRow(c.row);
        if (c.ok) {
            EXPECT_TRUE(f.host.messages.empty());
            continue;
        }
        EXPECT_EQ(f.host.messages, std::vector<std::string> { c.message });
        ASSERT_EQ(f.host.selections.size(), 1u);
        EXPECT_EQ(f.host.selections[0].field, c.field);
    }
}

TEST(ValidateRules, SingleRuleChecksTheWorkFields)
{
    Fixture f({ "(\t\t" }, 1);
    f.model.setFieldText(RuleField::cbFind, "ok");
    f.model.setFieldText(RuleField::cbRemark, "(?i)");
    EXPECT_TRUE(f.model.ValidateRules(false)); // the broken table row is not looked at
    EXPECT_TRUE(f.engine.Modifier(TRegex::kModI));

    f.model.setFieldText(RuleField::cbRemark, "(?i-Q)");
    EXPECT_FALSE(f.model.ValidateRules(false));
    EXPECT_EQ(f.host.selections, (std::vector<Selection> { { RuleField::cbRemark, 2, 3 } }));

    // A width too large for one template item, refused only where the text is a template.
    f.model.setFieldText(RuleField::cbRemark, "");
    f.model.setFieldText(RuleField::cbReplace, "<$1-{L,2000000000}>");
    EXPECT_FALSE(f.model.ValidateRules(false));
    EXPECT_EQ(f.host.messages.back(), kWidthRefused);
    EXPECT_EQ(f.host.selections.back(), (Selection { RuleField::cbReplace, 3, 15 }));
    f.model.setFieldText(RuleField::cbRemark, "${S}");
    EXPECT_TRUE(f.model.ValidateRules(false));
}
