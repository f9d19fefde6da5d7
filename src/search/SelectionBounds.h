#pragma once
// Where a writing command may write: the real paths of the selection's roots. A file of the
// pass list is inside when its real path (links and ".." resolved) lies under a marked
// directory's real path, or when it is a marked file itself. A symbolic link in the tree that
// leads elsewhere is outside: rewriting through it would change a file the user never chose
// (and put its backup in the tree). Covered by tests/search/ReplaceEverywhereTest.cpp.

#include "search/PassSelection.h"

#include <filesystem>
#include <vector>

namespace morvane::search {

class SelectionBounds {
public:
    // The roots a pass takes from `selection`: its marked items, else the focused one.
    static SelectionBounds of(const PassSelection& selection);

    // Whether `path` may be rewritten. A path whose real path cannot be found (a vanished
    // file) is inside: the write itself then reports what is wrong.
    bool contains(const std::filesystem::path& path) const;

private:
    void addRoot(const PassRoot& root);

    std::vector<std::filesystem::path> m_directories; // real paths
    std::vector<std::filesystem::path> m_files; // as given
    std::vector<std::filesystem::path> m_realFiles;
};

} // namespace morvane::search
