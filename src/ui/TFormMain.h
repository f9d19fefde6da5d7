#pragma once
// The main window: the pages (manual, work, report, rule table, and the service page that is
// never shown), the three main menus, the two tool bars and the context menus, the keys the
// window takes before its controls, start-up and close with the persisted settings, and the
// font and colour of the focused control. The window binds; the behaviour of the commands
// lives in the core.
//
// The implementation is split by concern: TFormMain.cpp (construction, keys, twins),
// TFormMainMenus.cpp, TFormMainWorkPage.cpp, TFormMainOtherPages.cpp (builders),
// TFormMainCaptions.cpp, TFormMainStartup.cpp (restore, show, close), TFormMainAppearance.cpp
// and TFormMainCommands.cpp (the command handlers of the window itself), and one file per
// subsystem the window binds (TFormMainTablePage, Passes, Editor, FileOps, Colour, Tags); the
// file panel is drawn and driven by
// FilePanelView.
// Covered by tests/ui/tst_objectnames.cpp, tst_startup.cpp, tst_twins.cpp, tst_appearance.cpp,
// tst_filepanel.cpp.

#include "app/Settings.h"
#include "rules/TableFile.h"
#include "ui/FormMainControls.h"

#include <QMainWindow>

#include <filesystem>
#include <memory>
#include <string>

class QAbstractButton;
class QKeyEvent;

namespace morvane::search {
class Backups;
class OutputControl;
class PassControl;
class PassFileList;
class ReportModel;
class WorkTextEditor;
struct PassOptions;
struct PassSelection;
}

namespace morvane::ui {

class FilePanelView;
class FormMainDialogs;
class TForm9;
class RuleTablePage;
class TablePageDialogs;

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    // The window keeps its files in `programDir` (normally app::ProgramDir()).
    explicit TFormMain(const std::filesystem::path& programDir, QWidget* parent = nullptr);
    ~TFormMain() override;

    // Replaces the boxes and choosers (tests script their answers); the window does not own it.
    void setDialogs(FormMainDialogs* dialogs);

    const FormMainControls& controls() const { return m_c; }
    TForm9* form9() const { return m_form9; }
    FilePanelView* filePanel() const { return m_panel; }
    const std::filesystem::path& programDir() const { return m_programDir; }

    // Sets each caption and hint of entries 100 to 360 from the message table.
    void ApplyCaptions();

    // State shared with the commands that the next steps bind.
    bool startingUp() const { return m_startingUp; }
    int responseIntervalMs() const { return m_responseIntervalMs; }
    // The stored tables live in the rule table page's model (TFormMainTablePage.cpp).
    const rules::LineList& ruleList() const;
    const rules::LineList& colourList() const;
    std::filesystem::path ruleTablePath() const;
    const std::filesystem::path& colourTablePath() const;
    void setRuleTableModified(bool modified);
    void setColourTableModified(bool modified);
    bool isBusy() const { return m_busy; }

    // F2: replace the current match while the confirmation buttons are enabled, else save the
    // editor. Returns the command it chose, for the tests: true for replace.
    bool routeF2();

public Q_SLOTS:
    // Operations menu.
    void miFindClick();
    void miReplacePassimClick();
    void miReplaceClick();
    void miReplaceInFileClick();
    void miReplaceAllClick();
    void miIgnoreClick();
    void miNextFileClick();
    void miFindFilesClick();
    void miNotFindFilesClick();
    void miAllFilesClick();
    void miFindTagClick();
    void miSelectTagClick();
    void miSelectToWebBrowserClick();
    void miRestoreClick();
    void miRestoreAllClick();
    void miDelAllBackupClick();
    void miConverterClick();
    void miQuoteClick();
    void miLoadFileClick();
    void miSaveClick();
    void miSaveAsClick();
    void miAbortClick();
    // Settings menu and its tool buttons.
    void tbSubDirClick();
    void miHideFilesClick();
    void miReportClick();
    void tbReplToFileClick();
    void tbFileSplitClick();
    void tbWordWrapClick();
    void tbColourClick();
    void tbSetColourClick();
    void tbWebBrowserClick();
    // Shows or hides the preview page's tab of the work area.
    void showPreviewTab(bool shown);
    void miSetFontClick();
    void miSetColorClick();
    void miSetTimeClick();
    void tbWordWrapMemoClick();
    void CheckBoxModifierClick();
    void rbReplaceModeClick();
    // Help.
    void miHelpClick();
    void miSupportClick();
    void miManualClick();
    void tbTutorialClick();
    void tbHelpTableClick();
    // File commands of the panel and the report.
    void miViewClick();
    void miEditClick();
    void miCopyClick();
    void miMoveClick();
    void miCreateDirClick();
    void miDeleteClick();
    // Work page.
    void tbBreakClick();
    void cbCodePageChange();
    void sbSortClick();
    void cbDriveChange();
    void cbMaskChange();
    void sbInsertToFindClick();
    void sbInsertToReplaceClick();
    void tbInsertTableClick();
    void tbEditTableClick();
    void pmFindItemClick();
    void pmReplaceItemClick();
    void sbYesClick();
    void sbYesToAllClick();
    void sbAllClick();
    void sbIgnoreClick();
    void sbNoToAllClick();
    void sbAbortClick();
    // Table page.
    void tbSaveTableClick();
    void tbLoadTableClick();
    void tbDeleteFromTableClick();
    void tbInsertToTableClick();
    void tbMoveTopClick();
    void tbMoveUpClick();
    void tbMoveDownClick();
    void tbMoveBottomClick();
    void sbAddToTableClick();
    void sbReplaceToTableClick();
    void sbDeleteToTableClick();
    void sbQuoteMemoFindClick();
    // The hidden button the directory watcher clicks, and the application becoming active:
    // a pending change of the panel's directory is listed at the latter.
    void tbAutoRefreshClick();
    void ApplicationEventsActivate();
    // Pages.
    void PageControlMainChange(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Builders (one file each).
    void buildMenus();
    void buildContextMenus();
    void buildWorkToolBar(QWidget* page);
    void buildWorkPage();
    void buildFilePanel();
    void buildFieldsPanel();
    void buildEditorPages();
    void buildReportPage();
    void buildOptionsPage();
    void buildServicePage();
    void connectHandlers();
    void bindTwin(QToolButton* button, QAction* action);

    // Start-up and close.
    void FormCreate();
    void FormShow();
    void restoreSettings();
    void collectSettings();
    void fillGrid();
    void applyTwinStates();
    void applyAppearance();
    void collectAppearance();
    // Close steps 1 to 6; false when a step failed and the window must stay open.
    bool runCloseSteps();
    void setResponseIntervalCaption(const std::string& caption);

    // Appearance of the focused control.
    QWidget* styleTarget() const;
    void updateStyleButtons();
    void setControlFont(QWidget* control, const QFont& font);
    void setControlColor(QWidget* control, const QColor& color);

    // Keys the window takes before its controls.
    bool handleWindowKey(QKeyEvent* event);

    std::filesystem::path m_programDir;
    FormMainControls m_c;
    TForm9* m_form9 = nullptr;
    FilePanelView* m_panel = nullptr;
    std::unique_ptr<FormMainDialogs> m_ownDialogs;
    FormMainDialogs* m_dialogs = nullptr;

    app::Settings m_settings;
    bool m_shownOnce = false;
    bool m_startingUp = true;
    bool m_busy = false;
    std::string m_colourTableExt;
    std::vector<std::string> m_selectionList;
    std::string m_setTimeCaption; // program text; the last 9 characters hold the interval
    int m_responseIntervalMs = 500;
    int m_reportColumnWidth1 = 70;
    int m_reportColumnWidth2 = 70;
    int m_activePageIndex = -1;
    // Whether the work page's and the table page's panels have been laid out on the screen in
    // this run: the sizes of a page never shown are the toolkit's defaults, not the user's.
    bool m_workPageLaidOut = false;
    bool m_tablePageLaidOut = false;
    // ==== help, manual and language (TFormMainHelp.cpp, ui/help/); each block states its own access ====
public:
    // The help commands, the about window and the language choice, created with the first use
    // (the window's construction makes it, so that its menu items exist from the start).
    class HelpBinding& help();
    // Loads the message table of the language chosen (a language file of the program directory
    // wins) and applies every caption and the texts read at show time again, at once.
    void applyLanguage();

private:
    // The built-in table, the language file or the English table, by the choice.
    void loadMessageTable();
    // The manual page became active.
    void helpPageChanged();
    class HelpBinding* m_help = nullptr;
    // ==== end of help ====

    // ==== table page (TFormMainTablePage.cpp); each block states its own access ====
public:
    // The rule table page: the grid's model with both stored tables, the rule compiler and the
    // search engine it configures. Created with the window.
    RuleTablePage& tablePage() const { return *m_tablePage; }
    // The rule table's rows as the grid shows them now (data rows 1 to N).
    std::vector<rules::Rule> gridRules() const;
    // The rule in the work page's three fields as they stand.
    rules::Rule workFieldsRule() const;
    // Makes data row `row` (1-based) the grid's current row and shows it in every field.
    void setCurrentRuleRow(int row);
    // The check before a replace run: every row in multipass mode (tbBatch down), else the work
    // fields; a failure is reported, its row made current and the part selected.
    bool ValidateRules();
    // Replaces the table dialogs and questions (tests script them); not owned.
    void setTablePageDialogs(TablePageDialogs* dialogs);

private:
    // At FormCreate: binds the table page's widgets; at FormShow: loads the rule table into the
    // grid and applies the global settings and the character sets to the engine.
    void initTablePage();
    void showTablePage();
    RuleTablePage* m_tablePage = nullptr;
    // ==== end of table page ====

    // ==== passes and report (TFormMainPasses.cpp); each block states its own access ====
public:
    // Enables the pass commands by the work page, the panel's selection and the colouring
    // set-up mode; called whenever one of those changes.
    void UpdatePassCommands();
    // Enters or leaves the busy state of a pass (indicator, break button, editor commands,
    // cursor).
    void SetBusy(bool on);
    // The pass subsystem (ui/PassesBinding.h), created with its first use. The accessors below
    // reach its parts: the shared pass controls (abort request, busy state, throttled message
    // pump, timing, status panels), the pass file list, the report rows, the backup option and
    // copies, the working text shared by the passes and the editor, the output modes.
    class PassesBinding& passes();
    search::PassControl& passControl();
    search::PassFileList& passFileList();
    search::ReportModel& reportModel();
    search::Backups& backups();
    search::WorkTextEditor& workTextEditor();
    search::OutputControl& outputControl();
    // The report list's window side: its selected rows, for the file commands.
    class ReportView& reportView();
    // The selection of the file panel as a pass takes it, and the walk's options.
    search::PassSelection passSelection() const;
    search::PassOptions passOptions();
    // Replaces the boxes and dialogs of the pass commands (tests script them); not owned.
    void setPassesDialogs(class PassesDialogs* dialogs);
    // Loading a file into the editor ends one-file output: the collecting file is closed, the
    // button raised and the menu item unchecked.
    void endOneFileMode();
private:
    // At the window's creation: the file panel's selection changes reach the passes.
    void bindPanelToPasses();
    void passBusyChanged();
    void showReportPage();
    void pullOutputSettings();
    void pushOutputSettings();
    void searchPass(bool found);
    void backupCommand(int command);
    // After a command that may have rewritten files: the panel lists its directory again and
    // the automatic preview shows the focused file anew.
    void showChangedFiles();
    PassesBinding* m_passes = nullptr;
    // ==== end of passes and report ====

    // ==== editor and interactive run (TFormMainEditor.cpp); each block states its own access ====
public:
    // Ends the interactive replace run: disables the eleven confirmation controls, then
    // UpdatePassCommands().
    void DisableConfirmButtons();
    // Enables save, save-as and load by the editor's state and the panel's selected item.
    void UpdateEditorCommands();
    // Loads the viewer's file again after a command rewrote it on disk (the viewer's mode is
    // kept, its modified flag cleared).
    void ReloadViewer();
    // The viewer reSource as the commands see it (a search::Viewer, in ui/SourceEditor.h):
    // text, byte-exact positions, selection, modified flag. Colouring and tag pairing work on
    // reSource through it. Created with the first use.
    class SourceEditor& sourceEditor();
    // The interactive replace run with its confirmation controls and preview, created with the
    // first use (the colouring set-up mode puts its seam into run()).
    class InteractiveRunBinder& interactiveRun();
    // Replaces the save dialog of "Сохранить как" (tests script it); not owned.
    void setEditorDialogs(class EditorDialogs* dialogs);
private:
    // reSource's change event: the editor commands follow the text unless a pass is busy.
    void reSourceChange();
    // After a file was loaded into the viewer: colouring, and the editing page comes up.
    void editorFileLoaded();
    // The save-as command's dialog and write (also what a save without a file name runs).
    // False only when the chosen file could not be written (a cancelled dialog is true).
    bool saveEditorAs();
    // Takes the code page box and the output settings before a run's command.
    void prepareRunCommand();
    class SourceEditor* m_sourceEditor = nullptr;
    class InteractiveRunBinder* m_runBinder = nullptr;
    class EditorDialogs* m_editorDialogs = nullptr;
    // ==== end of editor and interactive run ====

    // ==== file commands (TFormMainFileOps.cpp); each block states its own access ====
public:
    // The boxes, choosers, create-directory dialog and desktop programs of the file commands:
    // the widgets, or what a test put in their place (not owned; nullptr: the widgets again).
    void setFileOpsDialogs(class FileOpsDialogs* dialogs);
    class FileOpsDialogs& fileOpsDialogs();
    class TfmCreateDir* createDirDialog();
private:
    // Whether a file command acts on the report list: one of its buttons was pressed, or the
    // list has the focus with a selected row.
    bool fileCommandOnReport();
    enum class FileCommand { Copy, Move, Delete };
    // Copy, move or delete on the report's selected rows or on the panel, then the window
    // follows what changed.
    void runFileCommand(FileCommand command);
    class WidgetFileOpsDialogs* m_fileOpsWidgets = nullptr;
    class FileOpsDialogs* m_fileOpsDialogs = nullptr;
    // ==== end of file commands ====

    // ==== colouring (TFormMainColour.cpp); each block states its own access ====
public:
    // Colours reSource by the colouring table of its file's extension, or removes the colouring
    // when tbColour is up; text, modified flag, caret and selection stay. To be called after a
    // file was loaded into the viewer (also by the interactive run); a new editor font and word
    // wrap keep the colouring by themselves.
    void ColourEditor();
    // True while ColourEditor runs: the editor's change and selection events do nothing then.
    bool ColouringActive() const;
    // The colouring engine, the editor's styles and the boxes, created with the first use.
    class ColourBinding& colouring();
    // Replaces the colouring's boxes and choosers (tests script them); not owned.
    void setColourDialogs(class ColourDialogs* dialogs);
    // Colouring set-up mode, for the interactive run: the preview memo takes the attributes of
    // the replace field; "replace" gives them to the viewer's selection (modified flag kept).
    void PreviewAttributes();
    void ApplyAttributes();
    // sbInsertToReplace in the set-up mode: the attribute dialog, whose answer goes into
    // cbReplace as "colour;styles;size".
    void colourAttributeDialog();
private:
    // The grid shows the colouring table (on) or the rule table (off) again.
    void enterColourSetup();
    void leaveColourSetup();
    void refillGridKeepingMarks();
    class ColourBinding* m_colouring = nullptr;
    // ==== end of colouring ====

    // ==== tags and preview (TFormMainTags.cpp); each block states its own access ====
public:
    // Enables the two tag pairing commands exactly when the editor's file (stSource) is an HTML
    // file; called after the editor was loaded or emptied and when the interactive run opens
    // a file.
    void UpdateTagCommands();
    // The first step of Esc: hides the preview window when it is visible. True when it did, and
    // then Esc does nothing else.
    bool ClosePreviewIfVisible();
    // Writes `text` as an HTML document to ".Morvane.tmp" beside the editor's file, in the
    // editor's code page, and shows it in the preview window's browser. False (reported) when
    // the file cannot be written. The file lives until the preview window closes.
    bool PreviewText(const std::string& text);
    // Shows the file `path` in the preview window and brings the window up (F3 in the panel).
    void ShowInPreview(const std::filesystem::path& path);
    // The preview window, created with the first use; it lives as long as this window.
    class TFormWebBrowser& previewWindow();
private:
    // Connects the editor's selection, the panel's focus and F3 on first use.
    void bindTags();
    void reSourceSelectionChange();
    void previewClosed();
    // Deletes the last preview file written, if any.
    void removePreviewFile();
    // The code page a browser reads the panel's files in (kDetectCodePage for "AutoDetect").
    int panelCodePage() const;
    class TFormWebBrowser* m_preview = nullptr;
    std::filesystem::path m_previewFile;
    class QObject* m_panelPreviewKey = nullptr;
    bool m_tagsBound = false;
    // ==== end of tags and preview ====
};

} // namespace morvane::ui
