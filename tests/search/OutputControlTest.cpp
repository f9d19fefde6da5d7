// The output mode buttons: choosing the collecting file and the three answers for an existing
// one, the directory rules of the save dialog, file-split settings, the exclusive group, the
// busy state, and the collecting file kept out of the pass file list.

#include "search/OutputControl.h"
#include "PassFixture.h"
#include "TempTree.h"
#include "app/MessageTable.h"
#include "app/Settings.h"
#include "codepage/CodePage.h"
#include "fakes/FakeOutputDialogs.h"
#include "search/PassFileList.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace morvane::search;
using morvane::test::FakeOutputDialogs;
using morvane::test::PassFixture;
using morvane::test::TempTree;

namespace {

std::string Read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct OutputFixture : PassFixture {
    TempTree tree;
    FakeOutputDialogs outputDialogs;
    PassFileList fileList { control };
    OutputControl output { control, outputDialogs, &fileList };

    OutputFixture() { output.setPanelDirectory(tree.root()); }
};

} // namespace

TEST(OutputControl, ExistingCollectingFileAnswers)
{
    const struct {
        OutputExistingAnswer answer;
        bool modeOn;
        std::string content; // after "new" was appended when the mode is on
    } cases[] = {
        { OutputExistingAnswer::Cancel, false, "old" },
        { OutputExistingAnswer::Overwrite, true, "new" },
        { OutputExistingAnswer::Append, true, "oldnew" },
    };
    for (const auto& c : cases) {
        OutputFixture f;
        f.tree.file("collect.txt", "old");
        f.outputDialogs.queueFile(f.tree / "collect.txt");
        f.outputDialogs.queueAnswer(c.answer);
        f.output.clickReplToFileButton();

        ASSERT_EQ(f.outputDialogs.existingAsked().size(), 1u);
        EXPECT_EQ(f.outputDialogs.existingAsked()[0], f.tree / "collect.txt");
        EXPECT_EQ(f.output.replToFileDown(), c.modeOn);
        EXPECT_EQ(f.output.miReplToFileChecked(), c.modeOn);
        EXPECT_EQ(f.output.mode(), c.modeOn ? OutputMode::OneFile : OutputMode::InPlace);
        if (c.modeOn) {
            EXPECT_EQ(f.output.stReplToFile(), f.tree / "collect.txt");
            EXPECT_EQ(f.output.stReplToFileHint(), morvane::app::Msg(61));
            EXPECT_EQ(f.output.LabelReplToFile(), f.tree / "collect.txt");
            ASSERT_FALSE(f.output.collectingFile().append("new"));
        } else {
            EXPECT_TRUE(f.output.stReplToFile().empty());
            EXPECT_TRUE(f.output.collectingFilePath().empty());
        }
        EXPECT_EQ(Read(f.tree / "collect.txt"), c.content);
    }
}

TEST(OutputControl, ChoosingTheCollectingFile)
{
    OutputFixture f;
    // Cancelled save dialog: the mode stays off; the dialog was titled with message 29 and
    // started in the panel's directory.
    f.output.clickReplToFileButton();
    EXPECT_FALSE(f.output.replToFileDown());
    ASSERT_EQ(f.outputDialogs.saveRequests().size(), 1u);
    EXPECT_EQ(f.outputDialogs.saveRequests()[0].title, morvane::app::Msg(29));
    EXPECT_TRUE(f.outputDialogs.saveRequests()[0].startFile.empty());
    EXPECT_EQ(f.outputDialogs.saveRequests()[0].startDirectory, f.tree.root());

    // A new file in an existing directory is created empty, without the existing-file dialog.
    f.outputDialogs.queueFile(f.tree / "new.txt");
    f.output.clickReplToFileButton();
    EXPECT_EQ(f.output.mode(), OutputMode::OneFile);
    EXPECT_TRUE(f.outputDialogs.existingAsked().empty());
    EXPECT_TRUE(std::filesystem::exists(f.tree / "new.txt"));
    EXPECT_EQ(f.output.collectingFilePath(), f.tree / "new.txt");

    // Raising the button closes it; the next dialog starts with the remembered file.
    f.output.clickReplToFileButton();
    EXPECT_EQ(f.output.mode(), OutputMode::InPlace);
    EXPECT_FALSE(f.output.collectingFile().isOpen());
    EXPECT_TRUE(f.output.stReplToFile().empty());
    EXPECT_TRUE(f.output.stReplToFileHint().empty());
    f.output.clickReplToFileButton();
    EXPECT_EQ(f.outputDialogs.saveRequests().back().startFile, f.tree / "new.txt");
}

TEST(OutputControl, MissingDirectory)
{
    {
        // One missing level is created.
        OutputFixture f;
        f.outputDialogs.queueFile(f.tree / "sub" / "c.txt");
        f.output.clickReplToFileButton();
        EXPECT_EQ(f.output.mode(), OutputMode::OneFile);
        EXPECT_TRUE(std::filesystem::exists(f.tree / "sub" / "c.txt"));
        EXPECT_EQ(f.outputDialogs.saveRequests().size(), 1u);
    }
    {
        // Two missing levels: the dialog is offered once more, and its answer is taken.
        OutputFixture f;
        f.tree.file("there.txt", "kept");
        f.outputDialogs.queueFile(f.tree / "a" / "b" / "c.txt");
        f.outputDialogs.queueFile(f.tree / "there.txt");
        f.outputDialogs.queueAnswer(OutputExistingAnswer::Append);
        f.output.clickReplToFileButton();
        EXPECT_EQ(f.outputDialogs.saveRequests().size(), 2u);
        EXPECT_FALSE(std::filesystem::exists(f.tree / "a"));
        EXPECT_EQ(f.output.collectingFilePath(), f.tree / "there.txt");
        EXPECT_EQ(f.output.stReplToFile(), f.tree / "there.txt");
        EXPECT_EQ(Read(f.tree / "there.txt"), "kept");
    }
    {
        // Offered once more and cancelled: the mode stays off and nothing is created.
        OutputFixture f;
        f.outputDialogs.queueFile(f.tree / "a" / "b" / "c.txt");
        f.output.clickReplToFileButton();
        EXPECT_EQ(f.outputDialogs.saveRequests().size(), 2u);
        EXPECT_EQ(f.output.mode(), OutputMode::InPlace);
        EXPECT_FALSE(f.output.replToFileDown());
        EXPECT_FALSE(std::filesystem::exists(f.tree / "a"));
    }
}

TEST(OutputControl, ACollectingFileThatCannotBeCreatedIsReported)
{
    OutputFixture f;
    // A directory chosen as the file: the existing-file dialog, then the open fails.
    f.tree.dir("adir");
    f.outputDialogs.queueFile(f.tree / "adir");
    f.outputDialogs.queueAnswer(OutputExistingAnswer::Overwrite);
    f.output.clickReplToFileButton();
    EXPECT_EQ(f.output.mode(), OutputMode::InPlace);
    EXPECT_FALSE(f.output.replToFileDown());
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0].rfind("Cannot create file \"", 0), 0u) << f.dialogs.messages()[0];
}

TEST(OutputControl, FileSplitSettingsAndTheExclusiveGroup)
{
    OutputFixture f;
    // Cancel: the mode stays off and the settings are unchanged.
    f.output.clickFileSplitButton();
    EXPECT_EQ(f.outputDialogs.settingsShown(), 1);
    EXPECT_FALSE(f.output.fileSplitDown());
    EXPECT_FALSE(f.output.miFileSplitChecked());
    EXPECT_EQ(f.output.splitSettings().separator, "_");

    // One-file mode on, then file-split pressed: the collecting file closes.
    f.outputDialogs.queueFile(f.tree / "c.txt");
    f.output.clickReplToFileButton();
    ASSERT_EQ(f.output.mode(), OutputMode::OneFile);
    OutputSplitSettings edited;
    edited.separator = "-";
    edited.digits = 3;
    f.outputDialogs.setSettingsAnswer(true, edited);
    f.output.clickFileSplitButton();
    EXPECT_EQ(f.output.mode(), OutputMode::FileSplit);
    EXPECT_FALSE(f.output.replToFileDown());
    EXPECT_FALSE(f.output.miReplToFileChecked());
    EXPECT_TRUE(f.output.miFileSplitChecked());
    EXPECT_FALSE(f.output.collectingFile().isOpen());
    EXPECT_EQ(f.output.splitSettings().separator, "-");
    EXPECT_EQ(f.output.splitSettings().digits, 3);
    EXPECT_TRUE(f.output.stReplToFile().empty());

    // One-file mode pressed again: file-split mode goes off.
    f.outputDialogs.queueFile(f.tree / "c.txt");
    f.outputDialogs.queueAnswer(OutputExistingAnswer::Append);
    f.output.clickReplToFileButton();
    EXPECT_EQ(f.output.mode(), OutputMode::OneFile);
    EXPECT_FALSE(f.output.fileSplitDown());
    EXPECT_FALSE(f.output.miFileSplitChecked());
}

TEST(OutputControl, FixedSplitNameIsThePanelsOrRefusedWhenEmpty)
{
    struct Row {
        const char* name;
        std::filesystem::path given;
        bool on;
        std::filesystem::path kept; // relative: under the panel's directory
    } const rows[] = {
        { "relative", "out.txt", true, "out.txt" },
        { "relative with a directory", "sub/out.txt", true, "sub/out.txt" },
        { "absolute", "/elsewhere/out.txt", true, "/elsewhere/out.txt" },
        { "empty", "", false, "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        OutputFixture f;
        OutputSplitSettings edited;
        edited.nameFromSource = false;
        edited.fixedName = row.given;
        f.outputDialogs.setSettingsAnswer(true, edited);
        f.output.clickFileSplitButton();
        EXPECT_EQ(f.output.fileSplitDown(), row.on);
        if (row.on) {
            EXPECT_TRUE(f.dialogs.messages().empty());
            EXPECT_EQ(f.output.splitSettings().fixedName, row.kept.is_absolute() ? row.kept : f.tree / row.kept);
        } else {
            EXPECT_EQ(f.dialogs.messages(), std::vector<std::string> { morvane::app::Msg(400) });
            EXPECT_EQ(f.output.mode(), OutputMode::InPlace);
        }
    }
}

TEST(OutputControl, MenuItemsDoNothingWhileBusy)
{
    OutputFixture f;
    f.control.SetBusy(true);
    f.output.miReplToFileClick();
    f.output.miFileSplitClick();
    EXPECT_FALSE(f.output.replToFileDown());
    EXPECT_FALSE(f.output.fileSplitDown());
    EXPECT_TRUE(f.outputDialogs.saveRequests().empty());
    EXPECT_EQ(f.outputDialogs.settingsShown(), 0);

    f.control.SetBusy(false);
    f.outputDialogs.setSettingsAnswer(true);
    f.output.miFileSplitClick();
    EXPECT_TRUE(f.output.fileSplitDown());
    EXPECT_TRUE(f.output.miFileSplitChecked());
    f.outputDialogs.queueFile(f.tree / "c.txt");
    f.output.miReplToFileClick();
    EXPECT_EQ(f.output.mode(), OutputMode::OneFile);
    EXPECT_TRUE(f.output.miReplToFileChecked());
    EXPECT_FALSE(f.output.miFileSplitChecked());
}

TEST(OutputControl, TheCollectingFileIsNeverInThePassFileList)
{
    OutputFixture f;
    f.tree.file("a.txt");
    f.tree.file("c.txt");
    const auto selection = morvane::test::Marked(f.tree.root(), { "a.txt", "c.txt" });
    PassOptions options;
    ASSERT_TRUE(f.fileList.BuildFileList(selection, options));
    ASSERT_EQ(f.fileList.FileList().size(), 2u);

    // Chosen while the list is current and holds it: the list is no longer reused...
    f.outputDialogs.queueFile(f.tree / "c.txt");
    f.outputDialogs.queueAnswer(OutputExistingAnswer::Append);
    f.output.clickReplToFileButton();
    ASSERT_EQ(f.output.mode(), OutputMode::OneFile);
    EXPECT_FALSE(f.fileList.FileListValid());

    // ...and the rebuild leaves it out.
    options.collectingFile = f.output.collectingFilePath();
    ASSERT_TRUE(f.fileList.TakeFileList(selection, options));
    ASSERT_EQ(f.fileList.FileList().size(), 1u);
    EXPECT_EQ(f.fileList.FileList()[0], f.tree / "a.txt");

    // A collecting file outside the list leaves a current list alone.
    f.output.clickReplToFileButton();
    f.outputDialogs.queueFile(f.tree / "elsewhere.txt");
    f.output.clickReplToFileButton();
    EXPECT_TRUE(f.fileList.FileListValid());
}

TEST(OutputControl, SettingsRoundTrip)
{
    OutputFixture f;
    // The built-in settings are the dialog's defaults.
    const morvane::app::Settings builtIn(f.tree.root(), false);
    f.output.restoreSettings(builtIn);
    const OutputSplitSettings defaults;
    EXPECT_EQ(f.output.splitSettings().numbering, defaults.numbering);
    EXPECT_EQ(f.output.splitSettings().nameFromSource, defaults.nameFromSource);
    EXPECT_EQ(f.output.splitSettings().separator, defaults.separator);
    EXPECT_TRUE(f.output.LabelReplToFile().empty());

    // Paths are stored as program text and come back as file system names.
    OutputSplitSettings& split = f.output.splitSettings();
    split.numbering = OutputNumbering::ByMatches;
    split.nameFromSource = false;
    split.fixedName = "/w/вывод.txt";
    split.startNumber = 1000000;
    split.digits = 10;
    split.separator = "";
    f.output.setLabelReplToFile("/w/сбор.txt");
    morvane::app::Settings stored(f.tree.root(), false);
    f.output.storeSettings(stored);
    EXPECT_TRUE(stored.rbFoundCount_Checked);
    EXPECT_FALSE(stored.rbReplaceCount_Checked);
    EXPECT_EQ(stored.FileName_Text, morvane::codepage::Utf8ToWin1251("/w/вывод.txt"));

    OutputFixture g;
    g.output.restoreSettings(stored);
    EXPECT_EQ(g.output.splitSettings().numbering, OutputNumbering::ByMatches);
    EXPECT_FALSE(g.output.splitSettings().nameFromSource);
    EXPECT_EQ(g.output.splitSettings().fixedName, "/w/вывод.txt");
    EXPECT_EQ(g.output.splitSettings().startNumber, 1000000);
    EXPECT_EQ(g.output.splitSettings().digits, 10);
    EXPECT_EQ(g.output.splitSettings().separator, "");
    EXPECT_EQ(g.output.LabelReplToFile(), "/w/сбор.txt");
}
