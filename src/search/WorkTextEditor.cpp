// The working text and the editor's file commands. Tests: tests/search/WorkTextTest.cpp,
// tests/search/WorkTextWriteTest.cpp.

#include "search/WorkTextEditor.h"

#include "search/PassTextReader.h"

#include "app/FileIo.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "codepage/UnicodeText.h"

#include <string_view>

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

constexpr int kMsgSaveChanges = 5;
constexpr int kMsgChooseFile = 18;
constexpr int kMsgNotChangedOutside1251 = 420;
constexpr int kMsgNotChangedInvalidUtf8 = 421;
constexpr int kMsgNotChangedWideUnicode = 422;

// Upper case by the Windows-1251 rule of file extensions: ASCII a to z and 0xE0 to 0xFF.
unsigned char ExtensionUpper(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || c >= 0xE0)
        return static_cast<unsigned char>(c - 32);
    return c;
}

} // namespace

int CodePageOfChoice(CodePageChoice choice)
{
    switch (choice) {
    case CodePageChoice::Win1251:
        return codepage::kWin1251;
    case CodePageChoice::Koi8r:
        return codepage::kKoi8r;
    case CodePageChoice::Dos866:
        return codepage::kDos866;
    case CodePageChoice::Utf8:
        return codepage::kUtf8;
    case CodePageChoice::AutoDetect:
        break;
    }
    return -1;
}

std::string TextLossNote(codepage::TextLoss loss)
{
    switch (loss) {
    case codepage::TextLoss::None:
        break;
    case codepage::TextLoss::Unrepresentable:
        return app::Msg(kMsgNotChangedOutside1251);
    case codepage::TextLoss::Invalid:
        return app::Msg(kMsgNotChangedInvalidUtf8);
    case codepage::TextLoss::WideUnicode:
        return app::Msg(kMsgNotChangedWideUnicode);
    }
    return {};
}

WorkTextEditor::WorkTextEditor(PassControl& control, Viewer& viewer, Backups& backups)
    : m_control(control)
    , m_viewer(viewer)
    , m_backups(backups)
{
}

int WorkTextEditor::targetCodePage() const
{
    if (m_codePage == CodePageChoice::AutoDetect)
        return m_detectedCodePage;
    return CodePageOfChoice(m_codePage);
}

bool WorkTextEditor::IsRichTextName(const fs::path& path)
{
    // Asked for every file of a pass: compared in place, without a copy of the path.
    const std::string_view text = path.native();
    const size_t dot = text.rfind('.');
    if (dot == std::string_view::npos || text.size() - dot != 4)
        return false;
    static constexpr std::string_view kRich = ".RTF";
    for (size_t i = 0; i < kRich.size(); ++i) {
        if (ExtensionUpper(static_cast<unsigned char>(text[dot + i])) != static_cast<unsigned char>(kRich[i]))
            return false;
    }
    return true;
}

EditorMode WorkTextEditor::modeFor(const fs::path& path) const
{
    return IsRichTextName(path) && m_viewer.supportsRichText() ? EditorMode::Rich : EditorMode::Plain;
}

std::optional<app::FileError> WorkTextEditor::loadPlain(const fs::path& path)
{
    PassTextRead read;
    if (std::optional<app::FileError> error = ReadPassText(path, m_codePage, m_workText, &read))
        return error;
    m_currentFilePath = path;
    if (m_codePage == CodePageChoice::AutoDetect)
        m_detectedCodePage = read.codePage;
    m_origin = read.origin;
    return std::nullopt;
}

bool WorkTextEditor::LoadWorkText(const fs::path& path)
{
    const EditorMode mode = modeFor(path);
    m_viewer.setMode(mode);
    std::optional<app::FileError> error;
    if (mode == EditorMode::Plain) {
        error = loadPlain(path);
    } else {
        error = m_viewer.loadRichText(path);
        if (!error) {
            m_workText = m_viewer.text();
            m_origin = {};
            m_currentFilePath = path;
            m_viewer.setModified(false);
        }
    }
    if (error) {
        m_control.dialogs().showMessage(error->message);
        return false;
    }
    return true;
}

void WorkTextEditor::setSourcePath(const fs::path& path)
{
    // The interactive run puts the file it has just read into the editor.
    if (path == m_currentFilePath)
        m_editorOrigin = m_origin;
    m_sourcePath = path;
    m_viewer.showSourcePath(m_sourcePath);
}

void WorkTextEditor::emptyEditor()
{
    m_sourcePath.clear();
    m_viewer.showSourcePath(m_sourcePath);
    m_viewer.setText("");
    m_viewer.setModified(false);
    // What is typed into an empty editor comes from no file.
    m_editorOrigin = {};
}

bool WorkTextEditor::LoadIntoEditor(const fs::path& path)
{
    AskSaveEditor();
    return loadEditorFile(path);
}

bool WorkTextEditor::loadEditorFile(const fs::path& requested)
{
    const fs::path path = requested; // may be sourcePath(), which emptying the editor clears
    emptyEditor();
    const EditorMode mode = modeFor(path);
    m_viewer.setMode(mode);
    std::optional<app::FileError> error;
    if (mode == EditorMode::Plain) {
        error = loadPlain(path);
        if (!error) {
            m_viewer.setText(m_workText);
            m_editorOrigin = m_origin;
        }
    } else {
        error = m_viewer.loadRichText(path);
        if (!error) {
            m_workText = m_viewer.text();
            m_origin = {};
            m_currentFilePath = path;
        }
    }
    if (error) {
        m_viewer.setText("");
        m_control.dialogs().showMessage(error->message);
        UpdateEditorCommands();
        return false;
    }
    m_viewer.setModified(false);
    m_sourcePath = path;
    m_viewer.showSourcePath(m_sourcePath);
    m_viewer.fileLoaded();
    UpdateEditorCommands();
    return true;
}

void WorkTextEditor::ClearEditor(bool startingUp)
{
    if (!startingUp)
        AskSaveEditor();
    emptyEditor();
    if (!m_control.IsBusy())
        UpdateEditorCommands();
}

void WorkTextEditor::AskSaveEditor()
{
    if (!m_viewer.modified() || m_sourcePath.empty())
        return;
    const fs::path path = m_sourcePath;
    if (m_control.dialogs().confirm(app::Msg(kMsgSaveChanges) + "\r\n" + app::PathText(path)))
        SaveEditor(path);
}

bool WorkTextEditor::SaveEditor(const fs::path& path)
{
    bool saved = true;
    if (m_viewer.modified()) {
        if (path.empty()) {
            m_viewer.runSaveAs();
        } else {
            std::optional<app::FileError> error;
            if (m_viewer.mode() == EditorMode::Plain) {
                // The backup copy is made inside the crash-safe rewrite, only once the new
                // content is complete on disk.
                error = writeEditorText(path);
            } else {
                error = m_backups.RewriteFile(path, m_viewer.richTextDocument());
            }
            if (error) {
                m_control.dialogs().showMessage(error->message);
                saved = false;
            } else {
                m_viewer.setModified(false);
            }
        }
    }
    UpdateEditorCommands();
    return saved;
}

bool WorkTextEditor::SaveEditorAs(const fs::path& path)
{
    const EditorMode mode = modeFor(path);
    m_viewer.setMode(mode);
    std::optional<app::FileError> error;
    if (mode == EditorMode::Plain) {
        error = writeEditorText(path);
    } else {
        error = m_backups.RewriteFile(path, m_viewer.richTextDocument());
    }
    if (error) {
        m_control.dialogs().showMessage(error->message);
        UpdateEditorCommands();
        return false;
    }
    m_sourcePath = path;
    m_currentFilePath = path;
    m_viewer.showSourcePath(m_sourcePath);
    m_viewer.setModified(false);
    UpdateEditorCommands();
    return true;
}

void WorkTextEditor::tbLoadFileClick(const fs::path& item, bool directory)
{
    // Also refused while a pass loop or the colouring pumps messages after an abort request:
    // the loop still works on the viewer's text and would write it under the new file's name.
    if (!m_control.canStartPass())
        return;
    if (directory) {
        m_control.dialogs().showMessage(app::Msg(kMsgChooseFile));
        return;
    }
    m_control.window().endInteractiveRun();
    LoadIntoEditor(item);
}

void WorkTextEditor::tbSaveClick(bool workPageActive)
{
    if (m_control.IsBusy())
        return;
    m_control.SetBusy(true);
    if (workPageActive && m_viewer.modified()) {
        const fs::path path = m_sourcePath;
        if (m_control.dialogs().confirm(app::Msg(kMsgSaveChanges) + "\r\n" + app::PathText(path)))
            SaveEditor(path);
    }
    m_control.SetBusy(false);
    UpdateEditorCommands();
}

bool WorkTextEditor::cbCodePageSelect(CodePageChoice choice)
{
    if (!m_control.canStartPass())
        return false;
    if (m_sourcePath.empty() || m_viewer.mode() != EditorMode::Plain) {
        m_codePage = choice;
        return true;
    }
    // The reload replaces the viewer's text: a run waiting at a match in it would replace at
    // stale positions.
    m_control.window().endInteractiveRun();
    // The question saves the text in the code page it was read in; the new one applies to
    // the reload.
    AskSaveEditor();
    m_codePage = choice;
    const int start = m_viewer.selStart();
    const int length = m_viewer.selLength();
    const bool modified = m_viewer.modified();
    if (loadEditorFile(m_sourcePath)) {
        m_viewer.setSelection(start, length);
        m_viewer.setModified(modified);
        UpdateEditorCommands();
    }
    return true;
}

std::optional<app::FileError> WorkTextEditor::WriteWorkText(const fs::path& path)
{
    if (std::optional<app::FileError> refused = encodeForWriting(path))
        return refused;
    return m_backups.RewriteFile(path, m_workText);
}

std::optional<app::FileError> WorkTextEditor::StageWorkText(const fs::path& path)
{
    if (std::optional<app::FileError> refused = encodeForWriting(path))
        return refused;
    return m_backups.stageRewrite(path, m_workText);
}

std::optional<app::FileError> WorkTextEditor::BeginStagedText(const fs::path& path)
{
    if (std::optional<app::FileError> refused = chooseWriteEncoding(path))
        return refused;
    return m_backups.beginStaged(path);
}

void WorkTextEditor::StageTextPiece(std::string& piece)
{
    // Every byte of Windows-1251 is a whole character in every target code page, so pieces
    // cut anywhere convert as the whole text would.
    encodeForWrite(piece);
    m_backups.appendStaged(piece);
}

std::optional<app::FileError> WorkTextEditor::EndStagedText()
{
    return m_backups.endStaged();
}

std::optional<app::FileError> WorkTextEditor::encodeForWriting(const fs::path& path)
{
    if (std::optional<app::FileError> refused = chooseWriteEncoding(path))
        return refused;
    encodeForWrite(m_workText);
    return std::nullopt;
}

std::optional<app::FileError> WorkTextEditor::chooseWriteEncoding(const fs::path& path)
{
    if (!m_origin.writable())
        return app::FileError { app::PathText(path) + ": " + writeRefusal() };
    m_writeCodePage = targetCodePage();
    m_writeBom = m_writeCodePage == codepage::kUtf8 && m_origin.codePage == codepage::kUtf8
        ? m_origin.bom
        : codepage::ByteOrderMark::None;
    return std::nullopt;
}

void WorkTextEditor::encodeForWrite(std::string& text)
{
    // An 8-bit code page maps byte for byte, so the text of a large file is converted where it
    // is instead of beside a second copy; only UTF-8 grows and needs a new buffer.
    if (m_writeCodePage != codepage::kUtf8) {
        codepage::ConvertTextInPlace(text, codepage::kWin1251, m_writeCodePage);
        return;
    }
    text = codepage::EncodeFileText(text, m_writeCodePage, m_writeBom);
    m_writeBom = codepage::ByteOrderMark::None; // once, before the first piece
}

int WorkTextEditor::editorCodePage() const
{
    return m_sourcePath.empty() ? targetCodePage() : m_editorOrigin.codePage;
}

std::optional<app::FileError> WorkTextEditor::writeEditorText(const fs::path& path)
{
    // A text that does not hold all of its file (characters outside Windows-1251, invalid
    // UTF-8, a UTF-16 file) would lose them: refused, also under another name.
    if (!m_editorOrigin.writable())
        return app::FileError { app::PathText(path) + ": " + TextLossNote(m_editorOrigin.loss) };
    const int codePage = editorCodePage();
    const codepage::ByteOrderMark bom = codePage == codepage::kUtf8 && m_editorOrigin.codePage == codepage::kUtf8
        ? m_editorOrigin.bom
        : codepage::ByteOrderMark::None;
    m_workText = codepage::EncodeFileText(m_viewer.text(), codePage, bom);
    std::optional<app::FileError> error = m_backups.RewriteFile(path, m_workText);
    if (!error)
        m_editorOrigin = { codePage, bom, codepage::TextLoss::None };
    return error;
}

std::optional<app::FileError> WorkTextEditor::WriteTextFile(
    const std::string& text, const fs::path& path) const
{
    return Backups::WriteFileSafely(path, codepage::EncodeFileText(text, targetCodePage()));
}

void WorkTextEditor::noteFileChanged(const fs::path& path)
{
    if (!m_sourcePath.empty() && path.native() == m_sourcePath.native())
        m_viewerNeedsReload = true;
}

void WorkTextEditor::ReloadViewer()
{
    if (!m_sourcePath.empty()) {
        m_viewer.setText("");
        std::optional<app::FileError> error;
        if (m_viewer.mode() == EditorMode::Plain) {
            error = loadPlain(m_sourcePath);
            if (!error) {
                m_viewer.setText(m_workText);
                m_editorOrigin = m_origin;
                m_viewer.fileLoaded();
            }
        } else {
            error = m_viewer.loadRichText(m_sourcePath);
        }
        if (error)
            m_control.dialogs().showMessage(error->message);
        m_viewer.setModified(false);
    }
    UpdateEditorCommands();
    m_viewerNeedsReload = false;
}

void WorkTextEditor::UpdateEditorCommands()
{
    m_viewer.setEditorCommands(m_viewer.modified() && !m_sourcePath.empty(), !m_viewer.text().empty());
}

} // namespace morvane::search
