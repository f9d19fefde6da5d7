#pragma once
// A scripted stand-in for the main window as the file panel sees it: a busy flag with the
// abort rule of the pass framework (busy only while no abort is requested), counters of every
// notification, the files "opened" with the desktop's application, and an optional action run
// at each message pump (tests request an abort from there).

#include "filepanel/FilePanelHost.h"

#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

namespace morvane::tests {

class FakePanelHost : public filepanel::FilePanelHost {
public:
    bool busy = false;
    bool abort = false;
    int setBusyOn = 0;
    int setBusyOff = 0;
    int pumps = 0;
    int fileListInvalidations = 0;
    int passCommandUpdates = 0;
    int interactiveRunEnds = 0;
    int listingsStarted = 0;
    int focusChanges = 0;
    int markChanges = 0;
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> opened;
    std::function<void(FakePanelHost&)> onPump;

    bool isBusy() const override { return busy && !abort; }
    void setBusy(bool on) override
    {
        busy = on;
        ++(on ? setBusyOn : setBusyOff);
    }
    bool abortRequested() const override { return abort; }
    void clearAbortRequest() override { abort = false; }
    void pumpMessages() override
    {
        ++pumps;
        if (onPump)
            onPump(*this);
    }
    void invalidateFileList() override { ++fileListInvalidations; }
    void updatePassCommands() override { ++passCommandUpdates; }
    void endInteractiveRun() override { ++interactiveRunEnds; }
    void listingStarted() override { ++listingsStarted; }
    void focusedItemChanged() override { ++focusChanges; }
    void marksChanged() override { ++markChanges; }
    void openWithAssociatedProgram(
        const std::filesystem::path& file, const std::filesystem::path& workingDir) override
    {
        opened.emplace_back(file, workingDir);
    }
};

} // namespace morvane::tests
