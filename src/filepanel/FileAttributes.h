#pragma once
// The attribute word of a directory entry, with the bit values of the directory search the
// program was designed around, so that request masks such as 0x2D or 0x3F keep their meaning.
// On this platform an entry is hidden when its name begins with "." or when the directory's
// ".hidden" file lists it; there are no system or volume entries. Covered by
// tests/filepanel/DirectorySearchTest.cpp.

namespace morvane::filepanel {

inline constexpr unsigned kAttrReadOnly = 0x01; // the owner may not write the entry
inline constexpr unsigned kAttrHidden = 0x02;
inline constexpr unsigned kAttrSystem = 0x04; // never set here
inline constexpr unsigned kAttrVolume = 0x08; // never set here
inline constexpr unsigned kAttrDirectory = 0x10;
inline constexpr unsigned kAttrArchive = 0x20; // set on every file, as new files carry it

// Request masks of the directory searches: an entry is skipped when it carries one of the
// special attributes (hidden, system, volume, directory) that the request lacks.
inline constexpr unsigned kRequestFiles = 0x2D; // files, hidden ones left out
inline constexpr unsigned kRequestFilesHidden = 0x2F; // files, hidden ones included
inline constexpr unsigned kRequestDirs = 0x3D; // files and directories, hidden ones left out
inline constexpr unsigned kRequestDirsHidden = 0x3F; // everything
inline constexpr unsigned kRequestPanelDirs = 0x12; // the panel's directory pass, option off

} // namespace morvane::filepanel
