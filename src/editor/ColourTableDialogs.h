#pragma once
// The two boxes the choice of a colouring table may show: the question whether to save the
// edited table before another one replaces it, and the message of a table file that cannot be
// read or written. Covered by tests/editor/ColourTableTest.cpp (with a scripted fake).

#include <string>

namespace morvane::editor {

class ColourTableDialogs {
public:
    virtual ~ColourTableDialogs() = default;
    // A Yes/No box; true only for Yes. `text` is program text.
    virtual bool Confirm(const std::string& text) = 0;
    // A message box with an OK button (program text).
    virtual void ShowMessage(const std::string& text) = 0;
};

} // namespace morvane::editor
