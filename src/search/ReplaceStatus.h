#pragma once
// The texts a replace run shows: the progress line of the status bar, the summary box and the
// caption of the report's second count column, by output mode.
// Covered by tests/search/ReplaceStatusTest.cpp.

#include "search/OutputTarget.h"
#include "search/PassControl.h"
#include "search/ReplaceCounters.h"

#include <string>

namespace morvane::search {

// Status panel 1: a blank and message 43 (in place) or 66 (output to files), filled with the
// files processed, the files of the list, the files found, the files changed (the replacements
// in file-split mode, where every replacement is a file), the matches and replacements of the
// file and of the run. In the colouring set-up mode message 75 with the run's matches and
// replacements.
std::string RunStatusText(
    const ReplaceCounters& counters, OutputMode mode, int fileCount, bool colourSetup = false);

// Panel 0 := the elapsed time, panel 1 := RunStatusText; then the message pump.
void ShowRunStatus(PassControl& control, const ReplaceCounters& counters, OutputMode mode, int fileCount,
    bool colourSetup = false);

// The summary box: message 46, then 47 and 48 (in place) or 67 and 68 (output to files), each
// line after the first preceded by a line feed and a carriage return; then FailureSummaryText.
std::string RunSummaryText(const ReplaceCounters& counters, OutputMode mode, int fileCount);

// The lines a run's summary gains when files failed: a line feed and a carriage return, then
// message 380 with `failed` when it is positive, and the same with message 381 and
// `notSearched`. Empty when both are 0, so a run without failures reads as before.
std::string FailureSummaryText(int failed, int notSearched);

// The caption of the report's second count column: message 69 "Сохранено" when the
// replacements go to files, else message 70 "Заменено".
std::string ReplacedColumnCaption(OutputMode mode);

} // namespace morvane::search
