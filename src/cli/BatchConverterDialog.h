#pragma once
// The converter's dialog answered from the command line: OK with the --from and --to code
// pages. Covered by tests/cli/BatchBackupCliTest.cpp.

#include "search/ConverterDialog.h"

namespace morvane::cli {

class BatchConverterDialog : public search::ConverterDialog {
public:
    BatchConverterDialog(int from, int to)
        : m_from(from)
        , m_to(to)
    {
    }

    void setInfo(const std::string&) override { }
    bool exec() override { return true; }
    int fromIndex() const override { return m_from; }
    int toIndex() const override { return m_to; }

private:
    int m_from;
    int m_to;
};

} // namespace morvane::cli
