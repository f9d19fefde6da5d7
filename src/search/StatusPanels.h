#pragma once
// The two panels of the pass status bar (sbInfo): panel 0 carries a count or the elapsed
// time, panel 1 the progress text (which begins with a blank). Texts are Windows-1251.
// The desktop program binds it to the status bar, the CLI to nothing or the terminal.
// Exercised through tests/fakes/FakeStatusPanels.h in tests/search/PassFileListTest.cpp.

#include <string>

namespace morvane::search {

class StatusPanels {
public:
    virtual ~StatusPanels() = default;
    // Replaces the text of panel 0 or 1; an empty text clears it.
    virtual void setPanelText(int panel, const std::string& text) = 0;
};

} // namespace morvane::search
