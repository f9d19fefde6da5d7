// The report list's window side. Tests: tests/ui/tst_passes.cpp.

#include "ui/ReportView.h"

#include "app/FileError.h"
#include "app/Format.h"
#include "codepage/CodePage.h"
#include "ui/DisplayText.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace morvane::ui {

namespace {

QString CountText(const std::optional<int>& count)
{
    return count ? QString::number(*count) : QString();
}

} // namespace

ReportView::ReportView(
    const FormMainControls& controls, search::ReportModel& model, ReportViewHooks hooks, QObject* parent)
    : QObject(parent)
    , m_c(controls)
    , m_model(model)
    , m_hooks(std::move(hooks))
{
    m_model.setObserver(this);
    // The model starts from the widths the list shows (the settings' widths once restored).
    m_model.setCountColumnWidth(search::ReportColumn::Found, m_c.lvReport->columnWidth(1));
    m_model.setCountColumnWidth(search::ReportColumn::Replaced, m_c.lvReport->columnWidth(2));

    QTreeWidget* list = m_c.lvReport;
    list->installEventFilter(this);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { openFocused(); });
    connect(list, &QTreeWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
    connect(list, &QTreeWidget::itemClicked, this,
        [this] { m_c.sbReportPanel1->setText(ToDisplay(" " + app::PathText(focusedPath()))); });
    connect(list->header(), &QHeaderView::sectionResized, this, [this](int section, int, int width) {
        // The user dragged a count column, or the window restored its width.
        if (m_applyingWidths || section == 0)
            return;
        const auto column = section == 1 ? search::ReportColumn::Found : search::ReportColumn::Replaced;
        if (width > 0)
            m_model.setCountColumnWidth(column, width);
    });
    // The file buttons act on the rows selected in the list, so clicking one must not take the
    // focus from it (leaving the list disables them).
    for (QPushButton* button : { m_c.sbView, m_c.sbEdit, m_c.sbCopy, m_c.sbMove, m_c.sbDelete })
        button->setFocusPolicy(Qt::NoFocus);
}

ReportView::~ReportView()
{
    m_model.setObserver(nullptr);
}

void ReportView::setReplacedCaption(const std::string& caption)
{
    m_c.lvReport->headerItem()->setText(2, ToDisplay(caption));
}

std::vector<std::filesystem::path> ReportView::selectedPaths() const
{
    std::vector<std::filesystem::path> paths;
    const auto& rows = m_model.rows();
    for (int i = 0; i < m_c.lvReport->topLevelItemCount() && i < m_model.rowCount(); ++i) {
        if (m_c.lvReport->topLevelItem(i)->isSelected())
            paths.push_back(rows[static_cast<size_t>(i)].path);
    }
    return paths;
}

std::filesystem::path ReportView::focusedPath() const
{
    const int row = m_c.lvReport->indexOfTopLevelItem(m_c.lvReport->currentItem());
    if (row < 0 || row >= m_model.rowCount())
        return {};
    return m_model.rows()[static_cast<size_t>(row)].path;
}

void ReportView::openFocused()
{
    const std::filesystem::path path = focusedPath();
    if (!path.empty() && m_hooks.openFile)
        m_hooks.openFile(path);
}

void ReportView::insertKey()
{
    QTreeWidget* list = m_c.lvReport;
    QTreeWidgetItem* current = list->currentItem();
    if (current == nullptr)
        return;
    current->setSelected(true);
    QTreeWidgetItem* next = list->itemBelow(current);
    if (next == nullptr)
        return;
    list->setCurrentItem(next, 0, QItemSelectionModel::NoUpdate);
    next->setSelected(true);
}

void ReportView::selectionChanged()
{
    QTreeWidget* list = m_c.lvReport;
    const int selected = static_cast<int>(list->selectedItems().size());
    setFileButtons(selected > 0);
    const int focused = list->indexOfTopLevelItem(list->currentItem()) + 1;
    m_c.sbReportPanel0->setText(ToDisplay(app::FillMessage(
        codepage::Utf8ToWin1251("%d/%d из %d"), { focused, selected, list->topLevelItemCount() })));
    m_c.sbReportPanel1->setText(ToDisplay(" " + app::PathText(focusedPath())));
}

void ReportView::setFileButtons(bool enabled)
{
    for (QPushButton* button : { m_c.sbView, m_c.sbEdit, m_c.sbCopy, m_c.sbMove, m_c.sbDelete })
        button->setEnabled(enabled);
    for (QAction* item : { m_c.miView, m_c.miEdit, m_c.miCopy, m_c.miMove, m_c.miDelete })
        item->setEnabled(enabled);
}

void ReportView::reportCleared()
{
    m_c.lvReport->clear();
    m_c.sbReportPanel0->clear();
    m_c.sbReportPanel1->clear();
}

void ReportView::reportRowAdded(int row)
{
    const search::ReportRow& data = m_model.rows()[static_cast<size_t>(row)];
    auto* item = new QTreeWidgetItem(m_c.lvReport);
    // A file the pass left as it was says why after its path.
    const std::string note = data.note.empty() ? std::string() : ": " + data.note;
    item->setText(0, ToDisplay(app::PathText(data.path) + note));
    if (!data.note.empty())
        item->setToolTip(0, ToDisplay(data.note));
    item->setText(1, CountText(data.found));
    item->setText(2, CountText(data.replaced));
    item->setTextAlignment(1, Qt::AlignCenter);
    item->setTextAlignment(2, Qt::AlignCenter);
}

void ReportView::reportColumnsChanged()
{
    applyWidths();
    if (m_hooks.widthsRemembered) {
        m_hooks.widthsRemembered(m_model.rememberedWidth(search::ReportColumn::Found),
            m_model.rememberedWidth(search::ReportColumn::Replaced));
    }
}

void ReportView::applyWidths()
{
    // The name column stretches over what the count columns leave.
    m_applyingWidths = true;
    m_c.lvReport->setColumnWidth(1, m_model.columnWidth(search::ReportColumn::Found));
    m_c.lvReport->setColumnWidth(2, m_model.columnWidth(search::ReportColumn::Replaced));
    m_applyingWidths = false;
}

bool ReportView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_c.lvReport) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return listKey(static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
            setFileButtons(!m_c.lvReport->selectedItems().isEmpty());
            m_c.miCreateDir->setEnabled(false);
            m_c.miCreateDir->setVisible(false);
            break;
        case QEvent::FocusOut:
            for (QPushButton* button : { m_c.sbView, m_c.sbEdit, m_c.sbCopy, m_c.sbMove, m_c.sbDelete })
                button->setEnabled(false);
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool ReportView::listKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods
        = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int key = event->key();
    if (mods == Qt::ControlModifier && key == Qt::Key_A) {
        m_c.lvReport->selectAll();
        return true;
    }
    if (mods == Qt::ControlModifier && key == Qt::Key_D) {
        m_c.lvReport->clearSelection();
        return true;
    }
    if (mods == Qt::ShiftModifier)
        return true;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        openFocused();
        return true;
    case Qt::Key_Insert:
        insertKey();
        return true;
    case Qt::Key_Delete:
        if (m_hooks.deleteRows)
            m_hooks.deleteRows();
        return true;
    default:
        return false;
    }
}

} // namespace morvane::ui
