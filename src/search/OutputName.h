#pragma once
// The name of the next file in file-split output: the source's (or the fixed name's) base, the
// separator, a running number and the extension. Covered by tests/search/OutputNameTest.cpp.
//
// The number is computed in 64 bits from 32-bit counters, so a start number plus a counter
// near its limit neither wraps nor turns negative.

#include "search/OutputSplitSettings.h"
#include "template/EvaluateTemplate.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace morvane::search {

// The number of the next output file. The counters are the run's: the replacement counters do
// not yet count the replacement being written, the match counters already count its match.
//   from the source, by replacements: start + ReplacementsInFile
//   from the source, by matches:      start + MatchesInFile - 1
//   fixed name, by replacements:      start + ReplacementsTotal
//   fixed name, by matches:           start + MatchesTotal - 1
std::int64_t OutputNumber(const OutputSplitSettings& settings, const templ::RunCounters& counters);

// The separator followed by `number` in decimal with at least `digits` digits (leading zeros).
// With 0 digits the number is written as it is, so 0 gives "0".
std::string OutputNumberText(const std::string& separator, std::int64_t number, int digits);

// The next output file: base + separator + number + extension, where the extension is the part
// of the file name from its last "." on (empty when there is none) and the base everything
// before it, directory included. The name is the current source file's when nameFromSource is
// set, else the fixed name. The separator is program text and enters the path in the file
// system's encoding.
std::filesystem::path OutputName(const OutputSplitSettings& settings,
    const std::filesystem::path& currentFile, const templ::RunCounters& counters);

} // namespace morvane::search
