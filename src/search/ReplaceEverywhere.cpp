// The replace everywhere command. Tests: tests/search/ReplaceEverywhereTest.cpp.

#include "search/ReplaceEverywhere.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "regex/ERegex.h"
#include "search/EngineAbortScope.h"
#include "search/ReplaceStatus.h"
#include "search/ReplaceStreamed.h"
#include "search/SelectionBounds.h"

#include <cerrno>
#include <new>

namespace morvane::search {

namespace fs = std::filesystem;

namespace {

constexpr int kMsgLinkOutside = 382;

// The new text of a file replaced in place, streamed into the file's staged rewrite. Whatever
// way the file's replacing ends without finish(), its temporary file goes.
class StagedTextSink : public NewTextSink {
public:
    StagedTextSink(WorkTextEditor& editor, const fs::path& path)
        : m_editor(editor)
        , m_path(path)
    {
    }
    ~StagedTextSink() override
    {
        if (m_open)
            m_editor.backups().abandonStaged();
    }
    StagedTextSink(const StagedTextSink&) = delete;
    StagedTextSink& operator=(const StagedTextSink&) = delete;

    bool open() override
    {
        // A refusal is not reported here: the text is then kept whole, and writing it says why.
        m_open = !m_editor.BeginStagedText(m_path);
        return m_open;
    }
    void write(std::string& piece) override { m_editor.StageTextPiece(piece); }
    std::optional<app::FileError> finish()
    {
        m_open = false;
        return m_editor.EndStagedText();
    }

private:
    WorkTextEditor& m_editor;
    fs::path m_path;
    bool m_open = false;
};

} // namespace

ReplaceEverywhere::ReplaceEverywhere(PassControl& control, PassFileList& fileList, WorkTextEditor& editor,
    OutputControl& output, rules::RuleCompiler& compiler, ReportModel& report)
    : m_control(control)
    , m_fileList(fileList)
    , m_editor(editor)
    , m_output(output)
    , m_compiler(compiler)
    , m_report(report)
{
}

void ReplaceEverywhere::miReplacePassimClick(const PassSelection& selection, PassOptions options,
    MultipassRules& rules, const std::function<bool()>& validateRules, bool showReport)
{
    m_control.setAbortRequested(false);
    if (!m_control.HasSelection(selection) || !m_control.canStartPass() || !validateRules())
        return;
    PassControl::PassLoop loop(m_control);

    m_control.SetBusy(true);
    m_showReport = showReport;
    m_pending.clear();
    m_editor.AskSaveEditor();
    m_control.startTiming();
    OutputTarget target = m_output.target(m_editor.targetCodePage());
    PrepareReplaceReport(target.mode);
    if (showReport)
        m_control.window().showReportPage();

    rules.startRun(m_compiler);
    m_counters = {};
    m_control.setStatus(0, "");
    m_control.setStatus(1, "");
    m_control.window().endInteractiveRun();

    options.collectingFile = m_output.collectingFilePath();
    if (!m_fileList.TakeFileList(selection, options))
        return;

    const SelectionBounds bounds = SelectionBounds::of(selection);
    EngineAbortScope abortScope(m_control, m_compiler.engine());
    const auto& files = m_fileList.FileList();
    const int fileCount = static_cast<int>(files.size());
    for (int i = 0; i < fileCount; ++i) {
        const fs::path path = files[static_cast<size_t>(i)];
        ++m_counters.FilesProcessed;
        m_counters.ReplacementsInFile = 0;
        m_counters.MatchesInFile = 0;
        m_fileList.setCurrentFileIndex(i);
        showStatus(target.mode);
        if (m_control.AbortRequested())
            break;
        // The engine borrows the working text while it searches this file; it gives the loan
        // back before the next file is read into the same buffer, whichever way this one ends.
        struct ReturnSubject {
            regex::TRegex& engine;
            ~ReturnSubject() { engine.SetInputString({}); }
        } returnSubject { m_compiler.engine() };
        // Staged files are completed before leaving their directory (and its lock), when the
        // batch is full, and before one of them is read again under another name.
        if (target.mode == OutputMode::InPlace && m_editor.backups().mustCommitBefore(path))
            commitBatch();
        try {
            if (m_editor.modeFor(path) == EditorMode::Rich) {
                // Replacing through a rich-text viewer keeps the document's formatting; the
                // plain copy would lose it, so such a file is left alone here.
                continue;
            }
            // In place, the file is read and written under its directory's lock.
            if (target.mode == OutputMode::InPlace) {
                if (const std::optional<app::FileError> busy = m_editor.backups().enterDirectoryOf(path)) {
                    ++m_counters.FilesFailed;
                    addFailureRow(path, busy->message);
                    continue;
                }
            }
            if (!FindFirstMatchInFile(path, rules))
                continue;
            ++m_counters.FilesFound;
            ++m_counters.MatchesInFile;
            ++m_counters.MatchesTotal;
            if (target.mode == OutputMode::InPlace && !bounds.contains(path)) {
                ++m_counters.FilesFailed;
                addFailureRow(path, app::Msg(kMsgLinkOutside));
                continue;
            }
            if (target.mode == OutputMode::InPlace && !m_editor.textOrigin().writable()) {
                // Writing the text back would lose what it could not hold: the file stays
                // byte for byte as it is, without a backup copy.
                ++m_counters.FilesFailed;
                addFailureRow(path, m_editor.writeRefusal());
                continue;
            }

            // With "AutoDetect" split files take the code page detected for their source.
            target.splitCodePage = m_editor.targetCodePage();
            ReplaceStreamed streamed(m_control, m_compiler, rules, m_counters, target, fileCount);
            StagedTextSink sink(m_editor, path);
            ReplaceFileResult result = streamed.ReplaceEverywhereStreamed(m_editor.workTextBuffer(), path, &sink);
            std::optional<app::FileError> error = std::move(result.error);
            if (result.ran && !error) {
                switch (target.mode) {
                case OutputMode::InPlace:
                    if (result.streamed) {
                        error = sink.finish();
                    } else {
                        m_editor.setWorkText(std::move(result.newText));
                        error = m_editor.StageWorkText(path);
                    }
                    if (error) {
                        // Counted as changed when its new text was complete; nothing was written.
                        --m_counters.FilesChanged;
                        m_counters.ReplacementsTotal -= m_counters.ReplacementsInFile;
                    } else {
                        // Its row waits for the batch, which may still fail it.
                        m_pending.push_back(
                            { { path, m_counters.MatchesInFile, m_counters.ReplacementsInFile }, PendingRow::Staged });
                        showStatus(target.mode);
                        continue;
                    }
                    break;
                case OutputMode::OneFile:
                    m_editor.noteFileChanged(target.collectingFile->path());
                    break;
                case OutputMode::FileSplit:
                    for (const fs::path& output : result.outputFiles)
                        m_editor.noteFileChanged(output);
                    break;
                }
            }
            if (error) {
                ++m_counters.FilesFailed;
                addFailureRow(path, error->message);
                continue;
            }
        } catch (const regex::ERegex& e) {
            // The file is left as it was; its replacements made in memory count for nothing.
            if (target.mode == OutputMode::InPlace)
                m_counters.ReplacementsTotal -= m_counters.ReplacementsInFile;
            if (IsSearchAborted(e))
                break;
            if (IsSearchLimit(e)) {
                ++m_counters.FilesNotSearched;
                addFailureRow(path, e.what());
            } else {
                m_control.dialogs().showMessage(app::PathText(path) + ": " + e.what());
            }
            continue;
        } catch (const std::bad_alloc&) {
            if (target.mode == OutputMode::InPlace)
                m_counters.ReplacementsTotal -= m_counters.ReplacementsInFile;
            ++m_counters.FilesFailed;
            addFailureRow(path, app::SystemReason(ENOMEM));
            continue;
        }
        if (showReport)
            addRow({ path, m_counters.MatchesInFile, m_counters.ReplacementsInFile });
        showStatus(target.mode);
    }

    // Also after an abort: what was counted is what reaches the disk.
    commitBatch();
    m_editor.backups().leaveDirectory();
    m_control.SetBusy(false);
    if (m_afterLoop)
        m_afterLoop();
    showStatus(target.mode);
    if (m_editor.ViewerNeedsReload())
        m_editor.ReloadViewer();
    if (target.mode == OutputMode::FileSplit)
        m_output.setStReplToFile({});
    m_control.dialogs().showMessage(RunSummaryText(m_counters, target.mode, fileCount));
    if (showReport && m_report.rowCount() > 0)
        m_control.window().showReportPage();
}

void ReplaceEverywhere::addFailureRow(const fs::path& path, const std::string& reason)
{
    // Written whether or not the report is on: a file left as it was must not go unnoticed.
    ReportRow row { path, m_counters.MatchesInFile, 0, reason };
    if (!m_pending.empty()) {
        m_pending.push_back({ std::move(row), PendingRow::Failure });
        return;
    }
    m_report.addRow(std::move(row));
    m_control.dialogs().reportFileFailure(path, reason);
}

void ReplaceEverywhere::addRow(ReportRow row)
{
    // Rows keep the order of the file list: behind a staged file they wait for its outcome.
    if (m_pending.empty())
        m_report.addRow(std::move(row));
    else
        m_pending.push_back({ std::move(row), PendingRow::Done });
}

void ReplaceEverywhere::commitBatch()
{
    if (!m_editor.backups().hasStaged() && m_pending.empty())
        return;
    std::vector<std::optional<app::FileError>> results = m_editor.backups().commitBatch();
    size_t next = 0;
    std::vector<PendingRow> pending = std::move(m_pending);
    m_pending.clear();
    for (PendingRow& entry : pending) {
        if (entry.kind == PendingRow::Done) {
            m_report.addRow(std::move(entry.row));
            continue;
        }
        if (entry.kind == PendingRow::Failure) {
            const fs::path path = entry.row.path;
            const std::string reason = entry.row.note;
            m_report.addRow(std::move(entry.row));
            m_control.dialogs().reportFileFailure(path, reason);
            continue;
        }
        std::optional<app::FileError> error;
        if (next < results.size())
            error = std::move(results[next]);
        ++next;
        const fs::path& path = entry.row.path;
        if (!error) {
            m_editor.noteFileChanged(path);
            if (m_showReport)
                m_report.addRow(std::move(entry.row));
            continue;
        }
        // As a write that failed at once: counted as changed until now, nothing was written.
        const int replaced = entry.row.replaced.value_or(0);
        --m_counters.FilesChanged;
        m_counters.ReplacementsTotal -= replaced;
        ++m_counters.FilesFailed;
        m_report.addRow({ path, entry.row.found, 0, error->message });
        m_control.dialogs().reportFileFailure(path, error->message);
    }
}

bool ReplaceEverywhere::FindFirstMatchInFile(const fs::path& path, MultipassRules& rules)
{
    if (m_control.AbortRequested())
        return false;
    // The collecting output file is never searched.
    const fs::path& collecting = m_output.stReplToFile();
    if (!collecting.empty() && collecting == path)
        return false;
    if (!m_editor.LoadWorkText(path))
        return false;
    m_compiler.engine().SetInputView(m_editor.workText());
    return rules.findFirst(m_compiler);
}

void ReplaceEverywhere::PrepareReplaceReport(OutputMode mode)
{
    m_report.clear();
    m_report.showCountColumn(ReportColumn::Found);
    m_report.showCountColumn(ReportColumn::Replaced);
    m_report.fitNameColumn();
    m_replacedCaption = ReplacedColumnCaption(mode);
}

void ReplaceEverywhere::showStatus(OutputMode mode)
{
    ShowRunStatus(m_control, m_counters, mode, static_cast<int>(m_fileList.FileList().size()));
}

} // namespace morvane::search
