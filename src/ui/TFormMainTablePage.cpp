// The main window's handlers for the rule table page, the work page's rule fields and their
// insertion menus, and the table files; they forward to RuleTablePage, which binds the widgets
// to the rule table model. Covered by tests/ui/tst_tablepage.cpp.

#include "ui/TFormMain.h"

#include "rules/RuleTableModel.h"
#include "ui/RuleTablePage.h"

#include <QAction>
#include <QToolButton>

namespace morvane::ui {

void TFormMain::initTablePage()
{
    m_tablePage = new RuleTablePage(*this);
    m_tablePage->create();
}

void TFormMain::showTablePage()
{
    m_tablePage->show(m_programDir);
}

void TFormMain::setTablePageDialogs(TablePageDialogs* dialogs)
{
    m_tablePage->setDialogs(dialogs);
}

const rules::LineList& TFormMain::ruleList() const
{
    return m_tablePage->model().RuleList();
}

const rules::LineList& TFormMain::colourList() const
{
    return m_tablePage->model().ColourList();
}

const std::filesystem::path& TFormMain::colourTablePath() const
{
    return m_tablePage->model().ColourTablePath();
}

void TFormMain::setRuleTableModified(bool modified)
{
    m_tablePage->model().setRuleTableModified(modified);
}

void TFormMain::setColourTableModified(bool modified)
{
    m_tablePage->model().setColourTableModified(modified);
}

std::vector<rules::Rule> TFormMain::gridRules() const
{
    const rules::RuleTableModel& model = m_tablePage->model();
    std::vector<rules::Rule> rows;
    rows.reserve(static_cast<size_t>(model.dataRowCount()));
    for (int row = 1; row <= model.dataRowCount(); ++row)
        rows.push_back(model.rowRule(row));
    return rows;
}

rules::Rule TFormMain::workFieldsRule() const
{
    const rules::RuleTableModel& model = m_tablePage->model();
    return { model.fieldText(rules::RuleField::cbFind), model.fieldText(rules::RuleField::cbReplace),
        model.fieldText(rules::RuleField::cbRemark) };
}

void TFormMain::setCurrentRuleRow(int row)
{
    m_tablePage->setCurrentRow(row);
}

bool TFormMain::ValidateRules()
{
    return m_tablePage->ValidateRules(m_c.tbBatch->isChecked());
}

void TFormMain::miQuoteClick()
{
    m_tablePage->quoteFocusedSelection(true);
}

void TFormMain::sbQuoteMemoFindClick()
{
    m_tablePage->quoteFocusedSelection(false);
}

void TFormMain::CheckBoxModifierClick()
{
    // The boxes report their changes from the window's creation on; the page exists from then.
    if (m_tablePage != nullptr)
        m_tablePage->modifierBoxesChanged();
}

void TFormMain::rbReplaceModeClick()
{
    if (m_tablePage != nullptr)
        m_tablePage->replaceModeChanged();
}

void TFormMain::pmFindItemClick()
{
    if (auto* item = qobject_cast<QAction*>(sender()))
        m_tablePage->insertPatternItem(item->objectName().toStdString());
}

void TFormMain::pmReplaceItemClick()
{
    if (auto* item = qobject_cast<QAction*>(sender()))
        m_tablePage->insertTemplateItem(item->objectName().toStdString());
}

void TFormMain::tbInsertTableClick()
{
    m_tablePage->tbInsertTableClick();
}

void TFormMain::tbEditTableClick()
{
    m_tablePage->tbEditTableClick();
}

void TFormMain::tbSaveTableClick()
{
    m_tablePage->tbSaveTableClick();
}

void TFormMain::tbLoadTableClick()
{
    m_tablePage->tbLoadTableClick();
}

void TFormMain::tbDeleteFromTableClick()
{
    m_tablePage->tbDeleteFromTableClick();
}

void TFormMain::sbDeleteToTableClick()
{
    m_tablePage->tbDeleteFromTableClick();
}

void TFormMain::tbInsertToTableClick()
{
    m_tablePage->tbInsertToTableClick();
}

void TFormMain::tbMoveTopClick()
{
    m_tablePage->tbMoveTopClick();
}

void TFormMain::tbMoveUpClick()
{
    m_tablePage->tbMoveUpClick();
}

void TFormMain::tbMoveDownClick()
{
    m_tablePage->tbMoveDownClick();
}

void TFormMain::tbMoveBottomClick()
{
    m_tablePage->tbMoveBottomClick();
}

void TFormMain::sbAddToTableClick()
{
    m_tablePage->sbAddToTableClick();
}

void TFormMain::sbReplaceToTableClick()
{
    m_tablePage->sbReplaceToTableClick();
}

} // namespace morvane::ui
