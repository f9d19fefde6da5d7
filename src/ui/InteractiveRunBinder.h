#pragma once
// The interactive replace run's controls on the main window (search::ConfirmControls): the six
// speed buttons of the confirmation panel and their five menu twins, the preview memo
// mmReplace, and the pages the run shows. Covered by tests/ui/tst_interactive.cpp.
//
// mmReplace is a plain-text memo, which turns every kind of line end into its own paragraph
// break; the binder therefore hands back the exact bytes it was given while the user has not
// edited the preview, and an edited preview with its line breaks as CR LF.

#include "search/ConfirmControls.h"
#include "search/InteractiveRun.h"
#include "ui/FormMainControls.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

namespace morvane::ui {

class InteractiveRunBinder : public QObject, public search::ConfirmControls {
    Q_OBJECT
public:
    // The run's collaborators besides the controls.
    struct Parts {
        search::PassControl& control;
        search::PassFileList& fileList;
        search::WorkTextEditor& editor;
        search::Viewer& viewer;
        search::OutputControl& output;
        rules::RuleCompiler& compiler;
        search::ReportModel& report;
    };
    // `controls` and the parts must outlive the binder, which owns the run.
    // `updatePassCommands` and `reloadPanelIfChanged` are the window's.
    InteractiveRunBinder(const FormMainControls& controls, Parts parts,
        std::function<void()> updatePassCommands, std::function<void()> reloadPanelIfChanged,
        QObject* parent = nullptr);
    ~InteractiveRunBinder() override;

    search::InteractiveRun& run() { return *m_run; }

    bool isEnabled(search::ConfirmControl control) const override;
    void setEnabled(search::ConfirmControl control, bool enabled) override;
    std::string previewText() const override;
    void setPreviewText(const std::string& text) override;
    void showWorkPage() override;
    void showEditingPage() override;
    void UpdatePassCommands() override;
    void reloadPanelIfChanged() override;

    // The widget (a push button or a menu item's action) of `control`.
    QObject* widget(search::ConfirmControl control) const;

private:
    const FormMainControls& m_c;
    std::function<void()> m_updatePassCommands;
    std::function<void()> m_reloadPanelIfChanged;
    std::string m_previewBytes; // the text last put into the memo
    QString m_previewShown; // and how the memo showed it
    std::unique_ptr<search::InteractiveRun> m_run;
};

} // namespace morvane::ui
