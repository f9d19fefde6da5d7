#pragma once
// Shared by the black-box tables: every match of Exec followed by ExecNext, written as
// "start:length" (1-based) separated by blanks, and the row type that lists them.

#include "regex/TRegex.h"

#include <ostream>
#include <string>

namespace morvane::regex {

inline std::string AllMatches(TRegex& re, const std::string& subject)
{
    std::string out;
    bool found = re.Exec(subject);
    for (int guard = 0; found && guard < 64; ++guard) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(re.GroupStart(0)) + ':' + std::to_string(re.GroupLength(0));
        found = re.ExecNext();
    }
    return out;
}

// One row: pattern, modifier text, subject, the expected AllMatches text.
struct MatchRow {
    std::string pattern;
    std::string modifiers;
    std::string subject;
    std::string matches;
};

inline void PrintTo(const MatchRow& c, std::ostream* os)
{
    *os << '/' << c.pattern << "/ " << c.modifiers;
}

} // namespace morvane::regex
