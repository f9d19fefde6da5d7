// morvane-cli list: the pass file list of a selection, as every multi-file command sees it.
//
//   morvane-cli list [--mask TEXT] [--subdirs] [--hidden] PATH...
//
// The PATHs play the file panel's marked items, in the order given: a directory is walked, a
// file is taken as it is (neither the mask nor the hidden option apply to it). Relative paths
// are resolved against the current directory. --mask is the mask box's text (default "*.*";
// several masks separated by ";"), --subdirs the subdirectory option, --hidden the option for
// hidden files. "--" ends the options. Output: the list, one full path per line, in order, as
// the file system's bytes.
// Exit status: 0 with a non-empty list, 1 with an empty one, 2 for bad arguments (an unknown
// option, a missing value, no PATH, a PATH that does not exist, a mask with characters the
// program's code page lacks).
// Covered by tests/cli/ListCliTest.cpp.

#include "cli/Commands.h"
#include "cli/StreamIo.h"

#include "codepage/CodePage.h"
#include "search/PassControl.h"
#include "search/PassFileList.h"
#include "search/SystemPassClock.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace morvane::cli {

namespace {

namespace fs = std::filesystem;

constexpr int kExitListed = 0;
constexpr int kExitEmpty = 1;
constexpr int kExitBadArguments = 2;

// A terminal run has no window: no messages to let through, no status bar, nothing to show.
class NoWindow : public search::MessagePump,
                 public search::StatusPanels,
                 public search::PassWindow,
                 public search::PassDialogs {
public:
    void processPendingMessages() override { }
    void setPanelText(int, const std::string&) override { }
    void showBusy(bool) override { }
    void endInteractiveRun() override { }
    void showReportPage() override { }
    void showMessage(const std::string& text) override
    {
        std::fprintf(stderr, "morvane-cli list: %s\n", codepage::Win1251ToUtf8(text).c_str());
    }
    bool confirm(const std::string&) override { return false; }
};

int usage()
{
    std::fputs("usage: morvane-cli list [--mask TEXT] [--subdirs] [--hidden] PATH...\n", stderr);
    return kExitBadArguments;
}

// `argument` as an absolute path without "." and ".." steps or a trailing separator.
fs::path FullPath(const std::string& argument)
{
    fs::path path = fs::absolute(argument).lexically_normal();
    if (!path.has_filename() && path != path.root_path())
        path = path.parent_path();
    return path;
}

} // namespace

int RunList(const Args& args)
{
    search::PassOptions options;
    search::PassSelection selection;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--mask") {
            if (i + 1 >= args.size())
                return usage();
            const std::string& mask = args[++i];
            options.maskText = codepage::Utf8ToWin1251(mask);
            if (codepage::Win1251ToUtf8(options.maskText) != mask) {
                std::fprintf(stderr, "morvane-cli list: the mask '%s' has characters Windows-1251 lacks\n",
                    mask.c_str());
                return kExitBadArguments;
            }
        } else if (!optionsEnded && arg == "--subdirs") {
            options.subDirectories = true;
        } else if (!optionsEnded && arg == "--hidden") {
            options.hiddenFiles = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "morvane-cli list: unknown option '%s'\n", arg.c_str());
            return usage();
        } else {
            std::error_code ec;
            const fs::path path = FullPath(arg);
            const fs::file_status status = fs::status(path, ec);
            if (!fs::exists(status)) {
                std::fprintf(stderr, "morvane-cli list: no such file or directory '%s'\n", arg.c_str());
                return kExitBadArguments;
            }
            // An absolute item name stands for itself: the selection has no common directory.
            selection.items.push_back({ path.native(), fs::is_directory(status), true });
        }
    }
    if (selection.items.empty())
        return usage();

    NoWindow window;
    search::SystemPassClock clock;
    search::PassControl control(window, clock, window, window, window);
    search::PassFileList list(control);
    list.BuildFileList(selection, options);

    std::string out;
    for (const fs::path& path : list.FileList()) {
        out += path.native();
        out += '\n';
    }
    if (!WriteAll(stdout, out)) {
        std::perror("morvane-cli list: writing standard output");
        return kExitBadArguments;
    }
    return list.FileList().empty() ? kExitEmpty : kExitListed;
}

} // namespace morvane::cli
