#pragma once
// The one error the regular-expression engine raises: a numeric code, the pattern offset at which
// compilation stopped (0 for run-time and usage errors) and the complete message. Compile errors
// (codes below 1000) carry " (pos N)" after the text. Covered by tests/regex/ErrorTest.cpp.

#include <exception>
#include <string>

namespace morvane::regex {

class ERegex : public std::exception {
public:
    // `message` is the full text as what() returns it (position suffix already added).
    ERegex(int errorCode, int errorOffset, std::string message);

    const char* what() const noexcept override;

    // The error code (see TRegex::ErrorText for the table).
    int ErrorCode() const noexcept { return m_errorCode; }
    // Number of pattern characters before the parse cursor when the error was raised; 0 outside
    // a compilation.
    int ErrorOffset() const noexcept { return m_errorOffset; }

private:
    int m_errorCode;
    int m_errorOffset;
    std::string m_message;
};

} // namespace morvane::regex
