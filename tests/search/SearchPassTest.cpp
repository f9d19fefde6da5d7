// The found and not-found report passes: report rows and counts, status texts, single rule
// and multipass, unreadable and vanished files, code page detection, engine errors, abort,
// several jobs.

#include "search/SearchPass.h"
#include "PassFixture.h"
#include "TempTree.h"
#include "app/Format.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "fakes/FakeViewer.h"

#include <gtest/gtest.h>

namespace morvane::search {
namespace {

namespace fs = std::filesystem;
using codepage::Utf8ToWin1251;
using test::TempTree;

struct SearchFixture : test::PassFixture {
    TempTree tree;
    test::FakeViewer viewer;
    Backups backups;
    WorkTextEditor editor { control, viewer, backups };
    PassFileList files { control };
    ReportModel report;
    regex::TRegex engine;
    rules::RuleCompiler compiler { engine };
    SearchPass pass { control, files, report, editor, compiler };
    PassOptions options;

    SearchFixture() { compiler.ApplyGlobalModifiers(); }

    PassSelection all() const
    {
        return test::Marked(tree.root().parent_path(), { tree.root().filename().string() + "/" });
    }

    // The report as "name:found" for readable expectations.
    std::vector<std::string> rows() const
    {
        std::vector<std::string> out;
        for (const ReportRow& row : report.rows())
            out.push_back(
                row.path.filename().string() + ":" + (row.found ? std::to_string(*row.found) : "-"));
        return out;
    }
};

SearchRules Single(const std::string& find, const std::string& remark = "")
{
    return SearchRules { rules::Rule { find, "", remark }, false, {} };
}

SearchRules Table(std::vector<rules::Rule> rows)
{
    return SearchRules { {}, true, std::move(rows) };
}

TEST(SearchPass, FoundListsMatchingFilesWithTheirCounts)
{
    SearchFixture f;
    f.tree.file("a.txt", "cat cat cat");
    f.tree.file("b.txt", "dog");
    f.tree.file("c.txt", "Cat");
    f.report.setCountColumnWidth(ReportColumn::Found, 90);
    f.report.hideCountColumn(ReportColumn::Found);
    f.pass.miFindFilesClick(f.all(), f.options, Single("cat"));
    EXPECT_EQ(f.rows(), (std::vector<std::string> { "a.txt:3" }));
    EXPECT_EQ(f.status.text(1),
        Utf8ToWin1251(" Обработано файлов - 3 из 3  Найдено файлов(в файле) - 1(0)  Всего найдено - 3"));
    EXPECT_TRUE(f.status.everShown(
        1, Utf8ToWin1251(" Обработано файлов - 0 из 3  Найдено файлов(в файле) - 1(2)  Всего найдено - 2")))
        << "progress after every counted match";
    EXPECT_EQ(f.report.columnWidth(ReportColumn::Found), 90) << "comes back with its former width";
    EXPECT_EQ(f.report.columnWidth(ReportColumn::Replaced), 0);
    EXPECT_EQ(f.window.reportPageShown(), 1);
    EXPECT_FALSE(f.control.IsBusy());

    // The remark's modifiers apply: case-insensitive now.
    f.pass.miFindFilesClick(f.all(), f.options, Single("cat", "(?i)"));
    EXPECT_EQ(f.rows(), (std::vector<std::string> { "a.txt:3", "c.txt:1" }));
}

TEST(SearchPass, ReusedBufferShowsALaterShorterFileOnlyItsOwnText)
{
    SearchFixture f;
    f.tree.file("a.txt", "x x x x x x x x tail");
    f.tree.file("b.txt", "x x");
    f.tree.file("c.txt", "");
    f.pass.miFindFilesClick(f.all(), f.options, Single("x|tail"));
    EXPECT_EQ(f.rows(), (std::vector<std::string> { "a.txt:9", "b.txt:2" }));
    f.pass.miNotFindFilesClick(f.all(), f.options, Single("tail"));
    EXPECT_EQ(f.rows(), (std::vector<std::string> { "b.txt:0", "c.txt:0" }));
}

TEST(SearchPass, ProgressIsFormattedOnlyWhenTheWindowIsLetThroughButEndsExact)
{
    SearchFixture f;
    f.control.setResponseInterval(9999);
    f.control.resetPumpTime();
    f.tree.file("a.txt", "cat cat");
    f.tree.file("b.txt", "cat");
    f.pass.miFindFilesClick(f.all(), f.options, Single("cat"));
    EXPECT_FALSE(f.status.everShown(
        1, Utf8ToWin1251(" Обработано файлов - 0 из 2  Найдено файлов(в файле) - 1(1)  Всего найдено - 1")));
    EXPECT_EQ(f.status.text(1),
        Utf8ToWin1251(" Обработано файлов - 2 из 2  Найдено файлов(в файле) - 2(1)  Всего найдено - 3"));
}

TEST(SearchPass, MultipassAddsTheRowsCountsAndCountsTheFileOnce)
{
    SearchFixture f;
    f.tree.file("m.txt", "aa bbb");
    f.tree.file("n.txt", "zzz");
    f.pass.miFindFilesClick(
        f.all(), f.options, Table({ { "a", "", "" }, { "", "", "" }, { "b", "", "" }, { "q", "", "" } }));
    EXPECT_EQ(f.rows(), (std::vector<std::string> { "m.txt:5" }));
    EXPECT_EQ(f.pass.FilesFound(), 1);
    EXPECT_EQ(f.pass.MatchesTotal(), 5);
}

TEST(SearchPass, EmptyExpressionListsNothingButUnreadableFiles)
{
    SearchFixture f;
    f.tree.file("a.txt", "text");
    f.tree.file("b.txt", "text");
    ASSERT_TRUE(f.files.TakeFileList(f.all(), f.options));
    fs::remove(f.tree / "b.txt"); // vanishes between listing and processing

    f.pass.miFindFilesClick(f.all(), f.options, Single(""));
    EXPECT_TRUE(f.rows().empty());
    f.pass.miNotFindFilesClick(f.all(), f.options, Single(""));
    EXPECT_EQ(f.rows(), (std::vector<std::string> { "b.txt:0" }));
    EXPECT_EQ(f.status.text(1),
        Utf8ToWin1251(" Обработано файлов - 2 из 2  Найдено файлов - 1, не удовлетворяющих условию поиска"));
    ASSERT_EQ(f.dialogs.messages().size(), 2u) << "reported by each pass";
    EXPECT_TRUE(f.dialogs.messages()[0].starts_with("Cannot open file \"" + (f.tree / "b.txt").string()));
}

TEST(SearchPass, VanishedFileIsReportedAndSkippedByTheFoundPass)
{
    SearchFixture f;
    f.tree.file("a.txt", "hit");
    f.tree.file("b.txt", "hit");
    f.tree.file("c.txt", "hit");
    ASSERT_TRUE(f.files.TakeFileList(f.all(), f.options));
    fs::remove(f.tree / "b.txt");
    f.pass.miFindFilesClick(f.all(), f.options, Single("hit"));
    EXPECT_EQ(f.rows(), (std::vector<std::string> { "a.txt:1", "c.txt:1" }));
    EXPECT_EQ(f.pass.FilesProcessed(), 3);
    EXPECT_EQ(f.dialogs.messages().size(), 1u);
}

TEST(SearchPass, NotFoundMultipassListsWhenNoRowMatches)
{
    struct Row {
        std::vector<rules::Rule> table;
        bool listed;
    } const rows[] = {
        { { { "x", "", "" } }, true },
        { { { "x", "", "" }, { "b", "", "" } }, false },
        { { { "", "", "" }, { "x", "", "" } }, true }, // an empty row is not searched
        { { { "", "", "" } }, false }, // nothing searched: no verdict to list
        { { { "B", "", "(?i)" }, { "x", "", "" } }, false },
    };
    for (const Row& row : rows) {
        SearchFixture f;
        f.tree.file("f.txt", "abc");
        f.pass.miNotFindFilesClick(f.all(), f.options, Table(row.table));
        EXPECT_EQ(f.rows().size(), row.listed ? 1u : 0u) << row.table.size() << row.table[0].Find;
    }
}

TEST(SearchPass, NotFoundSingleRule)
{
    SearchFixture f;
    f.tree.file("has.txt", "needle");
    f.tree.file("hasnt.txt", "hay");
    f.pass.miNotFindFilesClick(f.all(), f.options, Single("needle"));
    EXPECT_EQ(f.rows(), (std::vector<std::string> { "hasnt.txt:0" }));
    EXPECT_EQ(f.pass.FilesFound(), 1);
    EXPECT_EQ(f.report.columnWidth(ReportColumn::Replaced), 0);
}

TEST(SearchPass, AutoDetectFindsAKoi8rFileByAWindows1251Expression)
{
    SearchFixture f;
    const std::string text = Utf8ToWin1251(
        "Широкая электрификация южных губерний даст мощный толчок подъёму сельского хозяйства.");
    f.tree.file("k.txt", codepage::ConvertText(text, codepage::kWin1251, codepage::kKoi8r));
    f.editor.setCodePage(CodePageChoice::AutoDetect);
    f.pass.miFindFilesClick(f.all(), f.options, Single(Utf8ToWin1251("губерний")));
    EXPECT_EQ(f.rows(), (std::vector<std::string> { "k.txt:1" }));
    f.editor.setCodePage(CodePageChoice::Win1251);
    f.pass.miFindFilesClick(f.all(), f.options, Single(Utf8ToWin1251("губерний")));
    EXPECT_TRUE(f.rows().empty());
}

TEST(SearchPass, AbortInAFileStopsCountingAtOnceAndKeepsItsRow)
{
    SearchFixture f;
    f.tree.file("a.txt", std::string(100, 'x'));
    f.tree.file("b.txt", "x");
    f.pump.setOnPump([&](int) {
        if (f.pass.MatchesInFile() == 5)
            f.control.tbBreakClick();
    });
    f.pass.miFindFilesClick(f.all(), f.options, Single("x"));
    EXPECT_EQ(f.rows(), (std::vector<std::string> { "a.txt:5" }));
    EXPECT_EQ(f.pass.MatchesTotal(), 5);
    EXPECT_EQ(f.status.text(1), Utf8ToWin1251(" прервано пользователем"));
    EXPECT_FALSE(f.control.IsBusy());
}

TEST(SearchPass, EngineErrorEndsThePassKeepingTheRows)
{
    SearchFixture f;
    f.tree.file("a.txt", "ok");
    f.pass.miFindFilesClick(f.all(), f.options, Table({ { "ok", "", "" }, { "(", "", "" } }));
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_NE(f.dialogs.messages()[0].find("(pos"), std::string::npos) << f.dialogs.messages()[0];
    EXPECT_TRUE(f.rows().empty()) << "the file's test did not return";
    EXPECT_FALSE(f.control.IsBusy());
    EXPECT_EQ(f.status.text(1),
        " " + app::FillMessage(app::Msg(14), { 0, 1, 1, 1, 1 }))
        << "the progress, not the scanning text the file list left";

    f.tree.file("b.txt", "ok");
    f.files.invalidate(FileListEvent::MarkChanged);
    f.pass.miFindFilesClick(f.all(), f.options, Single("ok", "(?q)"));
    EXPECT_EQ(f.dialogs.messages().back(), "Urecognized Modifier");
}

std::string Runaway()
{
    std::string text;
    for (int i = 0; i < 8; ++i)
        text += std::string(30, 'a') + "b";
    return text;
}

TEST(SearchPass, AFileTheEngineCannotSearchGetsARowAndThePassGoesOn)
{
    for (const bool found : { true, false }) {
        SearchFixture f;
        f.tree.file("a.txt", Runaway());
        f.tree.file("b.txt", "xaa");
        f.tree.file("c.txt", "none");
        if (found)
            f.pass.miFindFilesClick(f.all(), f.options, Single("(a|aa)+$"));
        else
            f.pass.miNotFindFilesClick(f.all(), f.options, Single("(a|aa)+$"));
        EXPECT_EQ(f.rows(), found ? (std::vector<std::string> { "a.txt:-", "b.txt:1" })
                                  : (std::vector<std::string> { "a.txt:-", "c.txt:0" }));
        EXPECT_EQ(f.report.rows()[0].note, "Backtracking Limit Exceeded");
        EXPECT_EQ(f.dialogs.failures(),
            std::vector<std::string> { (f.tree / "a.txt").string() + ": Backtracking Limit Exceeded" });
        EXPECT_TRUE(f.dialogs.messages().empty());
        EXPECT_EQ(f.pass.FilesProcessed(), 3);
        EXPECT_TRUE(f.status.text(1).ends_with(Utf8ToWin1251("  Не удалось просмотреть файлов - 1")))
            << f.status.text(1);
    }
}

TEST(SearchPass, AbortStopsALongSearchInsideTheEngine)
{
    SearchFixture f;
    f.tree.file("a.txt", Runaway());
    f.tree.file("b.txt", "aa");
    // The break arrives while the engine searches a.txt: only the engine lets messages
    // through then.
    f.pump.setOnPump([&](int) {
        if (f.editor.CurrentFilePath() == f.tree / "a.txt")
            f.control.tbBreakClick();
    });
    f.pass.miFindFilesClick(f.all(), f.options, Single("(a|aa)+$"));
    EXPECT_TRUE(f.rows().empty());
    EXPECT_TRUE(f.dialogs.messages().empty());
    EXPECT_TRUE(f.dialogs.failures().empty());
    EXPECT_EQ(f.status.text(1), Utf8ToWin1251(" прервано пользователем"));
    EXPECT_FALSE(f.control.IsBusy());
}

TEST(SearchPass, SeveralJobsTakeAWalkedOrReusedListAndEndOnAnAbortDuringTheWalk)
{
    for (const int jobs : { 1, 2 }) {
        SearchFixture f;
        f.pass.setJobs(jobs);
        f.options.subDirectories = true;
        f.tree.file("a.txt", "x x");
        f.tree.file("b.txt", "none");
        f.tree.file("sub/c.txt", "x");
        // The first pass hands the paths over while walking; the second reuses the list.
        for (int run = 0; run < 2; ++run) {
            f.pass.miFindFilesClick(f.all(), f.options, Single("x"));
            EXPECT_EQ(f.rows(), (std::vector<std::string> { "a.txt:2", "c.txt:1" })) << jobs << " " << run;
            EXPECT_TRUE(f.files.FileListValid());
        }
        // Stopped with two paths listed, which the workers may be testing: nothing is reported.
        f.files.invalidate(FileListEvent::MarkChanged);
        f.pump.setOnPump([&](int) {
            if (f.files.FileList().size() == 2)
                f.control.tbBreakClick();
        });
        f.pass.miFindFilesClick(f.all(), f.options, Single("x"));
        EXPECT_TRUE(f.rows().empty()) << jobs;
        EXPECT_EQ(f.files.FileList().size(), 2u);
        EXPECT_FALSE(f.files.FileListValid());
        EXPECT_EQ(f.status.text(1), Utf8ToWin1251(" прервано пользователем"));
        EXPECT_TRUE(f.dialogs.messages().empty());
        EXPECT_FALSE(f.control.IsBusy());
    }
}

} // namespace
} // namespace morvane::search
