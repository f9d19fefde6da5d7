// Start-up and close of the main window, in the order the program has always followed:
// creation (selection file, engine defaults into the boxes and fields), restore of the settings
// file when the window is first shown, the show steps (tables, captions, twins, start
// directory), and at close the settings, the selection, the tables and the editor's text.
// Covered by tests/ui/tst_startup.cpp.

#include "ui/TFormMain.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "app/Platform.h"
#include "app/ResponseInterval.h"
#include "app/SelectionFile.h"
#include "codepage/CodePage.h"
#include "editor/BuiltInColourTable.h"
#include "rules/RuleTableModel.h"
#include "ui/CodePageBox.h"
#include "ui/DisplayText.h"
#include "ui/FilePanelView.h"
#include "ui/FormMainDialogs.h"
#include "ui/ObjectNames.h"
#include "ui/QsciInclude.h"
#include "search/WorkTextEditor.h"
#include "ui/RuleTablePage.h"
#include "ui/ScreenFit.h"
#include "ui/SourceEditor.h"
#include "ui/help/HelpBinding.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <system_error>

namespace morvane::ui {

namespace {

constexpr const char* kSettingsFileName = "Morvane.ini";
constexpr const char* kSelectionFileName = "Selected.dat";
constexpr const char* kRuleTableFileName = "RegExpr.tbl";
constexpr const char* kColourTableFileName = "ColourHTM.tbl";
constexpr const char* kTutorialFileName = "Tutorial.wav";

bool FileExists(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool DirectoryExists(const std::filesystem::path& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

} // namespace

std::filesystem::path TFormMain::ruleTablePath() const
{
    return PathFromText(FromDisplay(m_c.LabelListRegExpr->text()));
}

void TFormMain::FormCreate()
{
    m_startingUp = true;
    initTablePage();

    // The last selection of the file panel, when one was saved.
    const std::filesystem::path selection = m_programDir / kSelectionFileName;
    if (FileExists(selection)) {
        if (auto error = app::LoadSelectionFile(selection, m_selectionList))
            m_dialogs->ShowMessage(error->message);
    }

    // The boxes and fields take the engine's defaults, which are the built-in settings: the
    // modifiers i off, m on, s on, x off, g on, and the space and word characters (with the
    // Cyrillic letters under a Russian locale). Binding the engine itself waits for the regex
    // subsystem in the window.
    const app::Settings builtIn(m_programDir, app::IsRussianDefaultLocale());
    m_c.CheckBoxModifierI->setChecked(builtIn.CheckBoxModifierI_Checked);
    m_c.CheckBoxModifierM->setChecked(builtIn.CheckBoxModifierM_Checked);
    m_c.CheckBoxModifierS->setChecked(builtIn.CheckBoxModifierS_Checked);
    m_c.CheckBoxModifierX->setChecked(builtIn.CheckBoxModifierX_Checked);
    m_c.CheckBoxModifierG->setChecked(builtIn.CheckBoxModifierG_Checked);
    m_c.EditSpaceChars->setText(ToDisplay(builtIn.EditSpaceChars_Text));
    m_c.EditWordChars->setText(ToDisplay(builtIn.EditWordChars_Text));

    m_c.LabelListRegExpr->setText(ToDisplay(app::PathText(m_programDir / kRuleTableFileName)));
    m_setTimeCaption = builtIn.miSetTime_Caption;
}

void TFormMain::showEvent(QShowEvent* event)
{
    if (!m_shownOnce) {
        m_shownOnce = true;
        const std::filesystem::path settingsPath = m_programDir / kSettingsFileName;
        if (auto error = app::LoadSettingsFile(settingsPath, m_settings))
            m_dialogs->ShowMessage(error->message);
        else
            restoreSettings();
        FormShow();
    }
    QMainWindow::showEvent(event);
}

void TFormMain::restoreSettings()
{
    const app::Settings& s = m_settings;
    const app::WindowPlacement& place = s.MainPlacement;
    QRect wanted(pos(), size());
    if (place.Width && place.Height && *place.Width > 0 && *place.Height > 0)
        wanted.setSize(QSize(*place.Width, *place.Height));
    if (place.Left && place.Top)
        wanted.moveTopLeft(QPoint(*place.Left, *place.Top));
    // A placement saved on another screen layout must not leave the window off the edge; the
    // window is at least as large as its contents need.
    wanted.setSize(wanted.size().expandedTo(minimumSizeHint()));
    wanted = FitOnScreen(wanted);
    resize(wanted.size());
    move(wanted.topLeft());
    if (place.Maximized.value_or(false))
        setWindowState(windowState() | Qt::WindowMaximized);

    m_c.miSubDir->setChecked(s.tbSubDir_Down);
    m_c.miHideFiles->setChecked(s.miHideFiles_Checked);
    m_c.miSaveBackup->setChecked(s.tbSaveBackup_Down);
    m_c.miReport->setChecked(s.miReport_Checked);
    m_c.miWordWrap->setChecked(s.tbWordWrap_Down);
    m_c.tbWordWrapMemo->setChecked(s.tbWordWrapMemo_Down);
    m_c.miColour->setChecked(s.tbColour_Down);
    m_c.miWebBrowser->setChecked(s.tbWebBrowser_Down);
    m_c.CheckBoxModifierI->setChecked(s.CheckBoxModifierI_Checked);
    m_c.CheckBoxModifierM->setChecked(s.CheckBoxModifierM_Checked);
    m_c.CheckBoxModifierS->setChecked(s.CheckBoxModifierS_Checked);
    m_c.CheckBoxModifierX->setChecked(s.CheckBoxModifierX_Checked);
    m_c.CheckBoxModifierG->setChecked(s.CheckBoxModifierG_Checked);
    m_c.rbSimpleReplace->setChecked(s.rbSimpleReplace_Checked);
    m_c.rbSubstitute->setChecked(s.rbSubstitute_Checked);
    m_c.rbExtendedReplace->setChecked(s.rbExtendedReplace_Checked);
    m_c.EditSpaceChars->setText(ToDisplay(s.EditSpaceChars_Text));
    m_c.EditWordChars->setText(ToDisplay(s.EditWordChars_Text));
    m_setTimeCaption = s.miSetTime_Caption;
    m_c.miAutoSave->setChecked(s.miAutoSave_Checked);
    help().setEnglish(s.miLanguageEnglish_Checked);
    m_c.LabelDir->setText(ToDisplay(s.LabelDir_Caption));
    m_c.cbMask->clear();
    for (const std::string& mask : s.cbMask_Items)
        m_c.cbMask->addItem(ToDisplay(mask));
    m_c.cbMask->setEditText(ToDisplay(s.cbMask_Text));
    m_c.sbSortName->setChecked(s.sbSortName_Down);
    m_c.sbSortExt->setChecked(s.sbSortExt_Down);
    m_c.sbSortDate->setChecked(s.sbSortDate_Down);
    m_c.sbSortSize->setChecked(s.sbSortSize_Down);
    m_c.LabelReplToFile->setText(ToDisplay(s.LabelReplToFile_Caption));
    if (s.cbCodePage_ItemIndex >= 0 && s.cbCodePage_ItemIndex < m_c.cbCodePage->count())
        m_c.cbCodePage->setCurrentIndex(CodePageRowOfValue(s.cbCodePage_ItemIndex));
    if (!s.LabelListRegExpr_Caption.empty())
        m_c.LabelListRegExpr->setText(ToDisplay(s.LabelListRegExpr_Caption));
    const QString activePage = QString::fromStdString(s.PageControlMain_ActivePage);
    for (int i = 0; i < m_c.PageControlMain->count(); ++i) {
        if (m_c.PageControlMain->widget(i)->objectName() == activePage
            && m_c.PageControlMain->isTabVisible(i))
            m_c.PageControlMain->setCurrentIndex(i);
    }
    m_reportColumnWidth1 = s.lvReportColumnsWidth1;
    m_reportColumnWidth2 = s.lvReportColumnsWidth2;

    // Restored sizes are never smaller than what the panels' contents need.
    if (s.FilePanel_Width && *s.FilePanel_Width > 0) {
        const int width = std::max(*s.FilePanel_Width, m_c.FilePanel->minimumSizeHint().width());
        const int total = m_c.workSplitter->width();
        m_c.workSplitter->setSizes({ width, std::max(1, total - width) });
    }
    if (s.PanelAction_Height && *s.PanelAction_Height > 0) {
        const int height = std::max(*s.PanelAction_Height, m_c.PanelAction->minimumSizeHint().height());
        const int total = m_c.actionSplitter->height();
        m_c.actionSplitter->setSizes({ height, std::max(1, total - height) });
    }
    if (s.PanelSetWordChars_Height && *s.PanelSetWordChars_Height > 0)
        m_c.PanelSetWordChars->setFixedHeight(
            std::max(*s.PanelSetWordChars_Height, m_c.PanelSetWordChars->minimumSizeHint().height()));
    applyAppearance();
}

void TFormMain::FormShow()
{
    // 1. The rule table, with its fallback to the default table beside the program, is loaded
    // with the grid (step 6).

    // 2. The colouring table of HTML files; the built-in one is written when it is missing.
    rules::RuleTableModel& tables = tablePage().model();
    m_colourTableExt = "HTM";
    tables.setColourTablePath(m_programDir / kColourTableFileName);
    if (FileExists(tables.ColourTablePath())) {
        if (auto error = rules::ReadTableFile(tables.ColourTablePath(), tables.ColourList()))
            m_dialogs->ShowMessage(error->message);
    } else {
        tables.ColourList() = editor::BuiltInColourTable();
        if (auto error = rules::WriteTableFile(tables.ColourTablePath(), tables.ColourList()))
            m_dialogs->ShowMessage(error->message);
    }

    // 3. The grid's default row height follows its font.
    const QFont gridFont = m_c.sgRegExpr->font();
    const int pointHeight = gridFont.pointSizeF() > 0
        ? static_cast<int>(gridFont.pointSizeF() * logicalDpiY() / 72.0)
        : gridFont.pixelSize();
    m_c.sgRegExpr->verticalHeader()->setDefaultSectionSize(pointHeight + 8);

    // 4. The response interval from the restored caption, then the captions of every window;
    // the interval menu item keeps the current interval in its last 9 characters.
    m_responseIntervalMs = app::IntervalFromCaption(m_setTimeCaption, app::kDefaultResponseIntervalMs);
    loadMessageTable();
    ApplyCaptions();
    help().applyCaptions();
    setResponseIntervalCaption(
        app::ReplaceIntervalInCaption(app::Msg(269), app::FormatIntervalText(m_responseIntervalMs)));

    // 5 and 6. The grid: header from messages 1 to 3, then the rows of the rule table.
    m_c.sgRegExpr->setHorizontalHeaderLabels(
        { ToDisplay(app::Msg(1)), ToDisplay(app::Msg(2)), ToDisplay(app::Msg(3)) });
    showTablePage();

    // 7. The two number columns of the report; the name column stretches over the rest.
    m_c.lvReport->setColumnWidth(1, m_reportColumnWidth1);
    m_c.lvReport->setColumnWidth(2, m_reportColumnWidth2);

    // 8. Twins and the controls that follow the persisted states.
    applyTwinStates();

    // 9 and 10. The preview memo and the editor start empty; the tutorial button shows only
    // when its sound is there.
    m_c.mmReplace->clear();
    m_c.mmReplace->setFont(m_c.LabelDir->font());
    m_c.reSource->clear();
    m_c.reSource->setModified(false);
    m_c.stSource->clear();
    UpdateTagCommands();
    m_c.tbTutorialAction->setVisible(FileExists(m_programDir / kTutorialFileName));

    // 11. Empty character fields are filled from the engine's defaults.
    const app::Settings builtIn(m_programDir, app::IsRussianDefaultLocale());
    if (m_c.EditSpaceChars->text().isEmpty())
        m_c.EditSpaceChars->setText(ToDisplay(builtIn.EditSpaceChars_Text));
    if (m_c.EditWordChars->text().isEmpty())
        m_c.EditWordChars->setText(ToDisplay(builtIn.EditWordChars_Text));

    // 14. The start directory: the persisted one when it still exists, else the root; its
    // listing applies the marks loaded from the selection file. At the first start (nothing
    // persisted) the user's home stands for the drive root: "/" is nobody's working place here.
    const std::string dirText = FromDisplay(m_c.LabelDir->text());
    const std::filesystem::path dir = PathFromText(dirText);
    std::filesystem::path start = DirectoryExists(dir) ? dir : std::filesystem::path("/");
    if (dirText.empty()) {
        const std::filesystem::path home = QDir::homePath().toStdString();
        if (DirectoryExists(home))
            start = home;
    }
    m_panel->start(m_selectionList, start);

    // 15.
    m_startingUp = false;
    tables.setStartingUp(false);
    updateStyleButtons();

    // 16. The manual page shows the start page when it is the page shown.
    helpPageChanged();

    // 17. The watcher of the panel's directory.
    m_panel->startWatcher();
}

void TFormMain::setResponseIntervalCaption(const std::string& caption)
{
    m_setTimeCaption = caption;
    m_c.miSetTime->setText(ToDisplay(caption));
}

void TFormMain::fillGrid()
{
    tablePage().FillGrid();
}

void TFormMain::applyTwinStates()
{
    // The menu twins of the tool buttons share their actions; these are the couplings to
    // boxes and to the controls the toggles govern.
    m_c.miModifierI->setChecked(m_c.CheckBoxModifierI->isChecked());
    m_c.miModifierM->setChecked(m_c.CheckBoxModifierM->isChecked());
    m_c.miModifierS->setChecked(m_c.CheckBoxModifierS->isChecked());
    m_c.miModifierX->setChecked(m_c.CheckBoxModifierX->isChecked());
    m_c.miModifierG->setChecked(m_c.CheckBoxModifierG->isChecked());
    m_c.miSimpleReplace->setChecked(m_c.rbSimpleReplace->isChecked());
    m_c.miSubstitute->setChecked(m_c.rbSubstitute->isChecked());
    m_c.miExtendedReplace->setChecked(m_c.rbExtendedReplace->isChecked());
    tbWordWrapMemoClick();
    tbWordWrapClick();
    showPreviewTab(m_c.miWebBrowser->isChecked());
    miReportClick();
}

bool TFormMain::runCloseSteps()
{
    // 1. The settings file.
    collectSettings();
    if (auto error = app::SaveSettingsFile(m_programDir / kSettingsFileName, m_settings)) {
        m_dialogs->ShowMessage(error->message);
        return false;
    }

    // 2. A running pass only ends its busy state; the pass returns to the message loop and the
    // program ends then.
    if (m_busy) {
        SetBusy(false);
        return true;
    }

    // 3. The directory watcher.
    m_panel->stopWatcher();

    // 4. The selection: the panel's marked names once it has listed, else the loaded ones.
    if (m_shownOnce)
        m_selectionList = m_panel->model().SelectionList();
    if (auto error = app::SaveSelectionFile(m_programDir / kSelectionFileName, m_selectionList)) {
        m_dialogs->ShowMessage(error->message);
        return false;
    }

    // 5. The tables: always with autosave, else after asking for each modified one.
    const bool autoSave = m_c.miAutoSave->isChecked();
    const rules::RuleTableModel& tables = tablePage().model();
    if (autoSave || (tables.ColourTableModified() && m_dialogs->Confirm(app::Msg(78)))) {
        if (auto error = rules::WriteTableFile(tables.ColourTablePath(), tables.ColourList())) {
            m_dialogs->ShowMessage(error->message);
            return false;
        }
    }
    if (autoSave || (tables.RuleTableModified() && m_dialogs->Confirm(app::Msg(79)))) {
        if (auto error = rules::WriteTableFile(ruleTablePath(), tables.RuleList())) {
            m_dialogs->ShowMessage(error->message);
            return false;
        }
    }

    // 6. The editor's text: saved without asking under autosave when it has a name, else after
    // asking. The viewer's own flag is the one that counts: a code page reload or a run's
    // replacements set it without the control's flag.
    if (sourceEditor().modified()) {
        search::WorkTextEditor& editor = workTextEditor();
        editor.setCodePage(ChosenCodePage(m_c.cbCodePage));
        const std::filesystem::path fileName = editor.sourcePath();
        // A failed write has been shown; the program stays open with the edits.
        if (autoSave && !fileName.empty()) {
            if (!editor.SaveEditor(fileName))
                return false;
        } else if (m_dialogs->Confirm(app::Msg(5) + "\r\n" + app::PathText(fileName))) {
            if (!(fileName.empty() ? saveEditorAs() : editor.SaveEditor(fileName)))
                return false;
        }
    }
    return true;
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    if (runCloseSteps()) {
        removePreviewFile();
        event->accept();
    } else
        event->ignore();
}

void TFormMain::collectSettings()
{
    app::Settings& s = m_settings;
    app::WindowPlacement& place = s.MainPlacement;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    place.Left = normal.x();
    place.Top = normal.y();
    place.Width = normal.width();
    place.Height = normal.height();
    place.Maximized = isMaximized();

    s.tbSubDir_Down = m_c.tbSubDir->isChecked();
    s.miHideFiles_Checked = m_c.miHideFiles->isChecked();
    s.tbSaveBackup_Down = m_c.tbSaveBackup->isChecked();
    s.miReport_Checked = m_c.miReport->isChecked();
    s.tbWordWrap_Down = m_c.tbWordWrap->isChecked();
    s.tbWordWrapMemo_Down = m_c.tbWordWrapMemo->isChecked();
    s.tbColour_Down = m_c.tbColour->isChecked();
    s.tbWebBrowser_Down = m_c.tbWebBrowser->isChecked();
    s.CheckBoxModifierI_Checked = m_c.CheckBoxModifierI->isChecked();
    s.CheckBoxModifierM_Checked = m_c.CheckBoxModifierM->isChecked();
    s.CheckBoxModifierS_Checked = m_c.CheckBoxModifierS->isChecked();
    s.CheckBoxModifierX_Checked = m_c.CheckBoxModifierX->isChecked();
    s.CheckBoxModifierG_Checked = m_c.CheckBoxModifierG->isChecked();
    s.rbSimpleReplace_Checked = m_c.rbSimpleReplace->isChecked();
    s.rbSubstitute_Checked = m_c.rbSubstitute->isChecked();
    s.rbExtendedReplace_Checked = m_c.rbExtendedReplace->isChecked();
    s.EditSpaceChars_Text = FromDisplay(m_c.EditSpaceChars->text());
    s.EditWordChars_Text = FromDisplay(m_c.EditWordChars->text());
    s.miSetTime_Caption = m_setTimeCaption;
    s.miAutoSave_Checked = m_c.miAutoSave->isChecked();
    s.miLanguageEnglish_Checked = help().english();
    s.LabelDir_Caption = FromDisplay(m_c.LabelDir->text());
    s.cbMask_Text = FromDisplay(m_c.cbMask->currentText());
    s.cbMask_Items.clear();
    for (int i = 0; i < m_c.cbMask->count(); ++i)
        s.cbMask_Items.push_back(FromDisplay(m_c.cbMask->itemText(i)));
    s.sbSortName_Down = m_c.sbSortName->isChecked();
    s.sbSortExt_Down = m_c.sbSortExt->isChecked();
    s.sbSortDate_Down = m_c.sbSortDate->isChecked();
    s.sbSortSize_Down = m_c.sbSortSize->isChecked();
    s.LabelReplToFile_Caption = FromDisplay(m_c.LabelReplToFile->text());
    s.cbCodePage_ItemIndex = static_cast<int>(ChosenCodePage(m_c.cbCodePage));
    s.LabelListRegExpr_Caption = FromDisplay(m_c.LabelListRegExpr->text());
    QWidget* page = m_c.PageControlMain->currentWidget();
    s.PageControlMain_ActivePage = page != nullptr ? page->objectName().toStdString() : "TabSheetWork";

    // A hidden number column (width 0) is saved with the width it had when it was hidden.
    const int width1 = m_c.lvReport->columnWidth(1);
    const int width2 = m_c.lvReport->columnWidth(2);
    s.lvReportColumnsWidth1 = width1 > 0 ? width1 : m_reportColumnWidth1;
    s.lvReportColumnsWidth2 = width2 > 0 ? width2 : m_reportColumnWidth2;

    // Sizes of a page that was never shown keep what was read at start.
    if (m_workPageLaidOut) {
        s.FilePanel_Width = m_c.FilePanel->width();
        s.PanelAction_Height = m_c.PanelAction->height();
    }
    if (m_tablePageLaidOut)
        s.PanelSetWordChars_Height = m_c.PanelSetWordChars->height();
    collectAppearance();
}

} // namespace morvane::ui
