// The progress line, the summary and the report caption of replace runs, by output mode: the
// order of the arguments and which counter stands in the "changed" place.

#include "search/ReplaceStatus.h"
#include "PassFixture.h"
#include "codepage/CodePage.h"

#include <gtest/gtest.h>

using namespace morvane::search;
using morvane::codepage::Utf8ToWin1251;

namespace {

ReplaceCounters Sample()
{
    ReplaceCounters c;
    c.FilesProcessed = 2;
    c.FilesFound = 1;
    c.FilesChanged = 1;
    c.MatchesInFile = 4;
    c.ReplacementsInFile = 3;
    c.MatchesTotal = 9;
    c.ReplacementsTotal = 7;
    return c;
}

} // namespace

TEST(ReplaceStatus, ProgressLineByMode)
{
    const struct {
        OutputMode mode;
        bool colourSetup;
        const char* expected;
    } cases[] = {
        { OutputMode::InPlace, false,
            " Обработано файлов - 2 из 5  Файлов - 1 / 1  В файле - 4 / 3  Всего - 9 / 7 "
            "(найдено/изменено)" },
        { OutputMode::OneFile, false,
            " Обработано файлов - 2 из 5  Файлов - 1 / 1  В файле - 4 / 3  Всего - 9 / 7 "
            "(найдено/сохранено)" },
        // Every replacement is a file of its own: the replacements stand for the files saved.
        { OutputMode::FileSplit, false,
            " Обработано файлов - 2 из 5  Файлов - 1 / 7  В файле - 4 / 3  Всего - 9 / 7 "
            "(найдено/сохранено)" },
        { OutputMode::InPlace, true, " найдено - 9  заменено - 7" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunStatusText(Sample(), c.mode, 5, c.colourSetup), Utf8ToWin1251(c.expected)) << c.expected;
}

TEST(ReplaceStatus, ShowRunStatusFillsBothPanelsAndPumps)
{
    morvane::test::PassFixture f;
    f.clock.set(1000);
    f.control.startTiming();
    f.clock.set(62345);
    const int pumpsBefore = f.pump.calls();
    ShowRunStatus(f.control, Sample(), OutputMode::InPlace, 5);
    EXPECT_EQ(f.status.text(0), Utf8ToWin1251("00 час  01 мин  01.345 сек"));
    EXPECT_EQ(f.status.text(1), RunStatusText(Sample(), OutputMode::InPlace, 5));
    EXPECT_EQ(f.pump.calls(), pumpsBefore + 1);
}

TEST(ReplaceStatus, SummaryAndReportCaption)
{
    const struct {
        OutputMode mode;
        const char* summary;
        const char* caption;
    } cases[] = {
        { OutputMode::InPlace,
            "Обработано файлов - 2 из 5\n\rФайлов - 1 / 1 (найдено/изменено)\n\rВсего - 9 / 7 "
            "(найдено/заменено)",
            "Заменено" },
        { OutputMode::OneFile,
            "Обработано файлов - 2 из 5\n\rФайлов - 1 / 1 (найдено/сохранено)\n\rВсего - 9 / 7 "
            "(найдено/сохранено)",
            "Сохранено" },
        { OutputMode::FileSplit,
            "Обработано файлов - 2 из 5\n\rФайлов - 1 / 7 (найдено/сохранено)\n\rВсего - 9 / 7 "
            "(найдено/сохранено)",
            "Сохранено" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunSummaryText(Sample(), c.mode, 5), Utf8ToWin1251(c.summary));
        EXPECT_EQ(ReplacedColumnCaption(c.mode), Utf8ToWin1251(c.caption));
    }
}
