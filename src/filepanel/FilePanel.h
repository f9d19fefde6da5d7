#pragma once
// The file panel as a model the window draws: the listing of the current directory (its
// subdirectories and the files that match the mask, ".." first where there is a parent),
// the four sort orders, navigation, the check marks and the marked names (SelectionList),
// the size of a directory, renaming, and the panel's status texts. Keys and clicks arrive as
// the operations below, on item indices; the window only draws the items and binds its
// controls. Everything runs on the user-interface thread. Covered by
// tests/filepanel/FilePanelTest.cpp, FilePanelMarksTest.cpp and FilePanelNavigationTest.cpp.
//
// Names are kept in the file system's bytes (UTF-8 here), so a name that has no Windows-1251
// form still works as a path; the status texts are program text (Windows-1251).

#include "filepanel/Drives.h"
#include "filepanel/FileItem.h"
#include "filepanel/FilePanelHost.h"
#include "filepanel/MaskHistory.h"
#include "filepanel/SortKey.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::filepanel {

class TDirChangeNotifier;

class FilePanel {
public:
    using DriveSpaceQuery = std::function<std::optional<DriveSpace>(const std::filesystem::path&)>;

    // A panel without a directory; StartingUp is set until the first ChangeDirectory.
    // `host` must outlive the panel.
    explicit FilePanel(FilePanelHost& host);
    FilePanel(const FilePanel&) = delete;
    FilePanel& operator=(const FilePanel&) = delete;

    // ---- state read by the window and by the pass file list ----

    // The current directory without a trailing "/" (the root is "/").
    const std::filesystem::path& currentDirectory() const { return m_current; }
    // The full path of item `index` (current directory + name).
    std::filesystem::path itemPath(int index) const;
    // The items in panel order.
    const std::vector<FileItem>& items() const { return m_items; }
    int count() const { return static_cast<int>(m_items.size()); }
    // 1 when the listing holds "..", else 0.
    int parentEntryCount() const { return m_parentCount; }
    // Number of marked items of the current listing.
    int MarkedCount() const { return m_markedCount; }
    // The focused item (-1: none) and the selected one (the list selects the focused item).
    int focusedIndex() const { return m_focused; }
    int selectedIndex() const { return m_selected; }
    // The index of the item last clicked plainly, for Shift-click ranges (-1: none).
    int anchorIndex() const { return m_anchor; }
    // Number of selected items: 1 when an item is selected, else 0.
    int selectedCount() const { return m_selected >= 0 ? 1 : 0; }
    // The focused item is a file: view, edit and load apply to it.
    bool focusedIsFile() const;
    // Copy, move and delete have something to work on: a focused item other than "..", or a
    // marked one.
    bool hasOperands() const;

    // The names of the marked items, in the order they were marked; applied by name at every
    // listing and emptied by every change of directory (not while starting up).
    const std::vector<std::string>& SelectionList() const { return m_selectionList; }
    // Replaces the names (start-up loads them from "Selected.dat").
    void setSelectionList(std::vector<std::string> names);

    bool startingUp() const { return m_startingUp; }
    void setStartingUp(bool on) { m_startingUp = on; }

    // The option "process hidden and system files": with it off, hidden files are not listed
    // (hidden directories always are). Changing it relists keeping the focused item.
    bool processHidden() const { return m_processHidden; }
    void setProcessHidden(bool on);

    SortMode sortMode() const { return m_sortMode; }
    // A sort button: sets the mode and sorts the listing.
    void setSortMode(SortMode mode);

    // The mask box: its text (program text, masks separated by ";"), its drop-down list, and
    // the mask text of the last listing.
    const std::string& maskText() const { return m_maskText; }
    // Sets the text without listing again (start-up).
    void setMaskText(std::string text) { m_maskText = std::move(text); }
    MaskHistory& maskHistory() { return m_maskHistory; }
    const MaskHistory& maskHistory() const { return m_maskHistory; }
    const std::string& lastListedMask() const { return m_lastListedMask; }

    // The refresh-pending flag: set by the directory watcher's handler, cleared by every
    // ReadDirectory.
    bool refreshPending() const { return m_refreshPending; }
    void setRefreshPending() { m_refreshPending = true; }
    // What the flag's consumers do at their safe points (the application becoming active, the
    // end of a command that changes files): RefreshListing when a change is pending and no
    // pass is busy. Returns whether the panel was listed again.
    bool refreshIfPending();

    // The drive shown in the drive box: the mount point that holds the current directory.
    const std::filesystem::path& driveRoot() const { return m_driveRoot; }

    // The watcher that ChangeDirectory points at each new directory (none: not followed).
    void setNotifier(TDirChangeNotifier* notifier) { m_notifier = notifier; }
    // Replaces the drive space query (default: QueryDriveSpace).
    void setDriveSpaceQuery(DriveSpaceQuery query) { m_driveSpaceQuery = std::move(query); }

    // ---- operations used by other parts of the program ----

    // Goes to directory `path` (absolute, or relative to the current directory): nothing when
    // it is the current directory, when the directory cannot be entered (silently) or while a
    // pass is busy. Otherwise empties SelectionList (not while starting up), lists the new
    // directory, points the watcher at it and focuses the directory just left when `path`
    // goes up through "..", else the first item. Returns whether the directory changed.
    bool ChangeDirectory(const std::filesystem::path& path);

    // Rebuilds the listing with the current mask and sort; nothing while a pass is busy
    // (returns false). Clears the refresh-pending flag and invalidates the pass file list.
    // Leaves no item focused.
    bool ReadDirectory();

    // ReadDirectory keeping the focus: the item of the same name, else the one at the old
    // index, else the last one.
    bool RefreshListing();

    // Sorts the items by the sort mode; the focused and the anchor item stay the same items.
    void SortListing();

    // Updates and returns the free-space line: message 4 with the free and the total
    // kilobytes of the drive shown; empty when the system cannot tell.
    std::string ShowDriveSpace();
    const std::string& driveSpaceText() const { return m_driveSpaceText; }

    // ---- keyboard commands (each does nothing while a pass is busy) ----

    // Moves the focus (and the selection) to `index`.
    void focusItem(int index);
    // Enter or double click: into a directory (".." included), or open a file with the
    // desktop's default application.
    void activateFocused();
    // Backspace: to the parent directory, focusing the directory left.
    void goToParent();
    // Ctrl+\: to the root of the drive shown.
    void goToDriveRoot();
    // A drive chosen in the drive box: to its root, then ShowDriveSpace (not while starting up).
    void selectDrive(const std::filesystem::path& root);
    // Space: sums the sizes of all files below the focused directory when its size is still 0.
    void computeDirectorySize();
    // Insert: toggles the focused item's mark (not on ".."), then focuses the next item.
    void toggleMarkAndAdvance();
    // Ctrl+A, Ctrl+D, numpad "*": mark all, unmark all, invert all (a leading ".." never).
    void markAll();
    void unmarkAll();
    void invertMarks();
    // numpad "+" / "-" after the select-files dialog: marks (or unmarks) the files of the
    // current directory that `maskText` matches; directories are never affected. Stops when an
    // abort is requested.
    void markByMask(std::string_view maskText, bool mark);
    // Ctrl+R.
    void refreshCommand() { RefreshListing(); }

    // ---- mouse (works while a pass is busy too) ----

    // Plain click: focuses the item and makes it the anchor.
    void plainClick(int index);
    // Click on the item's check box: on ".." goes to the parent, else toggles the mark.
    void checkBoxClick(int index);
    // Ctrl + click: toggles the mark (not on "..") and focuses the item.
    void ctrlClick(int index);
    // Shift + click: toggles every item from the anchor to `index`, both included, ".."
    // skipped; on the anchor itself (or with no anchor) just that item.
    void shiftClick(int index);

    // Sets item `index`'s mark. A real change (not on "..", not during a listing) updates
    // SelectionList and MarkedCount, invalidates the pass file list and updates the pass
    // commands. Returns whether the mark changed.
    bool setMark(int index, bool mark);

    // ---- mask box ----

    // Enter: records the text in the drop-down list, then applies it.
    void maskEntered(std::string_view text);
    // An entry chosen from the list.
    void maskChosen(std::string_view text);
    // Leaving the box: an empty text becomes "*.*".
    void maskLeft(std::string_view text);

    // ---- rename (Shift+F6, then Enter in the edit box) ----

    // Renames item `index` (not "..") to `newName` (file system bytes) in the current
    // directory, never over an existing entry. On success the item takes the new name, a
    // marked name is renamed in SelectionList too, and the listing is sorted again. Returns
    // whether the entry was renamed; a failure leaves everything as it was, without a message.
    bool renameItem(int index, const std::string& newName);

    // ---- status texts (program text) ----

    // Panel 0: "%d/%d из %d": the focused item's position and the number of items, both
    // without the parent entry, and MarkedCount (1 when nothing is marked, 0 on "..").
    std::string countsText() const;
    // Panel 1: the focused item's path, " <DIR>   " or its size as " %.0n   ", and its date
    // as " dd.mm.yyyy ". Empty when nothing is focused.
    std::string fileInfoText() const;
    // The path line: the current directory with "/" followed by the mask text.
    std::string curDirText() const;

private:
    std::string directoryWithSeparator() const;
    void addItem(FileItem item);
    void toggleMark(int index);
    void applyMask(std::string_view text);
    void focusByName(const std::string& name, int fallback);
    int indexOfName(const std::string& name, bool ignoreCase) const;
    bool busy() const { return m_host.isBusy(); }

    FilePanelHost& m_host;
    TDirChangeNotifier* m_notifier = nullptr;
    DriveSpaceQuery m_driveSpaceQuery;

    std::filesystem::path m_current;
    std::filesystem::path m_driveRoot { "/" };
    std::vector<FileItem> m_items;
    std::vector<std::string> m_selectionList;
    int m_parentCount = 0;
    int m_markedCount = 0;
    int m_focused = -1;
    int m_selected = -1;
    int m_anchor = -1;
    bool m_startingUp = true;
    bool m_processHidden = false;
    bool m_listing = false;
    bool m_refreshPending = false;
    SortMode m_sortMode = SortMode::Type;
    std::string m_maskText { "*.*" };
    std::string m_lastListedMask;
    MaskHistory m_maskHistory;
    std::string m_driveSpaceText;
};

} // namespace morvane::filepanel
