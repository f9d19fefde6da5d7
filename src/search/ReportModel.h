#pragma once
// The report list (lvReport) as data: one row per listed file with its full path and the two
// count columns, and the widths of the three columns. The name column fills the width left
// by the two count columns; a count column a pass does not use is hidden (width 0) and its
// last positive width remembered so a later pass, and the settings, can bring it back.
// Passes fill it; the desktop program draws it through a ReportObserver.
// Covered by tests/search/ReportModelTest.cpp.

#include "search/ReportObserver.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane::search {

// One row: the file's full path and the "Найдено" and "Заменено" counts (absent when the pass
// that added the row does not fill that column). `note` says why a file was left as it was (a
// write that failed, an engine error, a link out of the selection); empty for an ordinary row.
struct ReportRow {
    std::filesystem::path path;
    std::optional<int> found;
    std::optional<int> replaced;
    std::string note {};
};

// Column indices of the report list.
enum class ReportColumn { Name = 0, Found = 1, Replaced = 2 };

class ReportModel {
public:
    // Width of each count column when none has been remembered.
    static constexpr int kDefaultCountWidth = 70;
    // The name column is never narrower.
    static constexpr int kMinNameWidth = 100;

    void setObserver(ReportObserver* observer) { m_observer = observer; }

    const std::vector<ReportRow>& rows() const { return m_rows; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    void clear();
    // Appends a row; when the list then holds more rows than the view can show, the name column
    // is refitted (the appearing scroll bar narrows the client area).
    void addRow(ReportRow row);

    // The view's client width and the number of rows it shows without scrolling (0: unknown).
    void setViewGeometry(int clientWidth, int visibleRows);

    int columnWidth(ReportColumn column) const;
    // The width a count column had when it was last visible, or the default.
    int rememberedWidth(ReportColumn column) const;
    // Sets a count column's width (from settings, or the user dragging it); a positive width
    // is remembered.
    void setCountColumnWidth(ReportColumn column, int width);
    // Hides a count column, remembering its width when positive.
    void hideCountColumn(ReportColumn column);
    // Shows a hidden count column with its remembered width; a visible one is left alone.
    void showCountColumn(ReportColumn column);
    // Name column := client width less the two count columns, at least kMinNameWidth.
    void fitNameColumn();

private:
    int& countWidth(ReportColumn column);
    int& remembered(ReportColumn column);
    void columnsChanged();

    std::vector<ReportRow> m_rows;
    ReportObserver* m_observer = nullptr;
    int m_clientWidth = 0;
    int m_visibleRows = 0;
    int m_nameWidth = kMinNameWidth;
    int m_foundWidth = kDefaultCountWidth;
    int m_replacedWidth = kDefaultCountWidth;
    int m_foundRemembered = kDefaultCountWidth;
    int m_replacedRemembered = kDefaultCountWidth;
};

} // namespace morvane::search
