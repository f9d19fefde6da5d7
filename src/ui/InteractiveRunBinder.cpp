// The interactive run's confirmation controls and preview on the main window's widgets.
// Covered by tests/ui/tst_interactive.cpp.

#include "ui/InteractiveRunBinder.h"

#include "ui/DisplayText.h"
#include "ui/QsciInclude.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace morvane::ui {

using search::ConfirmControl;

InteractiveRunBinder::InteractiveRunBinder(const FormMainControls& controls, Parts parts,
    std::function<void()> updatePassCommands, std::function<void()> reloadPanelIfChanged, QObject* parent)
    : QObject(parent)
    , m_c(controls)
    , m_updatePassCommands(std::move(updatePassCommands))
    , m_reloadPanelIfChanged(std::move(reloadPanelIfChanged))
    , m_run(std::make_unique<search::InteractiveRun>(parts.control, parts.fileList, parts.editor,
          parts.viewer, parts.output, parts.compiler, parts.report, *this))
{
}

InteractiveRunBinder::~InteractiveRunBinder() = default;

QObject* InteractiveRunBinder::widget(ConfirmControl control) const
{
    switch (control) {
    case ConfirmControl::sbYes:
        return m_c.sbYes;
    case ConfirmControl::sbYesToAll:
        return m_c.sbYesToAll;
    case ConfirmControl::sbIgnore:
        return m_c.sbIgnore;
    case ConfirmControl::sbAbort:
        return m_c.sbAbort;
    case ConfirmControl::miReplace:
        return m_c.miReplace;
    case ConfirmControl::miReplaceInFile:
        return m_c.miReplaceInFile;
    case ConfirmControl::miIgnore:
        return m_c.miIgnore;
    case ConfirmControl::sbAll:
        return m_c.sbAll;
    case ConfirmControl::sbNoToAll:
        return m_c.sbNoToAll;
    case ConfirmControl::miReplaceAll:
        return m_c.miReplaceAll;
    case ConfirmControl::miNextFile:
        return m_c.miNextFile;
    }
    return nullptr;
}

bool InteractiveRunBinder::isEnabled(ConfirmControl control) const
{
    QObject* object = widget(control);
    if (auto* action = qobject_cast<QAction*>(object))
        return action->isEnabled();
    auto* button = qobject_cast<QPushButton*>(object);
    return button != nullptr && button->isEnabled();
}

void InteractiveRunBinder::setEnabled(ConfirmControl control, bool enabled)
{
    QObject* object = widget(control);
    if (auto* action = qobject_cast<QAction*>(object))
        action->setEnabled(enabled);
    else if (auto* button = qobject_cast<QPushButton*>(object))
        button->setEnabled(enabled);
}

std::string InteractiveRunBinder::previewText() const
{
    const QString shown = m_c.mmReplace->toPlainText();
    if (shown == m_previewShown)
        return m_previewBytes;
    // Edited by the user: the memo's paragraph breaks become the line ends of the program.
    std::string text;
    for (char c : FromDisplay(shown)) {
        if (c == '\n')
            text += "\r\n";
        else
            text.push_back(c);
    }
    return text;
}

void InteractiveRunBinder::setPreviewText(const std::string& text)
{
    m_previewBytes = text;
    m_c.mmReplace->setPlainText(ToDisplay(text));
    m_previewShown = m_c.mmReplace->toPlainText();
}

void InteractiveRunBinder::showWorkPage()
{
    m_c.PageControlMain->setCurrentWidget(m_c.TabSheetWork);
}

void InteractiveRunBinder::showEditingPage()
{
    m_c.PageControlWork->setCurrentWidget(m_c.TabSheetFindReplace);
    m_c.reSource->setFocus();
}

void InteractiveRunBinder::UpdatePassCommands()
{
    if (m_updatePassCommands)
        m_updatePassCommands();
}

void InteractiveRunBinder::reloadPanelIfChanged()
{
    if (m_reloadPanelIfChanged)
        m_reloadPanelIfChanged();
}

} // namespace morvane::ui
