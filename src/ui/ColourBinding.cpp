// The window's colouring state. Covered by tests/ui/tst_colour.cpp.

#include "ui/ColourBinding.h"

#include "editor/ColourRun.h"
#include "ui/EditorColouring.h"
#include "ui/WidgetColourDialogs.h"

#include <QWidget>

namespace morvane::ui {

ColourBinding::ColourBinding(QWidget* window, QsciScintilla* editor)
    : QObject(window)
    , m_editorColouring(new EditorColouring(editor, this))
    , m_ownDialogs(std::make_unique<WidgetColourDialogs>(window))
    , m_dialogs(m_ownDialogs.get())
{
    editor::SetColourEngineModifiers(m_engine);
}

ColourBinding::~ColourBinding() = default;

void ColourBinding::setDialogs(ColourDialogs* dialogs)
{
    m_dialogs = dialogs != nullptr ? dialogs : m_ownDialogs.get();
}

void ColourBinding::PreviewAttributes()
{
    if (onPreview)
        onPreview();
}

void ColourBinding::ApplyAttributes()
{
    if (onApply)
        onApply();
}

} // namespace morvane::ui
