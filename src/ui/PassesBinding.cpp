// The pass subsystem of the main window. Tests: tests/ui/tst_passes.cpp and the other pass
// window tests.

#include "ui/PassesBinding.h"

#include <QWidget>

namespace morvane::ui {

PassesBinding::PassesBinding(const FormMainControls& controls, QWidget* window, search::Viewer& viewer,
    app::Settings& settings, PassWindowHooks windowHooks, ReportViewHooks reportHooks)
    : QObject(window)
    , m_widgetDialogs(window)
    , m_relay(&m_widgetDialogs)
    , m_binder(controls, std::move(windowHooks))
    , m_control(m_binder, m_clock, m_binder, m_binder, m_binder)
    , m_fileList(m_control)
    , m_editor(m_control, viewer, m_backups)
    , m_output(m_control, m_relay, &m_fileList)
    , m_converterDialog(m_relay, settings)
    , m_reportView(new ReportView(controls, m_report, std::move(reportHooks), this))
{
    m_binder.setDialogs(&m_relay);
}

PassesBinding::~PassesBinding()
{
    // The view goes first: it is the report's observer.
    delete m_reportView;
    m_reportView = nullptr;
}

void PassesBinding::setDialogs(PassesDialogs* dialogs)
{
    m_relay.setTarget(dialogs != nullptr ? dialogs : &m_widgetDialogs);
}

} // namespace morvane::ui
