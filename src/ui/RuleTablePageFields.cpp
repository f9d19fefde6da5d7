// The rule table page's keys, the checks when a field is left, and what the rule table model
// asks of the window (boxes, dialogs, focus and selection, the state of the passes); the rest of
// the page is in RuleTablePage.cpp. Covered by tests/ui/tst_tablepage.cpp.

#include "ui/RuleTablePage.h"

#include "ui/DisplayText.h"
#include "ui/EditorTextAccess.h"
#include "ui/FormMainControls.h"
#include "ui/TFormMain.h"
#include "ui/TablePageDialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace morvane::ui {

using rules::RuleField;

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
    } else if (auto* combo = qobject_cast<QComboBox*>(control);
               combo != nullptr && combo->lineEdit() != nullptr) {
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
        m_model.editMemoFind(MemoTextFromWidget(m_c.MemoFind->toPlainText()));
    else
        m_model.editMemoReplace(MemoTextFromWidget(m_c.MemoReplace->toPlainText()));
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
    if (watched == m_c.sgRegExpr && event->type() == QEvent::Show) {
        // The page's layout settles after the show: size the columns then.
        QTimer::singleShot(0, this, [this] { gridShown(); });
    }
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

    if (watched == m_c.MemoFind || watched == m_c.MemoReplace || watched == m_c.mmReplace) {
        auto* memo = static_cast<QPlainTextEdit*>(watched);
        if (mods == Qt::NoModifier && key == Qt::Key_Insert) {
            // The replacement preview offers the template menu of the replacement memo, at that
            // memo's caret when it can be seen.
            QPlainTextEdit* at = memo;
            if (memo == m_c.mmReplace && m_c.MemoReplace->isVisible())
                at = m_c.MemoReplace;
            popupMenuAtCaret(memo == m_c.MemoFind ? m_c.pmFind : m_c.pmReplace, at);
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
        const std::string& text
            = field == RuleField::MemoFind ? m_model.memoFindText() : m_model.memoReplaceText();
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
