// The extension key of a file and the choice of the colouring table by it: reuse of the held
// table, a missing table file, the question before an edited table is replaced, and failures.

#include "editor/ColourTable.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "editor/ColourTableDialogs.h"
#include "fakes/FileBytes.h"
#include "fakes/UniqueTempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

namespace morvane::editor {
namespace {

namespace fs = std::filesystem;

struct KeyCase {
    std::string file;
    std::string key;
};

TEST(ColourTableTest, ExtensionKey)
{
    const KeyCase cases[] = {
        { "/w/a.html", "HTM" },
        { "/w/a.HTML", "HTM" },
        { "/w/a.txt", "TXT" },
        { "/w/a.tar.gz", "GZ" },
        { "/w/README", "" },
        { "/w/a.", "" },
        // Only the name counts, not a dot in a directory.
        { "/w/dir.d/file", "" },
        { "/w/.bashrc", "BASHRC" },
        // Only ASCII letters change case; "HTMLX" is not "HTML".
        { "/w/a.Xhtml", "XHTML" },
        { "/w/a.htmlx", "HTMLX" },
        { "/w/a.\xD0\xB4\xD0\xBE\xD0\xBA", "\xD0\xB4\xD0\xBE\xD0\xBA" },
        { "", "" },
        { "/w/a." + std::string(130, 'x'), std::string(128, 'X') },
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(ColourExtensionKey(c.file), c.key);
    }
}

class ScriptedTableDialogs : public ColourTableDialogs {
public:
    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> messages;

    bool Confirm(const std::string& text) override
    {
        questions.push_back(text);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
};

class ChooseColourTableTest : public testing::Test {
protected:
    test::ScopedTempDir m_dir { "colour-table" };
    ScriptedTableDialogs m_dialogs;

    fs::path dir() const { return m_dir.path(); }
    void writeTable(const std::string& name, const std::string& bytes) const
    {
        test::WriteFileBytes(dir() / name, bytes);
    }
    // The state the window has after start-up: the HTML table, unchanged.
    ColourTableState htmlTable() const
    {
        return { { "(<b>)\tRed\thtml" }, dir() / "ColourHTM.tbl", "HTM", false };
    }
};

TEST_F(ChooseColourTableTest, SameKeyKeepsTheHeldTableWithoutReading)
{
    // The held lines are not those of the file: they must not be read again.
    writeTable("ColourHTM.tbl", "other\tBlue\t\r\n");
    ColourTableState table = htmlTable();
    table.modified = true;
    EXPECT_TRUE(ChooseColourTable(table, "/w/page.html", dir(), m_dialogs));
    EXPECT_EQ(table.lines, rules::LineList { "(<b>)\tRed\thtml" });
    EXPECT_TRUE(table.modified);
    EXPECT_TRUE(m_dialogs.questions.empty());
}

TEST_F(ChooseColourTableTest, MissingTableChangesNothing)
{
    ColourTableState table = htmlTable();
    table.modified = true;
    EXPECT_FALSE(ChooseColourTable(table, "/w/a.txt", dir(), m_dialogs));
    EXPECT_EQ(table.key, "HTM");
    EXPECT_EQ(table.path, dir() / "ColourHTM.tbl");
    EXPECT_EQ(table.lines.size(), 1u);
    EXPECT_TRUE(table.modified);
    EXPECT_TRUE(m_dialogs.questions.empty());
}

TEST_F(ChooseColourTableTest, UnchangedTableIsReplacedSilently)
{
    writeTable("ColourTXT.tbl", "(\\d+)\tBlue\tnumbers\r\nx\tRed\t\r\n");
    ColourTableState table = htmlTable();
    EXPECT_TRUE(ChooseColourTable(table, "/w/a.txt", dir(), m_dialogs));
    EXPECT_EQ(table.lines, (rules::LineList { "(\\d+)\tBlue\tnumbers", "x\tRed\t" }));
    EXPECT_EQ(table.key, "TXT");
    EXPECT_EQ(table.path, dir() / "ColourTXT.tbl");
    EXPECT_FALSE(table.modified);
    EXPECT_TRUE(m_dialogs.questions.empty());
    EXPECT_FALSE(fs::exists(dir() / "ColourHTM.tbl"));
}

TEST_F(ChooseColourTableTest, FileWithoutExtensionUsesTheBareTable)
{
    writeTable("Colour.tbl", "(a)\tRed\t\r\n");
    ColourTableState table = htmlTable();
    EXPECT_TRUE(ChooseColourTable(table, "/w/Makefile", dir(), m_dialogs));
    EXPECT_EQ(table.key, "");
    EXPECT_EQ(table.path, dir() / "Colour.tbl");
}

TEST_F(ChooseColourTableTest, EditedTableIsSavedOnYes)
{
    writeTable("ColourTXT.tbl", "t\tRed\t\r\n");
    ColourTableState table = htmlTable();
    table.modified = true;
    m_dialogs.answers = { true };
    EXPECT_TRUE(ChooseColourTable(table, "/w/a.txt", dir(), m_dialogs));
    ASSERT_EQ(m_dialogs.questions.size(), 1u);
    EXPECT_EQ(m_dialogs.questions[0], app::Msg(80) + "\r\n" + app::PathText(dir() / "ColourHTM.tbl") + "?");
    EXPECT_EQ(test::ReadFileBytes(dir() / "ColourHTM.tbl"), "(<b>)\tRed\thtml\r\n");
    EXPECT_EQ(table.lines, rules::LineList { "t\tRed\t" });
    EXPECT_FALSE(table.modified);
}

TEST_F(ChooseColourTableTest, EditedTableIsDroppedOnNo)
{
    writeTable("ColourTXT.tbl", "t\tRed\t\r\n");
    ColourTableState table = htmlTable();
    table.modified = true;
    m_dialogs.answers = { false };
    EXPECT_TRUE(ChooseColourTable(table, "/w/a.txt", dir(), m_dialogs));
    EXPECT_EQ(m_dialogs.questions.size(), 1u);
    EXPECT_FALSE(fs::exists(dir() / "ColourHTM.tbl"));
    EXPECT_EQ(table.key, "TXT");
    EXPECT_FALSE(table.modified);
}

TEST_F(ChooseColourTableTest, FailedSaveKeepsTheEditedTable)
{
    writeTable("ColourTXT.tbl", "t\tRed\t\r\n");
    ColourTableState table = htmlTable();
    table.path = dir() / "no-such-dir" / "ColourHTM.tbl";
    table.modified = true;
    m_dialogs.answers = { true };
    EXPECT_FALSE(ChooseColourTable(table, "/w/a.txt", dir(), m_dialogs));
    ASSERT_EQ(m_dialogs.messages.size(), 1u);
    EXPECT_EQ(m_dialogs.messages[0].rfind("Cannot create file", 0), 0u) << m_dialogs.messages[0];
    EXPECT_EQ(table.key, "HTM");
    EXPECT_EQ(table.lines, rules::LineList { "(<b>)\tRed\thtml" });
    EXPECT_TRUE(table.modified);
}

} // namespace
} // namespace morvane::editor
