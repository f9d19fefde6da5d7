#pragma once
// What the main window keeps for colouring: the colouring engine (a TRegex used only here, with
// its own modifiers), the styles of reSource, the boxes, the flag that is set while a colouring
// runs, and the seam through which the interactive run of the set-up mode previews and applies
// attributes. The commands themselves are the window's (TFormMainColour.cpp).
// Covered by tests/ui/tst_colour.cpp.

#include "regex/TRegex.h"
#include "search/InteractiveRunColourSetup.h"
#include "ui/ColourDialogs.h"

#include <QObject>

#include <functional>
#include <memory>

class QsciScintilla;
class QWidget;

namespace morvane::ui {

class EditorColouring;

class ColourBinding : public QObject, public search::InteractiveRunColourSetup {
    Q_OBJECT
public:
    // `window` parents this object and the widget boxes; `editor` is reSource.
    ColourBinding(QWidget* window, QsciScintilla* editor);
    ~ColourBinding() override;

    regex::TRegex& engine() { return m_engine; }
    EditorColouring& editorColouring() { return *m_editorColouring; }
    ColourDialogs& dialogs() { return *m_dialogs; }
    // nullptr: back to the widget boxes.
    void setDialogs(ColourDialogs* dialogs);

    // True while the window colours reSource.
    bool active = false;

    // The set-up mode's actions, as the window binds them.
    std::function<void()> onPreview;
    std::function<void()> onApply;
    void PreviewAttributes() override;
    void ApplyAttributes() override;

private:
    regex::TRegex m_engine;
    EditorColouring* m_editorColouring;
    std::unique_ptr<ColourDialogs> m_ownDialogs;
    ColourDialogs* m_dialogs;
};

} // namespace morvane::ui
