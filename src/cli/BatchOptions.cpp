// The batch commands' command line. Tests: tests/cli/BatchOptionsCliTest.cpp.
//
// One table row per option: its names, whether it takes a value, the commands that accept it
// and what it sets. An option given to a command it means nothing to is an error rather than
// ignored, so that "restore --find X" does not quietly restore everything.

#include "cli/BatchOptions.h"

#include "codepage/CodePage.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace morvane::cli {

namespace {

namespace fs = std::filesystem;

using CommandSet = unsigned;

constexpr CommandSet Bit(BatchCommand command)
{
    return 1u << static_cast<unsigned>(command);
}

constexpr CommandSet kSearchCommands = Bit(BatchCommand::Found) | Bit(BatchCommand::NotFound);
constexpr CommandSet kRuleCommands = kSearchCommands | Bit(BatchCommand::Replace);
constexpr CommandSet kReplaceOnly = Bit(BatchCommand::Replace);
constexpr CommandSet kConfirmingCommands
    = Bit(BatchCommand::Restore) | Bit(BatchCommand::RestoreFirst) | Bit(BatchCommand::DeleteBackups);
constexpr CommandSet kRewritingCommands = kReplaceOnly | Bit(BatchCommand::Convert);
constexpr CommandSet kEveryCommand = ~0u;

struct CommandName {
    BatchCommand command;
    const char* name;
};

constexpr CommandName kCommandNames[] = {
    { BatchCommand::Found, "found" },
    { BatchCommand::NotFound, "notfound" },
    { BatchCommand::All, "all" },
    { BatchCommand::Replace, "replace" },
    { BatchCommand::Restore, "restore" },
    { BatchCommand::RestoreFirst, "restore-first" },
    { BatchCommand::DeleteBackups, "delete-backups" },
    { BatchCommand::Convert, "convert" },
};

// More threads than this only wait on the disk and the pass thread.
constexpr long long kMaxJobs = 256;

using Apply = bool (*)(BatchOptions& options, const std::string& value, std::string& error);

struct OptionEntry {
    const char* longName;
    char shortName; // 0: none
    bool takesValue;
    CommandSet commands;
    Apply apply;
};

// `utf8` as program text; false when Windows-1251 cannot hold one of its characters.
bool ToProgramText(const std::string& utf8, std::string& out, const char* what, std::string& error)
{
    out = codepage::Utf8ToWin1251(utf8);
    if (codepage::Win1251ToUtf8(out) == utf8)
        return true;
    error = std::string(what) + " '" + utf8 + "' has characters that Windows-1251 lacks";
    return false;
}

// A whole number from 0 to `maximum`.
bool ParseBounded(
    const std::string& text, long long maximum, long long& value, const char* what, std::string& error)
{
    char* end = nullptr;
    errno = 0;
    const long long parsed = text.empty() || text[0] == '-' ? -1 : std::strtoll(text.c_str(), &end, 10);
    if (parsed < 0 || errno != 0 || *end != '\0' || parsed > maximum) {
        error = std::string(what) + " must be a whole number from 0 to " + std::to_string(maximum) + ", not '"
            + text + "'";
        return false;
    }
    value = parsed;
    return true;
}

// Code page names: "1251", "koi8r", "866", "utf8", and "auto" where detection is allowed. The
// index is the stored value of the code page lists: where "auto" is allowed it keeps 3 and UTF-8
// takes 4 (search::CodePageChoice); elsewhere UTF-8 is 3, its code page number.
bool ParseCodePage(const std::string& name, bool allowAuto, int& index, const char* what, std::string& error)
{
    const char* names[] = { "1251", "koi8r", "866" };
    for (int i = 0; i < 3; ++i) {
        if (name == names[i]) {
            index = i;
            return true;
        }
    }
    if (name == "utf8") {
        index = allowAuto ? static_cast<int>(search::CodePageChoice::Utf8) : 3;
        return true;
    }
    if (allowAuto && name == "auto") {
        index = static_cast<int>(search::CodePageChoice::AutoDetect);
        return true;
    }
    error = std::string(what)
        + (allowAuto ? " must be 1251, koi8r, 866, utf8 or auto" : " must be 1251, koi8r, 866 or utf8")
        + ", not '" + name + "'";
    return false;
}

// The five global modifiers: letters switched on, optionally "-" and letters switched off.
bool CheckModifiers(const std::string& text, std::string& error)
{
    const std::string_view letters = "imsxgIMSXG";
    const size_t dash = text.find('-');
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == dash || letters.find(text[i]) != std::string_view::npos)
            continue;
        error = "--modifiers takes the letters i, m, s, x, g with at most one '-', not '" + text + "'";
        return false;
    }
    return true;
}

// `argument` made absolute; an empty path for an empty argument (which names nothing).
fs::path AbsolutePath(const std::string& argument)
{
    std::error_code ec;
    fs::path path = fs::absolute(argument, ec).lexically_normal();
    if (ec || argument.empty())
        return {};
    if (!path.has_filename() && path != path.root_path())
        path = path.parent_path();
    return path;
}

bool RequireFileName(const fs::path& value, const char* what, std::string& error)
{
    if (!value.empty())
        return true;
    error = std::string(what) + " needs a file name";
    return false;
}

const OptionEntry kOptions[] = {
    { "find", 'e', true, kRuleCommands,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            o.find.emplace();
            return ToProgramText(v, *o.find, "the expression", e);
        } },
    { "replace", 'r', true, kReplaceOnly,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            return ToProgramText(v, o.replace, "the replacement", e);
        } },
    { "remark", 0, true, kRuleCommands,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            return ToProgramText(v, o.remark, "the remark", e);
        } },
    { "table", 0, true, kRuleCommands,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            o.table = AbsolutePath(v);
            return RequireFileName(o.table, "--table", e);
        } },
    { "multipass", 0, false, kRuleCommands,
        [](BatchOptions& o, const std::string&, std::string&) { return o.multipass = true; } },
    { "mask", 0, true, kEveryCommand,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            return ToProgramText(v, o.maskText, "the mask", e);
        } },
    { "subdirs", 0, false, kEveryCommand,
        [](BatchOptions& o, const std::string&, std::string&) { return o.subDirectories = true; } },
    { "hidden", 0, false, kEveryCommand,
        [](BatchOptions& o, const std::string&, std::string&) { return o.hiddenFiles = true; } },
    { "no-backup", 0, false, kRewritingCommands,
        [](BatchOptions& o, const std::string&, std::string&) {
            o.saveBackup = false;
            return true;
        } },
    { "mode", 0, true, kReplaceOnly,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            if (v == "simple")
                o.mode = rules::ReplaceMode::Simple;
            else if (v == "substitute")
                o.mode = rules::ReplaceMode::Substitution;
            else if (v == "extended")
                o.mode = rules::ReplaceMode::Extended;
            else {
                e = "--mode must be simple, substitute or extended, not '" + v + "'";
                return false;
            }
            return true;
        } },
    { "modifiers", 0, true, kRuleCommands,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            o.modifiers = v;
            return CheckModifiers(v, e);
        } },
    { "codepage", 0, true, kRuleCommands,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            int index = 0;
            if (!ParseCodePage(v, true, index, "--codepage", e))
                return false;
            o.codePage = static_cast<search::CodePageChoice>(index);
            return true;
        } },
    { "collect", 0, true, kReplaceOnly,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            o.collectFile = AbsolutePath(v);
            return RequireFileName(o.collectFile, "--collect", e);
        } },
    { "append", 0, false, kReplaceOnly,
        [](BatchOptions& o, const std::string&, std::string&) { return o.append = true; } },
    { "split", 0, false, kReplaceOnly,
        [](BatchOptions& o, const std::string&, std::string&) { return o.split = true; } },
    { "split-by", 0, true, kReplaceOnly,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            if (v == "replacements")
                o.splitSettings.numbering = search::OutputNumbering::ByReplacements;
            else if (v == "matches")
                o.splitSettings.numbering = search::OutputNumbering::ByMatches;
            else {
                e = "--split-by must be replacements or matches, not '" + v + "'";
                return false;
            }
            return true;
        } },
    { "split-name", 0, true, kReplaceOnly,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            o.splitSettings.nameFromSource = false;
            o.splitSettings.fixedName = AbsolutePath(v);
            return RequireFileName(o.splitSettings.fixedName, "--split-name", e);
        } },
    { "split-start", 0, true, kReplaceOnly,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            long long n = 0;
            if (!ParseBounded(v, search::OutputSplitSettings::kMaxStartNumber, n, "--split-start", e))
                return false;
            o.splitSettings.startNumber = n;
            return true;
        } },
    { "split-digits", 0, true, kReplaceOnly,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            long long n = 0;
            if (!ParseBounded(v, search::OutputSplitSettings::kMaxDigits, n, "--split-digits", e))
                return false;
            o.splitSettings.digits = static_cast<int>(n);
            return true;
        } },
    { "split-sep", 0, true, kReplaceOnly,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            return ToProgramText(v, o.splitSettings.separator, "the separator", e);
        } },
    { "from", 0, true, Bit(BatchCommand::Convert),
        [](BatchOptions& o, const std::string& v, std::string& e) {
            return ParseCodePage(v, true, o.convertFrom, "--from", e);
        } },
    { "to", 0, true, Bit(BatchCommand::Convert),
        [](BatchOptions& o, const std::string& v, std::string& e) {
            return ParseCodePage(v, false, o.convertTo, "--to", e);
        } },
    { "jobs", 'j', true, kRuleCommands,
        [](BatchOptions& o, const std::string& v, std::string& e) {
            long long n = 0;
            if (!ParseBounded(v, kMaxJobs, n, "--jobs", e))
                return false;
            o.jobs = static_cast<int>(n);
            return true;
        } },
    { "yes", 'y', false, kConfirmingCommands,
        [](BatchOptions& o, const std::string&, std::string&) { return o.yes = true; } },
    { "interactive", 'i', false, kReplaceOnly,
        [](BatchOptions& o, const std::string&, std::string&) { return o.interactive = true; } },
};

const OptionEntry* FindOption(const std::string& arg, std::string& inlineValue, bool& hasInlineValue)
{
    hasInlineValue = false;
    if (arg.size() == 2 && arg[0] == '-' && arg[1] != '-') {
        for (const OptionEntry& entry : kOptions)
            if (entry.shortName == arg[1])
                return &entry;
        return nullptr;
    }
    if (arg.rfind("--", 0) != 0)
        return nullptr;
    std::string name = arg.substr(2);
    const size_t equals = name.find('=');
    if (equals != std::string::npos) {
        inlineValue = name.substr(equals + 1);
        hasInlineValue = true;
        name.resize(equals);
    }
    for (const OptionEntry& entry : kOptions)
        if (name == entry.longName)
            return &entry;
    return nullptr;
}

// The rules between options that no single option can check.
bool CheckCombination(const BatchOptions& o, std::string& error)
{
    const bool takesRule = (Bit(o.command) & kRuleCommands) != 0;
    if (o.paths.empty())
        error = "no PATH given";
    else if (o.multipass && o.table.empty())
        error = "--multipass needs --table FILE";
    else if (!o.table.empty() && !o.multipass)
        error = "--table is used only with --multipass";
    else if (o.multipass && (o.find || !o.replace.empty()))
        error = "--multipass takes the rules from the table; --find and --replace do not apply";
    else if (takesRule && !o.multipass && !o.find)
        error = "--find EXPR (or --multipass with --table) is required";
    else if (!o.collectFile.empty() && o.split)
        error = "--collect and --split exclude each other";
    else if (o.append && o.collectFile.empty())
        error = "--append needs --collect FILE";
    else if (o.command == BatchCommand::Replace && o.jobs != 1)
        error = "replace runs as one job (its counters and output files number in file order): --jobs must be 1";
    return error.empty();
}

// Options that only mean something with --split.
bool IsSplitDetail(const OptionEntry& entry)
{
    return std::string(entry.longName).rfind("split-", 0) == 0;
}

} // namespace

std::optional<BatchCommand> BatchCommandFromName(const std::string& name)
{
    for (const CommandName& entry : kCommandNames)
        if (name == entry.name)
            return entry.command;
    return std::nullopt;
}

const char* BatchCommandName(BatchCommand command)
{
    for (const CommandName& entry : kCommandNames)
        if (entry.command == command)
            return entry.name;
    return "";
}

bool ParseBatchOptions(
    BatchCommand command, const std::vector<std::string>& args, BatchOptions& options, std::string& error)
{
    options = BatchOptions {};
    options.command = command;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return true;
        }
    }

    bool optionsEnded = false;
    bool splitDetailGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            std::error_code ec;
            const fs::path path = AbsolutePath(arg);
            if (path.empty() || !fs::exists(fs::status(path, ec))) {
                error = "no such file or directory '" + arg + "'";
                return false;
            }
            options.paths.push_back(path);
            continue;
        }
        std::string value;
        bool hasInlineValue = false;
        const OptionEntry* entry = FindOption(arg, value, hasInlineValue);
        if (!entry) {
            error = "unknown option '" + arg + "'";
            return false;
        }
        if ((entry->commands & Bit(command)) == 0) {
            error = "option '" + arg + "' does not apply to " + BatchCommandName(command);
            return false;
        }
        if (entry->takesValue && !hasInlineValue) {
            if (i + 1 >= args.size()) {
                error = "option '" + arg + "' needs a value";
                return false;
            }
            value = args[++i];
        } else if (!entry->takesValue && hasInlineValue) {
            error = "option '--" + std::string(entry->longName) + "' takes no value";
            return false;
        }
        if (!entry->apply(options, value, error))
            return false;
        splitDetailGiven = splitDetailGiven || IsSplitDetail(*entry);
    }
    if (splitDetailGiven && !options.split) {
        error = "the --split-... options need --split";
        return false;
    }
    return CheckCombination(options, error);
}

std::string BatchUsageText()
{
    return "usage: morvane-cli COMMAND [options] PATH...\n"
           "\n"
           "The PATHs play the marked items of the file panel, in the order given: a directory is\n"
           "walked (through the mask, optionally with subdirectories and hidden files), a file is\n"
           "taken as it is.\n"
           "\n"
           "commands:\n"
           "  found           list the files in which the search finds a match\n"
           "  notfound        list the files in which it finds none\n"
           "  all             list every selected file\n"
           "  replace         replace every match in every file (backup copies first)\n"
           "  restore         return every file to its latest backup copy\n"
           "  restore-first   return every file to its first backup copy, deleting the later ones\n"
           "  delete-backups  delete every backup copy of every file\n"
           "  convert         convert the files on disk from one code page to another\n"
           "\n"
           "the rule (found, notfound, replace):\n"
           "  -e, --find EXPR        the regular expression\n"
           "  -r, --replace TEXT     the replacement (replace only; empty when absent)\n"
           "      --remark TEXT      the remark: a \"(?...)\" modifier group and a ${Q}, ${S} or ${E}\n"
           "                         replace-mode marker apply to this rule\n"
           "      --multipass        apply every row of the table in turn instead of --find/--replace\n"
           "      --table FILE       the rule table (.tbl: Find TAB Replace TAB Remark per line)\n"
           "      --mode simple|substitute|extended\n"
           "                         how the replacement is read (default extended; replace only)\n"
           "      --modifiers TEXT   the global modifiers i m s x g: letters switched on, then\n"
           "                         optionally \"-\" and letters switched off (\"i-g\"); default "
           "\"msg-ix\"\n"
           "      --codepage 1251|koi8r|866|utf8|auto\n"
           "                         the code page the files are read (and rewritten) in; default 1251\n"
           "  -j, --jobs N           search the files on N threads (found, notfound; default 1, 0 is\n"
           "                         one per core): the output is that of one job; replace takes 1\n"
           "\n"
           "the selection (every command):\n"
           "      --mask TEXT        file masks separated by \";\" (default \"*.*\")\n"
           "      --subdirs          walk subdirectories too\n"
           "      --hidden           take hidden files and directories too (names beginning with\n"
           "                         \".\" or listed in the directory's .hidden file)\n"
           "\n"
           "replace and convert:\n"
           "      --no-backup        rewrite without keeping a backup copy (FILE0, FILE1, ...)\n"
           "\n"
           "replace: output to files instead of changing the sources:\n"
           "      --collect FILE     append every replacement text to FILE (emptied first)\n"
           "      --append           keep FILE's content and append after it\n"
           "      --split            write every replacement to a file of its own, named after\n"
           "                         the source: BASE SEP NUMBER EXT (page.htm -> page_000.htm)\n"
           "      --split-by replacements|matches\n"
           "                         number by replacements made (default) or by matches found\n"
           "      --split-name FILE  name the files after FILE instead, numbered over the whole run\n"
           "      --split-start N    the first number (0 to 1000000, default 0)\n"
           "      --split-digits N   at least N digits, with leading zeros (0 to 10, default 0)\n"
           "      --split-sep TEXT   the separator before the number (default \"_\")\n"
           "\n"
           "replace: the interactive run:\n"
           "  -i, --interactive      stop at every match: the file, the line with the match marked\n"
           "                         [[like this]] and the proposed replacement are shown, and one\n"
           "                         line of standard input answers:\n"
           "                           y  replace this match     n  skip it\n"
           "                           f  replace the rest of the file\n"
           "                           s  skip the rest of the file\n"
           "                           a  replace everything left in all files\n"
           "                           e  type an edited replacement (on the next line) and replace\n"
           "                           q  stop (the current file is not written)\n"
           "                         end of input stops as q does\n"
           "\n"
           "convert:\n"
           "      --from 1251|koi8r|866|utf8|auto\n"
           "                         the files' code page (default koi8r; auto: guessed per file)\n"
           "      --to 1251|koi8r|866|utf8\n"
           "                         the new code page (default 1251)\n"
           "\n"
           "restore, restore-first, delete-backups:\n"
           "  -y, --yes              answer Yes to the question before the command; without it the\n"
           "                         question is asked on the terminal, and answered No when standard\n"
           "                         input is not a terminal\n"
           "\n"
           "  -h, --help             this text\n"
           "  --                     every further argument is a PATH\n"
           "\n"
           "Ctrl+C stops a running command between two steps (every file stays whole) and still\n"
           "prints what was done; in the interactive run it stops as q does. A second Ctrl+C ends\n"
           "the program at once.\n"
           "\n"
           "output: one report row per file, PATH TAB FOUND TAB REPLACED (the counts empty where the\n"
           "command has none), then the final status line, then the summary lines; messages are\n"
           "printed in UTF-8, errors on standard error.\n"
           "exit status: 0 when something was found or changed, 1 when nothing was, 2 on errors or\n"
           "bad arguments.\n";
}

} // namespace morvane::cli
