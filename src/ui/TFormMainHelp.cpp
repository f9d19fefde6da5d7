// The main window's help commands and its language: the manual page, the topic of the focused
// control, the support page, the tutorial, and the message table loaded by the language choice
// (a language file in the program directory wins over it) with every caption applied again.
// The commands themselves live in ui/help/HelpBinding. Covered by tests/ui/tst_help.cpp.

#include "ui/TFormMain.h"

#include "app/MessageTable.h"
#include "app/ResponseInterval.h"
#include "ui/DisplayText.h"
#include "ui/FileOpsDialogs.h"
#include "ui/FormMainDialogs.h"
#include "ui/help/HelpBinding.h"
#include "ui/help/HelpMap.h"

#include <QTabWidget>
#include <QTableWidget>

namespace morvane::ui {

HelpBinding& TFormMain::help()
{
    if (m_help == nullptr) {
        HelpBinding::Hooks hooks;
        hooks.busy = [this] { return m_busy; };
        hooks.languageChanged = [this] { applyLanguage(); };
        hooks.ruleTablePath = [this] { return ruleTablePath(); };
        m_help = new HelpBinding(this, m_c, m_programDir, std::move(hooks));
    }
    return *m_help;
}

void TFormMain::miHelpClick()
{
    help().showFocusTopic();
}

void TFormMain::tbHelpTableClick()
{
    if (const HelpTopic* topic = FindHelpTopic("TFormMain", "tbHelpTable"))
        help().showTopic(*topic);
}

void TFormMain::miSupportClick()
{
    help().showSupport();
}

void TFormMain::miManualClick()
{
    help().showManual();
}

void TFormMain::tbTutorialClick()
{
    help().playTutorial(fileOpsDialogs());
}

void TFormMain::helpPageChanged()
{
    if (m_c.PageControlMain->currentWidget() == m_c.TabSheetManual)
        help().manualPageShown();
}

void TFormMain::loadMessageTable()
{
    app::MessageTable& table = app::CurrentMessageTable();
    table.reset();
    const app::LanguageFileResult language = app::LoadLanguageFile(m_programDir / app::kLanguageFileName);
    if (language.status == app::LanguageFileStatus::Unreadable && language.error)
        m_dialogs->ShowMessage(language.error->message);
    const bool fileInForce = language.status == app::LanguageFileStatus::Loaded;
    help().setLanguageFileInForce(fileInForce);
    if (!fileInForce && help().english())
        table.replaceEntries(EnglishTableLines());
}

void TFormMain::applyLanguage()
{
    loadMessageTable();
    ApplyCaptions();
    help().applyCaptions();
    m_c.sgRegExpr->setHorizontalHeaderLabels(
        { ToDisplay(app::Msg(1)), ToDisplay(app::Msg(2)), ToDisplay(app::Msg(3)) });
    setResponseIntervalCaption(
        app::ReplaceIntervalInCaption(app::Msg(269), app::FormatIntervalText(m_responseIntervalMs)));
}

} // namespace morvane::ui
