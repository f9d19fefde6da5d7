#pragma once
// What the file panel needs from the rest of the program: the shared pass controls (busy
// state, abort request, message pump, the pass file list's validity and the pass commands),
// the window's reactions to focus and mark changes, and the shell. The main window implements
// it; tests use tests/fakes/FakePanelHost.h. Every default does nothing and reports "not
// busy", so a panel can also run on its own. Covered by tests/filepanel/FilePanelTest.cpp.

#include <filesystem>

namespace morvane::filepanel {

class FilePanelHost {
public:
    virtual ~FilePanelHost() = default;

    // The pass controls: a pass runs while isBusy(); the panel's listing and keyboard
    // commands refuse to start then.
    virtual bool isBusy() const { return false; }
    virtual void setBusy(bool /*on*/) { }
    virtual bool abortRequested() const { return false; }
    virtual void clearAbortRequest() { }
    // Lets pending window messages through (throttled by the response interval).
    virtual void pumpMessages() { }

    // The pass file list no longer matches the panel and must be rebuilt.
    virtual void invalidateFileList() { }
    // Recomputes the enabled state of the pass commands.
    virtual void updatePassCommands() { }
    // Ends a running interactive replace run (a renamed item may be the file it works on).
    virtual void endInteractiveRun() { }

    // A listing has started: clear the pass status panels when the report list is visible.
    virtual void listingStarted() { }
    // The focused item changed: redraw the status texts, run the automatic preview, set the
    // states of the view, edit and load commands.
    virtual void focusedItemChanged() { }
    // A mark changed by a user command: redraw the counts and the copy, move and delete states.
    virtual void marksChanged() { }

    // Opens `file` with the desktop's default application, `workingDir` as working directory.
    virtual void openWithAssociatedProgram(
        const std::filesystem::path& /*file*/, const std::filesystem::path& /*workingDir*/)
    {
    }
};

} // namespace morvane::filepanel
