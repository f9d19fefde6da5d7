#pragma once
// The sub-commands of morvane-cli. Each lives in its own file; main() only dispatches.
// Arguments exclude the program name and the sub-command's own name.

#include <string>
#include <vector>

namespace morvane::cli {

using Args = std::vector<std::string>;

// match: the pattern tester (see MatchCommand.cpp for the output contract).
int RunMatch(const Args& args);
// recode --from CP --to CP: standard input to standard output in another code page.
int RunRecode(const Args& args);
// detect [FILE]: prints the detected code page number.
int RunDetect(const Args& args);
int RunList(const Args& args);
// found, notfound, all, replace, restore, restore-first, delete-backups, convert: the batch
// commands over the core's passes (see BatchSession.h for the output contract). `command` is
// the sub-command's name; returns -1 when it names none of them.
int RunBatch(const std::string& command, const Args& args);

} // namespace morvane::cli
