// The file converter. Tests: tests/search/ConverterTest.cpp.

#include "search/Converter.h"

#include "app/FileIo.h"
#include "app/Format.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "codepage/UnicodeText.h"
#include "search/ReplaceStatus.h"
#include "search/SelectionBounds.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

constexpr int kMsgNoSelection = 60;
constexpr int kMsgConvertCount = 62;
constexpr int kMsgConverted = 63;
constexpr int kMsgConverting = 64;
constexpr int kMsgConvertOne = 65;
constexpr int kMsgLinkOutside = 382;
constexpr int kMsgNotRegular = 383;

} // namespace

Converter::Converter(PassControl& control, PassFileList& files, Backups& backups, WorkTextEditor& editor,
    ConverterDialog& dialog)
    : m_control(control)
    , m_files(files)
    , m_backups(backups)
    , m_editor(editor)
    , m_dialog(dialog)
{
}

void Converter::miConverterClick(const PassSelection& selection, const PassOptions& options)
{
    if (!m_control.canStartPass())
        return;
    m_control.setAbortRequested(false);
    PassControl::PassLoop loop(m_control);
    if (!m_files.TakeFileList(selection, options))
        return;
    // A snapshot: a walk run through the message pump while the loop runs builds a new list.
    const auto snapshot = m_files.FileListSnapshot();
    const std::vector<fs::path>& list = *snapshot;
    const int n = static_cast<int>(list.size());
    m_control.setStatus(0, "");
    m_control.setStatus(1, "");
    if (n == 0) {
        m_control.dialogs().showMessage(app::Msg(kMsgNoSelection));
        return;
    }
    if (n > 1)
        m_dialog.setInfo(app::FillMessage(app::Msg(kMsgConvertCount), { n }));
    else
        m_dialog.setInfo(app::Msg(kMsgConvertOne) + "\r\n" + app::PathText(list[0]));
    if (!m_dialog.exec())
        return;
    // The editor's own file may be among those converted, and its reload would drop the
    // user's edits: offer to save them first, as loading another file does.
    m_editor.AskSaveEditor();

    m_control.SetBusy(true);
    m_control.startTiming();
    const int from = m_dialog.fromIndex();
    const int to = m_dialog.toIndex();
    const SelectionBounds bounds = SelectionBounds::of(selection);
    m_started = m_converted = m_failed = 0;
    for (const fs::path& path : list) {
        if (m_control.AbortRequested())
            break;
        ++m_started;
        m_control.setStatus(0, m_control.elapsedText());
        m_control.setStatus(
            1, " " + app::FillMessage(app::Msg(kMsgConverting), { app::PathText(path), m_started, n }));
        m_control.PumpMessages();
        if (!bounds.contains(path)) {
            fileFailed(path, app::Msg(kMsgLinkOutside));
            continue;
        }
        if (!convertFile(path, from, to))
            continue;
        ++m_converted;
        m_editor.noteFileChanged(path);
    }
    m_backups.leaveDirectory();
    if (m_editor.ViewerNeedsReload())
        m_editor.ReloadViewer();
    m_control.SetBusy(false);
    m_control.dialogs().showMessage(" " + app::FillMessage(app::Msg(kMsgConverted), { m_converted, n })
        + FailureSummaryText(m_failed, 0));
}

bool Converter::convertFile(const fs::path& path, int from, int to)
{
    // Read, backup copy and write under the directory's lock, so that another run cannot change
    // the file in between; a busy or read-only file is left as it is.
    std::optional<app::FileError> refused = m_backups.enterDirectoryOf(path);
    if (!refused)
        refused = Backups::CheckWritable(path);
    if (refused) {
        fileFailed(path, refused->message);
        return false;
    }
    // The file must be one the program may rewrite: opening it for reading and writing is the
    // test, though the new content then arrives by rename rather than through this handle.
    // O_NONBLOCK: a named pipe is refused below instead of waited on.
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        fileFailed(path, app::CannotOpenText(path, errno));
        return false;
    }
    struct stat info { };
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    if (!regular) {
        fileFailed(path, app::Msg(kMsgNotRegular));
        return false;
    }
    std::string bytes;
    if (std::optional<app::FileError> error = app::ReadWholeFile(path, bytes)) {
        fileFailed(path, error->message);
        return false;
    }
    const int source = from == kAutoDetectIndex ? codepage::DetectFileCodePage(bytes)
        : from == kUtf8FromIndex                ? codepage::kUtf8
                                                : from;
    const codepage::FileText text = codepage::DecodeFileText(bytes, source);
    if (!text.writable()) {
        fileFailed(path, TextLossNote(text.loss));
        return false;
    }
    const codepage::ByteOrderMark bom = to == codepage::kUtf8 ? text.bom : codepage::ByteOrderMark::None;
    // The copy only once the file is known to be readable, so a refused file gains none.
    if (std::optional<app::FileError> error = m_backups.MakeBackupCopy(path)) {
        fileFailed(path, error->message);
        return false;
    }
    if (std::optional<app::FileError> error
        = Backups::WriteFileSafely(path, codepage::EncodeFileText(text.text, to, bom))) {
        fileFailed(path, error->message);
        return false;
    }
    return true;
}

void Converter::fileFailed(const fs::path& path, const std::string& reason)
{
    ++m_failed;
    m_control.dialogs().reportFileFailure(path, reason);
}

} // namespace morvane::search
