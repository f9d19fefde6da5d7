#pragma once
// The viewer and editor of one file (reSource) as the commands see it: its text, selection,
// modified flag and mode, and the caption above it (stSource). The desktop program binds it to
// its rich edit control; tests use tests/fakes/FakeViewer.h; the CLI has none that shows
// anything. Positions are 0-based offsets into the text, which is Windows-1251.
// Exercised by tests/search/WorkTextTest.cpp.

#include "app/FileError.h"

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::search {

// The viewer's mode: plain text in the chosen code page, or a rich-text document.
enum class EditorMode { Plain, Rich };

class Viewer {
public:
    virtual ~Viewer() = default;

    virtual std::string text() const = 0;
    // Replaces the whole text (the selection goes to the start). Does not touch the modified flag.
    virtual void setText(const std::string& text) = 0;

    virtual int selStart() const = 0;
    virtual int selLength() const = 0;
    virtual void setSelection(int start, int length) = 0;
    // Replaces the selected text, as typing would: sets the modified flag.
    virtual void replaceSelection(const std::string& text) = 0;

    virtual bool modified() const = 0;
    virtual void setModified(bool on) = 0;

    virtual EditorMode mode() const = 0;
    virtual void setMode(EditorMode mode) = 0;

    // Whether the viewer can read and write rich-text documents. Where it cannot, files named
    // ".RTF" are handled as plain text.
    virtual bool supportsRichText() const = 0;
    // Loads `path` as a rich-text document; its plain text becomes text(). On failure the
    // error's text and nothing loaded.
    virtual std::optional<app::FileError> loadRichText(const std::filesystem::path& path) = 0;
    // The document as the bytes of a rich-text file; the editor writes them out itself, so a
    // rich-text save is as crash-safe as a plain one.
    virtual std::string richTextDocument() const = 0;

    // The caption above the viewer (stSource): the file's path, or empty.
    virtual void showSourcePath(const std::filesystem::path& path) = 0;
    // After a file was loaded into the viewer: colour it when colouring is on, update the HTML
    // commands, caret to the start, show the work page.
    virtual void fileLoaded() = 0;
    // The editor's command states: save enabled exactly when modified and a file is held,
    // save-as exactly when the text is not empty.
    virtual void setEditorCommands(bool saveEnabled, bool saveAsEnabled) = 0;
    // The save-as command with its file dialog (SaveEditor with no file name runs it).
    virtual void runSaveAs() = 0;
};

} // namespace morvane::search
