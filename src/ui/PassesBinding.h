#pragma once
// The pass subsystem of the main window, created once with its first use and living as long
// as the window: the pass controls (abort, busy, pump, timing) with their window side, the
// pass file list, the report with its view, the backup option and copies, the working text
// shared with the editor, the output modes, and the boxes and dialogs the commands show. The
// command handlers (TFormMainPasses.cpp) build a core command over these for each run.
// Covered by tests/ui/tst_passes.cpp, tst_replacepassim.cpp, tst_backups.cpp and
// tst_outputdialogs.cpp.

#include "app/Settings.h"
#include "search/Backups.h"
#include "search/OutputControl.h"
#include "search/PassControl.h"
#include "search/PassFileList.h"
#include "search/ReportModel.h"
#include "search/SystemPassClock.h"
#include "search/Viewer.h"
#include "search/WorkTextEditor.h"
#include "ui/ConverterDialogBinder.h"
#include "ui/FormMainControls.h"
#include "ui/PassWindowBinder.h"
#include "ui/PassesDialogsRelay.h"
#include "ui/ReportView.h"
#include "ui/WidgetPassesDialogs.h"

#include <QObject>

class QWidget;

namespace morvane::ui {

class PassesBinding : public QObject {
    Q_OBJECT
public:
    // `window` parents the dialogs; `viewer` is the editor reSource; `settings` keeps the
    // converter's choices. All must outlive the binding.
    PassesBinding(const FormMainControls& controls, QWidget* window, search::Viewer& viewer,
        app::Settings& settings, PassWindowHooks windowHooks, ReportViewHooks reportHooks);
    ~PassesBinding() override;

    search::PassControl& control() { return m_control; }
    search::PassFileList& fileList() { return m_fileList; }
    search::ReportModel& report() { return m_report; }
    ReportView& reportView() { return *m_reportView; }
    search::Backups& backups() { return m_backups; }
    search::WorkTextEditor& editor() { return m_editor; }
    search::OutputControl& output() { return m_output; }
    PassWindowBinder& windowBinder() { return m_binder; }
    ConverterDialogBinder& converterDialog() { return m_converterDialog; }
    WidgetPassesDialogs& widgetDialogs() { return m_widgetDialogs; }
    // The boxes and dialogs in use: the widgets, or what a test put in their place.
    PassesDialogs& dialogs() { return m_relay; }
    void setDialogs(PassesDialogs* dialogs);

private:
    WidgetPassesDialogs m_widgetDialogs;
    PassesDialogsRelay m_relay;
    PassWindowBinder m_binder;
    search::SystemPassClock m_clock;
    search::PassControl m_control;
    search::PassFileList m_fileList;
    search::ReportModel m_report;
    search::Backups m_backups;
    search::WorkTextEditor m_editor;
    search::OutputControl m_output;
    ConverterDialogBinder m_converterDialog;
    ReportView* m_reportView;
};

} // namespace morvane::ui
