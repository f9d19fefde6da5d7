#pragma once
// "Перекодировать файлы..." (miConverter): converts the files of the pass file list on disk
// from one code page to another, keeping a backup copy of each first when backups are on.
// Covered by tests/search/ConverterTest.cpp.
//
// Each file is rewritten crash-safely (Backups::WriteFileSafely): the converted bytes replace
// it in one step, so an interrupted run leaves every file either converted or as it was. A
// file that cannot be opened for reading and writing, read or written, one that is not a
// regular file, a read-only file, one whose directory another run holds (DirectoryLock.h), and
// a link that leads out of the selection (SelectionBounds) are left as they were: the front end hears of each (PassDialogs::reportFileFailure), the loop goes on, and the
// final message counts only the converted files and says how many failed.
//
// Files are read and written through codepage::DecodeFileText and EncodeFileText, so UTF-8 is a
// code page like the others (its byte-order mark kept when the target is UTF-8 too). A file
// whose text cannot hold all of it (characters Windows-1251 lacks, broken UTF-8, a UTF-16 or
// UTF-32 file) is a failure of the same kind: no backup copy, not a byte changed.

#include "search/Backups.h"
#include "search/ConverterDialog.h"
#include "search/PassControl.h"
#include "search/PassFileList.h"
#include "search/PassOptions.h"
#include "search/PassSelection.h"
#include "search/WorkTextEditor.h"

namespace morvane::search {

class Converter {
public:
    // The "AutoDetect" item of the source list: each file's code page is guessed.
    static constexpr int kAutoDetectIndex = 3;
    // The UTF-8 item of the source list (the target list has UTF-8 at 3, its code page number).
    static constexpr int kUtf8FromIndex = 4;

    // Every collaborator must outlive the converter.
    Converter(PassControl& control, PassFileList& files, Backups& backups, WorkTextEditor& editor,
        ConverterDialog& dialog);

    // The command. An empty file list shows message 60 and ends it.
    void miConverterClick(const PassSelection& selection, const PassOptions& options);

    // Files started, converted and failed by the last run.
    int FilesStarted() const { return m_started; }
    int FilesConverted() const { return m_converted; }
    int FilesFailed() const { return m_failed; }

private:
    // Converts one file; false (after showing why) when it cannot be opened, read or written.
    bool convertFile(const std::filesystem::path& path, int from, int to);
    void fileFailed(const std::filesystem::path& path, const std::string& reason);

    PassControl& m_control;
    PassFileList& m_files;
    Backups& m_backups;
    WorkTextEditor& m_editor;
    ConverterDialog& m_dialog;
    int m_started = 0;
    int m_converted = 0;
    int m_failed = 0;
};

} // namespace morvane::search
