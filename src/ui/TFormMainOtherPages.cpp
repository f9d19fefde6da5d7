// The manual page, the report page, the rule table page and the service page that is never
// shown. Covered by tests/ui/tst_objectnames.cpp and tests/ui/tst_startup.cpp.

#include "ui/TFormMain.h"

#include "codepage/CodePage.h"
#include "ui/DisplayText.h"
#include "ui/ElidedLabel.h"
#include "ui/ObjectNames.h"
#include "ui/ToolButtons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace morvane::ui {

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name)
{
    auto* button = Named(new QPushButton(parent), name);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name)
{
    auto* memo = Named(new QPlainTextEdit(parent), name);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return memo;
}

} // namespace

void TFormMain::buildReportPage()
{
    auto* page = Named(new QWidget(m_c.PageControlMain), names::TabSheetReport);
    m_c.TabSheetReport = page;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    m_c.lvReport = Named(new QTreeWidget(page), names::lvReport);
    m_c.lvReport->setColumnCount(3);
    // The column titles have no entries in the message table; they are the design texts.
    m_c.lvReport->setHeaderLabels({ ToDisplay(codepage::Utf8ToWin1251("Имя Файла")),
        ToDisplay(codepage::Utf8ToWin1251("Найдено")), ToDisplay(codepage::Utf8ToWin1251("Заменено")) });
    m_c.lvReport->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    m_c.lvReport->headerItem()->setTextAlignment(2, Qt::AlignCenter);
    m_c.lvReport->setRootIsDecorated(false);
    m_c.lvReport->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_c.lvReport->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_c.lvReport->setAllColumnsShowFocus(true);
    // The name column takes whatever width the two number columns leave, also when the window
    // or a number column changes size.
    m_c.lvReport->header()->setStretchLastSection(false);
    m_c.lvReport->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_c.lvReport->header()->setMinimumSectionSize(0);
    m_c.lvReport->setColumnWidth(1, m_reportColumnWidth1);
    m_c.lvReport->setColumnWidth(2, m_reportColumnWidth2);
    m_c.lvReport->setContextMenuPolicy(Qt::CustomContextMenu);
    m_c.lvReport->addActions(m_c.pmFiles->actions());
    layout->addWidget(m_c.lvReport, 1);

    auto* buttons = Named(new QWidget(page), names::PanelReportButtons);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    m_c.sbView = MakeButton(buttons, names::sbView);
    m_c.sbEdit = MakeButton(buttons, names::sbEdit);
    m_c.sbCopy = MakeButton(buttons, names::sbCopy);
    m_c.sbMove = MakeButton(buttons, names::sbMove);
    m_c.sbDelete = MakeButton(buttons, names::sbDelete);
    for (QPushButton* button : { m_c.sbView, m_c.sbEdit, m_c.sbCopy, m_c.sbMove, m_c.sbDelete }) {
        // Enabled while a report row is selected, like their menu twins.
        button->setEnabled(false);
        row->addWidget(button);
    }
    layout->addWidget(buttons);

    // The passes switch to this page: their elapsed time, counts and outcome show here too.
    m_c.sbReportPass = Named(new QStatusBar(page), names::sbReportPass);
    m_c.sbReportPass->setSizeGripEnabled(false);
    m_c.sbReportPassPanel0 = new ElidedLabel(m_c.sbReportPass);
    m_c.sbReportPassPanel0->setMinimumWidth(120);
    m_c.sbReportPassPanel1 = new ElidedLabel(m_c.sbReportPass);
    m_c.sbReportPass->addWidget(m_c.sbReportPassPanel0);
    m_c.sbReportPass->addWidget(m_c.sbReportPassPanel1, 1);
    layout->addWidget(m_c.sbReportPass);

    m_c.sbReport = Named(new QStatusBar(page), names::sbReport);
    m_c.sbReport->setSizeGripEnabled(false);
    m_c.sbReportPanel0 = new QLabel(m_c.sbReport);
    m_c.sbReportPanel0->setFixedWidth(120);
    m_c.sbReportPanel0->setAlignment(Qt::AlignCenter);
    m_c.sbReportPanel1 = new QLabel(m_c.sbReport);
    m_c.sbReport->addWidget(m_c.sbReportPanel0);
    m_c.sbReport->addWidget(m_c.sbReportPanel1, 1);
    layout->addWidget(m_c.sbReport);

    m_c.PageControlMain->addTab(page, QString());
}

void TFormMain::buildOptionsPage()
{
    auto* page = Named(new QWidget(m_c.PageControlMain), names::TabSheetOptions);
    m_c.TabSheetOptions = page;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    auto* bar = Named(new QToolBar(page), names::ToolBarOptions);
    bar->setIconSize(QSize(18, 18));
    m_c.ToolBarOptions = bar;
    m_c.tbSaveTable = AddToolButton(bar, names::tbSaveTable);
    m_c.tbLoadTable = AddToolButton(bar, names::tbLoadTable);
    bar->addSeparator();
    m_c.tbDeleteFromTable = AddToolButton(bar, names::tbDeleteFromTable);
    m_c.tbInsertToTable = AddToolButton(bar, names::tbInsertToTable);
    bar->addSeparator();
    m_c.tbMoveTop = AddToolButton(bar, names::tbMoveTop);
    m_c.tbMoveUp = AddToolButton(bar, names::tbMoveUp);
    m_c.tbMoveDown = AddToolButton(bar, names::tbMoveDown);
    m_c.tbMoveBottom = AddToolButton(bar, names::tbMoveBottom);
    bar->addSeparator();
    m_c.tbSetFont1 = AddToolButton(bar, names::tbSetFont1);
    m_c.tbSetColor1 = AddToolButton(bar, names::tbSetColor1);
    m_c.tbWordWrapMemo = AddToolButton(bar, names::tbWordWrapMemo);
    m_c.tbWordWrapMemo->setCheckable(true);
    m_c.tbWordWrapMemo->setChecked(true);
    bar->addSeparator();
    m_c.tbHelpTable = AddToolButton(bar, names::tbHelpTable);
    layout->addWidget(bar);

    m_c.optionsSplitter = new QSplitter(Qt::Vertical, page);
    m_c.sgRegExpr = Named(new QTableWidget(1, 3, m_c.optionsSplitter), names::sgRegExpr);
    // The fixed number column of the grid is the row header.
    m_c.sgRegExpr->verticalHeader()->setVisible(true);
    m_c.sgRegExpr->horizontalHeader()->setStretchLastSection(true);
    m_c.sgRegExpr->setColumnWidth(0, 320);
    m_c.sgRegExpr->setColumnWidth(1, 320);
    m_c.sgRegExpr->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_c.sgRegExpr->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* lower = new QWidget(m_c.optionsSplitter);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->setSpacing(2);

    m_c.PanelSetWordChars = Named(new QWidget(lower), names::PanelSetWordChars);
    auto* settings = new QGridLayout(m_c.PanelSetWordChars);
    settings->setContentsMargins(0, 0, 0, 0);
    auto* spaceGroup = Named(new QGroupBox(m_c.PanelSetWordChars), names::GroupBoxSpaceChars);
    m_c.EditSpaceChars = Named(new QLineEdit(spaceGroup), names::EditSpaceChars);
    (new QVBoxLayout(spaceGroup))->addWidget(m_c.EditSpaceChars);
    auto* wordGroup = Named(new QGroupBox(m_c.PanelSetWordChars), names::GroupBoxWordChars);
    m_c.EditWordChars = Named(new QLineEdit(wordGroup), names::EditWordChars);
    (new QVBoxLayout(wordGroup))->addWidget(m_c.EditWordChars);

    auto* modifierGroup = Named(new QGroupBox(m_c.PanelSetWordChars), names::GroupBoxGlobalModifier);
    auto* modifiers = new QHBoxLayout(modifierGroup);
    for (auto [box, name, letter] : { std::tuple { &m_c.CheckBoxModifierI, names::CheckBoxModifierI, "i" },
             std::tuple { &m_c.CheckBoxModifierM, names::CheckBoxModifierM, "m" },
             std::tuple { &m_c.CheckBoxModifierS, names::CheckBoxModifierS, "s" },
             std::tuple { &m_c.CheckBoxModifierX, names::CheckBoxModifierX, "x" },
             std::tuple { &m_c.CheckBoxModifierG, names::CheckBoxModifierG, "g" } }) {
        // The boxes are labelled with the modifier letter itself, the same in every language.
        *box = Named(new QCheckBox(QLatin1String(letter), modifierGroup), name);
        modifiers->addWidget(*box);
    }
    auto* modeGroup = Named(new QGroupBox(m_c.PanelSetWordChars), names::GroupBoxGlobalModeReplace);
    auto* modes = new QHBoxLayout(modeGroup);
    m_c.rbSimpleReplace = Named(new QRadioButton(modeGroup), names::rbSimpleReplace);
    m_c.rbSubstitute = Named(new QRadioButton(modeGroup), names::rbSubstitute);
    m_c.rbExtendedReplace = Named(new QRadioButton(modeGroup), names::rbExtendedReplace);
    modes->addWidget(m_c.rbSimpleReplace);
    modes->addWidget(m_c.rbSubstitute);
    modes->addWidget(m_c.rbExtendedReplace);
    m_c.rbExtendedReplace->setChecked(true);
    settings->addWidget(spaceGroup, 0, 0);
    settings->addWidget(wordGroup, 0, 1);
    settings->addWidget(modifierGroup, 1, 0);
    settings->addWidget(modeGroup, 1, 1);
    settings->setColumnStretch(0, 1);
    settings->setColumnStretch(1, 2);
    lowerLayout->addWidget(m_c.PanelSetWordChars);

    auto* memos = new QHBoxLayout;
    auto* findGroup = Named(new QGroupBox(lower), names::GroupBoxFind);
    auto* findLayout = new QVBoxLayout(findGroup);
    m_c.MemoFind = MakeMemo(findGroup, names::MemoFind);
    findLayout->addWidget(m_c.MemoFind, 1);
    auto* replaceGroup = Named(new QGroupBox(lower), names::GroupBoxReplace);
    auto* replaceLayout = new QVBoxLayout(replaceGroup);
    m_c.MemoReplace = MakeMemo(replaceGroup, names::MemoReplace);
    replaceLayout->addWidget(m_c.MemoReplace, 1);
    memos->addWidget(findGroup, 1);
    memos->addWidget(replaceGroup, 1);
    lowerLayout->addLayout(memos, 1);

    auto* memoButtons = new QHBoxLayout;
    m_c.sbAddToTable = MakeButton(lower, names::sbAddToTable);
    m_c.sbReplaceToTable = MakeButton(lower, names::sbReplaceToTable);
    m_c.sbDeleteToTable = MakeButton(lower, names::sbDeleteToTable);
    m_c.sbQuoteMemoFind = MakeButton(lower, names::sbQuoteMemoFind);
    for (QPushButton* button :
        { m_c.sbAddToTable, m_c.sbReplaceToTable, m_c.sbDeleteToTable, m_c.sbQuoteMemoFind })
        memoButtons->addWidget(button);
    memoButtons->addStretch();
    lowerLayout->addLayout(memoButtons);

    m_c.optionsSplitter->setStretchFactor(0, 1);
    layout->addWidget(m_c.optionsSplitter, 1);
    m_c.PageControlMain->addTab(page, QString());
}

void TFormMain::buildServicePage()
{
    m_c.TabSheetManual = Named(new QWidget(m_c.PageControlMain), names::TabSheetManual);
    auto* manual = new QVBoxLayout(m_c.TabSheetManual);
    manual->setContentsMargins(0, 0, 0, 0);
    m_c.WebBrowserManual = Named(new QTextBrowser(m_c.TabSheetManual), names::WebBrowserManual);
    manual->addWidget(m_c.WebBrowserManual);
    m_c.PageControlMain->insertTab(0, m_c.TabSheetManual, QString());

    // The service page carries the hidden labels whose captions are persisted settings (the
    // panel's directory, the rule table path, the collecting output file, the preview font).
    m_c.TabSheetMsg = Named(new QWidget(m_c.PageControlMain), names::TabSheetMsg);
    auto* service = new QVBoxLayout(m_c.TabSheetMsg);
    m_c.LabelDir = Named(new QLabel(m_c.TabSheetMsg), names::LabelDir);
    m_c.LabelListRegExpr = Named(new QLabel(m_c.TabSheetMsg), names::LabelListRegExpr);
    m_c.LabelReplToFile = Named(new QLabel(m_c.TabSheetMsg), names::LabelReplToFile);
    m_c.tbAutoRefresh = MakeToolButton(m_c.TabSheetMsg, names::tbAutoRefresh);
    m_c.sbImg = MakeToolButton(m_c.TabSheetMsg, names::sbImg);
    for (QWidget* w : std::initializer_list<QWidget*> {
             m_c.LabelDir, m_c.LabelListRegExpr, m_c.LabelReplToFile, m_c.tbAutoRefresh, m_c.sbImg })
        service->addWidget(w);
    const int index = m_c.PageControlMain->addTab(m_c.TabSheetMsg, QString());
    m_c.PageControlMain->setTabVisible(index, false);
    m_c.PageControlMain->setCurrentWidget(m_c.TabSheetWork);
}

} // namespace morvane::ui
