#pragma once
// The events after which the pass file list may no longer be reused (PassFileList::invalidate).
// Covered by tests/search/PassFileListTest.cpp.

namespace morvane::search {

enum class FileListEvent {
    SubDirToggled,       // tbSubDir / miSubDir clicked: also ends the interactive run, leaves busy
    PanelReloaded,       // directory or drive change, mask change, refresh, miHideFiles toggled
    FocusMovedUnmarked,  // focused item changed while nothing is marked: also leaves busy
    MarkChanged,         // the user changed an item's mark (not a listing)
    ItemRenamed,         // the panel renamed a root: also ends the interactive run
    ItemsMovedOrDeleted, // file operations moved or deleted items: also ends the interactive run
    ReplaceCommand,      // a replace command changed what the list would hold
};

} // namespace morvane::search
