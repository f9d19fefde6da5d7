#pragma once
// The one way this program puts new content in place of a file: the bytes go to a hidden
// temporary file in the same directory (".mv-" and six random characters, short so that a
// target name of 255 bytes still works), are flushed to disk and get the permission bits the
// target should have; only then does one rename put them in place, and the directory entry is
// flushed too. Killed at any moment, the target holds its old or its complete new content; a
// failure removes the temporary file and leaves the target as it was.
//
// While a temporary file exists its writer holds an advisory lock on it, so a temporary file
// that can be locked by anyone else was left by a process that died, and may be removed.
//
// Crash points: every durable step calls CrashPoint(), which the fault-injection tests use to
// kill the process at step k. Covered by tests/app/DurableWriteTest.cpp.

#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace morvane::app {

// The start of every temporary file name this module makes.
inline constexpr std::string_view kTempPrefix = ".mv-";

// Whether `name` (a bare file name) has the form of this module's temporary files.
bool IsTemporaryName(std::string_view name);

// A temporary file with new content, created beside its target and not yet in place. The
// destructor removes a temporary file that was neither committed nor released.
class PendingFile {
public:
    PendingFile() = default;
    ~PendingFile();
    PendingFile(PendingFile&& other) noexcept;
    PendingFile& operator=(PendingFile&& other) noexcept;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Creates the temporary file in the directory of `target` and writes `bytes` with `mode`.
    // With `sync` the data are flushed before returning (else call sync() before commit()).
    // Returns 0 or the errno of the failure (nothing is left behind then).
    int create(const std::filesystem::path& target, std::string_view bytes, mode_t mode, bool sync = true);
    // Writes `bytes` after what the temporary file holds: content given in pieces. 0 or the
    // errno (the file stays, to be discarded by the caller).
    int append(std::string_view bytes);
    // Flushes the written data to disk. 0 or the errno.
    int sync();
    // Renames the temporary file over the target and, unless `syncDirectory` is false (a
    // batch flushes its directory once after all its renames), flushes the directory. 0 or the
    // errno (the temporary file is removed on failure).
    int commit(bool syncDirectory = true);
    // Removes the temporary file.
    void discard();

    const std::filesystem::path& tempPath() const { return m_temp; }
    const std::filesystem::path& target() const { return m_target; }
    // The open descriptor of the temporary file (-1 when none), for writers that stream into it.
    int descriptor() const { return m_fd; }

private:
    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    int m_fd = -1;
};

// Creates a hidden temporary file beside `target` and returns its open descriptor (locked and
// close-on-exec) with its path in `temp`, or -1 with errno set.
int CreateTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temp);

// Replaces the content of `target` by `bytes` as described above. `mode` is used for the file;
// pass KeepMode() to keep an existing file's bits (umask-based 0666 for a new one). 0 or errno.
int WriteFileDurably(const std::filesystem::path& target, std::string_view bytes, mode_t mode);
// The permission bits a rewrite of `target` should give it: its own when it exists, else 0666
// less the umask. Sets `isDirectory` when `target` is a directory.
mode_t ModeForRewrite(const std::filesystem::path& target, bool* isDirectory = nullptr);

// Copies `from` to the new file `to` (never replacing one) with `mode`, flushed to disk. A
// partial copy is removed. 0 or the errno.
int CopyToNewFileDurably(const std::filesystem::path& from, const std::filesystem::path& to, mode_t mode);

// Flushes the entries of directory `dir` (after a rename, link or unlink in it). 0 or errno.
int SyncDirectory(const std::filesystem::path& dir);

// Removes this program's temporary files in `dir` whose writers are gone. Returns how many.
int RemoveStaleTemporaries(const std::filesystem::path& dir);

// Sets SIGXFSZ to be ignored, so that a write past the file size limit fails with EFBIG and
// takes the ordinary error path instead of killing the process. Both programs call it first.
void IgnoreFileSizeSignal();

// Fault injection for tests: the `k`-th CrashPoint() call from now (1-based) kills the process
// with SIGKILL; 0 turns it off. CrashPoint() is called after every durable step.
void SetCrashPoint(int k);
void CrashPoint();

} // namespace morvane::app
