// The report rows the file commands work on. Tests: tests/ui/tst_fileops.cpp.

#include "ui/ReportRowsSnapshot.h"

#include <QTreeWidget>

namespace morvane::ui {

ReportRowsSnapshot::ReportRowsSnapshot(search::ReportModel& model, QTreeWidget* list)
    : m_model(model)
    , m_list(list)
{
    const int count = std::min(model.rowCount(), list->topLevelItemCount());
    m_rows.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        m_rows.push_back({ model.rows()[static_cast<size_t>(i)], list->topLevelItem(i)->isSelected() });
    m_focused = list->indexOfTopLevelItem(list->currentItem());
    if (m_focused >= count)
        m_focused = -1;
}

std::filesystem::path ReportRowsSnapshot::rowPath(int row) const
{
    return m_rows.at(static_cast<size_t>(row)).data.path;
}

bool ReportRowsSnapshot::isRowSelected(int row) const
{
    return m_rows.at(static_cast<size_t>(row)).selected;
}

void ReportRowsSnapshot::removeRow(int row)
{
    m_rows.erase(m_rows.begin() + row);
    if (m_focused > row)
        --m_focused;
    else if (m_focused == row)
        m_focused = -1;
    m_rowsChanged = true;
}

void ReportRowsSnapshot::setRowPath(int row, const std::filesystem::path& path)
{
    m_rows.at(static_cast<size_t>(row)).data.path = path;
    m_rowsChanged = true;
}

void ReportRowsSnapshot::setCurrentRow(int row)
{
    for (Row& r : m_rows)
        r.selected = false;
    m_focused = row >= 0 && row < rowCount() ? row : -1;
    if (m_focused >= 0)
        m_rows[static_cast<size_t>(m_focused)].selected = true;
    m_focusChanged = true;
}

void ReportRowsSnapshot::commit()
{
    if (m_rowsChanged) {
        m_model.clear();
        for (const Row& row : m_rows)
            m_model.addRow(row.data);
    }
    if (!m_rowsChanged && !m_focusChanged)
        return;
    m_list->clearSelection();
    for (int i = 0; i < rowCount() && i < m_list->topLevelItemCount(); ++i)
        m_list->topLevelItem(i)->setSelected(m_rows[static_cast<size_t>(i)].selected);
    if (m_focused >= 0 && m_focused < m_list->topLevelItemCount()) {
        QTreeWidgetItem* item = m_list->topLevelItem(m_focused);
        m_list->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        m_list->scrollToItem(item);
    }
}

} // namespace morvane::ui
