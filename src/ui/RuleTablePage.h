#pragma once
// The rule table page and the rule fields of the work page, bound to the rule table model: the
// grid (numbers, header, column widths, in-place edits, row drag, Ctrl+Insert and Ctrl+Delete),
// the two memos (wrap, Ctrl+A, Ctrl+D, Insert opening the insertion menus at the caret, the
// question when a changed memo is left), the three work fields with their drop-down lists that
// follow the grid's rows (Enter inserting "\r\n", Insert opening the menus, the checks on
// leaving), the two insertion menus, the quoting of metacharacters, the modifier boxes and
// replace-mode buttons, the character set fields, and the table file commands.
//
// The page owns the search engine, the rule compiler that configures it and the model that holds
// both stored tables. Every command runs on the model and then shows the model in the widgets
// again with their signals blocked, so a refill never feeds back into the model as an edit.
//
// Covered by tests/ui/tst_tablepage.cpp.

#include "regex/TRegex.h"
#include "rules/RuleCompiler.h"
#include "rules/RuleEditorHost.h"
#include "rules/RuleTableModel.h"

#include <QObject>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

class QKeyEvent;
class QMenu;
class QWidget;

namespace morvane::ui {

class RuleGridDelegate;
class TFormMain;
class TablePageDialogs;
struct FormMainControls;

class RuleTablePage : public QObject, public rules::RuleEditorHost {
    Q_OBJECT
public:
    // Binds the widgets of `window`; the window outlives the page (it is the page's parent).
    explicit RuleTablePage(TFormMain& window);
    ~RuleTablePage() override;

    regex::TRegex& engine() { return m_engine; }
    rules::RuleCompiler& compiler() { return m_compiler; }
    rules::RuleTableModel& model() { return m_model; }
    const rules::RuleTableModel& model() const { return m_model; }

    // Replaces the boxes and file dialogs (nullptr: the widget ones); not owned.
    void setDialogs(TablePageDialogs* dialogs);

    // ---- Start-up ----

    // At the creation of the window: the engine takes the locale's word characters and the
    // boxes follow the engine.
    void create();
    // At the show steps: loads the rule table (the path of the persisted caption, else the
    // default table beside the program), shows it, and applies the global settings and the
    // character fields to the engine.
    void show(const std::filesystem::path& programDir);

    // ---- Commands (all show the model again afterwards) ----

    void FillGrid();
    void setCurrentRow(int row);
    bool ValidateRules(bool multipass);
    void tbSaveTableClick();
    void tbLoadTableClick();
    void tbInsertToTableClick();
    void tbDeleteFromTableClick();
    void tbMoveTopClick();
    void tbMoveUpClick();
    void tbMoveDownClick();
    void tbMoveBottomClick();
    void sbAddToTableClick();
    void sbReplaceToTableClick();
    void tbInsertTableClick();
    void tbEditTableClick();
    // The item of pmFind / pmReplace with control name `name` inserts into its field.
    void insertPatternItem(std::string_view name);
    void insertTemplateItem(std::string_view name);
    // Quotes the metacharacters of the selection of the focused field: of MemoFind or
    // MemoReplace, and with `workFields` also of cbFind or cbReplace.
    void quoteFocusedSelection(bool workFields);
    // The five boxes and the three radio buttons changed.
    void modifierBoxesChanged();
    void replaceModeChanged();

    // ---- rules::RuleEditorHost ----

    void ShowMessage(const std::string& text) override;
    void FocusAndSelect(rules::RuleField field, int start, int length) override;
    void ShowError(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const std::string& title, const std::string& filter,
        const std::filesystem::path& initialPath) override;
    std::optional<std::filesystem::path> ChooseOpenFile(const std::string& title, const std::string& filter,
        const std::filesystem::path& initialPath) override;
    bool IsBusy() const override;
    bool IsReplaceWaiting() const override;
    void EndWaitingReplace() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectWidgets();
    // Runs a model command with the grid's current width, then shows the model.
    void run(const std::function<void()>& command);
    // Shows the model in the grid, the memos, the three fields and the move buttons.
    void showModel();
    void showGrid();
    void showFields();
    void applyColumnWidths();
    // The grid's client width into the model, when the grid is laid out on the screen.
    void takeClientWidth();
    // The grid's first show: its columns are sized from its real width.
    void gridShown();
    void syncTablePathCaption();
    QWidget* fieldWidget(rules::RuleField field) const;
    // The field of a widget that has the focus (the combo box or its line edit), if any.
    std::optional<rules::RuleField> fieldOf(QWidget* widget) const;
    QWidget* focusedControl() const;
    void popupMenuAtCaret(QMenu* menu, QWidget* control);
    bool handleKey(QObject* watched, QKeyEvent* event);
    void handleFocusOut(QObject* watched);
    void memoEdited(rules::RuleField field);
    void cellEditFinished(const QString& text);
    void rowDragged(int oldVisual, int newVisual);

    TFormMain& m_window;
    const FormMainControls& m_c;
    QPointer<QWidget> m_alive; // cleared when the window starts dying
    regex::TRegex m_engine;
    rules::RuleCompiler m_compiler { m_engine };
    rules::RuleTableModel m_model { m_compiler, *this };
    std::unique_ptr<TablePageDialogs> m_ownDialogs;
    TablePageDialogs* m_dialogs = nullptr;
    RuleGridDelegate* m_delegate = nullptr;
    bool m_showing = false; // the widgets are being set from the model
    bool m_columnsSized = false; // gridShown has sized the columns
    bool m_leaving = false; // a field's leave check is running
};

} // namespace morvane::ui
