#pragma once
// The program's identity as both programs print it: one version string taken from the CMake
// project, the date the build compiled this unit, and the licence. `morvane --version`,
// `morvane-cli --version` and the about window all read it here, so they can never disagree.
// Covered by tests/app/VersionTest.cpp and the version tests of tests/install/.

#include <string>
#include <string_view>

namespace morvane::app {

// The project version, for example "0.1".
std::string_view VersionText();

// The build date as YYYY-MM-DD (the compiler's date, which honours SOURCE_DATE_EPOCH).
std::string BuildDateText();

// Converts the compiler's __DATE__ form ("Mmm dd yyyy", the day padded with a blank) into
// YYYY-MM-DD; an unreadable text is returned unchanged.
std::string IsoDateFromCompilerDate(std::string_view compilerDate);

// The licence's short name (an SPDX identifier).
std::string_view LicenseText();

// "NAME VERSION", the line that --version prints.
std::string VersionLine(std::string_view programName);

} // namespace morvane::app
