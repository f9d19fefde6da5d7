#pragma once
// The main window as the pass framework sees it: the visible side of the busy state (the
// indicator AnimateProcess, the break button, the editor's file commands, the hourglass), the
// two panels of sbInfo, the message pump (the event loop, throttled by PassControl), and the
// boxes, which go to the window's current PassesDialogs. What only the window knows (the
// editor commands, the drive space line, ending the interactive run, showing the report page)
// comes in as hooks. Covered by tests/ui/tst_passes.cpp.

#include "search/MessagePump.h"
#include "search/PassDialogs.h"
#include "search/PassWindow.h"
#include "search/StatusPanels.h"
#include "ui/FormMainControls.h"

#include <functional>

namespace morvane::ui {

class PassesDialogs;

struct PassWindowHooks {
    std::function<void()> updateEditorCommands;
    std::function<void()> showDriveSpace;
    std::function<void()> endInteractiveRun;
    std::function<void()> showReportPage;
    // After every change of the busy state, so the window's own flag can follow it.
    std::function<void()> busyChanged;
};

class PassWindowBinder : public search::PassWindow,
                         public search::StatusPanels,
                         public search::MessagePump,
                         public search::PassDialogs {
public:
    PassWindowBinder(const FormMainControls& controls, PassWindowHooks hooks);
    ~PassWindowBinder() override;

    // The boxes' implementation; must outlive its use.
    void setDialogs(PassesDialogs* dialogs) { m_dialogs = dialogs; }

    // PassWindow.
    void showBusy(bool on) override;
    void endInteractiveRun() override;
    void showReportPage() override;
    // StatusPanels.
    void setPanelText(int panel, const std::string& text) override;
    // MessagePump.
    void processPendingMessages() override;
    // PassDialogs.
    void showMessage(const std::string& text) override;
    bool confirm(const std::string& text) override;

    // Whether the hourglass is shown by the busy state.
    bool hourglassShown() const { return m_cursorOverridden; }

private:
    const FormMainControls& m_c;
    PassWindowHooks m_hooks;
    PassesDialogs* m_dialogs = nullptr;
    bool m_cursorOverridden = false;
};

} // namespace morvane::ui
