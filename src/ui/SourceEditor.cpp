// The viewer reSource over QScintilla: Windows-1251 text in a UTF-8 document, positions mapped
// by characters. Covered by tests/ui/tst_editor.cpp.

#include "ui/SourceEditor.h"

#include "codepage/CodePage.h"
#include "ui/DisplayText.h"
#include "ui/QsciInclude.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

namespace morvane::ui {

namespace {

using Sci = QsciScintillaBase;

// Ends of a line in the order they are looked for: the first line end of a loaded text
// decides what Enter inserts, so a typed line break matches the file's own.
QsciScintilla::EolMode EolModeOf(const std::string& text)
{
    const size_t at = text.find_first_of("\r\n");
    if (at == std::string::npos || (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n'))
        return QsciScintilla::EolWindows;
    return text[at] == '\r' ? QsciScintilla::EolMac : QsciScintilla::EolUnix;
}

} // namespace

SourceEditor::SourceEditor(QsciScintilla* editor, QLabel* caption, QObject* parent)
    : QObject(parent)
    , m_editor(editor)
    , m_caption(caption)
{
    // One character per byte of the program's text, whatever bytes the font can draw.
    m_editor->setUtf8(true);
    // The character index keeps the offset <-> position mapping proportional to one line, not
    // to the whole text.
    m_editor->SendScintilla(
        Sci::SCI_ALLOCATELINECHARACTERINDEX, static_cast<unsigned long>(Sci::SC_LINECHARACTERINDEX_UTF32));
    m_editor->SendScintilla(Sci::SCI_SETHSCROLLBAR, 1UL);
    m_editor->SendScintilla(Sci::SCI_SETVSCROLLBAR, 1UL);
    m_editor->SendScintilla(Sci::SCI_SETSCROLLWIDTHTRACKING, 1UL);
    // Tab inserts a tab character; Enter the line end of the loaded file (CR LF when empty).
    m_editor->setIndentationsUseTabs(true);
    m_editor->setTabIndents(false);
    m_editor->setAutoIndent(false);
    m_editor->setEolMode(QsciScintilla::EolWindows);
    // Line ends and control characters are text here: nothing may convert them on paste.
    m_editor->SendScintilla(Sci::SCI_SETPASTECONVERTENDINGS, 0UL);
    // Byte 0x98, which Windows-1251 leaves without a character, stands for what a Unicode file
    // held that the program's text cannot: it is drawn as the replacement mark.
    m_editor->SendScintilla(Sci::SCI_SETREPRESENTATION, "\xC2\x98", "\xEF\xBF\xBD");
    // The selection stays drawn when the focus goes elsewhere (the run shows each match while
    // the user works in the preview).
    m_editor->setSelectionToEol(false);
    m_editor->SendScintilla(Sci::SCI_HIDESELECTION, 0UL);
    m_editor->setMarginWidth(1, 0);

    m_editor->installEventFilter(this);
    connect(m_editor, &QsciScintillaBase::SCN_MODIFIED, this,
        [this](int, int type, const char*, int, int, int, int, int, int, int) { documentModified(type); });
}

bool SourceEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_editor
        || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers
        = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (event->type() == QEvent::KeyPress)
        return (modifiers & Qt::AltModifier) != 0 && (modifiers & Qt::ControlModifier) == 0
            && !key->text().isEmpty();
    // Left unaccepted, the override lets the window's shortcut run instead of the editor's own
    // binding of the key (Esc cancels, Ctrl+X cuts there).
    const QKeySequence pressed(QKeyCombination(modifiers, static_cast<Qt::Key>(key->key())));
    const QList<QAction*> actions = m_editor->window()->findChildren<QAction*>();
    for (const QAction* action : actions) {
        if (action->isEnabled() && action->shortcutContext() != Qt::WidgetShortcut
            && action->shortcuts().contains(pressed))
            return true;
    }
    return false;
}

void SourceEditor::documentModified(int type)
{
    if ((type & (Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT)) == 0 || m_settingText > 0)
        return;
    m_modified = true;
    Q_EMIT textEdited();
}

std::string SourceEditor::text() const
{
    const long size = m_editor->SendScintilla(Sci::SCI_GETLENGTH);
    if (size <= 0)
        return {};
    const auto* bytes
        = static_cast<const char*>(m_editor->SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
    return codepage::Utf8ToWin1251(std::string_view(bytes, static_cast<size_t>(size)));
}

void SourceEditor::setText(const std::string& text)
{
    const std::string utf8 = codepage::Win1251ToUtf8(text);
    ++m_settingText;
    m_editor->SendScintilla(Sci::SCI_SETUNDOCOLLECTION, 0UL);
    m_editor->SendScintilla(Sci::SCI_CLEARALL);
    // APPENDTEXT takes a length, so NUL bytes are text like any other.
    if (!utf8.empty())
        m_editor->SendScintilla(Sci::SCI_APPENDTEXT, static_cast<uintptr_t>(utf8.size()), utf8.data());
    m_editor->SendScintilla(Sci::SCI_EMPTYUNDOBUFFER);
    m_editor->SendScintilla(Sci::SCI_SETUNDOCOLLECTION, 1UL);
    --m_settingText;
    if (!m_modified)
        m_editor->SendScintilla(Sci::SCI_SETSAVEPOINT);
    m_editor->setEolMode(EolModeOf(text));
    caretToStart();
}

int SourceEditor::length() const
{
    const long size = m_editor->SendScintilla(Sci::SCI_GETLENGTH);
    return offsetOf(size);
}

bool SourceEditor::isEmpty() const
{
    return m_editor->SendScintilla(Sci::SCI_GETLENGTH) == 0;
}

long SourceEditor::documentPosition(int offset) const
{
    if (offset <= 0)
        return 0;
    const long size = m_editor->SendScintilla(Sci::SCI_GETLENGTH);
    const long line = m_editor->SendScintilla(Sci::SCI_LINEFROMINDEXPOSITION,
        static_cast<unsigned long>(offset), static_cast<long>(Sci::SC_LINECHARACTERINDEX_UTF32));
    const long lineIndex = m_editor->SendScintilla(Sci::SCI_INDEXPOSITIONFROMLINE,
        static_cast<unsigned long>(line), static_cast<long>(Sci::SC_LINECHARACTERINDEX_UTF32));
    const long lineStart
        = m_editor->SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long rest = offset - lineIndex;
    if (rest <= 0)
        return lineStart;
    // POSITIONRELATIVE answers 0 for a count past the end: the offset is clamped to the end.
    const long position
        = m_editor->SendScintilla(Sci::SCI_POSITIONRELATIVE, static_cast<unsigned long>(lineStart), rest);
    return position == 0 ? size : position;
}

int SourceEditor::offsetOf(long documentPosition) const
{
    const long size = m_editor->SendScintilla(Sci::SCI_GETLENGTH);
    const long position = std::clamp(documentPosition, 0L, size);
    const long line
        = m_editor->SendScintilla(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
    const long lineIndex = m_editor->SendScintilla(Sci::SCI_INDEXPOSITIONFROMLINE,
        static_cast<unsigned long>(line), static_cast<long>(Sci::SC_LINECHARACTERINDEX_UTF32));
    const long lineStart
        = m_editor->SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long inLine
        = m_editor->SendScintilla(Sci::SCI_COUNTCHARACTERS, static_cast<unsigned long>(lineStart), position);
    return static_cast<int>(lineIndex + inLine);
}

int SourceEditor::selStart() const
{
    return offsetOf(m_editor->SendScintilla(Sci::SCI_GETSELECTIONSTART));
}

int SourceEditor::selLength() const
{
    const long start = m_editor->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long end = m_editor->SendScintilla(Sci::SCI_GETSELECTIONEND);
    if (end <= start)
        return 0;
    const long startLine
        = m_editor->SendScintilla(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start));
    const long endLine = m_editor->SendScintilla(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(end));
    if (startLine == endLine)
        return static_cast<int>(
            m_editor->SendScintilla(Sci::SCI_COUNTCHARACTERS, static_cast<unsigned long>(start), end));
    return offsetOf(end) - offsetOf(start);
}

void SourceEditor::setSelection(int start, int length)
{
    const long from = documentPosition(start);
    const long to = length > 0 ? documentPosition(start + length) : from;
    // The caret goes to the end of the selection; the start is scrolled into view with it when
    // both fit.
    m_editor->SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(from), to);
    m_editor->SendScintilla(Sci::SCI_SCROLLRANGE, static_cast<unsigned long>(to), from);
}

void SourceEditor::replaceSelection(const std::string& text)
{
    const long start = m_editor->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long end = m_editor->SendScintilla(Sci::SCI_GETSELECTIONEND);
    const std::string utf8 = codepage::Win1251ToUtf8(text);
    m_editor->SendScintilla(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(start), end);
    m_editor->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<uintptr_t>(utf8.size()), utf8.data());
    const long caret = start + static_cast<long>(utf8.size());
    m_editor->SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(caret), caret);
    m_modified = true;
}

void SourceEditor::setModified(bool on)
{
    m_modified = on;
    if (!on)
        m_editor->SendScintilla(Sci::SCI_SETSAVEPOINT);
}

std::optional<app::FileError> SourceEditor::loadRichText(const std::filesystem::path& path)
{
    // Never asked for: supportsRichText() is false, so ".RTF" files come as plain text.
    return app::FileError { "Rich-text documents are not supported: " + app::PathText(path) };
}

void SourceEditor::showSourcePath(const std::filesystem::path& path)
{
    m_caption->setText(path.empty() ? QString() : ToDisplay(app::PathText(path)));
}

void SourceEditor::fileLoaded()
{
    caretToStart();
    if (onFileLoaded)
        onFileLoaded();
    for (const auto& listener : m_loadedListeners)
        listener();
}

void SourceEditor::addFileLoadedListener(std::function<void()> listener)
{
    m_loadedListeners.push_back(std::move(listener));
}

void SourceEditor::setEditorCommands(bool saveEnabled, bool saveAsEnabled)
{
    if (onEditorCommands)
        onEditorCommands(saveEnabled, saveAsEnabled);
}

void SourceEditor::runSaveAs()
{
    if (onRunSaveAs)
        onRunSaveAs();
}

void SourceEditor::setWordWrap(bool on)
{
    // Wrapping only changes how lines are laid out, never the document: text, selection and
    // the modified flag are untouched.
    m_editor->setWrapMode(on ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
}

void SourceEditor::caretToStart()
{
    m_editor->SendScintilla(Sci::SCI_GOTOPOS, 0UL);
}

} // namespace morvane::ui
