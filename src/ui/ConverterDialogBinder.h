#pragma once
// The converter command's dialog (search::ConverterDialog) over PassesDialogs, with the two
// code page choices kept in the settings (cbFromCodePage_ItemIndex, cbToCodePage_ItemIndex)
// from one use to the next and across a restart. Covered by tests/ui/tst_backups.cpp.

#include "app/Settings.h"
#include "search/ConverterDialog.h"
#include "ui/PassesDialogs.h"

#include <string>

namespace morvane::ui {

class ConverterDialogBinder : public search::ConverterDialog {
public:
    ConverterDialogBinder(PassesDialogs& dialogs, app::Settings& settings)
        : m_dialogs(dialogs)
        , m_settings(settings)
    {
    }

    void setInfo(const std::string& text) override { m_info = text; }
    bool exec() override
    {
        int from = m_settings.cbFromCodePage_ItemIndex;
        int to = m_settings.cbToCodePage_ItemIndex;
        if (!m_dialogs.editConverterModes(m_info, from, to))
            return false;
        m_settings.cbFromCodePage_ItemIndex = from;
        m_settings.cbToCodePage_ItemIndex = to;
        return true;
    }
    int fromIndex() const override { return m_settings.cbFromCodePage_ItemIndex; }
    int toIndex() const override { return m_settings.cbToCodePage_ItemIndex; }

private:
    PassesDialogs& m_dialogs;
    app::Settings& m_settings;
    std::string m_info;
};

} // namespace morvane::ui
