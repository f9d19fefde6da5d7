// The main window: construction, the keys it takes before its controls, and the twins of check
// buttons and menu items. Covered by tests/ui/tst_objectnames.cpp, tests/ui/tst_twins.cpp and
// tests/ui/tst_startup.cpp.

#include "ui/TFormMain.h"

#include "app/MessageTable.h"
#include "app/Platform.h"
#include "ui/FilePanelView.h"
#include "ui/ObjectNames.h"
#include "ui/TForm9.h"
#include "ui/WidgetFormMainDialogs.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace morvane::ui {

TFormMain::TFormMain(const std::filesystem::path& programDir, QWidget* parent)
    : QMainWindow(parent)
    , m_programDir(programDir)
    , m_settings(programDir, app::IsRussianDefaultLocale())
{
    setObjectName(QLatin1String(names::TFormMain));
    setWindowTitle(QStringLiteral("Morvane"));
    m_ownDialogs = std::make_unique<WidgetFormMainDialogs>(this);
    m_dialogs = m_ownDialogs.get();

    buildMenus();
    buildContextMenus();
    buildWorkPage();
    buildReportPage();
    buildOptionsPage();
    buildServicePage();
    setCentralWidget(m_c.PageControlMain);
    m_panel = new FilePanelView(m_c, this);
    m_panel->setPassBusyQuery([this] { return m_busy; });
    bindPanelToPasses();
    connectHandlers();

    // The dialogs live as long as the window; a command shows one modally and reads it after OK.
    m_form9 = new TForm9(this);

    // An application-wide filter, because the window must see a key before the control that
    // has the focus: F2 and F10 mean the same everywhere in the window.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this] { updateStyleButtons(); });
    connect(qApp, &QApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            ApplicationEventsActivate();
    });

    resize(1100, 720);
    FormCreate();
}

TFormMain::~TFormMain()
{
    // The children die before this object's connections do, and a dying focused child would
    // still report its focus change to this half-destroyed window.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    // The panel filters events of the controls; it goes first, so that the controls dying
    // below never reach it.
    delete m_panel;
    m_panel = nullptr;
}

void TFormMain::setDialogs(FormMainDialogs* dialogs)
{
    m_dialogs = dialogs != nullptr ? dialogs : m_ownDialogs.get();
}

void TFormMain::bindTwin(QToolButton* button, QAction* action)
{
    // The button shows the menu item's action, so both read and write one checked state and can
    // never disagree; the button's hint is kept as the action's tool tip (menus do not show it).
    action->setCheckable(true);
    action->setIcon(button->icon());
    button->setDefaultAction(action);
}

bool TFormMain::routeF2()
{
    // The confirmation buttons are enabled exactly while an interactive run waits at a match;
    // then F2 answers it, and otherwise it saves the editor.
    if (m_c.sbYes->isEnabled()) {
        miReplaceClick();
        return true;
    }
    miSaveClick();
    return false;
}

bool TFormMain::handleWindowKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods
        = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_F10) {
        // Any combination of Shift, Ctrl and Alt except all three together.
        if (mods == (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
            return false;
        if (event->type() == QEvent::KeyPress) {
            if (auto error = app::ExportLanguageFile(m_programDir / app::kLanguageFileName))
                m_dialogs->ShowMessage(error->message);
        }
        return true;
    }
    if (event->key() == Qt::Key_F2 && mods == Qt::NoModifier) {
        if (event->type() == QEvent::KeyPress)
            routeF2();
        return true;
    }
    return false;
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    // A page's panels have real sizes only once the page has been shown; only those are saved.
    if (event->type() == QEvent::Show) {
        if (watched == m_c.FilePanel)
            m_workPageLaidOut = true;
        else if (watched == m_c.PanelSetWordChars)
            m_tablePageLaidOut = true;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (handleWindowKey(key)) {
                // Accepting the override keeps the menu shortcuts of F2 from firing; the key
                // press that follows is taken here.
                event->accept();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace morvane::ui
