// The interactive replace run over several files on disk: exact contents and backup copies
// after mixed answers, replace everything left, a write back that fails, a file that vanished
// after the listing, and the two output modes.

#include "InteractiveRunFixture.h"
#include "app/FileError.h"
#include "codepage/CodePage.h"
#include "search/HiddenList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace morvane::search;
using morvane::codepage::Utf8ToWin1251;
using morvane::test::InteractiveRunFixture;
using morvane::test::Single;

namespace {

std::vector<std::string> Names(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(InteractiveRunFiles, MixedAnswersLeaveExactContentsAndOneBackupEach)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "A1A2A");
    f.tree.file("b.txt", "B A B A");
    f.start(Single("A", "-"), f.files({ "a.txt", "b.txt" }));
    EXPECT_EQ(f.viewer.caption(), f.tree / "a.txt");
    f.run.sbYesClick(); // first A of a.txt
    f.run.sbIgnoreClick(); // second
    f.run.sbYesClick(); // third: a.txt is written, b.txt opens
    ASSERT_TRUE(f.run.waiting());
    EXPECT_EQ(f.read("a.txt"), "-1A2-");
    EXPECT_EQ(f.viewer.caption(), f.tree / "b.txt");
    EXPECT_EQ(f.editor.sourcePath(), f.tree / "b.txt");
    EXPECT_EQ(f.viewer.text(), "B A B A");
    EXPECT_FALSE(f.viewer.modified());
    f.run.sbYesToAllClick();
    EXPECT_FALSE(f.run.waiting());

    EXPECT_EQ(f.read("a.txt"), "-1A2-");
    EXPECT_EQ(f.read("b.txt"), "B - B -");
    EXPECT_EQ(f.read("a.txt0"), "A1A2A");
    EXPECT_EQ(f.read("b.txt0"), "B A B A");
    EXPECT_FALSE(f.exists("a.txt1"));
    EXPECT_FALSE(f.exists("b.txt1"));
    EXPECT_TRUE(IsInHiddenList(f.tree / "a.txt0"));
    EXPECT_TRUE(IsInHiddenList(f.tree / "b.txt0"));
    EXPECT_FALSE(f.viewer.modified());

    ASSERT_EQ(f.report.rowCount(), 2);
    EXPECT_EQ(f.report.rows()[0].found, 3);
    EXPECT_EQ(f.report.rows()[0].replaced, 2);
    EXPECT_EQ(f.report.rows()[1].found, 2);
    EXPECT_EQ(f.report.rows()[1].replaced, 2);
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0],
        Utf8ToWin1251("Обработано файлов - 2 из 2\n\rФайлов - 2 / 2 (найдено/изменено)\n\r"
                      "Всего - 5 / 4 (найдено/заменено)"));
}

TEST(InteractiveRunFiles, ReplaceEverythingLeftAcrossFiles)
{
    for (const bool backupsOn : { true, false }) {
        SCOPED_TRACE(backupsOn ? "backups on" : "backups off");
        InteractiveRunFixture f;
        f.backups.setSaveBackup(backupsOn);
        f.tree.file("a.txt", "xAxA");
        f.tree.file("b.txt", "no match");
        f.tree.file("c.txt", "A");
        f.start(Single("A", "<$&>", "${S}"), f.files({ "a.txt", "b.txt", "c.txt" }));
        f.run.sbIgnoreClick(); // the first match stays
        f.run.sbAllClick();
        EXPECT_FALSE(f.run.waiting());
        EXPECT_EQ(f.read("a.txt"), "xAx<A>");
        EXPECT_EQ(f.read("b.txt"), "no match");
        EXPECT_EQ(f.read("c.txt"), "<A>");
        EXPECT_EQ(f.exists("a.txt0"), backupsOn);
        EXPECT_FALSE(f.exists("b.txt0"));
        EXPECT_EQ(f.exists("c.txt0"), backupsOn);
        const ReplaceCounters& n = f.run.counters();
        EXPECT_EQ(n.FilesProcessed, 3);
        EXPECT_EQ(n.FilesFound, 2);
        EXPECT_EQ(n.FilesChanged, 2);
        EXPECT_EQ(n.MatchesTotal, 3);
        EXPECT_EQ(n.ReplacementsTotal, 2);
        // Only the files that were opened are reported.
        ASSERT_EQ(f.report.rowCount(), 2);
        EXPECT_EQ(f.report.rows()[1].path, f.tree / "c.txt");
    }
}

TEST(InteractiveRunFiles, FailedWriteBackKeepsTheFileItsCopiesAndTheViewersText)
{
    InteractiveRunFixture f;
    f.tree.file("sub/a.txt", "xAx");
    f.tree.file("sub/a.txt0", "older copy");
    f.tree.file("sub/b.txt", "A");
    f.tree.openToOthers();
    const std::filesystem::path sub = f.tree / "sub";
    ASSERT_EQ(::chmod(sub.c_str(), 0555), 0);
    {
        morvane::test::UnprivilegedScope unprivileged;
        if (!unprivileged.permissionsApply())
            GTEST_SKIP() << "permissions do not apply to this process";
        f.start(Single("A", "-"), morvane::test::Marked(sub, { "a.txt", "b.txt" }));
        ASSERT_TRUE(f.run.waiting());
        f.run.sbYesClick(); // the only match: a.txt is to be written and cannot be
    }
    ::chmod(sub.c_str(), 0755);

    EXPECT_EQ(morvane::test::ReadFileBytes(sub / "a.txt"), "xAx");
    EXPECT_EQ(morvane::test::ReadFileBytes(sub / "a.txt0"), "older copy");
    EXPECT_EQ(Names(sub), (std::vector<std::string> { "a.txt", "a.txt0", "b.txt" }));
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_NE(f.dialogs.messages()[0].find(morvane::app::PathText(sub / "a.txt")), std::string::npos);
    // The run ends there: b.txt is not opened, the viewer keeps the change to save elsewhere.
    EXPECT_FALSE(f.run.waiting());
    EXPECT_FALSE(f.control.IsBusy());
    EXPECT_EQ(f.viewer.text(), "x-x");
    EXPECT_TRUE(f.viewer.modified());
    EXPECT_EQ(f.run.counters().FilesProcessed, 1);
    // A file whose write failed is not counted as changed.
    EXPECT_EQ(f.run.counters().FilesChanged, 0);
    EXPECT_NE(f.status.text(1).find(Utf8ToWin1251("Файлов - 1 / 0 ")), std::string::npos) << f.status.text(1);
}

TEST(InteractiveRunFiles, ReplaceEverythingLeftStaysBusyAndRefusesLoading)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "AAA");
    f.tree.file("b.txt", "BAB");
    f.tree.file("other.txt", "a much longer text of another file");
    f.start(Single("A", "-"), f.files({ "a.txt", "b.txt" }));
    int pumps = 0;
    int idleWhileRunning = 0;
    f.pump.setOnPump([&](int) {
        ++pumps;
        if (!f.control.IsBusy() && f.run.waiting())
            ++idleWhileRunning;
        f.editor.tbLoadFileClick(f.tree / "other.txt", false);
    });
    f.run.sbAllClick();
    EXPECT_GT(pumps, 0);
    EXPECT_EQ(idleWhileRunning, 0);
    EXPECT_FALSE(f.control.IsBusy());
    EXPECT_EQ(f.read("a.txt"), "---");
    EXPECT_EQ(f.read("b.txt"), "B-B");
    EXPECT_EQ(f.read("other.txt"), "a much longer text of another file");
    EXPECT_EQ(f.viewer.caption(), f.tree / "b.txt");
}

TEST(InteractiveRunFiles, AFailureOtherThanTheEnginesEndsTheRunWithItsMessage)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "xAx");
    f.start(Single("A", "-"), f.files({ "a.txt" }));
    ASSERT_TRUE(f.run.waiting());
    f.viewer.setFailReplace(true);
    f.run.sbYesClick();
    EXPECT_FALSE(f.run.waiting());
    EXPECT_FALSE(f.control.IsBusy());
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0], morvane::app::PathText(f.tree / "a.txt") + ": the viewer failed");
    EXPECT_EQ(f.read("a.txt"), "xAx");
}

TEST(InteractiveRunFiles, CodePageChangeWhileWaitingEndsTheRun)
{
    InteractiveRunFixture f;
    f.window.onEndInteractiveRun = [&f] { f.run.EndRun(); };
    f.tree.file("a.txt", "xxAyyA");
    f.start(Single("A", "-"), f.files({ "a.txt" }));
    ASSERT_TRUE(f.run.waiting());
    ASSERT_TRUE(f.editor.cbCodePageSelect(CodePageChoice::Koi8r));
    EXPECT_FALSE(f.run.waiting());
    f.run.sbYesClick();
    EXPECT_EQ(f.viewer.text(), "xxAyyA");
    EXPECT_EQ(f.read("a.txt"), "xxAyyA");
}

TEST(InteractiveRunFiles, FileDeletedAfterTheListingIsReportedAndSkipped)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "A");
    f.tree.file("b.txt", "A");
    f.tree.file("c.txt", "A");
    const PassSelection selection = f.files({ "a.txt", "b.txt", "c.txt" });
    ASSERT_TRUE(f.fileList.BuildFileList(selection, f.options));
    std::filesystem::remove(f.tree / "b.txt");

    f.start(Single("A", "-"), selection);
    ASSERT_TRUE(f.run.waiting());
    f.run.sbNoToAllClick();
    ASSERT_TRUE(f.run.waiting());
    EXPECT_EQ(f.viewer.caption(), f.tree / "c.txt");
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_NE(f.dialogs.messages()[0].find(morvane::app::PathText(f.tree / "b.txt")), std::string::npos);
    EXPECT_EQ(f.run.counters().FilesProcessed, 3);
    EXPECT_EQ(f.run.counters().FilesFound, 2);
    f.run.sbYesClick();
    EXPECT_EQ(f.read("c.txt"), "-");
    EXPECT_FALSE(f.exists("b.txt"));
}

TEST(InteractiveRunFiles, AFileTheEngineCannotSearchGetsARowAndTheRunGoesOn)
{
    InteractiveRunFixture f;
    std::string runaway;
    for (int i = 0; i < 8; ++i)
        runaway += std::string(30, 'a') + "b";
    f.tree.file("a.txt", runaway);
    f.tree.file("b.txt", "xaa");
    f.start(Single("(a|aa)+$", "-"), f.files({ "a.txt", "b.txt" }));
    ASSERT_TRUE(f.run.waiting());
    EXPECT_EQ(f.viewer.caption(), f.tree / "b.txt");
    f.run.sbYesClick();
    EXPECT_EQ(f.read("b.txt"), "x-");
    EXPECT_EQ(f.read("a.txt"), runaway);
    ASSERT_GE(f.report.rowCount(), 1);
    EXPECT_EQ(f.report.rows()[0].note, "Backtracking Limit Exceeded");
    EXPECT_EQ(f.dialogs.failures(),
        std::vector<std::string> { (f.tree / "a.txt").string() + ": Backtracking Limit Exceeded" });
    ASSERT_EQ(f.dialogs.messages().size(), 1u) << "only the summary";
    EXPECT_TRUE(f.dialogs.messages()[0].ends_with(
        morvane::codepage::Utf8ToWin1251("\n\rНе удалось просмотреть файлов - 1")))
        << f.dialogs.messages()[0];
}

TEST(InteractiveRunFiles, OneFileOutputCollectsTheReplacementsAndLeavesTheSources)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "A1A");
    f.tree.file("b.txt", "A");
    f.outputDialogs.queueFile(f.tree / "collect.txt");
    f.output.clickReplToFileButton();
    ASSERT_EQ(f.output.mode(), OutputMode::OneFile);
    // The collecting file is marked too; it is never searched.
    f.start(Single("A", "<$&>", "${S}"), f.files({ "a.txt", "collect.txt", "b.txt" }));
    f.run.sbYesClick();
    f.run.sbIgnoreClick();
    EXPECT_EQ(f.viewer.caption(), f.tree / "b.txt");
    EXPECT_EQ(f.status.text(1),
        Utf8ToWin1251(" Обработано файлов - 2 из 2  Файлов - 2 / 1  В файле - 1 / 0  Всего - 3 / 1 "
                      "(найдено/сохранено)"));
    f.run.sbYesClick();
    EXPECT_FALSE(f.run.waiting());

    EXPECT_EQ(f.read("collect.txt"), "<A><A>");
    EXPECT_EQ(f.read("a.txt"), "A1A");
    EXPECT_EQ(f.read("b.txt"), "A");
    EXPECT_FALSE(f.exists("a.txt0"));
    EXPECT_FALSE(f.exists("b.txt0"));
    EXPECT_EQ(f.run.counters().FilesChanged, 1);
    EXPECT_EQ(f.run.replacedCaption(), Utf8ToWin1251("Сохранено"));
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0],
        Utf8ToWin1251("Обработано файлов - 2 из 2\n\rФайлов - 2 / 1 (найдено/сохранено)\n\r"
                      "Всего - 3 / 2 (найдено/сохранено)"));
}

TEST(InteractiveRunFiles, FileSplitOutputWritesOneFilePerReplacement)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "A1A2A");
    OutputSplitSettings settings;
    settings.numbering = OutputNumbering::ByMatches;
    settings.startNumber = 1;
    f.outputDialogs.setSettingsAnswer(true, settings);
    f.output.clickFileSplitButton();
    ASSERT_EQ(f.output.mode(), OutputMode::FileSplit);

    f.start(Single("A", "<$&>", "${S}"), f.files({ "a.txt" }));
    // Numbered by matches: the waiting match's name is shown and a skipped match leaves a gap.
    EXPECT_EQ(f.output.stReplToFile(), f.tree / "a_1.txt");
    f.run.sbYesClick();
    EXPECT_EQ(f.output.stReplToFile(), f.tree / "a_2.txt");
    EXPECT_EQ(f.run.waitingOutputName(), f.tree / "a_2.txt");
    f.run.sbIgnoreClick();
    f.run.sbYesClick();
    EXPECT_FALSE(f.run.waiting());

    EXPECT_EQ(f.read("a_1.txt"), "<A>");
    EXPECT_FALSE(f.exists("a_2.txt"));
    EXPECT_EQ(f.read("a_3.txt"), "<A>");
    EXPECT_EQ(f.read("a.txt"), "A1A2A");
    EXPECT_FALSE(f.exists("a.txt0"));
    EXPECT_TRUE(f.output.stReplToFile().empty());
    EXPECT_EQ(f.run.waitingOutputName(), std::nullopt);
    // In place of the changed files the summary counts the written files.
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0],
        Utf8ToWin1251("Обработано файлов - 1 из 1\n\rФайлов - 1 / 2 (найдено/сохранено)\n\r"
                      "Всего - 3 / 2 (найдено/сохранено)"));
}

TEST(InteractiveRunFiles, FailedOutputWriteEndsTheRun)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "AA");
    OutputSplitSettings settings;
    settings.nameFromSource = false;
    settings.fixedName = f.tree / "missing" / "out.txt";
    f.outputDialogs.setSettingsAnswer(true, settings);
    f.output.clickFileSplitButton();
    f.start(Single("A", "-"), f.files({ "a.txt" }));
    ASSERT_TRUE(f.run.waiting());
    f.run.sbYesClick();
    EXPECT_FALSE(f.run.waiting());
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_NE(f.dialogs.messages()[0].find(morvane::app::PathText(f.tree / "missing" / "out_0.txt")),
        std::string::npos);
    EXPECT_EQ(f.run.counters().ReplacementsTotal, 0);
    EXPECT_EQ(f.read("a.txt"), "AA");
}

TEST(InteractiveRunFiles, RichTextFilesAreReplacedThroughTheViewer)
{
    struct Case {
        const char* name;
        morvane::search::MultipassRules rules;
        const char* text;
        const char* saved; // the document the viewer wrote back
    };
    const Case cases[] = {
        { "one rule", Single("A", "-"), "xAxA", "{\\rtf x-x-}" },
        // The second row runs over the viewer's text with the first row's replacements.
        { "two rows", morvane::test::Rows({ { "a", "b" }, { "b", "c" } }), "ab", "{\\rtf cc}" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InteractiveRunFixture f;
        f.viewer.setRichSupported(true);
        f.tree.file("a.rtf", c.text);
        f.start(c.rules, f.files({ "a.rtf" }));
        ASSERT_TRUE(f.run.waiting());
        EXPECT_EQ(f.viewer.mode(), EditorMode::Rich);
        f.run.sbYesToAllClick();
        EXPECT_FALSE(f.run.waiting());
        EXPECT_EQ(f.viewer.richLoads(), 1);
        EXPECT_EQ(f.read("a.rtf"), c.saved);
        EXPECT_EQ(f.read("a.rtf0"), c.text);
    }
}

TEST(InteractiveRunFiles, EscDuringReplaceEverythingLeftStopsWithoutWriting)
{
    struct Case {
        const char* name;
        std::function<bool(const InteractiveRunFixture&)> escNow;
        const char* a; // on disk at the end ("AAA" before)
        const char* b; // on disk at the end ("BAB" before)
        const char* viewer; // the viewer's text at the end, still modified when it differs from disk
    };
    const Case cases[] = {
        { "in the middle of the first file",
            [](const InteractiveRunFixture& f) { return f.run.counters().ReplacementsInFile == 2; }, "AAA",
            "BAB", "--A" },
        { "as the second file opens",
            [](const InteractiveRunFixture& f) { return f.viewer.caption() == f.tree / "b.txt"; }, "---",
            "BAB", "BAB" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InteractiveRunFixture f;
        f.tree.file("a.txt", "AAA");
        f.tree.file("b.txt", "BAB");
        f.tree.file("c.txt", "A");
        f.start(Single("A", "-"), f.files({ "a.txt", "b.txt", "c.txt" }));
        bool escaped = false;
        f.pump.setOnPump([&](int) {
            if (!escaped && c.escNow(f)) {
                escaped = true;
                f.run.miAbortClick();
            }
        });
        f.run.sbAllClick();
        ASSERT_TRUE(escaped);
        EXPECT_FALSE(f.run.waiting());
        EXPECT_EQ(f.controls.enabledCount(), 0);
        EXPECT_FALSE(f.control.IsBusy());
        EXPECT_EQ(f.read("a.txt"), c.a);
        EXPECT_EQ(f.read("b.txt"), c.b);
        EXPECT_EQ(f.read("c.txt"), "A");
        EXPECT_FALSE(f.exists("b.txt0"));
        EXPECT_EQ(f.viewer.text(), c.viewer);
        // Stopped runs show no summary.
        EXPECT_TRUE(f.dialogs.messages().empty());
    }
}

TEST(InteractiveRunFiles, WriteBeyondTheFileSizeLimitKeepsTheFileAndItsCopies)
{
    InteractiveRunFixture f;
    const std::string original(20, 'A');
    f.tree.file("a.txt", original);
    f.tree.file("a.txt0", "first copy");
    // The child process replaces every A by a longer text, which its file size limit refuses
    // to write; it reports through its exit code what it saw.
    const auto replaceInChild = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 64, 64 };
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            std::_Exit(10);
        f.start(Single("A", "0123456789"), f.files({ "a.txt" }));
        if (!f.run.waiting())
            std::_Exit(11);
        f.run.sbYesToAllClick();
        if (f.run.waiting() || f.dialogs.messages().size() != 1
            || f.dialogs.messages()[0].find(morvane::app::PathText(f.tree / "a.txt")) == std::string::npos)
            std::_Exit(12);
        if (!f.viewer.modified() || f.viewer.text().size() != 200)
            std::_Exit(13);
        std::_Exit(0);
    };
    EXPECT_EXIT(replaceInChild(), testing::ExitedWithCode(0), "");
    EXPECT_EQ(f.read("a.txt"), original);
    EXPECT_EQ(f.read("a.txt0"), "first copy");
    EXPECT_EQ(Names(f.tree.root()), (std::vector<std::string> { "a.txt", "a.txt0" }));
}

TEST(InteractiveRunFiles, OutputModeSwitchedOnWhileWaitingAppliesFromTheNextAnswer)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "A1A2A");
    f.output.setWaitingRunName([&f] { return f.run.waitingOutputName(); });
    f.start(Single("A", "-"), f.files({ "a.txt" }));
    f.run.sbYesClick(); // in place
    f.outputDialogs.setSettingsAnswer(true, OutputSplitSettings {});
    f.output.clickFileSplitButton();
    // Numbered by replacements: one was made in this file.
    EXPECT_EQ(f.output.stReplToFile(), f.tree / "a_1.txt");
    f.run.sbYesClick(); // into its own file
    EXPECT_EQ(f.viewer.text(), "-1A2A");
    f.run.sbIgnoreClick();
    EXPECT_FALSE(f.run.waiting());

    // The in-place change is written back all the same.
    EXPECT_EQ(f.read("a.txt"), "-1A2A");
    EXPECT_EQ(f.read("a.txt0"), "A1A2A");
    EXPECT_EQ(f.read("a_1.txt"), "-");
    EXPECT_EQ(f.run.counters().ReplacementsTotal, 2);
}
