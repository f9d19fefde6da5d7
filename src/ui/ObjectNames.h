#pragma once
// Every control name of the desktop program's windows, written once. The page, menu and dialog
// builders take their object names from the constants below, and the GUI test walks the lists
// to check that each name is found exactly once in its window. The names are the ones the
// settings file, the caption table and the help topics know the controls by, so they are never
// renamed. Covered by tests/ui/tst_objectnames.cpp.

#include <span>

// clang-format off
// The main window TFormMain: pages, tool bars, fields, lists, hidden labels.
#define MORVANE_FORM_MAIN_CONTROLS(X)                                                                        \
    X(PageControlMain) X(TabSheetManual) X(TabSheetWork) X(TabSheetReport) X(TabSheetOptions)              \
    X(TabSheetMsg) X(WebBrowserManual)                                                                     \
    /* work page: tool bar */                                                                              \
    X(ToolBarWork) X(tbSubDir) X(tbFindFiles) X(tbNotFindFiles) X(tbAllFiles) X(tbBreak) X(AnimateProcess) \
    X(tbReplToFile) X(tbFileSplit) X(tbBatch) X(tbSaveBackup) X(cbCodePage) X(tbRestore) X(tbRestoreAll)   \
    X(tbDelAllBackup) X(tbLoadFile) X(tbSaveAs) X(tbSave) X(tbSetFont) X(tbSetColor) X(tbWordWrap)         \
    X(tbColour) X(tbSetColour) X(tbWebBrowser) X(tbHelp) X(tbTutorial)                                     \
    /* work page: file panel */                                                                            \
    X(FilePanel) X(cbDrive) X(sbSortName) X(sbSortExt) X(sbSortDate) X(sbSortSize) X(stCurDir)             \
    X(stDriveSize) X(lvFiles) X(cbMask) X(sbFileInfo) X(EditItem)                                          \
    /* work page: find, replace and remark fields */                                                       \
    X(PanelAction) X(GroupBoxFindStr) X(cbFind) X(sbInsertToFind) X(sbFind) X(GroupBoxReplaceStr)          \
    X(cbReplace) X(sbInsertToReplace) X(sbReplacePassim) X(GroupBoxRemarkStr) X(cbRemark)                  \
    X(tbInsertTable) X(tbEditTable)                                                                        \
    /* work page: preview and editor pages, confirmation panel, status bar */                              \
    X(PageControlWork) X(TabSheetWeb) X(stViewFile) X(WebBrowserView) X(TabSheetFindReplace) X(stSource)   \
    X(reSource) X(PanelReplace) X(LabelReplaceWith) X(mmReplace) X(stReplToFile) X(sbYes) X(sbYesToAll)    \
    X(sbAll) X(sbIgnore) X(sbNoToAll) X(sbAbort) X(sbInfo)                                                 \
    /* report page */                                                                                      \
    X(lvReport) X(PanelReportButtons) X(sbView) X(sbEdit) X(sbCopy) X(sbMove) X(sbDelete) X(sbReport)      \
    X(sbReportPass)                                                                                        \
    /* table page */                                                                                       \
    X(ToolBarOptions) X(tbSaveTable) X(tbLoadTable) X(tbDeleteFromTable) X(tbInsertToTable) X(tbMoveTop)   \
    X(tbMoveUp) X(tbMoveDown) X(tbMoveBottom) X(tbSetFont1) X(tbSetColor1) X(tbWordWrapMemo)               \
    X(tbHelpTable) X(sgRegExpr) X(PanelSetWordChars) X(GroupBoxSpaceChars) X(EditSpaceChars)               \
    X(GroupBoxWordChars) X(EditWordChars) X(GroupBoxGlobalModifier) X(CheckBoxModifierI)                   \
    X(CheckBoxModifierM) X(CheckBoxModifierS) X(CheckBoxModifierX) X(CheckBoxModifierG)                    \
    X(GroupBoxGlobalModeReplace) X(rbSimpleReplace) X(rbSubstitute) X(rbExtendedReplace) X(GroupBoxFind)   \
    X(MemoFind) X(GroupBoxReplace) X(MemoReplace) X(sbAddToTable) X(sbReplaceToTable) X(sbDeleteToTable)   \
    X(sbQuoteMemoFind)                                                                                     \
    /* service page: hidden carriers of persisted captions and pictures */                                 \
    X(LabelDir) X(LabelListRegExpr) X(LabelReplToFile) X(tbAutoRefresh) X(sbImg)

// The main menus of TFormMain and their items, in menu order.
#define MORVANE_FORM_MAIN_MENUS(X)                                                                           \
    X(miOperations) X(miFind) X(miReplacePassim) X(miReplace) X(miReplaceInFile) X(miReplaceAll)           \
    X(miIgnore) X(miNextFile) X(miFindFiles) X(miNotFindFiles) X(miAllFiles) X(miFindTag) X(miSelectTag)   \
    X(miSelectToWebBrowser) X(miRestore) X(miRestoreAll) X(miDelAllBackup) X(miConverter) X(miQuote)       \
    X(miLoadFile) X(miSave) X(miSaveAs) X(miAbort)                                                         \
    X(miSettings) X(miModifierI) X(miModifierS) X(miModifierM) X(miModifierX) X(miModifierG)               \
    X(miSimpleReplace) X(miSubstitute) X(miExtendedReplace) X(miSubDir) X(miOutRTF) X(miHideFiles)         \
    X(miReport) X(miReplToFile) X(miFileSplit) X(miBatch) X(miSaveBackup) X(miWordWrap) X(miColour)        \
    X(miSetColour) X(miWebBrowser) X(miSetFont) X(miSetColor) X(miSetTime) X(miAutoSave)                   \
    X(miHelpMenu) X(miHelp) X(miSupport) X(miManual)

// The context menu of the file panel and the report list.
#define MORVANE_FORM_MAIN_FILES_MENU(X)                                                                      \
    X(pmFiles) X(miView) X(miEdit) X(miCopy) X(miMove) X(miCreateDir) X(miDelete)

// The pattern insertion menu of the find fields: submenus, then their items.
#define MORVANE_FORM_MAIN_FIND_MENU(X)                                                                       \
    X(pmFind) X(miMetacharacters) X(miAnyCharacter) X(miAnySetOfCharacters) X(miAnyExceptSetOfCharacters)  \
    X(miAnyFromRangeOfCharacters) X(miAlphanumericCharacter) X(miNotAlphanumericCharacter)                 \
    X(miDecimalDigit) X(miNotDecimalDigit) X(miBlankCharacter) X(miNotBlankCharacter) X(miTabCharacter)    \
    X(miReturn) X(miHexCodeChar)                                                                           \
    X(miDelimiters) X(miDelimiterOfWord) X(miNotDelimiterOfWord) X(miBeginningOfLine) X(miEndOfLine)       \
    X(miBeginningOfText) X(miEndOfText)                                                                    \
    X(miRepeaters) X(mi0orMoreMatches) X(mi1orMoreMatches) X(mi0or1Matches) X(miOnlyNMatches)              \
    X(miNorMoreMatches) X(miFromNtoMMatches)                                                               \
    X(miSpecialCharacters) X(miLeftParenthesis) X(miRightParenthesis) X(miLeftBracket) X(miRightBracket)   \
    X(miDot) X(miPlus) X(miAsterisk) X(miQuery) X(miBackslash)                                             \
    X(miOr) X(miGroup) X(miBackreferences)                                                                 \
    X(miSearchMode) X(miCaseInsensitive) X(miCaseSensitive) X(miModeS) X(miModeM) X(miModeNotGreedy)       \
    X(miModeGreedy)                                                                                        \
    X(miReadyPatterns) X(miDecimalNumber) X(miHexadecimalNumber) X(miRealNumber) X(miAlphabeticString)     \
    X(miIdentifier) X(miQuotedString)                                                                      \
    X(miRegularExpressionsHelp)

// The template insertion menu of the replace fields.
#define MORVANE_FORM_MAIN_REPLACE_MENU(X)                                                                    \
    X(pmReplace) X(miFirstFoundGroup) X(miFoundText) X(miSetWidth)                                         \
    X(miCaseConversion) X(miLowerCase) X(miUpperCase) X(miInvertCase) X(miStopCase) X(miLowerChar)         \
    X(miUpperChar) X(miInvertChar) X(miBeginningQuota) X(miEndQuota)                                       \
    X(miSpecialSymbols) X(miBackslashSymbol) X(miBracketSymbol) X(miBraceSymbol) X(miMinusSymbol)          \
    X(miDollarSymbol) X(miHexCode) X(miCounter) X(miPathOfFile) X(miNameOfFile)                            \
    X(miHelpRegularExpretionForReplace)

// The select-files dialog of the file panel, a child of the main window.
#define MORVANE_SELECT_FILES_CONTROLS(X) X(TFormSelectFiles) X(stInfo) X(cbSelectMask) X(bbSelectOK) X(bbSelectCancel)

// The response interval dialog TForm9.
#define MORVANE_FORM9_CONTROLS(X) X(TForm9) X(StaticText1) X(MaskEditTime) X(bbOK) X(bbCancel)

// clang-format on

namespace morvane::ui {

namespace names {
#define MORVANE_DECLARE_NAME(n) inline constexpr char n[] = #n;
inline constexpr char TFormMain[] = "TFormMain";
MORVANE_FORM_MAIN_CONTROLS(MORVANE_DECLARE_NAME)
MORVANE_FORM_MAIN_MENUS(MORVANE_DECLARE_NAME)
MORVANE_FORM_MAIN_FILES_MENU(MORVANE_DECLARE_NAME)
MORVANE_FORM_MAIN_FIND_MENU(MORVANE_DECLARE_NAME)
MORVANE_FORM_MAIN_REPLACE_MENU(MORVANE_DECLARE_NAME)
MORVANE_FORM9_CONTROLS(MORVANE_DECLARE_NAME)
MORVANE_SELECT_FILES_CONTROLS(MORVANE_DECLARE_NAME)
#undef MORVANE_DECLARE_NAME
} // namespace names

// Every object name below the main window (the window's own name excluded), the select-files
// dialog's included.
std::span<const char* const> FormMainObjectNames();
// Every object name of the response interval dialog, the dialog's own name first.
std::span<const char* const> Form9ObjectNames();

} // namespace morvane::ui
