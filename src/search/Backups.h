#pragma once
// Numbered backup copies of rewritten files, and the crash-safe rewrite every command that
// replaces a file's content goes through. Covered by tests/search/BackupsTest.cpp and
// tests/search/BackupWriteTest.cpp.
//
// The copies of file F are F0, F1, ... (F's full path followed directly by the decimal
// number); only the run from 0 up to the first missing number counts. A copy is hidden: its
// name goes into the directory's ".hidden" list (HiddenList.h); a restored file and a deleted
// copy leave that list.
//
// RewriteFile never truncates or rewrites a file in place. The new content goes to a temporary
// file in the same directory, is flushed to disk and gets the original's permission bits; only
// then does the backup copy appear (a second name for the original's data, so the original
// stays where it was meanwhile), and a rename puts the new file over the original in one step.
// Killed at any moment, the path holds either its old or its complete new content; a failed
// write leaves the original and its copies exactly as they were.

#include "app/FileError.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace morvane::search {

class Backups {
public:
    // The backup option (tbSaveBackup and its menu twin); on by default.
    bool saveBackup() const { return m_saveBackup; }
    void setSaveBackup(bool on) { m_saveBackup = on; }

    // Backup name of `file` with number `n`: the path followed directly by n ("a.htm" -> "a.htm0").
    static std::filesystem::path BackupName(const std::filesystem::path& file, int n);
    // The first n for which BackupName(file, n) does not exist: the length of the run.
    static int BackupRunLength(const std::filesystem::path& file);

    // Before a rewrite, when the option is on: renames `file` to its first free backup name and
    // hides it. Nothing when the option is off or the file does not exist.
    void MakeBackup(const std::filesystem::path& file) const;
    // When the option is on: copies `file` to its first free backup name (never overwriting a
    // file) and hides the copy. The original stays.
    void MakeBackupCopy(const std::filesystem::path& file) const;

    // Replaces the content of `file` by `bytes`, crash-safe (see above), making a backup copy
    // of an existing file first when the option is on. On failure returns the "Cannot create
    // file" error, and nothing on disk has changed.
    std::optional<app::FileError> RewriteFile(
        const std::filesystem::path& file, std::string_view bytes) const;
    // The same without any backup copy, whatever the option.
    static std::optional<app::FileError> WriteFileSafely(
        const std::filesystem::path& file, std::string_view bytes);

    // One step back: the latest copy becomes the file. Counts FilesProcessed, and FilesRestored
    // when a copy existed; returns whether one did.
    bool RestorePrevious(const std::filesystem::path& file);
    // All the way back: the first copy becomes the file and the rest of the run is deleted.
    bool RestoreFirst(const std::filesystem::path& file);
    // Deletes the run of copies, counting each deletion in BackupsDeleted.
    void DeleteBackups(const std::filesystem::path& file);

    // Counters of the restore and delete commands, reset at each command's start.
    void resetCounters() { m_filesProcessed = m_filesRestored = m_backupsDeleted = 0; }
    int FilesProcessed() const { return m_filesProcessed; }
    int FilesRestored() const { return m_filesRestored; }
    int BackupsDeleted() const { return m_backupsDeleted; }

private:
    static std::optional<app::FileError> rewrite(
        const std::filesystem::path& file, std::string_view bytes, bool backup);

    bool m_saveBackup = true;
    int m_filesProcessed = 0;
    int m_filesRestored = 0;
    int m_backupsDeleted = 0;
};

} // namespace morvane::search
