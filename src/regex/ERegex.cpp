// The engine's exception. Covered by tests/regex/ErrorTest.cpp.

#include "regex/ERegex.h"

#include <utility>

namespace morvane::regex {

ERegex::ERegex(int errorCode, int errorOffset, std::string message)
    : m_errorCode(errorCode)
    , m_errorOffset(errorOffset)
    , m_message(std::move(message))
{
}

const char* ERegex::what() const noexcept { return m_message.c_str(); }

} // namespace morvane::regex
