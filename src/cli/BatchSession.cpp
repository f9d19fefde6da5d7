// One batch command driven through the core. Tests: tests/cli/BatchCliTest.cpp,
// BatchOutputCliTest.cpp, BatchBackupCliTest.cpp, BatchInteractiveCliTest.cpp.

#include "cli/BatchSession.h"

#include "cli/BatchInteractive.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "app/Platform.h"
#include "search/AllFilesPass.h"
#include "search/BackupCommands.h"
#include "search/Converter.h"
#include "search/ReplaceEverywhere.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

namespace morvane::cli {

namespace {

namespace fs = std::filesystem;

// The first line of the replace runs' summary box (message 46) and the converter's final box
// (message 63, after the blank of a status text).
constexpr int kMsgRunSummary = 46;
constexpr int kMsgConverted = 63;
constexpr int kMsgAborted = 40;
constexpr int kMsgNotRegular = 383;
// 128 + SIGINT, what a shell reports for a program the interrupt ended.
constexpr int kInterruptedStatus = 130;

std::string CountText(const std::optional<int>& count)
{
    return count ? std::to_string(*count) : std::string();
}

} // namespace

BatchSession::BatchSession(const BatchOptions& options)
    : m_options(options)
    , m_terminal(BatchCommandName(options.command), options.yes)
    , m_control(m_terminal, m_clock, m_terminal, m_terminal, m_terminal)
    , m_files(m_control)
    , m_editor(m_control, m_viewer, m_backups)
    , m_compiler(m_engine)
    , m_table(m_compiler, m_ruleHost)
    , m_outputDialogs(options.collectFile, options.append, options.splitSettings)
    , m_output(m_control, m_outputDialogs, &m_files)
    , m_converterDialog(options.convertFrom, options.convertTo)
{
    m_backups.setSaveBackup(options.saveBackup);
    m_editor.setCodePage(options.codePage);
    // Every PATH is a marked item; an absolute name stands for itself, so no common directory.
    // A named pipe or a device is no file to search: reading one would wait or never end.
    for (const fs::path& path : options.paths) {
        std::error_code ec;
        const fs::file_status status = fs::status(path, ec);
        if (fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status)) {
            m_refusedPaths.push_back(path);
            continue;
        }
        m_selection.items.push_back({ path.native(), fs::is_directory(status), true });
    }
    m_passOptions.maskText = options.maskText;
    m_passOptions.subDirectories = options.subDirectories;
    m_passOptions.hiddenFiles = options.hiddenFiles;
}

int BatchSession::run()
{
    UnbufferTerminalInput(stdin);
    BatchTerminal::catchInterrupt();
    m_terminal.setBreakHandler([this] { m_control.tbBreakClick(); });
    m_terminal.setProgressSource([this] { return progress(); });
    setUpCompiler();
    for (const fs::path& path : m_refusedPaths)
        m_terminal.reportFileFailure(path, app::Msg(kMsgNotRegular));
    bool something = false;
    switch (m_options.command) {
    case BatchCommand::Found:
        something = runSearch(true);
        break;
    case BatchCommand::NotFound:
        something = runSearch(false);
        break;
    case BatchCommand::All:
        something = runAllFiles();
        break;
    case BatchCommand::Replace:
        something = runReplace();
        break;
    case BatchCommand::Restore:
    case BatchCommand::RestoreFirst:
    case BatchCommand::DeleteBackups:
        something = runBackupCommand();
        break;
    case BatchCommand::Convert:
        something = runConvert();
        break;
    }
    m_output.CloseCollectingFile();
    m_terminal.clearProgress();
    printResults();
    if (BatchTerminal::interrupted()) {
        // The run was stopped: say so unless the status line already did, and tell the
        // caller by the usual status of a program ended by SIGINT.
        if (m_terminal.panelText(1) != " " + app::Msg(kMsgAborted))
            m_terminal.reportNote(app::Msg(kMsgAborted));
        return kInterruptedStatus;
    }
    if (m_rulesRefused || m_terminal.errorCount() > 0)
        return 2;
    return something ? 0 : 1;
}

void BatchSession::setUpCompiler()
{
    // As the main window does at its creation: the engine's state (with the Cyrillic word
    // characters for a Russian locale) becomes the controls' state.
    m_compiler.takeEngineState(app::IsRussianDefaultLocale());
    // --modifiers: letters before a "-" switch their box on, letters after it off.
    constexpr std::string_view kLetters = "imsxg";
    constexpr rules::GlobalModifier kModifiers[] = { rules::GlobalModifier::I, rules::GlobalModifier::M,
        rules::GlobalModifier::S, rules::GlobalModifier::X, rules::GlobalModifier::G };
    bool on = true;
    for (const char letter : m_options.modifiers) {
        if (letter == '-') {
            on = false;
            continue;
        }
        const size_t index
            = kLetters.find(static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
        if (index != std::string_view::npos)
            m_compiler.CheckBoxModifierClick(kModifiers[index], on);
    }
    if (m_options.mode)
        m_compiler.ReplaceModeRadioClick(*m_options.mode);
    m_compiler.applyAtShow(m_ruleHost);
}

bool BatchSession::loadTable()
{
    if (!m_options.multipass)
        return true;
    std::error_code ec;
    const fs::file_status status = fs::status(m_options.table, ec);
    if (!fs::is_regular_file(status)) {
        if (fs::exists(status) && !fs::is_directory(status)) {
            m_terminal.reportFileFailure(m_options.table, app::Msg(kMsgNotRegular));
            m_rulesRefused = true;
            return false;
        }
        const int reason = ec ? ec.value() : fs::is_directory(status) ? EISDIR : ENOENT;
        m_terminal.reportError(app::CannotOpenText(m_options.table, reason));
        m_rulesRefused = true;
        return false;
    }
    if (const std::optional<app::FileError> error = m_table.LoadTable(m_options.table)) {
        m_terminal.reportError(error->message);
        m_rulesRefused = true;
        return false;
    }
    return true;
}

bool BatchSession::validateRules()
{
    m_table.setFieldText(rules::RuleField::cbFind, m_options.find.value_or(std::string()));
    m_table.setFieldText(rules::RuleField::cbReplace, m_options.replace);
    m_table.setFieldText(rules::RuleField::cbRemark, m_options.remark);
    if (m_table.ValidateRules(m_options.multipass))
        return true;
    std::string where;
    if (m_options.multipass)
        where = "table row " + std::to_string(m_table.currentRow()) + ", ";
    where += m_ruleHost.field() == rules::RuleField::cbRemark ? "remark" : "expression";
    where += ", position " + std::to_string(m_ruleHost.position()) + ": ";
    m_terminal.reportError(where + m_ruleHost.message());
    m_rulesRefused = true;
    return false;
}

search::SearchRules BatchSession::searchRules() const
{
    search::SearchRules rules;
    rules.fields = { m_options.find.value_or(std::string()), m_options.replace, m_options.remark };
    rules.multipass = m_options.multipass;
    if (m_options.multipass) {
        for (int row = 1; row <= m_table.dataRowCount(); ++row)
            rules.rows.push_back(m_table.rowRule(row));
    }
    return rules;
}

search::MultipassRules BatchSession::replaceRules() const
{
    search::SearchRules rules = searchRules();
    if (!rules.multipass)
        return search::MultipassRules(rules.fields);
    return search::MultipassRules(rules.fields, std::move(rules.rows));
}

bool BatchSession::setUpOutput()
{
    if (!m_options.collectFile.empty()) {
        m_output.clickReplToFileButton();
        if (!m_output.replToFileDown()) {
            if (m_terminal.errorCount() == 0)
                m_terminal.reportError(
                    "cannot collect the replacements in " + app::PathText(m_options.collectFile));
            return false;
        }
    } else if (m_options.split) {
        m_output.clickFileSplitButton();
        if (!m_output.fileSplitDown()) {
            m_terminal.reportError("cannot switch file-split output on");
            return false;
        }
    }
    return true;
}

bool BatchSession::runSearch(bool found)
{
    if (!loadTable() || !validateRules())
        return false;
    search::SearchPass pass(m_control, m_files, m_report, m_editor, m_compiler);
    const unsigned cores = std::thread::hardware_concurrency();
    pass.setJobs(m_options.jobs > 0 ? m_options.jobs : static_cast<int>(std::max(1u, cores)));
    m_searchPass = &pass;
    if (found)
        pass.miFindFilesClick(m_selection, m_passOptions, searchRules());
    else
        pass.miNotFindFilesClick(m_selection, m_passOptions, searchRules());
    m_searchPass = nullptr;
    return m_report.rowCount() > 0;
}

bool BatchSession::runAllFiles()
{
    search::AllFilesPass pass(m_control, m_report);
    pass.tbAllFilesClick(m_selection, m_passOptions);
    return m_report.rowCount() > 0;
}

bool BatchSession::runReplace()
{
    // The rules are checked before the output is set up, since opening the collecting file
    // empties it: a refused rule must leave every file as it was.
    if (!loadTable() || !validateRules() || !setUpOutput())
        return false;
    m_terminal.addSummaryPrefix(MessagePrefix(kMsgRunSummary));
    const auto validate = [this] { return validateRules(); };
    if (m_options.interactive) {
        BatchInteractive interactive(
            m_control, m_files, m_editor, m_viewer, m_output, m_compiler, m_report, m_terminal);
        const search::ReplaceCounters counters
            = interactive.run(m_selection, m_passOptions, replaceRules(), validate);
        return somethingWritten(counters);
    }
    search::ReplaceEverywhere command(m_control, m_files, m_editor, m_output, m_compiler, m_report);
    search::MultipassRules rules = replaceRules();
    command.miReplacePassimClick(m_selection, m_passOptions, rules, validate, true);
    return somethingWritten(command.counters());
}

bool BatchSession::somethingWritten(const search::ReplaceCounters& counters) const
{
    // Output files get every replacement as it is made. A source is written only when the run
    // leaves it, and then gets its report row: replacements made in a file the run was stopped
    // in count for nothing on disk.
    if (m_output.mode() != search::OutputMode::InPlace)
        return counters.ReplacementsTotal > 0;
    for (const search::ReportRow& row : m_report.rows())
        if (row.replaced.value_or(0) > 0)
            return true;
    return false;
}

bool BatchSession::runBackupCommand()
{
    search::BackupCommands commands(m_control, m_files, m_backups, m_editor);
    m_backups.resetCounters();
    switch (m_options.command) {
    case BatchCommand::Restore:
        commands.tbRestoreClick(m_selection, m_passOptions);
        return m_backups.FilesRestored() > 0;
    case BatchCommand::RestoreFirst:
        commands.tbRestoreAllClick(m_selection, m_passOptions);
        return m_backups.FilesRestored() > 0;
    default:
        commands.tbDelAllBackupClick(m_selection, m_passOptions);
        return m_backups.BackupsDeleted() > 0;
    }
}

bool BatchSession::runConvert()
{
    m_terminal.addSummaryPrefix(" " + MessagePrefix(kMsgConverted));
    search::Converter converter(m_control, m_files, m_backups, m_editor, m_converterDialog);
    converter.miConverterClick(m_selection, m_passOptions);
    return converter.FilesConverted() > 0;
}

std::optional<BatchProgress> BatchSession::progress()
{
    // The file being worked on is the one last loaded; the list is walked in order, so its
    // index is found by going on from the last one.
    const std::vector<fs::path>& list = m_files.FileList();
    const fs::path& current = m_searchPass ? m_searchPass->CurrentFile() : m_editor.CurrentFilePath();
    if (current.empty() || m_options.interactive)
        return std::nullopt;
    size_t index = std::min(m_progressIndex, list.size());
    while (index < list.size() && list[index] != current)
        ++index;
    if (index == list.size())
        return std::nullopt;
    for (; m_progressIndex < index; ++m_progressIndex) {
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(list[m_progressIndex], ec);
        if (!ec)
            m_progressBytes += static_cast<std::int64_t>(size);
    }
    return BatchProgress { static_cast<int>(index), static_cast<int>(list.size()), m_progressBytes,
        m_control.elapsedMs(), current };
}

void BatchSession::printResults() const
{
    std::string out;
    for (const search::ReportRow& row : m_report.rows()) {
        out += row.path.native();
        out += '\t' + CountText(row.found) + '\t' + CountText(row.replaced);
        if (!row.note.empty())
            out += '\t' + TerminalText(row.note);
        out += '\n';
    }
    const std::string status = TerminalText(m_terminal.panelText(1));
    if (!status.empty())
        out += status + '\n';
    for (const std::string& summary : m_terminal.summaries())
        out += TerminalText(summary) + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
}

} // namespace morvane::cli
