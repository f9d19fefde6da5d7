#pragma once
// Which pass commands are enabled, recomputed whenever the panel selection, the active page or
// the interactive run's buttons change (UpdatePassCommands). The window applies the result to
// its buttons and menu items and then lets pending messages through once.
// Covered by tests/search/PassCommandsTest.cpp.

#include <string>

namespace morvane::search {

// What the computation reads.
struct PassCommandInputs {
    bool workPageActive = false;   // the main page control shows the work page
    bool itemSelected = false;     // a panel item is selected
    std::string selectedName;      // its name (file system bytes)
    int markedCount = 0;           // MarkedCount
    bool colourSetupMode = false;  // tbSetColour down
};

// The enabled states.
struct PassCommandStates {
    // tbFindFiles, tbNotFindFiles, tbAllFiles, tbRestore, tbRestoreAll, tbDelAllBackup, their
    // menu twins, miFind and miConverter.
    bool passes = false;
    // sbFind.
    bool find = false;
    // sbReplacePassim and miReplacePassim.
    bool replacePassim = false;

    friend bool operator==(const PassCommandStates&, const PassCommandStates&) = default;
};

// ready := the work page is shown, an item is selected, and something is marked or the
// selected item is not ".."; passes when ready; find when ready or in colour set-up mode;
// replace everywhere when ready and not in colour set-up mode.
PassCommandStates UpdatePassCommands(const PassCommandInputs& inputs);

} // namespace morvane::search
