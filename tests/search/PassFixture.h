#pragma once
// The pass framework wired to fakes, and selections built from a temporary tree.

#include "fakes/FakePassClock.h"
#include "fakes/FakePassDialogs.h"
#include "fakes/FakePassPump.h"
#include "fakes/FakePassWindow.h"
#include "fakes/FakeStatusPanels.h"
#include "search/PassControl.h"
#include "search/PassSelection.h"

#include <filesystem>
#include <initializer_list>
#include <string>

namespace morvane::test {

struct PassFixture {
    FakePassPump pump;
    FakePassClock clock;
    FakeStatusPanels status;
    FakePassWindow window;
    FakePassDialogs dialogs;
    search::PassControl control { pump, clock, status, window, dialogs };

    // Interval zero: every PumpMessages call reaches the pump.
    PassFixture() { control.setResponseInterval(0); }
};

// A panel in `dir` listing `names` (a trailing "/" marks a directory), all of them marked.
inline search::PassSelection Marked(
    const std::filesystem::path& dir, std::initializer_list<std::string> names)
{
    search::PassSelection selection;
    selection.directory = dir;
    for (std::string name : names) {
        const bool directory = name.ends_with('/');
        if (directory)
            name.pop_back();
        selection.items.push_back({ name, directory, true });
    }
    return selection;
}

// A panel in `dir` with one unmarked item `name`, focused and selected.
inline search::PassSelection Focused(const std::filesystem::path& dir, std::string name)
{
    search::PassSelection selection = Marked(dir, { name });
    selection.items[0].marked = false;
    selection.focusedIndex = 0;
    selection.selectedIndex = 0;
    selection.selectedCount = 1;
    return selection;
}

} // namespace morvane::test
