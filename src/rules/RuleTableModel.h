#pragma once
// The rule table as the windows will show it: the stored line lists (rules and colouring rows),
// the grid built from whichever of them is shown, its current row, the three drop-down lists of
// the work page's fields, the two memos with their changed marks, the modified marks and paths
// of both tables, and every editing command of the table page. The windows bind their widgets
// to this model: they forward clicks, key commands and field edits, and read the state back.
//
// Every change of the shown table goes through its line list and is then shown again by a refill
// (FillGrid) or written back from the grid (SyncGridToList); both mark the shown table modified,
// except that a refill while the program is starting up does not. The grid's rows are numbered
// from 1 (row 0 is the header); an empty list still shows one empty data row, which becomes a
// line only when the grid is written back.
//
// Covered by tests/rules/RuleTableModelTest.cpp and tests/rules/RuleTableFileTest.cpp.

#include "app/FileError.h"
#include "rules/RuleCompiler.h"
#include "rules/RuleEditorHost.h"
#include "rules/TableFile.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane::rules {

// How a table file command ended.
enum class TableCommandResult {
    Done,
    Cancelled, // the dialog was cancelled
    Failed, // the file could not be opened or created; the error box has been shown
};

class RuleTableModel {
public:
    static constexpr int kColumnCount = 4;
    static constexpr int kDefaultNumberColumnWidth = 36;
    // Filter of the table dialogs.
    static constexpr const char* kTableFilter = "Table files (*.tbl)|*.TBL|All files (*.*)|*.*";

    // `compiler` checks expressions and remarks and writes the remark of new rules; `host` is
    // the window around the model. Both must outlive the model. The grid starts empty (one
    // empty row) and StartingUp is true.
    RuleTableModel(RuleCompiler& compiler, RuleEditorHost& host);

    // ---- The stored tables ----

    LineList& RuleList() { return m_ruleList; }
    const LineList& RuleList() const { return m_ruleList; }
    LineList& ColourList() { return m_colourList; }
    const LineList& ColourList() const { return m_colourList; }
    // The list the grid shows: ColourList while colouring setup is on, else RuleList.
    LineList& GridList() { return m_showsColourList ? m_colourList : m_ruleList; }
    const LineList& GridList() const { return m_showsColourList ? m_colourList : m_ruleList; }
    bool showsColourList() const { return m_showsColourList; }
    // Switches which list the grid shows; the caller refills.
    void setShowsColourList(bool colours) { m_showsColourList = colours; }

    bool RuleTableModified() const { return m_ruleTableModified; }
    void setRuleTableModified(bool modified) { m_ruleTableModified = modified; }
    bool ColourTableModified() const { return m_colourTableModified; }
    void setColourTableModified(bool modified) { m_colourTableModified = modified; }
    // The mark of the shown table.
    bool gridTableModified() const;
    void setGridTableModified(bool modified);

    const std::filesystem::path& RuleTablePath() const { return m_ruleTablePath; }
    void setRuleTablePath(std::filesystem::path path) { m_ruleTablePath = std::move(path); }
    const std::filesystem::path& ColourTablePath() const { return m_colourTablePath; }
    void setColourTablePath(std::filesystem::path path) { m_colourTablePath = std::move(path); }
    // The path of the shown table.
    const std::filesystem::path& gridTablePath() const;
    void setGridTablePath(std::filesystem::path path);

    // True from the creation of the main window until the start directory has been entered.
    bool StartingUp() const { return m_startingUp; }
    void setStartingUp(bool startingUp) { m_startingUp = startingUp; }

    // ---- The grid ----

    // Rows including the header: the data rows plus one (at least 2).
    int rowCount() const { return static_cast<int>(m_rows.size()) + 1; }
    int dataRowCount() const { return static_cast<int>(m_rows.size()); }
    // Row 0 is the header (column 0 empty, columns 1 to 3 messages 1 to 3); column 0 of a data
    // row is its number; columns 1 to 3 its find, replacement and remark. Empty outside.
    std::string cell(int row, int column) const;
    // The rule shown in data row `row` (1-based).
    const Rule& rowRule(int row) const { return m_rows.at(static_cast<size_t>(row - 1)); }

    // The current data row, 1 to dataRowCount().
    int currentRow() const { return m_currentRow; }
    // A click or row change in the grid: the row becomes current and is shown (ShowCurrentRow).
    void setCurrentRow(int row);

    int columnWidth(int column) const { return m_columnWidths.at(static_cast<size_t>(column)); }
    // A width the user set by dragging a column border (the number column keeps it).
    void setColumnWidth(int column, int width) { m_columnWidths.at(static_cast<size_t>(column)) = width; }
    // The grid's client width in pixels, from which every refill sets columns 1 to 3.
    void setClientWidth(int width) { m_clientWidth = width; }
    // Sets columns 1 to 3 from the client width, as a refill does.
    void setColumnWidths();

    // ---- The fields that show the current row ----

    // The items of the drop-down list of cbFind, cbReplace or cbRemark: column 1, 2 or 3 of
    // every data row in row order.
    const std::vector<std::string>& dropDownItems(RuleField field) const;
    // The text of cbFind, cbReplace or cbRemark.
    const std::string& fieldText(RuleField field) const;
    // The user typed into cbFind, cbReplace or cbRemark (the table is not changed).
    void setFieldText(RuleField field, std::string text);

    const std::string& memoFindText() const { return m_memoFind; }
    const std::string& memoReplaceText() const { return m_memoReplace; }
    // The user edited a memo: its text changes and its changed mark is set.
    void editMemoFind(std::string text);
    void editMemoReplace(std::string text);
    bool memoFindChanged() const { return m_memoFindChanged; }
    bool memoReplaceChanged() const { return m_memoReplaceChanged; }

    // Enabled state of tbMoveTop and tbMoveUp (current row > 1), and of tbMoveBottom and
    // tbMoveDown (current row < number of rows), as the last ShowCurrentRow set it.
    bool moveUpEnabled() const { return m_moveUpEnabled; }
    bool moveDownEnabled() const { return m_moveDownEnabled; }

    // ---- Refill, write-back, files ----

    // Rebuilds the grid from GridList, rebuilds the drop-down lists, shows the current row
    // (kept, within the new row count), marks the shown table modified unless StartingUp, and
    // sets the column widths.
    void FillGrid();
    // Rebuilds GridList from the grid (every data row as Find TAB Replace TAB Remark, the empty
    // row of an empty list included), rebuilds the drop-down lists and marks the shown table
    // modified.
    void SyncGridToList();
    // When `path` exists: GridList := its lines, refill, clear the shown table's mark. When it
    // does not, nothing happens. A file that cannot be read gives the "Cannot open file" error
    // and changes nothing.
    std::optional<app::FileError> LoadTable(const std::filesystem::path& path);
    // Writes the grid's rows to `path` and makes them GridList, clearing the shown table's mark.
    // On failure the "Cannot create file" error is returned and nothing changes.
    std::optional<app::FileError> SaveTable(const std::filesystem::path& path);
    // Shows the current row: the memos take its find and replacement (clearing their changed
    // marks), the three fields select its entry, and the move buttons are enabled or disabled.
    void ShowCurrentRow();

    // The start-up load of the rule table: RuleTablePath when that file exists, else
    // "RegExpr.tbl" in `programDir` when it exists (which then becomes RuleTablePath), else an
    // empty table named "RegExpr.tbl" there. The grid then shows the rule list with row 1
    // current. The marks are not set while StartingUp. An unreadable file gives its error and
    // leaves the list empty.
    std::optional<app::FileError> RestoreRuleTable(const std::filesystem::path& programDir);

    // Command "save table": the save dialog (message 27) at the shown table's path; a chosen
    // name without extension gets ".tbl"; SaveTable; the name becomes the shown table's path.
    TableCommandResult tbSaveTableClick();
    // Command "load table": when the shown table is modified, asks messages 76 and 77 and on Yes
    // saves first (a cancelled save dialog goes on, a failed save stops); then the open dialog
    // (message 28); LoadTable; row 1 becomes current; the name becomes the shown table's path,
    // also when no such file exists.
    TableCommandResult tbLoadTableClick();

    // ---- Table commands (current row r of N rows) ----

    // Inserts Find "" Replace "" Remark RemarkTemplate() after row r (appends to an empty
    // table); the new row becomes current.
    void tbInsertToTableClick();
    // Deletes row r; nothing with an empty table.
    void tbDeleteFromTableClick();
    // Moves row r to the top / up one / down one / to the bottom and follows it; nothing at the
    // ends.
    void tbMoveTopClick();
    void tbMoveUpClick();
    void tbMoveDownClick();
    void tbMoveBottomClick();
    // The user dragged grid row `from` to position `to` (both 1-based data rows): the grid is
    // written back and refilled; the moved row stays current.
    void sgRegExprRowMoved(int from, int to);
    // Appends the memos' texts (TAB, CR, LF written as "\t", "\r", "\n") with RemarkTemplate();
    // the last row becomes current.
    void sbAddToTableClick();
    // Row r takes the memos' converted texts (its remark stays); the grid is written back and
    // the row shown again. Nothing with an empty table.
    void sbReplaceToTableClick();
    // Appends cbFind, cbReplace, cbRemark as they stand; refused while a pass runs.
    void tbInsertTableClick();
    // Row r takes cbFind, cbReplace, cbRemark; refused while a pass runs, nothing with an empty
    // table.
    void tbEditTableClick();
    // Entry `index` chosen in the drop-down list of cbFind, cbReplace or cbRemark: row index + 1
    // becomes current; an interactive replace waiting for a confirmation ends.
    void dropDownSelect(RuleField field, int index);

    // ---- Field events ----

    // Leaving cbFind / cbRemark: the check; on failure the message, focus and selection.
    void cbFindExit();
    void cbRemarkExit();
    // Leaving MemoFind: its expression is checked; when valid and changed, asks message 11 and
    // on Yes replaces the row from the memos. The changed mark is cleared in every case.
    void MemoFindExit();
    // Leaving MemoReplace: when changed, asks message 11 and on Yes replaces the row from the
    // memos; the changed mark is cleared.
    void MemoReplaceExit();

    // ---- In-place editing of a grid cell ----

    // The cell editor opens on (row, column) of a data row: the row becomes current and
    // EditOldText takes the cell's text.
    void beginCellEdit(int row, int column);
    // The cell editor closes with `text`. An unchanged text does nothing. Otherwise the remark of
    // the current row is checked (a refused remark cell gets EditOldText back), the memos take
    // the row, the grid is written back and shown, and the find expression is checked (a refused
    // find cell gets EditOldText back and is written back again; MemoFind keeps the refused text
    // with the error character selected).
    void endCellEdit(std::string text);
    const std::string& EditOldText() const { return m_editOldText; }

    // ---- Before a replace run ----

    // In multipass mode every data row in order (find, remark, then the replacement in the mode
    // the remark gave; a failure makes that row current and selects in cbFind, cbRemark or
    // cbReplace), otherwise cbFind, cbRemark and cbReplace. True when all passed.
    bool ValidateRules(bool multipass);

private:
    // Index 0, 1, 2 of the three work fields; asserts on any other field.
    static size_t workFieldIndex(RuleField field);
    void rebuildDropDowns();
    void markShownModified() { setGridTableModified(true); }
    // Moves line `from` of GridList to position `to` (0-based), refills, makes row to + 1 current.
    void moveLine(int from, int to);
    // Appends a line, refills and makes the last row current.
    void appendLine(std::string line);

    RuleCompiler& m_compiler;
    RuleEditorHost& m_host;

    LineList m_ruleList;
    LineList m_colourList;
    bool m_showsColourList = false;
    bool m_ruleTableModified = false;
    bool m_colourTableModified = false;
    std::filesystem::path m_ruleTablePath;
    std::filesystem::path m_colourTablePath;
    bool m_startingUp = true;

    std::vector<Rule> m_rows { Rule {} };
    int m_currentRow = 1;
    std::array<int, kColumnCount> m_columnWidths { kDefaultNumberColumnWidth, 0, 0, 0 };
    int m_clientWidth = 0;

    std::array<std::vector<std::string>, 3> m_dropDownItems { std::vector<std::string> { "" },
        std::vector<std::string> { "" }, std::vector<std::string> { "" } };
    std::array<std::string, 3> m_fieldTexts;
    std::string m_memoFind;
    std::string m_memoReplace;
    bool m_memoFindChanged = false;
    bool m_memoReplaceChanged = false;
    bool m_moveUpEnabled = false;
    bool m_moveDownEnabled = false;

    int m_editRow = 0;
    int m_editColumn = 0;
    std::string m_editOldText;
};

} // namespace morvane::rules
