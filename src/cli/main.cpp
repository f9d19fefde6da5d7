// morvane-cli: the command-line face of the core (pattern tester, code page tools, batch work).

#include "app/DurableWrite.h"
#include "app/Version.h"
#include "cli/Commands.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace {

// A pass builds its file list and its report out of many small blocks: a few megabytes of heap
// for some thousands of files, which the heap would take a page at a time, each new page a
// fault into the kernel (thousands in a pass, on a virtual machine several microseconds each).
// The walking commands have the kernel make the first megabytes in one call instead, and the
// heap keeps what it once had (the run gives it all back when it ends). Larger blocks (a big
// file's text) are still mapped and given back on their own.
void PrepareHeap()
{
#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
    constexpr std::size_t kPrepared = std::size_t { 4 } << 20;
    mallopt(M_MMAP_THRESHOLD, 16 << 20);
    mallopt(M_TRIM_THRESHOLD, 32 << 20);
    void* block = std::malloc(kPrepared);
    if (block == nullptr)
        return;
    const std::uintptr_t page = 4096;
    const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(block) + page - 1) & ~(page - 1);
    // A kernel without this request refuses it; the heap then grows as it would have.
    ::madvise(reinterpret_cast<void*>(from), kPrepared - page, MADV_POPULATE_WRITE);
    std::free(block);
#endif
}

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
    // The commands below walk trees (and the rest is too short to notice).
    PrepareHeap();
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
