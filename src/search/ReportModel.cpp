// The report list's data. Tests: tests/search/ReportModelTest.cpp.

#include "search/ReportModel.h"

#include <algorithm>
#include <cassert>

namespace morvane::search {

void ReportModel::clear()
{
    m_rows.clear();
    if (m_observer)
        m_observer->reportCleared();
}

void ReportModel::addRow(ReportRow row)
{
    m_rows.push_back(std::move(row));
    if (m_observer)
        m_observer->reportRowAdded(rowCount() - 1);
    if (m_visibleRows > 0 && rowCount() > m_visibleRows)
        fitNameColumn();
}

void ReportModel::setViewGeometry(int clientWidth, int visibleRows)
{
    m_clientWidth = clientWidth;
    m_visibleRows = visibleRows;
}

int ReportModel::columnWidth(ReportColumn column) const
{
    switch (column) {
    case ReportColumn::Name:
        return m_nameWidth;
    case ReportColumn::Found:
        return m_foundWidth;
    case ReportColumn::Replaced:
        return m_replacedWidth;
    }
    return 0;
}

int ReportModel::rememberedWidth(ReportColumn column) const
{
    return column == ReportColumn::Found ? m_foundRemembered : m_replacedRemembered;
}

int& ReportModel::countWidth(ReportColumn column)
{
    assert(column != ReportColumn::Name);
    return column == ReportColumn::Found ? m_foundWidth : m_replacedWidth;
}

int& ReportModel::remembered(ReportColumn column)
{
    assert(column != ReportColumn::Name);
    return column == ReportColumn::Found ? m_foundRemembered : m_replacedRemembered;
}

void ReportModel::setCountColumnWidth(ReportColumn column, int width)
{
    countWidth(column) = std::max(width, 0);
    if (width > 0)
        remembered(column) = width;
    columnsChanged();
}

void ReportModel::hideCountColumn(ReportColumn column)
{
    int& width = countWidth(column);
    if (width > 0)
        remembered(column) = width;
    width = 0;
    columnsChanged();
}

void ReportModel::showCountColumn(ReportColumn column)
{
    int& width = countWidth(column);
    if (width > 0)
        return;
    width = remembered(column);
    columnsChanged();
}

void ReportModel::fitNameColumn()
{
    m_nameWidth = std::max(kMinNameWidth, m_clientWidth - m_foundWidth - m_replacedWidth);
    columnsChanged();
}

void ReportModel::columnsChanged()
{
    if (m_observer)
        m_observer->reportColumnsChanged();
}

} // namespace morvane::search
