#pragma once
// The two output modes as the main window holds them: the tool buttons tbReplToFile and
// tbFileSplit (one group, at most one down) with their menu twins, the collecting file, the
// file-split settings, and the static text stReplToFile that shows the collecting file (or,
// while an interactive run waits in file-split mode, the next output name).
// Covered by tests/search/OutputControlTest.cpp.
//
// A button click is modelled as the group does it: the clicked button flips, going down
// raises the other, and then the clicked button's handler runs with itself as the sender. A
// menu item acts as the click of its button, so the other mode's button and menu item follow
// too (twins always carry the same state).

#include "app/Settings.h"
#include "search/OutputCollectingFile.h"
#include "search/OutputDialogs.h"
#include "search/OutputSplitSettings.h"
#include "search/OutputTarget.h"
#include "search/PassControl.h"
#include "search/PassFileList.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace morvane::search {

class OutputControl {
public:
    // `fileList` may be null; when given, a collecting file chosen while the list is current
    // makes it stale if the list holds the file, so the next pass rebuilds it without the file.
    OutputControl(PassControl& control, OutputDialogs& dialogs, PassFileList* fileList = nullptr);

    // ---- Controls ----

    bool replToFileDown() const { return m_replToFileDown; }
    bool fileSplitDown() const { return m_fileSplitDown; }
    bool miReplToFileChecked() const { return m_miReplToFileChecked; }
    bool miFileSplitChecked() const { return m_miFileSplitChecked; }

    // A click on tbReplToFile / tbFileSplit (see the class comment).
    void clickReplToFileButton();
    void clickFileSplitButton();
    // The menu items: nothing while a pass is busy; otherwise as the button's click, then the
    // menu check follows the button.
    void miReplToFileClick();
    void miFileSplitClick();

    // The handlers. tbReplToFileClick does nothing while busy. Going down it asks for the
    // collecting file (message 29 as the dialog title), offers once more when the file's
    // directory neither exists nor can be created, asks overwrite / append / cancel for an
    // existing file, and opens it; any cancel or failure raises the button again.
    // tbFileSplitClick going down shows the settings; only OK keeps the mode on.
    void tbReplToFileClick(bool senderIsButton);
    void tbFileSplitClick(bool senderIsButton);

    // Switching one-file mode off: closes the collecting file and clears stReplToFile and its
    // hint. Used when the button is raised, when the program closes, and (with the button
    // raised and the menu unchecked, see loadIntoEditor) when a file is loaded into the editor.
    void CloseCollectingFile();
    // Loading a file into the editor ends one-file mode.
    void loadIntoEditor();

    // ---- State ----

    OutputMode mode() const;
    // The target for a run; `splitCodePage` is the code page the split files are written in.
    OutputTarget target(int splitCodePage);

    // The collecting file's path in one-file mode, else empty: the path the passes never search.
    std::filesystem::path collectingFilePath() const;

    const std::filesystem::path& stReplToFile() const { return m_stReplToFile; }
    void setStReplToFile(const std::filesystem::path& text) { m_stReplToFile = text; }
    const std::string& stReplToFileHint() const { return m_stReplToFileHint; }
    // LabelReplToFile: the last collecting file, kept with the settings.
    const std::filesystem::path& LabelReplToFile() const { return m_labelReplToFile; }
    void setLabelReplToFile(const std::filesystem::path& path) { m_labelReplToFile = path; }

    OutputSplitSettings& splitSettings() { return m_splitSettings; }
    const OutputSplitSettings& splitSettings() const { return m_splitSettings; }
    OutputCollectingFile& collectingFile() { return m_collectingFile; }

    // The panel's current directory, where the save dialog starts without a remembered file.
    void setPanelDirectory(const std::filesystem::path& directory) { m_panelDirectory = directory; }
    // While an interactive run waits at a match, the output name for that match; nothing
    // otherwise. Switching file-split mode on shows it in stReplToFile.
    void setWaitingRunName(std::function<std::optional<std::filesystem::path>()> source)
    {
        m_waitingRunName = std::move(source);
    }

    // The file-split settings and LabelReplToFile from the settings file, and back. Paths are
    // stored as program text.
    void restoreSettings(const app::Settings& settings);
    void storeSettings(app::Settings& settings) const;

private:
    bool chooseAndOpen();

    PassControl& m_control;
    OutputDialogs& m_dialogs;
    PassFileList* m_fileList;
    bool m_replToFileDown = false;
    bool m_fileSplitDown = false;
    bool m_miReplToFileChecked = false;
    bool m_miFileSplitChecked = false;
    OutputCollectingFile m_collectingFile;
    OutputSplitSettings m_splitSettings;
    std::filesystem::path m_stReplToFile;
    std::string m_stReplToFileHint;
    std::filesystem::path m_labelReplToFile;
    std::filesystem::path m_panelDirectory;
    std::function<std::optional<std::filesystem::path>()> m_waitingRunName;
};

} // namespace morvane::search
