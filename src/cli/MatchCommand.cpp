// morvane-cli match: the pattern tester and the engine's black-box test surface.
//
//   morvane-cli match [--modifiers TEXT] [--from N] [--once] [--substitute TEMPLATE]
//                     [--template TEMPLATE [--path P]] PATTERN [FILE]
//
// The subject is FILE, or standard input when FILE is absent or "-", as raw bytes. A new engine
// with default settings gets ModifierText := TEXT (with --modifiers), then the pattern. The first
// search is Exec, or ExecPos(N) with --from N; then ExecNext until it fails (not with --once).
// Output, one line each:
//   match START LENGTH "TEXT"
//   group N START LENGTH "TEXT"          for each group 1..14 that took part
//   substitute "TEXT"                    with --substitute, the result of Substitute
//   template "TEXT"                      with --template, the extended template's result; the k-th
//                                        match sees MatchesTotal = MatchesInFile = k and
//                                        ReplacementsTotal = ReplacementsInFile = k - 1 (a replace
//                                        run replacing every match of one file) and the file path P
//   matches COUNT                        after the last match
//   error CODE OFFSET "MESSAGE"          on an ERegex, instead of the count; exit status 2
// A template with a width above the bound is refused before the search, and running out of
// memory ends the command; both with a message on standard error and exit status 2.
// Exit status: 0 with at least one match, 1 with none, 2 on an engine or usage error.
// TEXT quoting: bytes 0x20-0x7E other than '"' and '\' as they are; \" \\ \t \r \n; every other
// byte as \xHH (lower-case hex).
//
// Per-match output is produced by the list of MatchReporter entries built from the options, so
// that further per-match lines (for example a template expansion) are one more entry.
// Covered by tests/cli/MatchCliTest.cpp.

#include "cli/Commands.h"

#include "app/Format.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "regex/TRegex.h"
#include "template/EvaluateTemplate.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace morvane::cli {

namespace {

using morvane::regex::ERegex;
using morvane::regex::TRegex;

constexpr int kExitMatched = 0;
constexpr int kExitNoMatch = 1;
constexpr int kExitError = 2;
constexpr int kMsgTemplateWidthTooLarge = 395;
constexpr int kMsgOutOfMemory = 396;

struct MatchOptions {
    std::optional<std::string> modifiers;
    std::optional<int> from;
    bool once = false;
    std::optional<std::string> substitute;
    std::optional<std::string> templateText;
    std::string path; // --path: the file path the template's path items see (UTF-8)
    std::string pattern;
    std::string file; // empty or "-": standard input
};

// Writes the lines of one match after its "match" and "group" lines.
using MatchReporter = std::function<void(TRegex& engine, std::string& out)>;

std::string quoteText(std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default:
            if (c >= 0x20 && c <= 0x7E) {
                out.push_back(ch);
            } else {
                out += "\\x";
                out.push_back(kHex[c >> 4]);
                out.push_back(kHex[c & 15]);
            }
        }
    }
    out.push_back('"');
    return out;
}

void usage(const char* problem)
{
    std::fprintf(stderr, "morvane-cli match: %s\n"
                         "usage: morvane-cli match [--modifiers TEXT] [--from N] [--once] "
                         "[--substitute TEMPLATE] [--template TEMPLATE [--path P]] PATTERN [FILE]\n",
                 problem);
}

bool parseInt(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    value = parsed > INT_MAX ? INT_MAX : parsed < INT_MIN ? INT_MIN : int(parsed);
    return true;
}

// Fills `options`; false (after a message) on a usage error. Options may stand anywhere before
// a "--"; after it every argument is positional (for patterns that begin with "--").
bool parseArgs(const Args& args, MatchOptions& options)
{
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--once") {
            options.once = true;
            continue;
        }
        const bool takesValue = arg == "--modifiers" || arg == "--from" || arg == "--substitute"
            || arg == "--template" || arg == "--path";
        if (!takesValue) {
            usage(("unknown option " + arg).c_str());
            return false;
        }
        if (i + 1 >= args.size()) {
            usage(("missing value after " + arg).c_str());
            return false;
        }
        const std::string& value = args[++i];
        if (arg == "--modifiers") {
            options.modifiers = value;
        } else if (arg == "--substitute") {
            options.substitute = value;
        } else if (arg == "--template") {
            options.templateText = value;
        } else if (arg == "--path") {
            options.path = value;
        } else {
            int offset = 0;
            if (!parseInt(value, offset)) {
                usage("--from needs a whole number");
                return false;
            }
            options.from = offset;
        }
    }
    if (positional.empty() || positional.size() > 2) {
        usage(positional.empty() ? "missing PATTERN" : "too many arguments");
        return false;
    }
    options.pattern = positional[0];
    if (positional.size() == 2)
        options.file = positional[1];
    return true;
}

bool readSubject(const std::string& file, std::string& subject)
{
    std::FILE* in = stdin;
    if (!file.empty() && file != "-") {
        in = std::fopen(file.c_str(), "rb");
        if (!in) {
            std::fprintf(stderr, "morvane-cli match: cannot open %s: %s\n", file.c_str(), std::strerror(errno));
            return false;
        }
    }
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        subject.append(buffer, got);
    const bool failed = std::ferror(in) != 0;
    if (in != stdin)
        std::fclose(in);
    if (failed)
        std::fprintf(stderr, "morvane-cli match: cannot read %s\n", file.empty() ? "standard input" : file.c_str());
    return !failed;
}

std::vector<MatchReporter> buildReporters(const MatchOptions& options)
{
    std::vector<MatchReporter> reporters;
    if (options.substitute) {
        const std::string templateText = *options.substitute;
        reporters.push_back([templateText](TRegex& engine, std::string& out) {
            out += "substitute " + quoteText(engine.Substitute(templateText)) + "\n";
        });
    }
    if (options.templateText) {
        const std::string templateText = *options.templateText;
        const std::filesystem::path path = options.path;
        auto matchNumber = std::make_shared<std::int32_t>(0);
        reporters.push_back([templateText, path, matchNumber](TRegex& engine, std::string& out) {
            const std::int32_t k = ++*matchNumber;
            const templ::RunCounters counters { k, k, k - 1, k - 1 };
            out += "template " + quoteText(templ::EvaluateTemplate(templateText, engine, counters, path)) + "\n";
        });
    }
    return reporters;
}

void reportMessage(const std::string& text)
{
    std::fprintf(stderr, "morvane-cli match: %s\n", codepage::Win1251ToUtf8(text).c_str());
}

void flush(std::string& out)
{
    std::fwrite(out.data(), 1, out.size(), stdout);
    out.clear();
}

int runMatch(const Args& args)
{
    MatchOptions options;
    if (!parseArgs(args, options))
        return kExitError;
    if (options.templateText) {
        if (const auto problem = templ::CheckTemplate(*options.templateText)) {
            reportMessage("--template: "
                + app::FillMessage(app::Msg(kMsgTemplateWidthTooLarge), { templ::kMaxTemplateWidth }) + " ("
                + std::to_string(problem->position() + 1) + ")");
            return kExitError;
        }
    }
    std::string subject;
    if (!readSubject(options.file, subject))
        return kExitError;

    const std::vector<MatchReporter> reporters = buildReporters(options);
    std::string out;
    int count = 0;
    try {
        TRegex engine;
        if (options.modifiers)
            engine.SetModifierText(*options.modifiers);
        engine.SetExpression(options.pattern);
        bool found = false;
        if (options.from) {
            engine.SetInputString(subject);
            found = engine.ExecPos(*options.from);
        } else {
            found = engine.Exec(subject);
        }
        while (found) {
            ++count;
            out += "match " + std::to_string(engine.GroupStart(0)) + " " + std::to_string(engine.GroupLength(0))
                + " " + quoteText(engine.GroupText(0)) + "\n";
            for (int n = 1; n < TRegex::kGroupCount; ++n) {
                if (engine.GroupStart(n) == -1)
                    continue;
                out += "group " + std::to_string(n) + " " + std::to_string(engine.GroupStart(n)) + " "
                    + std::to_string(engine.GroupLength(n)) + " " + quoteText(engine.GroupText(n)) + "\n";
            }
            for (const MatchReporter& report : reporters)
                report(engine, out);
            if (out.size() > 65536)
                flush(out);
            if (options.once)
                break;
            found = engine.ExecNext();
        }
    } catch (const ERegex& error) {
        out += "error " + std::to_string(error.ErrorCode()) + " " + std::to_string(error.ErrorOffset()) + " "
            + quoteText(error.what()) + "\n";
        flush(out);
        std::fflush(stdout);
        return kExitError;
    }
    out += "matches " + std::to_string(count) + "\n";
    flush(out);
    std::fflush(stdout);
    return count > 0 ? kExitMatched : kExitNoMatch;
}

} // namespace

int RunMatch(const Args& args)
{
    try {
        return runMatch(args);
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        reportMessage(app::Msg(kMsgOutOfMemory));
        return kExitError;
    }
}

} // namespace morvane::cli
