// Loading and saving the shown table through the grid, the two table commands with their
// dialogs, and the start-up load of the rule table.

#include "app/MessageTable.h"
#include "fakes/FakeRuleEditorHost.h"
#include "regex/TRegex.h"
#include "rules/RuleTableModel.h"

#include "fakes/FileBytes.h"
#include "fakes/UniqueTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdlib.h>

namespace fs = std::filesystem;
using namespace morvane::rules;
using morvane::app::Msg;
using morvane::regex::TRegex;

namespace {

class TempDir : public morvane::test::ScopedTempDir {
public:
    TempDir()
        : ScopedTempDir("morvane-ruletable")
    {
    }
};

using morvane::test::ReadFileBytes;
using morvane::test::WriteFileBytes;

struct Fixture {
    TempDir dir;
    TRegex engine;
    RuleCompiler compiler { engine };
    fakes::FakeRuleEditorHost host;
    RuleTableModel model { compiler, host };

    explicit Fixture(LineList lines = {})
    {
        model.setStartingUp(false);
        model.RuleList() = std::move(lines);
        model.FillGrid();
        model.setRuleTableModified(false);
        model.setRuleTablePath(dir.path() / "RegExpr.tbl");
    }
};

} // namespace

TEST(RuleTableFile, SaveWritesEveryRowWithTwoTabsAndClearsTheMark)
{
    const struct {
        LineList lines;
        std::string bytes;
    } cases[] = {
        { {}, "\t\t\r\n" }, // the empty row of an empty table
        { { "a" }, "a\t\t\r\n" },
        { { "x\ty\tz\tw", "p\tq" }, "x\ty\tz\tw\r\np\tq\t\r\n" },
    };
    for (const auto& c : cases) {
        Fixture f(c.lines);
        f.model.SyncGridToList();
        ASSERT_TRUE(f.model.RuleTableModified());
        const fs::path file = f.dir.path() / "t.tbl";
        ASSERT_FALSE(f.model.SaveTable(file));
        EXPECT_EQ(ReadFileBytes(file), c.bytes);
        EXPECT_FALSE(f.model.RuleTableModified());
    }
}

TEST(RuleTableFile, SaveCommandAppendsTblOnlyToNamesWithoutExtension)
{
    const struct {
        std::string chosen;
        std::string written;
    } cases[] = {
        { "rules", "rules.tbl" },
        { "rules.txt", "rules.txt" },
        { "rules.TBL", "rules.TBL" },
    };
    for (const auto& c : cases) {
        Fixture f({ "a\tb\tc" });
        f.host.saveChoices = { f.dir.path() / c.chosen };
        EXPECT_EQ(f.model.tbSaveTableClick(), TableCommandResult::Done);
        ASSERT_EQ(f.host.saveDialogs.size(), 1u);
        EXPECT_EQ(f.host.saveDialogs[0].title, Msg(27));
        EXPECT_EQ(f.host.saveDialogs[0].filter, "Table files (*.tbl)|*.TBL|All files (*.*)|*.*");
        EXPECT_EQ(f.host.saveDialogs[0].initialPath, f.dir.path() / "RegExpr.tbl");
        EXPECT_EQ(ReadFileBytes(f.dir.path() / c.written), "a\tb\tc\r\n") << c.chosen;
        EXPECT_EQ(f.model.RuleTablePath(), f.dir.path() / c.written);
    }
}

TEST(RuleTableFile, FailedSaveShowsTheStandardErrorAndChangesNothing)
{
    Fixture f({ "a" });
    f.model.setRuleTableModified(true);
    const fs::path target = f.dir.path() / "missing" / "t.tbl";
    f.host.saveChoices = { target };
    EXPECT_EQ(f.model.tbSaveTableClick(), TableCommandResult::Failed);
    ASSERT_EQ(f.host.errors.size(), 1u);
    EXPECT_EQ(f.host.errors[0].rfind("Cannot create file \"" + target.string() + "\". ", 0), 0u);
    EXPECT_EQ(f.model.RuleTablePath(), f.dir.path() / "RegExpr.tbl");
    EXPECT_EQ(f.model.RuleList(), LineList { "a" }); // not even rewritten with its two TABs
    EXPECT_TRUE(f.model.RuleTableModified());

    Fixture cancelled({ "a" });
    EXPECT_EQ(cancelled.model.tbSaveTableClick(), TableCommandResult::Cancelled);
    EXPECT_TRUE(fs::is_empty(cancelled.dir.path()));
}

TEST(RuleTableFile, LoadReplacesTheTableMakesRowOneCurrentAndTakesThePath)
{
    Fixture f({ "old" });
    const fs::path file = f.dir.path() / "other.tbl";
    WriteFileBytes(file, "one\r\ntwo\tB\ttwo\rthree");
    f.model.setCurrentRow(1);
    f.host.openChoices = { file };
    EXPECT_EQ(f.model.tbLoadTableClick(), TableCommandResult::Done);
    EXPECT_TRUE(f.host.questions.empty()); // nothing was modified
    ASSERT_EQ(f.host.openDialogs.size(), 1u);
    EXPECT_EQ(f.host.openDialogs[0].title, Msg(28));
    EXPECT_EQ(f.host.openDialogs[0].initialPath, f.dir.path() / "RegExpr.tbl");
    EXPECT_EQ(f.model.RuleList(), (LineList { "one", "two\tB\ttwo", "three" }));
    EXPECT_EQ(f.model.rowCount(), 4);
    EXPECT_EQ(f.model.currentRow(), 1);
    EXPECT_EQ(f.model.memoFindText(), "one");
    EXPECT_FALSE(f.model.RuleTableModified());
    EXPECT_EQ(f.model.RuleTablePath(), file);
}

TEST(RuleTableFile, LoadingAMissingNameKeepsTheGridButTakesTheName)
{
    Fixture f({ "kept" });
    const fs::path missing = f.dir.path() / "new.tbl";
    f.host.openChoices = { missing };
    EXPECT_EQ(f.model.tbLoadTableClick(), TableCommandResult::Done);
    EXPECT_EQ(f.model.RuleList(), LineList { "kept" });
    EXPECT_EQ(f.model.RuleTablePath(), missing);
    EXPECT_TRUE(f.host.errors.empty());
}

TEST(RuleTableFile, UnreadableTableShowsTheStandardErrorAndKeepsTableAndPath)
{
    Fixture f({ "kept" });
    const fs::path directory = f.dir.path() / "adir.tbl";
    fs::create_directory(directory);
    f.host.openChoices = { directory };
    EXPECT_EQ(f.model.tbLoadTableClick(), TableCommandResult::Failed);
    ASSERT_EQ(f.host.errors.size(), 1u);
    EXPECT_EQ(f.host.errors[0].rfind("Cannot open file \"" + directory.string() + "\". ", 0), 0u);
    EXPECT_EQ(f.model.RuleList(), LineList { "kept" });
    EXPECT_EQ(f.model.RuleTablePath(), f.dir.path() / "RegExpr.tbl");
}

TEST(RuleTableFile, ModifiedTableIsOfferedForSavingBeforeLoading)
{
    // Yes, save dialog cancelled: loading goes on.
    Fixture f({ "edited" });
    f.model.setRuleTableModified(true);
    const fs::path file = f.dir.path() / "next.tbl";
    WriteFileBytes(file, "n\r\n");
    f.host.answers = { true };
    f.host.openChoices = { file };
    EXPECT_EQ(f.model.tbLoadTableClick(), TableCommandResult::Done);
    EXPECT_EQ(f.host.questions, std::vector<std::string> { Msg(76) + "\r\n" + Msg(77) });
    EXPECT_EQ(f.host.saveDialogs.size(), 1u);
    EXPECT_EQ(f.model.RuleList(), LineList { "n" });

    // Yes and saved: the old table is in its file, the new one loaded.
    Fixture g({ "edited" });
    g.model.setRuleTableModified(true);
    WriteFileBytes(file, "n\r\n");
    g.host.answers = { true };
    g.host.saveChoices = { g.dir.path() / "saved" };
    g.host.openChoices = { file };
    EXPECT_EQ(g.model.tbLoadTableClick(), TableCommandResult::Done);
    EXPECT_EQ(ReadFileBytes(g.dir.path() / "saved.tbl"), "edited\t\t\r\n");
    EXPECT_EQ(g.model.RuleTablePath(), file);

    // Yes but the save fails: the command stops there.
    Fixture h({ "edited" });
    h.model.setRuleTableModified(true);
    h.host.answers = { true };
    h.host.saveChoices = { h.dir.path() / "no" / "dir.tbl" };
    h.host.openChoices = { file };
    EXPECT_EQ(h.model.tbLoadTableClick(), TableCommandResult::Failed);
    EXPECT_TRUE(h.host.openDialogs.empty());
    EXPECT_EQ(h.model.RuleList(), LineList { "edited" });
}

TEST(RuleTableFile, TheColouringTableHasItsOwnPathAndMark)
{
    Fixture f;
    f.model.setColourTablePath(f.dir.path() / "ColourHTM.tbl");
    f.model.setShowsColourList(true);
    f.model.ColourList() = { "(?sg)(<[^<!]*?>)\tPurple;;8\tcolor <*>" };
    f.model.FillGrid();
    EXPECT_TRUE(f.model.ColourTableModified());
    f.host.saveChoices = { f.dir.path() / "ColourTXT" };
    EXPECT_EQ(f.model.tbSaveTableClick(), TableCommandResult::Done);
    EXPECT_EQ(f.host.saveDialogs[0].initialPath, f.dir.path() / "ColourHTM.tbl");
    EXPECT_EQ(f.model.ColourTablePath(), f.dir.path() / "ColourTXT.tbl");
    EXPECT_EQ(f.model.RuleTablePath(), f.dir.path() / "RegExpr.tbl");
    EXPECT_FALSE(f.model.ColourTableModified());
    EXPECT_EQ(ReadFileBytes(f.dir.path() / "ColourTXT.tbl"), "(?sg)(<[^<!]*?>)\tPurple;;8\tcolor <*>\r\n");
}

TEST(RuleTableFile, StartUpLoadFallsBackToRegExprTbl)
{
    TempDir dir;
    const struct {
        const char* persisted; // relative to dir, "" for none
        bool defaultExists;
        bool persistedExists;
        LineList lines;
        const char* path;
    } cases[] = {
        { "mine.tbl", true, true, { "mine" }, "mine.tbl" },
        { "gone.tbl", true, false, { "default" }, "RegExpr.tbl" },
        { "", true, false, { "default" }, "RegExpr.tbl" },
        { "gone.tbl", false, false, {}, "RegExpr.tbl" },
    };
    for (const auto& c : cases) {
        fs::remove_all(dir.path());
        fs::create_directories(dir.path());
        if (c.defaultExists)
            WriteFileBytes(dir.path() / "RegExpr.tbl", "default\r\n");
        if (c.persistedExists)
            WriteFileBytes(dir.path() / c.persisted, "mine\r\n");
        TRegex engine;
        RuleCompiler compiler(engine);
        fakes::FakeRuleEditorHost host;
        RuleTableModel model(compiler, host);
        if (*c.persisted)
            model.setRuleTablePath(dir.path() / c.persisted);
        ASSERT_FALSE(model.RestoreRuleTable(dir.path()));
        EXPECT_EQ(model.RuleList(), c.lines) << c.persisted;
        EXPECT_EQ(model.RuleTablePath(), dir.path() / c.path) << c.persisted;
        EXPECT_EQ(model.currentRow(), 1);
        EXPECT_FALSE(model.RuleTableModified()); // still starting up
    }
}
