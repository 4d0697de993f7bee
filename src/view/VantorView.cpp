#include "VantorView.h"

#include "CollectionCommand.h"
#include "CommandIds.h"
#include "Prompts.h"
#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalEditDialog.h"
#include "SignalRowModel.h"
#include "VantorDoc.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelection>
#include <QMenu>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QScrollBar>
#include <QToolTip>
#include <QUndoStack>

#include <algorithm>

CVantorView::CVantorView(CVantorDoc* doc, QWidget* parent)
    : QTableView(parent), CCommandTarget(CommandOwner::View), m_pDoc(doc),
      m_pModel(new CSignalRowModel(doc, this)), m_pUndo(new QUndoStack(this)) {
    OnCommandRange(
        ID_FILTER_ALL, ID_FILTER_PSK_MULTICARRIER, [this](std::uint32_t id) { OnFilter(id); },
        [this](std::uint32_t id, QAction& action) {
            action.setCheckable(true);
            action.setChecked(id == m_pModel->Filter());
        });
    OnCommand(ID_SIGNAL_NEW, [this](std::uint32_t) { OnSignalNew(); });
    OnCommand(ID_SIGNAL_DELETE, [this](std::uint32_t) { OnSignalDelete(); });
    OnCommand(ID_SIGNAL_ENABLE, [this](std::uint32_t) { OnSignalEnable(); });
    OnCommand(ID_SIGNAL_DISABLE, [this](std::uint32_t) { OnSignalDisable(); });
    OnCommand(ID_EDIT_SELECT_ALL, [this](std::uint32_t) { OnEditSelectAll(); });
    const auto needsSelection = [this](std::uint32_t, QAction& action) {
        action.setEnabled(selectionModel()->hasSelection());
    };
    const auto needsCurrent = [this](std::uint32_t, QAction& action) {
        action.setEnabled(currentIndex().isValid());
    };
    OnCommand(
        ID_EDIT_COPY, [this](std::uint32_t) { OnEditCopy(); }, needsSelection);
    OnCommand(
        ID_EDIT_CUT, [this](std::uint32_t) { OnEditCut(); }, needsSelection);
    OnCommand(ID_EDIT_PASTE, [this](std::uint32_t) { OnEditPaste(); });
    OnCommand(
        ID_SIGNAL_EDIT, [this](std::uint32_t) { EditRow(currentIndex().row()); }, needsCurrent);
    OnCommand(
        ID_SIGNAL_DUPLICATE, [this](std::uint32_t) { OnSignalDuplicate(); }, needsCurrent);
    OnCommand(ID_FILE_EXPORT, [this](std::uint32_t) { OnFileExport(); });
    // The menu names the change an Undo or Redo takes back or makes again.
    const auto historyItem = [this](bool redo) {
        return [this, redo](std::uint32_t, QAction& action) {
            const bool can = redo ? m_pUndo->canRedo() : CanUndo();
            const QString step = redo ? m_pUndo->redoText() : m_pUndo->undoText();
            action.setEnabled(can);
            action.setText((redo ? QStringLiteral("&Redo") : QStringLiteral("&Undo")) +
                           (can ? u' ' + step : QString()) +
                           (redo ? QStringLiteral("\tCtrl+Y") : QStringLiteral("\tCtrl+Z")));
        };
    };
    OnCommand(
        ID_EDIT_UNDO,
        [this](std::uint32_t) {
            if (CanUndo())
                m_pUndo->undo();
        },
        historyItem(false));
    OnCommand(
        ID_EDIT_REDO, [this](std::uint32_t) { m_pUndo->redo(); }, historyItem(true));
    // The history decides whether the database differs from its file.
    connect(m_pUndo, &QUndoStack::cleanChanged, this,
            [this](bool clean) { m_pDoc->SetModifiedFlag(!clean); });
    connect(doc, &CVantorDoc::recordsMerged, this, &CVantorView::OnRecordsMerged);
    connect(doc, &CVantorDoc::aboutToRearrange, this, [this] { m_pending = TakeSelection(); });
    connect(doc, &CVantorDoc::documentSaved, m_pUndo, &QUndoStack::setClean);
    // Recovered changes stay unsaved whatever is undone: only a save makes the history clean.
    connect(doc, &CVantorDoc::openedAsChanges, m_pUndo, &QUndoStack::resetClean);
    setModel(m_pModel);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setDefaultSectionSize(100);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsClickable(true);
    ShowSortOrder();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        CPrompts::Guard(this, [this, column] { OnColumnClick(column); });
    });
    connect(doc, &CVantorDoc::recordsReplaced, this, &CVantorView::OnRecordsReplaced);
    connect(doc, &CVantorDoc::documentUpdated, this, [this] {
        // A merge keeps the held records: their selection stays. New and Open drop it.
        if (m_bRecordsReplaced) {
            m_bRecordsReplaced = false;
            m_pending.reset();
            RebuildRows();
        } else {
            // An undo or redo rearranged the records: the selection was taken before.
            const KeptSelection kept = m_pending ? *m_pending : TakeSelection();
            m_pending.reset();
            RebuildRows();
            RestoreSelection(kept);
        }
        ShowSortOrder();
    });
}

CVantorView::~CVantorView() {
    // The history goes first, unheard: clearing it must neither reach a view half destroyed
    // nor touch the document's modified flag.
    disconnect(m_pUndo, nullptr, this, nullptr);
    delete m_pUndo;
}

void CVantorView::ShowSortOrder() {
    // The arrow shows only while the rows follow it: open sorts by name, merge appends.
    const CVantorDoc::SortOrder& order = m_pDoc->GetSortOrder();
    horizontalHeader()->setSortIndicatorShown(order.known);
    if (!order.known)
        return;
    m_nSortColumn = order.column;
    m_bSortDescending = order.descending;
    horizontalHeader()->setSortIndicator(m_nSortColumn, m_bSortDescending ? Qt::DescendingOrder
                                                                          : Qt::AscendingOrder);
}

void CVantorView::RebuildRows() {
    m_pModel->RebuildRows();
}

void CVantorView::OnColumnClick(int column) {
    if (column < 0)
        return;
    // A click on the arrow's column reverses the order; any other click sorts ascending.
    m_bSortDescending =
        m_pDoc->GetSortOrder().known && column == m_nSortColumn && !m_bSortDescending;
    m_nSortColumn = column;
    // A million records take a moment to sort: show that the click was heard.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    const KeptSelection kept = TakeSelection();
    m_pDoc->SortSignals(column, m_bSortDescending);
    RebuildRows();
    RestoreSelection(kept);
    ShowSortOrder();
}

void CVantorView::OnFilter(std::uint32_t id) {
    const KeptSelection kept = TakeSelection();
    m_pModel->SetFilter(id);
    RestoreSelection(kept);
}

void CVantorView::SetFindText(const QString& text) {
    if (text == m_pModel->FindText())
        return;
    const KeptSelection kept = TakeSelection();
    m_pModel->SetFindText(text);
    RestoreSelection(kept);
}

CVantorView::KeptSelection CVantorView::TakeSelection() const {
    KeptSelection kept;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            kept.selected.insert(m_pModel->SignalAt(row));
    }
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        kept.current = m_pModel->SignalAt(current.row());
        kept.column = current.column();
    }
    return kept;
}

void CVantorView::RestoreSelection(const KeptSelection& kept) {
    // Rows of kept records, joined into ranges so that a million selected rows stay cheap.
    QItemSelection selection;
    int first = -1;
    const int rows = m_pModel->rowCount();
    const int lastColumn = m_pModel->columnCount() - 1;
    QModelIndex current;
    for (int row = 0; row <= rows; ++row) {
        const CSignalDescription* signal = row < rows ? m_pModel->SignalAt(row) : nullptr;
        const bool selected = signal && kept.selected.count(signal) != 0;
        if (selected && first < 0)
            first = row;
        if (!selected && first >= 0) {
            selection.select(m_pModel->index(first, 0), m_pModel->index(row - 1, lastColumn));
            first = -1;
        }
        if (signal && signal == kept.current)
            current = m_pModel->index(row, kept.column);
    }
    const int scroll = horizontalScrollBar()->value();
    if (current.isValid())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (current.isValid())
        ScrollToRowOnly(current);
    horizontalScrollBar()->setValue(scroll);
}

void CVantorView::ScrollToRowOnly(const QModelIndex& index) {
    // Only the rows scroll: a user working in a column far right keeps it in view.
    const int scroll = horizontalScrollBar()->value();
    scrollTo(index, QAbstractItemView::EnsureVisible);
    horizontalScrollBar()->setValue(scroll);
}

std::vector<int> CVantorView::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CVantorView::OnSignalNew() {
    auto signal = std::make_unique<CSignalDescription>();
    if (!CSignalEditDialog::Edit(this, *signal))
        return;
    std::vector<std::unique_ptr<CSignalDescription>> records;
    records.push_back(std::move(signal));
    AppendSignals(std::move(records), QStringLiteral("New Signal"));
}

void CVantorView::OnSignalDuplicate() {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    auto copy = std::make_unique<CSignalDescription>(*m_pModel->SignalAt(current.row()));
    copy->m_bMerged = false;
    if (!CSignalEditDialog::Edit(this, *copy))
        return;
    std::vector<std::unique_ptr<CSignalDescription>> records;
    records.push_back(std::move(copy));
    AppendSignals(std::move(records), QStringLiteral("Duplicate Signal"));
}

void CVantorView::AppendSignals(std::vector<std::unique_ptr<CSignalDescription>> records,
                                const QString& undoText) {
    if (records.empty())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : columnAt(0);
    auto command = std::make_unique<CCollectionCommand>(m_pDoc, undoText);
    std::vector<CSignalDescription*> before = m_pDoc->Order();
    const CVantorDoc::SortOrder sortBefore = m_pDoc->GetSortOrder();
    std::vector<CSignalDescription*> added;
    for (auto& record : records) {
        added.push_back(record.get());
        m_pDoc->AddSignal(std::move(record));
        m_pDoc->SignalEdited(added.back());
    }
    m_pDoc->SortSignals(m_nSortColumn, m_bSortDescending);
    command->SetOrders(std::move(before), sortBefore);
    PushStep(std::move(command));
    RebuildRows();
    ShowSortOrder();
    if (added.size() == 1)
        SelectSignalRow(added.front(), column);
    else
        SelectSignals(added);
}

void CVantorView::EditRow(int row) {
    if (row < 0 || row >= m_pModel->rowCount())
        return;
    CSignalDescription* signal = m_pModel->SignalAt(row);
    const CSignalDescription old = *signal;
    std::vector<CSignalDescription*> before = m_pDoc->Order();
    const CVantorDoc::SortOrder sortBefore = m_pDoc->GetSortOrder();
    if (!CSignalEditDialog::Edit(this, *signal))
        return;
    m_pDoc->SignalEdited(signal);
    AfterEdit(signal);
    auto command = std::make_unique<CCollectionCommand>(m_pDoc, QStringLiteral("Edit Signal"));
    command->AddValueChange(signal, old);
    command->SetOrders(std::move(before), sortBefore);
    PushStep(std::move(command));
}

void CVantorView::AfterEdit(const CSignalDescription* signal) {
    const int column = currentIndex().isValid() ? currentIndex().column() : columnAt(0);
    m_pDoc->SortSignals(m_nSortColumn, m_bSortDescending);
    RebuildRows();
    ShowSortOrder();
    SelectSignalRow(signal, column);
}

void CVantorView::OnSignalDelete() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    if (CPrompts::Message(this, QMessageBox::Warning, QStringLiteral("Warning"),
                          QStringLiteral("Do you really want to delete the selected items?"),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::Yes)
        return;
    DeleteSelected(QStringLiteral("Delete"));
}

void CVantorView::DeleteSelected(const QString& verb) {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const std::vector<CSignalDescription*> doomed = SelectedSignals();
    const std::unordered_set<const CSignalDescription*> gone(doomed.begin(), doomed.end());
    std::vector<CSignalDescription*> before = m_pDoc->Order();
    std::vector<CSignalDescription*> after;
    after.reserve(before.size() - gone.size());
    for (CSignalDescription* signal : before) {
        if (gone.count(signal) == 0)
            after.push_back(signal);
    }
    // One pass over the collection however many go; the command keeps them for Undo.
    SignalCollection removed;
    m_pDoc->Rearrange(after, removed);
    m_pending.reset();
    auto command = std::make_unique<CCollectionCommand>(m_pDoc, CountedText(verb, removed.size()));
    command->SetOrders(std::move(before), m_pDoc->GetSortOrder());
    command->KeepRemoved(std::move(removed));
    m_pDoc->SetModifiedFlag(true);
    PushStep(std::move(command));
    RebuildRows();
    selectionModel()->clear();
    // The row that took the place of the first deleted one becomes current.
    const int next = std::min(rows.front(), m_pModel->rowCount() - 1);
    if (next >= 0) {
        const QModelIndex index = m_pModel->index(next, column);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
        ScrollToRowOnly(index);
    }
}

void CVantorView::SetSelectedDisabled(bool disabled) {
    auto command = std::make_unique<CCollectionCommand>(m_pDoc, QString());
    std::size_t changed = 0;
    for (int row : SelectedRows()) {
        CSignalDescription* signal = m_pModel->SignalAt(row);
        if (signal->m_bDisabled == disabled)
            continue;
        signal->m_bDisabled = disabled;
        command->AddFlagChange(signal);
        m_pModel->RowsChanged(row, row);
        ++changed;
    }
    // A changed flag is work the user would lose on close: mark it.
    if (changed == 0)
        return;
    command->setText(
        CountedText(disabled ? QStringLiteral("Disable") : QStringLiteral("Enable"), changed));
    m_pDoc->SetModifiedFlag(true);
    PushStep(std::move(command));
}

std::vector<CSignalDescription*> CVantorView::SelectedSignals() const {
    std::vector<CSignalDescription*> records;
    for (int row : SelectedRows())
        records.push_back(m_pModel->SignalAt(row));
    return records;
}

void CVantorView::OnRecordsMerged(int count, const CVantorDoc::SortOrder& before) {
    std::vector<CSignalDescription*> order = m_pDoc->Order();
    order.resize(order.size() - static_cast<std::size_t>(count));
    auto command = std::make_unique<CCollectionCommand>(
        m_pDoc, CountedText(QStringLiteral("Merge"), static_cast<std::size_t>(count)));
    command->SetOrders(std::move(order), before);
    PushStep(std::move(command));
}

namespace {

constexpr std::size_t MinHistoryBound = std::size_t(256) << 20;

CCollectionCommand* Step(const QUndoStack* stack, int index) {
    // Every step of this history is a collection command, owned by the stack.
    return const_cast<CCollectionCommand*>(
        static_cast<const CCollectionCommand*>(stack->command(index)));
}

} // namespace

std::size_t CVantorView::HistoryBound() const {
    return std::max(MinHistoryBound, static_cast<std::size_t>(m_pDoc->GetSignalCount()) *
                                         sizeof(CSignalDescription));
}

std::size_t CVantorView::HistoryBytes() const {
    std::size_t bytes = 0;
    for (int i = 0; i < m_pUndo->count(); ++i)
        bytes += Step(m_pUndo, i)->Bytes();
    return bytes;
}

void CVantorView::PushStep(std::unique_ptr<CCollectionCommand> command) {
    m_pUndo->push(command.release());
    std::size_t bytes = HistoryBytes();
    const std::size_t bound = HistoryBound();
    // The newest step always stays.
    for (int i = 0; bytes > bound && i + 1 < m_pUndo->count(); ++i) {
        CCollectionCommand* step = Step(m_pUndo, i);
        if (step->IsReleased())
            continue;
        bytes -= step->Bytes();
        step->Release();
        bytes += step->Bytes();
    }
}

bool CVantorView::CanUndo() const {
    return m_pUndo->canUndo() && !Step(m_pUndo, m_pUndo->index() - 1)->IsReleased();
}

void CVantorView::OnRecordsReplaced() {
    m_bRecordsReplaced = true;
    m_pUndo->clear();
    // Each step may hold the order of every record: fewer steps for larger databases.
    const int count = std::max(m_pDoc->GetSignalCount(), 1);
    m_pUndo->setUndoLimit(std::clamp(16'000'000 / count, 10, 100));
}

void CVantorView::SelectSignals(const std::vector<CSignalDescription*>& records) {
    KeptSelection kept;
    kept.selected.insert(records.begin(), records.end());
    kept.current = records.empty() ? nullptr : records.front();
    kept.column = currentIndex().isValid() ? currentIndex().column() : std::max(columnAt(0), 0);
    RestoreSelection(kept);
}

void CVantorView::OnEditSelectAll() {
    const QModelIndex current = selectionModel()->currentIndex();
    selectAll();
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
}

void CVantorView::SelectSignalRow(const CSignalDescription* signal, int column) {
    selectionModel()->clear();
    const SignalCollection& records = m_pDoc->Signals();
    const auto it = std::find_if(records.begin(), records.end(),
                                 [signal](const auto& s) { return s.get() == signal; });
    if (it == records.end())
        return;
    const int row = m_pModel->RowOfPosition(static_cast<int>(it - records.begin()));
    if (row < 0)
        return;
    const QModelIndex index = m_pModel->index(row, std::max(column, 0));
    const int scroll = horizontalScrollBar()->value();
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    horizontalScrollBar()->setValue(scroll);
    ScrollToRowOnly(index);
}

void CVantorView::keyPressEvent(QKeyEvent* event) {
    const QKeySequence key(event->keyCombination());
    if (m_reservedKeys.contains(key)) {
        event->ignore();
        return;
    }
    // The keypad's Enter too.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && currentIndex().isValid()) {
        EditRow(currentIndex().row());
        return;
    }
    if (event->key() == Qt::Key_Menu ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        ShowContextMenuAtCurrent();
        return;
    }
    const bool homeOrEnd = event->key() == Qt::Key_Home || event->key() == Qt::Key_End;
    const int scroll = horizontalScrollBar()->value();
    QTableView::keyPressEvent(event);
    if (homeOrEnd)
        horizontalScrollBar()->setValue(scroll);
}

QModelIndex CVantorView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // Home and End go to the first and last row, with or without Ctrl, in the current
    // column: the list moves by rows, not along one row.
    if ((action == MoveHome || action == MoveEnd) && m_pModel->rowCount() > 0) {
        const int column = currentIndex().isValid() ? currentIndex().column() : columnAt(0);
        const int row = action == MoveHome ? 0 : m_pModel->rowCount() - 1;
        return m_pModel->index(row, std::max(column, 0));
    }
    return QTableView::moveCursor(action, modifiers);
}

void CVantorView::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse opens the menu on the button's release; the keyboard at the current row.
    if (event->reason() == QContextMenuEvent::Mouse) {
        event->ignore();
        return;
    }
    ShowContextMenuAtCurrent();
}

void CVantorView::ShowContextMenuAtCurrent() {
    if (!m_pContextMenu)
        return;
    QPoint at(0, 0);
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        const QRect cell = visualRect(current);
        if (viewport()->rect().intersects(cell))
            at = QPoint(std::max(cell.left(), 0), cell.bottom());
    }
    m_pContextMenu->popup(viewport()->mapToGlobal(at));
}

QString CVantorView::CellToolTip(const QModelIndex& index) const {
    if (!index.isValid())
        return {};
    const QString message = m_pModel->data(index, Qt::ToolTipRole).toString();
    const QString text = m_pModel->data(index, Qt::DisplayRole).toString();
    const int room = columnWidth(index.column()) -
                     2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const bool cut = text.contains(u'\n') || text.contains(u'\r') ||
                     viewport()->fontMetrics().horizontalAdvance(text) > room;
    if (!cut)
        return message;
    return message.isEmpty() ? text : message + u'\n' + text;
}

bool CVantorView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = CellToolTip(indexAt(help->pos()));
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(indexAt(help->pos())));
    return true;
}

void CVantorView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        EditRow(index.row());
}

void CVantorView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && m_pContextMenu)
        m_pContextMenu->popup(viewport()->mapToGlobal(event->position().toPoint()));
}
