#pragma once
// The working text the passes and the editor share, and the editor's file commands: loading a
// file in the chosen code page, clearing, asking to save, saving, and the two writers of text
// files in the chosen code page. One instance, owned by the main window.
// Covered by tests/search/WorkTextTest.cpp and tests/search/WorkTextWriteTest.cpp.
//
// Every write replaces the file crash-safely through Backups::RewriteFile (the backup copy, when
// the option is on, is made there, so a save makes exactly one copy). The code page choice is
// the stored value of cbCodePage: 0 Windows-1251, 1 KOI8-R, 2 DOS-866, 3 "AutoDetect", which
// reads by the detected code page and writes in the one the last load detected, and 4 UTF-8.
//
// A plain file is read through codepage::DecodeFileText, and what writing it back needs (its
// code page, its byte-order mark, whether the text holds all of it) stays beside the working
// text. A text that does not hold all of its file (characters Windows-1251 lacks, broken UTF-8,
// a UTF-16 or UTF-32 file) is never written: the writers refuse it with writeRefusal().

#include "codepage/UnicodeText.h"
#include "search/Backups.h"
#include "search/PassControl.h"
#include "search/Viewer.h"

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::search {

// The choices of cbCodePage by their stored values. UTF-8 came after "AutoDetect" had its value,
// so the box shows it before "AutoDetect" while its stored value is the next free one.
enum class CodePageChoice : int { Win1251 = 0, Koi8r = 1, Dos866 = 2, AutoDetect = 3, Utf8 = 4 };

// The code page number (0 to 3) a fixed choice reads in; -1 for "AutoDetect".
int CodePageOfChoice(CodePageChoice choice);

// What writing a text back to its file needs to know of how it was read.
struct TextOrigin {
    int codePage = 0; // 0 to 3, as codepage::CodePageId
    codepage::ByteOrderMark bom = codepage::ByteOrderMark::None;
    codepage::TextLoss loss = codepage::TextLoss::None;

    bool writable() const { return loss == codepage::TextLoss::None; }
};

// Why a text read with `loss` may not be written (program text, e.g. "not changed: characters
// outside Windows-1251"); empty for TextLoss::None.
std::string TextLossNote(codepage::TextLoss loss);

class WorkTextEditor {
public:
    // Every collaborator must outlive the editor.
    WorkTextEditor(PassControl& control, Viewer& viewer, Backups& backups);

    // The file's text as the passes see it (Windows-1251 after loading).
    const std::string& workText() const { return m_workText; }
    void setWorkText(std::string text) { m_workText = std::move(text); }
    // The working text itself, for a pass that replaces in it without copying it.
    std::string& workTextBuffer() { return m_workText; }
    // The path last loaded into the working text.
    const std::filesystem::path& CurrentFilePath() const { return m_currentFilePath; }
    // The editor's file (stSource): empty when the editor holds none.
    const std::filesystem::path& sourcePath() const { return m_sourcePath; }
    // Makes `path` the editor's file and shows it above the viewer. The interactive run does
    // this for every file it opens, so that saving, and the offer to save after a stopped run,
    // name the file the viewer holds.
    void setSourcePath(const std::filesystem::path& path);

    CodePageChoice codePage() const { return m_codePage; }
    void setCodePage(CodePageChoice choice) { m_codePage = choice; }
    // The code page the last "AutoDetect" load found (0 at start; 3 for UTF-8).
    int DetectedCodePage() const { return m_detectedCodePage; }
    // How the working text was read; a text set by setWorkText keeps the origin of the text it
    // was made from.
    const TextOrigin& textOrigin() const { return m_origin; }
    // Empty when the working text may be written back; otherwise why not (TextLossNote).
    std::string writeRefusal() const { return TextLossNote(m_origin.loss); }
    // The code page a pass's write converts to: the chosen one, or the detected one for
    // "AutoDetect".
    int targetCodePage() const;
    // The code page the editor saves in: the one its file was read in, whatever the passes
    // have read since (they share the working text); targetCodePage() when it holds no file.
    int editorCodePage() const;

    // Whether `path` names a rich-text file: its extension from the last ".", upper-cased by
    // the Windows-1251 rule, is ".RTF".
    static bool IsRichTextName(const std::filesystem::path& path);
    // The mode a file opens in: rich text for a rich-text name when the viewer can show it.
    EditorMode modeFor(const std::filesystem::path& path) const;

    // Reads `path` into the working text converted to Windows-1251 (putting the viewer into the
    // file's mode; a rich-text file is loaded into the viewer). A failure is shown in a message
    // box and returns false.
    bool LoadWorkText(const std::filesystem::path& path);

    // The load command's core: asks to save, empties the editor, loads `path` into it. False
    // (the editor stays empty) when the file cannot be read.
    bool LoadIntoEditor(const std::filesystem::path& path);
    // Empties the editor, asking to save first unless the program is starting up.
    void ClearEditor(bool startingUp = false);
    // If the editor is modified and holds a file: message 5 and the path; Yes saves.
    void AskSaveEditor();
    // Writes the editor's content to `path` if it is modified (an empty path runs save-as).
    // A failed write is shown and returns false; the editor stays modified.
    bool SaveEditor(const std::filesystem::path& path);
    // The save-as command after the user chose `path`: the editor takes the mode of the new
    // name and writes itself there. A failed write is shown and returns false.
    bool SaveEditorAs(const std::filesystem::path& path);
    // The load command (Shift+F4) on the file panel's current item. Nothing while busy or
    // while a pass loop runs; a directory gets message 18; otherwise a waiting interactive run
    // ends and the file is loaded. The window closes the collecting output file first when it
    // is this same file.
    void tbLoadFileClick(const std::filesystem::path& item, bool directory);
    // The save command (F2): nothing while busy; on the work page a modified editor asks
    // (message 5 and the path) and Yes saves. Leaves the busy state also after a failed write.
    void tbSaveClick(bool workPageActive);
    // The code page box's selection: a plain file in the editor is read again in the new code
    // page, keeping the selection and the modified flag; a waiting interactive run ends first,
    // and a modified text is offered for saving in the code page it was read in. False (nothing
    // changed, the box should go back) while a pass or the colouring runs.
    bool cbCodePageSelect(CodePageChoice choice);

    // Writes the working text to `path` in the target code page, with a backup copy of an
    // existing file when backups are on. The working text keeps the converted bytes. UTF-8
    // gets the byte-order mark back when the text was read from UTF-8 with one. A text that
    // does not hold all of its file is refused: the error names the path and writeRefusal().
    std::optional<app::FileError> WriteWorkText(const std::filesystem::path& path);
    // WriteWorkText as one file of a batch (Backups::stageRewrite): converted and in its
    // temporary file now, in place once the pass commits the batch. An error here means
    // nothing was staged and the file is as it was.
    std::optional<app::FileError> StageWorkText(const std::filesystem::path& path);
    // StageWorkText for a new text given in pieces (Windows-1251; each piece may be changed):
    // BeginStagedText makes the checks and the temporary file, each piece is converted as the
    // working text would be, EndStagedText puts the file into the batch and returns the error
    // of a piece that could not be written (nothing staged then). An error from
    // BeginStagedText stages nothing: StageWorkText on the whole text reports it the same way.
    std::optional<app::FileError> BeginStagedText(const std::filesystem::path& path);
    void StageTextPiece(std::string& piece);
    std::optional<app::FileError> EndStagedText();
    // Writes `text` to `path` in the target code page, without a backup copy.
    std::optional<app::FileError> WriteTextFile(
        const std::string& text, const std::filesystem::path& path) const;

    // The backup copies and the locked writes every rewrite goes through.
    Backups& backups() { return m_backups; }

    // Set when a command changed the editor's file on disk; ReloadViewer reads it again.
    bool ViewerNeedsReload() const { return m_viewerNeedsReload; }
    // Sets ViewerNeedsReload when `path` is the editor's file (exact comparison).
    void noteFileChanged(const std::filesystem::path& path);
    // Reads the editor's file again by the viewer's mode, clears the modified flag and
    // ViewerNeedsReload.
    void ReloadViewer();
    // Enables save and save-as by the editor's state.
    void UpdateEditorCommands();

private:
    // Reads the file as bytes into the working text and decodes it to Windows-1251.
    std::optional<app::FileError> loadPlain(const std::filesystem::path& path);
    // Refuses a text that does not hold all of its file, else converts it for writing.
    std::optional<app::FileError> encodeForWriting(const std::filesystem::path& path);
    // Refuses a text that does not hold all of its file, else chooses how it is written: the
    // target code page, and the byte-order mark a UTF-8 file read with one gets back.
    std::optional<app::FileError> chooseWriteEncoding(const std::filesystem::path& path);
    // Converts `text` from Windows-1251 to the chosen code page, the mark (if still due) first.
    void encodeForWrite(std::string& text);
    // LoadIntoEditor without the question.
    bool loadEditorFile(const std::filesystem::path& path);
    // Writes the viewer's plain text to `path` in editorCodePage(), with a backup copy.
    std::optional<app::FileError> writeEditorText(const std::filesystem::path& path);
    void emptyEditor();

    PassControl& m_control;
    Viewer& m_viewer;
    Backups& m_backups;
    std::string m_workText;
    std::filesystem::path m_currentFilePath;
    std::filesystem::path m_sourcePath;
    CodePageChoice m_codePage = CodePageChoice::Win1251;
    int m_detectedCodePage = 0;
    TextOrigin m_origin; // how the working text was last read
    // How the working text (or a staged text in pieces) is written: its code page, and the
    // byte-order mark still to come.
    int m_writeCodePage = 0;
    codepage::ByteOrderMark m_writeBom = codepage::ByteOrderMark::None;
    TextOrigin m_editorOrigin; // how the editor's file was read
    bool m_viewerNeedsReload = false;
};

} // namespace morvane::search
