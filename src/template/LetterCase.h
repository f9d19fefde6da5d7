#pragma once
// Letter case of the program's texts (Windows-1251): the Latin letters and every Cyrillic letter
// of the code page (the 32 basic pairs, yo, and the Ukrainian, Belarusian, Serbian and
// Macedonian letters). Characters without case, the micro sign among them, stay as they are.
// The template evaluator converts its output with these. Covered by
// tests/template/LetterCaseTest.cpp.

#include <string>

namespace morvane::templ {

// A case conversion of the template language.
enum class CaseConversion {
    None,
    Lower,
    Upper,
    // Capitals become small letters and small letters capitals.
    Invert,
};

unsigned char ToUpper1251(unsigned char c);
unsigned char ToLower1251(unsigned char c);
// The upper-case form when it differs from `c`, otherwise the lower-case form.
unsigned char InvertCase1251(unsigned char c);

// `c` converted by `conversion` (unchanged for None).
char ConvertCase(char c, CaseConversion conversion);
// Every character of `text` converted in place.
void ConvertCase(std::string& text, CaseConversion conversion);

} // namespace morvane::templ
