#pragma once
// Colouring of the viewer reSource: gives stretches of its text the colour, style and size of a
// colouring rule through the control's character styles (colour, bold, italic, underline, font
// and size) and one indicator (strike-out, drawn in the stretch's colour). Styles and indicators
// are display state: the text, the undo history, the modified flag, the caret and the selection
// stay as they are.
//
// Stretches come as offsets into the program text (one byte per character); the control holds
// UTF-8, so offsets are mapped by counting characters in the control's own bytes. A rule that
// leaves style or size open takes the editor font's at the time of drawing, so a new editor font
// redraws every style from its attributes (the control resets style definitions when its font
// changes, the style of each character is kept).
//
// Each distinct set of attributes needs a style of its own; the control has 247 free ones. Sets
// beyond that reuse the last style, which only a table with that many different attribute texts
// can notice.
// Covered by tests/ui/tst_colour.cpp.

#include "editor/ColourRun.h"

#include <QObject>

#include <vector>

class QsciScintilla;

namespace morvane::ui {

class EditorColouring : public QObject {
    Q_OBJECT
public:
    // Binds `editor`, which must outlive this object.
    explicit EditorColouring(QsciScintilla* editor, QObject* parent = nullptr);

    // Removes all colouring, then gives each span its attributes. Spans are ordered by position
    // and do not overlap (as a colouring run returns them); those beyond the text are cut.
    void apply(const std::vector<editor::ColourSpan>& spans);
    // Gives one stretch the attributes, over whatever colouring it had.
    void applyRange(int offset, int length, const editor::ColourAttributes& attributes);
    // Back to the plain text.
    void clear();

    // Whether any stretch is coloured now.
    bool isColoured() const { return !m_styles.empty(); }

    // The style the control uses for character `offset` (0 = plain), and whether the strike-out
    // indicator covers it: for tests and diagnostics.
    int styleAt(int offset) const;
    bool struckOutAt(int offset) const;
    // The control's indicator number of strike-out.
    int strikeIndicator() const { return m_strikeIndicator; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int styleFor(const editor::ColourAttributes& attributes);
    void defineStyle(int style, const editor::ColourAttributes& attributes);
    void redefineStyles();
    // Document positions of offsets `offsets` (ascending), counted over the control's UTF-8.
    std::vector<long> documentPositions(const std::vector<int>& offsets) const;
    long documentPosition(int offset) const;

    QsciScintilla* m_editor;
    int m_strikeIndicator;
    std::vector<editor::ColourAttributes> m_styles; // style k + first free style
    bool m_redefinePending = false;
};

} // namespace morvane::ui
