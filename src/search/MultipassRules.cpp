// Rule order of the replace runs. Tests: tests/search/MultipassRulesTest.cpp.

#include "search/MultipassRules.h"

namespace morvane::search {

MultipassRules::MultipassRules(rules::Rule fields)
    : m_multipass(false)
    , m_fields(std::move(fields))
{
}

MultipassRules::MultipassRules(rules::Rule fields, std::vector<rules::Rule> rows)
    : m_multipass(true)
    , m_fields(std::move(fields))
    , m_rows(std::move(rows))
{
}

void MultipassRules::startRun(rules::RuleCompiler& compiler) const
{
    compiler.ApplyGlobalModifiers();
    compiler.ApplyRemark(m_fields.Remark);
}

bool MultipassRules::findFirst(rules::RuleCompiler& compiler)
{
    if (!m_multipass) {
        if (m_fields.Find.empty())
            return false;
        regex::TRegex& engine = compiler.engine();
        engine.SetExpression(m_fields.Find);
        return engine.ExecPos(1);
    }
    return tryRowsFrom(compiler, 0);
}

bool MultipassRules::nextRule(rules::RuleCompiler& compiler)
{
    if (!hasNextRow())
        return false;
    return tryRowsFrom(compiler, m_currentRow + 1);
}

bool MultipassRules::tryRowsFrom(rules::RuleCompiler& compiler, int first)
{
    regex::TRegex& engine = compiler.engine();
    for (int row = first; row < rowCount(); ++row) {
        m_currentRow = row;
        m_fields = m_rows[static_cast<size_t>(row)];
        if (m_rowMadeCurrent)
            m_rowMadeCurrent(row);
        if (m_fields.Find.empty())
            continue;
        // The rules were validated before the run; a remark refused now counts as no match.
        if (compiler.PutRule(m_fields) && engine.ExecPos(1))
            return true;
    }
    return false;
}

} // namespace morvane::search
