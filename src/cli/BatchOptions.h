#pragma once
// The command line of the batch commands (found, notfound, all, replace, restore,
// restore-first, delete-backups, convert): what each option sets, which commands take it, and
// the checks that turn a wrong command line into exit status 2 before anything is touched.
// Covered by tests/cli/BatchOptionsCliTest.cpp.
//
// Texts given on the command line (expression, replacement, remark, mask, split separator) are
// UTF-8 and are converted to the program's Windows-1251 here; a text with a character that
// code page lacks is refused rather than silently searched with "?" in its place. Paths stay
// in the file system's bytes and are made absolute against the current directory.

#include "rules/ReplaceMode.h"
#include "search/OutputSplitSettings.h"
#include "search/WorkTextEditor.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane::cli {

enum class BatchCommand { Found, NotFound, All, Replace, Restore, RestoreFirst, DeleteBackups, Convert };

// The command of a sub-command name, or nothing when `name` names none of them.
std::optional<BatchCommand> BatchCommandFromName(const std::string& name);
// The sub-command name of `command` ("found", "restore-first", ...).
const char* BatchCommandName(BatchCommand command);

struct BatchOptions {
    BatchCommand command = BatchCommand::Found;
    bool help = false; // --help: print the usage and do nothing else

    // The rule of the edit fields (program text).
    std::optional<std::string> find;
    std::string replace;
    std::string remark;
    // Multipass mode over the rows of a table file.
    bool multipass = false;
    std::filesystem::path table;
    // The global settings.
    std::optional<rules::ReplaceMode> mode; // --mode; the built-in default when absent
    std::string modifiers; // --modifiers as given, e.g. "i-g" (validated letters only)
    search::CodePageChoice codePage = search::CodePageChoice::Win1251;

    // The selection and the walk.
    std::string maskText = "*.*"; // program text
    bool subDirectories = false;
    bool hiddenFiles = false;
    std::vector<std::filesystem::path> paths; // absolute, in the order given

    bool saveBackup = true; // off with --no-backup

    // Output modes of replace.
    std::filesystem::path collectFile; // one-file mode when not empty
    bool append = false;
    bool split = false;
    search::OutputSplitSettings splitSettings;

    // convert: 0 Windows-1251, 1 KOI8-R, 2 DOS-866; --from 3 detects per file and 4 is UTF-8,
    // --to 3 is UTF-8.
    int convertFrom = 1;
    int convertTo = 0;

    // Threads that search the files (found, notfound); 0 asks for one per core. Replace takes
    // only 1: its numbering follows the file order.
    int jobs = 1;

    bool yes = false; // answer Yes to the confirmations
    bool interactive = false; // replace -i
};

// Parses the arguments after the sub-command name. On a usage error returns false with
// `error` set to a one-line explanation (UTF-8). With --help anywhere the rest is not checked.
bool ParseBatchOptions(
    BatchCommand command, const std::vector<std::string>& args, BatchOptions& options, std::string& error);

// The help text of the batch commands (UTF-8), for --help and for the usage errors.
std::string BatchUsageText();

} // namespace morvane::cli
