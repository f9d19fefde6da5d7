#pragma once
// Raw byte input and output for the CLI commands (no newline translation, NUL bytes kept).

#include <cstdio>
#include <string>
#include <string_view>

namespace morvane::cli {

// Reads the whole stream; false on a read error.
bool ReadAll(std::FILE* in, std::string& out);
// Reads FILE, or standard input when `name` is "-".
bool ReadInput(const std::string& name, std::string& out);
// Writes all bytes; false on a write error.
bool WriteAll(std::FILE* out, std::string_view bytes);

} // namespace morvane::cli
