#pragma once
// The settings store: an INI text kept in memory in file order, so that writing it back keeps
// everything the program does not know about (other windows' placement, a user's hand edits,
// comment lines). Covered by tests/app/IniFileTest.cpp.
//
// Reading. Lines end at CR LF, a lone CR or a lone LF. A line "[name]" (blanks around it
// allowed) opens section `name`; anything after the closing bracket is ignored. A line with an
// "=" holds a key (the text before the first "=", blanks and tabs around it removed) and a
// value. A line whose first non-blank character is ";" or "#" is a comment and is kept in place.
// Blank lines, lines with neither "[" nor "=", keys that are empty and "[" without "]" are
// malformed: skipped on reading and not written back. Section and key names compare ASCII
// case-insensitively, as the Windows INI functions do. A section that appears twice is merged
// into its first appearance; a key that appears twice keeps its first value (later ones are
// dropped, as the Windows functions would never read them).
//
// Values are stored verbatim: everything after the first "=" up to the line end, blanks
// included. The Windows functions trim blanks around values, which would lose a mask the user
// typed as " *.txt"; keeping them makes the program's own round trip exact. The price: a hand
// edit written as "key = value" gives the value " value" (the typed readers of Settings trim
// booleans and integers, so only texts see the blank).
//
// Writing. Sections in file order, each header followed by its lines; a blank line between
// sections; every line ended by CR LF. A value or key cannot hold a line break: CR and LF bytes
// in them are dropped on writing.

#include "app/FileError.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::app {

class IniFile {
public:
    // Parses INI text; never fails (malformed lines are skipped).
    static IniFile FromText(std::string_view text);

    // The whole store as INI text.
    std::string toText() const;

    // The value of `key` in `section`, or nothing when either is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets `key` in `section`, replacing its value in place or appending the key at the end of
    // the section; the section is appended at the end of the file when absent.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // Removes one key; nothing happens when it is absent.
    void removeKey(std::string_view section, std::string_view key);

    bool hasSection(std::string_view section) const;
    // Removes a section with all its lines, comments included.
    void eraseSection(std::string_view section);

    // Section names in file order.
    std::vector<std::string> sections() const;
    // Key names of `section` in file order (empty when the section is absent).
    std::vector<std::string> keys(std::string_view section) const;

    // A list property: section `section` + "." + `key` is erased, then, unless `items` is
    // empty, written anew with "Count" and "Item0", "Item1", ...
    void writeList(std::string_view section, std::string_view key, const std::vector<std::string>& items);
    // Reads a list written by writeList. Nothing when the section is absent or its "Count" is
    // not a non-negative number. Items at or beyond "Count" are ignored; a missing item below
    // the highest one present reads as an empty text; the list ends at the highest item present
    // (a hand-edited huge count cannot blow up memory).
    std::optional<std::vector<std::string>> readList(std::string_view section, std::string_view key) const;

private:
    struct Line {
        bool comment = false; // `text` holds the whole comment line; `key` is unused
        std::string key;
        std::string text; // the value, or the comment line
    };
    struct Section {
        std::string name; // empty for the lines before the first header
        std::vector<Line> lines;
    };

    const Section* findSection(std::string_view name) const;
    Section* findSection(std::string_view name);
    Section& sectionForWrite(std::string_view name);

    // The first entry is the nameless preamble: comments (and keys) before any header.
    std::vector<Section> m_sections { Section {} };
};

// Reads the INI file at `path` into `ini`. A missing file gives an empty store and no error;
// a file that exists but cannot be read gives the "Cannot open file" error and leaves `ini`
// unchanged.
std::optional<FileError> LoadIniFile(const std::filesystem::path& path, IniFile& ini);

// Writes `ini` to `path` (the "Cannot create file" error on failure; the old file survives).
std::optional<FileError> SaveIniFile(const std::filesystem::path& path, const IniFile& ini);

} // namespace morvane::app
