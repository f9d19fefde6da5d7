// Copy, move and delete on the report list's selected rows. The rows are full paths; copy and
// move rebuild each file's directory below the panel's directory inside the chosen one.

#include "search/FileOperations.h"

#include "app/FileError.h"
#include "app/Format.h"
#include "app/MessageTable.h"
#include "filepanel/FilePanel.h"
#include "search/FileOperationsDialogs.h"
#include "search/PassControl.h"
#include "search/ReportRows.h"

#include <cerrno>

namespace morvane::search {

namespace fs = std::filesystem;

namespace {

constexpr int kMsgConfirmMany = 19;
constexpr int kMsgChooseMoveMany = 23;
constexpr int kMsgChooseCopyMany = 26;
constexpr int kMsgChooseMoveOne = 35;
constexpr int kMsgConfirmFile = 36;
constexpr int kMsgDeletedFiles = 45;
constexpr int kMsgCopyTitle = 71;

} // namespace

fs::path FileOperations::structuredTarget(
    const fs::path& file, const fs::path& panelDir, const fs::path& targetDir)
{
    const std::optional<fs::path> relative = RelativeBelow(file, panelDir);
    if (!relative)
        return targetDir / file.filename();
    fs::path dir = targetDir;
    for (const fs::path& component : relative->parent_path()) {
        dir /= component;
        createCounted(dir);
    }
    return dir / relative->filename();
}

void FileOperations::copyFromReport(ReportRows& rows, filepanel::FilePanel& panel)
{
    const int selectedCount = rows.selectedCount();
    if (!m_control.canStartPass() || selectedCount == 0)
        return;
    const int single = rows.firstSelected();
    std::optional<fs::path> chosen = selectedCount == 1
        ? m_dialogs.chooseSaveFile(app::Msg(kMsgCopyTitle), rows.rowPath(single))
        : chooseTarget(app::FillMessage(app::Msg(kMsgChooseCopyMany), { selectedCount }));
    if (!chosen)
        return;
    const fs::path target = chosen->is_absolute() ? *chosen : panel.currentDirectory() / *chosen;

    PassControl::PassLoop loop(m_control);
    startWork(Kind::Copy);
    if (selectedCount == 1) {
        copyEntryFile(rows.rowPath(single), target);
    } else {
        for (int row = 0; row < rows.rowCount() && !m_control.AbortRequested(); ++row) {
            if (!rows.isRowSelected(row))
                continue;
            const fs::path source = rows.rowPath(row);
            copyEntryFile(source, structuredTarget(source, panel.currentDirectory(), target));
            progressLine();
        }
    }
    progressLine();
    finishWork();
    panel.refreshIfPending();
    showTransferSummary();
}

void FileOperations::moveFromReport(ReportRows& rows, filepanel::FilePanel& panel)
{
    const int selectedCount = rows.selectedCount();
    if (!m_control.canStartPass() || selectedCount == 0)
        return;
    const std::string caption = selectedCount == 1
        ? app::Msg(kMsgChooseMoveOne) + "\r\n" + app::PathText(rows.rowPath(rows.firstSelected()))
        : app::FillMessage(app::Msg(kMsgChooseMoveMany) + " - %d", { selectedCount });
    const std::optional<fs::path> chosen = chooseTarget(caption);
    if (!chosen)
        return;
    const fs::path target = chosen->is_absolute() ? *chosen : panel.currentDirectory() / *chosen;

    PassControl::PassLoop loop(m_control);
    startWork(Kind::Move);
    for (int row = 0; row < rows.rowCount() && !m_control.AbortRequested(); ++row) {
        if (!rows.isRowSelected(row))
            continue;
        const fs::path source = rows.rowPath(row);
        const fs::path to = structuredTarget(source, panel.currentDirectory(), target);
        switch (MoveFileComplete(source, to)) {
        case MoveResult::Moved:
            ++m_filesDone;
            rows.setRowPath(row, to);
            break;
        case MoveResult::CopiedOnly:
            ++m_filesDone;
            break;
        case MoveResult::Failed:
            noteCopyFailure(source, to, errno);
            break;
        }
        progressLine();
    }
    progressLine();
    finishWork();
    panel.refreshIfPending();
    showTransferSummary();
}

void FileOperations::deleteFromReport(ReportRows& rows, filepanel::FilePanel& panel)
{
    const int selectedCount = rows.selectedCount();
    if (!m_control.canStartPass() || selectedCount == 0)
        return;
    const std::string question = selectedCount == 1
        ? app::FillMessage(
            app::Msg(kMsgConfirmFile) + "\r\n%s ?", { app::PathText(rows.rowPath(rows.firstSelected())) })
        : app::FillMessage(app::Msg(kMsgConfirmMany) + " - %d ?", { selectedCount });
    if (!m_dialogs.confirm(question))
        return;

    PassControl::PassLoop loop(m_control);
    startWork(Kind::Delete);
    const int focused = rows.focusedRow();
    for (int row = 0; row < rows.rowCount();) {
        m_control.PumpMessages();
        if (m_control.AbortRequested())
            break;
        if (!rows.isRowSelected(row)) {
            ++row;
            continue;
        }
        const fs::path file = rows.rowPath(row);
        std::error_code ec;
        if (deleteFile(file) || !fs::exists(fs::symlink_status(file, ec)))
            rows.removeRow(row); // the next row moved up into this index
        else
            ++row;
    }
    // The row that followed the deleted ones takes the focus.
    const int count = rows.rowCount();
    const int i = focused - selectedCount;
    int next = i < count - 1 ? i + 1 : i;
    if (next < 0 && count > 0)
        next = 0;
    rows.setCurrentRow(next);

    deleteProgressLine();
    finishWork();
    panel.refreshIfPending();
    m_dialogs.showMessage(app::FillMessage(app::Msg(kMsgDeletedFiles), { m_filesDone }));
}

} // namespace morvane::search
