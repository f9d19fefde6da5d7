#pragma once
// The settings of file-split output (the TFormSetFileSplit dialog): how the output files are
// numbered and named. Read afresh for every name, so a change applies from the next name on.
// Covered by tests/search/OutputNameTest.cpp.

#include <cstdint>
#include <filesystem>
#include <string>

namespace morvane::search {

// Which counter numbers the output files.
enum class OutputNumbering {
    ByReplacements, // rbReplaceCount: the numbers run on without gaps over saved replacements
    ByMatches, // rbFoundCount: a skipped match leaves a gap
};

struct OutputSplitSettings {
    OutputNumbering numbering = OutputNumbering::ByReplacements;
    // CheckBoxFileNameSource: name the files after the source file of the run; otherwise after
    // fixedName, numbered across the whole run.
    bool nameFromSource = true;
    std::filesystem::path fixedName; // FileName
    std::int64_t startNumber = 0; // ceStartNumber, 0 to kMaxStartNumber
    int digits = 0; // ceNumberLength: minimum digits, 0 to kMaxDigits
    std::string separator = "_"; // edDelimiter, program text (Windows-1251)

    static constexpr std::int64_t kMaxStartNumber = 1000000;
    static constexpr int kMaxDigits = 10;
};

} // namespace morvane::search
