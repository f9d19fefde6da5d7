// The main window's handlers for colouring by colouring tables and its set-up mode.
// Covered by tests/ui/tst_colour.cpp.

#include "ui/TFormMain.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "editor/ColourRun.h"
#include "editor/ColourRunControl.h"
#include "editor/ColourTable.h"
#include "search/InteractiveRun.h"
#include "search/PassControl.h"
#include "search/WorkTextEditor.h"
#include "ui/ColourBinding.h"
#include "ui/DisplayText.h"
#include "ui/EditorColouring.h"
#include "ui/InteractiveRunBinder.h"
#include "ui/QsciInclude.h"
#include "ui/RuleTablePage.h"
#include "ui/SourceEditor.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

#include <cstdint>
#include <optional>

namespace morvane::ui {

namespace {

// The run stops at the break command (the passes' abort request) and when colouring is
// switched off while it pumps.
class WindowColourRunControl : public editor::ColourRunControl {
public:
    WindowColourRunControl(search::PassControl& passControl, const QAction* colourOn)
        : m_passControl(passControl)
        , m_colourOn(colourOn)
    {
    }
    void PumpMessages() override { m_passControl.PumpMessages(); }
    bool AbortRequested() override { return m_passControl.AbortRequested() || !m_colourOn->isChecked(); }

private:
    search::PassControl& m_passControl;
    const QAction* m_colourOn;
};

// One text for all rules a run skipped: the table file, the line and the reason of each.
std::string ProblemsText(
    const std::filesystem::path& table, const std::vector<editor::ColourRuleProblem>& problems)
{
    std::string text;
    for (const editor::ColourRuleProblem& problem : problems) {
        if (!text.empty())
            text += "\r\n";
        text += app::PathText(table) + ", line " + std::to_string(problem.line) + ": " + problem.reason;
    }
    return text;
}

} // namespace

ColourBinding& TFormMain::colouring()
{
    if (m_colouring == nullptr) {
        m_colouring = new ColourBinding(this, m_c.reSource);
        m_colouring->onPreview = [this] { PreviewAttributes(); };
        m_colouring->onApply = [this] { ApplyAttributes(); };
    }
    return *m_colouring;
}

void TFormMain::setColourDialogs(ColourDialogs* dialogs)
{
    colouring().setDialogs(dialogs);
}

bool TFormMain::ColouringActive() const
{
    return m_colouring != nullptr && m_colouring->active;
}

void TFormMain::ColourEditor()
{
    ColourBinding& binding = colouring();
    // A click on the colouring button while a run pumps messages comes back here; the running
    // one sees the button and stops by itself.
    if (binding.active)
        return;
    // Started by itself, colouring is a command of its own: an Esc pressed while nothing ran
    // does not stop it. Started inside a pass (a file the run opened), the pass's request stands.
    search::PassControl& control = passControl();
    const bool insidePass = control.passLoopRunning();
    if (!insidePass)
        control.setAbortRequested(false);
    // While the run pumps messages the document is read-only: no command may load another
    // text into the viewer (or start a pass over it) until it has finished.
    const search::PassControl::PassLoop loop(control);
    binding.active = true;
    const bool waitCursorSet = QApplication::overrideCursor() == nullptr
        || QApplication::overrideCursor()->shape() != Qt::WaitCursor;
    if (waitCursorSet)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool wasReadOnly = m_c.reSource->isReadOnly();
    m_c.reSource->setReadOnly(true);

    if (!m_c.tbColour->isChecked()) {
        binding.editorColouring().clear();
    } else {
        rules::RuleTableModel& tables = tablePage().model();
        editor::ColourTableState table { tables.ColourList(), tables.ColourTablePath(), m_colourTableExt,
            tables.ColourTableModified() };
        const bool chosen = editor::ChooseColourTable(
            table, workTextEditor().sourcePath(), m_programDir, binding.dialogs());
        tables.ColourList() = std::move(table.lines);
        tables.setColourTablePath(std::move(table.path));
        m_colourTableExt = std::move(table.key);
        tables.setColourTableModified(table.modified);
        // Without a table for this extension the text keeps the colouring it has.
        if (chosen) {
            WindowColourRunControl control(passControl(), m_c.miColour);
            const editor::ColourRunResult result
                = editor::ColourText(binding.engine(), sourceEditor().text(), tables.ColourList(), control);
            // Colouring switched off while the run pumped: the switch wins.
            if (m_c.tbColour->isChecked())
                binding.editorColouring().apply(result.spans);
            else
                binding.editorColouring().clear();
            if (!result.problems.empty())
                binding.dialogs().ShowMessage(ProblemsText(tables.ColourTablePath(), result.problems));
        }
    }

    m_c.reSource->setReadOnly(wasReadOnly);
    if (!insidePass)
        control.setAbortRequested(false);
    binding.active = false;
    if (waitCursorSet)
        QApplication::restoreOverrideCursor();
}

void TFormMain::tbColourClick()
{
    if (m_c.tbSetColour->isChecked()) {
        m_c.tbSetColour->setChecked(false);
        tbSetColourClick();
    }
    ColourEditor();
    // miColour is tbColour's own action, so its check mark already follows the button.
}

void TFormMain::tbSetColourClick()
{
    if (m_c.tbSetColour->isChecked())
        enterColourSetup();
    else
        leaveColourSetup();
}

void TFormMain::enterColourSetup()
{
    workTextEditor().AskSaveEditor();
    if (m_c.tbColour->isChecked()) {
        m_c.tbColour->setChecked(false);
        ColourEditor();
    }
    rules::RuleTableModel& tables = tablePage().model();
    ColourDialogs& dialogs = colouring().dialogs();
    if (tables.ColourTableModified()) {
        if (dialogs.Confirm(app::Msg(78))) {
            if (auto error = rules::WriteTableFile(tables.ColourTablePath(), tables.ColourList()))
                dialogs.ShowMessage(error->message);
        }
        tables.setColourTableModified(false);
    }
    std::filesystem::path sample = workTextEditor().sourcePath();
    if (sample.empty()) {
        const std::optional<std::filesystem::path> chosen = dialogs.ChooseSampleFile(app::Msg(74));
        std::error_code ec;
        if (!chosen || !std::filesystem::is_regular_file(*chosen, ec)
            || !workTextEditor().LoadIntoEditor(*chosen)) {
            m_c.tbSetColour->setChecked(false);
            return;
        }
        sample = *chosen;
    }
    m_colourTableExt = editor::ColourExtensionKey(sample);
    tables.setColourTablePath(editor::ColourTableFile(m_programDir, m_colourTableExt));
    // A table that does not exist yet starts empty and is written when the user saves it.
    rules::LineList lines;
    std::error_code ec;
    if (std::filesystem::exists(tables.ColourTablePath(), ec)) {
        if (auto error = rules::ReadTableFile(tables.ColourTablePath(), lines))
            dialogs.ShowMessage(error->message);
    }
    tables.ColourList() = std::move(lines);
    tables.setShowsColourList(true);
    m_c.sbInsertToReplace->setToolTip(ToDisplay(app::Msg(72)));
    m_c.sbInsertToReplace->setIcon(m_c.sbImg->icon());
    interactiveRun().run().setColourSetup(&colouring());
    DisableConfirmButtons();
    refillGridKeepingMarks();
}

void TFormMain::leaveColourSetup()
{
    m_c.mmReplace->clear();
    m_c.mmReplace->setFont(m_c.LabelDir->font());
    QPalette palette = m_c.mmReplace->palette();
    palette.setColor(QPalette::Text, QApplication::palette().color(QPalette::Text));
    m_c.mmReplace->setPalette(palette);
    tablePage().model().setShowsColourList(false);
    m_c.sbInsertToReplace->setToolTip(ToDisplay(app::Msg(73)));
    m_c.sbInsertToReplace->setIcon(m_c.sbInsertToFind->icon());
    interactiveRun().run().setColourSetup(nullptr);
    DisableConfirmButtons();
    refillGridKeepingMarks();
}

void TFormMain::refillGridKeepingMarks()
{
    rules::RuleTableModel& tables = tablePage().model();
    const bool rulesModified = tables.RuleTableModified();
    const bool coloursModified = tables.ColourTableModified();
    tablePage().FillGrid();
    tables.setRuleTableModified(rulesModified);
    tables.setColourTableModified(coloursModified);
}

namespace {

// The replace field's attribute text, read; empty (and nothing to apply) when it cannot be.
std::optional<editor::ColourAttributes> ReplaceFieldAttributes(const QComboBox* field)
{
    return editor::ParseAttributeText(FromDisplay(field->currentText())).attributes;
}

// `font` with the style and size the attributes name (the font's own where they name none).
QFont WithAttributes(QFont font, const editor::ColourAttributes& attributes)
{
    if (attributes.style) {
        font.setBold(attributes.style->bold);
        font.setItalic(attributes.style->italic);
        font.setUnderline(attributes.style->underline);
        font.setStrikeOut(attributes.style->strikeOut);
    }
    if (attributes.size)
        font.setPointSize(*attributes.size);
    return font;
}

QColor ToQColor(const editor::Rgb& c)
{
    return QColor(c.red, c.green, c.blue);
}

} // namespace

void TFormMain::PreviewAttributes()
{
    const std::optional<editor::ColourAttributes> attributes = ReplaceFieldAttributes(m_c.cbReplace);
    if (!attributes)
        return;
    m_c.mmReplace->setFont(WithAttributes(m_c.mmReplace->font(), *attributes));
    QPalette palette = m_c.mmReplace->palette();
    palette.setColor(QPalette::Text, ToQColor(attributes->colour));
    m_c.mmReplace->setPalette(palette);
}

void TFormMain::ApplyAttributes()
{
    const editor::AttributeParse parsed
        = editor::ParseAttributeText(FromDisplay(m_c.cbReplace->currentText()));
    if (!parsed.attributes) {
        colouring().dialogs().ShowMessage(parsed.error);
        return;
    }
    SourceEditor& viewer = sourceEditor();
    colouring().editorColouring().applyRange(viewer.selStart(), viewer.selLength(), *parsed.attributes);
}

void TFormMain::colourAttributeDialog()
{
    if (passControl().IsBusy())
        return;
    QFont font = m_c.reSource->font();
    QColor colour(Qt::black);
    if (const std::optional<editor::ColourAttributes> attributes = ReplaceFieldAttributes(m_c.cbReplace)) {
        font = WithAttributes(font, *attributes);
        colour = ToQColor(attributes->colour);
    }
    const std::optional<ChosenAttributes> chosen = colouring().dialogs().ChooseAttributes(font, colour);
    if (!chosen)
        return;
    const QColor& c = chosen->colour;
    const editor::Rgb rgb { static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
        static_cast<std::uint8_t>(c.blue()) };
    const editor::FontStyles style { chosen->font.bold(), chosen->font.italic(), chosen->font.underline(),
        chosen->font.strikeOut() };
    m_c.cbReplace->setEditText(ToDisplay(editor::FormatAttributeText(rgb, style, chosen->font.pointSize())));
}

} // namespace morvane::ui
