#pragma once
// What the pass framework asks of the main window beyond status texts and boxes: the visible
// side of the busy state, ending the interactive replace run, and showing the report page.
// Exercised through tests/fakes/FakePassWindow.h in tests/search/AllFilesPassTest.cpp.

namespace morvane::search {

class PassWindow {
public:
    virtual ~PassWindow() = default;
    // On: start the process indicator, enable the break button, disable saving and loading
    // the editor's file, show the hourglass (remembering the cursor unless it already is the
    // hourglass). Off: stop the indicator, disable the break button, update the editor
    // commands, show the drive space, restore the remembered cursor.
    virtual void showBusy(bool on) = 0;
    // If the confirmation buttons of the interactive replace run are enabled, disable them
    // (the run ends). Nothing otherwise.
    virtual void endInteractiveRun() = 0;
    // Makes the report page the active page.
    virtual void showReportPage() = 0;
};

} // namespace morvane::search
