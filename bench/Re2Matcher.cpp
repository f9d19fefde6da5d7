// RE2 harness; see Re2Matcher.h.

#include "Re2Matcher.h"

#include <stdexcept>

namespace morvane::bench {

Re2Matcher::Re2Matcher(const std::string& pattern)
{
    RE2::Options options;
    options.set_encoding(RE2::Options::EncodingLatin1);
    options.set_dot_nl(true);
    options.set_log_errors(false);
    options.set_max_mem(std::int64_t { 256 } << 20);
    m_re = std::make_unique<re2::RE2>(pattern, options);
    if (!m_re->ok()) {
        throw std::runtime_error("RE2: " + m_re->error());
    }
}

std::string Re2Matcher::Name() const
{
    return "RE2";
}

std::size_t Re2Matcher::CountAll(std::string_view subject)
{
    const re2::StringPiece text(subject.data(), subject.size());
    std::size_t count = 0;
    std::size_t start = 0;
    re2::StringPiece match;
    while (start <= subject.size() && m_re->Match(text, start, subject.size(), RE2::UNANCHORED, &match, 1)) {
        ++count;
        const auto begin = static_cast<std::size_t>(match.data() - subject.data());
        const std::size_t end = begin + match.size();
        start = end > begin ? end : end + 1;
    }
    return count;
}

} // namespace morvane::bench
