// The found and not-found report passes. Tests: tests/search/SearchPassTest.cpp.

#include "search/SearchPass.h"

#include "app/Format.h"
#include "app/MessageTable.h"
#include "regex/ERegex.h"
#include "search/EngineAbortScope.h"
#include "search/SearchWorkers.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <typeinfo>

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

constexpr int kMsgFoundProgress = 14;
constexpr int kMsgNotFoundProgress = 37;
constexpr int kErrBadModifier = 127;
constexpr int kMsgNotSearched = 381;

} // namespace

SearchPass::SearchPass(PassControl& control, PassFileList& files, ReportModel& report, WorkTextEditor& editor,
    rules::RuleCompiler& compiler)
    : m_control(control)
    , m_files(files)
    , m_report(report)
    , m_editor(editor)
    , m_compiler(compiler)
{
}

void SearchPass::miFindFilesClick(
    const PassSelection& selection, const PassOptions& options, const SearchRules& rules)
{
    run(selection, options, rules, true);
}

void SearchPass::miNotFindFilesClick(
    const PassSelection& selection, const PassOptions& options, const SearchRules& rules)
{
    run(selection, options, rules, false);
}

void SearchPass::run(
    const PassSelection& selection, const PassOptions& options, const SearchRules& rules, bool found)
{
    if (m_control.passLoopRunning())
        return;
    m_control.setAbortRequested(false);
    if (!m_control.HasSelection(selection) || m_control.IsBusy())
        return;
    PassControl::PassLoop loop(m_control);

    m_control.SetBusy(true);
    m_control.startTiming();
    m_control.window().endInteractiveRun();
    m_filesProcessed = m_filesFound = m_matchesInFile = m_matchesTotal = m_filesNotSearched = 0;
    m_listSize = 0;
    m_currentFile.clear();
    m_control.setStatus(0, "");
    m_control.setStatus(1, "");
    m_report.clear();
    m_report.showCountColumn(ReportColumn::Found);
    m_report.hideCountColumn(ReportColumn::Replaced);
    m_report.fitNameColumn();
    m_control.window().showReportPage();

    // Workers only pay off over several files; their engines are plain ones, so an engine
    // with its own error texts keeps the pass on this thread.
    const regex::TRegex& passEngine = m_compiler.engine();
    const bool parallel = m_jobs > 1 && typeid(passEngine) == typeid(regex::TRegex);
    // With several jobs the workers start before the walk and test each path as it is listed,
    // while this thread walks on. Not when the collecting file is to leave the list after the
    // walk: the workers would have been handed a path the pass does not take.
    std::unique_ptr<SearchWorkers> workers;
    PassFileList::AppendListener onAppend;
    if (parallel && options.collectingFile.empty()) {
        workers = std::make_unique<SearchWorkers>(rules, found, m_editor.codePage(), m_compiler, m_jobs);
        onAppend = [&workers](const fs::path& path) { workers->add(path); };
    }
    if (!m_files.TakeFileList(selection, options, onAppend))
        return;
    // A snapshot: a walk run through the message pump while the loop runs builds a new list.
    const std::shared_ptr<const std::vector<fs::path>> snapshot = m_files.FileListSnapshot();
    const std::vector<fs::path>& list = *snapshot;
    m_listSize = static_cast<int>(list.size());
    if (list.size() <= 1) {
        workers.reset();
    } else if (parallel && (!workers || workers->size() != list.size())) {
        // A list reused without a walk (or one the walk's paths are not): the workers start
        // over on it.
        const int jobs = static_cast<int>(std::min(static_cast<size_t>(m_jobs), list.size()));
        workers = std::make_unique<SearchWorkers>(rules, found, m_editor.codePage(), m_compiler, jobs);
        for (const fs::path& path : list)
            workers->add(path);
    }
    struct ReturnSubject {
        regex::TRegex& engine;
        ~ReturnSubject() { engine.SetInputString({}); }
    } returnSubject { m_compiler.engine() };

    EngineAbortScope abortScope(m_control, m_compiler.engine());
    try {
        if (workers)
            searchListInParallel(list, rules, found, *workers);
        else
            searchList(list, rules, found);
    } catch (const regex::ERegex& error) {
        workers.reset();
        // The rule itself is refused: the pass ends, the status showing how far it came.
        if (found)
            showFoundProgress(true);
        else
            showNotFoundProgress(true);
        m_control.dialogs().showMessage(error.what());
        m_control.SetBusy(false);
        return;
    }
    workers.reset(); // idle, or still testing files ahead of an abort

    if (m_control.AbortRequested())
        m_control.showAbortedStatus();
    else if (found)
        showFoundProgress(true);
    else
        showNotFoundProgress(true);
    m_control.SetBusy(false);
}

void SearchPass::searchList(const std::vector<fs::path>& list, const SearchRules& rules, bool found)
{
    for (const fs::path& path : list) {
        if (m_control.AbortRequested() || !takeFile(path, rules, found, nullptr))
            break;
    }
}

void SearchPass::searchListInParallel(
    const std::vector<fs::path>& list, const SearchRules& rules, bool found, SearchWorkers& workers)
{
    regex::TRegex& engine = m_compiler.engine();
    workers.close();
    const auto keepWaiting = [this] {
        m_control.PumpMessages();
        return !m_control.AbortRequested();
    };
    for (size_t index = 0; index < list.size(); ++index) {
        if (m_control.AbortRequested())
            break;
        const FileVerdict* verdict = workers.wait(index, keepWaiting);
        if (!verdict)
            break;
        m_currentFile = list[index];
        const bool usable
            = verdict->kind != FileVerdict::Kind::Serial && verdict->startModifiers == engine.ModifierText();
        const bool asPredicted = usable && verdict->kind == FileVerdict::Kind::Searched;
        const bool goOn = takeFile(list[index], rules, found, usable ? verdict : nullptr);
        workers.release(index, asPredicted ? std::nullopt : std::optional<std::string>(engine.ModifierText()));
        if (!goOn)
            break;
    }
}

bool SearchPass::takeFile(const fs::path& path, const SearchRules& rules, bool found, const FileVerdict* verdict)
{
    if (!found)
        ++m_filesProcessed;
    try {
        const bool listed = verdict ? acceptVerdict(*verdict, rules, found)
            : found                 ? TestFileFound(path, rules)
                                    : TestFileNotFound(path, rules);
        if (listed && found) {
            m_report.addRow(ReportRow { path, m_matchesInFile, std::nullopt });
        } else if (listed) {
            m_report.addRow(ReportRow { path, 0, std::nullopt });
            ++m_filesFound;
        }
    } catch (const regex::ERegex& error) {
        if (IsSearchAborted(error))
            return false;
        if (!IsSearchLimit(error))
            throw;
        // This file's verdict is unknown; the others' are not.
        ++m_filesNotSearched;
        m_report.addRow(ReportRow { path, std::nullopt, std::nullopt, error.what() });
        m_control.dialogs().reportFileFailure(path, error.what());
    }
    if (found) {
        ++m_filesProcessed;
        showFoundProgress();
    } else {
        showNotFoundProgress();
    }
    return true;
}

bool SearchPass::acceptVerdict(const FileVerdict& verdict, const SearchRules& rules, bool found)
{
    // The worker started from this engine's modifiers and applied these remarks from there, so
    // they are accepted here too and leave the engine as testing the file here would.
    for (int i = 0; i < verdict.remarksApplied; ++i)
        applyRemark(rules.multipass ? rules.rows[static_cast<size_t>(i)].Remark : rules.fields.Remark);
    m_matchesInFile = found ? verdict.matches : 0;
    if (found) {
        m_matchesTotal += verdict.matches;
        if (verdict.matched)
            ++m_filesFound;
    }
    if (verdict.limit)
        throw *verdict.limit;
    return found ? verdict.matched : verdict.listed;
}

bool SearchPass::searchWorkText(regex::TRegex& engine)
{
    // The engine borrows the working text instead of copying it; run() takes the loan back
    // before the working text can change outside the pass.
    engine.SetInputView(m_editor.workText());
    return engine.ExecPos(1);
}

void SearchPass::applyRemark(const std::string& remark)
{
    if (!m_compiler.ApplyRemark(remark))
        throw regex::ERegex(kErrBadModifier, 0, rules::kUnrecognizedModifierText);
}

void SearchPass::countMatches()
{
    // The matches of a pattern that is a literal are counted many at a time, without a search
    // set up for each, while no progress is due; when it is, one match at a time, so that the
    // progress and an abort come exactly where they would without the shortcut.
    regex::TRegex& engine = m_compiler.engine();
    int found = 1; // the match the search stopped at
    bool onMatch = true; // the engine stands on the last match counted, and more may follow
    for (;;) {
        if (m_control.AbortRequested())
            return;
        m_matchesTotal += found;
        m_matchesInFile += found;
        showFoundProgress();
        if (!onMatch)
            return;
        const std::optional<int> more
            = m_control.progressDue() ? std::nullopt : engine.CountNextLiteralMatches(kLiteralCountBatch);
        if (more) {
            if (*more == 0)
                return;
            found = *more;
            onMatch = found == kLiteralCountBatch;
            continue;
        }
        if (!engine.ExecNext())
            return;
        found = 1;
    }
}

bool SearchPass::TestFileFound(const fs::path& path, const SearchRules& rules)
{
    m_matchesInFile = 0;
    if (!m_editor.LoadWorkText(path))
        return false;
    regex::TRegex& engine = m_compiler.engine();
    bool matched = false;
    if (!rules.multipass) {
        applyRemark(rules.fields.Remark);
        if (!rules.fields.Find.empty()) {
            engine.SetExpression(rules.fields.Find);
            if (searchWorkText(engine)) {
                matched = true;
                ++m_filesFound;
                countMatches();
            }
        }
    } else {
        for (const rules::Rule& row : rules.rows) {
            if (m_control.AbortRequested())
                break;
            // The remark first, even for a row that is skipped: its modifiers carry over.
            applyRemark(row.Remark);
            if (row.Find.empty())
                continue;
            engine.SetExpression(row.Find);
            if (searchWorkText(engine)) {
                if (!matched)
                    ++m_filesFound;
                matched = true;
                countMatches();
            }
        }
    }
    showFoundProgress();
    return matched;
}

bool SearchPass::TestFileNotFound(const fs::path& path, const SearchRules& rules)
{
    if (m_control.AbortRequested())
        return false;
    m_matchesInFile = 0;
    if (!m_editor.LoadWorkText(path))
        return true;
    regex::TRegex& engine = m_compiler.engine();
    if (!rules.multipass) {
        applyRemark(rules.fields.Remark);
        if (rules.fields.Find.empty())
            return false;
        engine.SetExpression(rules.fields.Find);
        return !searchWorkText(engine);
    }
    // Every row is evaluated, even after one matched, so the modifiers the rows leave behind
    // are the same whatever the file holds.
    bool searched = false;
    bool anyMatched = false;
    for (const rules::Rule& row : rules.rows) {
        if (m_control.AbortRequested())
            return false;
        applyRemark(row.Remark);
        if (row.Find.empty())
            continue;
        searched = true;
        engine.SetExpression(row.Find);
        if (searchWorkText(engine))
            anyMatched = true;
    }
    return searched && !anyMatched;
}

void SearchPass::showFoundProgress(bool final)
{
    if (!final && !m_control.progressDue())
        return;
    m_control.setStatus(0, m_control.elapsedText());
    m_control.setStatus(1,
        " "
            + app::FillMessage(app::Msg(kMsgFoundProgress),
                { m_filesProcessed, m_listSize, m_filesFound, m_matchesInFile, m_matchesTotal })
            + notSearchedText());
    m_control.PumpMessages();
}

void SearchPass::showNotFoundProgress(bool final)
{
    if (!final && !m_control.progressDue())
        return;
    m_control.setStatus(0, m_control.elapsedText());
    m_control.setStatus(1,
        " "
            + app::FillMessage(
                app::Msg(kMsgNotFoundProgress), { m_filesProcessed, m_listSize, m_filesFound })
            + notSearchedText());
    m_control.PumpMessages();
}

std::string SearchPass::notSearchedText() const
{
    if (m_filesNotSearched == 0)
        return {};
    return "  " + app::FillMessage(app::Msg(kMsgNotSearched), { m_filesNotSearched });
}

} // namespace morvane::search
