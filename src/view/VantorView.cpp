#include "VantorView.h"

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
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

CVantorView::CVantorView(CVantorDoc* doc, QWidget* parent)
    : QTableView(parent), CCommandTarget(CommandOwner::View), m_pDoc(doc),
      m_pModel(new CSignalRowModel(doc, this)) {
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
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CVantorView::OnColumnClick);
    connect(doc, &CVantorDoc::recordsReplaced, this, [this] { m_bRecordsReplaced = true; });
    connect(doc, &CVantorDoc::documentUpdated, this, [this] {
        // A merge keeps the held records: their selection stays. New and Open drop it.
        if (m_bRecordsReplaced) {
            m_bRecordsReplaced = false;
            RebuildRows();
        } else {
            const KeptSelection kept = TakeSelection();
            RebuildRows();
            RestoreSelection(kept);
        }
        ShowSortOrder();
    });
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
    const KeptSelection kept = TakeSelection();
    m_pDoc->SortSignals(column, m_bSortDescending);
    RebuildRows();
    RestoreSelection(kept);
    QApplication::restoreOverrideCursor();
    ShowSortOrder();
}

void CVantorView::OnFilter(std::uint32_t id) {
    const KeptSelection kept = TakeSelection();
    m_pModel->SetFilter(id);
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
    const CSignalDescription* added = signal.get();
    m_pDoc->AddSignal(std::move(signal));
    m_pDoc->SignalEdited(added);
    AfterEdit(added);
}

void CVantorView::EditRow(int row) {
    if (row < 0 || row >= m_pModel->rowCount())
        return;
    CSignalDescription* signal = m_pModel->SignalAt(row);
    if (!CSignalEditDialog::Edit(this, *signal))
        return;
    m_pDoc->SignalEdited(signal);
    AfterEdit(signal);
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
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        m_pDoc->DeleteSignal(m_pModel->PositionOfRow(*it));
    RebuildRows();
    selectionModel()->clear();
}

void CVantorView::SetSelectedDisabled(bool disabled) {
    bool changed = false;
    for (int row : SelectedRows()) {
        CSignalDescription* signal = m_pModel->SignalAt(row);
        changed |= signal->m_bDisabled != disabled;
        signal->m_bDisabled = disabled;
        m_pModel->RowsChanged(row, row);
    }
    // A changed flag is work the user would lose on close: mark it.
    if (changed)
        m_pDoc->SetModifiedFlag(true);
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
