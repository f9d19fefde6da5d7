#pragma once
// The text forms of the engine's editable character sets: "\x" and two upper-case hexadecimal
// digits per character (the form of the \s field), and the decoding of such sequences in a text
// (used for both fields). Pure functions, so the window layer and the tests need no engine.
// Covered by tests/rules/CharSetTextTest.cpp.

#include <string>
#include <string_view>

namespace morvane::rules {

// Every character as "\x" and its code in two upper-case hexadecimal digits.
std::string EncodeHexChars(std::string_view chars);

// Which text a decoding error's position refers to.
enum class HexDecodeTarget {
    Copy, // a copy is decoded; positions are mapped back to the original field text
    Field, // each sequence is decoded in the field itself; positions are those of its new text
};

struct HexDecodeResult {
    bool ok = true;
    // The decoded text: complete on success; for HexDecodeTarget::Field also on failure, then
    // holding the sequences decoded before the bad one.
    std::string text;
    // On failure: the conversion message ("'$ZZ' is not a valid integer value") and the
    // offending sequence, 0-based start and length (four characters, fewer at the end).
    std::string message;
    int errorStart = 0;
    int errorLength = 0;
};

// Repeatedly replaces the first "\x" and the (up to) two characters after it by the character
// with that hexadecimal code, until no "\x" is left. The search starts again from the
// beginning each time, so a decoded backslash followed by "x" starts a new sequence. For the
// Copy target the error position is the position in the decoded copy plus three for every
// sequence already decoded, which is where it stood in the field for ordinary input.
HexDecodeResult DecodeHexChars(std::string_view text, HexDecodeTarget target);

} // namespace morvane::rules
