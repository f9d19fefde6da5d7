#pragma once
// The message and caption table the program reads every user-visible text from, by index, and
// its replacement by a language file. The table always holds exactly kMessageCount entries:
// a language file must give at least the 361 entries the program reads (0 to 360) or it is
// refused as a whole; missing translator-note lines (361 to 364) become empty entries. A file
// written for the designed table stops there: the extension's entries (365 on) it does not
// reach keep their built-in texts, those it reaches take its lines, and lines after the last
// entry are ignored, since nothing reads them and the export has a fixed length. Entries are
// positional, so an empty line is an empty entry, never skipped.
// Covered by tests/app/MessageTableTest.cpp.

#include "app/FileError.h"
#include "app/MessageBuiltIn.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane::app {

// How an attempt to load a language file ended.
enum class LanguageFileStatus {
    Loaded, // the table now holds the file's lines
    Missing, // no such file; the table is unchanged
    TooShort, // fewer than kMinLanguageLines lines; refused, the table is unchanged
    Unreadable, // the file exists but cannot be read; `error` has the standard text
};

struct LanguageFileResult {
    LanguageFileStatus status = LanguageFileStatus::Missing;
    int lineCount = 0; // lines found in the file (also when it was refused)
    std::optional<FileError> error;
};

// Lines a language file must have: the captions are read up to index 360.
inline constexpr int kMinLanguageLines = 361;

// The name of the language file in the program directory.
inline constexpr const char* kLanguageFileName = "language.dat";

class MessageTable {
public:
    // A table holding the built-in texts.
    MessageTable();

    // Entry `index` as program text; an empty text for an index outside the table.
    std::string text(int index) const;
    int count() const { return static_cast<int>(m_entries.size()); }
    const std::vector<std::string>& entries() const { return m_entries; }

    // Back to the built-in texts.
    void reset();

    // Replaces the table by `lines` (line 0 becoming entry 0), fitted to kMessageCount as the
    // class comment says. Returns false, and changes nothing, when there are fewer than
    // kMinLanguageLines.
    bool replaceEntries(std::vector<std::string> lines);

    // Reads a language file: CR LF, a lone CR and a lone LF each end a line, and a last line
    // without an ending is still a line. Bytes are taken as they are, without any check.
    LanguageFileResult loadLanguageFile(const std::filesystem::path& path);

    // Writes every entry followed by CR LF, overwriting an existing file without asking.
    std::optional<FileError> exportLanguageFile(const std::filesystem::path& path) const;

private:
    std::vector<std::string> m_entries;
};

// The program's table: built-in until a language file replaces it. One per process, used
// from the user-interface thread only.
MessageTable& CurrentMessageTable();

// Entry `index` of the program's table; empty for an index outside it.
std::string Msg(int index);

// Replaces the program's table by the language file `path` (see MessageTable).
LanguageFileResult LoadLanguageFile(const std::filesystem::path& path);
// The same with "language.dat" in the program directory; called once at start.
LanguageFileResult LoadLanguageFile();

// Writes the program's table to `path`.
std::optional<FileError> ExportLanguageFile(const std::filesystem::path& path);
// The same to "language.dat" in the program directory (the F10 command).
std::optional<FileError> ExportLanguageFile();

} // namespace morvane::app
