#pragma once
// The parts of the processed file's path that the path item (\P) and the name item (\F) of the
// template language show, on a platform whose separator is "/" and whose paths have no drive.
// All texts are Windows-1251. Covered by tests/template/PathItemTest.cpp.

#include <string>
#include <string_view>

namespace morvane::templ {

// The path up to its last "/", without it; a root directory keeps its "/" ("/a.txt" -> "/").
// A bare name has the empty directory.
std::string DirectoryPart(std::string_view pathText);

// Everything after the last "/".
std::string NamePart(std::string_view pathText);

// A part of a directory text by the path item's selector letter: 'F' or 'P' the whole
// directory, 'N' its last component (empty for the root), 'D' the drive (always empty here),
// 'R' the root the directory hangs from ("/" when it is absolute, else empty).
std::string SelectDirectoryPart(std::string_view directory, char selector);

// A part of a file name by the name item's selector letter: 'F' the whole name, 'N' the name
// without its extension, 'E' the extension without its dot. The extension starts at the last
// ".", so "a.b.txt" has the extension "txt" and ".profile" the extension "profile".
std::string SelectNamePart(std::string_view name, char selector);

} // namespace morvane::templ
