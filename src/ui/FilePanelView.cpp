// The file panel's window side. Covered by tests/ui/tst_filepanel.cpp.

#include "ui/FilePanelView.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "filepanel/TDirChangeNotifier.h"
#include "ui/DisplayText.h"
#include "ui/EditItem.h"
#include "ui/FilePanelDispatcher.h"
#include "ui/FilePanelIcons.h"
#include "ui/TFormSelectFiles.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QToolButton>

namespace morvane::ui {

namespace {

QString NameText(const std::string& name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString PathDisplay(const std::filesystem::path& path)
{
    return NameText(path.string());
}

} // namespace

FilePanelView::FilePanelView(const FormMainControls& controls, QWidget* window)
    : QObject(window)
    , m_c(controls)
    , m_window(window)
    , m_model(std::make_unique<filepanel::FilePanel>(*this))
    , m_icons(std::make_unique<FilePanelIcons>(window->style()))
{
    m_selectFiles = new TFormSelectFiles(window);
    m_editItem = new EditItem(m_c.lvFiles->viewport());
    connect(m_editItem, &EditItem::renameRequested, this, &FilePanelView::renameEntered);
    connect(m_editItem, &EditItem::closed, this, [this] { focusList(); });

    m_maskQuery = [this](bool mark) -> std::optional<std::string> {
        m_selectFiles->setWindowTitle(ToDisplay(app::Msg(mark ? 55 : 56)));
        if (m_selectFiles->exec() != QDialog::Accepted)
            return std::nullopt;
        return FromDisplay(m_selectFiles->maskText());
    };

    m_c.lvFiles->installEventFilter(this);
    m_c.lvFiles->viewport()->installEventFilter(this);
    m_c.lvFiles->setMouseTracking(true);
    m_c.cbMask->installEventFilter(this);
    if (m_c.cbMask->lineEdit() != nullptr)
        m_c.cbMask->lineEdit()->installEventFilter(this);
    connect(m_c.lvFiles, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_syncing && row >= 0 && row != m_model->focusedIndex())
            m_model->focusItem(row);
    });
}

FilePanelView::~FilePanelView()
{
    stopWatcher();
}

bool FilePanelView::isBusy() const
{
    return m_listingBusy || (m_passBusy && m_passBusy());
}

// ---- start-up and the watcher ----

void FilePanelView::start(std::vector<std::string> selection, const std::filesystem::path& directory)
{
    m_model->setStartingUp(true);
    m_drives = filepanel::MountPoints();
    m_c.cbDrive->clear();
    for (const std::filesystem::path& drive : m_drives)
        m_c.cbDrive->addItem(PathDisplay(drive));

    if (m_c.sbSortName->isChecked())
        m_model->setSortMode(filepanel::SortMode::Name);
    else if (m_c.sbSortDate->isChecked())
        m_model->setSortMode(filepanel::SortMode::Date);
    else if (m_c.sbSortSize->isChecked())
        m_model->setSortMode(filepanel::SortMode::Size);
    else
        m_model->setSortMode(filepanel::SortMode::Type);

    std::vector<std::string> history;
    for (int i = 0; i < m_c.cbMask->count(); ++i)
        history.push_back(FromDisplay(m_c.cbMask->itemText(i)));
    if (!history.empty())
        m_model->maskHistory() = filepanel::MaskHistory(std::move(history));
    const std::string mask = FromDisplay(m_c.cbMask->currentText());
    m_model->setMaskText(mask.empty() ? std::string("*.*") : mask);
    m_model->setProcessHidden(m_c.miHideFiles->isChecked());

    m_model->setSelectionList(std::move(selection));
    if (!m_model->ChangeDirectory(directory))
        m_model->ChangeDirectory("/");
    m_model->setStartingUp(false);
    m_model->ShowDriveSpace();
    syncMaskBox();
    sync();
}

void FilePanelView::startWatcher()
{
    stopWatcher();
    m_dispatcher = new FilePanelDispatcher(this);
    m_notifier = std::make_unique<filepanel::TDirChangeNotifier>(m_dispatcher->dispatcher());
    m_notifier->setRoot(m_model->currentDirectory());
    m_model->setNotifier(m_notifier.get());
    // The hidden button's click is the change handler, as the window has always had it.
    QToolButton* button = m_c.tbAutoRefresh;
    m_notifier->setOnChange([button] { button->click(); });
}

void FilePanelView::stopWatcher()
{
    m_model->setNotifier(nullptr);
    // The hand-off is closed first, so a watcher blocked in it is released; then the watcher
    // is told to end, which it does by itself.
    if (m_dispatcher != nullptr)
        m_dispatcher->close();
    m_notifier.reset();
    delete m_dispatcher;
    m_dispatcher = nullptr;
}

void FilePanelView::autoRefreshClick()
{
    if (m_notifier != nullptr)
        m_model->setRefreshPending();
}

bool FilePanelView::consumePendingRefresh()
{
    if (!m_model->refreshIfPending())
        return false;
    sync();
    return true;
}

// ---- the panel's controls ----

void FilePanelView::sortClick()
{
    filepanel::SortMode mode = filepanel::SortMode::Type;
    if (m_c.sbSortName->isChecked())
        mode = filepanel::SortMode::Name;
    else if (m_c.sbSortDate->isChecked())
        mode = filepanel::SortMode::Date;
    else if (m_c.sbSortSize->isChecked())
        mode = filepanel::SortMode::Size;
    m_model->setSortMode(mode);
    sync();
}

void FilePanelView::driveChange()
{
    const int index = m_c.cbDrive->currentIndex();
    if (m_model->startingUp() || index < 0 || index >= static_cast<int>(m_drives.size()))
        return;
    m_model->selectDrive(m_drives[static_cast<size_t>(index)]);
    sync();
    focusList();
}

void FilePanelView::maskChosen()
{
    const std::string text = FromDisplay(m_c.cbMask->currentText());
    const bool differs = text != m_model->lastListedMask();
    m_model->maskChosen(text);
    sync();
    if (differs)
        focusList();
}

void FilePanelView::maskEntered()
{
    const std::string text = FromDisplay(m_c.cbMask->currentText());
    const bool differs = text != m_model->lastListedMask();
    m_model->maskEntered(text);
    syncMaskBox();
    sync();
    if (differs)
        focusList();
}

void FilePanelView::maskLeft()
{
    const std::string text = FromDisplay(m_c.cbMask->currentText());
    m_model->maskLeft(text);
    if (m_c.cbMask->currentText().isEmpty())
        m_c.cbMask->setEditText(ToDisplay(m_model->maskText()));
    sync();
}

void FilePanelView::hideFilesClick()
{
    m_model->setProcessHidden(m_c.miHideFiles->isChecked());
    sync();
}

bool FilePanelView::beginRename()
{
    const int index = m_model->focusedIndex();
    if (index < 0 || index >= m_model->count() || m_model->items()[static_cast<size_t>(index)].isParent())
        return false;
    QListWidgetItem* item = m_c.lvFiles->item(index);
    if (item == nullptr)
        return false;
    m_c.lvFiles->scrollToItem(item);
    QRect rect = m_c.lvFiles->visualItemRect(item);
    // Over the caption: right of the box and the icon.
    const int iconWidth = m_c.lvFiles->iconSize().isValid()
        ? m_c.lvFiles->iconSize().width()
        : m_window->style()->pixelMetric(QStyle::PM_SmallIconSize);
    const int indent = m_window->style()->pixelMetric(QStyle::PM_IndicatorWidth) + iconWidth + 8;
    rect.setLeft(rect.left() + indent);
    m_editItem->open(rect, NameText(m_model->items()[static_cast<size_t>(index)].name), index);
    return true;
}

void FilePanelView::renameEntered(int index, const QString& text)
{
    if (index >= 0 && !text.isEmpty())
        m_model->renameItem(index, text.toUtf8().toStdString());
    sync();
    focusList();
}

void FilePanelView::selectFilesCommand(bool mark)
{
    if (isBusy() || !m_maskQuery)
        return;
    const std::optional<std::string> mask = m_maskQuery(mark);
    if (!mask)
        return;
    m_model->markByMask(*mask, mark);
    sync();
}

// ---- keys and clicks ----

bool FilePanelView::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_c.lvFiles && type == QEvent::KeyPress)
        return listKey(static_cast<QKeyEvent*>(event));
    if (watched == m_c.lvFiles && type == QEvent::ShortcutOverride) {
        // Keys the list uses itself must not reach the window's shortcuts first; the same keys
        // with other modifiers (Alt+Backspace: restore) are the window's.
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods
            = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        const bool ctrlKey = mods == Qt::ControlModifier
            && (key->key() == Qt::Key_A || key->key() == Qt::Key_D || key->key() == Qt::Key_R);
        const bool plainKey
            = mods == Qt::NoModifier && (key->key() == Qt::Key_Insert || key->key() == Qt::Key_Backspace);
        if (ctrlKey || plainKey) {
            event->accept();
            return true;
        }
    }
    if (watched == m_c.lvFiles->viewport()
        && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick))
        return listMouse(static_cast<QMouseEvent*>(event), type == QEvent::MouseButtonDblClick);
    if (watched == m_c.lvFiles && type == QEvent::FocusIn) {
        m_c.miCreateDir->setVisible(true);
        m_c.miCreateDir->setEnabled(true);
        syncCommandStates();
    }

    const bool maskBox = watched == m_c.cbMask || watched == m_c.cbMask->lineEdit();
    if (maskBox && type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            maskEntered();
            return true;
        }
    }
    if (maskBox && type == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && !m_c.cbMask->hasFocus())
            maskLeft();
    }
    return QObject::eventFilter(watched, event);
}

bool FilePanelView::listKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods
        = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    const int key = event->key();
    filepanel::FilePanel& panel = *m_model;

    if (mods == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_Insert:
            panel.toggleMarkAndAdvance();
            break;
        case Qt::Key_Space:
            panel.computeDirectorySize();
            break;
        case Qt::Key_Backspace:
            panel.goToParent();
            break;
        case Qt::Key_Delete:
            // The delete command of the panel's menu, with its confirmation; the item's state
            // decides whether it is enabled.
            if (m_c.miDelete->isEnabled())
                m_c.miDelete->trigger();
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            panel.activateFocused();
            break;
        case Qt::Key_Asterisk:
        case Qt::Key_Plus:
        case Qt::Key_Minus:
            if (!keypad)
                return false;
            if (key == Qt::Key_Asterisk)
                panel.invertMarks();
            else
                selectFilesCommand(key == Qt::Key_Plus);
            break;
        default:
            return false;
        }
    } else if (mods == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_A:
            panel.markAll();
            break;
        case Qt::Key_D:
            panel.unmarkAll();
            break;
        case Qt::Key_R:
            panel.refreshCommand();
            break;
        case Qt::Key_Backslash:
            panel.goToDriveRoot();
            break;
        default:
            return false;
        }
    } else if (mods == Qt::ShiftModifier && key == Qt::Key_F6) {
        beginRename();
        return true;
    } else if (mods == Qt::ShiftModifier && keypad
        && (key == Qt::Key_Asterisk || key == Qt::Key_Plus || key == Qt::Key_Minus)) {
        // Some keyboard layouts report the numpad operators with Shift.
        if (key == Qt::Key_Asterisk)
            panel.invertMarks();
        else
            selectFilesCommand(key == Qt::Key_Plus);
    } else {
        return false;
    }
    sync();
    return true;
}

bool FilePanelView::onCheckBox(int row, const QPoint& pos) const
{
    QListWidgetItem* item = m_c.lvFiles->item(row);
    if (item == nullptr)
        return false;
    QStyleOptionViewItem option;
    option.initFrom(m_c.lvFiles);
    option.rect = m_c.lvFiles->visualItemRect(item);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration
        | QStyleOptionViewItem::HasDisplay;
    option.decorationSize = m_c.lvFiles->iconSize();
    option.text = item->text();
    const QRect check
        = m_c.lvFiles->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, m_c.lvFiles);
    // ".." has no box, but a click where the box would be still means "up".
    return pos.x() >= option.rect.left() && pos.x() <= check.right();
}

bool FilePanelView::listMouse(QMouseEvent* event, bool doubleClick)
{
    if (event->button() != Qt::LeftButton)
        return false;
    const QPoint pos = event->position().toPoint();
    const int row = m_c.lvFiles->indexAt(pos).row();
    if (row < 0 || row >= m_model->count())
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    filepanel::FilePanel& panel = *m_model;
    if (doubleClick) {
        if (onCheckBox(row, pos))
            panel.checkBoxClick(row);
        else if (mods == Qt::NoModifier)
            panel.activateFocused();
    } else if (mods == Qt::ControlModifier) {
        panel.ctrlClick(row);
    } else if (mods == Qt::ShiftModifier) {
        panel.shiftClick(row);
    } else {
        const bool onBox = onCheckBox(row, pos);
        panel.plainClick(row);
        if (onBox)
            panel.checkBoxClick(row);
    }
    sync();
    focusList();
    return true;
}

// ---- drawing ----

void FilePanelView::fillItem(QListWidgetItem* item, const filepanel::FileItem& model)
{
    item->setText(NameText(model.name));
    item->setIcon(m_icons->iconFor(model));
    // The box is drawn from the check state, but the list never toggles it by itself: every
    // mark change goes through the model.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (model.stateImage == filepanel::StateImage::NoBox)
        item->setData(Qt::CheckStateRole, QVariant());
    else
        item->setData(Qt::CheckStateRole, model.marked ? Qt::Checked : Qt::Unchecked);
    QFont font = m_c.lvFiles->font();
    font.setBold(model.marked);
    item->setFont(font);
    if (model.marked) {
        item->setForeground(QColor(Qt::red));
        item->setBackground(QColor(Qt::yellow));
    } else {
        item->setData(Qt::ForegroundRole, QVariant());
        item->setData(Qt::BackgroundRole, QVariant());
    }
    std::string dir = m_model->currentDirectory().string();
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    item->setToolTip(NameText(dir + model.name));
}

void FilePanelView::syncList()
{
    QListWidget* list = m_c.lvFiles;
    const std::vector<filepanel::FileItem>& items = m_model->items();
    bool same = list->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < list->count(); ++i)
        same = list->item(i)->text() == NameText(items[static_cast<size_t>(i)].name);
    if (!same) {
        list->clear();
        for (const filepanel::FileItem& model : items) {
            auto* item = new QListWidgetItem(list);
            fillItem(item, model);
        }
    } else {
        for (int i = 0; i < list->count(); ++i)
            fillItem(list->item(i), items[static_cast<size_t>(i)]);
    }
    const int focused = m_model->focusedIndex();
    if (focused >= 0 && focused < list->count()) {
        list->setCurrentRow(focused);
        list->scrollToItem(list->item(focused));
    } else {
        list->setCurrentRow(-1);
    }
}

void FilePanelView::syncTexts()
{
    m_c.LabelDir->setText(ToDisplay(app::PathText(m_model->currentDirectory())));
    m_c.stCurDir->setText(ToDisplay(m_model->curDirText()));
    m_c.stCurDir->setToolTip(m_c.stCurDir->text());
    m_c.stDriveSize->setText(ToDisplay(m_model->driveSpaceText()));
    m_c.sbFileInfoPanel0->setText(ToDisplay(m_model->countsText()));
    m_c.sbFileInfoPanel1->setText(ToDisplay(m_model->fileInfoText()));
    for (size_t i = 0; i < m_drives.size(); ++i) {
        if (m_drives[i] == m_model->driveRoot())
            m_c.cbDrive->setCurrentIndex(static_cast<int>(i));
    }
}

void FilePanelView::syncMaskBox()
{
    const QString text = ToDisplay(m_model->maskText());
    m_c.cbMask->clear();
    for (const std::string& mask : m_model->maskHistory().items())
        m_c.cbMask->addItem(ToDisplay(mask));
    m_c.cbMask->setEditText(text);
}

void FilePanelView::syncCommandStates()
{
    // The start listing's focus is not the user's: the commands keep their initial states
    // until the user moves in the list or enters it.
    if (m_model->startingUp())
        return;
    const bool file = m_model->focusedIsFile();
    m_c.miView->setEnabled(file);
    m_c.miEdit->setEnabled(file);
    m_c.miLoadFile->setEnabled(file);
    m_c.tbLoadFile->setEnabled(file);
    const bool operands = m_model->hasOperands();
    m_c.miCopy->setEnabled(operands);
    m_c.miMove->setEnabled(operands);
    m_c.miDelete->setEnabled(operands);
}

void FilePanelView::sync()
{
    m_syncing = true;
    syncList();
    m_syncing = false;
    syncTexts();
}

void FilePanelView::focusList()
{
    if (!m_model->startingUp())
        m_c.lvFiles->setFocus(Qt::OtherFocusReason);
}

// ---- reactions the model asks for ----

void FilePanelView::listingStarted()
{
    // The pass status panels are cleared while the report can be seen.
    const int report = m_c.PageControlMain->indexOf(m_c.TabSheetReport);
    if (report >= 0 && m_c.PageControlMain->isTabVisible(report)) {
        m_c.sbInfoPanel0->clear();
        m_c.sbInfoPanel1->clear();
        m_c.sbReportPassPanel0->clear();
        m_c.sbReportPassPanel1->clear();
    }
}

void FilePanelView::focusedItemChanged()
{
    m_c.sbFileInfoPanel0->setText(ToDisplay(m_model->countsText()));
    m_c.sbFileInfoPanel1->setText(ToDisplay(m_model->fileInfoText()));
    syncCommandStates();
}

void FilePanelView::marksChanged()
{
    m_c.sbFileInfoPanel0->setText(ToDisplay(m_model->countsText()));
    syncCommandStates();
}

void FilePanelView::openWithAssociatedProgram(
    const std::filesystem::path& file, const std::filesystem::path& workingDir)
{
    QProcess::startDetached(QStringLiteral("xdg-open"), { PathDisplay(file) }, PathDisplay(workingDir));
}

} // namespace morvane::ui
