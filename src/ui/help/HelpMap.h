#pragma once
// The map from the program's controls to the manual: for every page, field, list, tool bar,
// menu and dialog, the manual page and the anchor that explains it. F1 looks up the control
// that has the focus and its parents in turn, so a control without an entry of its own is
// explained by the panel, page or dialog around it. The manual's pages are compiled into the
// program (resource prefix :/help). Covered by tests/ui/tst_help.cpp, which checks that every
// control named here exists and every page and anchor is in the manual.

#include <QUrl>

#include <span>
#include <string_view>

class QObject;
class QTextBrowser;

namespace morvane::ui {

struct HelpTopic {
    std::string_view window; // object name of the window that holds the control
    std::string_view control; // the control's object name (the window's own for a whole dialog)
    std::string_view page; // file name of the manual page
    std::string_view anchor; // id of the section on that page
};

// Every entry of the map.
std::span<const HelpTopic> HelpTopics();

// The entry of `control` in `window`, or nullptr.
const HelpTopic* FindHelpTopic(std::string_view window, std::string_view control);

// The topic of `object`: its own entry, else the nearest parent's; nullptr when none has one.
const HelpTopic* HelpTopicFor(const QObject* object);

// The address of a topic and of a bare page in the compiled-in manual.
QUrl HelpTopicUrl(const HelpTopic& topic);
QUrl HelpPageUrl(std::string_view page, std::string_view anchor = {});

// Prepares a browser for the manual: the pages' style sheet (the browser does not load linked
// style sheets) and links followed inside it.
void PrepareManualBrowser(QTextBrowser* browser);

// The manual's pages named by the help commands.
inline constexpr std::string_view kStartPage = "index.html";
inline constexpr std::string_view kPatternPage = "patterns.html";
inline constexpr std::string_view kTemplatePage = "templates.html";
inline constexpr std::string_view kSupportPage = "support.html";
inline constexpr std::string_view kRuleTablePage = "rules.html";
inline constexpr std::string_view kRuleTableAnchor = "table";

} // namespace morvane::ui
