#pragma once
// std::regex (ECMAScript grammar, multiline) counting matches with std::cregex_iterator, which
// steps over empty matches the usual way. Its matcher recurses once per character of a
// repetition, so every count runs on a thread with a large stack.
// Used by bench/main.cpp.

#include <regex>

#include "Matcher.h"

namespace morvane::bench {

class StdRegexMatcher : public Matcher {
public:
    // Throws std::regex_error when the pattern does not compile.
    StdRegexMatcher(const std::string& pattern, bool icase);

    std::string Name() const override;
    std::size_t CountAll(std::string_view subject) override;
    std::size_t CountTimed(std::string_view subject, double& cpuSeconds) override;

private:
    std::size_t CountOnThisThread(std::string_view subject) const;

    std::regex m_regex;
};

} // namespace morvane::bench
