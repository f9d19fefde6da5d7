#include "rules/RuleTableModel.h"

#include "app/MessageTable.h"

#include <algorithm>
#include <cassert>
#include <system_error>

namespace fs = std::filesystem;

namespace morvane::rules {

namespace {

constexpr const char* kDefaultRuleTableName = "RegExpr.tbl";

// The field of a rule shown in grid column 1, 2 or 3.
std::string& ruleField(Rule& rule, int column)
{
    switch (column) {
    case 1:
        return rule.Find;
    case 2:
        return rule.Replace;
    default:
        return rule.Remark;
    }
}

const std::string& ruleField(const Rule& rule, int column)
{
    return ruleField(const_cast<Rule&>(rule), column);
}

} // namespace

RuleTableModel::RuleTableModel(RuleCompiler& compiler, RuleEditorHost& host)
    : m_compiler(compiler)
    , m_host(host)
{
}

bool RuleTableModel::gridTableModified() const
{
    return m_showsColourList ? m_colourTableModified : m_ruleTableModified;
}

void RuleTableModel::setGridTableModified(bool modified)
{
    (m_showsColourList ? m_colourTableModified : m_ruleTableModified) = modified;
}

const fs::path& RuleTableModel::gridTablePath() const
{
    return m_showsColourList ? m_colourTablePath : m_ruleTablePath;
}

void RuleTableModel::setGridTablePath(fs::path path)
{
    (m_showsColourList ? m_colourTablePath : m_ruleTablePath) = std::move(path);
}

std::string RuleTableModel::cell(int row, int column) const
{
    if (column < 0 || column >= kColumnCount || row < 0 || row >= rowCount())
        return {};
    if (row == 0)
        return column == 0 ? std::string() : app::Msg(column);
    if (column == 0)
        return std::to_string(row);
    return ruleField(rowRule(row), column);
}

void RuleTableModel::setCurrentRow(int row)
{
    m_currentRow = std::clamp(row, 1, dataRowCount());
    ShowCurrentRow();
}

size_t RuleTableModel::workFieldIndex(RuleField field)
{
    switch (field) {
    case RuleField::cbFind:
        return 0;
    case RuleField::cbReplace:
        return 1;
    case RuleField::cbRemark:
        return 2;
    default:
        assert(!"not a work field");
        return 0;
    }
}

const std::vector<std::string>& RuleTableModel::dropDownItems(RuleField field) const
{
    return m_dropDownItems[workFieldIndex(field)];
}

const std::string& RuleTableModel::fieldText(RuleField field) const
{
    return m_fieldTexts[workFieldIndex(field)];
}

void RuleTableModel::setFieldText(RuleField field, std::string text)
{
    m_fieldTexts[workFieldIndex(field)] = std::move(text);
}

void RuleTableModel::editMemoFind(std::string text)
{
    m_memoFind = std::move(text);
    m_memoFindChanged = true;
}

void RuleTableModel::editMemoReplace(std::string text)
{
    m_memoReplace = std::move(text);
    m_memoReplaceChanged = true;
}

void RuleTableModel::rebuildDropDowns()
{
    for (int column = 1; column <= 3; ++column) {
        auto& items = m_dropDownItems[static_cast<size_t>(column - 1)];
        items.clear();
        for (const Rule& rule : m_rows)
            items.push_back(ruleField(rule, column));
    }
}

void RuleTableModel::setColumnWidths()
{
    m_columnWidths[1] = m_clientWidth / 3;
    m_columnWidths[2] = m_columnWidths[1];
    // A client narrower than the other columns leaves the remark column empty rather than
    // giving it a negative width.
    m_columnWidths[3]
        = std::max(0, m_clientWidth - m_columnWidths[0] - m_columnWidths[1] - m_columnWidths[2] - 4);
}

void RuleTableModel::FillGrid()
{
    const LineList& lines = GridList();
    m_rows = lines.empty() ? std::vector<Rule> { Rule {} } : LinesToRules(lines);
    rebuildDropDowns();
    m_currentRow = std::clamp(m_currentRow, 1, dataRowCount());
    ShowCurrentRow();
    if (!m_startingUp)
        markShownModified();
    setColumnWidths();
}

void RuleTableModel::SyncGridToList()
{
    GridList() = RulesToLines(m_rows);
    rebuildDropDowns();
    markShownModified();
}

std::optional<app::FileError> RuleTableModel::LoadTable(const fs::path& path)
{
    std::error_code ec;
    if (!fs::exists(path, ec))
        return std::nullopt;
    LineList lines;
    if (auto error = ReadTableFile(path, lines))
        return error;
    GridList() = std::move(lines);
    FillGrid();
    setGridTableModified(false);
    return std::nullopt;
}

std::optional<app::FileError> RuleTableModel::SaveTable(const fs::path& path)
{
    // Written before it becomes the list, so that a failure leaves the table as it was.
    LineList lines = RulesToLines(m_rows);
    if (auto error = WriteTableFile(path, lines))
        return error;
    GridList() = std::move(lines);
    rebuildDropDowns();
    setGridTableModified(false);
    return std::nullopt;
}

void RuleTableModel::ShowCurrentRow()
{
    const Rule& rule = rowRule(m_currentRow);
    m_memoFind = rule.Find;
    m_memoReplace = rule.Replace;
    m_memoFindChanged = false;
    m_memoReplaceChanged = false;
    for (size_t i = 0; i < m_fieldTexts.size(); ++i)
        m_fieldTexts[i] = m_dropDownItems[i].at(static_cast<size_t>(m_currentRow - 1));
    m_moveUpEnabled = m_currentRow > 1;
    m_moveDownEnabled = m_currentRow < dataRowCount();
}

std::optional<app::FileError> RuleTableModel::RestoreRuleTable(const fs::path& programDir)
{
    const fs::path fallback = programDir / kDefaultRuleTableName;
    std::error_code ec;
    std::optional<app::FileError> error;
    if (!m_ruleTablePath.empty() && fs::exists(m_ruleTablePath, ec)) {
        error = ReadTableFile(m_ruleTablePath, m_ruleList);
    } else {
        m_ruleTablePath = fallback;
        if (fs::exists(fallback, ec))
            error = ReadTableFile(fallback, m_ruleList);
    }
    const bool colours = m_showsColourList;
    m_showsColourList = false;
    m_currentRow = 1;
    FillGrid();
    m_showsColourList = colours;
    return error;
}

TableCommandResult RuleTableModel::tbSaveTableClick()
{
    auto chosen = m_host.ChooseSaveFile(app::Msg(27), kTableFilter, gridTablePath());
    if (!chosen)
        return TableCommandResult::Cancelled;
    fs::path name = std::move(*chosen);
    if (!name.has_extension())
        name += ".tbl";
    if (auto error = SaveTable(name)) {
        m_host.ShowError(error->message);
        return TableCommandResult::Failed;
    }
    setGridTablePath(std::move(name));
    return TableCommandResult::Done;
}

TableCommandResult RuleTableModel::tbLoadTableClick()
{
    if (gridTableModified() && m_host.Confirm(app::Msg(76) + "\r\n" + app::Msg(77))) {
        if (tbSaveTableClick() == TableCommandResult::Failed)
            return TableCommandResult::Failed;
    }
    auto chosen = m_host.ChooseOpenFile(app::Msg(28), kTableFilter, gridTablePath());
    if (!chosen)
        return TableCommandResult::Cancelled;
    if (auto error = LoadTable(*chosen)) {
        m_host.ShowError(error->message);
        return TableCommandResult::Failed;
    }
    setCurrentRow(1);
    setGridTablePath(std::move(*chosen));
    return TableCommandResult::Done;
}

void RuleTableModel::tbInsertToTableClick()
{
    LineList& lines = GridList();
    const std::string line = "\t\t" + m_compiler.RemarkTemplate();
    int newRow = 1;
    if (lines.empty()) {
        lines.push_back(line);
    } else {
        lines.insert(lines.begin() + m_currentRow, line);
        newRow = m_currentRow + 1;
    }
    FillGrid();
    setCurrentRow(newRow);
}

void RuleTableModel::tbDeleteFromTableClick()
{
    LineList& lines = GridList();
    if (lines.empty())
        return;
    lines.erase(lines.begin() + (m_currentRow - 1));
    FillGrid();
}

void RuleTableModel::moveLine(int from, int to)
{
    LineList& lines = GridList();
    std::string line = std::move(lines[static_cast<size_t>(from)]);
    lines.erase(lines.begin() + from);
    lines.insert(lines.begin() + to, std::move(line));
    FillGrid();
    setCurrentRow(to + 1);
}

void RuleTableModel::tbMoveTopClick()
{
    if (m_currentRow >= 2 && !GridList().empty())
        moveLine(m_currentRow - 1, 0);
}

void RuleTableModel::tbMoveUpClick()
{
    if (m_currentRow >= 2 && !GridList().empty())
        moveLine(m_currentRow - 1, m_currentRow - 2);
}

void RuleTableModel::tbMoveDownClick()
{
    const int count = static_cast<int>(GridList().size());
    if (m_currentRow < count)
        moveLine(m_currentRow - 1, m_currentRow);
}

void RuleTableModel::tbMoveBottomClick()
{
    const int count = static_cast<int>(GridList().size());
    if (m_currentRow < count)
        moveLine(m_currentRow - 1, count - 1);
}

void RuleTableModel::sgRegExprRowMoved(int from, int to)
{
    const int count = dataRowCount();
    if (from < 1 || from > count || to < 1 || to > count)
        return;
    Rule moved = std::move(m_rows[static_cast<size_t>(from - 1)]);
    m_rows.erase(m_rows.begin() + (from - 1));
    m_rows.insert(m_rows.begin() + (to - 1), std::move(moved));
    m_currentRow = to;
    SyncGridToList();
    FillGrid();
}

void RuleTableModel::appendLine(std::string line)
{
    GridList().push_back(std::move(line));
    FillGrid();
    setCurrentRow(dataRowCount());
}

void RuleTableModel::sbAddToTableClick()
{
    appendLine(
        FormatRuleLine({ MemoToField(m_memoFind), MemoToField(m_memoReplace), m_compiler.RemarkTemplate() }));
}

void RuleTableModel::sbReplaceToTableClick()
{
    if (GridList().empty())
        return;
    Rule& rule = m_rows[static_cast<size_t>(m_currentRow - 1)];
    rule.Find = MemoToField(m_memoFind);
    rule.Replace = MemoToField(m_memoReplace);
    SyncGridToList();
    ShowCurrentRow();
}

void RuleTableModel::tbInsertTableClick()
{
    if (m_host.IsBusy())
        return;
    appendLine(FormatRuleLine({ m_fieldTexts[0], m_fieldTexts[1], m_fieldTexts[2] }));
}

void RuleTableModel::tbEditTableClick()
{
    if (m_host.IsBusy() || GridList().empty())
        return;
    Rule& rule = m_rows[static_cast<size_t>(m_currentRow - 1)];
    rule = { m_fieldTexts[0], m_fieldTexts[1], m_fieldTexts[2] };
    SyncGridToList();
    ShowCurrentRow();
}

void RuleTableModel::dropDownSelect(RuleField field, int index)
{
    if (index < 0 || index >= static_cast<int>(dropDownItems(field).size()))
        return;
    setCurrentRow(index + 1);
    if (m_host.IsReplaceWaiting())
        m_host.EndWaitingReplace();
}

void RuleTableModel::cbFindExit()
{
    const CheckResult result = m_compiler.ValidateFind(fieldText(RuleField::cbFind));
    if (!result.ok)
        ReportCheckFailure(m_host, RuleField::cbFind, result);
}

void RuleTableModel::cbRemarkExit()
{
    const CheckResult result = m_compiler.ValidateRemark(fieldText(RuleField::cbRemark));
    if (!result.ok)
        ReportCheckFailure(m_host, RuleField::cbRemark, result);
}

void RuleTableModel::MemoFindExit()
{
    const CheckResult result = m_compiler.ValidateFind(m_memoFind);
    if (!result.ok)
        ReportCheckFailure(m_host, RuleField::MemoFind, result);
    else if (m_memoFindChanged && m_host.Confirm(app::Msg(11)))
        sbReplaceToTableClick();
    m_memoFindChanged = false;
}

void RuleTableModel::MemoReplaceExit()
{
    if (m_memoReplaceChanged && m_host.Confirm(app::Msg(11)))
        sbReplaceToTableClick();
    m_memoReplaceChanged = false;
}

void RuleTableModel::beginCellEdit(int row, int column)
{
    if (row < 1 || row > dataRowCount() || column < 1 || column > 3)
        return;
    if (row != m_currentRow)
        setCurrentRow(row);
    m_editRow = row;
    m_editColumn = column;
    m_editOldText = cell(row, column);
}

void RuleTableModel::endCellEdit(std::string text)
{
    if (m_editRow < 1 || m_editRow > dataRowCount())
        return;
    const int column = m_editColumn;
    Rule& rule = m_rows[static_cast<size_t>(m_editRow - 1)];
    m_editRow = 0;
    if (text == m_editOldText)
        return;
    ruleField(rule, column) = std::move(text);

    if (!m_compiler.ValidateRemark(rule.Remark).ok) {
        m_host.ShowMessage(kUnrecognizedModifierText);
        if (column == 3)
            rule.Remark = m_editOldText;
    }
    m_memoFind = rule.Find;
    m_memoReplace = rule.Replace;
    SyncGridToList();
    ShowCurrentRow();

    const CheckResult find = m_compiler.ValidateFind(m_memoFind);
    if (!find.ok) {
        m_host.ShowMessage(find.message);
        if (column == 1) {
            // The refused expression stays in MemoFind, selected at the error, for correction.
            rule.Find = m_editOldText;
            SyncGridToList();
        }
        m_host.FocusAndSelect(RuleField::MemoFind, find.selectStart, find.selectLength);
    }
}

bool RuleTableModel::ValidateRules(bool multipass)
{
    if (!multipass) {
        const CheckResult find = m_compiler.ValidateFind(fieldText(RuleField::cbFind));
        if (!find.ok) {
            ReportCheckFailure(m_host, RuleField::cbFind, find);
            return false;
        }
        const CheckResult remark = m_compiler.ValidateRemark(fieldText(RuleField::cbRemark));
        if (!remark.ok) {
            ReportCheckFailure(m_host, RuleField::cbRemark, remark);
            return false;
        }
        const CheckResult replace
            = m_compiler.ValidateReplace(fieldText(RuleField::cbReplace), fieldText(RuleField::cbRemark));
        if (!replace.ok) {
            ReportCheckFailure(m_host, RuleField::cbReplace, replace);
            return false;
        }
        return true;
    }
    for (int row = 1; row <= dataRowCount(); ++row) {
        const CheckResult find = m_compiler.ValidateFind(rowRule(row).Find);
        if (!find.ok) {
            setCurrentRow(row);
            ReportCheckFailure(m_host, RuleField::cbFind, find);
            return false;
        }
        const CheckResult remark = m_compiler.ValidateRemark(rowRule(row).Remark);
        if (!remark.ok) {
            setCurrentRow(row);
            ReportCheckFailure(m_host, RuleField::cbRemark, remark);
            return false;
        }
        const CheckResult replace = m_compiler.ValidateReplace(rowRule(row).Replace, rowRule(row).Remark);
        if (!replace.ok) {
            setCurrentRow(row);
            ReportCheckFailure(m_host, RuleField::cbReplace, replace);
            return false;
        }
    }
    return true;
}

} // namespace morvane::rules
