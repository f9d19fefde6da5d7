// The shared pass controls. Tests: tests/search/PassControlTest.cpp.

#include "search/PassControl.h"

#include "app/Format.h"
#include "app/MessageTable.h"
#include "app/ResponseInterval.h"

#include <algorithm>

namespace morvane::search {

namespace {

constexpr int kMsgElapsedFormat = 17;
constexpr int kMsgAborted = 40;
constexpr int kMsgNothingSelected = 60;

} // namespace

PassControl::PassControl(MessagePump& pump, PassClock& clock, StatusPanels& status,
    PassWindow& window, PassDialogs& dialogs)
    : m_pump(pump)
    , m_clock(clock)
    , m_status(status)
    , m_window(window)
    , m_dialogs(dialogs)
    , m_responseIntervalMs(app::kDefaultResponseIntervalMs)
    , m_lastPumpMs(clock.nowMs())
    , m_startMs(m_lastPumpMs)
{
}

void PassControl::SetBusy(bool on)
{
    m_indicatorOn = on;
    m_window.showBusy(on);
}

void PassControl::PumpMessages()
{
    if (m_clock.nowMs() - m_lastPumpMs < m_responseIntervalMs)
        return;
    m_pump.processPendingMessages();
    m_lastPumpMs = m_clock.nowMs();
}

bool PassControl::progressDue() const
{
    return m_clock.nowMs() - m_lastPumpMs >= m_responseIntervalMs;
}

void PassControl::setResponseInterval(int milliseconds)
{
    m_responseIntervalMs = std::clamp(milliseconds, 0, 9999);
}

void PassControl::resetPumpTime()
{
    m_lastPumpMs = m_clock.nowMs();
}

void PassControl::startTiming()
{
    m_startMs = m_clock.nowMs();
}

std::int64_t PassControl::elapsedMs() const
{
    return m_clock.nowMs() - m_startMs;
}

std::string PassControl::elapsedText() const
{
    return app::FormatElapsed(app::Msg(kMsgElapsedFormat), elapsedMs());
}

bool PassControl::HasSelection(const PassSelection& selection)
{
    const bool oneSelected = selection.selectedCount == 1 && selection.selectedIndex >= 0
        && static_cast<size_t>(selection.selectedIndex) < selection.items.size()
        && selection.items[static_cast<size_t>(selection.selectedIndex)].name != "..";
    if (oneSelected || selection.MarkedCount() >= 1)
        return true;
    m_dialogs.showMessage(app::Msg(kMsgNothingSelected));
    return false;
}

void PassControl::tbBreakClick()
{
    m_abortRequested = true;
    SetBusy(false);
}

void PassControl::miAbortClick()
{
    m_window.endInteractiveRun();
    m_abortRequested = true;
    SetBusy(false);
}

void PassControl::showAbortedStatus()
{
    m_status.setPanelText(1, " " + app::Msg(kMsgAborted));
}

} // namespace morvane::search
