#pragma once
// The editor's text search: a plain, case-insensitive substring search confined to a window of
// the text. The tag pairing builds every step on it, so its window rule (a hit must lie wholly
// inside the window) decides which tags the pairing sees. Covered by
// tests/editor/TagPairingTest.cpp.

#include <string_view>

namespace morvane::editor {

// The 0-based position of the first occurrence of `needle` that lies wholly inside
// [start, start + length) of `text`, searching forward; letters compare without regard to case
// (Latin and Cyrillic of Windows-1251). The window is clipped to the text, so a negative start or
// an overlong length is harmless. -1 when there is none, when the window is empty and for an
// empty needle.
int EditorFind(std::string_view text, std::string_view needle, int start, int length);

} // namespace morvane::editor
