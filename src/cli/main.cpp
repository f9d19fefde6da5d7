// morvane-cli: the command-line face of the core (pattern tester, code page tools, batch work).

#include "app/DurableWrite.h"
#include "app/Version.h"
#include "cli/Commands.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void printUsage(std::FILE* out)
{
    std::fputs("usage: morvane-cli COMMAND [ARGS]\n"
               "commands:\n"
               "  match [--modifiers TEXT] [--from N] [--once] [--substitute TEMPLATE]\n"
               "        [--template TEMPLATE [--path P]] PATTERN [FILE]\n"
               "  recode --from 1251|koi8r|866|utf8|auto --to 1251|koi8r|866|utf8\n"
               "                                                           (stdin to stdout)\n"
               "  detect [FILE]                                            (prints 0 to 3)\n"
               "  list [--mask TEXT] [--subdirs] [--hidden] PATH...        (the pass file list)\n"
               "  found|notfound|all|replace|restore|restore-first|delete-backups|convert\n"
               "        [options] PATH...                                  (batch commands;\n"
               "                                                           COMMAND --help for more)\n"
               "  --version                                                (the program's version)\n",
               out);
}

} // namespace

int main(int argc, char** argv)
{
    morvane::app::IgnoreFileSizeSignal();
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    const std::string command = argv[1];
    const morvane::cli::Args args(argv + 2, argv + argc);
    if (command == "match")
        return morvane::cli::RunMatch(args);
    if (command == "recode")
        return morvane::cli::RunRecode(args);
    if (command == "detect")
        return morvane::cli::RunDetect(args);
    if (command == "list")
        return morvane::cli::RunList(args);
    if (const int status = morvane::cli::RunBatch(command, args); status >= 0)
        return status;
    if (command == "--version") {
        std::printf("%s\n", morvane::app::VersionLine("morvane-cli").c_str());
        return 0;
    }
    if (command == "--help" || command == "-h" || command == "help") {
        printUsage(stdout);
        return 0;
    }
    std::fprintf(stderr, "morvane-cli: unknown command '%s'\n", command.c_str());
    printUsage(stderr);
    return 2;
}
