#pragma once
// The rules a replace run applies and which one is current: with multipass off the rule of
// the three edit fields (cbFind, cbReplace, cbRemark); with it on every row of the rule table
// in order, each made current (its texts copied into the edit fields) when it is tried, so the
// replacement is always the edit field's. Rows with an empty find text are skipped.
// Covered by tests/search/MultipassRulesTest.cpp.

#include "regex/TRegex.h"
#include "rules/Rule.h"
#include "rules/RuleCompiler.h"

#include <functional>
#include <vector>

namespace morvane::search {

class MultipassRules {
public:
    // A single-rule run over the edit fields.
    explicit MultipassRules(rules::Rule fields);
    // A multipass run over `rows` (the grid's data rows); `fields` are the edit fields as they
    // stand at the start.
    MultipassRules(rules::Rule fields, std::vector<rules::Rule> rows);

    bool multipass() const { return m_multipass; }
    // The edit fields: the single rule, or the row made current last.
    const rules::Rule& fields() const { return m_fields; }
    // The replacement of the current rule (the cbReplace text).
    const std::string& replaceText() const { return m_fields.Replace; }
    // The current row, or -1 before any row was made current (and always with multipass off).
    int currentRow() const { return m_currentRow; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }

    // Told whenever a row becomes current, so the grid and the edit fields can follow.
    void setRowMadeCurrent(std::function<void(int row)> handler) { m_rowMadeCurrent = std::move(handler); }

    // The start of a run: the global modifiers, then the remark of the edit fields.
    void startRun(rules::RuleCompiler& compiler) const;

    // The first match of the engine's subject. Multipass off: the edit fields' expression
    // searched from position 1 (false when it is empty). On: each row from the first in order
    // is made current and put into the engine; the first row whose non-empty expression
    // matches from position 1 wins. False when nothing matches.
    bool findFirst(rules::RuleCompiler& compiler);

    // The rows after the current one, tried as findFirst does, on the engine's current subject.
    // False at once with multipass off or on the last row.
    bool nextRule(rules::RuleCompiler& compiler);

    // Whether a row follows the current one (so nextRule may still find something).
    bool hasNextRow() const { return m_multipass && m_currentRow + 1 < rowCount(); }

private:
    bool tryRowsFrom(rules::RuleCompiler& compiler, int first);

    bool m_multipass;
    rules::Rule m_fields;
    std::vector<rules::Rule> m_rows;
    int m_currentRow = -1;
    std::function<void(int)> m_rowMadeCurrent;
};

} // namespace morvane::search
