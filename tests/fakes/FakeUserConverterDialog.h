#pragma once
// The converter's dialog for tests: records the label, answers OK or Cancel, gives the two
// chosen code page indices.

#include "search/ConverterDialog.h"

namespace morvane::test {

class FakeUserConverterDialog : public search::ConverterDialog {
public:
    void setInfo(const std::string& text) override { m_info = text; }
    bool exec() override
    {
        ++m_shown;
        return m_ok;
    }
    int fromIndex() const override { return m_from; }
    int toIndex() const override { return m_to; }

    // The answer and the chosen lists (the dialog's defaults: KOI8-R to Windows-1251).
    void answer(bool ok, int from = 1, int to = 0)
    {
        m_ok = ok;
        m_from = from;
        m_to = to;
    }
    const std::string& info() const { return m_info; }
    int shown() const { return m_shown; }

private:
    std::string m_info;
    bool m_ok = false;
    int m_from = 1;
    int m_to = 0;
    int m_shown = 0;
};

} // namespace morvane::test
