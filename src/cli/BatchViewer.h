#pragma once
// The viewer of a terminal run: the file's text and the selection in memory, nothing drawn.
// The interactive run selects each match in it and replaces through it exactly as through the
// desktop viewer, and the terminal prompt reads the text around the selection from it. Rich
// text is not offered, so files named ".RTF" are handled as plain text.
// Covered by tests/cli/BatchInteractiveCliTest.cpp.

#include "search/Viewer.h"

#include <filesystem>
#include <string>

namespace morvane::cli {

class BatchViewer : public search::Viewer {
public:
    std::string text() const override { return m_text; }
    void setText(const std::string& text) override;

    int selStart() const override { return m_selStart; }
    int selLength() const override { return m_selLength; }
    // Clamped to the text, as an edit control clamps a selection.
    void setSelection(int start, int length) override;
    void replaceSelection(const std::string& text) override;

    bool modified() const override { return m_modified; }
    void setModified(bool on) override { m_modified = on; }

    search::EditorMode mode() const override { return search::EditorMode::Plain; }
    void setMode(search::EditorMode) override { }

    bool supportsRichText() const override { return false; }
    std::optional<app::FileError> loadRichText(const std::filesystem::path& path) override;
    std::string richTextDocument() const override { return m_text; }

    void showSourcePath(const std::filesystem::path& path) override { m_sourcePath = path; }
    void fileLoaded() override { }
    void setEditorCommands(bool, bool) override { }
    void runSaveAs() override { }

    // The caption (stSource): the file the viewer holds.
    const std::filesystem::path& sourcePath() const { return m_sourcePath; }

private:
    std::string m_text;
    int m_selStart = 0;
    int m_selLength = 0;
    bool m_modified = false;
    std::filesystem::path m_sourcePath;
};

} // namespace morvane::cli
