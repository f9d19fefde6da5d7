#pragma once
// The engine driven as the search passes drive it: the pass's buffer lent to the engine
// (SetInputView), a search from position 1, then ExecNext until it returns false.
// Used by bench/main.cpp.

#include "regex/TRegex.h"

#include "Matcher.h"

namespace morvane::bench {

class MorvaneMatcher : public Matcher {
public:
    // Compiles `pattern` (Windows-1251) with the default modifiers; throws ERegex on errors.
    explicit MorvaneMatcher(const std::string& pattern);

    std::string Name() const override;
    // The subject is kept in a buffer of the harness, as a pass keeps a file's text: copied on
    // the first call for a subject (the untimed warm-up count), lent to the engine on every call.
    std::size_t CountAll(std::string_view subject) override;
    // The digest (Matcher::MixSpan) of the spans of all matches CountAll finds.
    std::uint64_t SpanDigest(std::string_view subject);

private:
    regex::TRegex m_regex;
    std::string m_buffer;
    const char* m_source = nullptr; // the harness's subject that m_buffer holds
};

} // namespace morvane::bench
