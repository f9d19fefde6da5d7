#pragma once
// A viewer for tests: holds the text, selection, flags and caption in memory, and records the
// calls the commands make. Rich text can be switched on; its "documents" are then files whose
// bytes are the plain text, which is enough to see which way a file went.

#include "app/FileIo.h"
#include "search/Viewer.h"

#include <algorithm>
#include <stdexcept>

namespace morvane::test {

class FakeViewer : public search::Viewer {
public:
    std::string text() const override { return m_text; }
    void setText(const std::string& text) override
    {
        m_text = text;
        m_selStart = 0;
        m_selLength = 0;
    }

    int selStart() const override { return m_selStart; }
    int selLength() const override { return m_selLength; }
    void setSelection(int start, int length) override
    {
        m_selStart = std::clamp(start, 0, static_cast<int>(m_text.size()));
        m_selLength = std::clamp(length, 0, static_cast<int>(m_text.size()) - m_selStart);
    }
    void replaceSelection(const std::string& text) override
    {
        if (m_failReplace)
            throw std::runtime_error("the viewer failed");
        m_text.replace(static_cast<size_t>(m_selStart), static_cast<size_t>(m_selLength), text);
        m_selStart += static_cast<int>(text.size());
        m_selLength = 0;
        m_modified = true;
    }

    bool modified() const override { return m_modified; }
    void setModified(bool on) override { m_modified = on; }

    search::EditorMode mode() const override { return m_mode; }
    void setMode(search::EditorMode mode) override { m_mode = mode; }

    bool supportsRichText() const override { return m_richSupported; }
    std::optional<app::FileError> loadRichText(const std::filesystem::path& path) override
    {
        ++m_richLoads;
        std::string bytes;
        if (std::optional<app::FileError> error = app::ReadWholeFile(path, bytes))
            return error;
        m_text = bytes;
        return std::nullopt;
    }
    std::string richTextDocument() const override
    {
        ++m_richSaves;
        return "{\\rtf " + m_text + "}";
    }

    void showSourcePath(const std::filesystem::path& path) override { m_caption = path; }
    void fileLoaded() override { ++m_filesLoaded; }
    void setEditorCommands(bool saveEnabled, bool saveAsEnabled) override
    {
        m_saveEnabled = saveEnabled;
        m_saveAsEnabled = saveAsEnabled;
    }
    void runSaveAs() override { ++m_saveAsRuns; }

    // Typing: replaces the text and marks the editor modified.
    void type(const std::string& text)
    {
        m_text = text;
        m_modified = true;
    }
    void setRichSupported(bool on) { m_richSupported = on; }
    // Makes replaceSelection throw, as a control that runs out of memory would.
    void setFailReplace(bool on) { m_failReplace = on; }
    const std::filesystem::path& caption() const { return m_caption; }
    int filesLoaded() const { return m_filesLoaded; }
    int richLoads() const { return m_richLoads; }
    int richSaves() const { return m_richSaves; }
    int saveAsRuns() const { return m_saveAsRuns; }
    bool saveEnabled() const { return m_saveEnabled; }
    bool saveAsEnabled() const { return m_saveAsEnabled; }

private:
    std::string m_text;
    int m_selStart = 0;
    int m_selLength = 0;
    bool m_modified = false;
    search::EditorMode m_mode = search::EditorMode::Plain;
    bool m_richSupported = false;
    bool m_failReplace = false;
    std::filesystem::path m_caption;
    int m_filesLoaded = 0;
    int m_richLoads = 0;
    mutable int m_richSaves = 0;
    int m_saveAsRuns = 0;
    bool m_saveEnabled = false;
    bool m_saveAsEnabled = false;
};

} // namespace morvane::test
