#include "VantorView.h"

#include "SignalController.h"

#include "ChangeSignalsDialog.h"
#include "CommandAction.h"
#include "CommandIds.h"
#include "CommandKeys.h"
#include "CommandTable.h"
#include "Prompts.h"
#include "SignalColumns.h"
#include "SignalComparison.h"
#include "SignalDescription.h"
#include "SignalEditDialog.h"
#include "SignalRowModel.h"
#include "SignalTr.h"
#include "VantorDoc.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
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

#include <unordered_map>

CVantorView::CVantorView(CVantorDoc* doc, QWidget* parent)
    : QTableView(parent), m_pDoc(doc), m_pModel(new CSignalRowModel(doc, this)),
      m_pUndo(doc->History()), m_pController(new CSignalController(doc, this)) {
    setModel(m_pModel);
    setAccessibleName(tr("Signals"));
    AddCommands();
    // Copy, Cut, Edit and Duplicate follow the selection, Undo and Redo the history; their
    // keys work only while they are enabled.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CVantorView::UpdateCommands);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CVantorView::UpdateCommands);
    connect(m_pModel, &QAbstractItemModel::modelReset, this, &CVantorView::UpdateCommands);
    connect(m_pModel, &QAbstractItemModel::rowsRemoved, this, &CVantorView::UpdateCommands);
    connect(m_pUndo, &QUndoStack::indexChanged, this, &CVantorView::UpdateCommands);
    connect(m_pUndo, &QUndoStack::cleanChanged, this, &CVantorView::UpdateCommands);
    // Paste is there only while the clipboard offers signals.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CVantorView::UpdateCommands);
    UpdateCommands();
    // Rows that move after a sort, a filter or an undo keep their selection by themselves
    // (the model moves the persistent indexes); the current row stays in sight.
    connect(m_pModel, &QAbstractItemModel::layoutChanged, this, [this] {
        if (currentIndex().isValid())
            ScrollToRowOnly(currentIndex());
    });
    connect(doc, &CVantorDoc::documentUpdated, this, &CVantorView::ShowSortOrder);
    // The rows let go of a comparison's records before they go, and show the new one.
    connect(m_pController, &CSignalController::comparisonEnding, this,
            [this] { m_pModel->SetComparison(nullptr); });
    connect(m_pController, &CSignalController::comparisonChanged, this,
            &CVantorView::ShowComparison);
    SetLook();
    ShowSortOrder();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        CPrompts::Guard(this, [this, column] { OnColumnClick(column); });
    });
}

// The list's commands: the filters, the signal and edit commands, Sort By and its direction.
void CVantorView::AddCommands() {
    // The filters are one choice: an exclusive group draws radio marks.
    auto* filters = new QActionGroup(this);
    for (std::uint32_t id = ID_FILTER_ALL; id <= ID_FILTER_PSK_MULTICARRIER; ++id) {
        AddCommand(id, [this, id] { OnFilter(id); });
        m_commands[id]->setCheckable(true);
        m_commands[id]->setChecked(id == m_pModel->Filter());
        filters->addAction(m_commands[id]);
    }
    AddCommand(ID_SIGNAL_NEW, [this] { OnSignalNew(); });
    AddCommand(ID_SIGNAL_DELETE, [this] { OnSignalDelete(); });
    AddCommand(ID_SIGNAL_ENABLE, [this] { OnSignalEnable(); });
    AddCommand(ID_SIGNAL_DISABLE, [this] { OnSignalDisable(); });
    AddCommand(ID_EDIT_SELECT_ALL, [this] { OnEditSelectAll(); });
    AddCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    AddCommand(ID_EDIT_CUT, [this] { OnEditCut(); });
    AddCommand(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    AddCommand(ID_SIGNAL_EDIT, [this] { EditRow(currentIndex().row()); });
    AddCommand(ID_SIGNAL_DUPLICATE, [this] { OnSignalDuplicate(); });
    AddCommand(ID_SIGNAL_CHANGE_SELECTED, [this] { OnChangeSelected(); });
    AddCommand(ID_FILE_EXPORT, [this] { OnFileExport(); });
    AddCommand(ID_FILE_IMPORT, [this] { OnFileImport(); });
    AddCommand(ID_FILE_COMPARE, [this] { OnFileCompare(); });
    AddCommand(ID_EDIT_TAKE_FROM_OTHER, [this] { TakeFromOther(); });
    AddCommand(ID_VIEW_NEXT_DIFFERENCE, [this] { GoToDifference(true); });
    AddCommand(ID_VIEW_PREVIOUS_DIFFERENCE, [this] { GoToDifference(false); });
    AddCommand(ID_VIEW_END_COMPARISON, [this] { EndComparison(); });
    AddCommand(ID_EDIT_UNDO, [this] {
        if (m_pDoc->CanUndo())
            m_pUndo->undo();
    });
    AddCommand(ID_EDIT_REDO, [this] { m_pUndo->redo(); });
    // View > Sort By: a column as a header click sorts it, then the direction.
    auto* columns = new QActionGroup(this);
    columns->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (std::uint32_t id = ID_SORT_BY_FIRST; id <= ID_SORT_BY_LAST; ++id) {
        AddCommand(id, [this, id] { OnColumnClick(static_cast<int>(id - ID_SORT_BY_FIRST)); });
        m_commands[id]->setCheckable(true);
        columns->addAction(m_commands[id]);
    }
    auto* directions = new QActionGroup(this);
    directions->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const bool descending : {false, true}) {
        const std::uint32_t id = descending ? ID_SORT_DESCENDING : ID_SORT_ASCENDING;
        AddCommand(id, [this, descending] { SortBy(SortColumn(), descending); });
        m_commands[id]->setCheckable(true);
        directions->addAction(m_commands[id]);
    }
}

// Whole rows, no grid, no editing in place, fixed row heights, headers that sort.
void CVantorView::SetLook() {
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
    // Columns can be dragged into another order, hidden and fitted from the header's menu;
    // a double click on a divider fits the column left of it.
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& at) { ColumnMenu()->popup(horizontalHeader()->mapToGlobal(at)); });
}

QMenu* CVantorView::ColumnMenu() {
    if (m_pColumnMenu == nullptr)
        m_pColumnMenu = new QMenu(this);
    m_pColumnMenu->clear();
    QHeaderView* header = horizontalHeader();
    for (int column = 1; column < SignalColumnCount; ++column) {
        QAction* shown =
            m_pColumnMenu->addAction(m_pModel->headerData(column, Qt::Horizontal).toString());
        shown->setCheckable(true);
        shown->setChecked(!header->isSectionHidden(column));
        connect(shown, &QAction::toggled, this,
                [header, column](bool show) { header->setSectionHidden(column, !show); });
    }
    m_pColumnMenu->addSeparator();
    connect(m_pColumnMenu->addAction(tr("&Fit Columns to Contents")), &QAction::triggered, this,
            &CVantorView::FitColumns);
    return m_pColumnMenu;
}

void CVantorView::FitColumns() {
    // Each shown column as wide as the rows in sight and its heading need.
    for (int column = 0; column < m_pModel->columnCount(); ++column) {
        if (!horizontalHeader()->isSectionHidden(column))
            resizeColumnToContents(column);
    }
}

CVantorView::~CVantorView() = default;

void CVantorView::AddCommand(std::uint32_t id, std::function<void()> run) {
    m_commands.insert(id, MakeCommand(this, id, std::move(run)));
}

void CVantorView::UpdateCommands() {
    const bool selected = selectionModel()->hasSelection();
    const bool current = currentIndex().isValid();
    m_commands[ID_EDIT_COPY]->setEnabled(selected);
    m_commands[ID_EDIT_CUT]->setEnabled(selected);
    // A compared version's row can be duplicated into this database, not edited in it.
    m_commands[ID_SIGNAL_EDIT]->setEnabled(current && !m_pModel->IsOtherRow(currentIndex().row()));
    m_commands[ID_SIGNAL_DUPLICATE]->setEnabled(current);
    m_commands[ID_SIGNAL_CHANGE_SELECTED]->setEnabled(selected);
    m_commands[ID_EDIT_PASTE]->setEnabled(ClipboardOffersSignals());
    const bool comparing = Comparison() != nullptr;
    m_commands[ID_EDIT_TAKE_FROM_OTHER]->setEnabled(comparing && selected);
    for (std::uint32_t id :
         {ID_VIEW_NEXT_DIFFERENCE, ID_VIEW_PREVIOUS_DIFFERENCE, ID_VIEW_END_COMPARISON})
        m_commands[id]->setEnabled(comparing);
    // The menu names the change an Undo or Redo takes back or makes again.
    const bool canUndo = m_pDoc->CanUndo();
    const bool canRedo = m_pUndo->canRedo();
    // The step's name goes between the menu text and its key, both from the command table.
    const auto named = [](std::uint32_t id, const QString& step) {
        const QString text = CommandText(id);
        return text.section(u'\t', 0, 0) + (step.isEmpty() ? QString() : u' ' + step) + u'\t' +
               text.section(u'\t', 1);
    };
    m_commands[ID_EDIT_UNDO]->setEnabled(canUndo);
    m_commands[ID_EDIT_UNDO]->setText(
        named(ID_EDIT_UNDO, canUndo ? m_pUndo->undoText() : QString()));
    m_commands[ID_EDIT_REDO]->setEnabled(canRedo);
    m_commands[ID_EDIT_REDO]->setText(
        named(ID_EDIT_REDO, canRedo ? m_pUndo->redoText() : QString()));
}

void CVantorView::ShowSortOrder() {
    // The arrow shows only while the rows follow it: open sorts by name, merge appends.
    const CVantorDoc::SortOrder& order = m_pDoc->GetSortOrder();
    // Rows ranked by a find by parameters follow no column.
    const bool follows = order.known && !m_pModel->IsRanked();
    horizontalHeader()->setSortIndicatorShown(follows);
    // View > Sort By marks the order the rows follow, and nothing when they follow none.
    for (std::uint32_t id = ID_SORT_BY_FIRST; id <= ID_SORT_DESCENDING; ++id)
        m_commands[id]->setChecked(false);
    if (!follows)
        return;
    // What the rows follow; the column a click reverses stays the one the user sorted by
    // last, through New, Open and Merge.
    horizontalHeader()->setSortIndicator(order.column, order.descending ? Qt::DescendingOrder
                                                                        : Qt::AscendingOrder);
    m_commands[ID_SORT_BY_FIRST + static_cast<std::uint32_t>(order.column)]->setChecked(true);
    m_commands[order.descending ? ID_SORT_DESCENDING : ID_SORT_ASCENDING]->setChecked(true);
}

void CVantorView::RebuildRows() {
    m_pModel->RebuildRows();
}

void CVantorView::OnColumnClick(int column) {
    if (column < 0)
        return;
    // A click on the column the list remembers reverses its order; any other click sorts
    // ascending.
    SortBy(column, column == SortColumn() && !SortDescending());
}

void CVantorView::SortBy(int column, bool descending) {
    // A million records take a moment to sort: show that the request was heard.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    m_pController->SortBy(column, descending);
    ShowSortOrder();
}

void CVantorView::OnFilter(std::uint32_t id) {
    m_pModel->SetFilter(id);
}

void CVantorView::SetFindText(const QString& text) {
    if (text != m_pModel->FindText())
        m_pModel->SetFindText(text);
}

void CVantorView::SetParameterQuery(const ParameterQuery& query) {
    if (!query.AsksSomething()) {
        EndParameterFind();
        return;
    }
    // The matching records, nearest first: the order lives in the rows, the collection (and
    // so a save) keeps its own.
    std::vector<CSignalRowModel::Match> matches;
    for (const ParameterMatch& match : FindByParameters(m_pDoc->Signals(), query))
        matches.push_back({match.signal, match.deviation});
    m_pModel->SetMatches(matches);
    ShowSortOrder();
}

void CVantorView::EndParameterFind() {
    if (!m_pModel->IsMatching())
        return;
    m_pModel->ClearMatches();
    ShowSortOrder();
}

void CVantorView::OnChangeSelected() {
    const int selected = static_cast<int>(selectionModel()->selectedRows().size());
    if (selected == 0)
        return;
    CChangeSignalsDialog dialog(selected, this);
    if (CPrompts::RunDialog(dialog) == QDialog::Accepted)
        ChangeSelected(dialog.Change());
}

void CVantorView::ChangeSelected(const SignalChange& change) {
    // The other version's rows are not this database's to change: SelectedSignals leaves
    // them out.
    const CSignalController::ChangeOutcome outcome =
        m_pController->ChangeSignals(SelectedSignals(), change);
    if (!outcome.changed.empty())
        SelectSignals(outcome.changed);
    emit notice(outcome.Summary(), QStringLiteral("change"));
}

void CVantorView::RestoreSelection(const KeptSelection& kept) {
    // Rows of kept records, joined into ranges so that a million selected rows stay cheap.
    QItemSelection selection;
    int first = -1;
    const int rows = m_pModel->rowCount();
    const int lastColumn = m_pModel->columnCount() - 1;
    QModelIndex current;
    // Nothing selected and no current row: no row needs a look.
    const bool none = kept.selected.empty() && kept.current == nullptr;
    for (int row = none ? rows : 0; row <= rows; ++row) {
        // With nothing selected the search ends at the current row.
        if (kept.selected.empty() && current.isValid())
            break;
        const CSignalDescription* signal = row < rows ? m_pModel->RecordAt(row) : nullptr;
        const bool selected =
            signal &&
            std::binary_search(kept.selected.begin(), kept.selected.end(), signal, std::less<>());
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
    // Whole rows are selected: the selection's ranges give them without one query per row.
    // The rows of a compared version are not this database's: no command takes them.
    std::vector<int> rows;
    const int own = m_pModel->OwnRowCount();
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= std::min(range.bottom(), own - 1); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void CVantorView::OnSignalNew() {
    auto signal = std::make_unique<CSignalDescription>();
    if (!CSignalEditDialog::Edit(this, *signal))
        return;
    std::vector<std::unique_ptr<CSignalDescription>> records;
    records.push_back(std::move(signal));
    AppendSignals(std::move(records), tr("New Signal"));
}

void CVantorView::OnSignalDuplicate() {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    auto copy = std::make_unique<CSignalDescription>(*m_pModel->RecordAt(current.row()));
    if (!CSignalEditDialog::Edit(this, *copy))
        return;
    std::vector<std::unique_ptr<CSignalDescription>> records;
    records.push_back(std::move(copy));
    AppendSignals(std::move(records), tr("Duplicate Signal"));
}

void CVantorView::AppendSignals(std::vector<std::unique_ptr<CSignalDescription>> records,
                                const QString& undoText) {
    if (records.empty())
        return;
    SelectAppended(m_pController->Append(std::move(records), undoText));
}

void CVantorView::SelectAppended(const std::vector<CSignalDescription*>& added) {
    if (added.empty())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : columnAt(0);
    if (added.size() == 1)
        SelectSignalRow(added.front(), column);
    else
        SelectSignals(added);
}

void CVantorView::EditRow(int row) {
    if (row < 0 || row >= m_pModel->OwnRowCount())
        return;
    CSignalDescription* signal = m_pModel->SignalAt(row);
    CSignalDescription value = *signal;
    if (!CSignalEditDialog::Edit(this, value))
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : columnAt(0);
    m_pController->Edit(signal, std::move(value));
    SelectSignalRow(signal, column);
}

void CVantorView::OnSignalDelete() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    if (CPrompts::Message(this, QMessageBox::Warning, tr("Warning"),
                          tr("Do you really want to delete the selected items?"),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::Yes)
        return;
    DeleteSelected(tr("Delete Signal"), tr("Delete %1 Signals"));
}

void CVantorView::DeleteSelected(const QString& one, const QString& many) {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    std::vector<CSignalDescription*> doomed;
    std::vector<int> positions;
    doomed.reserve(rows.size());
    positions.reserve(rows.size());
    for (int row : rows) {
        positions.push_back(m_pModel->PositionOfRow(row));
        doomed.push_back(m_pModel->SignalAt(row));
    }
    m_pController->Delete(std::move(doomed), std::move(positions), one, many);
    // No row is selected or focused afterwards: a second Delete deletes nothing.
    selectionModel()->clear();
}

void CVantorView::SetSelectedDisabled(bool disabled) {
    std::vector<CSignalDescription*> records;
    std::vector<int> positions;
    for (int row : SelectedRows()) {
        records.push_back(m_pModel->SignalAt(row));
        positions.push_back(m_pModel->PositionOfRow(row));
    }
    m_pController->SetDisabled(records, positions, disabled);
}

std::vector<CSignalDescription*> CVantorView::SelectedSignals() const {
    std::vector<CSignalDescription*> records;
    for (int row : SelectedRows())
        records.push_back(m_pModel->SignalAt(row));
    return records;
}

void CVantorView::SelectSignals(const std::vector<CSignalDescription*>& records) {
    KeptSelection kept;
    kept.selected.assign(records.begin(), records.end());
    std::sort(kept.selected.begin(), kept.selected.end(), std::less<>());
    kept.current = records.empty() ? nullptr : records.front();
    kept.column = currentIndex().isValid() ? currentIndex().column() : std::max(columnAt(0), 0);
    RestoreSelection(kept);
}

void CVantorView::SelectMerged() {
    std::vector<CSignalDescription*> merged;
    for (const auto& signal : m_pDoc->Signals()) {
        if (signal->IsMerged())
            merged.push_back(signal.get());
    }
    SelectSignals(merged);
    if (!merged.empty())
        ScrollToRowOnly(currentIndex());
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
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && Comparison()) {
        EndComparison();
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
    // Cell texts are views into the record: the tooltip keeps a copy of its own.
    const QString cell = m_pModel->data(index, Qt::DisplayRole).toString();
    const QString text(cell.constData(), cell.size());
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
