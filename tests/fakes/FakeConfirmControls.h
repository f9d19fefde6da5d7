#pragma once
// The interactive run's window side for tests: the eleven controls' enabled state, the preview
// memo (which a test may edit as the user would), and counts of the page switches and hooks.

#include "search/ConfirmControls.h"

#include <array>
#include <string>

namespace morvane::test {

class FakeConfirmControls : public search::ConfirmControls {
public:
    bool isEnabled(search::ConfirmControl control) const override
    {
        return m_enabled[static_cast<size_t>(control)];
    }
    void setEnabled(search::ConfirmControl control, bool enabled) override
    {
        m_enabled[static_cast<size_t>(control)] = enabled;
    }

    std::string previewText() const override { return m_preview; }
    void setPreviewText(const std::string& text) override { m_preview = text; }

    void showWorkPage() override { ++m_workPageShown; }
    void showEditingPage() override { ++m_editingPageShown; }
    void UpdatePassCommands() override { ++m_passCommandUpdates; }
    void reloadPanelIfChanged() override { ++m_panelReloadChecks; }

    // The user typing into the preview memo.
    void editPreview(const std::string& text) { m_preview = text; }
    // How many of the eleven are enabled.
    int enabledCount() const
    {
        int count = 0;
        for (bool on : m_enabled)
            count += on ? 1 : 0;
        return count;
    }
    int workPageShown() const { return m_workPageShown; }
    int editingPageShown() const { return m_editingPageShown; }
    int passCommandUpdates() const { return m_passCommandUpdates; }
    int panelReloadChecks() const { return m_panelReloadChecks; }

private:
    std::array<bool, search::kConfirmControlCount> m_enabled {};
    std::string m_preview;
    int m_workPageShown = 0;
    int m_editingPageShown = 0;
    int m_passCommandUpdates = 0;
    int m_panelReloadChecks = 0;
};

} // namespace morvane::test
