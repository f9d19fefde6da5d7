#pragma once
// The counters of a replace run (interactive or everywhere), 32-bit as the counter item of
// the templates reads them, reset by the command that shows them.
// Covered by tests/search/ReplaceStatusTest.cpp.

#include "template/EvaluateTemplate.h"

#include <cstdint>

namespace morvane::search {

struct ReplaceCounters {
    std::int32_t FilesProcessed = 0; // files of the list taken, matched or not
    std::int32_t FilesFound = 0; // files with a match
    std::int32_t FilesChanged = 0; // rewritten in place; 1 once one-file output has written
    std::int32_t MatchesInFile = 0; // matches of the current file, the current one included
    std::int32_t ReplacementsInFile = 0; // replacements of the current file made so far
    std::int32_t MatchesTotal = 0;
    std::int32_t ReplacementsTotal = 0;
    std::int32_t FilesFailed = 0; // files with matches that could not be written
    std::int32_t FilesNotSearched = 0; // files the engine could not search to the end

    // What the counter item and the output names read.
    templ::RunCounters runCounters() const
    {
        return { MatchesInFile, MatchesTotal, ReplacementsInFile, ReplacementsTotal };
    }
};

} // namespace morvane::search
