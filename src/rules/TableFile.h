#pragma once
// Table files (".tbl"): Windows-1251 text, one rule line per line, each ended by CR LF; no header,
// no quoting. Rule tables and colouring tables share this reader and writer.
// Covered by tests/rules/TableFileTest.cpp.

#include "app/FileError.h"
#include "rules/Rule.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane::rules {

// A stored table: its lines as they stand (RuleList, ColourList).
using LineList = std::vector<std::string>;

// Reads the lines of a table file into `lines`. On failure (missing or unreadable file) returns
// the "Cannot open file" error and leaves `lines` as it was.
std::optional<app::FileError> ReadTableFile(const std::filesystem::path& path, LineList& lines);

// Writes the lines as they stand, each ended by CR LF (an empty list gives an empty file).
// On failure returns the "Cannot create file" error and the file keeps its old contents.
std::optional<app::FileError> WriteTableFile(const std::filesystem::path& path, const LineList& lines);

// The grid's form of a table: every line split into its three fields, and back.
std::vector<Rule> LinesToRules(const LineList& lines);
LineList RulesToLines(const std::vector<Rule>& rules);

} // namespace morvane::rules
