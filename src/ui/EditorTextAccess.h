#pragma once
// The text and selection of the page's edit controls (line edits, editable combo boxes and
// plain-text memos) as templ::EditorText, and back, so that the insertion menus and the quoting
// of metacharacters run the core's operations on any of them. Positions count characters of the
// widget's text, which are the bytes of the program text (one character per byte), with a line
// break of a memo counted as one character. Covered by tests/ui/tst_tablepage.cpp.

#include "template/Insertion.h"

#include <QString>

#include <string>
#include <string_view>

class QWidget;

namespace morvane::ui {

// The control's text and selection; an empty text for a widget that is not an edit control.
templ::EditorText ReadEditorText(QWidget* control);

// Replaces the control's text (as one undoable step in a memo) and selects the range of
// `state`, the caret at its end (a bare caret for a length of 0).
void WriteEditorText(QWidget* control, const templ::EditorText& state);

// Selects `length` characters from `start` (clamped to the text) in the control.
void SelectInEditor(QWidget* control, int start, int length);

// A memo's line break is one character in the widget and CR LF in the program's text, as it
// always was in the memo controls the table was edited with. The memo's text as program text:
std::string MemoTextFromWidget(const QString& shown);
// Program text for a memo (each CR LF one line break).
QString MemoTextToWidget(std::string_view text);
// A 0-based position in a memo's program text as a position in the widget.
int MemoWidgetPosition(std::string_view text, int position);

} // namespace morvane::ui
