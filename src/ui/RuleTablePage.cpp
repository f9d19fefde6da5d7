// The rule table page bound to the rule table model; see RuleTablePage.h.

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

// A memo's line break is one character in the widget and CR LF in the program's text, as it
// always was in the memo controls the table was edited with.
std::string MemoWidgetToText(const QString& shown)
{
    std::string text = FromDisplay(shown);
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\n')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

QString MemoTextToWidget(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the LF that follows stands for the pair
        out += text[i];
    }
    return ToDisplay(out);
}

// A position in a memo's program text as a position in the widget (each CR LF is one character).
int MemoWidgetPosition(std::string_view text, int position)
{
    int widget = position;
    for (size_t i = 0; i + 1 < text.size() && static_cast<int>(i) + 1 < position; ++i) {
        if (text[i] == '\r' && text[i + 1] == '\n')
            --widget;
    }
    return widget;
}

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
        if (!m_showing)
            m_model.setColumnWidth(column + 1, width);
    });
    grid->installEventFilter(this);

    connect(m_c.MemoFind, &QPlainTextEdit::textChanged, this, [this] { memoEdited(RuleField::MemoFind); });
    connect(m_c.MemoReplace, &QPlainTextEdit::textChanged, this, [this] { memoEdited(RuleField::MemoReplace); });
    for (QPlainTextEdit* memo : { m_c.MemoFind, m_c.MemoReplace })
        memo->installEventFilter(this);

    for (RuleField field : kWorkFields) {
        auto* combo = static_cast<QComboBox*>(fieldWidget(field));
        connect(combo, &QComboBox::editTextChanged, this, [this, field](const QString& text) {
            if (m_showing)
                return;
            m_model.setFieldText(field, FromDisplay(text));
            // A changed rule ends an interactive run that waits at a match.
            if (field != RuleField::cbRemark && m_c.sbYes->isEnabled())
                m_window.DisableConfirmButtons();
        });
        connect(combo, &QComboBox::activated, this,
            [this, field](int index) { run([this, field, index] { m_model.dropDownSelect(field, index); }); });
        // The combo box forwards its key and focus events straight to its line edit, so each
        // event reaches the filter once, through whichever of the two has the focus.
        combo->installEventFilter(this);
        if (combo->lineEdit() != nullptr)
            combo->lineEdit()->installEventFilter(this);
    }
    m_c.EditSpaceChars->installEventFilter(this);
    m_c.EditWordChars->installEventFilter(this);
}

// ---- Start-up ----

void RuleTablePage::create()
{
    m_compiler.takeEngineState(app::IsRussianDefaultLocale());
}

void RuleTablePage::show(const std::filesystem::path& programDir)
{
    m_model.setRuleTablePath(PathFromText(FromDisplay(m_c.LabelListRegExpr->text())));
    m_model.setClientWidth(m_c.sgRegExpr->verticalHeader()->width() + m_c.sgRegExpr->viewport()->width());
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
    QTableWidget* grid = m_c.sgRegExpr;
    m_model.setClientWidth(grid->verticalHeader()->width() + grid->viewport()->width());
    command();
    showModel();
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
        if (MemoWidgetToText(memo->toPlainText()) != *text)
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

// ---- Widgets and fields ----

QWidget* RuleTablePage::fieldWidget(RuleField field) const
{
    switch (field) {
    case RuleField::cbFind:
        return m_c.cbFind;
    case RuleField::cbReplace:
        return m_c.cbReplace;
    case RuleField::cbRemark:
        return m_c.cbRemark;
    case RuleField::MemoFind:
        return m_c.MemoFind;
    case RuleField::MemoReplace:
        return m_c.MemoReplace;
    case RuleField::EditSpaceChars:
        return m_c.EditSpaceChars;
    case RuleField::EditWordChars:
        return m_c.EditWordChars;
    }
    return nullptr;
}

QWidget* RuleTablePage::focusedControl() const
{
    // The window's focus child, also while a menu of the window is open or the window is not
    // the active one; a combo box's line edit stands for the combo box.
    QWidget* focus = m_window.focusWidget();
    for (QComboBox* combo : { m_c.cbFind, m_c.cbReplace, m_c.cbRemark }) {
        if (focus != nullptr && focus == combo->lineEdit())
            return combo;
    }
    return focus;
}

void RuleTablePage::popupMenuAtCaret(QMenu* menu, QWidget* control)
{
    QPoint at;
    if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        at = memo->viewport()->mapToGlobal(memo->cursorRect().bottomLeft());
    } else if (auto* combo = qobject_cast<QComboBox*>(control); combo != nullptr && combo->lineEdit() != nullptr) {
        QLineEdit* line = combo->lineEdit();
        at = line->mapToGlobal(line->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft());
    } else {
        at = control->mapToGlobal(QPoint(0, control->height()));
    }
    menu->popup(at);
}

void RuleTablePage::memoEdited(RuleField field)
{
    if (m_showing)
        return;
    if (field == RuleField::MemoFind)
        m_model.editMemoFind(MemoWidgetToText(m_c.MemoFind->toPlainText()));
    else
        m_model.editMemoReplace(MemoWidgetToText(m_c.MemoReplace->toPlainText()));
}

void RuleTablePage::cellEditFinished(const QString& text)
{
    run([this, text] { m_model.endCellEdit(FromDisplay(text)); });
}

void RuleTablePage::rowDragged(int oldVisual, int newVisual)
{
    if (m_showing || oldVisual == newVisual)
        return;
    // The header only reports the drag; the grid is rebuilt from the list in the new order, so
    // the sections go back to their places and row numbers stay in order.
    QHeaderView* header = m_c.sgRegExpr->verticalHeader();
    {
        const QSignalBlocker block(header);
        header->moveSection(newVisual, oldVisual);
    }
    run([this, oldVisual, newVisual] { m_model.sgRegExprRowMoved(oldVisual + 1, newVisual + 1); });
}

// ---- Keys and leaving fields ----

bool RuleTablePage::eventFilter(QObject* watched, QEvent* event)
{
    // While the window is being destroyed its controls die one by one; none of them may run a
    // command any more.
    if (m_alive.isNull() || QCoreApplication::closingDown())
        return false;
    if (event->type() == QEvent::KeyPress)
        return handleKey(watched, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // A popup menu, a box or another window taking the focus does not leave the field.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            handleFocusOut(watched);
    }
    return QObject::eventFilter(watched, event);
}

bool RuleTablePage::handleKey(QObject* watched, QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods
        = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int key = event->key();

    if (watched == m_c.sgRegExpr) {
        if (mods == Qt::ControlModifier && key == Qt::Key_Insert) {
            tbInsertToTableClick();
            return true;
        }
        if (mods == Qt::ControlModifier && key == Qt::Key_Delete) {
            tbDeleteFromTableClick();
            return true;
        }
        return false;
    }

    if (watched == m_c.MemoFind || watched == m_c.MemoReplace) {
        auto* memo = static_cast<QPlainTextEdit*>(watched);
        if (mods == Qt::NoModifier && key == Qt::Key_Insert) {
            popupMenuAtCaret(memo == m_c.MemoFind ? m_c.pmFind : m_c.pmReplace, memo);
            return true;
        }
        if (mods == Qt::ControlModifier && key == Qt::Key_A) {
            memo->selectAll();
            return true;
        }
        if (mods == Qt::ControlModifier && key == Qt::Key_D) {
            QTextCursor cursor = memo->textCursor();
            cursor.clearSelection();
            memo->setTextCursor(cursor);
            return true;
        }
        return false;
    }

    QWidget* combo = nullptr;
    for (QComboBox* field : { m_c.cbFind, m_c.cbReplace }) {
        if (watched == field || watched == field->lineEdit())
            combo = field;
    }
    if (combo == nullptr)
        return false;
    auto* box = static_cast<QComboBox*>(combo);
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier) {
        // The fields are one line; a line break is written as the sequence the engine reads as one.
        if (box->lineEdit() != nullptr)
            box->lineEdit()->insert(QStringLiteral("\\r\\n"));
        return true;
    }
    if (key == Qt::Key_Insert && mods == Qt::NoModifier) {
        popupMenuAtCaret(box == m_c.cbFind ? m_c.pmFind : m_c.pmReplace, box);
        return true;
    }
    return false;
}

void RuleTablePage::handleFocusOut(QObject* watched)
{
    if (m_leaving)
        return;
    m_leaving = true;
    auto is = [watched](QComboBox* combo) { return watched == combo || watched == combo->lineEdit(); };
    if (is(m_c.cbFind)) {
        run([this] { m_model.cbFindExit(); });
    } else if (is(m_c.cbRemark)) {
        run([this] { m_model.cbRemarkExit(); });
    } else if (watched == m_c.MemoFind) {
        run([this] { m_model.MemoFindExit(); });
    } else if (watched == m_c.MemoReplace) {
        run([this] { m_model.MemoReplaceExit(); });
    } else if (watched == m_c.EditSpaceChars) {
        m_compiler.setEditSpaceChars(FromDisplay(m_c.EditSpaceChars->text()));
        m_compiler.DecodeSpaceChars(*this);
    } else if (watched == m_c.EditWordChars) {
        m_compiler.setEditWordChars(FromDisplay(m_c.EditWordChars->text()));
        m_compiler.DecodeWordChars(*this);
        const QString decoded = ToDisplay(m_compiler.editWordChars());
        if (m_c.EditWordChars->text() != decoded)
            m_c.EditWordChars->setText(decoded);
    }
    m_leaving = false;
}

// ---- rules::RuleEditorHost ----

void RuleTablePage::ShowMessage(const std::string& text)
{
    m_dialogs->ShowMessage(text);
}

void RuleTablePage::ShowError(const std::string& text)
{
    m_dialogs->ShowMessage(text);
}

bool RuleTablePage::Confirm(const std::string& text)
{
    return m_dialogs->Confirm(text);
}

std::optional<std::filesystem::path> RuleTablePage::ChooseSaveFile(
    const std::string& title, const std::string& filter, const std::filesystem::path& initialPath)
{
    return m_dialogs->ChooseSaveFile(title, filter, initialPath);
}

std::optional<std::filesystem::path> RuleTablePage::ChooseOpenFile(
    const std::string& title, const std::string& filter, const std::filesystem::path& initialPath)
{
    return m_dialogs->ChooseOpenFile(title, filter, initialPath);
}

bool RuleTablePage::IsBusy() const
{
    return m_window.isBusy();
}

bool RuleTablePage::IsReplaceWaiting() const
{
    return m_c.sbYes->isEnabled();
}

void RuleTablePage::EndWaitingReplace()
{
    m_window.DisableConfirmButtons();
}

void RuleTablePage::FocusAndSelect(RuleField field, int start, int length)
{
    QWidget* control = fieldWidget(field);
    if (control == nullptr)
        return;
    // The field shows what was checked before its part is selected.
    if (field == RuleField::EditWordChars) {
        const QString text = ToDisplay(m_compiler.editWordChars());
        if (m_c.EditWordChars->text() != text)
            m_c.EditWordChars->setText(text);
    } else if (field != RuleField::EditSpaceChars && !m_showing) {
        showModel();
    }
    if (field == RuleField::MemoFind || field == RuleField::MemoReplace) {
        const std::string& text = field == RuleField::MemoFind ? m_model.memoFindText() : m_model.memoReplaceText();
        const int end = MemoWidgetPosition(text, start + length);
        start = MemoWidgetPosition(text, start);
        length = end - start;
    }
    control->setFocus(Qt::OtherFocusReason);
    SelectInEditor(control, start, length);
    if (m_leaving) {
        // The focus is on its way to another control; take it back once it has arrived.
        QPointer<QWidget> guard(control);
        QMetaObject::invokeMethod(
            this,
            [guard, start, length] {
                if (guard.isNull())
                    return;
                guard->setFocus(Qt::OtherFocusReason);
                SelectInEditor(guard, start, length);
            },
            Qt::QueuedConnection);
    }
}

} // namespace morvane::ui
