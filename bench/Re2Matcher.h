#pragma once
// RE2 in Latin-1 mode (one byte, one character, as in Windows-1251 text), dot matching line
// breaks. Empty matches are stepped over by one character.
// Used by bench/main.cpp.

#include <re2/re2.h>

#include <memory>

#include "Matcher.h"

namespace morvane::bench {

class Re2Matcher : public Matcher {
public:
    // Throws std::runtime_error when the pattern does not compile.
    explicit Re2Matcher(const std::string& pattern);

    std::string Name() const override;
    std::size_t CountAll(std::string_view subject) override;

private:
    std::unique_ptr<re2::RE2> m_re;
};

} // namespace morvane::bench
