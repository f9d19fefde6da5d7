// The replace everywhere command over a temporary tree: in place with backups and code pages,
// multipass into the collecting file, abort, the viewer's file, and the failures (a vanished
// file, a write that cannot be made).

#include "search/ReplaceEverywhere.h"
#include "PassFixture.h"
#include "TempTree.h"
#include "app/FileError.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "fakes/FakeOutputDialogs.h"
#include "fakes/FakeViewer.h"
#include "regex/TRegex.h"
#include "rules/RuleCompiler.h"
#include "search/Backups.h"
#include "search/DirectoryLock.h"
#include "search/HiddenList.h"
#include "search/ReplaceStatus.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace morvane::search;
using morvane::codepage::Utf8ToWin1251;
using morvane::rules::Rule;
using morvane::test::TempTree;

namespace {

std::string Read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct ReplaceFixture : morvane::test::PassFixture {
    TempTree tree;
    morvane::test::FakeViewer viewer;
    morvane::test::FakeOutputDialogs outputDialogs;
    Backups backups;
    WorkTextEditor editor { control, viewer, backups };
    PassFileList fileList { control };
    OutputControl output { control, outputDialogs, &fileList };
    morvane::regex::TRegex engine;
    morvane::rules::RuleCompiler compiler { engine };
    ReportModel report;
    ReplaceEverywhere command { control, fileList, editor, output, compiler, report };
    bool rulesValid = true;
    PassOptions options;

    void run(MultipassRules& rules, const PassSelection& selection, bool showReport = true)
    {
        command.miReplacePassimClick(
            selection, options, rules, [this] { return rulesValid; }, showReport);
    }
    void run(MultipassRules&& rules, const PassSelection& selection, bool showReport = true)
    {
        run(rules, selection, showReport);
    }
    PassSelection files(std::initializer_list<std::string> names) const
    {
        return morvane::test::Marked(tree.root(), names);
    }
};

MultipassRules Single(const std::string& find, const std::string& replace, const std::string& remark = "${Q}")
{
    return MultipassRules(Rule { find, replace, remark });
}

} // namespace

TEST(ReplaceEverywhere, InPlaceWithBackupReportAndSummary)
{
    ReplaceFixture f;
    f.tree.file("a.txt", "aXbXc");
    f.tree.file("b.txt", "nothing here");
    f.run(Single("X", "--"), f.files({ "a.txt", "b.txt" }));

    EXPECT_EQ(Read(f.tree / "a.txt"), "a--b--c");
    EXPECT_EQ(Read(f.tree / "a.txt0"), "aXbXc");
    EXPECT_TRUE(IsInHiddenList(f.tree / "a.txt0"));
    // A file without a match is neither written, backed up nor reported.
    EXPECT_EQ(Read(f.tree / "b.txt"), "nothing here");
    EXPECT_FALSE(std::filesystem::exists(f.tree / "b.txt0"));
    ASSERT_EQ(f.report.rowCount(), 1);
    EXPECT_EQ(f.report.rows()[0].path, f.tree / "a.txt");
    EXPECT_EQ(f.report.rows()[0].found, 2);
    EXPECT_EQ(f.report.rows()[0].replaced, 2);
    EXPECT_EQ(f.command.replacedCaption(), Utf8ToWin1251("Заменено"));

    const ReplaceCounters& c = f.command.counters();
    EXPECT_EQ(c.FilesProcessed, 2);
    EXPECT_EQ(c.FilesFound, 1);
    EXPECT_EQ(c.FilesChanged, 1);
    EXPECT_EQ(c.MatchesTotal, 2);
    EXPECT_EQ(c.ReplacementsTotal, 2);
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0],
        Utf8ToWin1251("Обработано файлов - 2 из 2\n\rФайлов - 1 / 1 (найдено/изменено)\n\r"
                      "Всего - 2 / 2 (найдено/заменено)"));
    EXPECT_EQ(f.status.text(1), RunStatusText(c, OutputMode::InPlace, 2));
    EXPECT_FALSE(f.control.IsBusy());
    EXPECT_EQ(f.window.reportPageShown(), 2);

    // Without backups the file is rewritten all the same, with no new copy.
    f.backups.setSaveBackup(false);
    f.run(Single("-", "+"), f.files({ "a.txt" }));
    EXPECT_EQ(Read(f.tree / "a.txt"), "a++b++c");
    EXPECT_FALSE(std::filesystem::exists(f.tree / "a.txt1"));
}

TEST(ReplaceEverywhere, ReplacementsThatChangeNothingStillRewriteWithABackup)
{
    ReplaceFixture f;
    f.tree.file("a.txt", "abc");
    f.run(Single("b", "b"), f.files({ "a.txt" }));
    EXPECT_EQ(Read(f.tree / "a.txt"), "abc");
    EXPECT_EQ(Read(f.tree / "a.txt0"), "abc");
    EXPECT_EQ(f.command.counters().FilesChanged, 1);
}

TEST(ReplaceEverywhere, Koi8rIsReadMatchedInWindows1251AndWrittenBack)
{
    ReplaceFixture f;
    const auto koi8 = [](const char* utf8) {
        return morvane::codepage::ConvertText(Utf8ToWin1251(utf8), 0, morvane::codepage::kKoi8r);
    };
    f.tree.file("k.txt", koi8("мир и мир"));
    f.editor.setCodePage(CodePageChoice::Koi8r);
    f.run(Single(Utf8ToWin1251("мир"), Utf8ToWin1251("дом")), f.files({ "k.txt" }));
    EXPECT_EQ(Read(f.tree / "k.txt"), koi8("дом и дом"));
    EXPECT_EQ(Read(f.tree / "k.txt0"), koi8("мир и мир"));
}

TEST(ReplaceEverywhere, MultipassIntoTheCollectingFileLeavesTheSources)
{
    ReplaceFixture f;
    f.tree.file("d/src.txt", "ab");
    f.tree.file("d/collect.txt", "");
    f.outputDialogs.queueFile(f.tree / "d" / "collect.txt");
    f.outputDialogs.queueAnswer(OutputExistingAnswer::Overwrite);
    f.output.setPanelDirectory(f.tree.root());
    f.output.clickReplToFileButton();
    ASSERT_EQ(f.output.mode(), OutputMode::OneFile);

    // The collecting file lies in the walked directory and matches the mask: never processed.
    MultipassRules rules(Rule {}, { { "a", "b", "${Q}" }, { "b", "c", "${Q}" } });
    f.run(rules, f.files({ "d/" }));
    EXPECT_EQ(Read(f.tree / "d" / "collect.txt"), "bc");
    EXPECT_EQ(Read(f.tree / "d" / "src.txt"), "ab");
    EXPECT_FALSE(std::filesystem::exists(f.tree / "d" / "src.txt0"));
    EXPECT_EQ(f.command.replacedCaption(), Utf8ToWin1251("Сохранено"));
    EXPECT_EQ(f.command.counters().FilesProcessed, 1);
    EXPECT_EQ(f.command.counters().FilesChanged, 1);
    ASSERT_EQ(f.report.rowCount(), 1);
    EXPECT_EQ(f.report.rows()[0].replaced, 2);

    // The file stays open: the next run appends to it.
    f.run(rules, f.files({ "d/" }));
    EXPECT_EQ(Read(f.tree / "d" / "collect.txt"), "bcbc");
}

TEST(ReplaceEverywhere, FileSplitWritesOneFilePerReplacement)
{
    ReplaceFixture f;
    f.tree.file("page.htm", "<p>1</p><p>2</p>");
    OutputSplitSettings settings;
    settings.digits = 3;
    f.outputDialogs.setSettingsAnswer(true, settings);
    f.output.clickFileSplitButton();
    f.run(Single("<p>(\\d)</p>", "$1", "${S}"), f.files({ "page.htm" }));
    EXPECT_EQ(Read(f.tree / "page_000.htm"), "1");
    EXPECT_EQ(Read(f.tree / "page_001.htm"), "2");
    EXPECT_EQ(Read(f.tree / "page.htm"), "<p>1</p><p>2</p>");
    EXPECT_FALSE(std::filesystem::exists(f.tree / "page.htm0"));
    // Every replacement counts as a saved file.
    EXPECT_EQ(f.dialogs.messages().back(),
        Utf8ToWin1251("Обработано файлов - 1 из 1\n\rФайлов - 1 / 2 (найдено/сохранено)\n\r"
                      "Всего - 2 / 2 (найдено/сохранено)"));
}

TEST(ReplaceEverywhere, AutoDetectWritesEachSplitFileInItsSourcesCodePage)
{
    ReplaceFixture f;
    const std::string text
        = Utf8ToWin1251("Привет, как дела? Это тестовый текст на русском языке, вполне обычный.");
    f.tree.file("koi.txt", morvane::codepage::ConvertText(text, 0, morvane::codepage::kKoi8r));
    f.tree.file("win.txt", text);
    f.editor.setCodePage(CodePageChoice::AutoDetect);
    f.outputDialogs.setSettingsAnswer(true);
    f.output.clickFileSplitButton();
    f.run(Single(Utf8ToWin1251("тестовый"), Utf8ToWin1251("проба")), f.files({ "koi.txt", "win.txt" }));
    const std::string replacement = Utf8ToWin1251("проба");
    EXPECT_EQ(Read(f.tree / "koi_0.txt"),
        morvane::codepage::ConvertText(replacement, 0, morvane::codepage::kKoi8r));
    EXPECT_EQ(Read(f.tree / "win_0.txt"), replacement);
}

TEST(ReplaceEverywhere, AbortMidFileLeavesItCompleteAndEndsTheRun)
{
    ReplaceFixture f;
    f.tree.file("a.txt", "aXbXcXd");
    f.tree.file("b.txt", "X");
    // The user's break arrives with the status update after the second replacement.
    f.pump.setOnPump([&](int) {
        if (f.command.counters().ReplacementsTotal == 2)
            f.control.tbBreakClick();
    });
    f.run(Single("X", "--"), f.files({ "a.txt", "b.txt" }));
    EXPECT_EQ(Read(f.tree / "a.txt"), "a--b--cXd");
    EXPECT_EQ(Read(f.tree / "a.txt0"), "aXbXcXd");
    EXPECT_EQ(Read(f.tree / "b.txt"), "X");
    // The next file is taken (and counted) before the loop sees the request.
    EXPECT_EQ(f.command.counters().FilesProcessed, 2);
    EXPECT_EQ(f.command.counters().FilesFound, 1);
    // The run still ends with the summary.
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(
        f.dialogs.messages()[0].rfind(Utf8ToWin1251("Обработано файлов - 2 из 2\n\rФайлов - 1 / 1"), 0), 0u);
}

TEST(ReplaceEverywhere, TheViewersFileIsReloadedWhenRewritten)
{
    ReplaceFixture f;
    f.tree.file("a.txt", "aXb");
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "a.txt"));
    f.run(Single("X", "Y"), f.files({ "a.txt" }));
    EXPECT_EQ(f.viewer.text(), "aYb");
    EXPECT_FALSE(f.editor.ViewerNeedsReload());
}

TEST(ReplaceEverywhere, NothingStartsWithoutSelectionOrValidRules)
{
    ReplaceFixture f;
    f.tree.file("a.txt", "X");
    PassSelection none;
    none.directory = f.tree.root();
    f.run(Single("X", "Y"), none);
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0], morvane::app::Msg(60));

    f.rulesValid = false;
    f.run(Single("X", "Y"), f.files({ "a.txt" }));
    EXPECT_EQ(Read(f.tree / "a.txt"), "X");
    EXPECT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_TRUE(f.window.busyShown().empty());
}

TEST(ReplaceEverywhere, AVanishedFileIsReportedAndSkipped)
{
    ReplaceFixture f;
    f.tree.file("a.txt", "X");
    f.tree.file("b.txt", "X");
    const auto selection = f.files({ "a.txt", "b.txt" });
    ASSERT_TRUE(f.fileList.BuildFileList(selection, f.options));
    std::filesystem::remove(f.tree / "a.txt");
    f.run(Single("X", "Y"), selection);
    ASSERT_EQ(f.dialogs.messages().size(), 2u);
    EXPECT_EQ(f.dialogs.messages()[0].rfind("Cannot open file \"", 0), 0u) << f.dialogs.messages()[0];
    EXPECT_EQ(Read(f.tree / "b.txt"), "Y");
    EXPECT_FALSE(std::filesystem::exists(f.tree / "a.txt"));
    EXPECT_EQ(f.command.counters().FilesChanged, 1);
}

TEST(ReplaceEverywhere, AFileThatCannotBeWrittenIsReportedAndTheRunGoesOn)
{
    ReplaceFixture f;
    f.tree.file("a.txt", "X");
    f.tree.file("ro/a.txt", "aXbX");
    f.tree.file("ro/a.txt0", "older"); // listed too: no .hidden names it
    f.tree.file("z.txt", "X");
    f.tree.openToOthers();
    for (const char* name : { "a.txt", "ro/a.txt", "z.txt" })
        ::chmod((f.tree / name).c_str(), 0666);
    ::chmod(f.tree.root().c_str(), 0777);
    ::chmod((f.tree / "ro").c_str(), 0555); // nothing can be created beside ro/a.txt
    morvane::test::UnprivilegedScope unprivileged;
    if (!unprivileged.permissionsApply())
        GTEST_SKIP() << "permissions do not apply";

    f.run(Single("X", "Y"), f.files({ "a.txt", "ro/", "z.txt" }));
    EXPECT_EQ(Read(f.tree / "a.txt"), "Y");
    EXPECT_EQ(Read(f.tree / "ro" / "a.txt"), "aXbX");
    EXPECT_EQ(Read(f.tree / "ro" / "a.txt0"), "older");
    EXPECT_FALSE(std::filesystem::exists(f.tree / "ro" / "a.txt1"));
    EXPECT_EQ(Read(f.tree / "z.txt"), "Y");

    ASSERT_EQ(f.report.rowCount(), 3);
    const ReportRow& failed = f.report.rows()[1];
    EXPECT_EQ(failed.path, f.tree / "ro" / "a.txt");
    EXPECT_EQ(failed.found, 2);
    EXPECT_EQ(failed.replaced, 0);
    EXPECT_EQ(failed.note.rfind("Cannot create file \"", 0), 0u) << failed.note;
    ASSERT_EQ(f.dialogs.failures().size(), 1u);
    EXPECT_EQ(f.dialogs.failures()[0], (f.tree / "ro" / "a.txt").string() + ": " + failed.note);
    // The summary counts what was written and says how many files failed.
    EXPECT_EQ(f.command.counters().FilesChanged, 2);
    EXPECT_EQ(f.command.counters().ReplacementsTotal, 2);
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0],
        Utf8ToWin1251("Обработано файлов - 4 из 4\n\rФайлов - 3 / 2 (найдено/изменено)\n\r"
                      "Всего - 4 / 2 (найдено/заменено)\n\rНе изменено файлов из-за ошибок - 1"));
    EXPECT_FALSE(f.control.IsBusy());
}

TEST(ReplaceEverywhere, ABusyDirectoryIsReportedAndAFileWithoutAMatchIsNotTouched)
{
    ReplaceFixture f;
    f.tree.file("held/a.txt", "X");
    f.tree.file("free/b.txt", "X");
    f.tree.file("free/c.txt", "no match");
    struct stat before { };
    ASSERT_EQ(::stat((f.tree / "free/c.txt").c_str(), &before), 0);
    int ready[2];
    int done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        DirectoryLock lock;
        char c = lock.acquire(f.tree / "held") == 0 ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        (void)!::read(done[0], &c, 1);
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    DirectoryLock::setPassWait(std::chrono::milliseconds(50));
    f.run(Single("X", "Y"), f.files({ "held/", "free/" }));
    DirectoryLock::setPassWait(DirectoryLock::kDefaultWait);
    (void)!::write(done[1], "x", 1);
    ::waitpid(child, nullptr, 0);
    for (int fd : { ready[0], ready[1], done[0], done[1] })
        ::close(fd);

    EXPECT_EQ(Read(f.tree / "held/a.txt"), "X");
    EXPECT_EQ(Read(f.tree / "free/b.txt"), "Y");
    ASSERT_EQ(f.dialogs.failures().size(), 1u);
    EXPECT_EQ(f.dialogs.failures()[0].rfind((f.tree / "held/a.txt").string() + ": ", 0), 0u)
        << f.dialogs.failures()[0];
    EXPECT_EQ(f.command.counters().FilesFailed, 1);
    struct stat after { };
    ASSERT_EQ(::stat((f.tree / "free/c.txt").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
}

TEST(ReplaceEverywhere, AnEngineErrorLeavesTheFileAndTheRunGoesOn)
{
    ReplaceFixture f;
    std::string runaway;
    for (int i = 0; i < 8; ++i)
        runaway += std::string(30, 'a') + "b";
    f.tree.file("a.txt", runaway);
    f.tree.file("b.txt", "xaa");
    // Even with the report off the file gets its row.
    f.run(Single("(a|aa)+$", "Z"), f.files({ "a.txt", "b.txt" }), false);
    EXPECT_EQ(Read(f.tree / "a.txt"), runaway);
    EXPECT_FALSE(std::filesystem::exists(f.tree / "a.txt0"));
    EXPECT_EQ(Read(f.tree / "b.txt"), "xZ");
    ASSERT_EQ(f.report.rowCount(), 1);
    EXPECT_EQ(f.report.rows()[0].path, f.tree / "a.txt");
    EXPECT_EQ(f.report.rows()[0].note, "Backtracking Limit Exceeded");
    EXPECT_EQ(f.dialogs.failures(),
        std::vector<std::string> { (f.tree / "a.txt").string() + ": Backtracking Limit Exceeded" });
    ASSERT_EQ(f.dialogs.messages().size(), 1u) << "no box per file, only the summary";
    EXPECT_TRUE(f.dialogs.messages()[0].ends_with(Utf8ToWin1251("\n\rНе удалось просмотреть файлов - 1")))
        << f.dialogs.messages()[0];
}

TEST(ReplaceEverywhere, ALinkOutOfTheSelectionIsNotWrittenThrough)
{
    ReplaceFixture f;
    f.tree.file("outside/secret.txt", "X");
    f.tree.file("in/a.txt", "X");
    f.tree.file("in/sub/b.txt", "X");
    std::filesystem::create_symlink(f.tree / "outside" / "secret.txt", f.tree / "in" / "out.txt");
    std::filesystem::create_symlink(f.tree / "in" / "sub" / "b.txt", f.tree / "in" / "b-link.txt");
    f.run(Single("X", "Y"), f.files({ "in/" }));
    EXPECT_EQ(Read(f.tree / "outside" / "secret.txt"), "X");
    EXPECT_FALSE(std::filesystem::exists(f.tree / "in" / "out.txt0"));
    EXPECT_EQ(Read(f.tree / "in" / "a.txt"), "Y");
    EXPECT_EQ(Read(f.tree / "in" / "sub" / "b.txt"), "Y") << "a link inside the tree is written through";
    ASSERT_EQ(f.dialogs.failures().size(), 1u);
    EXPECT_EQ(f.dialogs.failures()[0], (f.tree / "in" / "out.txt").string() + ": " + morvane::app::Msg(382));
    EXPECT_EQ(f.command.counters().FilesChanged, 2);

    // A link marked by itself is the user's choice.
    f.run(Single("X", "Y"), morvane::test::Marked(f.tree / "in", { "out.txt" }));
    EXPECT_EQ(Read(f.tree / "outside" / "secret.txt"), "Y");
}

TEST(ReplaceEverywhere, FailuresFoundWhenABatchIsCommittedAreReportedInListOrder)
{
    // The copies of a.txt and c.txt cannot be listed (".hidden" is a link), which shows only
    // once their batch goes to disk; b.txt, between them, fails at once (a link out of the
    // selection). Rows, failures and counts come out as if each file were written on its own.
    ReplaceFixture f;
    TempTree outside;
    outside.file("profile", "keep\n");
    outside.file("secret.txt", "X");
    f.tree.file("d/a.txt", "X");
    f.tree.file("d/c.txt", "XX");
    std::filesystem::create_symlink(outside / "secret.txt", f.tree / "d" / "b.txt");
    f.tree.link("d/.hidden", (outside / "profile").string());
    f.run(Single("X", "Y"), f.files({ "d/" }));

    EXPECT_EQ(Read(f.tree / "d" / "a.txt"), "X");
    EXPECT_EQ(Read(f.tree / "d" / "c.txt"), "XX");
    EXPECT_EQ(Read(outside / "secret.txt"), "X");
    EXPECT_EQ(Read(outside / "profile"), "keep\n");
    for (const auto& entry : std::filesystem::directory_iterator(f.tree / "d"))
        EXPECT_TRUE(entry.path().filename() == ".hidden" || entry.path().filename().string().size() == 5)
            << entry.path();
    struct Expected {
        const char* name;
        int found;
    } const expected[] = { { "a.txt", 1 }, { "b.txt", 1 }, { "c.txt", 2 } };
    ASSERT_EQ(f.report.rowCount(), 3);
    ASSERT_EQ(f.dialogs.failures().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const ReportRow& row = f.report.rows()[i];
        EXPECT_EQ(row.path, f.tree / "d" / expected[i].name);
        EXPECT_EQ(row.found, expected[i].found);
        EXPECT_EQ(row.replaced, 0);
        EXPECT_EQ(f.dialogs.failures()[i], row.path.string() + ": " + row.note);
    }
    EXPECT_EQ(f.report.rows()[1].note, morvane::app::Msg(382));
    EXPECT_NE(f.report.rows()[0].note.find(".hidden"), std::string::npos) << f.report.rows()[0].note;
    EXPECT_EQ(f.report.rows()[2].note, f.report.rows()[0].note);
    const ReplaceCounters& c = f.command.counters();
    EXPECT_EQ(c.FilesChanged, 0);
    EXPECT_EQ(c.FilesFailed, 3);
    EXPECT_EQ(c.ReplacementsTotal, 0);
    ASSERT_EQ(f.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.dialogs.messages()[0],
        Utf8ToWin1251("Обработано файлов - 3 из 3\n\rФайлов - 3 / 0 (найдено/изменено)\n\r"
                      "Всего - 4 / 0 (найдено/заменено)\n\rНе изменено файлов из-за ошибок - 3"));
    EXPECT_EQ(f.status.text(1), RunStatusText(c, OutputMode::InPlace, 3));
}

TEST(ReplaceEverywhere, RichTextFilesAreLeftAloneWhenTheViewerShowsRichText)
{
    ReplaceFixture f;
    f.viewer.setRichSupported(true);
    f.tree.file("doc.rtf", "{\\rtf X}");
    f.tree.file("a.txt", "X");
    f.run(Single("X", "Y"), f.files({ "doc.rtf", "a.txt" }));
    EXPECT_EQ(Read(f.tree / "doc.rtf"), "{\\rtf X}");
    EXPECT_EQ(f.viewer.richLoads(), 0);
    EXPECT_EQ(Read(f.tree / "a.txt"), "Y");

    // Without rich text in the viewer such a file is plain text.
    f.viewer.setRichSupported(false);
    f.run(Single("X", "Y"), f.files({ "doc.rtf" }));
    EXPECT_EQ(Read(f.tree / "doc.rtf"), "{\\rtf Y}");
}
