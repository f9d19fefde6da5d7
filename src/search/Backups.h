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
// RewriteFile never truncates or rewrites a file in place (app/DurableWrite.h). The order of
// its steps makes every interruption recoverable: (1) the complete new content in a hidden
// temporary file, flushed; (2) the backup name entered in ".hidden", flushed, so a copy never
// exists unlisted (a listed name without a file is harmless); (3) the copy: a second name for
// the original's data, the original still in place; (4) one rename puts the new content over
// the original. Killed at any step, the path holds its old or its complete new content, the
// copies form a run whose first member is the oldest content, and a rerun of the same command
// followed by restore-first gives back the original bytes. A failed step leaves the original
// as it was.
//
// A pass that rewrites many files batches them (stageRewrite, commitBatch): each file's new
// content goes to its temporary file at once, unflushed; the batch then lists all its copies in
// ".hidden" with one write, flushes the new contents and the list together (one flush of the
// file system), makes the copies, flushes the directory, and only then renames each new
// content over its original, flushing the directory once more.
// No original is replaced before its new content, its copy and the copy's listing are on disk,
// so the guarantees above hold for every file of a batch, however it is interrupted.
//
// Writers are serialised per directory (DirectoryLock.h). A pass enters each directory
// (enterDirectoryOf) before reading a file there and keeps the lock and the directory's
// ".hidden" list, read once, until it enters another one or leaves; a single write or restore
// outside a pass takes them for itself.
//
// Files the program must not change: a read-only file (no write permission bit, or one the
// user may not write), and, when a copy would be made, a name holding CR or LF (it cannot be a
// line of ".hidden") or a directory whose ".hidden" is a symbolic link. Each is a FileError
// with its own kind, and nothing on disk changes.

#include "app/FileError.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace morvane::search {

class HiddenList;

class Backups {
public:
    Backups();
    ~Backups();
    Backups(const Backups&) = delete;
    Backups& operator=(const Backups&) = delete;

    // The backup option (tbSaveBackup and its menu twin); on by default.
    bool saveBackup() const { return m_saveBackup; }
    void setSaveBackup(bool on) { m_saveBackup = on; }

    // Backup name of `file` with number `n`: the path followed directly by n ("a.htm" -> "a.htm0").
    static std::filesystem::path BackupName(const std::filesystem::path& file, int n);
    // The first n for which BackupName(file, n) does not exist: the length of the run.
    static int BackupRunLength(const std::filesystem::path& file);

    // A pass is about to read and maybe rewrite `file`: takes the lock of its directory
    // (letting go of the previous directory's), removes temporary files that dead runs left
    // there, and keeps the directory's ".hidden" list until leaveDirectory(). A Busy error when
    // another run holds the directory.
    std::optional<app::FileError> enterDirectoryOf(const std::filesystem::path& file);
    // Writes the pending ".hidden" removals and lets go of the lock.
    void leaveDirectory();

    // Before a rewrite, when the option is on: renames `file` to its first free backup name and
    // hides it. Nothing when the option is off or the file does not exist.
    std::optional<app::FileError> MakeBackup(const std::filesystem::path& file);
    // When the option is on: copies `file` to its first free backup name (never overwriting a
    // file) and hides the copy. The original stays.
    std::optional<app::FileError> MakeBackupCopy(const std::filesystem::path& file);

    // Replaces the content of `file` by `bytes`, crash-safe (see above), making a backup copy
    // of an existing file first when the option is on. On failure returns the error, and the
    // file and its copies are as they were.
    std::optional<app::FileError> RewriteFile(const std::filesystem::path& file, std::string_view bytes);
    // RewriteFile for a file of the directory entered last, put off until commitBatch(): the
    // checks and the temporary file with `bytes` now, the rest with the batch. Returns the
    // error of a file refused now (nothing is staged then, and nothing changed on disk). A file
    // outside the entered directory is rewritten at once.
    std::optional<app::FileError> stageRewrite(const std::filesystem::path& file, std::string_view bytes);
    // stageRewrite with the content given in pieces, for a content too large to hold twice:
    // beginStaged makes the checks and an empty temporary file (an error, or a file outside the
    // entered directory, stages nothing: use stageRewrite then), appendStaged adds a piece,
    // endStaged puts the file into the batch. The first failed piece is kept, later ones are
    // ignored, and endStaged returns its error with nothing staged; abandonStaged (also at
    // destruction) removes an unfinished temporary file.
    std::optional<app::FileError> beginStaged(const std::filesystem::path& file);
    void appendStaged(std::string_view bytes);
    std::optional<app::FileError> endStaged();
    void abandonStaged();
    // Whether rewrites wait for commitBatch().
    bool hasStaged() const { return !m_staged.empty(); }
    // Whether the batch must be committed before `file` is read: it lies in another directory,
    // the batch is full, or `file` is (or leads to) a file whose new content waits in it.
    bool mustCommitBefore(const std::filesystem::path& file) const;
    // Completes every staged rewrite. One result per staged file, in the order they were
    // staged: nothing, or the error that left that file (and its copies) as it was.
    std::vector<std::optional<app::FileError>> commitBatch();
    // The bounds of a batch: its files, and the bytes of their new contents.
    static constexpr size_t kBatchFiles = 64;
    static constexpr size_t kBatchBytes = size_t { 64 } << 20;
    // From this many files on, a batch is flushed by one flush of the whole file system
    // instead of one per file.
    static constexpr size_t kFlushTogetherFrom = 2;

    // The same without any backup copy, whatever the option.
    static std::optional<app::FileError> WriteFileSafely(
        const std::filesystem::path& file, std::string_view bytes);
    // The read-only error for `file` when it exists and may not be written, else nothing.
    static std::optional<app::FileError> CheckWritable(const std::filesystem::path& file);

    // One step back: the latest copy becomes the file (a symbolic link stays a link and its
    // target gets the content). Counts FilesProcessed, and FilesRestored when it succeeded;
    // returns whether it did. A failure leaves the copy in place and listed, counts in
    // FilesFailed and is described in `error` when given.
    bool RestorePrevious(const std::filesystem::path& file, std::optional<app::FileError>* error = nullptr);
    // All the way back: the later copies are deleted (the latest first, so an interruption
    // leaves a run that still starts with the first copy), then the first copy becomes the file.
    bool RestoreFirst(const std::filesystem::path& file, std::optional<app::FileError>* error = nullptr);
    // Deletes the run of copies, the latest first, counting each deletion in BackupsDeleted. A
    // copy that cannot be deleted stops there (the rest of the run stays whole) and is returned.
    std::optional<app::FileError> DeleteBackups(const std::filesystem::path& file);

    // Counters of the restore and delete commands, reset at each command's start.
    void resetCounters() { m_filesProcessed = m_filesRestored = m_backupsDeleted = m_filesFailed = 0; }
    int FilesProcessed() const { return m_filesProcessed; }
    int FilesRestored() const { return m_filesRestored; }
    int BackupsDeleted() const { return m_backupsDeleted; }
    int FilesFailed() const { return m_filesFailed; }

private:
    struct DirectoryState;
    struct Staged;
    // Whether `file` lies in the directory entered last (whose batch it can join).
    bool inEnteredDirectory(const std::filesystem::path& file) const;
    template <typename Body>
    std::optional<app::FileError> inDirectory(const std::filesystem::path& file, Body&& body);
    static std::optional<app::FileError> rewrite(const std::filesystem::path& file, std::string_view bytes,
        bool backup, HiddenList* hidden);
    std::optional<app::FileError> restore(const std::filesystem::path& file, bool toFirst, bool& restored);
    // restore() with the counters kept: processed, restored, failed.
    bool countedRestore(const std::filesystem::path& file, bool toFirst, std::optional<app::FileError>* error);

    bool m_saveBackup = true;
    std::unique_ptr<DirectoryState> m_current;
    std::vector<Staged> m_staged;
    std::unique_ptr<Staged> m_open; // between beginStaged and endStaged
    int m_openError = 0; // the first failed piece of m_open
    size_t m_openBytes = 0;
    size_t m_stagedBytes = 0;
    int m_filesProcessed = 0;
    int m_filesRestored = 0;
    int m_backupsDeleted = 0;
    int m_filesFailed = 0;
};

} // namespace morvane::search
