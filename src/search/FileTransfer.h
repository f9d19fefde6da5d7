#pragma once
// The file system steps of the file commands (copy, move, delete, create directory), each
// reporting success or the errno of its failure. A copy is complete before it counts: the
// bytes go to a temporary file beside the target, are flushed to disk and get the source's
// permission bits and modification time; only then does one rename put the file in place, so
// an existing target holds either its old or its complete new content whatever happens, and a
// failure removes the temporary file and leaves both source and target as they were.
// Covered by tests/search/FileTransferTest.cpp.

#include <filesystem>
#include <vector>

namespace morvane::search {

// Copies the regular file `source` (a symbolic link is followed) to `target`, replacing an
// existing target file. Fails with EINVAL when both name the same file or the source is not a
// regular file (a named pipe is refused, never waited on), EISDIR when either is
// a directory. Returns 0 or the errno of the failure.
int CopyFileComplete(const std::filesystem::path& source, const std::filesystem::path& target);

// What MoveFileComplete did.
enum class MoveResult {
    Moved, // the file is at the target and no longer at the source
    CopiedOnly, // the target is a complete copy, but the source could not be deleted
    Failed, // nothing changed
};

// Moves the file `source` to `target`: a rename when both lie on one file system, else a
// complete copy followed by deleting the source. Never moves a file onto itself (Failed).
MoveResult MoveFileComplete(const std::filesystem::path& source, const std::filesystem::path& target);

// Recreates the symbolic link `source` (not its target) as `target`; 0 or the errno.
int CopySymlink(const std::filesystem::path& source, const std::filesystem::path& target);

// Deletes a file or a symbolic link, never a directory; 0 or the errno.
int DeleteFileEntry(const std::filesystem::path& path);

// Removes an empty directory; 0 or the errno.
int RemoveEmptyDirectory(const std::filesystem::path& path);

// How CreateDirectoryStep ended.
enum class CreateDirResult { Created, Existed, Failed };

// Creates the directory `path` (its parent must exist). A directory already there is Existed;
// a file of that name is Failed.
CreateDirResult CreateDirectoryStep(const std::filesystem::path& path);

// One entry of a directory listing: the name and its kind, a symbolic link not followed.
struct DirectoryEntry {
    std::filesystem::path name;
    bool directory = false; // a real directory (a link to one is not)
    bool symlink = false;
};

// The entries of `dir` ("." and ".." excluded, hidden ones included) in the order the system
// lists them, read completely before the caller changes the directory. `ok` is false when the
// directory cannot be read (the entries found so far are returned).
std::vector<DirectoryEntry> ListDirectory(const std::filesystem::path& dir, bool& ok);

// Whether `inner` is `outer` or lies below it, after resolving links and "..". A copy of a
// directory into its own tree would never end.
bool IsSameOrBelow(const std::filesystem::path& inner, const std::filesystem::path& outer);

} // namespace morvane::search
