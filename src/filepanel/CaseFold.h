#pragma once
// Letter case of Windows-1251 text, as the panel needs it for masks, sort keys and name
// comparisons: Latin and Cyrillic letters (Ё/ё and the other Cyrillic letters of the code page
// included). Covered by tests/filepanel/MaskTest.cpp.

#include <string>
#include <string_view>

namespace morvane::filepanel {

// The lower-case form of one Windows-1251 byte; bytes that are not upper-case letters are
// returned unchanged.
unsigned char LowerWin1251(unsigned char byte);

// `text` with every letter in lower case.
std::string LowerWin1251(std::string_view text);

// Compares character by character with Latin letters compared without regard to case and
// every other byte by its unsigned value: <0, 0 or >0. Sort keys are already lower-cased, so
// only the Latin letters need folding here.
int CompareTextAscii(std::string_view a, std::string_view b);

// True when `a` and `b` are equal with the letters of Windows-1251 compared without regard
// to case.
bool SameTextWin1251(std::string_view a, std::string_view b);

} // namespace morvane::filepanel
