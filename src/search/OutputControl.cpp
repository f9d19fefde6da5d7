// The output mode buttons, the collecting file and the file-split settings.
// Tests: tests/search/OutputControlTest.cpp.

#include "search/OutputControl.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"

#include <algorithm>
#include <system_error>

namespace morvane::search {

namespace fs = std::filesystem;

namespace {

constexpr int kMsgChooseOutputFile = 29;
constexpr int kMsgCollectingFileHint = 61;
constexpr int kMsgNoSplitName = 400;

bool isDirectory(const fs::path& path)
{
    std::error_code ec;
    return fs::is_directory(path.empty() ? fs::path(".") : path, ec);
}

bool pathExists(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

bool samePath(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    if (fs::absolute(a, ec).lexically_normal() == fs::absolute(b, ec).lexically_normal())
        return true;
    std::error_code equivalentError;
    return fs::equivalent(a, b, equivalentError);
}

} // namespace

OutputControl::OutputControl(PassControl& control, OutputDialogs& dialogs, PassFileList* fileList)
    : m_control(control)
    , m_dialogs(dialogs)
    , m_fileList(fileList)
{
}

void OutputControl::clickReplToFileButton()
{
    m_replToFileDown = !m_replToFileDown;
    if (m_replToFileDown)
        m_fileSplitDown = false;
    tbReplToFileClick(true);
}

void OutputControl::clickFileSplitButton()
{
    m_fileSplitDown = !m_fileSplitDown;
    if (m_fileSplitDown)
        m_replToFileDown = false;
    tbFileSplitClick(true);
}

void OutputControl::miReplToFileClick()
{
    if (m_control.IsBusy())
        return;
    clickReplToFileButton();
    m_miReplToFileChecked = m_replToFileDown;
}

void OutputControl::miFileSplitClick()
{
    if (m_control.IsBusy())
        return;
    clickFileSplitButton();
    m_miFileSplitChecked = m_fileSplitDown;
}

void OutputControl::tbReplToFileClick(bool senderIsButton)
{
    if (m_control.IsBusy())
        return;
    if (senderIsButton)
        tbFileSplitClick(false);

    if (m_replToFileDown && !chooseAndOpen())
        m_replToFileDown = false;

    if (m_replToFileDown) {
        const fs::path path = m_collectingFile.path();
        if (m_fileList && m_fileList->FileListValid()) {
            const auto& list = m_fileList->FileList();
            if (std::any_of(list.begin(), list.end(), [&](const fs::path& p) { return samePath(p, path); }))
                m_fileList->invalidate(FileListEvent::ReplaceCommand);
        }
        m_labelReplToFile = path;
        m_stReplToFileHint = app::Msg(kMsgCollectingFileHint);
    } else {
        CloseCollectingFile();
    }
    m_miReplToFileChecked = m_replToFileDown;
}

void OutputControl::tbFileSplitClick(bool senderIsButton)
{
    if (senderIsButton)
        tbReplToFileClick(false);

    if (m_fileSplitDown) {
        OutputSplitSettings edited = m_splitSettings;
        if (!m_dialogs.editFileSplitSettings(edited)) {
            m_fileSplitDown = false;
        } else if (!edited.nameFromSource && edited.fixedName.empty()) {
            // Numbered files with no name would be "_0", "_1"... wherever the program started.
            m_control.dialogs().showMessage(app::Msg(kMsgNoSplitName));
            m_fileSplitDown = false;
        } else {
            // A relative fixed name means the directory the user sees, not the working one.
            if (!edited.nameFromSource && edited.fixedName.is_relative() && !m_panelDirectory.empty())
                edited.fixedName = m_panelDirectory / edited.fixedName;
            m_splitSettings = edited;
        }
    }

    if (m_fileSplitDown) {
        if (m_waitingRunName) {
            if (const auto name = m_waitingRunName())
                m_stReplToFile = *name;
        }
    } else {
        m_stReplToFile.clear();
    }
    m_miFileSplitChecked = m_fileSplitDown;
}

bool OutputControl::chooseAndOpen()
{
    const std::string title = app::Msg(kMsgChooseOutputFile);
    std::error_code ec;
    const fs::path startFile = fs::is_regular_file(m_labelReplToFile, ec) ? m_labelReplToFile : fs::path();
    std::optional<fs::path> chosen = m_dialogs.chooseOutputFile(title, startFile, m_panelDirectory);
    if (!chosen)
        return false;

    fs::path path = *chosen;
    m_stReplToFile = path;
    if (!pathExists(path) && !isDirectory(path.parent_path())) {
        // One level only: a missing parent of the directory is not created.
        std::error_code createError;
        const bool created = fs::create_directory(path.parent_path(), createError) && !createError;
        if (!created) {
            if (const auto again = m_dialogs.chooseOutputFile(title, path, m_panelDirectory))
                path = *again;
            if (!isDirectory(path.parent_path()))
                return false;
            m_stReplToFile = path;
        }
    }

    bool append = false;
    if (pathExists(path)) {
        switch (m_dialogs.askExistingTarget(path)) {
        case OutputExistingAnswer::Cancel:
            return false;
        case OutputExistingAnswer::Overwrite:
            break;
        case OutputExistingAnswer::Append:
            append = true;
            break;
        }
    }
    if (const auto error = m_collectingFile.open(path, append)) {
        m_control.dialogs().showMessage(error->message);
        return false;
    }
    return true;
}

void OutputControl::CloseCollectingFile()
{
    m_collectingFile.close();
    m_stReplToFile.clear();
    m_stReplToFileHint.clear();
}

void OutputControl::loadIntoEditor()
{
    m_replToFileDown = false;
    m_miReplToFileChecked = false;
    CloseCollectingFile();
}

OutputMode OutputControl::mode() const
{
    if (m_fileSplitDown)
        return OutputMode::FileSplit;
    if (m_replToFileDown && m_collectingFile.isOpen())
        return OutputMode::OneFile;
    return OutputMode::InPlace;
}

OutputTarget OutputControl::target(int splitCodePage)
{
    OutputTarget result;
    result.mode = mode();
    result.collectingFile = &m_collectingFile;
    result.splitSettings = &m_splitSettings;
    result.splitCodePage = splitCodePage;
    return result;
}

fs::path OutputControl::collectingFilePath() const
{
    return mode() == OutputMode::OneFile ? m_collectingFile.path() : fs::path();
}

void OutputControl::restoreSettings(const app::Settings& settings)
{
    m_splitSettings.numbering
        = settings.rbFoundCount_Checked ? OutputNumbering::ByMatches : OutputNumbering::ByReplacements;
    m_splitSettings.nameFromSource = settings.CheckBoxFileNameSource_Checked;
    m_splitSettings.fixedName = fs::path(codepage::Win1251ToUtf8(settings.FileName_Text));
    m_splitSettings.startNumber = settings.ceStartNumber_Value;
    m_splitSettings.digits = settings.ceNumberLength_Value;
    m_splitSettings.separator = settings.edDelimiter_Text;
    m_labelReplToFile = fs::path(codepage::Win1251ToUtf8(settings.LabelReplToFile_Caption));
}

void OutputControl::storeSettings(app::Settings& settings) const
{
    settings.rbFoundCount_Checked = m_splitSettings.numbering == OutputNumbering::ByMatches;
    settings.rbReplaceCount_Checked = !settings.rbFoundCount_Checked;
    settings.CheckBoxFileNameSource_Checked = m_splitSettings.nameFromSource;
    settings.FileName_Text = app::PathText(m_splitSettings.fixedName);
    settings.ceStartNumber_Value = static_cast<int>(m_splitSettings.startNumber);
    settings.ceNumberLength_Value = m_splitSettings.digits;
    settings.edDelimiter_Text = m_splitSettings.separator;
    settings.LabelReplToFile_Caption = app::PathText(m_labelReplToFile);
}

} // namespace morvane::search
