#include "VantorView.h"

#include "AccessibleNames.h"
#include "CommandIds.h"
#include "Csv.h"
#include "Prompts.h"
#include "SelectionCarrier.h"
#include "SignalColumns.h"
#include "SignalComparison.h"
#include "SignalDescription.h"
#include "SignalRowModel.h"
#include "VantorDoc.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelection>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QUndoStack>

#include <algorithm>

CVantorView::CVantorView(CVantorDoc* doc, QWidget* parent)
    : QTableView(parent), m_pDoc(doc), m_pModel(new CSignalRowModel(doc, this)),
      m_pController(new CSignalController(doc, this)) {
    setModel(m_pModel);
    new CSelectionCarrier(m_pModel, selectionModel());
    setAccessibleName(tr("Signals"));
    m_pCommands = new CListCommands(this, m_pController);
    connect(m_pCommands, &CListCommands::statusMessage, this, &CVantorView::statusMessage);
    connect(m_pCommands, &CListCommands::notice, this, &CVantorView::notice);
    // Copy, Cut, Edit and Duplicate follow the selection, Undo and Redo the history, Paste
    // the clipboard; their keys work only while they are enabled.
    const auto update = [this] { m_pCommands->Update(); };
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, update);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, update);
    connect(m_pModel, &QAbstractItemModel::modelReset, this, update);
    connect(m_pModel, &QAbstractItemModel::rowsRemoved, this, update);
    connect(doc->History(), &QUndoStack::indexChanged, this, update);
    connect(doc->History(), &QUndoStack::cleanChanged, this, update);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, update);
    m_pCommands->Update();
    // Rows that move after a sort, a filter or an undo keep their selection by themselves
    // (the model moves the persistent indexes); the current row stays in sight.
    connect(m_pModel, &QAbstractItemModel::layoutChanged, this, [this] {
        if (currentIndex().isValid())
            ScrollToRowOnly(currentIndex());
    });
    connect(doc, &CVantorDoc::documentUpdated, m_pCommands, &CListCommands::ShowSortOrder);
    // The rows let go of a comparison's records before they go, and show the new one.
    connect(m_pController, &CSignalController::comparisonEnding, this,
            [this] { m_pModel->SetComparison(nullptr); });
    connect(m_pController, &CSignalController::comparisonChanged, this,
            &CVantorView::ShowComparison);
    SetLook();
    m_pCommands->ShowSortOrder();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        CPrompts::Guard(this, [this, column] { OnColumnClick(column); });
    });
}

CVantorView::~CVantorView() = default;

// Whole rows, no grid, no editing in place, fixed row heights, headers that sort.
void CVantorView::SetLook() {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    // Tab leaves the list for the next control (the find bars, the details pane), the arrows
    // move between cells; coming back, a screen reader says the row.
    setTabKeyNavigation(false);
    SayCurrentCellOnFocus(this);
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

void CVantorView::RebuildRows() {
    m_pModel->RebuildRows();
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
    // The Match column stands beside the name, in sight in a window of any width.
    QHeaderView* header = horizontalHeader();
    if (header->count() > MatchColumn && header->visualIndex(MatchColumn) != 1)
        header->moveSection(header->visualIndex(MatchColumn), 1);
    m_pCommands->ShowSortOrder();
}

void CVantorView::EndParameterFind() {
    if (!m_pModel->IsMatching())
        return;
    m_pModel->ClearMatches();
    m_pCommands->ShowSortOrder();
}

void CVantorView::ShowComparison() {
    // The rows mark what the comparison found; commands follow whether there is one.
    m_pModel->SetComparison(m_pController->Comparison());
    m_pCommands->Update();
    emit comparisonChanged();
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

std::vector<CSignalDescription*> CVantorView::SelectedSignals() const {
    std::vector<CSignalDescription*> records;
    for (int row : SelectedRows())
        records.push_back(m_pModel->SignalAt(row));
    return records;
}

QString CVantorView::SelectedCells() const {
    QString cells;
    for (int row : SelectedRows()) {
        QStringList fields;
        for (int column = 0; column < m_pModel->columnCount(); ++column) {
            QString text = m_pModel->index(row, column).data().toString();
            text.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
            fields << SpreadsheetSafe(text);
        }
        cells += fields.join(u'\t') + u'\n';
    }
    return cells;
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

void CVantorView::SelectSignals(const std::vector<CSignalDescription*>& records) {
    SelectSignals(std::vector<const CSignalDescription*>(records.begin(), records.end()));
}

void CVantorView::SelectSignals(const std::vector<const CSignalDescription*>& records) {
    const int column =
        currentIndex().isValid() ? currentIndex().column() : std::max(columnAt(0), 0);
    const int scroll = horizontalScrollBar()->value();
    const int row = records.empty() ? -1 : m_pModel->RowOfPosition(m_pDoc->PositionOf(records[0]));
    if (row >= 0)
        selectionModel()->setCurrentIndex(m_pModel->index(row, column),
                                          QItemSelectionModel::NoUpdate);
    selectionModel()->select(m_pModel->RowsOf(records), QItemSelectionModel::ClearAndSelect);
    if (row >= 0)
        ScrollToRowOnly(currentIndex());
    horizontalScrollBar()->setValue(scroll);
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
    const int position = m_pDoc->PositionOf(signal);
    const int row = position < 0 ? -1 : m_pModel->RowOfPosition(position);
    if (row >= 0)
        SelectRow(row, column);
}

void CVantorView::SelectRow(int row, int column) {
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
    // Esc ends a comparison, else a find (the text or the parameters) as it does in its bar.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        (Comparison() || m_pModel->IsMatching() || !m_pModel->FindText().isEmpty())) {
        if (Comparison())
            m_pCommands->EndComparison();
        else
            emit endFindRequested();
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

QString SignalsMimeType() {
    return QStringLiteral("application/x-quarn-signals+xml");
}

bool ClipboardOffersSignals() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && (data->hasFormat(SignalsMimeType()) ||
                    (data->hasText() && data->text().contains(QStringLiteral("<Signal"))));
}

FileResult CVantorView::ExportRows(const QString& path) const {
    // The rows as the list shows them: in view order, under the filter and the find.
    std::vector<const CSignalDescription*> rows;
    rows.reserve(static_cast<std::size_t>(m_pModel->OwnRowCount()));
    for (int row = 0; row < m_pModel->OwnRowCount(); ++row)
        rows.push_back(m_pModel->SignalAt(row));
    return CSignalController::Export(path, rows, tr("Signals"));
}
