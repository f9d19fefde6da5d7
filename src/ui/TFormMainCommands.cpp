// The command handlers of the main window and their connections. A handler whose command
// belongs to a subsystem the window is not bound to yet is in place with its connection and says
// which subsystem binds it; those that only concern the window act here.
// Covered by tests/ui/tst_twins.cpp and tests/ui/tst_startup.cpp.

#include "ui/TFormMain.h"

#include "app/ResponseInterval.h"
#include "search/PassFileList.h"
#include "ui/DisplayText.h"
#include "ui/FilePanelView.h"
#include "ui/QsciInclude.h"
#include "ui/SourceEditor.h"
#include "ui/TForm9.h"
#include "ui/help/HelpBinding.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace morvane::ui {

namespace {

void ConnectMenuItems(QMenu* menu, TFormMain* window, void (TFormMain::*slot)())
{
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr)
            ConnectMenuItems(action->menu(), window, slot);
        else if (!action->isSeparator())
            QObject::connect(action, &QAction::triggered, window, slot);
    }
}

} // namespace

void TFormMain::connectHandlers()
{
    auto onTrigger = [this](QAction* action, void (TFormMain::*slot)()) {
        connect(action, &QAction::triggered, this, slot);
    };
    auto onClick = [this](QAbstractButton* button, void (TFormMain::*slot)()) {
        connect(button, &QAbstractButton::clicked, this, slot);
    };

    // Operations menu and the buttons that run the same commands.
    onTrigger(m_c.miFind, &TFormMain::miFindClick);
    onTrigger(m_c.miReplacePassim, &TFormMain::miReplacePassimClick);
    onTrigger(m_c.miReplace, &TFormMain::miReplaceClick);
    onTrigger(m_c.miReplaceInFile, &TFormMain::miReplaceInFileClick);
    onTrigger(m_c.miReplaceAll, &TFormMain::miReplaceAllClick);
    onTrigger(m_c.miIgnore, &TFormMain::miIgnoreClick);
    onTrigger(m_c.miNextFile, &TFormMain::miNextFileClick);
    onTrigger(m_c.miFindFiles, &TFormMain::miFindFilesClick);
    onTrigger(m_c.miNotFindFiles, &TFormMain::miNotFindFilesClick);
    onTrigger(m_c.miAllFiles, &TFormMain::miAllFilesClick);
    onTrigger(m_c.miFindTag, &TFormMain::miFindTagClick);
    onTrigger(m_c.miSelectTag, &TFormMain::miSelectTagClick);
    onTrigger(m_c.miSelectToWebBrowser, &TFormMain::miSelectToWebBrowserClick);
    onTrigger(m_c.miRestore, &TFormMain::miRestoreClick);
    onTrigger(m_c.miRestoreAll, &TFormMain::miRestoreAllClick);
    onTrigger(m_c.miDelAllBackup, &TFormMain::miDelAllBackupClick);
    onTrigger(m_c.miConverter, &TFormMain::miConverterClick);
    onTrigger(m_c.miQuote, &TFormMain::miQuoteClick);
    onTrigger(m_c.miLoadFile, &TFormMain::miLoadFileClick);
    onTrigger(m_c.miSave, &TFormMain::miSaveClick);
    onTrigger(m_c.miSaveAs, &TFormMain::miSaveAsClick);
    onTrigger(m_c.miAbort, &TFormMain::miAbortClick);
    onClick(m_c.sbFind, &TFormMain::miFindClick);
    onClick(m_c.sbReplacePassim, &TFormMain::miReplacePassimClick);
    onClick(m_c.tbFindFiles, &TFormMain::miFindFilesClick);
    onClick(m_c.tbNotFindFiles, &TFormMain::miNotFindFilesClick);
    onClick(m_c.tbAllFiles, &TFormMain::miAllFilesClick);
    onClick(m_c.tbBreak, &TFormMain::tbBreakClick);
    onClick(m_c.tbRestore, &TFormMain::miRestoreClick);
    onClick(m_c.tbRestoreAll, &TFormMain::miRestoreAllClick);
    onClick(m_c.tbDelAllBackup, &TFormMain::miDelAllBackupClick);
    onClick(m_c.tbLoadFile, &TFormMain::miLoadFileClick);
    onClick(m_c.tbSaveAs, &TFormMain::miSaveAsClick);
    onClick(m_c.tbSave, &TFormMain::miSaveClick);

    // Settings menu. The check-style tool buttons show their menu items' actions, so one
    // trigger serves both.
    onTrigger(m_c.miSubDir, &TFormMain::tbSubDirClick);
    onTrigger(m_c.miHideFiles, &TFormMain::miHideFilesClick);
    onTrigger(m_c.miReport, &TFormMain::miReportClick);
    onTrigger(m_c.miReplToFile, &TFormMain::tbReplToFileClick);
    onTrigger(m_c.miFileSplit, &TFormMain::tbFileSplitClick);
    onTrigger(m_c.miWordWrap, &TFormMain::tbWordWrapClick);
    onTrigger(m_c.miColour, &TFormMain::tbColourClick);
    onTrigger(m_c.miSetColour, &TFormMain::tbSetColourClick);
    onTrigger(m_c.miWebBrowser, &TFormMain::tbWebBrowserClick);
    onTrigger(m_c.miSetFont, &TFormMain::miSetFontClick);
    onTrigger(m_c.miSetColor, &TFormMain::miSetColorClick);
    onTrigger(m_c.miSetTime, &TFormMain::miSetTimeClick);
    onClick(m_c.tbSetFont, &TFormMain::miSetFontClick);
    onClick(m_c.tbSetColor, &TFormMain::miSetColorClick);
    onClick(m_c.tbSetFont1, &TFormMain::miSetFontClick);
    onClick(m_c.tbSetColor1, &TFormMain::miSetColorClick);
    onClick(m_c.tbWordWrapMemo, &TFormMain::tbWordWrapMemoClick);

    // The modifier boxes and the replace-mode buttons with their menu twins: the box or button
    // is the state that is read; each side copies a change to the other.
    const std::pair<QCheckBox*, QAction*> modifiers[] = {
        { m_c.CheckBoxModifierI, m_c.miModifierI },
        { m_c.CheckBoxModifierM, m_c.miModifierM },
        { m_c.CheckBoxModifierS, m_c.miModifierS },
        { m_c.CheckBoxModifierX, m_c.miModifierX },
        { m_c.CheckBoxModifierG, m_c.miModifierG },
    };
    for (auto [box, item] : modifiers) {
        connect(box, &QCheckBox::toggled, item, &QAction::setChecked);
        connect(item, &QAction::triggered, box, &QCheckBox::setChecked);
        connect(box, &QCheckBox::toggled, this, &TFormMain::CheckBoxModifierClick);
    }
    const std::pair<QRadioButton*, QAction*> modes[] = {
        { m_c.rbSimpleReplace, m_c.miSimpleReplace },
        { m_c.rbSubstitute, m_c.miSubstitute },
        { m_c.rbExtendedReplace, m_c.miExtendedReplace },
    };
    for (auto [button, item] : modes) {
        connect(button, &QRadioButton::toggled, item, [item](bool on) {
            if (on)
                item->setChecked(true);
        });
        connect(item, &QAction::triggered, button, [button] { button->setChecked(true); });
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                rbReplaceModeClick();
        });
    }

    // Help.
    onTrigger(m_c.miHelp, &TFormMain::miHelpClick);
    onTrigger(m_c.miSupport, &TFormMain::miSupportClick);
    onTrigger(m_c.miManual, &TFormMain::miManualClick);
    onClick(m_c.tbHelp, &TFormMain::miHelpClick);
    onClick(m_c.tbHelpTable, &TFormMain::tbHelpTableClick);
    onClick(m_c.tbTutorial, &TFormMain::tbTutorialClick);
    help(); // adds the about item and the language menu

    // File commands, from the context menu and the report page's buttons.
    onTrigger(m_c.miView, &TFormMain::miViewClick);
    onTrigger(m_c.miEdit, &TFormMain::miEditClick);
    onTrigger(m_c.miCopy, &TFormMain::miCopyClick);
    onTrigger(m_c.miMove, &TFormMain::miMoveClick);
    onTrigger(m_c.miCreateDir, &TFormMain::miCreateDirClick);
    onTrigger(m_c.miDelete, &TFormMain::miDeleteClick);
    onClick(m_c.sbView, &TFormMain::miViewClick);
    onClick(m_c.sbEdit, &TFormMain::miEditClick);
    onClick(m_c.sbCopy, &TFormMain::miCopyClick);
    onClick(m_c.sbMove, &TFormMain::miMoveClick);
    onClick(m_c.sbDelete, &TFormMain::miDeleteClick);
    for (QWidget* list : { static_cast<QWidget*>(m_c.lvFiles), static_cast<QWidget*>(m_c.lvReport) }) {
        connect(list, &QWidget::customContextMenuRequested, this,
            [this, list](const QPoint& pos) { m_c.pmFiles->popup(list->mapToGlobal(pos)); });
    }

    // Work page.
    connect(m_c.cbCodePage, &QComboBox::activated, this, &TFormMain::cbCodePageChange);
    connect(m_c.sortGroup, &QButtonGroup::buttonClicked, this, &TFormMain::sbSortClick);
    connect(m_c.cbDrive, &QComboBox::activated, this, &TFormMain::cbDriveChange);
    connect(m_c.cbMask, &QComboBox::activated, this, &TFormMain::cbMaskChange);
    onClick(m_c.tbAutoRefresh, &TFormMain::tbAutoRefreshClick);
    onClick(m_c.sbInsertToFind, &TFormMain::sbInsertToFindClick);
    onClick(m_c.sbInsertToReplace, &TFormMain::sbInsertToReplaceClick);
    onClick(m_c.tbInsertTable, &TFormMain::tbInsertTableClick);
    onClick(m_c.tbEditTable, &TFormMain::tbEditTableClick);
    ConnectMenuItems(m_c.pmFind, this, &TFormMain::pmFindItemClick);
    ConnectMenuItems(m_c.pmReplace, this, &TFormMain::pmReplaceItemClick);
    onClick(m_c.sbYes, &TFormMain::sbYesClick);
    onClick(m_c.sbYesToAll, &TFormMain::sbYesToAllClick);
    onClick(m_c.sbAll, &TFormMain::sbAllClick);
    onClick(m_c.sbIgnore, &TFormMain::sbIgnoreClick);
    onClick(m_c.sbNoToAll, &TFormMain::sbNoToAllClick);
    onClick(m_c.sbAbort, &TFormMain::sbAbortClick);

    // Table page.
    onClick(m_c.tbSaveTable, &TFormMain::tbSaveTableClick);
    onClick(m_c.tbLoadTable, &TFormMain::tbLoadTableClick);
    onClick(m_c.tbDeleteFromTable, &TFormMain::tbDeleteFromTableClick);
    onClick(m_c.tbInsertToTable, &TFormMain::tbInsertToTableClick);
    onClick(m_c.tbMoveTop, &TFormMain::tbMoveTopClick);
    onClick(m_c.tbMoveUp, &TFormMain::tbMoveUpClick);
    onClick(m_c.tbMoveDown, &TFormMain::tbMoveDownClick);
    onClick(m_c.tbMoveBottom, &TFormMain::tbMoveBottomClick);
    onClick(m_c.sbAddToTable, &TFormMain::sbAddToTableClick);
    onClick(m_c.sbReplaceToTable, &TFormMain::sbReplaceToTableClick);
    onClick(m_c.sbDeleteToTable, &TFormMain::sbDeleteToTableClick);
    onClick(m_c.sbQuoteMemoFind, &TFormMain::sbQuoteMemoFindClick);

    m_activePageIndex = m_c.PageControlMain->currentIndex();
    connect(m_c.PageControlMain, &QTabWidget::currentChanged, this, &TFormMain::PageControlMainChange);
}

// ---- Commands that act in the window ----

// The file panel.
void TFormMain::miHideFilesClick()
{
    m_panel->hideFilesClick();
}

void TFormMain::sbSortClick()
{
    m_panel->sortClick();
}

void TFormMain::cbDriveChange()
{
    m_panel->driveChange();
}

void TFormMain::cbMaskChange()
{
    m_panel->maskChosen();
}

void TFormMain::tbAutoRefreshClick()
{
    m_panel->autoRefreshClick();
}

void TFormMain::ApplicationEventsActivate()
{
    // Only at rest: a pass sees the pending change when it ends.
    if (!m_busy)
        m_panel->consumePendingRefresh();
}

void TFormMain::tbSubDirClick()
{
    // A changed option ends a waiting interactive run and a running pass, and the pass file
    // list no longer holds what a walk would collect.
    passFileList().invalidate(search::FileListEvent::SubDirToggled);
}

void TFormMain::miReportClick()
{
    m_c.PageControlMain->setTabVisible(
        m_c.PageControlMain->indexOf(m_c.TabSheetReport), m_c.miReport->isChecked());
}

void TFormMain::tbWordWrapClick()
{
    const bool wrap = m_c.tbWordWrap->isChecked();
    m_c.mmReplace->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    // The editor keeps its text, selection and modified mark across a change of wrapping;
    // colouring the text again is bound when colouring lands.
    sourceEditor().setWordWrap(wrap);
}

void TFormMain::tbWordWrapMemoClick()
{
    const auto mode = m_c.tbWordWrapMemo->isChecked() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap;
    m_c.MemoFind->setLineWrapMode(mode);
    m_c.MemoReplace->setLineWrapMode(mode);
}

void TFormMain::miSetTimeClick()
{
    const std::string caption = m_setTimeCaption;
    const std::string current = caption.size() >= app::kIntervalTextLength
        ? caption.substr(caption.size() - app::kIntervalTextLength)
        : app::FormatIntervalText(m_responseIntervalMs);
    m_form9->setIntervalText(ToDisplay(current));
    if (m_form9->exec() != QDialog::Accepted)
        return;
    const std::string text = FromDisplay(m_form9->intervalText());
    const int milliseconds = app::ParseIntervalText(text);
    if (milliseconds < 0)
        return;
    m_responseIntervalMs = milliseconds;
    setResponseIntervalCaption(app::ReplaceIntervalInCaption(m_setTimeCaption, text));
}

void TFormMain::sbInsertToFindClick()
{
    // The pattern menu opens at the button; inserting its fragments is pmFindItemClick. Nothing
    // while a pass runs: the fields belong to the pass until it ends.
    if (m_busy)
        return;
    m_c.pmFind->popup(m_c.sbInsertToFind->mapToGlobal(QPoint(0, m_c.sbInsertToFind->height())));
}

void TFormMain::sbInsertToReplaceClick()
{
    if (m_busy)
        return;
    // In the colouring set-up mode this button opens the attribute dialog instead.
    if (m_c.tbSetColour->isChecked()) {
        colourAttributeDialog();
        return;
    }
    m_c.pmReplace->popup(m_c.sbInsertToReplace->mapToGlobal(QPoint(0, m_c.sbInsertToReplace->height())));
}

void TFormMain::PageControlMainChange(int index)
{
    // No page change while a pass runs: the pass owns the pages it shows.
    if (m_busy && index != m_activePageIndex) {
        const QSignalBlocker block(m_c.PageControlMain);
        m_c.PageControlMain->setCurrentIndex(m_activePageIndex);
        return;
    }
    m_activePageIndex = index;
    UpdatePassCommands();
    helpPageChanged();
}

} // namespace morvane::ui
