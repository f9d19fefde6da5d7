#pragma once
// The report list as the file commands see it: rows of full file paths, the user's selection
// and the focused row, and the changes a command makes (a deleted file's row goes, a moved
// file's row takes its new path). The desktop program binds it to lvReport and its model;
// tests use a vector (tests/fakes/FakeFileOperationsHost.h).
// Exercised by tests/search/FileOperationsReportTest.cpp.

#include <filesystem>

namespace morvane::search {

class ReportRows {
public:
    virtual ~ReportRows() = default;
    virtual int rowCount() const = 0;
    virtual std::filesystem::path rowPath(int row) const = 0;
    virtual bool isRowSelected(int row) const = 0;
    // The focused row, -1 when none.
    virtual int focusedRow() const = 0;
    virtual void removeRow(int row) = 0;
    virtual void setRowPath(int row, const std::filesystem::path& path) = 0;
    // Selects and focuses `row` alone (an index outside the list: nothing is selected).
    virtual void setCurrentRow(int row) = 0;

    int selectedCount() const
    {
        int count = 0;
        for (int row = 0; row < rowCount(); ++row)
            count += isRowSelected(row) ? 1 : 0;
        return count;
    }
    // The first selected row, -1 when none.
    int firstSelected() const
    {
        for (int row = 0; row < rowCount(); ++row)
            if (isRowSelected(row))
                return row;
        return -1;
    }
};

} // namespace morvane::search
