#pragma once
// The collecting file of one-file output: opened empty or for appending, then every
// replacement text appended as it is (Windows-1251 bytes, no separator). It stays open from
// the moment one-file mode is switched on until it is switched off, so consecutive runs append
// one after another. Covered by tests/search/OutputFilesTest.cpp.
//
// Every append reaches the file before append() returns. An append that fails is reported
// with the "Cannot create file" text and cut back, so the file never ends in half a
// replacement.

#include "app/FileError.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

namespace morvane::search {

class OutputCollectingFile {
public:
    OutputCollectingFile() = default;
    ~OutputCollectingFile();
    OutputCollectingFile(const OutputCollectingFile&) = delete;
    OutputCollectingFile& operator=(const OutputCollectingFile&) = delete;

    // Opens `path` (closing any file held before): emptied, or positioned at its end when
    // `append` is set; created when absent. On failure nothing is open and the error is
    // returned.
    std::optional<app::FileError> open(const std::filesystem::path& path, bool append);
    // Appends `text`. On failure the file is cut back to its length before the call.
    std::optional<app::FileError> append(std::string_view text);
    void close();

    bool isOpen() const { return m_file != nullptr; }
    // The open file's path; empty when none is open.
    const std::filesystem::path& path() const { return m_path; }

private:
    std::FILE* m_file = nullptr;
    std::filesystem::path m_path;
    std::uintmax_t m_size = 0;
};

} // namespace morvane::search
