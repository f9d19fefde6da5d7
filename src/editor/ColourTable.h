#pragma once
// Which colouring table colours a file: the table of the file's extension key, kept in the
// program directory as "Colour" + key + ".tbl". The window holds one colouring table at a time
// (its lines, file, key and unsaved-edits flag); choosing the table of another key offers to
// save the edited one and then replaces it. Covered by tests/editor/ColourTableTest.cpp.

#include "rules/TableFile.h"

#include <filesystem>
#include <string>

namespace morvane::editor {

class ColourTableDialogs;

// The extension key of a file: the text after the last "." of its name, ASCII letters upper-cased,
// cut to 128 bytes; "HTML" becomes "HTM"; empty for a name without ".". Other bytes are kept as
// the file system has them, since the key only ever goes back into a file name.
std::string ColourExtensionKey(const std::filesystem::path& file);

// The table file for `key`: `programDir` / ("Colour" + key + ".tbl").
std::filesystem::path ColourTableFile(const std::filesystem::path& programDir, const std::string& key);

// The colouring table the window holds.
struct ColourTableState {
    rules::LineList lines; // the table's lines as stored
    std::filesystem::path path; // the file they came from or go to
    std::string key; // that file's extension key
    bool modified = false; // unsaved edits
};

// Makes `table` the table of `file`'s extension key. True at once when the key is the one
// already held (nothing is read again). False, changing nothing, when the table file does not
// exist or cannot be read (the latter with its message). Otherwise, when the held table has
// unsaved edits, asks (message 80, CR LF, its path, "?") and on Yes writes it to its file; then
// reads the new file, clears `modified` and takes the new path and key. A failed write shows its
// message and keeps the held table with its edits (false), so that nothing typed is lost.
bool ChooseColourTable(ColourTableState& table, const std::filesystem::path& file,
    const std::filesystem::path& programDir, ColourTableDialogs& dialogs);

} // namespace morvane::editor
