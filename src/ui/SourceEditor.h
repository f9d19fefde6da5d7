#pragma once
// The viewer and editor reSource as the commands see it (search::Viewer), over the QScintilla
// control. Covered by tests/ui/tst_editor.cpp.
//
// The program's text is Windows-1251 bytes, and every position the commands use is a byte
// offset into it. The control holds the same text as UTF-8 (each byte one Unicode character,
// so Cyrillic shows whatever font and platform draw it), and positions are mapped through
// the control's character index: offset k is the k-th character. Line ends are put in and read
// back as they are (CR LF, lone CR, lone LF), so the text read back is byte-identical to the
// text put in plus the user's edits. A character the code page lacks (typed or pasted) reads
// back as "?", still one byte for one character, so positions stay in step.
//
// The modified flag is this class's own: set by the user's edits and by replaceSelection,
// never by setText or by changes of styles and indicators (colouring), cleared only by
// setModified(false). Rich-text documents are not supported: ".RTF" files open as plain text.

#include "search/Viewer.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QsciScintilla;

namespace morvane::ui {

class SourceEditor : public QObject, public search::Viewer {
    Q_OBJECT
public:
    // Configures `editor` (UTF-8 document, both scroll bars, Tab accepted, the selection kept
    // visible without focus) and binds to it; `caption` is stSource. Both must outlive this.
    SourceEditor(QsciScintilla* editor, QLabel* caption, QObject* parent = nullptr);

    QsciScintilla* editor() const { return m_editor; }

    // search::Viewer.
    std::string text() const override;
    void setText(const std::string& text) override;
    int selStart() const override;
    int selLength() const override;
    void setSelection(int start, int length) override;
    void replaceSelection(const std::string& text) override;
    bool modified() const override { return m_modified; }
    void setModified(bool on) override;
    search::EditorMode mode() const override { return m_mode; }
    void setMode(search::EditorMode mode) override { m_mode = mode; }
    bool supportsRichText() const override { return false; }
    std::optional<app::FileError> loadRichText(const std::filesystem::path& path) override;
    std::string richTextDocument() const override { return text(); }
    void showSourcePath(const std::filesystem::path& path) override;
    void fileLoaded() override;
    void setEditorCommands(bool saveEnabled, bool saveAsEnabled) override;
    void runSaveAs() override;

    // Number of characters (= bytes of text()).
    int length() const;
    bool isEmpty() const;
    // The control's position of text offset `offset` (clamped to the text), and back.
    long documentPosition(int offset) const;
    int offsetOf(long documentPosition) const;

    // Word wrap on or off; text, selection and modified flag stay as they are.
    void setWordWrap(bool on);
    // Puts the caret at the start without selecting anything and scrolls there.
    void caretToStart();

    // What the window does for the viewer's callbacks: after a file was loaded, to set the
    // enabled state of save and save-as, and to run the save-as command. Additional listeners
    // for a loaded file (colouring, the HTML commands) are called in the order added, after
    // the caret has gone to the start.
    std::function<void()> onFileLoaded;
    std::function<void(bool saveEnabled, bool saveAsEnabled)> onEditorCommands;
    std::function<void()> onRunSaveAs;
    void addFileLoadedListener(std::function<void()> listener);

Q_SIGNALS:
    // The text changed by the user or by replaceSelection (not by setText): reSourceChange.
    void textEdited();

protected:
    // The window sees keys before the editor: a key that is the shortcut of one of the window's
    // enabled commands (Esc, Ctrl+F, F3, ...) is left to that command, and Alt with a character
    // is a command chord, never typing.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void documentModified(int type);

    QsciScintilla* m_editor;
    QLabel* m_caption;
    search::EditorMode m_mode = search::EditorMode::Plain;
    bool m_modified = false;
    int m_settingText = 0;
    std::vector<std::function<void()>> m_loadedListeners;
};

} // namespace morvane::ui
