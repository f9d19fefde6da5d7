#pragma once
// One row of the file panel's listing, with every field as the listing read it. The window
// draws the name and the mark; size, date and attributes carry the values for the sort and
// the status texts. Covered by tests/filepanel/FilePanelTest.cpp.

#include "filepanel/FileAttributes.h"

#include <cstdint>
#include <string>

namespace morvane::filepanel {

// Images of the mark box.
enum class StateImage { Unmarked = 0, Marked = 1, NoBox = 2 };

// Fixed icons; the window may map file icons further by extension.
enum class ItemIcon { Parent = 0, Directory = 1, File = 2 };

struct FileItem {
    std::string name; // the entry's name in the file system's bytes; ".." is the parent entry
    // A file's size in the stored format of the directory search: the low 32 bits of the real
    // size taken as a signed 32-bit number, so files of 2 GiB and more show wrong sizes (a
    // 5 GiB file shows 1 GiB, a 3 GiB one a negative size). A directory's size is 0 until it
    // has been computed, then the 64-bit total of the files below it.
    std::int64_t size = 0;
    std::uint32_t date = 0; // last modification as a DOS date-time in local time
    unsigned attributes = 0; // kAttr* bits
    bool marked = false;
    StateImage stateImage = StateImage::Unmarked;
    ItemIcon icon = ItemIcon::File;

    bool isParent() const { return name == ".."; }
    bool isDirectory() const { return (attributes & kAttrDirectory) != 0; }
};

// The stored size of a file of `realSize` bytes (see FileItem::size).
inline std::int64_t StoredFileSize(std::uint64_t realSize)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(realSize & 0xFFFFFFFFu));
}

} // namespace morvane::filepanel
