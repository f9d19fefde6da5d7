#pragma once
// The report list for the file commands' tests: rows of paths with a selection flag each and
// a focused row.

#include "search/ReportRows.h"

#include <filesystem>
#include <vector>

namespace morvane::test {

class FakeReportRows : public search::ReportRows {
public:
    struct Row {
        std::filesystem::path path;
        bool selected = false;
    };
    std::vector<Row> rows;
    int focused = -1;

    int rowCount() const override { return static_cast<int>(rows.size()); }
    std::filesystem::path rowPath(int row) const override { return rows.at(static_cast<size_t>(row)).path; }
    bool isRowSelected(int row) const override { return rows.at(static_cast<size_t>(row)).selected; }
    int focusedRow() const override { return focused; }
    void removeRow(int row) override { rows.erase(rows.begin() + row); }
    void setRowPath(int row, const std::filesystem::path& path) override
    {
        rows.at(static_cast<size_t>(row)).path = path;
    }
    void setCurrentRow(int row) override
    {
        for (Row& r : rows)
            r.selected = false;
        focused = row >= 0 && row < rowCount() ? row : -1;
        if (focused >= 0)
            rows[static_cast<size_t>(focused)].selected = true;
    }
};

} // namespace morvane::test
