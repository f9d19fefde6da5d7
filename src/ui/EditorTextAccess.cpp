// Reading and writing text plus selection of the three kinds of edit control the rule fields use.

#include "ui/EditorTextAccess.h"

#include "ui/DisplayText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

namespace morvane::ui {

namespace {

QLineEdit* LineEditOf(QWidget* control)
{
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(control);
}

} // namespace

templ::EditorText ReadEditorText(QWidget* control)
{
    templ::EditorText state;
    if (QLineEdit* line = LineEditOf(control)) {
        state.text = FromDisplay(line->text());
        if (line->hasSelectedText()) {
            state.selStart = line->selectionStart();
            state.selLength = line->selectionLength();
        } else {
            state.selStart = line->cursorPosition();
        }
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        state.text = FromDisplay(memo->toPlainText());
        const QTextCursor cursor = memo->textCursor();
        state.selStart = cursor.selectionStart();
        state.selLength = cursor.selectionEnd() - cursor.selectionStart();
    }
    return state;
}

void SelectInEditor(QWidget* control, int start, int length)
{
    if (QLineEdit* line = LineEditOf(control)) {
        const int size = static_cast<int>(line->text().size());
        start = std::clamp(start, 0, size);
        length = std::clamp(length, 0, size - start);
        if (length > 0)
            line->setSelection(start, length);
        else
            line->setCursorPosition(start);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        QTextCursor cursor = memo->textCursor();
        const int size = static_cast<int>(memo->document()->characterCount()) - 1;
        start = std::clamp(start, 0, size);
        length = std::clamp(length, 0, size - start);
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
    }
}

void WriteEditorText(QWidget* control, const templ::EditorText& state)
{
    const QString text = ToDisplay(state.text);
    const int start = std::min(state.selStart, state.selStart + state.selLength);
    const int length = state.selLength < 0 ? -state.selLength : state.selLength;
    if (QLineEdit* line = LineEditOf(control)) {
        // Through the combo box when there is one, so that its edit text follows.
        if (auto* combo = qobject_cast<QComboBox*>(control))
            combo->setEditText(text);
        else
            line->setText(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        QTextCursor cursor = memo->textCursor();
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
        memo->setTextCursor(cursor);
    } else {
        return;
    }
    SelectInEditor(control, start, length);
}

std::string MemoTextFromWidget(const QString& shown)
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

int MemoWidgetPosition(std::string_view text, int position)
{
    int widget = position;
    for (size_t i = 0; i + 1 < text.size() && static_cast<int>(i) + 1 < position; ++i) {
        if (text[i] == '\r' && text[i + 1] == '\n')
            --widget;
    }
    return widget;
}

} // namespace morvane::ui
