// The editor's writes when the disk refuses them: the file and its copies stay exactly as they
// were, the standard message is shown, and the editor keeps its changes.

#include "PassFixture.h"
#include "TempTree.h"
#include "app/FileIo.h"
#include "codepage/CodePage.h"
#include "fakes/FakeViewer.h"
#include "search/WorkTextEditor.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morvane::search {
namespace {

namespace fs = std::filesystem;
using test::TempTree;

std::string Read(const fs::path& path)
{
    std::string bytes;
    EXPECT_FALSE(app::ReadWholeFile(path, bytes)) << path;
    return bytes;
}

struct EditorFixture : test::PassFixture {
    TempTree tree;
    test::FakeViewer viewer;
    Backups backups;
    WorkTextEditor editor { control, viewer, backups };
};

// Exit statuses of the child that saves under a file size limit.
enum ChildResult { kAsExpected = 0, kSaved = 1, kWrongMessage = 2, kNotModified = 3, kBusy = 4 };

TEST(WorkTextWrite, SaveBeyondTheFileSizeLimitChangesNothing)
{
    EditorFixture f;
    f.tree.file("doc.txt", "original");
    f.tree.file("doc.txt0", "older");
    f.tree.file(".hidden", "doc.txt0\n");
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "doc.txt"));
    f.viewer.type(std::string(64 * 1024, 'n'));

    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit rl { 4096, 4096 };
        ::setrlimit(RLIMIT_FSIZE, &rl);
        f.dialogs.setNextAnswer(true);
        f.editor.tbSaveClick(true);
        int result = kAsExpected;
        if (f.dialogs.messages().size() != 1)
            result = kSaved;
        else if (!f.dialogs.messages()[0].starts_with(
                     "Cannot create file \"" + (f.tree / "doc.txt").string() + "\"."))
            result = kWrongMessage;
        else if (!f.viewer.modified())
            result = kNotModified;
        else if (f.control.IsBusy())
            result = kBusy;
        ::_exit(result);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kAsExpected);
    EXPECT_EQ(Read(f.tree / "doc.txt"), "original");
    EXPECT_EQ(Read(f.tree / "doc.txt0"), "older");
    EXPECT_FALSE(fs::exists(f.tree / "doc.txt1"));
    EXPECT_EQ(Read(f.tree / ".hidden"), "doc.txt0\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(f.tree.root()), fs::directory_iterator()), 3)
        << "no temporary file left";
}

TEST(WorkTextWrite, SaveCommandAsksOnlyOnTheWorkPage)
{
    EditorFixture f;
    f.tree.file("doc.txt", "original");
    ASSERT_TRUE(f.editor.LoadIntoEditor(f.tree / "doc.txt"));
    f.viewer.type("edited");
    f.editor.tbSaveClick(false);
    EXPECT_TRUE(f.dialogs.questions().empty());
    f.dialogs.setNextAnswer(false);
    f.editor.tbSaveClick(true);
    EXPECT_EQ(Read(f.tree / "doc.txt"), "original");
    f.dialogs.setNextAnswer(true);
    f.editor.tbSaveClick(true);
    EXPECT_EQ(Read(f.tree / "doc.txt"), "edited");
    EXPECT_EQ(f.dialogs.questions().size(), 2u);
    EXPECT_EQ(f.window.busyShown(), (std::vector<bool> { true, false, true, false, true, false }));
}

TEST(WorkTextWrite, LoadCommandRefusesADirectory)
{
    EditorFixture f;
    f.tree.dir("sub");
    f.tree.file("f.txt", "content");
    f.editor.tbLoadFileClick(f.tree / "sub", true);
    EXPECT_EQ(f.dialogs.messages(),
        std::vector<std::string> { codepage::Utf8ToWin1251("Выберите файл для загрузки из списка.") });
    EXPECT_EQ(f.window.interactiveRunEnds(), 0);
    f.editor.tbLoadFileClick(f.tree / "f.txt", false);
    EXPECT_EQ(f.viewer.text(), "content");
    EXPECT_EQ(f.window.interactiveRunEnds(), 1);
}

TEST(WorkTextWrite, LoadAndCodePageChangeWaitWhileAPassLoopRuns)
{
    EditorFixture f;
    f.tree.file("a.txt", "first");
    f.tree.file("b.txt", "second");
    f.editor.tbLoadFileClick(f.tree / "a.txt", false);
    {
        // Also after an abort request has ended the busy state, the loop still works on the text.
        PassControl::PassLoop loop(f.control);
        f.control.tbBreakClick();
        f.editor.tbLoadFileClick(f.tree / "b.txt", false);
        EXPECT_FALSE(f.editor.cbCodePageSelect(CodePageChoice::Koi8r));
    }
    EXPECT_EQ(f.viewer.text(), "first");
    EXPECT_EQ(f.editor.sourcePath(), f.tree / "a.txt");
    EXPECT_EQ(f.editor.codePage(), CodePageChoice::Win1251);
    f.editor.tbLoadFileClick(f.tree / "b.txt", false);
    EXPECT_EQ(f.viewer.text(), "second");
}

} // namespace
} // namespace morvane::search
