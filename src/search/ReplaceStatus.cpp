// Progress, summary and report texts of the replace runs. Tests: tests/search/ReplaceStatusTest.cpp.

#include "search/ReplaceStatus.h"

#include "app/Format.h"
#include "app/MessageTable.h"

namespace morvane::search {

namespace {

constexpr int kMsgStatusInPlace = 43;
constexpr int kMsgSummaryFiles = 46;
constexpr int kMsgSummaryChanged = 47;
constexpr int kMsgSummaryReplaced = 48;
constexpr int kMsgStatusSaved = 66;
constexpr int kMsgSummaryFilesSaved = 67;
constexpr int kMsgSummaryTotalSaved = 68;
constexpr int kMsgColumnSaved = 69;
constexpr int kMsgColumnReplaced = 70;
constexpr int kMsgStatusColourSetup = 75;
constexpr int kMsgSummaryFailed = 380;
constexpr int kMsgSummaryNotSearched = 381;

// The summary's line separator: line feed, then carriage return.
constexpr const char* kSummaryLineBreak = "\n\r";

std::int32_t changedFiles(const ReplaceCounters& counters, OutputMode mode)
{
    return mode == OutputMode::FileSplit ? counters.ReplacementsTotal : counters.FilesChanged;
}

} // namespace

std::string RunStatusText(const ReplaceCounters& c, OutputMode mode, int fileCount, bool colourSetup)
{
    if (colourSetup)
        return " "
            + app::FillMessage(app::Msg(kMsgStatusColourSetup), { c.MatchesTotal, c.ReplacementsTotal });
    const int message = mode == OutputMode::InPlace ? kMsgStatusInPlace : kMsgStatusSaved;
    return " "
        + app::FillMessage(app::Msg(message),
            { c.FilesProcessed, fileCount, c.FilesFound, changedFiles(c, mode), c.MatchesInFile,
                c.ReplacementsInFile, c.MatchesTotal, c.ReplacementsTotal });
}

void ShowRunStatus(
    PassControl& control, const ReplaceCounters& counters, OutputMode mode, int fileCount, bool colourSetup)
{
    control.setStatus(0, control.elapsedText());
    control.setStatus(1, RunStatusText(counters, mode, fileCount, colourSetup));
    control.PumpMessages();
}

std::string RunSummaryText(const ReplaceCounters& c, OutputMode mode, int fileCount)
{
    const bool toFiles = mode != OutputMode::InPlace;
    return app::FillMessage(app::Msg(kMsgSummaryFiles), { c.FilesProcessed, fileCount }) + kSummaryLineBreak
        + app::FillMessage(app::Msg(toFiles ? kMsgSummaryFilesSaved : kMsgSummaryChanged),
            { c.FilesFound, changedFiles(c, mode) })
        + kSummaryLineBreak
        + app::FillMessage(app::Msg(toFiles ? kMsgSummaryTotalSaved : kMsgSummaryReplaced),
            { c.MatchesTotal, c.ReplacementsTotal })
        + FailureSummaryText(c.FilesFailed, c.FilesNotSearched);
}

std::string FailureSummaryText(int failed, int notSearched)
{
    std::string text;
    if (failed > 0)
        text += kSummaryLineBreak + app::FillMessage(app::Msg(kMsgSummaryFailed), { failed });
    if (notSearched > 0)
        text += kSummaryLineBreak + app::FillMessage(app::Msg(kMsgSummaryNotSearched), { notSearched });
    return text;
}

std::string ReplacedColumnCaption(OutputMode mode)
{
    return app::Msg(mode == OutputMode::InPlace ? kMsgColumnReplaced : kMsgColumnSaved);
}

} // namespace morvane::search
