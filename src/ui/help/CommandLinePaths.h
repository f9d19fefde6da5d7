#pragma once
// The files and directories given to `morvane` on its command line, as a file manager's "Open
// with" passes them: the file panel enters the directory (the first path's own directory, or
// the one that holds the first file); a single file is focused and loaded into the viewer, and
// several files of that directory are marked (and nothing else), ready for a pass. Paths that do not exist
// are left out; nothing happens when none is left. Covered by tests/ui/tst_help.cpp.

#include <filesystem>
#include <vector>

namespace morvane::ui {

class TFormMain;

// The program's arguments (after Qt took its own) as paths, made absolute against the
// current directory; argument 0, the program itself, is skipped.
std::vector<std::filesystem::path> PathsFromArguments(int argc, char** argv);

// Applies `paths` to a window that has been shown (its start-up has entered the persisted
// directory, which the paths then replace).
void OpenCommandLinePaths(TFormMain& window, const std::vector<std::filesystem::path>& paths);

} // namespace morvane::ui
