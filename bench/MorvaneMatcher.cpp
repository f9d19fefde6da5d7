// The engine's harness; see MorvaneMatcher.h.

#include "MorvaneMatcher.h"

#include <stdexcept>

namespace morvane::bench {

MorvaneMatcher::MorvaneMatcher(const std::string& pattern)
{
    m_regex.SetExpression(pattern);
    m_regex.CompileExpression();
}

std::string MorvaneMatcher::Name() const
{
    return "TRegex";
}

std::size_t MorvaneMatcher::CountAll(std::string_view subject)
{
    try {
        std::size_t count = 0;
        if (subject.data() != m_source || subject.size() != m_buffer.size()) {
            m_buffer.assign(subject);
            m_source = subject.data();
        }
        m_regex.SetInputView(m_buffer);
        if (m_regex.ExecPos(1)) {
            ++count;
            while (m_regex.ExecNext()) {
                ++count;
            }
        }
        return count;
    } catch (const regex::ERegex& e) {
        throw std::runtime_error(std::string("ERegex: ") + e.what());
    }
}

std::uint64_t MorvaneMatcher::SpanDigest(std::string_view subject)
{
    try {
        std::uint64_t digest = kSpanDigestSeed;
        m_buffer.assign(subject);
        m_source = subject.data();
        m_regex.SetInputView(m_buffer);
        for (bool found = m_regex.ExecPos(1); found; found = m_regex.ExecNext()) {
            const auto start = static_cast<std::size_t>(m_regex.GroupStart(0) - 1);
            MixSpan(digest, start, start + static_cast<std::size_t>(m_regex.GroupLength(0)));
        }
        return digest;
    } catch (const regex::ERegex& e) {
        throw std::runtime_error(std::string("ERegex: ") + e.what());
    }
}

} // namespace morvane::bench
