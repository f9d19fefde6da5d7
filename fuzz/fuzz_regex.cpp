// libFuzzer target for the regular-expression engine: random patterns, modifiers, line
// separator settings and subjects, searched to the end with Exec/ExecPos and ExecNext, and a
// Substitute after every match. Anything other than a result or an ERegex is a finding (the
// sanitizers catch memory faults); so are broken result invariants and the "cannot occur"
// error codes, which abort here on purpose.
//
// Input: up to four fields separated by the byte 0x1F:
//   OPTIONS 0x1F PATTERN 0x1F SUBJECT 0x1F TEMPLATE
// Input without 0x1F is used as both pattern and subject. OPTIONS is a modifier string
// (ModifierText), optionally followed by "/" and option letters:
//   pN  start with ExecPos(N) instead of Exec     u  remove the paired line separator
//   Pxy paired separator "xy"                     c  CompileExpression before searching
//   L...; S...; W...;  line separators, \s characters, \w characters (up to ";")
//   tK  after the search, toggle modifier K (1..6) and search again (recompilation)
//
// Build and run (one worker, as the machine is shared):
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DMORVANE_FUZZ=ON -DMORVANE_BUILD_UI=OFF \
//       -DMORVANE_BUILD_TESTS=OFF && cmake --build build-fuzz --target fuzz_regex
//   build-fuzz/fuzz/fuzz_regex -dict=fuzz/regex.dict -timeout=10 -rss_limit_mb=2048 \
//       -max_total_time=600 -artifact_prefix=/tmp/fuzz/ /tmp/fuzz/corpus fuzz/corpus

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "regex/ERegex.h"
#include "regex/TRegex.h"

using morvane::regex::ERegex;
using morvane::regex::TRegex;

namespace {

constexpr char kSeparator = '\x1f';
// Enough to walk any subject of the fuzzer's sizes to its end; a loop that needs more is
// not advancing.
constexpr std::size_t kMaxMatches = 1 << 16;

struct Options {
    std::string modifiers;
    int execPos = 0; // 0: Exec
    bool removePair = false;
    bool setPair = false;
    std::string pair;
    bool compileFirst = false;
    bool setLineSeparators = false;
    std::string lineSeparators;
    bool setSpaceChars = false;
    std::string spaceChars;
    bool setWordChars = false;
    std::string wordChars;
    int toggleModifier = 0;
};

[[noreturn]] void Fail(const char* what, const std::string& detail = {})
{
    std::fprintf(stderr, "FINDING: %s %s\n", what, detail.c_str());
    std::abort();
}

Options ParseOptions(std::string_view field)
{
    Options o;
    const std::size_t slash = field.find('/');
    o.modifiers = std::string(field.substr(0, slash));
    if (slash == std::string_view::npos) {
        return o;
    }
    std::string_view rest = field.substr(slash + 1);
    auto takeUntilSemicolon = [&rest](std::string& out) {
        const std::size_t end = rest.find(';');
        out = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    };
    while (!rest.empty()) {
        const char c = rest.front();
        rest.remove_prefix(1);
        switch (c) {
        case 'p': {
            long value = 0;
            int digits = 0;
            while (!rest.empty() && rest.front() >= '0' && rest.front() <= '9' && digits < 6) {
                value = value * 10 + (rest.front() - '0');
                rest.remove_prefix(1);
                ++digits;
            }
            o.execPos = static_cast<int>(value);
            if (digits == 0) {
                o.execPos = -1; // ExecPos(0): error 1006
            }
            break;
        }
        case 'u':
            o.removePair = true;
            break;
        case 'P':
            o.setPair = true;
            o.pair = std::string(rest.substr(0, 2));
            rest.remove_prefix(o.pair.size());
            break;
        case 'c':
            o.compileFirst = true;
            break;
        case 'L':
            o.setLineSeparators = true;
            takeUntilSemicolon(o.lineSeparators);
            break;
        case 'S':
            o.setSpaceChars = true;
            takeUntilSemicolon(o.spaceChars);
            break;
        case 'W':
            o.setWordChars = true;
            takeUntilSemicolon(o.wordChars);
            break;
        case 't':
            if (!rest.empty()) {
                o.toggleModifier = rest.front() - '0';
                rest.remove_prefix(1);
            }
            break;
        default:
            break;
        }
    }
    return o;
}

// Error codes that mean a fault of the engine itself when they reach a caller.
bool IsInternalError(int code)
{
    return code == 105 || code == 114 || code == 119 || code == 1000 || code == 1001 || code == 1002
        || code == 1004 || code == 1015;
}

// Besides the documented codes, the engine's own limits: 101 (program too big), 1016
// (backtracking budget spent) and 1017 (backtracking stack bound reached).
bool IsKnownError(int code)
{
    return (code >= 101 && code <= 128) || (code >= 1003 && code <= 1007) || code == 1013 || code == 1014
        || code == 1016 || code == 1017 || IsInternalError(code);
}

void CheckError(const ERegex& e, std::string_view pattern)
{
    if (e.what() == nullptr) {
        Fail("ERegex without a message");
    }
    if (!IsKnownError(e.ErrorCode())) {
        Fail("unknown error code", std::to_string(e.ErrorCode()) + " " + e.what());
    }
    if (IsInternalError(e.ErrorCode())) {
        Fail("internal error raised", std::to_string(e.ErrorCode()) + " " + e.what());
    }
    const std::size_t patternLength = pattern.substr(0, pattern.find('\0')).size();
    if (e.ErrorOffset() < 0 || static_cast<std::size_t>(e.ErrorOffset()) > patternLength) {
        Fail("error offset outside the pattern", std::to_string(e.ErrorOffset()));
    }
}

// The registers of the current match must describe text inside the subject, and the group
// text must be that text.
void CheckMatch(const TRegex& re, const std::string& subject)
{
    const int length = static_cast<int>(subject.size());
    if (re.GroupStart(0) < 1) {
        Fail("match without group 0");
    }
    for (int n = 0; n < TRegex::kGroupCount; ++n) {
        const int start = re.GroupStart(n);
        const int len = re.GroupLength(n);
        if (start == -1) {
            if (len != -1 || !re.GroupText(n).empty()) {
                Fail("unset group with length or text", std::to_string(n));
            }
            continue;
        }
        if (start < 1 || len < 0 || start - 1 + len > length) {
            Fail("group outside the subject",
                std::to_string(n) + ": " + std::to_string(start) + "," + std::to_string(len) + " of "
                    + std::to_string(length));
        }
        if (re.GroupText(n)
            != subject.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(len))) {
            Fail("group text differs from the subject", std::to_string(n));
        }
    }
}

// Runs one search and its continuation to the end.
void SearchAll(TRegex& re, const Options& o, const std::string& subjectField, const std::string& templateText)
{
    bool found = false;
    if (o.execPos != 0) {
        re.SetInputString(subjectField);
        found = re.ExecPos(o.execPos);
    } else {
        found = re.Exec(subjectField);
    }
    const std::string subject(re.InputString());
    if (subject != subjectField.substr(0, subjectField.find('\0'))) {
        Fail("subject copy differs from the text up to its first NUL");
    }
    // A second engine counts what ExecNext finds in one go, where the pattern allows that.
    TRegex counter;
    std::optional<int> counted;
    try {
        counter.SetModifierText(re.ModifierText());
        counter.SetExpression(re.Expression());
        counter.SetSpaceChars(re.SpaceChars());
        counter.SetWordChars(re.WordChars());
        counter.SetLineSeparatorChars(re.LineSeparatorChars());
        counter.SetLinePairedSeparator(re.LinePairedSeparator());
        counter.SetInputString(subject);
        if (found && counter.ExecPos(re.GroupStart(0)))
            counted = counter.CountNextLiteralMatches(int(kMaxMatches));
    } catch (const ERegex&) {
        counted.reset(); // a limit of the other engine's own search: nothing to compare
    }
    int minimumStart = o.execPos > 0 ? o.execPos : 1;
    std::size_t n = 0;
    for (; found; ++n) {
        if (n == kMaxMatches) {
            Fail("ExecNext does not come to an end");
        }
        CheckMatch(re, subject);
        const int start = re.GroupStart(0);
        const int len = re.GroupLength(0);
        if (start < minimumStart) {
            Fail("match before the search offset",
                std::to_string(start) + " < " + std::to_string(minimumStart));
        }
        minimumStart = start + len + (len == 0 ? 1 : 0);
        re.Substitute(templateText);
        found = re.ExecNext();
    }
    if (counted && std::size_t(*counted) + 1 != n) {
        Fail("counting the literal's matches differs from ExecNext",
            std::to_string(*counted + 1) + " != " + std::to_string(n));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> fields;
    std::size_t from = 0;
    while (fields.size() < 3) {
        const std::size_t sep = input.find(kSeparator, from);
        if (sep == std::string_view::npos) {
            break;
        }
        fields.emplace_back(input.substr(from, sep - from));
        from = sep + 1;
    }
    fields.emplace_back(input.substr(from));

    std::string optionsField, pattern, subject, templateText;
    if (fields.size() == 1) {
        pattern = subject = fields[0];
    } else {
        optionsField = fields[0];
        pattern = fields[1];
        subject = fields.size() > 2 ? fields[2] : std::string();
        templateText = fields.size() > 3 ? fields[3] : std::string();
    }
    const Options o = ParseOptions(optionsField);

    TRegex re;
    try {
        re.SetModifierText(o.modifiers);
    } catch (const ERegex& e) {
        if (e.ErrorCode() != 1013) {
            Fail("modifier text raised", e.what());
        }
    }
    try {
        if (o.removePair) {
            re.SetLinePairedSeparator("");
        }
        if (o.setPair) {
            re.SetLinePairedSeparator(o.pair);
        }
    } catch (const ERegex& e) {
        if (e.ErrorCode() != 128) {
            Fail("paired separator raised", e.what());
        }
    }
    if (o.setLineSeparators) {
        re.SetLineSeparatorChars(o.lineSeparators);
    }
    if (o.setSpaceChars) {
        re.SetSpaceChars(o.spaceChars);
    }
    if (o.setWordChars) {
        re.SetWordChars(o.wordChars);
    }

    re.SetExpression(pattern);
    try {
        if (o.compileFirst) {
            re.CompileExpression();
        }
        SearchAll(re, o, subject, templateText);
    } catch (const ERegex& e) {
        CheckError(e, pattern);
        return 0;
    }
    if (o.toggleModifier >= 1 && o.toggleModifier <= 6) {
        try {
            re.SetModifier(o.toggleModifier, !re.Modifier(o.toggleModifier));
            SearchAll(re, o, subject, templateText);
        } catch (const ERegex& e) {
            CheckError(e, pattern);
        }
    }
    return 0;
}
