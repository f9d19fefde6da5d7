#pragma once
// Keeping files out of the pass file list on a file system without a hidden attribute: a
// directory's ".hidden" file lists the names of its hidden entries, one per line (the file
// managers' convention, also read by the directory search). Backup copies are entered there
// when they are made and taken out when they are restored or deleted.
// Covered by tests/search/HiddenListTest.cpp.
//
// Every other line of the file is kept as it is, byte for byte (a CR before the line end, lines
// written by other programs). The file is rewritten through a temporary file, so an interrupted
// update leaves the old list. Failures are not reported: like the attribute calls they stand in
// for, a failed update leaves the list as it was and the command goes on.

#include <filesystem>
#include <vector>

namespace morvane::search {

// Adds the last component of `path` to the ".hidden" file of its directory, creating the file
// when absent. A name already listed is not added twice.
void AddToHiddenList(const std::filesystem::path& path);

// Removes every line naming the last component of any of `paths` from the ".hidden" files of
// their directories. A file left without lines is deleted; a missing file stays missing.
void RemoveFromHiddenList(const std::vector<std::filesystem::path>& paths);

// Whether `path`'s name is listed in its directory's ".hidden" file.
bool IsInHiddenList(const std::filesystem::path& path);

} // namespace morvane::search
