// The pass framework's window side. Tests: tests/ui/tst_passes.cpp.

#include "ui/PassWindowBinder.h"

#include "ui/DisplayText.h"
#include "ui/PassesDialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

namespace morvane::ui {

PassWindowBinder::PassWindowBinder(const FormMainControls& controls, PassWindowHooks hooks)
    : m_c(controls)
    , m_hooks(std::move(hooks))
{
}

PassWindowBinder::~PassWindowBinder()
{
    if (m_cursorOverridden)
        QGuiApplication::restoreOverrideCursor();
}

void PassWindowBinder::showBusy(bool on)
{
    if (on) {
        // A range of 0..0 makes the bar run as a busy indicator.
        m_c.AnimateProcess->setRange(0, 0);
        m_c.tbBreak->setEnabled(true);
        for (QToolButton* button : { m_c.tbSave, m_c.tbSaveAs, m_c.tbLoadFile })
            button->setEnabled(false);
        for (QAction* item : { m_c.miSave, m_c.miSaveAs, m_c.miLoadFile })
            item->setEnabled(false);
        // The cursor before the pass comes back at its end; a second "on" keeps that one.
        const QCursor* current = QGuiApplication::overrideCursor();
        if (!m_cursorOverridden && (current == nullptr || current->shape() != Qt::WaitCursor)) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            m_cursorOverridden = true;
        }
    } else {
        m_c.AnimateProcess->setRange(0, 1);
        m_c.AnimateProcess->reset();
        m_c.tbBreak->setEnabled(false);
        if (m_hooks.updateEditorCommands)
            m_hooks.updateEditorCommands();
        if (m_hooks.showDriveSpace)
            m_hooks.showDriveSpace();
        if (m_cursorOverridden) {
            QGuiApplication::restoreOverrideCursor();
            m_cursorOverridden = false;
        }
    }
    if (m_hooks.busyChanged)
        m_hooks.busyChanged();
}

void PassWindowBinder::endInteractiveRun()
{
    if (m_hooks.endInteractiveRun)
        m_hooks.endInteractiveRun();
}

void PassWindowBinder::showReportPage()
{
    if (m_hooks.showReportPage)
        m_hooks.showReportPage();
}

void PassWindowBinder::setPanelText(int panel, const std::string& text)
{
    const QString shown = ToDisplay(text);
    (panel == 0 ? m_c.sbInfoPanel0 : m_c.sbInfoPanel1)->setText(shown);
    (panel == 0 ? m_c.sbReportPassPanel0 : m_c.sbReportPassPanel1)->setText(shown);
}

void PassWindowBinder::processPendingMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void PassWindowBinder::showMessage(const std::string& text)
{
    if (m_dialogs != nullptr)
        m_dialogs->showMessage(text);
}

bool PassWindowBinder::confirm(const std::string& text)
{
    return m_dialogs != nullptr && m_dialogs->confirm(text);
}

} // namespace morvane::ui
