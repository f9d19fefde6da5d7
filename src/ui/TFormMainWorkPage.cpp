// The work page: its tool bar, the file panel on the left, the find, replace and remark fields,
// and the inner pages with the preview and the viewer with its confirmation panel.
// Covered by tests/ui/tst_objectnames.cpp and tests/ui/tst_twins.cpp.

#include "ui/TFormMain.h"

#include "ui/CodePageBox.h"
#include "ui/ElidedLabel.h"
#include "ui/ObjectNames.h"
#include "ui/QsciInclude.h"
#include "ui/ToolButtons.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace morvane::ui {

namespace {

// A status bar of two text panels: the first of fixed width, the second taking the rest.
QStatusBar* MakeStatusBar(QWidget* parent, const char* name, QLabel*& panel0, QLabel*& panel1, int firstWidth)
{
    auto* bar = Named(new QStatusBar(parent), name);
    bar->setSizeGripEnabled(false);
    // Long texts are elided: a status line never widens its panel or the window.
    panel0 = new ElidedLabel(bar);
    panel0->setMinimumWidth(firstWidth);
    panel1 = new ElidedLabel(bar);
    bar->addWidget(panel0);
    bar->addWidget(panel1, 1);
    return bar;
}

// An editable field of the work page: the find, replace and remark texts with their history.
QComboBox* MakeField(QWidget* parent, const char* name)
{
    auto* field = Named(new QComboBox(parent), name);
    field->setEditable(true);
    field->setInsertPolicy(QComboBox::NoInsert);
    field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return field;
}

QPushButton* MakePushButton(QWidget* parent, const char* name)
{
    auto* button = Named(new QPushButton(parent), name);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

void TFormMain::buildWorkToolBar(QWidget* page)
{
    auto* bar = Named(new QToolBar(page), names::ToolBarWork);
    bar->setIconSize(QSize(18, 18));
    m_c.ToolBarWork = bar;

    m_c.tbSubDir = AddToolButton(bar, names::tbSubDir);
    bindTwin(m_c.tbSubDir, m_c.miSubDir);
    bar->addSeparator();
    m_c.tbFindFiles = AddToolButton(bar, names::tbFindFiles);
    m_c.tbNotFindFiles = AddToolButton(bar, names::tbNotFindFiles);
    m_c.tbAllFiles = AddToolButton(bar, names::tbAllFiles);
    m_c.tbBreak = AddToolButton(bar, names::tbBreak);
    m_c.AnimateProcess = Named(new QProgressBar(bar), names::AnimateProcess);
    m_c.AnimateProcess->setRange(0, 1);
    m_c.AnimateProcess->setValue(0);
    m_c.AnimateProcess->setTextVisible(false);
    m_c.AnimateProcess->setFixedSize(48, 14);
    bar->addWidget(m_c.AnimateProcess);
    bar->addSeparator();
    m_c.tbReplToFile = AddToolButton(bar, names::tbReplToFile);
    bindTwin(m_c.tbReplToFile, m_c.miReplToFile);
    m_c.tbFileSplit = AddToolButton(bar, names::tbFileSplit);
    bindTwin(m_c.tbFileSplit, m_c.miFileSplit);
    m_c.tbBatch = AddToolButton(bar, names::tbBatch);
    bindTwin(m_c.tbBatch, m_c.miBatch);
    m_c.tbSaveBackup = AddToolButton(bar, names::tbSaveBackup);
    bindTwin(m_c.tbSaveBackup, m_c.miSaveBackup);
    bar->addSeparator();
    m_c.cbCodePage = Named(new QComboBox(bar), names::cbCodePage);
    m_c.cbCodePage->addItems(CodePageItems(true));
    bar->addWidget(m_c.cbCodePage);
    bar->addSeparator();
    m_c.tbRestore = AddToolButton(bar, names::tbRestore);
    m_c.tbRestoreAll = AddToolButton(bar, names::tbRestoreAll);
    m_c.tbDelAllBackup = AddToolButton(bar, names::tbDelAllBackup);
    bar->addSeparator();
    m_c.tbLoadFile = AddToolButton(bar, names::tbLoadFile);
    m_c.tbSaveAs = AddToolButton(bar, names::tbSaveAs);
    m_c.tbSave = AddToolButton(bar, names::tbSave);
    bar->addSeparator();
    m_c.tbSetFont = AddToolButton(bar, names::tbSetFont);
    m_c.tbSetColor = AddToolButton(bar, names::tbSetColor);
    bar->addSeparator();
    m_c.tbWordWrap = AddToolButton(bar, names::tbWordWrap);
    bindTwin(m_c.tbWordWrap, m_c.miWordWrap);
    m_c.tbColour = AddToolButton(bar, names::tbColour);
    bindTwin(m_c.tbColour, m_c.miColour);
    m_c.tbSetColour = AddToolButton(bar, names::tbSetColour);
    bindTwin(m_c.tbSetColour, m_c.miSetColour);
    m_c.tbWebBrowser = AddToolButton(bar, names::tbWebBrowser);
    bindTwin(m_c.tbWebBrowser, m_c.miWebBrowser);
    bar->addSeparator();
    m_c.tbHelp = AddToolButton(bar, names::tbHelp);
    m_c.tbTutorial = MakeToolButton(bar, names::tbTutorial);
    m_c.tbTutorialAction = bar->addWidget(m_c.tbTutorial);
    m_c.tbTutorialAction->setVisible(false);
}

void TFormMain::buildFilePanel()
{
    auto* panel = Named(new QWidget(m_c.workSplitter), names::FilePanel);
    m_c.FilePanel = panel;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    m_c.cbDrive = Named(new QComboBox(panel), names::cbDrive);
    layout->addWidget(m_c.cbDrive);

    auto* sortBar = new QHBoxLayout;
    sortBar->setSpacing(0);
    m_c.sortGroup = new QButtonGroup(panel);
    m_c.sortGroup->setExclusive(true);
    for (auto [button, name] : { std::pair { &m_c.sbSortName, names::sbSortName },
             std::pair { &m_c.sbSortExt, names::sbSortExt }, std::pair { &m_c.sbSortDate, names::sbSortDate },
             std::pair { &m_c.sbSortSize, names::sbSortSize } }) {
        auto* sort = Named(new QToolButton(panel), name);
        sort->setCheckable(true);
        sort->setToolButtonStyle(Qt::ToolButtonTextOnly);
        sort->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        sort->setFocusPolicy(Qt::NoFocus);
        m_c.sortGroup->addButton(sort);
        sortBar->addWidget(sort);
        *button = sort;
    }
    m_c.sbSortExt->setChecked(true);
    layout->addLayout(sortBar);

    m_c.stCurDir = Named(new ElidedLabel(panel), names::stCurDir);
    m_c.stCurDir->setFrameShape(QFrame::StyledPanel);
    m_c.stCurDir->setMinimumWidth(40);
    layout->addWidget(m_c.stCurDir);
    m_c.stDriveSize = Named(new QLabel(panel), names::stDriveSize);
    layout->addWidget(m_c.stDriveSize);

    m_c.lvFiles = Named(new QListWidget(panel), names::lvFiles);
    m_c.lvFiles->setContextMenuPolicy(Qt::CustomContextMenu);
    m_c.lvFiles->addActions(m_c.pmFiles->actions());
    layout->addWidget(m_c.lvFiles, 1);

    m_c.cbMask = Named(new QComboBox(panel), names::cbMask);
    m_c.cbMask->setEditable(true);
    m_c.cbMask->setInsertPolicy(QComboBox::NoInsert);
    layout->addWidget(m_c.cbMask);

    m_c.sbFileInfo = MakeStatusBar(panel, names::sbFileInfo, m_c.sbFileInfoPanel0, m_c.sbFileInfoPanel1, 60);
    // The focused file's size and date stay readable however long its path is.
    static_cast<ElidedLabel*>(m_c.sbFileInfoPanel1)->setKeepFields(true);
    layout->addWidget(m_c.sbFileInfo);
}

void TFormMain::buildFieldsPanel()
{
    auto* panel = Named(new QWidget(m_c.actionSplitter), names::PanelAction);
    m_c.PanelAction = panel;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto addGroup = [&](const char* groupName, const char* fieldName, const char* button1,
                        const char* button2, QComboBox*& field, QToolButton*& first, QToolButton*& second) {
        auto* group = Named(new QGroupBox(panel), groupName);
        auto* row = new QHBoxLayout(group);
        row->setContentsMargins(4, 2, 4, 2);
        field = MakeField(group, fieldName);
        first = MakeToolButton(group, button1);
        second = MakeToolButton(group, button2);
        row->addWidget(field, 1);
        row->addWidget(first);
        row->addWidget(second);
        layout->addWidget(group);
        return group;
    };
    m_c.GroupBoxFindStr = addGroup(names::GroupBoxFindStr, names::cbFind, names::sbInsertToFind,
        names::sbFind, m_c.cbFind, m_c.sbInsertToFind, m_c.sbFind);
    m_c.GroupBoxReplaceStr = addGroup(names::GroupBoxReplaceStr, names::cbReplace, names::sbInsertToReplace,
        names::sbReplacePassim, m_c.cbReplace, m_c.sbInsertToReplace, m_c.sbReplacePassim);
    m_c.GroupBoxRemarkStr = addGroup(names::GroupBoxRemarkStr, names::cbRemark, names::tbInsertTable,
        names::tbEditTable, m_c.cbRemark, m_c.tbInsertTable, m_c.tbEditTable);
    layout->addStretch();
}

void TFormMain::buildEditorPages()
{
    auto* pages = Named(new QTabWidget(m_c.actionSplitter), names::PageControlWork);
    m_c.PageControlWork = pages;

    m_c.TabSheetWeb = Named(new QWidget(pages), names::TabSheetWeb);
    auto* web = new QVBoxLayout(m_c.TabSheetWeb);
    web->setContentsMargins(2, 2, 2, 2);
    m_c.stViewFile = Named(new ElidedLabel(m_c.TabSheetWeb), names::stViewFile);
    m_c.WebBrowserView = Named(new QTextBrowser(m_c.TabSheetWeb), names::WebBrowserView);
    web->addWidget(m_c.stViewFile);
    web->addWidget(m_c.WebBrowserView, 1);
    pages->addTab(m_c.TabSheetWeb, QString());

    m_c.TabSheetFindReplace = Named(new QWidget(pages), names::TabSheetFindReplace);
    auto* edit = new QVBoxLayout(m_c.TabSheetFindReplace);
    edit->setContentsMargins(2, 2, 2, 2);
    edit->setSpacing(2);
    m_c.stSource = Named(new ElidedLabel(m_c.TabSheetFindReplace), names::stSource);
    edit->addWidget(m_c.stSource);
    m_c.reSource = Named(new QsciScintilla(m_c.TabSheetFindReplace), names::reSource);
    m_c.reSource->setUtf8(true);
    m_c.reSource->setMarginWidth(1, 0);
    edit->addWidget(m_c.reSource, 1);

    m_c.PanelReplace = Named(new QWidget(m_c.TabSheetFindReplace), names::PanelReplace);
    auto* panel = new QHBoxLayout(m_c.PanelReplace);
    panel->setContentsMargins(0, 0, 0, 0);
    auto* preview = new QVBoxLayout;
    m_c.LabelReplaceWith = Named(new QLabel(m_c.PanelReplace), names::LabelReplaceWith);
    m_c.mmReplace = Named(new QPlainTextEdit(m_c.PanelReplace), names::mmReplace);
    m_c.mmReplace->setMaximumHeight(72);
    m_c.stReplToFile = Named(new QLabel(m_c.PanelReplace), names::stReplToFile);
    preview->addWidget(m_c.LabelReplaceWith);
    preview->addWidget(m_c.mmReplace);
    preview->addWidget(m_c.stReplToFile);
    panel->addLayout(preview, 1);
    auto* buttons = new QGridLayout;
    buttons->setSpacing(2);
    int cell = 0;
    for (auto [button, name] :
        { std::pair { &m_c.sbYes, names::sbYes }, std::pair { &m_c.sbIgnore, names::sbIgnore },
            std::pair { &m_c.sbYesToAll, names::sbYesToAll }, std::pair { &m_c.sbNoToAll, names::sbNoToAll },
            std::pair { &m_c.sbAll, names::sbAll }, std::pair { &m_c.sbAbort, names::sbAbort } }) {
        *button = MakePushButton(m_c.PanelReplace, name);
        // The confirmation buttons are enabled only while a run waits at a match.
        (*button)->setEnabled(false);
        buttons->addWidget(*button, cell / 2, cell % 2);
        ++cell;
    }
    panel->addLayout(buttons);
    edit->addWidget(m_c.PanelReplace);
    pages->addTab(m_c.TabSheetFindReplace, QString());
    pages->setCurrentWidget(m_c.TabSheetFindReplace);
}

void TFormMain::buildWorkPage()
{
    m_c.PageControlMain = Named(new QTabWidget(this), names::PageControlMain);
    auto* page = Named(new QWidget(m_c.PageControlMain), names::TabSheetWork);
    m_c.TabSheetWork = page;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    buildWorkToolBar(page);
    layout->addWidget(m_c.ToolBarWork);

    m_c.workSplitter = new QSplitter(Qt::Horizontal, page);
    buildFilePanel();
    m_c.actionSplitter = new QSplitter(Qt::Vertical, m_c.workSplitter);
    buildFieldsPanel();
    buildEditorPages();
    m_c.actionSplitter->setStretchFactor(1, 1);
    m_c.workSplitter->setStretchFactor(1, 1);
    m_c.workSplitter->setSizes({ 280, 800 });
    layout->addWidget(m_c.workSplitter, 1);

    m_c.sbInfo = MakeStatusBar(page, names::sbInfo, m_c.sbInfoPanel0, m_c.sbInfoPanel1, 200);
    layout->addWidget(m_c.sbInfo);

    // The manual page comes first; it is built with the other pages and inserted before this one.
    m_c.PageControlMain->addTab(page, QString());
}

} // namespace morvane::ui
