// The file commands on the report list's selected rows: structure below the panel's directory,
// rows that follow their files, and the focus after a delete.

#include "codepage/CodePage.h"
#include "fakes/FakeReportRows.h"
#include "search/FileOpsFixture.h"

namespace morvane::test {
namespace {

namespace fs = std::filesystem;
using codepage::Utf8ToWin1251;

class ReportOpsTest : public FileOpsTest {
protected:
    FakeReportRows rows;

    void addRow(const fs::path& path, bool selected) { rows.rows.push_back({ path, selected }); }
};

TEST_F(ReportOpsTest, CopiesSelectedRowsWithTheirDirectoriesBelowThePanel)
{
    addRow(file("s/a.txt", "a"), true);
    addRow(file("unselected.txt"), false);
    addRow(file("b.txt", "b"), true);
    const fs::path outside = temp.path() / "outside.txt";
    WriteFileBytes(outside, "o");
    addRow(outside, true);
    list();
    dialogs.directoryAnswers.push_back(target);

    ops.copyFromReport(rows, panel);

    EXPECT_EQ(dialogs.directoryCaptions,
        std::vector<std::string> { Utf8ToWin1251("Выберите каталог для копирования объектов - 3") });
    EXPECT_EQ(ReadFileBytes(target / "s" / "a.txt"), "a");
    EXPECT_EQ(ReadFileBytes(target / "b.txt"), "b");
    EXPECT_EQ(ReadFileBytes(target / "outside.txt"), "o") << "a row outside the panel goes straight in";
    EXPECT_FALSE(exists(target / "unselected.txt"));
    EXPECT_EQ(ops.DirsDone(), 1);
    EXPECT_EQ(ops.FilesDone(), 3);
    EXPECT_EQ(dialogs.messages, std::vector<std::string> { Utf8ToWin1251("Создано каталогов - 1\r\n - 3") });
}

TEST_F(ReportOpsTest, OneRowIsCopiedToTheNameOfTheSaveDialog)
{
    addRow(file("s/a.txt", "a"), true);
    list();
    dialogs.saveAnswers.push_back(target / "copy.txt");
    ops.copyFromReport(rows, panel);
    ASSERT_EQ(dialogs.saveDialogs.size(), 1u);
    EXPECT_EQ(dialogs.saveDialogs[0].first, Utf8ToWin1251("Копировать"));
    EXPECT_EQ(dialogs.saveDialogs[0].second, work / "s" / "a.txt");
    EXPECT_EQ(ReadFileBytes(target / "copy.txt"), "a");

    // A failing single copy goes nowhere else and is reported.
    dialogs.saveAnswers.push_back(temp.path() / "no-such-dir" / "copy.txt");
    ops.copyFromReport(rows, panel);
    EXPECT_EQ(ops.FilesDone(), 0);
    EXPECT_EQ(dialogs.errors.size(), 1u);
}

TEST_F(ReportOpsTest, MovedRowsTakeTheirNewPaths)
{
    addRow(file("s/a.txt", "a"), true);
    addRow(file("b.txt", "b"), false);
    list();
    dialogs.directoryAnswers.push_back(target);
    ops.moveFromReport(rows, panel);
    EXPECT_EQ(dialogs.directoryCaptions[0],
        Utf8ToWin1251("Выберите каталог для перемещения:\r\n") + (work / "s" / "a.txt").string());
    EXPECT_EQ(rows.rows[0].path, target / "s" / "a.txt");
    EXPECT_EQ(rows.rows[1].path, work / "b.txt");
    EXPECT_EQ(ReadFileBytes(target / "s" / "a.txt"), "a");
    EXPECT_FALSE(exists(work / "s" / "a.txt"));
    EXPECT_EQ(dialogs.messages,
        std::vector<std::string> { Utf8ToWin1251("Создано каталогов - 1\r\nПеремещено файлов - 1") });

    rows.rows[0].selected = rows.rows[1].selected = true;
    dialogs.directoryAnswers.push_back(temp.path());
    ops.moveFromReport(rows, panel);
    EXPECT_EQ(dialogs.directoryCaptions[1], Utf8ToWin1251("Выберите каталог для перемещения объектов - 2"));
}

TEST_F(ReportOpsTest, DeleteRemovesRowsOfDeletedAndMissingFiles)
{
    addRow(file("r0"), false);
    addRow(file("r1"), true);
    addRow(work / "never-existed", true);
    fs::create_directories(work / "dir-row");
    addRow(work / "dir-row", true); // cannot be deleted as a file: the row stays
    addRow(file("r4"), false);
    addRow(file("r5"), false);
    file("r10", "backup of r1");
    rows.focused = 3;
    list();

    ops.deleteFromReport(rows, panel);

    EXPECT_EQ(dialogs.confirmations,
        std::vector<std::string> { Utf8ToWin1251("Вы действительно хотите удалить объектов - 3 ?") });
    std::vector<fs::path> left;
    for (const auto& row : rows.rows)
        left.push_back(row.path);
    EXPECT_EQ(left, (std::vector<fs::path> { work / "r0", work / "dir-row", work / "r4", work / "r5" }));
    EXPECT_FALSE(exists(work / "r10"));
    EXPECT_EQ(dialogs.messages, std::vector<std::string> { Utf8ToWin1251("Удалено файлов - 1") });
    // Focused row 3 less 3 selected rows: the row after index 0.
    EXPECT_EQ(rows.focused, 1);
}

TEST_F(ReportOpsTest, DeleteFocusRuleAtTheEnds)
{
    struct Case {
        int rowCount;
        std::vector<int> selected;
        int focused;
        int expected;
    } cases[] = {
        { 3, { 0 }, 0, 0 }, // i = -1: the first row
        { 3, { 2 }, 2, 1 }, // the last row went: the new last row
        { 1, { 0 }, 0, -1 }, // nothing left to focus
        { 5, { 1, 2 }, 2, 1 },
    };
    int n = 0;
    for (const Case& c : cases) {
        rows.rows.clear();
        for (int r = 0; r < c.rowCount; ++r)
            addRow(file("c" + std::to_string(n) + "-" + std::to_string(r)), false);
        for (int r : c.selected)
            rows.rows[static_cast<size_t>(r)].selected = true;
        rows.focused = c.focused;
        ops.deleteFromReport(rows, panel);
        EXPECT_EQ(rows.rowCount(), c.rowCount - static_cast<int>(c.selected.size())) << "case " << n;
        EXPECT_EQ(rows.focused, c.expected) << "case " << n;
        ++n;
    }
    EXPECT_EQ(dialogs.confirmations[0],
        Utf8ToWin1251("Вы действительно хотите удалить файл:\r\n") + (work / "c0-0").string() + " ?");
}

TEST_F(ReportOpsTest, NothingSelectedOrDeclinedDoesNothing)
{
    addRow(file("a"), false);
    ops.copyFromReport(rows, panel);
    ops.moveFromReport(rows, panel);
    ops.deleteFromReport(rows, panel);
    EXPECT_TRUE(dialogs.untouched());

    rows.rows[0].selected = true;
    dialogs.confirmAnswer = false;
    ops.deleteFromReport(rows, panel);
    EXPECT_EQ(rows.rowCount(), 1);
    EXPECT_TRUE(exists(work / "a"));
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace morvane::test
