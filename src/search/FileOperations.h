#pragma once
// The file commands of the file panel and the report list: copy, move and delete (with each
// file's backup copies), and create directory. A command works on the report's selected rows
// when the window says the report has the focus, else on the panel's marked items, else on
// its selected item. Copy and move keep the directory structure below the panel's directory;
// they ask for the target with the directory chooser or the save dialog, delete asks for a
// confirmation that names what goes. Copy, move and delete run in the busy state of the pass
// controls with a progress line, pump messages between entries and stop at the break command;
// each ends with a summary box. Covered by tests/search/FileOperationsCopyTest.cpp,
// FileOperationsMoveTest.cpp, FileOperationsDeleteTest.cpp and FileOperationsReportTest.cpp.
//
// Nothing is lost silently: a copy is complete before it counts (FileTransfer.h), a failed copy
// inside a directory tree ends the command as the break command does (so a move then removes
// no source tree), the first failure is shown with its path, and removing a moved tree deletes
// only entries whose copy is in place.
//
// The panel's items are not taken out one by one: the items that went are unmarked (which
// drops their names from the marked list) and the panel is listed again at the end, keeping the
// focused item. A report row whose file does not lie below the panel's directory is copied or
// moved straight into the chosen directory. Relative paths are not shortened.

#include "search/Backups.h"
#include "search/FileTransfer.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace morvane::filepanel {
class FilePanel;
}

namespace morvane::search {

class FileOperationsDialogs;
class PassControl;
class ReportRows;

class FileOperations {
public:
    // `control` and `dialogs` must outlive the object.
    FileOperations(PassControl& control, FileOperationsDialogs& dialogs);

    // ---- the file panel: marked items, else the selected item (never "..") ----

    // A marked or selected directory is copied as a tree into the chosen directory; a single
    // selected file goes to the name chosen in the save dialog.
    void copyFromPanel(filepanel::FilePanel& panel);
    // Moves the marked or selected items into the chosen directory; an item whose source is
    // gone afterwards is unmarked and leaves the listing.
    void moveFromPanel(filepanel::FilePanel& panel);
    // After the confirmation, deletes the marked or selected files and directory trees, each
    // file with its backup copies. A summary only when more than one file went.
    void deleteFromPanel(filepanel::FilePanel& panel);
    // Creates `name` in the panel's directory, lists the directory again and focuses the new
    // item. Returns whether it was created (an existing name: nothing happens).
    bool createDirectory(filepanel::FilePanel& panel, const std::filesystem::path& name);

    // ---- the report list: its selected rows ----

    void copyFromReport(ReportRows& rows, filepanel::FilePanel& panel);
    // A moved file's row takes the new path.
    void moveFromReport(ReportRows& rows, filepanel::FilePanel& panel);
    // A deleted (or already missing) file's row goes; then the row after the deleted ones is
    // selected.
    void deleteFromReport(ReportRows& rows, filepanel::FilePanel& panel);

    // Counters of the last command.
    int FilesDone() const { return m_filesDone; }
    int DirsDone() const { return m_dirsDone; }

private:
    enum class Kind { Copy, Move, Delete };

    bool startWork(Kind kind);
    void finishWork();
    void progressLine();
    void deleteProgressLine();
    void showTransferSummary();
    void noteCopyFailure(const std::filesystem::path& source, const std::filesystem::path& target, int err);
    void noteError(std::string text);
    void showPendingError();
    std::optional<std::filesystem::path> chooseTarget(const std::string& caption);
    // Acts on the selected item when nothing is marked, else on every marked item but ".."
    // until an abort, unmarking each one acted on and showing `progress` after it. True when
    // any action succeeded.
    bool actOnOperands(filepanel::FilePanel& panel, bool marked, int selected,
        const std::function<bool(int)>& act, void (FileOperations::*progress)());

    bool createCounted(const std::filesystem::path& dir);
    bool copyTopDirectory(const std::filesystem::path& source, const std::filesystem::path& targetDir);
    void copyTree(const std::filesystem::path& source, const std::filesystem::path& target);
    bool copyEntryFile(const std::filesystem::path& source, const std::filesystem::path& target);
    bool removeSourceTree(const std::filesystem::path& source, const std::filesystem::path& copy);
    bool deleteFile(const std::filesystem::path& file);
    bool deleteTree(const std::filesystem::path& dir);
    std::filesystem::path structuredTarget(const std::filesystem::path& file,
        const std::filesystem::path& panelDir, const std::filesystem::path& targetDir);

    PassControl& m_control;
    FileOperationsDialogs& m_dialogs;
    Backups m_backups;
    Kind m_kind = Kind::Copy;
    int m_filesDone = 0;
    int m_dirsDone = 0;
    std::optional<std::string> m_error;
};

// The path of `file` below `dir` (lexically, after normalisation), or nothing when it does not
// lie below it.
std::optional<std::filesystem::path> RelativeBelow(
    const std::filesystem::path& file, const std::filesystem::path& dir);

} // namespace morvane::search
