// Listing the selection into the report.

#include "PassFixture.h"
#include "TempTree.h"
#include "app/Format.h"
#include "app/MessageTable.h"
#include "search/AllFilesPass.h"
#include "search/PassFileList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using morvane::app::FillMessage;
using morvane::app::Msg;
using morvane::search::AllFilesPass;
using morvane::search::PassFileList;
using morvane::search::PassOptions;
using morvane::search::ReportColumn;
using morvane::search::ReportModel;
using morvane::test::Focused;
using morvane::test::Marked;
using morvane::test::PassFixture;
using morvane::test::TempTree;

namespace {

using Paths = std::vector<std::string>;

class AllFilesPassTest : public ::testing::Test {
protected:
    AllFilesPassTest()
    {
        tree.file("D/B/w.txt");
        tree.file("D/A/C/z.txt");
        tree.file("D/x.txt");
        tree.file("D/x.htm");
        tree.file("D/A/y.txt");
        tree.file("D/.h.txt");
        tree.file("note.txt");
        options.subDirectories = true;
        report.setViewGeometry(600, 0);
    }

    Paths rows() const
    {
        std::vector<std::filesystem::path> paths;
        for (const auto& row : report.rows())
            paths.push_back(row.path);
        return tree.relative(paths);
    }

    std::string progress(int dirs, int files) const
    {
        return " " + FillMessage(Msg(6), { dirs, files });
    }

    TempTree tree;
    PassFixture fixture;
    ReportModel report;
    AllFilesPass pass { fixture.control, report };
    PassOptions options;
};

} // namespace

TEST_F(AllFilesPassTest, ListsDirectoriesInPreOrderAndTheirFilesMaskByMask)
{
    options.maskText = "*.htm;*.*";
    pass.tbAllFilesClick(Marked(tree.root(), { "note.txt", "D/" }), options);
    EXPECT_EQ(rows(), (Paths { "note.txt", "D/x.htm", "D/x.txt", "D/A/y.txt", "D/A/C/z.txt", "D/B/w.txt" }));
    EXPECT_EQ(pass.DirsProcessed(), 4);
    EXPECT_EQ(pass.FilesFound(), 6);
    EXPECT_EQ(fixture.status.text(1), progress(4, 6));
    EXPECT_EQ(fixture.status.text(0), fixture.control.elapsedText());
}

TEST_F(AllFilesPassTest, HiddenFilesOnlyWithTheOptionSubdirectoriesOnlyWhenAsked)
{
    options.hiddenFiles = true;
    options.subDirectories = false;
    pass.tbAllFilesClick(Marked(tree.root(), { "D/" }), options);
    EXPECT_EQ(rows(), (Paths { "D/.h.txt", "D/x.htm", "D/x.txt" }));
    EXPECT_EQ(pass.DirsProcessed(), 1);
}

TEST_F(AllFilesPassTest, PreparesTheReportAndLeavesTheFileListAlone)
{
    PassFileList list(fixture.control);
    report.addRow({ "/old", 1, 2 });
    report.setCountColumnWidth(ReportColumn::Found, 85);
    pass.tbAllFilesClick(Focused(tree.root(), "note.txt"), options);
    EXPECT_EQ(rows(), (Paths { "note.txt" }));
    EXPECT_FALSE(report.rows()[0].found);
    EXPECT_EQ(report.columnWidth(ReportColumn::Found), 0);
    EXPECT_EQ(report.columnWidth(ReportColumn::Replaced), 0);
    EXPECT_EQ(report.rememberedWidth(ReportColumn::Found), 85);
    EXPECT_EQ(report.columnWidth(ReportColumn::Name), 600);
    EXPECT_EQ(fixture.window.reportPageShown(), 1);
    EXPECT_EQ(fixture.window.interactiveRunEnds(), 1);
    EXPECT_EQ(fixture.window.busyShown(), (std::vector<bool> { true, false }));
    EXPECT_TRUE(list.FileList().empty());
    EXPECT_FALSE(list.FileListValid());
}

TEST_F(AllFilesPassTest, NothingSelectedShowsMessage60AndDoesNothing)
{
    pass.tbAllFilesClick(Focused(tree.root(), ".."), options);
    EXPECT_EQ(fixture.dialogs.messages(), (std::vector { Msg(60) }));
    EXPECT_TRUE(fixture.window.busyShown().empty());
    EXPECT_EQ(fixture.window.reportPageShown(), 0);
}

TEST_F(AllFilesPassTest, AbortStopsTheListingWithMessage40)
{
    fixture.pump.setOnPump([&](int) {
        if (report.rowCount() == 2)
            fixture.control.tbBreakClick();
    });
    pass.tbAllFilesClick(Marked(tree.root(), { "D/", "note.txt" }), options);
    EXPECT_EQ(report.rowCount(), 2);
    EXPECT_EQ(fixture.status.text(1), " " + Msg(40));
    EXPECT_FALSE(fixture.window.busyShown().back());
}

TEST_F(AllFilesPassTest, SecondCommandThroughThePumpIsRefused)
{
    // The user presses break and, before the loop sees it, starts the listing again.
    int nested = 0;
    fixture.pump.setOnPump([&](int call) {
        if (call == 3) {
            fixture.control.tbBreakClick();
            ++nested;
            pass.tbAllFilesClick(Marked(tree.root(), { "note.txt" }), options);
        }
    });
    pass.tbAllFilesClick(Marked(tree.root(), { "D/" }), options);
    EXPECT_EQ(nested, 1);
    EXPECT_TRUE(fixture.control.AbortRequested()) << "the nested command must not clear the abort";
    EXPECT_EQ(fixture.status.text(1), " " + Msg(40));
    for (const auto& row : report.rows())
        EXPECT_NE(row.path, tree / "note.txt");
}

TEST_F(AllFilesPassTest, RefusedWhileAnotherPassIsBusy)
{
    fixture.control.SetBusy(true);
    pass.tbAllFilesClick(Marked(tree.root(), { "D/" }), options);
    EXPECT_EQ(report.rowCount(), 0);
    EXPECT_EQ(fixture.window.reportPageShown(), 0);
}

TEST_F(AllFilesPassTest, LinkCycleEnds)
{
    tree.link("D/A/C/up", "../..");
    tree.link("D/B/again", "../A");
    pass.tbAllFilesClick(Marked(tree.root(), { "D/" }), options);
    EXPECT_EQ(rows(), (Paths { "D/x.htm", "D/x.txt", "D/A/y.txt", "D/A/C/z.txt", "D/B/w.txt" }));
}

TEST_F(AllFilesPassTest, SubdirectoriesAreNotGatheredOnceBusyEnded)
{
    // Toggling the subdirectory option during the listing ends the busy state; the
    // subdirectory gathering then stops descending, the listing goes on.
    fixture.pump.setOnPump([&](int call) {
        if (call == 1)
            fixture.control.SetBusy(false);
    });
    pass.tbAllFilesClick(Marked(tree.root(), { "D/" }), options);
    EXPECT_EQ(rows(), (Paths { "D/x.htm", "D/x.txt" }));
}
