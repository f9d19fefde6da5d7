#pragma once
// Letter case of Windows-1251: Latin a-z/A-Z and the Cyrillic letters of the code page (the 32
// basic pairs, yo, and the Serbian, Macedonian, Ukrainian and Belarusian letters). This is the
// default InvertCase of the engine. Covered by tests/regex/CaseTest.cpp.

namespace morvane::regex {

// The other-case image of `c`, or `c` itself when it is not a cased letter.
unsigned char Win1251InvertCase(unsigned char c);

} // namespace morvane::regex
