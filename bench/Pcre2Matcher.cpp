// PCRE2 harness; see Pcre2Matcher.h.

#include "Pcre2Matcher.h"

#include <stdexcept>

namespace morvane::bench {

namespace {

std::string ErrorMessage(int code)
{
    PCRE2_UCHAR buffer[256];
    pcre2_get_error_message(code, buffer, sizeof buffer);
    return reinterpret_cast<const char*>(buffer);
}

// Large enough for the lazy spans of the HTML patterns; the default 32 KiB is not.
constexpr std::size_t kJitStackBytes = 16 * 1024 * 1024;

} // namespace

Pcre2Matcher::Pcre2Matcher(const std::string& pattern, bool jit, const unsigned char* tables)
    : m_jit(jit)
{
    m_context = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(m_context, PCRE2_NEWLINE_ANYCRLF);
    if (tables != nullptr) {
        pcre2_set_character_tables(m_context, tables);
    }
    int error = 0;
    PCRE2_SIZE offset = 0;
    m_code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
        PCRE2_DOTALL | PCRE2_MULTILINE, &error, &offset, m_context);
    if (m_code == nullptr) {
        pcre2_compile_context_free(m_context);
        throw std::runtime_error("pcre2_compile: " + ErrorMessage(error) + " at " + std::to_string(offset));
    }
    if (m_jit) {
        const int rc = pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE);
        if (rc != 0) {
            pcre2_code_free(m_code);
            pcre2_compile_context_free(m_context);
            throw std::runtime_error("pcre2_jit_compile: " + ErrorMessage(rc));
        }
        m_jitStack = pcre2_jit_stack_create(32 * 1024, kJitStackBytes, nullptr);
        m_matchContext = pcre2_match_context_create(nullptr);
        pcre2_jit_stack_assign(m_matchContext, nullptr, m_jitStack);
    }
    m_matchData = pcre2_match_data_create_from_pattern(m_code, nullptr);
}

Pcre2Matcher::~Pcre2Matcher()
{
    pcre2_match_data_free(m_matchData);
    pcre2_match_context_free(m_matchContext);
    pcre2_jit_stack_free(m_jitStack);
    pcre2_code_free(m_code);
    pcre2_compile_context_free(m_context);
}

std::string Pcre2Matcher::Name() const
{
    return m_jit ? "PCRE2 JIT" : "PCRE2";
}

int Pcre2Matcher::Match(std::string_view subject, std::size_t start, std::uint32_t options)
{
    const int rc = pcre2_match(m_code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), start,
        options, m_matchData, m_matchContext);
    if (rc < 0 && rc != PCRE2_ERROR_NOMATCH) {
        throw std::runtime_error("pcre2_match: " + ErrorMessage(rc));
    }
    return rc;
}

std::size_t Pcre2Matcher::CountAll(std::string_view subject)
{
    const std::size_t length = subject.size();
    std::size_t count = 0;
    std::size_t start = 0;
    std::uint32_t options = 0;
    for (;;) {
        if (Match(subject, start, options) == PCRE2_ERROR_NOMATCH) {
            if (options == 0) {
                break;
            }
            // No non-empty match where the empty one was: step over one character, or over a
            // whole CR LF, which is one line break here.
            const bool crlf = start + 1 < length && subject[start] == '\r' && subject[start + 1] == '\n';
            start += crlf ? 2 : 1;
            options = 0;
            if (start > length) {
                break;
            }
            continue;
        }
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(m_matchData);
        ++count;
        options = 0;
        if (ov[0] == ov[1]) {
            if (ov[0] == length) {
                break;
            }
            options = PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED;
        }
        start = ov[1];
    }
    return count;
}

std::size_t Pcre2Matcher::CountEngineStyle(std::string_view subject, std::uint64_t* spanDigest)
{
    std::uint64_t digest = kSpanDigestSeed;
    const std::size_t length = subject.size();
    std::size_t count = 0;
    std::size_t start = 0;
    while (start < length) {
        if (Match(subject, start, 0) == PCRE2_ERROR_NOMATCH) {
            break;
        }
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(m_matchData);
        if (ov[0] >= length) {
            break; // the engine never attempts the end of the subject
        }
        ++count;
        MixSpan(digest, ov[0], ov[1]);
        start = ov[1] > ov[0] ? ov[1] : ov[1] + 1;
    }
    if (spanDigest != nullptr) {
        *spanDigest = digest;
    }
    return count;
}

} // namespace morvane::bench
