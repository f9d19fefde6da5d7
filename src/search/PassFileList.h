#pragma once
// The pass file list: the ordered full paths every multi-file command works on, whether it
// may be reused, and the file the interactive run is at. One instance, owned by the main
// window. Covered by tests/search/PassFileListTest.cpp and tests/search/WalkOrderTest.cpp.
//
// BuildFileList walks the roots of the selection: the marked items in panel order, else the
// focused item. A file root is taken as it is (no mask, no hidden test); a directory root is
// walked depth first, each directory's files before its subdirectories, its files mask by
// mask in name order. With more than one mask (the text holds ";") a path is appended only
// once, at the place of the first mask that finds it; with a single mask nothing is tested.
// That test, and the removal of the collecting output file, compare paths exactly (the
// collecting file also by identity on disk): here two names that differ only in case are two
// files, and dropping one of them would silently skip a source.
//
// Sound walking: no directory is entered twice in one walk (a symbolic link back into the
// tree, or two links to one directory, are not followed again), so a link cycle ends;
// unreadable directories contribute nothing and are not an error; names are used as the file
// system's bytes and never converted.
//
// Validity: the list becomes valid only at the end of a walk that was neither aborted nor
// overtaken by an invalidating event while it ran (an option toggled or a mark changed through
// the message pump would otherwise leave a stale list marked current).

#include "search/FileListEvent.h"
#include "search/PassControl.h"
#include "search/PassOptions.h"
#include "search/PassSelection.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace morvane::search {

class PassFileList {
public:
    explicit PassFileList(PassControl& control) : m_control(control) { }

    const std::vector<std::filesystem::path>& FileList() const { return *m_fileList; }
    // The list as it is now, for a command that must keep working on it while the message pump
    // runs: a later walk builds a new list rather than changing this one.
    std::shared_ptr<const std::vector<std::filesystem::path>> FileListSnapshot() const { return m_fileList; }
    bool FileListValid() const { return m_valid; }
    int CurrentFileIndex() const { return m_currentFileIndex; }
    void setCurrentFileIndex(int index) { m_currentFileIndex = index; }

    // Called with each path as the walk appends it, so that work on the list can start before
    // the walk ends. The paths it hears are the list unless the collecting file is removed.
    using AppendListener = std::function<void(const std::filesystem::path&)>;

    // Rebuilds the list from `selection` with `options`, showing message 39 and the growing
    // count in the status panels and pumping messages as it goes. Returns FileListValid().
    bool BuildFileList(
        const PassSelection& selection, const PassOptions& options, const AppendListener& onAppend = {});

    // The reuse rule: a valid list is taken unchanged (true, nothing shown, `onAppend` never
    // called); otherwise the list is rebuilt. A rebuilt list overtaken by a change while it was
    // walked is used by this command (true) and stays invalid. When the walk is aborted, panel
    // 0 is cleared, panel 1 shows the abort text, the busy state is left and false is returned:
    // the command ends.
    bool TakeFileList(
        const PassSelection& selection, const PassOptions& options, const AppendListener& onAppend = {});

    // Clears FileListValid for `event`, with that event's further effects on the pass controls.
    void invalidate(FileListEvent event);

private:
    void removeCollectingFile(const std::filesystem::path& collectingFile);
    // The list to change: while a snapshot of it is held, a new one (a copy with `keepPaths`).
    std::vector<std::filesystem::path>& changeableList(bool keepPaths);

    PassControl& m_control;
    std::shared_ptr<std::vector<std::filesystem::path>> m_fileList
        = std::make_shared<std::vector<std::filesystem::path>>();
    bool m_valid = false;
    int m_currentFileIndex = -1;
    unsigned m_generation = 0; // bumped by every invalidation
};

} // namespace morvane::search
