#pragma once
// Where the replacements of a run go: into the sources (in place), appended to the collecting
// file, or each into a file of its own. The passes read it; OutputControl makes it from the
// state of the two mode buttons. Covered by tests/search/ReplaceStreamedTest.cpp.

#include "search/OutputCollectingFile.h"
#include "search/OutputSplitSettings.h"

namespace morvane::search {

enum class OutputMode {
    InPlace, // the sources are rewritten (with backups when they are on)
    OneFile, // every replacement is appended to the collecting file
    FileSplit, // every replacement becomes a file named by OutputName
};

struct OutputTarget {
    OutputMode mode = OutputMode::InPlace;
    OutputCollectingFile* collectingFile = nullptr; // open in OneFile mode
    const OutputSplitSettings* splitSettings = nullptr; // set in FileSplit mode
    int splitCodePage = 0; // code page of the split files (the chosen or detected one)

    // The output modes leave the sources untouched and report "Сохранено".
    bool toFiles() const { return mode != OutputMode::InPlace; }
};

} // namespace morvane::search
