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
#include <QMenu>
#include <QMouseEvent>

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
    connect(doc, &CVantorDoc::documentUpdated, this, [this] {
        RebuildRows();
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
    m_pDoc->SortSignals(column, m_bSortDescending);
    RebuildRows();
    QApplication::restoreOverrideCursor();
    ShowSortOrder();
}

void CVantorView::OnFilter(std::uint32_t id) {
    m_pModel->SetFilter(id);
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
    m_pDoc->SortSignals(m_nSortColumn, m_bSortDescending);
    RebuildRows();
    ShowSortOrder();
    SelectSignalRow(signal);
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

void CVantorView::SelectSignalRow(const CSignalDescription* signal) {
    selectionModel()->clear();
    const SignalCollection& records = m_pDoc->Signals();
    const auto it = std::find_if(records.begin(), records.end(),
                                 [signal](const auto& s) { return s.get() == signal; });
    if (it == records.end())
        return;
    const int row = m_pModel->RowOfPosition(static_cast<int>(it - records.begin()));
    if (row < 0)
        return;
    const QModelIndex index = m_pModel->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index, QAbstractItemView::EnsureVisible);
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
