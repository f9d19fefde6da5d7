// The shared pass controls: the throttled pump, busy and abort, selection check, timing.

#include "PassFixture.h"
#include "codepage/CodePage.h"
#include "app/MessageTable.h"
#include "search/PassControl.h"
#include "search/SystemPassClock.h"

#include <gtest/gtest.h>

#include <vector>

using morvane::app::Msg;
using morvane::codepage::Utf8ToWin1251;
using morvane::search::PassControl;
using morvane::search::PassSelection;
using morvane::test::Focused;
using morvane::test::Marked;
using morvane::test::PassFixture;

TEST(PassControl, PumpIsThrottledByTheResponseInterval)
{
    PassFixture f;
    f.control.setResponseInterval(500);
    f.clock.set(1000);
    f.control.resetPumpTime();
    struct Step {
        long long at;
        bool pumps;
    } steps[] = {
        { 1000, false }, { 1499, false }, { 1500, true }, { 1500, false }, { 1999, false },
        { 2000, true }, { 9000, true }, { 9001, false },
    };
    int expected = 0;
    for (const Step& step : steps) {
        f.clock.set(step.at);
        f.control.PumpMessages();
        expected += step.pumps ? 1 : 0;
        EXPECT_EQ(f.pump.calls(), expected) << "at " << step.at;
    }
}

TEST(PassControl, IntervalZeroPumpsAtEveryStep)
{
    PassFixture f;
    f.control.setResponseInterval(0);
    for (int i = 0; i < 5; ++i)
        f.control.PumpMessages();
    EXPECT_EQ(f.pump.calls(), 5);
}

TEST(PassControl, ThrottleCountsFromTheEndOfTheLastPump)
{
    // Handling the messages took 300 ms; the next window opens 500 ms after that.
    PassFixture f;
    f.control.setResponseInterval(500);
    f.clock.set(0);
    f.control.resetPumpTime();
    f.pump.setOnPump([&](int) { f.clock.advance(300); });
    f.clock.set(500);
    f.control.PumpMessages();
    ASSERT_EQ(f.pump.calls(), 1);
    f.clock.set(1100);
    f.control.PumpMessages();
    EXPECT_EQ(f.pump.calls(), 1);
    f.clock.set(1300);
    f.control.PumpMessages();
    EXPECT_EQ(f.pump.calls(), 2);
}

TEST(PassControl, ResponseIntervalIsClampedToItsRange)
{
    PassFixture f;
    f.control.setResponseInterval(-5);
    EXPECT_EQ(f.control.responseInterval(), 0);
    f.control.setResponseInterval(12000);
    EXPECT_EQ(f.control.responseInterval(), 9999);
    f.control.setResponseInterval(2250);
    EXPECT_EQ(f.control.responseInterval(), 2250);
}

TEST(PassControl, BusyUntilLeftOrAborted)
{
    PassFixture f;
    EXPECT_FALSE(f.control.IsBusy());
    f.control.SetBusy(true);
    EXPECT_TRUE(f.control.IsBusy());
    f.control.setAbortRequested(true);
    EXPECT_FALSE(f.control.IsBusy()) << "an abort request ends the busy state at once";
    f.control.setAbortRequested(false);
    EXPECT_TRUE(f.control.IsBusy());
    f.control.SetBusy(false);
    EXPECT_FALSE(f.control.IsBusy());
    EXPECT_EQ(f.window.busyShown(), (std::vector<bool> { true, false }));
}

TEST(PassControl, BreakAndAbortCommands)
{
    PassFixture f;
    f.control.SetBusy(true);
    f.control.tbBreakClick();
    EXPECT_TRUE(f.control.AbortRequested());
    EXPECT_FALSE(f.window.busyShown().back());
    EXPECT_EQ(f.window.interactiveRunEnds(), 0);

    PassFixture g;
    g.control.SetBusy(true);
    g.control.miAbortClick();
    EXPECT_TRUE(g.control.AbortRequested());
    EXPECT_FALSE(g.window.busyShown().back());
    EXPECT_EQ(g.window.interactiveRunEnds(), 1);
}

TEST(PassControl, HasSelectionNeedsOneRealSelectedItemOrAMark)
{
    PassSelection twoSelected = Focused("/d", "a.txt");
    twoSelected.items.push_back({ "b.txt", false, false });
    twoSelected.selectedCount = 2;
    PassSelection noneSelected = Focused("/d", "a.txt");
    noneSelected.selectedIndex = -1;
    noneSelected.selectedCount = 0;
    PassSelection markedButParentSelected = Marked("/d", { "../", "x/" });
    markedButParentSelected.items[0].marked = false;
    markedButParentSelected.selectedIndex = 0;
    markedButParentSelected.selectedCount = 1;
    struct Case {
        const char* what;
        PassSelection selection;
        bool expected;
    } cases[] = {
        { "one file selected", Focused("/d", "a.txt"), true },
        { "one directory selected", Focused("/d", "sub/"), true },
        { "the parent entry selected", Focused("/d", ".."), false },
        { "two selected, nothing marked", twoSelected, false },
        { "nothing selected", noneSelected, false },
        { "parent selected, one item marked", markedButParentSelected, true },
    };
    for (const Case& c : cases) {
        PassFixture f;
        EXPECT_EQ(f.control.HasSelection(c.selection), c.expected) << c.what;
        if (c.expected)
            EXPECT_TRUE(f.dialogs.messages().empty()) << c.what;
        else
            EXPECT_EQ(f.dialogs.messages(), (std::vector { Msg(60) })) << c.what;
    }
}

TEST(PassControl, ElapsedTimeInTheFormatOfMessage17)
{
    PassFixture f;
    f.clock.set(10'000);
    f.control.startTiming();
    f.clock.set(10'000 + 3'723'045); // 1 h 2 min 3.045 s
    EXPECT_EQ(f.control.elapsedMs(), 3'723'045);
    EXPECT_EQ(f.control.elapsedText(), Utf8ToWin1251("01 час  02 мин  03.045 сек"));
}

TEST(PassControl, OnePassLoopAtATime)
{
    PassFixture f;
    EXPECT_TRUE(f.control.canStartPass());
    {
        PassControl::PassLoop loop(f.control);
        f.control.SetBusy(true);
        EXPECT_FALSE(f.control.canStartPass());
        f.control.tbBreakClick(); // IsBusy() is false now, yet the loop still runs
        EXPECT_FALSE(f.control.IsBusy());
        EXPECT_FALSE(f.control.canStartPass());
    }
    EXPECT_TRUE(f.control.canStartPass());
}

TEST(SystemPassClock, NeverGoesBackwards)
{
    morvane::search::SystemPassClock clock;
    const auto first = clock.nowMs();
    EXPECT_GE(clock.nowMs(), first);
}
