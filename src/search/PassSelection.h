#pragma once
// What a pass takes from the file panel: the current directory and its items in panel order
// with their marks, the focused item and the selection. A pass copies it at its start, so the
// roots it walks are the ones shown when the user started it; a change made while it runs
// clears the validity of the list it builds instead (see PassFileList).
// Covered by tests/search/PassSelectionTest.cpp.

#include <filesystem>
#include <string>
#include <vector>

namespace morvane::search {

// One item of the panel.
struct PassItem {
    std::string name;        // file system bytes; ".." is the parent entry
    bool directory = false;  // the attribute's directory bit
    bool marked = false;
};

// A root of a walk: the item's full path and whether it is walked (a directory) or taken as
// it is (a file).
struct PassRoot {
    std::filesystem::path path;
    bool directory = false;
};

struct PassSelection {
    // The panel's current directory. Items whose name is an absolute path stand for
    // themselves (the command-line tool marks paths from anywhere that way).
    std::filesystem::path directory;
    std::vector<PassItem> items;
    int focusedIndex = -1;  // -1: no focused item
    int selectedIndex = -1; // -1: no selected item
    int selectedCount = 0;

    // The number of marked items.
    int MarkedCount() const;

    // The full path of item `index`.
    std::filesystem::path itemPath(int index) const;

    // The item as a root; none for "..", which is never a root.
    bool rootOf(int index, PassRoot& root) const;
};

} // namespace morvane::search
