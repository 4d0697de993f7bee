#pragma once

#include "FileResult.h"
#include "ListCommands.h"
#include "SignalController.h"
#include "SignalMatch.h"
#include "VantorDoc.h"

#include <QKeySequence>
#include <QList>
#include <QTableView>

#include <cstdint>
#include <vector>

class CSignalComparison;
class CSignalDescription;
class CSignalRowModel;
class QAction;
class QMenu;
class QUndoStack;

// The main list: one row per record that passes the filter and the find, in the order the
// row model gives. It shows the rows, says which the user chose and selects what the commands
// (CListCommands) bring back; the controller changes the document.
class CVantorView : public QTableView {
    Q_OBJECT
public:
    CVantorView(CVantorDoc* doc, QWidget* parent = nullptr);
    ~CVantorView() override;

    CSignalRowModel* RowModel() const { return m_pModel; }
    CVantorDoc* Document() const { return m_pDoc; }
    // What the list's commands do to the document.
    CSignalController* Controller() const { return m_pController; }
    // The list's commands (editing, filters, history, export) and one of them by id.
    CListCommands* ListCommands() const { return m_pCommands; }
    QList<QAction*> Commands() const { return m_pCommands->Commands(); }
    QAction* Command(std::uint32_t id) const { return m_pCommands->Command(id); }
    QUndoStack* UndoStack() const { return m_pDoc->History(); }
    void SetContextMenu(QMenu* menu) { m_pContextMenu = menu; }
    // Keys that belong to window commands: the list never acts on them itself, even while
    // their command is disabled.
    void SetReservedKeys(QList<QKeySequence> keys) { m_reservedKeys = std::move(keys); }
    // The text a cell's tooltip shows: the validation message of an invalid row, and the
    // whole text when it does not fit the column or has more than one line.
    QString CellToolTip(const QModelIndex& index) const;

    int SortColumn() const { return m_pController->SortColumn(); }
    bool SortDescending() const { return m_pController->SortDescending(); }
    void OnColumnClick(int column) { m_pCommands->ColumnClicked(column); }
    void SortBy(int column, bool descending) { m_pCommands->SortBy(column, descending); }
    void EditRow(int row) { m_pCommands->EditRow(row); }
    void OnSignalDelete() { m_pCommands->Delete(); }
    void OnEditCopy() { m_pCommands->Copy(); }
    void OnEditSelectAll();
    void RebuildRows();
    // Shows only the records that contain the text; the family filter applies as well.
    void SetFindText(const QString& text);
    // Shows only the signals that match query, nearest first (a query that asks nothing
    // shows them all); EndParameterFind gives the list back in its sort.
    void SetParameterQuery(const ParameterQuery& query);
    void EndParameterFind();
    // The header's menu, filled anew: a column shown or hidden (Name stays), Fit Columns
    // to Contents.
    QMenu* ColumnMenu();
    void FitColumns();
    // File > Compare With: this database's rows marked by how another version differs.
    FileResult CompareWith(const QString& path) { return m_pCommands->CompareWith(path); }
    const CSignalComparison* Comparison() const { return m_pController->Comparison(); }
    // "2 added, 1 removed, 3 changed", or empty when not comparing.
    QString ComparisonCounts() const { return m_pController->ComparisonCounts(); }
    // Writes the rows shown, as the list shows them, to a CSV or OpenDocument file at path.
    FileResult ExportRows(const QString& path) const;

    // The selected rows of this database (not a compared version's), ascending, and their
    // records; their cells as tab-separated lines.
    std::vector<int> SelectedRows() const;
    std::vector<CSignalDescription*> SelectedSignals() const;
    QString SelectedCells() const;
    // Selects these records' rows, the first one current.
    void SelectSignals(const std::vector<CSignalDescription*>& records);
    void SelectSignals(const std::vector<const CSignalDescription*>& records);
    // Selects appended records (one as the current row, in the column the user is in).
    void SelectAppended(const std::vector<CSignalDescription*>& added);
    // Selects the rows of the signals merges added.
    void SelectMerged();
    // Selects the record's row and scrolls it into view, keeping the horizontal position;
    // column is the column the current cell takes.
    void SelectSignalRow(const CSignalDescription* signal, int column = 0);
    // Makes the row the only selected and current one, in the column, and shows it.
    void SelectRow(int row, int column);

signals:
    // A message for the status bar (what a paste did).
    void statusMessage(const QString& text);
    // A notice for the message bar (what Change Selected Signals did), of a kind.
    void notice(const QString& text, const QString& kind);
    // A comparison began, ended or was made anew after a change.
    void comparisonChanged();
    // Esc in the list while a find shows only some rows: the find bars end it.
    void endFindRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetLook();
    void ShowContextMenuAtCurrent();
    void ScrollToRowOnly(const QModelIndex& index);
    // The comparison the controller holds, shown in the rows.
    void ShowComparison();

    CVantorDoc* m_pDoc;
    CSignalRowModel* m_pModel;
    CSignalController* m_pController;
    CListCommands* m_pCommands;
    QMenu* m_pContextMenu = nullptr;
    QList<QKeySequence> m_reservedKeys;
    QMenu* m_pColumnMenu = nullptr;
};

// The clipboard type of copied signals: a small database document.
QString SignalsMimeType();
// True when the clipboard holds copied signals or text that looks like Signal elements.
bool ClipboardOffersSignals();
