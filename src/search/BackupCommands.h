#pragma once
// The three commands on the backup copies of the selected files: back to the latest copy
// (tbRestore), back to the first copy (tbRestoreAll), delete all copies (tbDelAllBackup). Each
// asks first, walks the pass file list with its progress in the status panels, and can be
// aborted between files. A file that cannot be restored, or a copy that cannot be deleted, is
// shown and left in place (still listed), and the command goes on; the counters count only
// what was done. Covered by tests/search/BackupCommandsTest.cpp.

#include "search/Backups.h"
#include "search/PassControl.h"
#include "search/PassFileList.h"
#include "search/PassOptions.h"
#include "search/PassSelection.h"
#include "search/WorkTextEditor.h"

namespace morvane::search {

class BackupCommands {
public:
    // Every collaborator must outlive the commands.
    BackupCommands(PassControl& control, PassFileList& files, Backups& backups, WorkTextEditor& editor);

    // Restores every file of the list from its latest copy (message 8 asks first).
    void tbRestoreClick(const PassSelection& selection, const PassOptions& options);
    // Restores every file of the list from its first copy, deleting the later ones (message 9).
    void tbRestoreAllClick(const PassSelection& selection, const PassOptions& options);
    // Deletes every copy of every file of the list (message 10). Does not touch the editor.
    void tbDelAllBackupClick(const PassSelection& selection, const PassOptions& options);

private:
    void restore(const PassSelection& selection, const PassOptions& options, bool toFirst);
    // Common start: the guard, the busy state and the question. False when the command ends.
    bool begin(const PassSelection& selection, int question);
    void showRestoreProgress();
    void showDeleteProgress();

    PassControl& m_control;
    PassFileList& m_files;
    Backups& m_backups;
    WorkTextEditor& m_editor;
};

} // namespace morvane::search
