// The directory watcher on a real directory: which changes count, following the current
// directory, the hand-off to the user-interface thread, and stopping. Waits poll with a
// deadline of several seconds; checks that nothing happened wait a short while and then
// prove the watcher was alive by making a change that must count.

#include "fakes/FakePanelDispatcher.h"
#include "fakes/FakePanelHost.h"
#include "filepanel/FilePanel.h"
#include "filepanel/TDirChangeNotifier.h"
#include "filepanel/TempTree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

using namespace morvane::filepanel;

namespace morvane::tests {
namespace {

using namespace std::chrono_literals;

class DirChangeNotifierTest : public ::testing::Test {
protected:
    void SetUp() override { m_threadsBefore = TDirChangeThread::runningCount(); }
    // Every watcher a test started has ended once its notifier is gone.
    void TearDown() override
    {
        EXPECT_TRUE(serveUntil([this] { return TDirChangeThread::runningCount() == m_threadsBefore; }));
    }

    // Serves the hand-off on this thread until `done` or the deadline.
    template <class Done> bool serveUntil(Done done, std::chrono::milliseconds limit = 5000ms)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            dispatcher.processPending();
            if (done())
                return true;
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(5ms);
        }
    }

    // Serves the hand-off for a short while; true when no change arrived in it.
    bool quietFor(std::chrono::milliseconds span = 300ms)
    {
        return !serveUntil([this] { return changes > 0; }, span);
    }

    // A notifier on `dir` counting changes; returns once its watch is in place.
    std::unique_ptr<TDirChangeNotifier> watch(const std::filesystem::path& dir)
    {
        auto notifier = std::make_unique<TDirChangeNotifier>(dispatcher.dispatcher());
        notifier->setRoot(dir);
        notifier->setOnChange([this] {
            ++changes;
            handlerThread = std::this_thread::get_id();
        });
        settle();
        return notifier;
    }

    // The watch is opened by the thread itself; creating and removing a probe in a scratch
    // directory cannot tell us when, so give the thread a moment, as a user would.
    void settle() { std::this_thread::sleep_for(100ms); }

    TempTree tree;
    FakePanelDispatcher dispatcher;
    int changes = 0;
    std::thread::id handlerThread;

private:
    int m_threadsBefore = 0;
};

TEST_F(DirChangeNotifierTest, CreatingAFileIsReportedOnTheServingThread)
{
    auto notifier = watch(tree.root());
    tree.file("new.txt");
    ASSERT_TRUE(serveUntil([this] { return changes > 0; }));
    EXPECT_EQ(handlerThread, std::this_thread::get_id());
}

TEST_F(DirChangeNotifierTest, DeletingAndRenamingEntriesAreReported)
{
    tree.file("old.txt");
    tree.dir("folder");
    auto notifier = watch(tree.root());

    std::filesystem::rename(tree / "old.txt", tree / "renamed.txt");
    ASSERT_TRUE(serveUntil([this] { return changes > 0; }));
    changes = 0;
    std::filesystem::remove(tree / "renamed.txt");
    ASSERT_TRUE(serveUntil([this] { return changes > 0; }));
    changes = 0;
    std::filesystem::remove(tree / "folder");
    ASSERT_TRUE(serveUntil([this] { return changes > 0; }));
    changes = 0;
    tree.dir("made");
    ASSERT_TRUE(serveUntil([this] { return changes > 0; }));
}

TEST_F(DirChangeNotifierTest, WritingIntoAFileOrChangingASubdirectoryIsNot)
{
    const auto existing = tree.file("existing.txt", "one");
    tree.dir("sub");
    auto notifier = watch(tree.root());

    std::ofstream(existing, std::ios::app) << "more text";
    std::filesystem::last_write_time(existing, std::filesystem::file_time_type::clock::now());
    tree.file("sub/inside.txt");
    std::filesystem::remove(tree / "sub/inside.txt");
    tree.dir("sub/deeper");
    EXPECT_TRUE(quietFor());

    tree.file("proof.txt");
    EXPECT_TRUE(serveUntil([this] { return changes > 0; }));
}

TEST_F(DirChangeNotifierTest, AfterADirectoryChangeOnlyTheNewDirectoryCounts)
{
    tree.dir("a");
    tree.dir("b");
    auto notifier = watch(tree / "a");
    notifier->setRoot(tree / "b");
    tree.file("a/ignored.txt");
    EXPECT_TRUE(quietFor());

    tree.file("b/counted.txt");
    EXPECT_TRUE(serveUntil([this] { return changes > 0; }));
    changes = 0;

    // Back to "a": changes queued for "b" before the move are dropped too.
    notifier->setRoot(tree / "a");
    tree.file("b/late.txt");
    EXPECT_TRUE(quietFor());
    tree.file("a/again.txt");
    EXPECT_TRUE(serveUntil([this] { return changes > 0; }));
}

TEST_F(DirChangeNotifierTest, NoThreadUntilAHandlerIsSet)
{
    const int before = TDirChangeThread::runningCount();
    TDirChangeNotifier notifier(dispatcher.dispatcher());
    notifier.setRoot(tree.root());
    EXPECT_FALSE(notifier.running());
    EXPECT_EQ(TDirChangeThread::runningCount(), before);
    notifier.setOnChange([this] { ++changes; });
    EXPECT_TRUE(notifier.running());
    EXPECT_EQ(TDirChangeThread::runningCount(), before + 1);
}

TEST_F(DirChangeNotifierTest, AnUnwatchableDirectoryReportsNothingUntilTheNextOne)
{
    auto notifier = watch(tree / "absent");
    tree.dir("present");
    notifier->setRoot(tree / "present");
    settle(); // a change made before the new watch is open cannot be seen
    tree.file("present/file");
    EXPECT_TRUE(serveUntil([this] { return changes > 0; }));
}

TEST_F(DirChangeNotifierTest, DestructionStopsTheThread)
{
    const int before = TDirChangeThread::runningCount();
    auto notifier = watch(tree.root());
    EXPECT_EQ(TDirChangeThread::runningCount(), before + 1);
    notifier.reset();
    EXPECT_TRUE(serveUntil([&] { return TDirChangeThread::runningCount() == before; }));
}

TEST_F(DirChangeNotifierTest, DestructionDuringAHandOffNeitherBlocksNorRunsTheHandler)
{
    const int before = TDirChangeThread::runningCount();
    auto notifier = watch(tree.root());
    tree.file("new.txt");
    // The watcher now waits for this thread to serve its call.
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (dispatcher.pendingCount() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    ASSERT_EQ(dispatcher.pendingCount(), 1);

    notifier.reset();
    EXPECT_EQ(dispatcher.processPending(), 1);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(serveUntil([&] { return TDirChangeThread::runningCount() == before; }));
}

TEST_F(DirChangeNotifierTest, TheHandlerSetsThePanelsRefreshFlagWhichAListingClears)
{
    FakePanelHost host;
    FilePanel panel(host);
    TDirChangeNotifier notifier(dispatcher.dispatcher());
    notifier.setOnChange([&panel] { panel.setRefreshPending(); });
    panel.setNotifier(&notifier);
    tree.dir("one");
    tree.dir("two");
    ASSERT_TRUE(panel.ChangeDirectory(tree / "one"));
    panel.setStartingUp(false);
    ASSERT_TRUE(panel.ChangeDirectory(tree / "two"));
    settle();

    tree.file("one/not-here.txt");
    EXPECT_FALSE(serveUntil([&] { return panel.refreshPending(); }, 300ms));
    tree.file("two/here.txt");
    ASSERT_TRUE(serveUntil([&] { return panel.refreshPending(); }));
    EXPECT_EQ(panel.count(), 1); // nothing is relisted by the handler itself

    // A safe point during a pass leaves the change pending; the one after the pass lists.
    host.busy = true;
    EXPECT_FALSE(panel.refreshIfPending());
    host.busy = false;
    ASSERT_TRUE(panel.refreshIfPending());
    EXPECT_FALSE(panel.refreshPending());
    EXPECT_EQ(panel.count(), 2);
    EXPECT_FALSE(panel.refreshIfPending());
}

} // namespace
} // namespace morvane::tests
