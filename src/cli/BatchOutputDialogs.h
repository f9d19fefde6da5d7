#pragma once
// The output modes' dialogs answered from the command line: the collecting file is the one
// --collect names (emptied, or appended to with --append), and the file-split settings are the
// --split-... options. Covered by tests/cli/BatchOutputCliTest.cpp.

#include "search/OutputDialogs.h"

#include <filesystem>

namespace morvane::cli {

class BatchOutputDialogs : public search::OutputDialogs {
public:
    BatchOutputDialogs(std::filesystem::path collectFile, bool append, search::OutputSplitSettings split)
        : m_collectFile(std::move(collectFile))
        , m_append(append)
        , m_split(std::move(split))
    {
    }

    std::optional<std::filesystem::path> chooseOutputFile(
        const std::string&, const std::filesystem::path&, const std::filesystem::path&) override
    {
        if (m_collectFile.empty())
            return std::nullopt;
        return m_collectFile;
    }

    search::OutputExistingAnswer askExistingTarget(const std::filesystem::path&) override
    {
        return m_append ? search::OutputExistingAnswer::Append : search::OutputExistingAnswer::Overwrite;
    }

    bool editFileSplitSettings(search::OutputSplitSettings& settings) override
    {
        settings = m_split;
        return true;
    }

private:
    std::filesystem::path m_collectFile;
    bool m_append;
    search::OutputSplitSettings m_split;
};

} // namespace morvane::cli
