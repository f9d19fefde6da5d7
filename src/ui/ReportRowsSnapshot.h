#pragma once
// The report list handed to the file commands: a copy of the report model's rows with the
// list's selection and focused row, taken when a command starts. The command removes rows and
// renames them in the copy; commit() then refills the model (lvReport follows it through its
// observer) and restores the selection and the focused row, so the list and the model never
// disagree while the command pumps messages. Covered by tests/ui/tst_fileops.cpp.

#include "search/ReportModel.h"
#include "search/ReportRows.h"

#include <vector>

class QTreeWidget;

namespace morvane::ui {

class ReportRowsSnapshot : public search::ReportRows {
public:
    // `model` and `list` must outlive the snapshot.
    ReportRowsSnapshot(search::ReportModel& model, QTreeWidget* list);

    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    std::filesystem::path rowPath(int row) const override;
    bool isRowSelected(int row) const override;
    int focusedRow() const override { return m_focused; }
    void removeRow(int row) override;
    void setRowPath(int row, const std::filesystem::path& path) override;
    void setCurrentRow(int row) override;

    // Writes the changes back into the model and the list; nothing when nothing changed.
    void commit();

private:
    struct Row {
        search::ReportRow data;
        bool selected = false;
    };
    search::ReportModel& m_model;
    QTreeWidget* m_list;
    std::vector<Row> m_rows;
    int m_focused = -1;
    bool m_rowsChanged = false;
    bool m_focusChanged = false;
};

} // namespace morvane::ui
