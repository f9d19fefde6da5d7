#pragma once
// PCRE2 (8-bit) under the engine's default meaning: dot-all, multi-line, and CR, LF and CR LF
// as line breaks. Either the interpreter or the JIT compiler.
// Used by bench/main.cpp.

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include "Matcher.h"

#include <cstdint>

namespace morvane::bench {

class Pcre2Matcher : public Matcher {
public:
    // `tables`: character tables from pcre2_maketables, or nullptr for the built-in ones.
    // Throws std::runtime_error when the pattern does not compile.
    Pcre2Matcher(const std::string& pattern, bool jit, const unsigned char* tables);
    ~Pcre2Matcher() override;
    Pcre2Matcher(const Pcre2Matcher&) = delete;
    Pcre2Matcher& operator=(const Pcre2Matcher&) = delete;

    std::string Name() const override;
    // The usual global loop: after an empty match, try a non-empty one at the same place,
    // else step one character (two over CR LF).
    std::size_t CountAll(std::string_view subject) override;
    // Stepping as the engine's ExecNext does: after an empty match the next search starts one
    // character further, and no match is taken at the very end of the subject. Used only to
    // explain count differences on patterns that can match the empty string.
    // With `spanDigest`, also the digest (Matcher::MixSpan) of the spans of those matches.
    std::size_t CountEngineStyle(std::string_view subject, std::uint64_t* spanDigest = nullptr);

private:
    // One pcre2_match call; returns its result code, throws on errors other than no match.
    int Match(std::string_view subject, std::size_t start, std::uint32_t options);

    pcre2_code* m_code = nullptr;
    pcre2_match_data* m_matchData = nullptr;
    pcre2_compile_context* m_context = nullptr;
    pcre2_match_context* m_matchContext = nullptr;
    pcre2_jit_stack* m_jitStack = nullptr;
    bool m_jit;
};

} // namespace morvane::bench
