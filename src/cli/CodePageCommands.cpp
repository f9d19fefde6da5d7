// `recode` and `detect`: the command-line faces of the code page converter and its detection.

#include "cli/Commands.h"
#include "cli/StreamIo.h"
#include "codepage/CodePage.h"
#include "codepage/UnicodeText.h"
#include "search/WorkTextEditor.h"

#include <cstdio>
#include <optional>

namespace morvane::cli {

namespace {

// Code page names of the command line; "auto" only where `allowAuto`.
std::optional<int> parseCodePage(const std::string& name, bool allowAuto)
{
    if (name == "1251")
        return codepage::kWin1251;
    if (name == "koi8r")
        return codepage::kKoi8r;
    if (name == "866")
        return codepage::kDos866;
    if (name == "utf8")
        return codepage::kUtf8;
    if (allowAuto && name == "auto")
        return -1;
    return std::nullopt;
}

} // namespace

int RunRecode(const Args& args)
{
    std::optional<int> from, to;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--from" && hasValue)
            from = parseCodePage(args[++i], true);
        else if (args[i] == "--to" && hasValue)
            to = parseCodePage(args[++i], false);
        else {
            std::fprintf(stderr, "morvane-cli recode: unexpected argument '%s'\n", args[i].c_str());
            return 2;
        }
    }
    if (!from || !to) {
        std::fputs(
            "usage: morvane-cli recode --from 1251|koi8r|866|utf8|auto --to 1251|koi8r|866|utf8\n", stderr);
        return 2;
    }
    std::string text;
    if (!ReadAll(stdin, text)) {
        std::perror("morvane-cli recode: reading standard input");
        return 2;
    }
    const int source = *from < 0 ? codepage::DetectFileCodePage(text) : *from;
    std::string out;
    if (source == codepage::kUtf8 || *to == codepage::kUtf8) {
        // Through Unicode: what the program's text cannot hold stops the command rather than
        // being written as something else.
        const codepage::FileText read = codepage::DecodeFileText(text, source);
        if (!read.writable()) {
            std::fprintf(stderr, "morvane-cli recode: %s\n",
                codepage::Win1251ToUtf8(search::TextLossNote(read.loss)).c_str());
            return 2;
        }
        out = codepage::EncodeFileText(
            read.text, *to, *to == codepage::kUtf8 ? read.bom : codepage::ByteOrderMark::None);
    } else {
        out = codepage::ConvertText(text, source, *to);
    }
    if (!WriteAll(stdout, out)) {
        std::perror("morvane-cli recode: writing standard output");
        return 2;
    }
    return 0;
}

int RunDetect(const Args& args)
{
    if (args.size() > 1) {
        std::fputs("usage: morvane-cli detect [FILE]\n", stderr);
        return 2;
    }
    std::string text;
    const std::string name = args.empty() ? "-" : args[0];
    if (!ReadInput(name, text)) {
        std::fprintf(stderr, "morvane-cli detect: cannot read '%s'\n", name.c_str());
        return 2;
    }
    std::printf("%d\n", codepage::DetectFileCodePage(text));
    return 0;
}

} // namespace morvane::cli
