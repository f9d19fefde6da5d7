// The steps of the interactive replace run between two answers: finding, selecting, computing
// and applying a replacement, the continuation point, the next rule, the rest of a file, and
// leaving a file. Tests: tests/search/InteractiveRunTest.cpp, InteractiveRunFilesTest.cpp,
// InteractiveRunColourSetupTest.cpp.

#include "search/InteractiveRun.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "regex/ERegex.h"
#include "search/EngineAbortScope.h"
#include "rules/ReplacementByMode.h"
#include "search/OutputName.h"
#include "template/EvaluateTemplate.h"

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

constexpr int kMsgCannotSelect1 = 57;
constexpr int kMsgCannotSelect2 = 58;
constexpr int kMsgCannotSelect3 = 59;

// Lines of a message box: line feed, then carriage return.
constexpr const char* kBoxLineBreak = "\n\r";

// The search goes on after a match; after an empty one a character further, so that an empty
// match is never found twice at the same place.
int PositionAfter(int start, int length)
{
    return start + length + (length == 0 ? 1 : 0);
}

} // namespace

bool InteractiveRun::FindFirstMatchInFile(const fs::path& path)
{
    if (m_control.AbortRequested())
        return false;
    // The collecting output file is never searched.
    const fs::path collecting = m_output.collectingFilePath();
    if (!collecting.empty() && collecting == path)
        return false;
    if (!m_editor.LoadWorkText(path))
        return false;
    m_currentFile = path;
    m_offsetShift = 0;
    try {
        m_compiler.engine().SetInputString(m_editor.workText());
        if (!m_rules.findFirst(m_compiler))
            return false;
    } catch (const regex::ERegex& e) {
        // This file is left alone; the run goes on with the next one. A search beyond the
        // engine's limits is reported as every pass reports it: a row with the error, counted
        // in the summary.
        if (IsSearchLimit(e)) {
            ++m_counters.FilesNotSearched;
            m_report.addRow({ path, std::nullopt, std::nullopt, e.what() });
            m_control.dialogs().reportFileFailure(path, e.what());
        } else {
            m_control.dialogs().showMessage(app::PathText(path) + ": " + e.what());
        }
        return false;
    }
    if (mode() == OutputMode::InPlace && !m_editor.textOrigin().writable()) {
        // Saving the file would lose what its text could not hold: it is not offered at all,
        // and is reported as every pass reports a file it left as it was.
        ++m_counters.FilesFailed;
        m_report.addRow({ path, std::nullopt, std::nullopt, m_editor.writeRefusal() });
        m_control.dialogs().reportFileFailure(path, m_editor.writeRefusal());
        return false;
    }
    takeMatch();
    return true;
}

bool InteractiveRun::openFileForConfirmation()
{
    ++m_counters.FilesFound;
    ++m_counters.MatchesInFile;
    ++m_counters.MatchesTotal;
    m_editor.setSourcePath(m_currentFile);
    if (mode() == OutputMode::FileSplit)
        m_output.setStReplToFile(OutputName(m_output.splitSettings(), m_currentFile, runCounters()));
    if (m_viewer.mode() == EditorMode::Plain) {
        m_viewer.setText("");
        m_viewer.setText(m_editor.workText());
    }
    m_viewer.fileLoaded();
    m_viewer.setModified(false);
    if (!SelectMatch())
        return false;
    EnableConfirmButtons();
    ShowRunStatus();
    return true;
}

void InteractiveRun::takeMatch()
{
    const regex::TRegex& engine = m_compiler.engine();
    m_matchStart = engine.GroupStart(0);
    m_matchLength = engine.GroupLength(0);
}

bool InteractiveRun::SelectMatch()
{
    const regex::TRegex& engine = m_compiler.engine();
    const int group = colourSetup() ? 1 : 0;
    const int start = engine.GroupStart(group) + m_offsetShift - 1;
    const int length = engine.GroupLength(group);
    bool selected = false;
    if (engine.GroupStart(group) >= 1 && start >= 0 && length >= 0) {
        m_viewer.setSelection(start, length);
        // The viewer may clamp or map positions differently; only an exact selection of the
        // match is good enough to replace.
        selected = m_viewer.selStart() == start && m_viewer.selLength() == length;
    }
    if (!selected) {
        m_controls.setPreviewText("");
        if (waiting())
            DisableConfirmButtons();
        m_control.SetBusy(false);
        m_control.dialogs().showMessage(app::Msg(kMsgCannotSelect1) + kBoxLineBreak
            + app::Msg(kMsgCannotSelect2) + kBoxLineBreak + app::Msg(kMsgCannotSelect3));
        return false;
    }
    if (colourSetup()) {
        m_controls.setPreviewText(engine.GroupText(1));
        m_colourSetup->PreviewAttributes();
    } else {
        m_controls.setPreviewText(ComputeReplacement());
    }
    m_controls.showEditingPage();
    return true;
}

std::string InteractiveRun::ComputeReplacement()
{
    regex::TRegex& engine = m_compiler.engine();
    const templ::RunCounters counters = runCounters();
    return rules::ReplacementByMode(
        m_compiler.replaceMode(), m_rules.replaceText(), engine, [&](std::string_view templateText) {
            return templ::EvaluateTemplate(templateText, engine, counters, m_currentFile);
        });
}

bool InteractiveRun::writeOutput(const std::string& text)
{
    std::optional<app::FileError> error;
    if (mode() == OutputMode::FileSplit) {
        const fs::path name = OutputName(m_output.splitSettings(), m_currentFile, runCounters());
        error = m_editor.WriteTextFile(text, name);
        if (!error)
            m_editor.noteFileChanged(name);
    } else {
        if (m_counters.FilesChanged == 0)
            m_counters.FilesChanged = 1;
        if (m_target.collectingFile)
            error = m_target.collectingFile->append(text);
    }
    if (error) {
        endWithError(error->message);
        return false;
    }
    return true;
}

void InteractiveRun::countReplacement()
{
    ++m_counters.ReplacementsInFile;
    ++m_counters.ReplacementsTotal;
    ShowRunStatus();
}

void InteractiveRun::ReplaceCurrent()
{
    if (m_control.AbortRequested())
        return;
    const std::string text = m_controls.previewText();
    if (colourSetup()) {
        m_colourSetup->ApplyAttributes();
    } else if (m_target.toFiles()) {
        if (!writeOutput(text))
            return;
    } else {
        // Whatever the viewer has selected now is replaced, also when the user moved the
        // selection; the continuation point notices that and searches the viewer's text.
        m_offsetShift += static_cast<int>(text.size()) - m_viewer.selLength();
        m_viewer.replaceSelection(text);
        if (!m_currentFileChanged) {
            m_currentFileChanged = true;
            ++m_counters.FilesChanged;
        }
    }
    countReplacement();
}

int InteractiveRun::continuationPoint()
{
    const int end = m_viewer.selStart() + m_viewer.selLength();
    if (end - m_offsetShift + 1 == m_matchStart + m_matchLength)
        return PositionAfter(m_matchStart, m_matchLength);
    // The user edited the viewer or moved the selection: the engine takes the viewer's text
    // and goes on after the selection.
    m_compiler.engine().SetInputString(m_viewer.text());
    m_offsetShift = 0;
    return end + 1;
}

bool InteractiveRun::searchFrom(int position)
{
    regex::TRegex& engine = m_compiler.engine();
    if (position > static_cast<int>(engine.InputString().size()) + 1)
        return false;
    if (!engine.ExecPos(position))
        return false;
    takeMatch();
    return true;
}

void InteractiveRun::FindNextMatch()
{
    if (m_control.AbortRequested())
        return;
    const bool found = searchFrom(continuationPoint()) || NextRule(NextRuleCaller::FindNextMatch);
    if (found) {
        ++m_counters.MatchesInFile;
        ++m_counters.MatchesTotal;
        if (mode() == OutputMode::FileSplit)
            m_output.setStReplToFile(OutputName(m_output.splitSettings(), m_currentFile, runCounters()));
        SelectMatch();
        return;
    }
    if (colourSetup())
        DisableConfirmButtons();
    else
        FinishFileAndAdvance();
}

bool InteractiveRun::NextRule(NextRuleCaller caller)
{
    if (!m_rules.hasNextRow())
        return false;
    // The next rule works on the text the earlier rules left.
    if (caller == NextRuleCaller::FindNextMatch) {
        if (m_viewer.modified())
            m_editor.setWorkText(m_viewer.text());
    } else if (m_viewer.mode() == EditorMode::Rich) {
        m_editor.setWorkText(m_viewer.text());
    }
    m_offsetShift = 0;
    m_compiler.engine().SetInputString(m_editor.workText());
    if (!m_rules.nextRule(m_compiler))
        return false;
    takeMatch();
    return true;
}

void InteractiveRun::replaceDirect()
{
    if (colourSetup()) {
        m_colourSetup->ApplyAttributes();
    } else {
        const std::string text = ComputeReplacement();
        if (m_target.toFiles()) {
            if (!writeOutput(text))
                return;
        } else {
            std::string workText = m_editor.workText();
            workText.replace(static_cast<size_t>(m_matchStart - 1 + m_offsetShift),
                static_cast<size_t>(m_matchLength), text);
            m_editor.setWorkText(std::move(workText));
            m_offsetShift += static_cast<int>(text.size()) - m_matchLength;
            if (!m_currentFileChanged) {
                m_currentFileChanged = true;
                ++m_counters.FilesChanged;
            }
        }
    }
    countReplacement();
}

void InteractiveRun::ReplaceAllInFile()
{
    if (m_control.AbortRequested())
        return;
    ReplaceCurrent();
    if (m_failed)
        return;
    int position = continuationPoint();

    if (m_viewer.mode() == EditorMode::Plain) {
        // The rest of the file is replaced in the working text and shown once at the end.
        if (!colourSetup())
            m_editor.setWorkText(m_viewer.text());
        while (searchFrom(position) || NextRule(NextRuleCaller::ReplaceAllInFile)) {
            if (m_control.AbortRequested())
                break;
            ++m_counters.MatchesInFile;
            ++m_counters.MatchesTotal;
            if (colourSetup() && !SelectMatch())
                break;
            replaceDirect();
            if (m_failed)
                break;
            position = PositionAfter(m_matchStart, m_matchLength);
        }
        if (!colourSetup())
            m_viewer.setText(m_editor.workText());
        return;
    }

    // A rich-text document is replaced through the viewer, so that the formatting around each
    // match survives.
    while (searchFrom(position) || NextRule(NextRuleCaller::ReplaceAllInFile)) {
        ++m_counters.MatchesInFile;
        ++m_counters.MatchesTotal;
        if (m_control.AbortRequested() || !SelectMatch())
            break;
        ReplaceCurrent();
        if (m_failed)
            break;
        position = continuationPoint();
    }
}

bool InteractiveRun::FinishFileAndAdvance()
{
    m_offsetShift = 0;
    if (m_showReport)
        m_report.addRow({ m_currentFile, m_counters.MatchesInFile, m_counters.ReplacementsInFile });
    if (m_currentFileChanged) {
        m_currentFileChanged = false;
        if (!m_editor.SaveEditor(m_currentFile)) {
            // The save has shown the error with the path. The file and its copies are as they
            // were; the viewer keeps the changed text for the user to save elsewhere. The file
            // was counted as changed at its first replacement: it is not.
            --m_counters.FilesChanged;
            m_failed = true;
            if (waiting())
                DisableConfirmButtons();
            m_control.SetBusy(false);
            return false;
        }
    }

    const int last = fileCount() - 1;
    if (m_fileList.CurrentFileIndex() < last) {
        m_counters.MatchesInFile = 0;
        m_counters.ReplacementsInFile = 0;
        for (int i = m_fileList.CurrentFileIndex() + 1; i <= last && !m_control.AbortRequested(); ++i) {
            ++m_counters.FilesProcessed;
            m_fileList.setCurrentFileIndex(i);
            ShowRunStatus();
            const fs::path path = m_fileList.FileList()[static_cast<size_t>(i)];
            if (FindFirstMatchInFile(path)) {
                if (!openFileForConfirmation())
                    break;
                ShowRunStatus();
                // Esc may have arrived through the message pump while the file was opened: the
                // run has ended there, and enabling the controls again would leave answers that
                // can do nothing.
                if (m_control.AbortRequested()) {
                    EndRun();
                    return false;
                }
                EnableConfirmButtons();
                return true;
            }
        }
    }

    ShowRunStatus();
    m_viewer.setSelection(m_viewer.selStart(), 0);
    if (waiting())
        DisableConfirmButtons();
    ShowRunSummary();
    if (m_showReport && m_report.rowCount() > 0 && !colourSetup())
        m_control.window().showReportPage();
    return false;
}

} // namespace morvane::search
