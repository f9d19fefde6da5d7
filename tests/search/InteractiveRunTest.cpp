// The interactive replace run in one or two small files: the five answers and stop, the
// offset shift, edits of the viewer while the run waits, multipass, empty matches, the edited
// preview, the replace modes, the enable rules of the confirmation controls, the status and
// summary texts, a match the viewer cannot select, and Esc.

#include "InteractiveRunFixture.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace morvane::search;
using morvane::codepage::Utf8ToWin1251;
using morvane::test::InteractiveRunFixture;
using morvane::test::Rows;
using morvane::test::Single;

namespace {

enum class Answer { Yes, Ignore, YesToAll, NoToAll, All, Abort };

void Give(InteractiveRun& run, Answer answer)
{
    switch (answer) {
    case Answer::Yes:
        run.sbYesClick();
        break;
    case Answer::Ignore:
        run.sbIgnoreClick();
        break;
    case Answer::YesToAll:
        run.sbYesToAllClick();
        break;
    case Answer::NoToAll:
        run.sbNoToAllClick();
        break;
    case Answer::All:
        run.sbAllClick();
        break;
    case Answer::Abort:
        run.sbAbortClick();
        break;
    }
}

} // namespace

TEST(InteractiveRun, EachAnswerThenSkippingToTheEnd)
{
    struct Case {
        const char* name;
        Answer answer;
        const char* a; // a.txt at the end ("1A2A3" before)
        const char* b; // b.txt at the end ("4A5" before)
        int matches, replacements, filesFound, filesChanged;
        bool summary; // the run ended with its summary box
    };
    const Case cases[] = {
        { "replace", Answer::Yes, "1-2A3", "4A5", 3, 1, 2, 1, true },
        { "skip", Answer::Ignore, "1A2A3", "4A5", 3, 0, 2, 0, true },
        { "replace rest of file", Answer::YesToAll, "1-2-3", "4A5", 3, 2, 2, 1, true },
        { "skip rest of file", Answer::NoToAll, "1A2A3", "4A5", 2, 0, 2, 0, true },
        { "replace everything", Answer::All, "1-2-3", "4-5", 3, 3, 2, 2, true },
        { "stop", Answer::Abort, "1A2A3", "4A5", 1, 0, 1, 0, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InteractiveRunFixture f;
        f.tree.file("a.txt", "1A2A3");
        f.tree.file("b.txt", "4A5");
        f.start(Single("A", "-"), f.files({ "a.txt", "b.txt" }));
        ASSERT_TRUE(f.run.waiting());
        EXPECT_EQ(f.selected(), "A");
        EXPECT_EQ(f.controls.previewText(), "-");

        Give(f.run, c.answer);
        f.skipToEnd();

        EXPECT_FALSE(f.run.waiting());
        EXPECT_EQ(f.controls.enabledCount(), 0);
        EXPECT_FALSE(f.control.IsBusy());
        EXPECT_EQ(f.read("a.txt"), c.a);
        EXPECT_EQ(f.read("b.txt"), c.b);
        // A changed file has its one backup copy with the old content; others have none.
        EXPECT_EQ(f.exists("a.txt0"), std::string(c.a) != "1A2A3");
        EXPECT_EQ(f.exists("b.txt0"), std::string(c.b) != "4A5");
        if (f.exists("a.txt0")) {
            EXPECT_EQ(f.read("a.txt0"), "1A2A3");
        }
        const ReplaceCounters& n = f.run.counters();
        EXPECT_EQ(n.MatchesTotal, c.matches);
        EXPECT_EQ(n.ReplacementsTotal, c.replacements);
        EXPECT_EQ(n.FilesFound, c.filesFound);
        EXPECT_EQ(n.FilesChanged, c.filesChanged);
        EXPECT_EQ(f.dialogs.messages().size(), c.summary ? 1u : 0u);
    }
}

TEST(InteractiveRun, ShiftMovesTheNextSelection)
{
    // Matches at positions 10 and 50; the first replaced by texts of other lengths.
    struct Case {
        const char* replacement;
        int secondAt; // 0-based viewer position of the second match
        int shift;
    };
    const Case cases[] = {
        { "abXYZ", 52, 3 },
        { "ab", 49, 0 },
        { "a", 48, -1 },
        { "", 47, -2 },
    };
    const std::string text = std::string(9, '.') + "ab" + std::string(38, '.') + "ab" + "..";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.replacement);
        InteractiveRunFixture f;
        f.tree.file("a.txt", text);
        f.start(Single("ab", c.replacement), f.files({ "a.txt" }));
        EXPECT_EQ(f.viewer.selStart(), 9);
        f.run.sbYesClick();
        ASSERT_TRUE(f.run.waiting());
        EXPECT_EQ(f.run.OffsetShift(), c.shift);
        EXPECT_EQ(f.viewer.selStart(), c.secondAt);
        EXPECT_EQ(f.selected(), "ab");
        f.run.sbYesClick();
        EXPECT_FALSE(f.run.waiting());
        EXPECT_EQ(f.read("a.txt"),
            std::string(9, '.') + c.replacement + std::string(38, '.') + c.replacement + "..");
    }
}

TEST(InteractiveRun, EditsOfTheViewerWhileWaiting)
{
    // "aaa X bbb X ccc": the first X (0-based 4) is selected when the user acts.
    struct Case {
        const char* name;
        std::function<void(morvane::test::FakeViewer&)> edit;
        Answer answer;
        const char* viewerText; // after the answer
        int selStart; // the next selected match, -1 when the run has ended
        const char* file; // a.txt once skipped to the end
    };
    const Case cases[] = {
        { "typing in front, then skip: the same match is found again in the new text",
            [](auto& v) {
                v.setSelection(0, 0);
                v.replaceSelection("12");
            },
            Answer::Ignore, "12aaa X bbb X ccc", 6, "aaa X bbb X ccc" },
        { "typing in front and selecting the match again, then skip: the next match",
            [](auto& v) {
                v.setSelection(0, 0);
                v.replaceSelection("12");
                v.setSelection(6, 1);
            },
            Answer::Ignore, "12aaa X bbb X ccc", 12, "aaa X bbb X ccc" },
        { "typing behind the match: no re-synchronisation needed",
            [](auto& v) {
                v.setSelection(15, 0);
                v.replaceSelection("!");
                v.setSelection(4, 1);
            },
            Answer::Ignore, "aaa X bbb X ccc!", 10, "aaa X bbb X ccc" },
        { "selection moved past the last match: the file ends", [](auto& v) { v.setSelection(11, 0); },
            Answer::Ignore, "aaa X bbb X ccc", -1, "aaa X bbb X ccc" },
        { "typing in front, then replace: the caret's empty selection gets the preview",
            [](auto& v) {
                v.setSelection(0, 0);
                v.replaceSelection("12");
            },
            Answer::Yes, "12-aaa X bbb X ccc", 7, "12-aaa X bbb X ccc" },
        { "replace after selecting other text: that text is replaced", [](auto& v) { v.setSelection(0, 3); },
            Answer::Yes, "- X bbb X ccc", 2, "- X bbb X ccc" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InteractiveRunFixture f;
        f.tree.file("a.txt", "aaa X bbb X ccc");
        f.start(Single("X", "-"), f.files({ "a.txt" }));
        ASSERT_EQ(f.viewer.selStart(), 4);
        c.edit(f.viewer);
        Give(f.run, c.answer);
        EXPECT_EQ(f.viewer.text(), c.viewerText);
        if (c.selStart < 0) {
            EXPECT_FALSE(f.run.waiting());
        } else {
            ASSERT_TRUE(f.run.waiting());
            EXPECT_EQ(f.viewer.selStart(), c.selStart);
            EXPECT_EQ(f.selected(), "X");
            // The engine now searches the viewer's text, so no shift is left over.
            EXPECT_EQ(f.run.OffsetShift(), 0);
        }
        f.skipToEnd();
        EXPECT_EQ(f.read("a.txt"), c.file);
    }
}

TEST(InteractiveRun, MultipassWorksOnTheEarlierRowsResultAndStartsOverPerFile)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "ab");
    f.tree.file("b.txt", "ba");
    f.start(Rows({ { "a", "b" }, { "b", "c" } }), f.files({ "a.txt", "b.txt" }));
    ASSERT_TRUE(f.run.waiting());
    EXPECT_EQ(f.run.rules().currentRow(), 0);
    EXPECT_EQ(f.viewer.selStart(), 0);

    f.run.sbYesClick(); // "bb": row a has no more; row b sees both b's
    ASSERT_TRUE(f.run.waiting());
    EXPECT_EQ(f.run.rules().currentRow(), 1);
    EXPECT_EQ(f.viewer.selStart(), 0);
    EXPECT_EQ(f.controls.previewText(), "c");
    f.run.sbYesClick();
    EXPECT_EQ(f.viewer.selStart(), 1);
    f.run.sbYesClick();

    // The next file starts again at the first row.
    ASSERT_TRUE(f.run.waiting());
    EXPECT_EQ(f.read("a.txt"), "cc");
    EXPECT_EQ(f.run.rules().currentRow(), 0);
    EXPECT_EQ(f.viewer.selStart(), 1);
    // The rest of the file, through both rows, without the viewer.
    f.run.sbYesToAllClick();
    EXPECT_FALSE(f.run.waiting());
    EXPECT_EQ(f.read("b.txt"), "cc");
    EXPECT_EQ(f.run.counters().MatchesTotal, 6);
    EXPECT_EQ(f.run.counters().ReplacementsTotal, 6);
}

TEST(InteractiveRun, RestOfFileReplacesEachEmptyMatchOnce)
{
    struct Case {
        const char* find;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        // Only positions whose character can start a match are tried, so "a??" matches the
        // empty string before each "a".
        { "a??", "aa", "-a-a" },
        { "a??", "bab", "b-ab" },
        { "a*", "baab", "b-b" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.find) + " in " + c.text);
        InteractiveRunFixture f;
        f.tree.file("a.txt", c.text);
        f.start(Single(c.find, "-"), f.files({ "a.txt" }));
        ASSERT_TRUE(f.run.waiting());
        f.run.sbYesToAllClick();
        EXPECT_FALSE(f.run.waiting());
        EXPECT_EQ(f.read("a.txt"), c.expected);
    }
}

TEST(InteractiveRun, EditedPreviewGoesToTheCurrentMatchOnly)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "A1A2A");
    f.start(Single("A", "-"), f.files({ "a.txt" }));
    f.controls.editPreview("[edited]");
    f.run.sbYesToAllClick();
    EXPECT_EQ(f.read("a.txt"), "[edited]1-2-");
    EXPECT_EQ(f.read("a.txt0"), "A1A2A");
}

TEST(InteractiveRun, PreviewByReplaceMode)
{
    struct Case {
        const char* remark;
        const char* expected;
    };
    const Case cases[] = {
        { "${Q}", "\\u$1" }, // as written
        { "${S}", "ub" }, // group substituted, backslash drops
        { "${E}", "B" }, // template: upper-cased group
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.remark);
        InteractiveRunFixture f;
        f.tree.file("a.txt", "ab");
        f.start(Single("(b)", "\\u$1", c.remark), f.files({ "a.txt" }));
        EXPECT_EQ(f.controls.previewText(), c.expected);
        f.run.sbYesClick();
        EXPECT_EQ(f.read("a.txt"), std::string("a") + c.expected);
    }
}

TEST(InteractiveRun, ControlsThatReachOtherFilesNeedTwoFiles)
{
    const ConfirmControl always[] = { ConfirmControl::sbYes, ConfirmControl::sbYesToAll,
        ConfirmControl::sbIgnore, ConfirmControl::sbAbort, ConfirmControl::miReplace,
        ConfirmControl::miReplaceInFile, ConfirmControl::miIgnore };
    const ConfirmControl otherFiles[] = { ConfirmControl::sbAll, ConfirmControl::sbNoToAll,
        ConfirmControl::miReplaceAll, ConfirmControl::miNextFile };
    struct Case {
        std::vector<std::string> names;
        bool otherFilesEnabled;
    };
    // The list's size decides, not how many files match: b.txt has no match.
    const Case cases[] = { { { "a.txt" }, false }, { { "a.txt", "b.txt" }, true } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names.size());
        InteractiveRunFixture f;
        f.tree.file("a.txt", "A");
        f.tree.file("b.txt", "none");
        PassSelection selection = morvane::test::Marked(f.tree.root(), {});
        for (const std::string& name : c.names)
            selection.items.push_back({ name, false, true });
        f.start(Single("A", "-"), selection);
        ASSERT_TRUE(f.run.waiting());
        for (ConfirmControl control : always)
            EXPECT_TRUE(f.controls.isEnabled(control)) << static_cast<int>(control);
        for (ConfirmControl control : otherFiles)
            EXPECT_EQ(f.controls.isEnabled(control), c.otherFilesEnabled) << static_cast<int>(control);
        const int updates = f.controls.passCommandUpdates();
        EXPECT_GT(updates, 0);

        // An answer while one of them is disabled is refused only by the window; Esc ends all.
        f.run.miAbortClick();
        EXPECT_EQ(f.controls.enabledCount(), 0);
        EXPECT_GT(f.controls.passCommandUpdates(), updates);
        EXPECT_TRUE(f.control.AbortRequested());
    }
}

TEST(InteractiveRun, StatusAndSummaryTexts)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "A1A");
    f.tree.file("b.txt", "none");
    f.start(Single("A", "-"), f.files({ "a.txt", "b.txt" }));
    EXPECT_EQ(f.status.text(1),
        Utf8ToWin1251(" Обработано файлов - 1 из 2  Файлов - 1 / 0  В файле - 1 / 0  Всего - 1 / 0 "
                      "(найдено/изменено)"));
    EXPECT_EQ(f.status.text(0), f.control.elapsedText());
    f.run.sbYesClick();
    EXPECT_EQ(f.status.text(1),
        Utf8ToWin1251(" Обработано файлов - 1 из 2  Файлов - 1 / 1  В файле - 2 / 1  Всего - 2 / 1 "
                      "(найдено/изменено)"));
    f.run.sbIgnoreClick();
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0],
        Utf8ToWin1251("Обработано файлов - 2 из 2\n\rФайлов - 1 / 1 (найдено/изменено)\n\r"
                      "Всего - 2 / 1 (найдено/заменено)"));
    EXPECT_EQ(f.run.replacedCaption(), Utf8ToWin1251("Заменено"));
    ASSERT_EQ(f.report.rowCount(), 1);
    EXPECT_EQ(f.report.rows()[0].path, f.tree / "a.txt");
    EXPECT_EQ(f.report.rows()[0].found, 2);
    EXPECT_EQ(f.report.rows()[0].replaced, 1);
    EXPECT_GE(f.window.reportPageShown(), 1);
}

TEST(InteractiveRun, NoMatchAnywhereShowsTheZeroSummary)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "abc");
    f.start(Single("Z", "-"), f.files({ "a.txt" }));
    EXPECT_FALSE(f.run.waiting());
    EXPECT_FALSE(f.control.IsBusy());
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0],
        Utf8ToWin1251("Обработано файлов - 1 из 1\n\rФайлов - 0 / 0 (найдено/изменено)\n\r"
                      "Всего - 0 / 0 (найдено/заменено)"));
    // Without a selection nothing starts: message 60.
    f.start(Single("Z", "-"), morvane::search::PassSelection {});
    ASSERT_EQ(f.dialogs.messages().size(), 2u);
    EXPECT_EQ(f.dialogs.messages()[1], morvane::app::Msg(60));
}

TEST(InteractiveRun, RefusedRulesStartNothing)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "A");
    f.run.miFindClick(
        f.files({ "a.txt" }), f.options, Single("A", "-"), [] { return false; }, true);
    EXPECT_FALSE(f.run.waiting());
    EXPECT_FALSE(f.control.IsBusy());
    EXPECT_TRUE(f.window.busyShown().empty());
    EXPECT_EQ(f.viewer.filesLoaded(), 0);
}

TEST(InteractiveRun, MatchTheViewerCannotSelectEndsTheRun)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "X abc X");
    f.start(Single("X", "-"), f.files({ "a.txt" }));
    // The user cuts the text behind the selected match: the second match now lies beyond the
    // viewer's end.
    f.viewer.type("X");
    f.viewer.setSelection(0, 1);
    f.run.sbIgnoreClick();
    EXPECT_FALSE(f.run.waiting());
    EXPECT_FALSE(f.control.IsBusy());
    EXPECT_EQ(f.controls.previewText(), "");
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0],
        Utf8ToWin1251("Не могу выделить искомое в редакторе.\n\rПопробуйте изменить строку поиска или\n\r"
                      "запустите процесс без подтверждения замены."));
    EXPECT_EQ(f.read("a.txt"), "X abc X");
}

TEST(InteractiveRun, EscLeavesTheFileUnwrittenAndTheNextRunAsksToSave)
{
    for (const bool save : { true, false }) {
        SCOPED_TRACE(save ? "Yes" : "No");
        InteractiveRunFixture f;
        f.tree.file("a.txt", "xAxA");
        f.start(Single("A", "-"), f.files({ "a.txt" }));
        f.run.sbYesClick();
        ASSERT_TRUE(f.run.waiting());
        f.run.miAbortClick();
        EXPECT_FALSE(f.run.waiting());
        EXPECT_EQ(f.controls.enabledCount(), 0);
        EXPECT_FALSE(f.control.IsBusy());
        EXPECT_EQ(f.read("a.txt"), "xAxA");
        EXPECT_FALSE(f.exists("a.txt0"));
        EXPECT_TRUE(f.viewer.modified());
        EXPECT_EQ(f.viewer.text(), "x-xA");
        // An answer after the end does nothing.
        f.run.sbYesClick();
        EXPECT_EQ(f.viewer.text(), "x-xA");

        f.dialogs.setNextAnswer(save);
        f.start(Single("A", "-"), f.files({ "a.txt" }));
        ASSERT_EQ(f.dialogs.questions().size(), 1u);
        EXPECT_EQ(f.dialogs.questions()[0],
            morvane::app::Msg(5) + "\r\n" + morvane::app::PathText(f.tree / "a.txt"));
        if (save) {
            EXPECT_EQ(f.read("a.txt0"), "xAxA");
            // The new run searches the saved text: one A is left.
            ASSERT_TRUE(f.run.waiting());
            EXPECT_EQ(f.viewer.text(), "x-xA");
            EXPECT_EQ(f.viewer.selStart(), 3);
        } else {
            EXPECT_FALSE(f.exists("a.txt0"));
            ASSERT_TRUE(f.run.waiting());
            EXPECT_EQ(f.viewer.text(), "xAxA");
            EXPECT_EQ(f.viewer.selStart(), 1);
        }
        EXPECT_FALSE(f.viewer.modified());
    }
}

TEST(InteractiveRun, AnswersRunInTheBusyFrame)
{
    InteractiveRunFixture f;
    f.tree.file("a.txt", "AAA");
    f.start(Single("A", "-"), f.files({ "a.txt" }));
    EXPECT_FALSE(f.control.IsBusy());
    const size_t busyCalls = f.window.busyShown().size();
    const int pages = f.controls.workPageShown();
    f.run.sbIgnoreClick();
    ASSERT_EQ(f.window.busyShown().size(), busyCalls + 2);
    EXPECT_TRUE(f.window.busyShown()[busyCalls]);
    EXPECT_FALSE(f.window.busyShown()[busyCalls + 1]);
    EXPECT_EQ(f.controls.workPageShown(), pages + 1);
    // Skipping changes no file: the panel is not checked and the list stays current.
    EXPECT_EQ(f.controls.panelReloadChecks(), 0);
    EXPECT_TRUE(f.fileList.FileListValid());
    f.run.sbYesClick();
    EXPECT_EQ(f.controls.panelReloadChecks(), 1);
    EXPECT_FALSE(f.fileList.FileListValid());

    // While another pass loop runs, an answer is refused.
    {
        PassControl::PassLoop other(f.control);
        f.run.sbYesClick();
    }
    EXPECT_EQ(f.viewer.text(), "A-A");
}
