#pragma once
// The controls every multi-file pass shares: the abort request, the busy state, the message
// pump throttled by the response interval, the pass's start time, the status panels, and the
// guard that lets only one pass loop run at a time. One instance, owned by the main window.
// Covered by tests/search/PassControlTest.cpp.
//
// Re-entrance comes only through PumpMessages(): the window's handlers run inside it and may
// request an abort, leave the busy state or try to start another pass. A pass loop holds a
// PassLoop for its whole run; while one exists no other pass may start, even after an abort
// has made IsBusy() false, because the outer loop has not yet seen the request.

#include "search/MessagePump.h"
#include "search/PassClock.h"
#include "search/PassDialogs.h"
#include "search/PassSelection.h"
#include "search/PassWindow.h"
#include "search/StatusPanels.h"

#include <cstdint>
#include <string>

namespace morvane::search {

class PassControl {
public:
    // Every collaborator must outlive the PassControl. The pump time starts at the clock's now.
    PassControl(MessagePump& pump, PassClock& clock, StatusPanels& status, PassWindow& window,
        PassDialogs& dialogs);

    // Set by the user's abort, cleared by every pass at its start, tested by every loop.
    bool AbortRequested() const { return m_abortRequested; }
    void setAbortRequested(bool on) { m_abortRequested = on; }

    // True while the busy indicator runs and no abort is requested.
    bool IsBusy() const { return m_indicatorOn && !m_abortRequested; }
    // Enters or leaves the busy state and shows it through the window.
    void SetBusy(bool on);

    // Lets pending window messages through when at least the response interval has passed
    // since they were last let through; otherwise does nothing. Loops call it once per step.
    void PumpMessages();
    // Whether the next PumpMessages() will let messages through. Progress texts are formatted
    // only then: nobody sees a status text the window never gets to paint.
    bool progressDue() const;
    // The response interval in milliseconds (0 to 9999; 0 pumps at every call).
    int responseInterval() const { return m_responseIntervalMs; }
    void setResponseInterval(int milliseconds);
    // Restarts the throttle from now (the window does it when it is first shown).
    void resetPumpTime();

    // Notes the start of a pass for the elapsed time.
    void startTiming();
    std::int64_t elapsedMs() const;
    // The elapsed time in the format of message 17.
    std::string elapsedText() const;

    // True when exactly one panel item other than ".." is selected, or something is marked.
    // Otherwise shows message 60 and returns false.
    bool HasSelection(const PassSelection& selection);

    // The break button: request an abort and leave the busy state.
    void tbBreakClick();
    // The abort command (Esc) once the window has found neither a preview to close nor an
    // in-place rename to cancel: end the interactive run, request an abort, leave the busy
    // state.
    void miAbortClick();

    // Whether a pass loop is running (see PassLoop).
    bool passLoopRunning() const { return m_loopDepth > 0; }
    // Whether a pass command may start now: no pass loop running and not busy.
    bool canStartPass() const { return !passLoopRunning() && !IsBusy(); }

    // Held by a pass for the whole of its loop.
    class PassLoop {
    public:
        explicit PassLoop(PassControl& control) : m_control(control) { ++m_control.m_loopDepth; }
        ~PassLoop() { --m_control.m_loopDepth; }
        PassLoop(const PassLoop&) = delete;
        PassLoop& operator=(const PassLoop&) = delete;

    private:
        PassControl& m_control;
    };

    // Status panel text; `panel` is 0 or 1.
    void setStatus(int panel, const std::string& text) { m_status.setPanelText(panel, text); }
    // Panel 1 := a blank followed by message 40, the abort text.
    void showAbortedStatus();

    PassWindow& window() { return m_window; }
    PassDialogs& dialogs() { return m_dialogs; }

private:
    MessagePump& m_pump;
    PassClock& m_clock;
    StatusPanels& m_status;
    PassWindow& m_window;
    PassDialogs& m_dialogs;
    bool m_abortRequested = false;
    bool m_indicatorOn = false;
    int m_responseIntervalMs;
    std::int64_t m_lastPumpMs;
    std::int64_t m_startMs;
    int m_loopDepth = 0;
};

} // namespace morvane::search
