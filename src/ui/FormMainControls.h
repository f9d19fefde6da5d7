#pragma once
// The controls of the main window that its code reaches directly, filled by the page and menu
// builders. The object names of all of them come from ui/ObjectNames.h; this struct only spares
// the handlers a lookup by name. Covered by tests/ui/tst_objectnames.cpp.

class QAction;
class QActionGroup;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QTextBrowser;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QWidget;
class QsciScintilla;

namespace morvane::ui {

struct FormMainControls {
    // Pages.
    QTabWidget* PageControlMain = nullptr;
    QWidget* TabSheetManual = nullptr;
    QWidget* TabSheetWork = nullptr;
    QWidget* TabSheetReport = nullptr;
    QWidget* TabSheetOptions = nullptr;
    QWidget* TabSheetMsg = nullptr;
    QTextBrowser* WebBrowserManual = nullptr;

    // Main menus: operations.
    QMenu* miOperations = nullptr;
    QAction* miFind = nullptr;
    QAction* miReplacePassim = nullptr;
    QAction* miReplace = nullptr;
    QAction* miReplaceInFile = nullptr;
    QAction* miReplaceAll = nullptr;
    QAction* miIgnore = nullptr;
    QAction* miNextFile = nullptr;
    QAction* miFindFiles = nullptr;
    QAction* miNotFindFiles = nullptr;
    QAction* miAllFiles = nullptr;
    QAction* miFindTag = nullptr;
    QAction* miSelectTag = nullptr;
    QAction* miSelectToWebBrowser = nullptr;
    QAction* miRestore = nullptr;
    QAction* miRestoreAll = nullptr;
    QAction* miDelAllBackup = nullptr;
    QAction* miConverter = nullptr;
    QAction* miQuote = nullptr;
    QAction* miLoadFile = nullptr;
    QAction* miSave = nullptr;
    QAction* miSaveAs = nullptr;
    QAction* miAbort = nullptr;
    // Settings.
    QMenu* miSettings = nullptr;
    QAction* miModifierI = nullptr;
    QAction* miModifierS = nullptr;
    QAction* miModifierM = nullptr;
    QAction* miModifierX = nullptr;
    QAction* miModifierG = nullptr;
    QActionGroup* replaceModeGroup = nullptr;
    QAction* miSimpleReplace = nullptr;
    QAction* miSubstitute = nullptr;
    QAction* miExtendedReplace = nullptr;
    QAction* miSubDir = nullptr;
    QAction* miOutRTF = nullptr;
    QAction* miHideFiles = nullptr;
    QAction* miReport = nullptr;
    QAction* miReplToFile = nullptr;
    QAction* miFileSplit = nullptr;
    QAction* miBatch = nullptr;
    QAction* miSaveBackup = nullptr;
    QAction* miWordWrap = nullptr;
    QAction* miColour = nullptr;
    QAction* miSetColour = nullptr;
    QAction* miWebBrowser = nullptr;
    QAction* miSetFont = nullptr;
    QAction* miSetColor = nullptr;
    QAction* miSetTime = nullptr;
    QAction* miAutoSave = nullptr;
    // Help.
    QMenu* miHelpMenu = nullptr;
    QAction* miHelp = nullptr;
    QAction* miSupport = nullptr;
    QAction* miManual = nullptr;
    // Context menus.
    QMenu* pmFiles = nullptr;
    QAction* miView = nullptr;
    QAction* miEdit = nullptr;
    QAction* miCopy = nullptr;
    QAction* miMove = nullptr;
    QAction* miCreateDir = nullptr;
    QAction* miDelete = nullptr;
    QMenu* pmFind = nullptr;
    QMenu* pmReplace = nullptr;

    // Work page: tool bar.
    QToolBar* ToolBarWork = nullptr;
    QToolButton* tbSubDir = nullptr;
    QToolButton* tbFindFiles = nullptr;
    QToolButton* tbNotFindFiles = nullptr;
    QToolButton* tbAllFiles = nullptr;
    QToolButton* tbBreak = nullptr;
    QProgressBar* AnimateProcess = nullptr;
    QToolButton* tbReplToFile = nullptr;
    QToolButton* tbFileSplit = nullptr;
    QToolButton* tbBatch = nullptr;
    QToolButton* tbSaveBackup = nullptr;
    QComboBox* cbCodePage = nullptr;
    QToolButton* tbRestore = nullptr;
    QToolButton* tbRestoreAll = nullptr;
    QToolButton* tbDelAllBackup = nullptr;
    QToolButton* tbLoadFile = nullptr;
    QToolButton* tbSaveAs = nullptr;
    QToolButton* tbSave = nullptr;
    QToolButton* tbSetFont = nullptr;
    QToolButton* tbSetColor = nullptr;
    QToolButton* tbWordWrap = nullptr;
    QToolButton* tbColour = nullptr;
    QToolButton* tbSetColour = nullptr;
    QToolButton* tbWebBrowser = nullptr;
    QToolButton* tbHelp = nullptr;
    QToolButton* tbTutorial = nullptr;
    QAction* tbTutorialAction = nullptr; // the tool bar's handle that shows or hides tbTutorial

    // Work page: file panel.
    QSplitter* workSplitter = nullptr;
    QWidget* FilePanel = nullptr;
    QComboBox* cbDrive = nullptr;
    QButtonGroup* sortGroup = nullptr;
    QToolButton* sbSortName = nullptr;
    QToolButton* sbSortExt = nullptr;
    QToolButton* sbSortDate = nullptr;
    QToolButton* sbSortSize = nullptr;
    QLabel* stCurDir = nullptr;
    QLabel* stDriveSize = nullptr;
    QListWidget* lvFiles = nullptr;
    QComboBox* cbMask = nullptr;
    QStatusBar* sbFileInfo = nullptr;
    QLabel* sbFileInfoPanel0 = nullptr;
    QLabel* sbFileInfoPanel1 = nullptr;

    // Work page: fields.
    QSplitter* actionSplitter = nullptr;
    QWidget* PanelAction = nullptr;
    QGroupBox* GroupBoxFindStr = nullptr;
    QComboBox* cbFind = nullptr;
    QToolButton* sbInsertToFind = nullptr;
    QToolButton* sbFind = nullptr;
    QGroupBox* GroupBoxReplaceStr = nullptr;
    QComboBox* cbReplace = nullptr;
    QToolButton* sbInsertToReplace = nullptr;
    QToolButton* sbReplacePassim = nullptr;
    QGroupBox* GroupBoxRemarkStr = nullptr;
    QComboBox* cbRemark = nullptr;
    QToolButton* tbInsertTable = nullptr;
    QToolButton* tbEditTable = nullptr;

    // Work page: preview, editor, confirmation panel.
    QTabWidget* PageControlWork = nullptr;
    QWidget* TabSheetWeb = nullptr;
    QLabel* stViewFile = nullptr;
    QTextBrowser* WebBrowserView = nullptr;
    QWidget* TabSheetFindReplace = nullptr;
    QLabel* stSource = nullptr;
    QsciScintilla* reSource = nullptr;
    QWidget* PanelReplace = nullptr;
    QLabel* LabelReplaceWith = nullptr;
    QPlainTextEdit* mmReplace = nullptr;
    QLabel* stReplToFile = nullptr;
    QPushButton* sbYes = nullptr;
    QPushButton* sbYesToAll = nullptr;
    QPushButton* sbAll = nullptr;
    QPushButton* sbIgnore = nullptr;
    QPushButton* sbNoToAll = nullptr;
    QPushButton* sbAbort = nullptr;
    QStatusBar* sbInfo = nullptr;
    QLabel* sbInfoPanel0 = nullptr;
    QLabel* sbInfoPanel1 = nullptr;
    // The same two panels on the report page, where the passes show their results.
    QStatusBar* sbReportPass = nullptr;
    QLabel* sbReportPassPanel0 = nullptr;
    QLabel* sbReportPassPanel1 = nullptr;

    // Report page.
    QTreeWidget* lvReport = nullptr;
    QPushButton* sbView = nullptr;
    QPushButton* sbEdit = nullptr;
    QPushButton* sbCopy = nullptr;
    QPushButton* sbMove = nullptr;
    QPushButton* sbDelete = nullptr;
    QStatusBar* sbReport = nullptr;
    QLabel* sbReportPanel0 = nullptr;
    QLabel* sbReportPanel1 = nullptr;

    // Table page.
    QToolBar* ToolBarOptions = nullptr;
    QToolButton* tbSaveTable = nullptr;
    QToolButton* tbLoadTable = nullptr;
    QToolButton* tbDeleteFromTable = nullptr;
    QToolButton* tbInsertToTable = nullptr;
    QToolButton* tbMoveTop = nullptr;
    QToolButton* tbMoveUp = nullptr;
    QToolButton* tbMoveDown = nullptr;
    QToolButton* tbMoveBottom = nullptr;
    QToolButton* tbSetFont1 = nullptr;
    QToolButton* tbSetColor1 = nullptr;
    QToolButton* tbWordWrapMemo = nullptr;
    QToolButton* tbHelpTable = nullptr;
    QSplitter* optionsSplitter = nullptr;
    QTableWidget* sgRegExpr = nullptr;
    QWidget* PanelSetWordChars = nullptr;
    QLineEdit* EditSpaceChars = nullptr;
    QLineEdit* EditWordChars = nullptr;
    QCheckBox* CheckBoxModifierI = nullptr;
    QCheckBox* CheckBoxModifierM = nullptr;
    QCheckBox* CheckBoxModifierS = nullptr;
    QCheckBox* CheckBoxModifierX = nullptr;
    QCheckBox* CheckBoxModifierG = nullptr;
    QRadioButton* rbSimpleReplace = nullptr;
    QRadioButton* rbSubstitute = nullptr;
    QRadioButton* rbExtendedReplace = nullptr;
    QPlainTextEdit* MemoFind = nullptr;
    QPlainTextEdit* MemoReplace = nullptr;
    QPushButton* sbAddToTable = nullptr;
    QPushButton* sbReplaceToTable = nullptr;
    QPushButton* sbDeleteToTable = nullptr;
    QPushButton* sbQuoteMemoFind = nullptr;

    // Service page (never shown).
    QLabel* LabelDir = nullptr;
    QLabel* LabelListRegExpr = nullptr;
    QLabel* LabelReplToFile = nullptr;
    QToolButton* tbAutoRefresh = nullptr;
    QToolButton* sbImg = nullptr;
};

} // namespace morvane::ui
