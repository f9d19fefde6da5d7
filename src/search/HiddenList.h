#pragma once
// Keeping files out of the pass file list on a file system without a hidden attribute: a
// directory's ".hidden" file lists the names of its hidden entries, one per line (the file
// managers' convention, also read by the directory search). Backup copies are entered there
// before they are made and taken out after they are restored or deleted.
// Covered by tests/search/HiddenListTest.cpp.
//
// A name is entered by appending its line and flushing the file to disk, so that a copy never
// exists unlisted, whatever interrupts the program, and the cost does not grow with the list.
// A listed name without a file is harmless (it hides nothing), so removals are collected and
// written once per directory, through a temporary file: an interrupted update leaves the old
// list. Every other line of the file is kept byte for byte (a CR before the line end, lines
// written by other programs).
//
// The list is never followed as a symbolic link: a ".hidden" that is a link is neither read
// nor written, and an entry that would go into it is refused (ELOOP). A name holding CR or LF
// cannot be one line and is refused too (EINVAL).

#include <filesystem>
#include <string>
#include <unordered_set>
#include <vector>

namespace morvane::search {

// The ".hidden" list of one directory, read at most once and then kept in step with the
// entries added through it. Only correct while no other writer changes the file, which the
// directory lock (DirectoryLock.h) ensures between runs of this program.
class HiddenList {
public:
    explicit HiddenList(std::filesystem::path dir);
    ~HiddenList();
    HiddenList(const HiddenList&) = delete;
    HiddenList& operator=(const HiddenList&) = delete;

    const std::filesystem::path& directory() const { return m_dir; }
    // The path of the list file.
    std::filesystem::path file() const;

    // Whether the bare name `name` is listed.
    bool contains(const std::string& name);
    // Lists `name` durably unless it is listed already (creating the file). 0 or the errno:
    // ELOOP when the list is a symbolic link, EINVAL for a name with CR or LF.
    int add(const std::string& name);
    // Lists every name of `names` not listed yet with one write and one flush. 0 or the errno
    // (then none of them counts as listed). With `flushNow` false the write is left for the
    // caller to flush (a flush of the whole file system, or sync()).
    int addAll(const std::vector<std::string>& names, bool flushNow = true);
    // Flushes the list file and its directory entry. 0 or the errno.
    int sync();
    // Notes `name` for removal at the next flush().
    void remove(const std::string& name);
    // Writes the pending removals (a list left without lines is deleted). 0 or the errno.
    int flush();

private:
    int load();

    std::filesystem::path m_dir;
    std::unordered_set<std::string> m_names;
    std::vector<std::string> m_removed;
    bool m_loaded = false;
    int m_loadError = 0;
    bool m_endsWithNewline = true;
};

// Whether `name` can be one line of the list.
bool IsListableName(const std::string& name);

// Adds the last component of `path` to the ".hidden" file of its directory, creating the file
// when absent. A name already listed is not added twice. 0 or the errno (see HiddenList::add).
int AddToHiddenList(const std::filesystem::path& path);

// Removes every line naming the last component of any of `paths` from the ".hidden" files of
// their directories. A file left without lines is deleted; a missing file stays missing.
void RemoveFromHiddenList(const std::vector<std::filesystem::path>& paths);

// Whether `path`'s name is listed in its directory's ".hidden" file.
bool IsInHiddenList(const std::filesystem::path& path);

} // namespace morvane::search
