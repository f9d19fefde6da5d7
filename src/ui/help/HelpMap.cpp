#include "ui/help/HelpMap.h"

#include <QFile>
#include <QObject>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWidget>

namespace morvane::ui {

namespace {

constexpr std::string_view M = "TFormMain";

// clang-format off
constexpr HelpTopic kTopics[] = {
    // Pages and menus of the main window.
    { M, "TabSheetManual", "index.html", "contents" },
    { M, "WebBrowserManual", "index.html", "contents" },
    { M, "TabSheetWork", "index.html", "pages" },
    { M, "TabSheetReport", "passes.html", "report" },
    { M, "TabSheetOptions", "rules.html", "table" },
    { M, "miOperations", "keys.html", "operations" },
    { M, "miSettings", "settings.html", "top" },
    { M, "miHelpMenu", "keys.html", "help" },
    { M, "pmFiles", "filepanel.html", "fileops" },
    { M, "pmFind", "patterns.html", "top" },
    { M, "pmReplace", "templates.html", "top" },
    // The work page's tool bar.
    { M, "ToolBarWork", "keys.html", "operations" },
    { M, "tbSubDir", "passes.html", "top" },
    { M, "tbFindFiles", "passes.html", "found" },
    { M, "tbNotFindFiles", "passes.html", "notfound" },
    { M, "tbAllFiles", "passes.html", "all" },
    { M, "tbBreak", "passes.html", "progress" },
    { M, "tbReplToFile", "output.html", "onefile" },
    { M, "tbFileSplit", "output.html", "split" },
    { M, "tbBatch", "replaceall.html", "multipass" },
    { M, "tbSaveBackup", "backups.html", "top" },
    { M, "cbCodePage", "codepages.html", "top" },
    { M, "tbRestore", "backups.html", "restore" },
    { M, "tbRestoreAll", "backups.html", "restore" },
    { M, "tbDelAllBackup", "backups.html", "restore" },
    { M, "tbLoadFile", "viewer.html", "top" },
    { M, "tbSaveAs", "viewer.html", "top" },
    { M, "tbSave", "viewer.html", "top" },
    { M, "tbSetFont", "settings.html", "appearance" },
    { M, "tbSetColor", "settings.html", "appearance" },
    { M, "tbWordWrap", "viewer.html", "top" },
    { M, "tbColour", "colouring.html", "top" },
    { M, "tbSetColour", "colouring.html", "setup" },
    { M, "tbWebBrowser", "tags.html", "autopreview" },
    { M, "tbHelp", "keys.html", "help" },
    { M, "tbTutorial", "settings.html", "files" },
    // The file panel.
    { M, "FilePanel", "filepanel.html", "panel" },
    { M, "cbDrive", "filepanel.html", "drive" },
    { M, "sbSortName", "filepanel.html", "sort" },
    { M, "sbSortExt", "filepanel.html", "sort" },
    { M, "sbSortDate", "filepanel.html", "sort" },
    { M, "sbSortSize", "filepanel.html", "sort" },
    { M, "lvFiles", "filepanel.html", "marks" },
    { M, "cbMask", "filepanel.html", "mask" },
    { M, "EditItem", "filepanel.html", "marks" },
    // The find, replace and remark fields.
    { M, "PanelAction", "rules.html", "fields" },
    { M, "cbFind", "patterns.html", "top" },
    { M, "sbInsertToFind", "patterns.html", "top" },
    { M, "sbFind", "interactive.html", "top" },
    { M, "cbReplace", "templates.html", "top" },
    { M, "sbInsertToReplace", "templates.html", "top" },
    { M, "sbReplacePassim", "replaceall.html", "top" },
    { M, "cbRemark", "rules.html", "remark" },
    { M, "tbInsertTable", "rules.html", "fields" },
    { M, "tbEditTable", "rules.html", "fields" },
    // The viewer, the preview and the confirmation panel.
    { M, "PageControlWork", "viewer.html", "top" },
    { M, "TabSheetWeb", "tags.html", "autopreview" },
    { M, "WebBrowserView", "tags.html", "autopreview" },
    { M, "TabSheetFindReplace", "viewer.html", "top" },
    { M, "reSource", "viewer.html", "top" },
    { M, "PanelReplace", "interactive.html", "keys" },
    { M, "mmReplace", "interactive.html", "top" },
    { M, "stReplToFile", "output.html", "top" },
    { M, "sbInfo", "passes.html", "progress" },
    // The report page.
    { M, "lvReport", "passes.html", "report" },
    { M, "PanelReportButtons", "filepanel.html", "fileops" },
    // The rule table page.
    { M, "ToolBarOptions", "rules.html", "table" },
    { M, "tbHelpTable", "rules.html", "table" },
    { M, "sgRegExpr", "rules.html", "table" },
    { M, "PanelSetWordChars", "rules.html", "charsets" },
    { M, "EditSpaceChars", "rules.html", "charsets" },
    { M, "EditWordChars", "rules.html", "charsets" },
    { M, "GroupBoxGlobalModifier", "rules.html", "modifiers" },
    { M, "GroupBoxGlobalModeReplace", "rules.html", "modes" },
    { M, "MemoFind", "rules.html", "memos" },
    { M, "MemoReplace", "rules.html", "memos" },
    // The dialogs, each as a whole.
    { "TForm3", "TForm3", "output.html", "onefile" },
    { "TfmCreateDir", "TfmCreateDir", "filepanel.html", "createdir" },
    { "TFormSelectFiles", "TFormSelectFiles", "filepanel.html", "selectfiles" },
    { "TForm9", "TForm9", "settings.html", "time" },
    { "TFormSetModeConverter", "TFormSetModeConverter", "codepages.html", "converter" },
    { "TFormSetFileSplit", "TFormSetFileSplit", "output.html", "split" },
    { "TFormWebBrowser", "TFormWebBrowser", "tags.html", "top" },
    { "TFormCopyright", "TFormCopyright", "support.html", "top" },
};
// clang-format on

std::string_view View(const QString& text, QByteArray& storage)
{
    storage = text.toLatin1();
    return std::string_view(storage.constData(), static_cast<size_t>(storage.size()));
}

} // namespace

std::span<const HelpTopic> HelpTopics()
{
    return kTopics;
}

const HelpTopic* FindHelpTopic(std::string_view window, std::string_view control)
{
    for (const HelpTopic& topic : kTopics) {
        if (topic.window == window && topic.control == control)
            return &topic;
    }
    return nullptr;
}

const HelpTopic* HelpTopicFor(const QObject* object)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    QByteArray windowName;
    const std::string_view window
        = widget != nullptr ? View(widget->window()->objectName(), windowName) : std::string_view();
    for (const QObject* o = object; o != nullptr; o = o->parent()) {
        QByteArray name;
        if (const HelpTopic* topic = FindHelpTopic(window, View(o->objectName(), name)))
            return topic;
    }
    return nullptr;
}

QUrl HelpPageUrl(std::string_view page, std::string_view anchor)
{
    QUrl url(
        QStringLiteral("qrc:/help/") + QString::fromLatin1(page.data(), static_cast<qsizetype>(page.size())));
    if (!anchor.empty())
        url.setFragment(QString::fromLatin1(anchor.data(), static_cast<qsizetype>(anchor.size())));
    return url;
}

void PrepareManualBrowser(QTextBrowser* browser)
{
    QFile css(QStringLiteral(":/help/style.css"));
    if (css.open(QIODevice::ReadOnly))
        browser->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
    browser->setOpenLinks(true);
    browser->setOpenExternalLinks(false);
}

QUrl HelpTopicUrl(const HelpTopic& topic)
{
    return HelpPageUrl(topic.page, topic.anchor);
}

} // namespace morvane::ui
