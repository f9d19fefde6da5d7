#pragma once
// The line form shared by every text file the program keeps (tables, language file, selection):
// on reading, CR LF, a lone CR and a lone LF each end a line, and a last line without an ending
// is still a line; on writing, every line (the last one too) is ended by CR LF.
// Covered by tests/app/TextLinesTest.cpp.

#include <string>
#include <string_view>
#include <vector>

namespace morvane::app {

// Splits `text` into its lines. An empty text has no lines; "a\r\n" has one; "\n" one empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Joins lines, each followed by CR LF. No lines give an empty text.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

} // namespace morvane::app
