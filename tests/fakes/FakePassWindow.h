#pragma once
// The main window as the pass framework sees it, for tests: records what it was asked to do.

#include "search/PassWindow.h"

#include <functional>
#include <vector>

namespace morvane::test {

class FakePassWindow : public search::PassWindow {
public:
    void showBusy(bool on) override { m_busyShown.push_back(on); }
    void endInteractiveRun() override
    {
        ++m_interactiveRunEnds;
        if (onEndInteractiveRun)
            onEndInteractiveRun();
    }
    void showReportPage() override { ++m_reportPageShown; }

    // Every showBusy call in order.
    const std::vector<bool>& busyShown() const { return m_busyShown; }
    int interactiveRunEnds() const { return m_interactiveRunEnds; }
    int reportPageShown() const { return m_reportPageShown; }
    // What the window's ending of the run does (the run's EndRun, where a test wires one).
    std::function<void()> onEndInteractiveRun;

private:
    std::vector<bool> m_busyShown;
    int m_interactiveRunEnds = 0;
    int m_reportPageShown = 0;
};

} // namespace morvane::test
