// The main window's handlers for HTML tag pairing and the preview: the two pairing commands
// on the editor's text, the preview of the selection in the preview window, F3 in the file
// panel, and the automatic preview of the panel's current file on the page "Просмотр". The
// pairing itself is editor::TagPairing; this file reads the editor, calls it and applies the
// selection. Covered by tests/ui/tst_tags.cpp.

#include "ui/TFormMain.h"

#include "app/FileError.h"
#include "editor/TagPairing.h"
#include "search/WorkTextEditor.h"
#include "ui/BrowserFile.h"
#include "ui/CodePageBox.h"
#include "ui/DisplayText.h"
#include "ui/FilePanelView.h"
#include "ui/FormMainDialogs.h"
#include "ui/KeyFilter.h"
#include "ui/QsciInclude.h"
#include "ui/SourceEditor.h"
#include "ui/TFormWebBrowser.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>

namespace morvane::ui {

namespace {

// Beside the previewed file, so that its relative links and images resolve; a dot name keeps it
// out of the listing and the passes' "*.*" while it exists, and closing the preview removes it.
constexpr const char* kPreviewFileName = ".Morvane.tmp";

editor::TextSelection SelectionOf(const SourceEditor& editor)
{
    return { editor.selStart(), editor.selLength() };
}

} // namespace

TFormWebBrowser& TFormMain::previewWindow()
{
    if (m_preview == nullptr) {
        m_preview = new TFormWebBrowser(this);
        connect(m_preview, &TFormWebBrowser::closed, this, &TFormMain::previewClosed);
        // The settings are written from this copy at close, so it follows every move.
        connect(m_preview, &TFormWebBrowser::placementChanged, this,
            [this] { m_settings.PreviewPlacement = m_preview->placement(); });
    }
    return *m_preview;
}

void TFormMain::bindTags()
{
    if (m_tagsBound)
        return;
    m_tagsBound = true;
    connect(m_c.reSource, &QsciScintilla::selectionChanged, this, &TFormMain::reSourceSelectionChange);
    // Every change of the panel's focused item runs the automatic preview's click handler. The
    // panel moves its model's focus on the same signal and connected first, so the model is
    // up to date here.
    connect(m_c.lvFiles, &QListWidget::currentRowChanged, this, [this] { tbWebBrowserClick(); });
    // F3 in the list shows the focused item in the preview window; while the interactive run
    // waits at a match, F3 keeps its meaning there ("search further").
    m_panelPreviewKey = new KeyFilter(
        m_c.lvFiles, Qt::Key_F3, Qt::NoModifier, [this] { return !m_c.miIgnore->isEnabled(); },
        [this] {
            const filepanel::FilePanel& panel = m_panel->model();
            if (!passControl().IsBusy() && panel.focusedIndex() >= 0)
                ShowInPreview(panel.itemPath(panel.focusedIndex()));
        });
}

void TFormMain::UpdateTagCommands()
{
    bindTags();
    const bool html = editor::IsHtmlFileName(FromDisplay(m_c.stSource->text()));
    m_c.miFindTag->setEnabled(html);
    m_c.miSelectTag->setEnabled(html);
}

void TFormMain::reSourceSelectionChange()
{
    // While a pass, a tag command or the colouring changes the selection the command state
    // waits for its end.
    if (passControl().IsBusy() || ColouringActive())
        return;
    m_c.miSelectToWebBrowser->setEnabled(sourceEditor().selLength() > 0);
}

void TFormMain::miFindTagClick()
{
    bindTags();
    if (passControl().IsBusy())
        return;
    SetBusy(true);
    SourceEditor& editor = sourceEditor();
    const editor::TextSelection partner = editor::FindPairedTag(editor.text(), SelectionOf(editor));
    editor.setSelection(partner.start, partner.length);
    SetBusy(false);
    m_c.miSelectToWebBrowser->setEnabled(editor.selLength() > 0);
}

void TFormMain::miSelectTagClick()
{
    bindTags();
    if (passControl().IsBusy())
        return;
    SetBusy(true);
    SourceEditor& editor = sourceEditor();
    const std::string text = editor.text();
    const editor::TagBlock block = editor::SelectTagBlock(text, SelectionOf(editor));
    editor.setSelection(block.selection.start, block.selection.length);
    if (block.blockSelected && m_preview != nullptr && m_preview->isVisible())
        PreviewText(text.substr(
            static_cast<size_t>(block.selection.start), static_cast<size_t>(block.selection.length)));
    SetBusy(false);
    m_c.miSelectToWebBrowser->setEnabled(editor.selLength() > 0);
}

void TFormMain::miSelectToWebBrowserClick()
{
    bindTags();
    SourceEditor& editor = sourceEditor();
    if (editor.selLength() <= 0 || m_c.stSource->text().isEmpty())
        return;
    const std::string selected = editor.text().substr(
        static_cast<size_t>(editor.selStart()), static_cast<size_t>(editor.selLength()));
    if (PreviewText(selected))
        previewWindow().showPreview(m_settings.PreviewPlacement);
}

bool TFormMain::PreviewText(const std::string& text)
{
    const std::filesystem::path source = PathFromText(FromDisplay(m_c.stSource->text()));
    const std::filesystem::path file = source.parent_path() / kPreviewFileName;
    search::WorkTextEditor& writer = workTextEditor();
    writer.setCodePage(ChosenCodePage(m_c.cbCodePage));
    if (auto error = writer.WriteTextFile("<html>\r\n" + text + "\r\n</html>", file)) {
        m_dialogs->ShowMessage(error->message);
        return false;
    }
    if (!m_previewFile.empty() && m_previewFile != file)
        removePreviewFile();
    m_previewFile = file;
    ShowFileInBrowser(previewWindow().browser(), file, writer.targetCodePage(), BrowserContent::Html);
    return true;
}

void TFormMain::ShowInPreview(const std::filesystem::path& path)
{
    TFormWebBrowser& window = previewWindow();
    ShowFileInBrowser(window.browser(), path, panelCodePage(), ContentOfFile(path));
    window.showPreview(m_settings.PreviewPlacement);
}

bool TFormMain::ClosePreviewIfVisible()
{
    if (m_preview == nullptr || !m_preview->isVisible())
        return false;
    m_preview->close();
    return true;
}

void TFormMain::removePreviewFile()
{
    if (m_previewFile.empty())
        return;
    std::error_code ec;
    std::filesystem::remove(m_previewFile, ec);
    m_previewFile.clear();
}

void TFormMain::previewClosed()
{
    removePreviewFile();
    // Closing the preview releases the automatic preview; the handler makes the page follow.
    if (m_c.tbWebBrowser->isChecked()) {
        m_c.miWebBrowser->setChecked(false);
        tbWebBrowserClick();
    }
}

void TFormMain::showPreviewTab(bool shown)
{
    // Only a real change goes to the tab bar: setting a tab's visibility to what it already is
    // clears the tab bar's pending relayout, so captions set while the page was hidden would be
    // drawn in tabs sized for no text.
    const int index = m_c.PageControlWork->indexOf(m_c.TabSheetWeb);
    if (m_c.PageControlWork->isTabVisible(index) != shown)
        m_c.PageControlWork->setTabVisible(index, shown);
}

void TFormMain::tbWebBrowserClick()
{
    bindTags();
    const bool down = m_c.tbWebBrowser->isChecked();
    showPreviewTab(down);
    if (passControl().IsBusy() || !down)
        return;
    const filepanel::FilePanel& panel = m_panel->model();
    if (!panel.focusedIsFile())
        return;
    const std::filesystem::path file = panel.itemPath(panel.focusedIndex());
    m_c.stViewFile->setText(ToDisplay(app::PathText(file)));
    ShowFileInBrowser(m_c.WebBrowserView, file, panelCodePage(), ContentOfFile(file));
    m_c.PageControlWork->setCurrentWidget(m_c.TabSheetWeb);
}

int TFormMain::panelCodePage() const
{
    // Files are read as the passes read them: in the editor's code page, or detected.
    const int codePage = search::CodePageOfChoice(ChosenCodePage(m_c.cbCodePage));
    return codePage >= 0 ? codePage : kDetectCodePage;
}

} // namespace morvane::ui
