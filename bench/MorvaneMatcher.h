#pragma once
// The engine driven as the search passes drive it: Exec on the whole text, then ExecNext until
// it returns false.
// Used by bench/main.cpp.

#include "regex/TRegex.h"

#include "Matcher.h"

namespace morvane::bench {

class MorvaneMatcher : public Matcher {
public:
    // Compiles `pattern` (Windows-1251) with the default modifiers; throws ERegex on errors.
    explicit MorvaneMatcher(const std::string& pattern);

    std::string Name() const override;
    // Exec copies the subject into the engine on every call, as it does for each file.
    std::size_t CountAll(std::string_view subject) override;

private:
    regex::TRegex m_regex;
};

} // namespace morvane::bench
