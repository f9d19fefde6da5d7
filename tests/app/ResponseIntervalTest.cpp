// The response interval in the last 9 characters of the menu caption.

#include "app/ResponseInterval.h"

#include "codepage/CodePage.h"

#include <gtest/gtest.h>

using namespace morvane::app;
using morvane::codepage::Utf8ToWin1251;

TEST(ResponseInterval, ParseIntervalText)
{
    const struct {
        std::string text;
        int ms;
    } cases[] = {
        { "0.500 sec", 500 },
        { "0.000 sec", 0 },
        { "9.999 sec", 9999 },
        { "2.250 sec", 2250 },
        { "1.001 sec", 1001 },
        { "0.500 Sec", -1 },
        { "0.500 sec ", -1 },
        { "0.50 sec", -1 },
        { " 0.500 sec", -1 },
        { "0,500 sec", -1 },
        { "0.5a0 sec", -1 },
        { "0.5 0 sec", -1 },
        { "-.500 sec", -1 },
        { "10.00 sec", -1 },
        { "0.500 ms ", -1 },
        { "", -1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseIntervalText(c.text), c.ms) << '"' << c.text << '"';
}

TEST(ResponseInterval, FromCaption)
{
    const std::string prefix = Utf8ToWin1251("Изменить время отклика - ");
    EXPECT_EQ(IntervalFromCaption(prefix + "0.500 sec", 7), 500);
    EXPECT_EQ(IntervalFromCaption(prefix + "2.250 sec", 7), 2250);
    EXPECT_EQ(IntervalFromCaption(prefix + "0.000 sec", 7), 0);
    EXPECT_EQ(IntervalFromCaption("9.999 sec", 7), 9999); // nothing before the value
    // Malformed: the previous interval stays.
    EXPECT_EQ(IntervalFromCaption(prefix + "0.5 sec", 1234), 1234);
    EXPECT_EQ(IntervalFromCaption(prefix, 1234), 1234);
    EXPECT_EQ(IntervalFromCaption("sec", 1234), 1234);
    EXPECT_EQ(IntervalFromCaption("", 1234), 1234);
    EXPECT_EQ(IntervalFromCaption(Utf8ToWin1251("Response time"), 1234), 1234);
}

TEST(ResponseInterval, Format)
{
    EXPECT_EQ(FormatIntervalText(0), "0.000 sec");
    EXPECT_EQ(FormatIntervalText(500), "0.500 sec");
    EXPECT_EQ(FormatIntervalText(2250), "2.250 sec");
    EXPECT_EQ(FormatIntervalText(7), "0.007 sec");
    EXPECT_EQ(FormatIntervalText(9999), "9.999 sec");
    EXPECT_EQ(FormatIntervalText(10000), "9.999 sec");
    EXPECT_EQ(FormatIntervalText(-1), "0.000 sec");
    for (int ms = 0; ms <= 9999; ++ms)
        ASSERT_EQ(ParseIntervalText(FormatIntervalText(ms)), ms);
}

TEST(ResponseInterval, ReplaceInCaption)
{
    // A language file may give message 269 any prefix; only the last 9 characters change.
    const std::string caption = Utf8ToWin1251("Изменить время отклика - 0.500 sec");
    const std::string changed = ReplaceIntervalInCaption(caption, "2.250 sec");
    EXPECT_EQ(changed, Utf8ToWin1251("Изменить время отклика - 2.250 sec"));
    EXPECT_EQ(IntervalFromCaption(changed, 0), 2250);
    EXPECT_EQ(
        ReplaceIntervalInCaption("Response time - x.xxx sec", "0.010 sec"), "Response time - 0.010 sec");
    EXPECT_EQ(ReplaceIntervalInCaption("abc", "0.010 sec"), "0.010 sec");
    EXPECT_EQ(ReplaceIntervalInCaption("", "0.010 sec"), "0.010 sec");
}
