// The report list's rows and column widths.

#include "search/ReportModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using morvane::search::ReportColumn;
using morvane::search::ReportModel;
using morvane::search::ReportObserver;
using morvane::search::ReportRow;

namespace {

struct RecordingObserver : ReportObserver {
    std::vector<std::string> events;
    void reportCleared() override { events.push_back("cleared"); }
    void reportRowAdded(int row) override { events.push_back("row " + std::to_string(row)); }
    void reportColumnsChanged() override { events.push_back("columns"); }
};

} // namespace

TEST(ReportModel, HiddenCountColumnComesBackWithItsWidth)
{
    ReportModel report;
    report.setCountColumnWidth(ReportColumn::Found, 90);
    report.hideCountColumn(ReportColumn::Found);
    EXPECT_EQ(report.columnWidth(ReportColumn::Found), 0);
    EXPECT_EQ(report.rememberedWidth(ReportColumn::Found), 90);
    report.hideCountColumn(ReportColumn::Found); // hiding twice keeps the remembered width
    report.showCountColumn(ReportColumn::Found);
    EXPECT_EQ(report.columnWidth(ReportColumn::Found), 90);

    // Never set: the default width.
    report.hideCountColumn(ReportColumn::Replaced);
    report.showCountColumn(ReportColumn::Replaced);
    EXPECT_EQ(report.columnWidth(ReportColumn::Replaced), ReportModel::kDefaultCountWidth);

    // Showing a visible column changes nothing; a zero width set from outside is not remembered.
    report.setCountColumnWidth(ReportColumn::Replaced, 0);
    EXPECT_EQ(report.rememberedWidth(ReportColumn::Replaced), ReportModel::kDefaultCountWidth);
}

TEST(ReportModel, NameColumnFillsTheRestButNotBelowItsMinimum)
{
    ReportModel report;
    report.setViewGeometry(500, 0);
    report.fitNameColumn();
    EXPECT_EQ(report.columnWidth(ReportColumn::Name), 500 - 70 - 70);
    report.hideCountColumn(ReportColumn::Found);
    report.hideCountColumn(ReportColumn::Replaced);
    report.fitNameColumn();
    EXPECT_EQ(report.columnWidth(ReportColumn::Name), 500);
    report.setViewGeometry(80, 0);
    report.fitNameColumn();
    EXPECT_EQ(report.columnWidth(ReportColumn::Name), ReportModel::kMinNameWidth);
}

TEST(ReportModel, RowsBeyondTheVisibleOnesRefitTheNameColumn)
{
    ReportModel report;
    RecordingObserver observer;
    report.setObserver(&observer);
    report.setViewGeometry(400, 2);
    report.addRow(ReportRow { "/a", 3, std::nullopt });
    report.addRow(ReportRow { "/b", std::nullopt, std::nullopt });
    report.setViewGeometry(380, 2); // the scroll bar appears with the third row
    report.addRow(ReportRow { "/c", 1, 1 });
    EXPECT_EQ(report.columnWidth(ReportColumn::Name), 380 - 140);
    EXPECT_EQ(observer.events, (std::vector<std::string> { "row 0", "row 1", "row 2", "columns" }));
    ASSERT_EQ(report.rowCount(), 3);
    EXPECT_EQ(report.rows()[0].found, 3);
    EXPECT_FALSE(report.rows()[1].found);
    report.clear();
    EXPECT_EQ(report.rowCount(), 0);
    EXPECT_EQ(observer.events.back(), "cleared");
}
