// The rule table page bound to the rule table model: start-up, the commands and the showing of
// the model in the widgets; keys, leaving fields and the host side are in RuleTablePageFields.cpp.
// Covered by tests/ui/tst_tablepage.cpp.

#include "ui/RuleTablePage.h"

#include "app/FileError.h"
#include "app/Platform.h"
#include "rules/PatternMenu.h"
#include "template/Insertion.h"
#include "template/ReplaceMenu.h"
#include "ui/DisplayText.h"
#include "ui/EditorTextAccess.h"
#include "ui/FormMainControls.h"
#include "ui/RuleGridDelegate.h"
#include "ui/TFormMain.h"
#include "ui/WidgetTablePageDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include <array>

namespace morvane::ui {

namespace {

using rules::RuleField;

constexpr std::array kWorkFields { RuleField::cbFind, RuleField::cbReplace, RuleField::cbRemark };

QStringList ToDisplayList(const std::vector<std::string>& items)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items)
        list.append(ToDisplay(item));
    return list;
}

QStringList ComboItems(const QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list.append(combo->itemText(i));
    return list;
}

} // namespace

RuleTablePage::RuleTablePage(TFormMain& window)
    : QObject(&window)
    , m_window(window)
    , m_c(window.controls())
    , m_alive(&window)
{
    m_ownDialogs = std::make_unique<WidgetTablePageDialogs>(&window);
    m_dialogs = m_ownDialogs.get();
    connectWidgets();
}

RuleTablePage::~RuleTablePage() = default;

void RuleTablePage::setDialogs(TablePageDialogs* dialogs)
{
    m_dialogs = dialogs != nullptr ? dialogs : m_ownDialogs.get();
}

void RuleTablePage::connectWidgets()
{
    QTableWidget* grid = m_c.sgRegExpr;
    m_delegate = new RuleGridDelegate(grid);
    grid->setItemDelegate(m_delegate);
    // The widths are set by the refill rule, the last column included.
    grid->horizontalHeader()->setStretchLastSection(false);
    grid->verticalHeader()->setSectionsMovable(true);
    grid->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid->setTabKeyNavigation(true);

    connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (!m_showing && row >= 0 && row != previousRow) {
            m_model.setCurrentRow(row + 1);
            showFields();
        }
    });
    connect(grid, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (!m_showing && row >= 0) {
            m_model.setCurrentRow(row + 1);
            showFields();
        }
    });
    connect(m_delegate, &RuleGridDelegate::editStarted, this, [this](int row, int column) {
        m_model.beginCellEdit(row + 1, column + 1);
        showFields();
    });
    connect(m_delegate, &RuleGridDelegate::editFinished, this, &RuleTablePage::cellEditFinished,
        Qt::QueuedConnection);
    connect(grid->verticalHeader(), &QHeaderView::sectionMoved, this,
        [this](int, int oldVisual, int newVisual) { rowDragged(oldVisual, newVisual); });
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        // A hidden grid's header resizes its last section to the toolkit's default width.
        if (!m_showing && m_c.sgRegExpr->isVisible())
            m_model.setColumnWidth(column + 1, width);
    });
    grid->installEventFilter(this);

    connect(m_c.MemoFind, &QPlainTextEdit::textChanged, this, [this] { memoEdited(RuleField::MemoFind); });
    connect(
        m_c.MemoReplace, &QPlainTextEdit::textChanged, this, [this] { memoEdited(RuleField::MemoReplace); });
    // The replacement preview of the interactive run shares the memos' keys.
    for (QPlainTextEdit* memo : { m_c.MemoFind, m_c.MemoReplace, m_c.mmReplace })
        memo->installEventFilter(this);

    for (RuleField field : kWorkFields) {
        auto* combo = static_cast<QComboBox*>(fieldWidget(field));
        // A rule field holds exactly what was typed: completing "(" from the history to
        // "(?i)x" with the tail selected would let the next key or Enter change the rule.
        combo->setCompleter(nullptr);
        connect(combo, &QComboBox::editTextChanged, this, [this, field](const QString& text) {
            if (m_showing)
                return;
            m_model.setFieldText(field, FromDisplay(text));
            // A changed rule ends an interactive run that waits at a match.
            if (field != RuleField::cbRemark && m_c.sbYes->isEnabled())
                m_window.DisableConfirmButtons();
        });
        connect(combo, &QComboBox::activated, this, [this, field](int index) {
            run([this, field, index] { m_model.dropDownSelect(field, index); });
        });
        // The combo box forwards its key and focus events straight to its line edit, so each
        // event reaches the filter once, through whichever of the two has the focus.
        combo->installEventFilter(this);
        if (combo->lineEdit() != nullptr)
            combo->lineEdit()->installEventFilter(this);
    }
    m_c.EditSpaceChars->installEventFilter(this);
    m_c.EditWordChars->installEventFilter(this);

    // The right button opens the insertion menu of the field, not the standard edit menu: the
    // pattern menu over the find fields, the template menu over the replace fields.
    const auto insertionMenuOnRightClick = [this](QWidget* field, QWidget* mapFrom, bool pattern) {
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this, [this, field, mapFrom, pattern](const QPoint& pos) {
            if (m_window.isBusy())
                return;
            field->setFocus(Qt::MouseFocusReason);
            (pattern ? m_c.pmFind : m_c.pmReplace)->popup(mapFrom->mapToGlobal(pos));
        });
    };
    insertionMenuOnRightClick(m_c.cbFind->lineEdit(), m_c.cbFind->lineEdit(), true);
    insertionMenuOnRightClick(m_c.cbReplace->lineEdit(), m_c.cbReplace->lineEdit(), false);
    // A scroll area reports the position in its viewport's coordinates.
    insertionMenuOnRightClick(m_c.MemoFind, m_c.MemoFind->viewport(), true);
    insertionMenuOnRightClick(m_c.MemoReplace, m_c.MemoReplace->viewport(), false);
}

// ---- Start-up ----

void RuleTablePage::create()
{
    m_compiler.takeEngineState(app::IsRussianDefaultLocale());
}

void RuleTablePage::show(const std::filesystem::path& programDir)
{
    m_model.setRuleTablePath(PathFromText(FromDisplay(m_c.LabelListRegExpr->text())));
    takeClientWidth();
    if (auto error = m_model.RestoreRuleTable(programDir))
        ShowError(error->message);
    syncTablePathCaption();

    // The persisted boxes and buttons may equal what the engine had, so no change reported them.
    modifierBoxesChanged();
    replaceModeChanged();
    m_compiler.setEditSpaceChars(FromDisplay(m_c.EditSpaceChars->text()));
    m_compiler.setEditWordChars(FromDisplay(m_c.EditWordChars->text()));
    m_compiler.applyAtShow(*this);
    m_c.EditSpaceChars->setText(ToDisplay(m_compiler.editSpaceChars()));
    m_c.EditWordChars->setText(ToDisplay(m_compiler.editWordChars()));
    showModel();
}

// ---- Commands ----

void RuleTablePage::run(const std::function<void()>& command)
{
    takeClientWidth();
    command();
    showModel();
}

void RuleTablePage::takeClientWidth()
{
    // A grid on a page never shown has the toolkit's default size: columns sized from it would
    // be a few pixels wide. They are sized when the grid is first shown (gridShown).
    QTableWidget* grid = m_c.sgRegExpr;
    if (grid->isVisible())
        m_model.setClientWidth(grid->verticalHeader()->width() + grid->viewport()->width());
}

void RuleTablePage::gridShown()
{
    if (m_columnsSized)
        return;
    m_columnsSized = true;
    takeClientWidth();
    m_model.setColumnWidths();
    const bool wasShowing = m_showing;
    m_showing = true;
    applyColumnWidths();
    m_showing = wasShowing;
}

void RuleTablePage::FillGrid()
{
    run([this] { m_model.FillGrid(); });
}

void RuleTablePage::setCurrentRow(int row)
{
    run([this, row] { m_model.setCurrentRow(row); });
}

bool RuleTablePage::ValidateRules(bool multipass)
{
    bool ok = true;
    run([this, multipass, &ok] { ok = m_model.ValidateRules(multipass); });
    return ok;
}

void RuleTablePage::tbSaveTableClick()
{
    run([this] { m_model.tbSaveTableClick(); });
    syncTablePathCaption();
}

void RuleTablePage::tbLoadTableClick()
{
    run([this] { m_model.tbLoadTableClick(); });
    syncTablePathCaption();
}

void RuleTablePage::tbInsertToTableClick()
{
    run([this] { m_model.tbInsertToTableClick(); });
}

void RuleTablePage::tbDeleteFromTableClick()
{
    run([this] { m_model.tbDeleteFromTableClick(); });
}

void RuleTablePage::tbMoveTopClick()
{
    run([this] { m_model.tbMoveTopClick(); });
}

void RuleTablePage::tbMoveUpClick()
{
    run([this] { m_model.tbMoveUpClick(); });
}

void RuleTablePage::tbMoveDownClick()
{
    run([this] { m_model.tbMoveDownClick(); });
}

void RuleTablePage::tbMoveBottomClick()
{
    run([this] { m_model.tbMoveBottomClick(); });
}

void RuleTablePage::sbAddToTableClick()
{
    run([this] { m_model.sbAddToTableClick(); });
}

void RuleTablePage::sbReplaceToTableClick()
{
    run([this] { m_model.sbReplaceToTableClick(); });
}

void RuleTablePage::tbInsertTableClick()
{
    run([this] { m_model.tbInsertTableClick(); });
}

void RuleTablePage::tbEditTableClick()
{
    run([this] { m_model.tbEditTableClick(); });
}

void RuleTablePage::insertPatternItem(std::string_view name)
{
    const rules::PatternMenuItem* item = rules::FindPatternMenuItem(name);
    if (item == nullptr)
        return;
    QWidget* target = focusedControl() == m_c.MemoFind ? static_cast<QWidget*>(m_c.MemoFind) : m_c.cbFind;
    target->setFocus(Qt::OtherFocusReason);
    templ::EditorText state = ReadEditorText(target);
    templ::InsertFragment(state, templ::Insertion { item->text, item->caretBack });
    WriteEditorText(target, state);
}

void RuleTablePage::insertTemplateItem(std::string_view name)
{
    const templ::ReplaceMenuItem* item = templ::FindReplaceMenuItem(name);
    if (item == nullptr)
        return;
    QWidget* target
        = focusedControl() == m_c.MemoReplace ? static_cast<QWidget*>(m_c.MemoReplace) : m_c.cbReplace;
    target->setFocus(Qt::OtherFocusReason);
    templ::EditorText state = ReadEditorText(target);
    templ::InsertFragment(state, item->insertion);
    WriteEditorText(target, state);
    if (item->switchesToExtended) {
        // As a click on the extended menu item: the radio buttons follow, and the mode in force
        // becomes the global one even when extended was already checked.
        m_c.rbExtendedReplace->setChecked(true);
        m_compiler.ReplaceModeMenuClick(rules::ReplaceMode::Extended);
    }
}

void RuleTablePage::quoteFocusedSelection(bool workFields)
{
    QWidget* target = focusedControl();
    const bool memo = target == m_c.MemoFind || target == m_c.MemoReplace;
    const bool field = workFields && (target == m_c.cbFind || target == m_c.cbReplace);
    if (!memo && !field)
        return;
    templ::EditorText state = ReadEditorText(target);
    const std::string before = state.text;
    rules::QuoteSelectedMetaChars(state.text, state.selStart, state.selLength);
    if (state.text != before)
        WriteEditorText(target, state);
}

void RuleTablePage::modifierBoxesChanged()
{
    using rules::GlobalModifier;
    const std::pair<GlobalModifier, QCheckBox*> boxes[] = {
        { GlobalModifier::I, m_c.CheckBoxModifierI },
        { GlobalModifier::M, m_c.CheckBoxModifierM },
        { GlobalModifier::S, m_c.CheckBoxModifierS },
        { GlobalModifier::X, m_c.CheckBoxModifierX },
        { GlobalModifier::G, m_c.CheckBoxModifierG },
    };
    for (auto [modifier, box] : boxes) {
        if (m_compiler.modifierChecked(modifier) != box->isChecked())
            m_compiler.CheckBoxModifierClick(modifier, box->isChecked());
    }
}

void RuleTablePage::replaceModeChanged()
{
    if (m_c.rbSimpleReplace->isChecked())
        m_compiler.ReplaceModeRadioClick(rules::ReplaceMode::Simple);
    else if (m_c.rbSubstitute->isChecked())
        m_compiler.ReplaceModeRadioClick(rules::ReplaceMode::Substitution);
    else if (m_c.rbExtendedReplace->isChecked())
        m_compiler.ReplaceModeRadioClick(rules::ReplaceMode::Extended);
}

// ---- Showing the model ----

void RuleTablePage::showModel()
{
    showGrid();
    showFields();
}

void RuleTablePage::showGrid()
{
    QTableWidget* grid = m_c.sgRegExpr;
    const bool wasShowing = m_showing;
    m_showing = true;
    {
        const QSignalBlocker block(grid);
        const int rows = m_model.dataRowCount();
        if (grid->rowCount() != rows)
            grid->setRowCount(rows);
        for (int column = 1; column < rules::RuleTableModel::kColumnCount; ++column) {
            const QString header = ToDisplay(m_model.cell(0, column));
            QTableWidgetItem* headerItem = grid->horizontalHeaderItem(column - 1);
            if (headerItem == nullptr)
                grid->setHorizontalHeaderItem(column - 1, new QTableWidgetItem(header));
            else if (headerItem->text() != header)
                headerItem->setText(header);
            for (int row = 1; row <= rows; ++row) {
                const QString text = ToDisplay(m_model.cell(row, column));
                QTableWidgetItem* item = grid->item(row - 1, column - 1);
                if (item == nullptr)
                    grid->setItem(row - 1, column - 1, new QTableWidgetItem(text));
                else if (item->text() != text)
                    item->setText(text);
            }
        }
        const int current = m_model.currentRow() - 1;
        if (grid->currentRow() != current)
            grid->setCurrentCell(current, std::max(0, grid->currentColumn()));
        applyColumnWidths();
    }
    m_showing = wasShowing;
}

void RuleTablePage::applyColumnWidths()
{
    QTableWidget* grid = m_c.sgRegExpr;
    grid->verticalHeader()->setFixedWidth(m_model.columnWidth(0));
    for (int column = 1; column < rules::RuleTableModel::kColumnCount; ++column) {
        const int width = m_model.columnWidth(column);
        if (width > 0 && grid->columnWidth(column - 1) != width)
            grid->setColumnWidth(column - 1, width);
    }
}

void RuleTablePage::showFields()
{
    const bool wasShowing = m_showing;
    m_showing = true;
    const int index = m_model.currentRow() - 1;
    for (RuleField field : kWorkFields) {
        auto* combo = static_cast<QComboBox*>(fieldWidget(field));
        const QSignalBlocker block(combo);
        const QStringList items = ToDisplayList(m_model.dropDownItems(field));
        if (ComboItems(combo) != items) {
            combo->clear();
            combo->addItems(items);
        }
        if (combo->currentIndex() != index)
            combo->setCurrentIndex(index);
        const QString text = ToDisplay(m_model.fieldText(field));
        if (combo->currentText() != text)
            combo->setEditText(text);
    }
    const std::pair<QPlainTextEdit*, const std::string*> memos[] = {
        { m_c.MemoFind, &m_model.memoFindText() },
        { m_c.MemoReplace, &m_model.memoReplaceText() },
    };
    for (auto [memo, text] : memos) {
        const QSignalBlocker block(memo);
        if (MemoTextFromWidget(memo->toPlainText()) != *text)
            memo->setPlainText(MemoTextToWidget(*text));
    }
    m_c.tbMoveTop->setEnabled(m_model.moveUpEnabled());
    m_c.tbMoveUp->setEnabled(m_model.moveUpEnabled());
    m_c.tbMoveDown->setEnabled(m_model.moveDownEnabled());
    m_c.tbMoveBottom->setEnabled(m_model.moveDownEnabled());
    m_showing = wasShowing;
}

void RuleTablePage::syncTablePathCaption()
{
    m_c.LabelListRegExpr->setText(ToDisplay(app::PathText(m_model.RuleTablePath())));
}

} // namespace morvane::ui
