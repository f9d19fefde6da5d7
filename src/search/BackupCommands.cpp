// Restore and delete commands of the backup copies. Tests: tests/search/BackupCommandsTest.cpp.

#include "search/BackupCommands.h"

#include "app/Format.h"
#include "app/MessageTable.h"

namespace morvane::search {

namespace {

constexpr int kMsgRestorePrevious = 8;
constexpr int kMsgRestoreFirst = 9;
constexpr int kMsgDeleteBackups = 10;
constexpr int kMsgRestoreProgress = 15;
constexpr int kMsgDeleteProgress = 45;

} // namespace

BackupCommands::BackupCommands(
    PassControl& control, PassFileList& files, Backups& backups, WorkTextEditor& editor)
    : m_control(control)
    , m_files(files)
    , m_backups(backups)
    , m_editor(editor)
{
}

void BackupCommands::tbRestoreClick(const PassSelection& selection, const PassOptions& options)
{
    restore(selection, options, false);
}

void BackupCommands::tbRestoreAllClick(const PassSelection& selection, const PassOptions& options)
{
    restore(selection, options, true);
}

bool BackupCommands::begin(const PassSelection& selection, int question)
{
    if (m_control.passLoopRunning())
        return false;
    m_control.setAbortRequested(false);
    if (!m_control.HasSelection(selection) || m_control.IsBusy())
        return false;
    m_control.SetBusy(true);
    if (!m_control.dialogs().confirm(app::Msg(question))) {
        m_control.SetBusy(false);
        return false;
    }
    return true;
}

void BackupCommands::restore(const PassSelection& selection, const PassOptions& options, bool toFirst)
{
    if (!begin(selection, toFirst ? kMsgRestoreFirst : kMsgRestorePrevious))
        return;
    PassControl::PassLoop loop(m_control);
    m_editor.AskSaveEditor();
    m_control.startTiming();
    m_control.window().endInteractiveRun();
    m_backups.resetCounters();
    m_control.setStatus(0, "");
    m_control.setStatus(1, "");
    if (!m_files.TakeFileList(selection, options))
        return;

    // A snapshot: a walk run through the message pump while the loop runs builds a new list.
    const auto snapshot = m_files.FileListSnapshot();
    const std::vector<std::filesystem::path>& list = *snapshot;
    for (const std::filesystem::path& path : list) {
        if (m_control.AbortRequested())
            break;
        // The directory's lock and list are kept while the files of one directory follow.
        std::optional<app::FileError> error = m_backups.enterDirectoryOf(path);
        const bool restored = !error
            && (toFirst ? m_backups.RestoreFirst(path, &error) : m_backups.RestorePrevious(path, &error));
        if (restored)
            m_editor.noteFileChanged(path);
        if (error)
            m_control.dialogs().reportFileFailure(path, error->message);
        showRestoreProgress();
        m_control.PumpMessages();
    }
    m_backups.leaveDirectory();
    if (m_editor.ViewerNeedsReload())
        m_editor.ReloadViewer();
    if (m_control.AbortRequested())
        m_control.showAbortedStatus();
    else
        showRestoreProgress();
    m_control.SetBusy(false);
}

void BackupCommands::tbDelAllBackupClick(const PassSelection& selection, const PassOptions& options)
{
    if (!begin(selection, kMsgDeleteBackups))
        return;
    PassControl::PassLoop loop(m_control);
    m_control.startTiming();
    m_backups.resetCounters();
    m_control.setStatus(0, "");
    m_control.setStatus(1, "");
    if (!m_files.TakeFileList(selection, options))
        return;

    // A snapshot: a walk run through the message pump while the loop runs builds a new list.
    const auto snapshot = m_files.FileListSnapshot();
    const std::vector<std::filesystem::path>& list = *snapshot;
    for (const std::filesystem::path& path : list) {
        if (!m_control.IsBusy())
            break;
        std::optional<app::FileError> error = m_backups.enterDirectoryOf(path);
        if (!error)
            error = m_backups.DeleteBackups(path);
        if (error)
            m_control.dialogs().reportFileFailure(path, error->message);
        showDeleteProgress();
        m_control.PumpMessages();
    }
    m_backups.leaveDirectory();
    if (m_control.AbortRequested())
        m_control.showAbortedStatus();
    else
        showDeleteProgress();
    m_control.SetBusy(false);
}

void BackupCommands::showRestoreProgress()
{
    m_control.setStatus(0, m_control.elapsedText());
    m_control.setStatus(1,
        " "
            + app::FillMessage(app::Msg(kMsgRestoreProgress),
                { m_backups.FilesProcessed(), m_files.FileList().size(), m_backups.FilesRestored() }));
}

void BackupCommands::showDeleteProgress()
{
    m_control.setStatus(0, m_control.elapsedText());
    m_control.setStatus(
        1, " " + app::FillMessage(app::Msg(kMsgDeleteProgress), { m_backups.BackupsDeleted() }));
}

} // namespace morvane::search
