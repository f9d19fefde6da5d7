#pragma once
// The help commands of the main window and what they show: the manual on the manual page (its
// start page when the page is first shown empty), the topic of the focused control (F1, the
// help buttons; over a modal dialog in a help window of that dialog), the syntax pages from the
// two insertion menus, the support page with this installation's facts, the about window, the
// tutorial sound, and the language choice of the settings menu. It adds its own menu items
// (the about item, the language submenu) to the window's menus. Owned by TFormMain.
// Covered by tests/ui/tst_help.cpp.

#include <QObject>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QTextBrowser;

namespace morvane::ui {

struct FormMainControls;
struct HelpTopic;
class FileOpsDialogs;
class TFormCopyright;
class TFormHelp;

// Object names of the items this binding adds.
namespace help_names {
inline constexpr char miAbout[] = "miAbout";
inline constexpr char miLanguage[] = "miLanguage";
inline constexpr char miLanguageRussian[] = "miLanguageRussian";
inline constexpr char miLanguageEnglish[] = "miLanguageEnglish";
} // namespace help_names

// The English table shipped inside the program, as the lines of a language file.
std::vector<std::string> EnglishTableLines();

class HelpBinding : public QObject {
    Q_OBJECT
public:
    // What the binding asks of the window: whether a pass holds the pages, and a language
    // change carried out (table reloaded, every caption applied).
    struct Hooks {
        std::function<bool()> busy;
        std::function<void()> languageChanged;
        std::function<std::filesystem::path()> ruleTablePath;
    };
    HelpBinding(
        QWidget* window, const FormMainControls& controls, std::filesystem::path programDir, Hooks hooks);
    ~HelpBinding() override;

    // F1, miHelp, tbHelp: the topic of the control that has the focus, else of the page shown.
    void showFocusTopic();
    // A topic or a page of the manual on the manual page, or in the help window while a pass
    // keeps the pages.
    void showTopic(const HelpTopic& topic);
    void showUrl(const QUrl& url);
    // Shift+F1: the manual page with the start page.
    void showManual();
    // The manual page became active: the start page when its browser shows nothing yet.
    void manualPageShown();
    // The support page, with the version, the program directory and the settings files.
    void showSupport();
    // The about window (window-modal, returns at once).
    void showAbout();
    // Plays "Tutorial.wav" of the program directory with the desktop's program for it.
    void playTutorial(FileOpsDialogs& desktop);

    // The language choice: English when true. Set from the settings before the table loads.
    bool english() const { return m_english; }
    void setEnglish(bool english);
    // A language file of the program directory replaced the table: it wins over the choice,
    // whose items are then disabled.
    void setLanguageFileInForce(bool inForce);
    // Texts of the items this binding added.
    void applyCaptions();

    TFormCopyright* aboutWindow() const { return m_about; }
    TFormHelp* helpWindow() const { return m_helpWindow; }
    QAction* aboutItem() const { return m_aboutItem; }
    QAction* languageItem(bool english) const { return english ? m_englishItem : m_russianItem; }
    QMenu* languageMenu() const { return m_languageMenu; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The help window as a child of `owner` (a modal dialog, or the main window).
    void showInHelpWindow(QWidget* owner, const QUrl& url);
    void languageChosen(bool english);
    QTextBrowser* manualBrowser() const;

    QWidget* m_window;
    const FormMainControls& m_c;
    std::filesystem::path m_programDir;
    Hooks m_hooks;
    bool m_english = false;
    QAction* m_aboutItem = nullptr;
    QMenu* m_languageMenu = nullptr;
    QAction* m_russianItem = nullptr;
    QAction* m_englishItem = nullptr;
    TFormCopyright* m_about = nullptr;
    TFormHelp* m_helpWindow = nullptr;
};

} // namespace morvane::ui
