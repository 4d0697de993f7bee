#pragma once

#include "FileResult.h"
#include "SignalChange.h"
#include "SignalController.h"
#include "SignalMatch.h"
#include "VantorDoc.h"

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QTableView>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CSignalComparison;
class CSignalDescription;
class CSignalRowModel;
class QAction;
class QMenu;
class QUndoStack;

// The main list: one row per record that passes the modulation filter, in collection
// order; sorts the collection on a header click and carries the list editing commands, as
// actions it owns and keeps enabled.
class CVantorView : public QTableView {
    Q_OBJECT
public:
    CVantorView(CVantorDoc* doc, QWidget* parent = nullptr);
    ~CVantorView() override;

    CSignalRowModel* RowModel() const { return m_pModel; }
    // The list's commands (editing, filters, history, export) and one of them by id.
    QList<QAction*> Commands() const { return m_commands.values(); }
    QAction* Command(std::uint32_t id) const { return m_commands.value(id); }
    CVantorDoc* Document() const { return m_pDoc; }
    void SetContextMenu(QMenu* menu) { m_pContextMenu = menu; }
    // Keys that belong to window commands: the list never acts on them itself, even while
    // their command is disabled.
    void SetReservedKeys(QList<QKeySequence> keys) { m_reservedKeys = std::move(keys); }
    // The text a cell's tooltip shows: the validation message of an invalid row, and the
    // whole text when it does not fit the column or has more than one line.
    QString CellToolTip(const QModelIndex& index) const;

    int SortColumn() const { return m_pController->SortColumn(); }
    bool SortDescending() const { return m_pController->SortDescending(); }
    // What the list's commands do to the document.
    CSignalController* Controller() const { return m_pController; }

    void RebuildRows();
    void OnColumnClick(int column);
    // Sorts the collection by a column in a direction (View > Sort By).
    void SortBy(int column, bool descending);
    void OnFilter(std::uint32_t id);
    // Shows only the records that contain the text; the family filter applies as well.
    void SetFindText(const QString& text);
    // Shows only the signals that match query, nearest first (a query that asks nothing
    // shows them all); EndParameterFind gives the list back in its sort.
    void SetParameterQuery(const ParameterQuery& query);
    void EndParameterFind();
    // The header's menu, filled anew: a column shown or hidden (Name stays), Fit Columns
    // to Contents.
    QMenu* ColumnMenu();
    // Edit > Change Selected Signals: one field set on every selected signal, one undo step.
    void OnChangeSelected();
    // File > Import: the rows of a CSV file appended in one undo step; the rows refused are
    // listed in a window whose text can be copied.
    void OnFileImport();
    void ImportFile(const QString& path);
    // File > Compare With: this database's rows marked by how another version differs
    // (changed cells, rows it lacks), its own signals as rows after them; F8 and Shift+F8
    // go from difference to difference, Take from Other makes the selected rows as it has
    // them (one undo step), Esc in the list ends the comparison.
    void OnFileCompare();
    FileResult CompareWith(const QString& path);
    void EndComparison();
    void GoToDifference(bool forward);
    void TakeFromOther();
    const CSignalComparison* Comparison() const { return m_pController->Comparison(); }
    // "2 added, 1 removed, 3 changed", or empty when not comparing.
    QString ComparisonCounts() const { return m_pController->ComparisonCounts(); }
    // The same with the change given (what the dialog's OK does).
    void ChangeSelected(const SignalChange& change);
    void FitColumns();
    void OnSignalNew();
    void OnSignalDelete();
    void OnSignalEnable() { SetSelectedDisabled(false); }
    void OnSignalDisable() { SetSelectedDisabled(true); }
    void OnEditSelectAll();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnSignalDuplicate();
    void OnFileExport();
    // Writes the rows shown, as the list shows them, to a CSV file at path.
    FileResult ExportRows(const QString& path) const;
    void EditRow(int row);
    // The document's history of changes; its clean state is the saved file.
    QUndoStack* UndoStack() const { return m_pUndo; }
    // Selects these records' rows, the first one current.
    void SelectSignals(const std::vector<CSignalDescription*>& records);
    // Selects the rows of the signals merges added.
    void SelectMerged();
    // Selects the record's row and scrolls it into view, keeping the horizontal position;
    // column is the column the current cell takes.
    void SelectSignalRow(const CSignalDescription* signal, int column = 0);

signals:
    // A message for the status bar (what a paste did).
    void statusMessage(const QString& text);
    // A notice for the message bar (what Change Selected Signals did), of a kind.
    void notice(const QString& text, const QString& kind);
    // A comparison began, ended or was made anew after a change.
    void comparisonChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void AddCommands();
    // The comparison the controller holds, shown in the rows.
    void ShowComparison();
    void SetLook();
    // Records to select, and the current one.
    struct KeptSelection {
        std::vector<const CSignalDescription*> selected; // sorted by address
        const CSignalDescription* current = nullptr;
        int column = 0;
    };
    void RestoreSelection(const KeptSelection& kept);
    void ShowContextMenuAtCurrent();
    void ScrollToRowOnly(const QModelIndex& index);
    std::vector<int> SelectedRows() const;
    std::vector<CSignalDescription*> SelectedSignals() const;
    // Appends records as New does: re-sorted by the current sort, selected, undoable.
    void AppendSignals(std::vector<std::unique_ptr<CSignalDescription>> records,
                       const QString& undoText);
    // Selects appended records (one as the current row, in the column the user is in).
    void SelectAppended(const std::vector<CSignalDescription*>& added);
    void SetSelectedDisabled(bool disabled);
    // Deletes the selected records as one step of the history named one ("Delete Signal") or
    // many ("Delete %1 Signals").
    void DeleteSelected(const QString& one, const QString& many);
    void ShowSortOrder();
    void AddCommand(std::uint32_t id, std::function<void()> run);
    // Enables the commands that need a selection, a current row or a step to undo.
    void UpdateCommands();

    CVantorDoc* m_pDoc;
    CSignalRowModel* m_pModel;
    QUndoStack* m_pUndo;
    CSignalController* m_pController;
    QMenu* m_pContextMenu = nullptr;
    QList<QKeySequence> m_reservedKeys;
    QHash<std::uint32_t, QAction*> m_commands;
    QMenu* m_pColumnMenu = nullptr;
};

// The clipboard type of copied signals: a small database document.
QString SignalsMimeType();
// True when the clipboard holds copied signals or text that looks like Signal elements.
bool ClipboardOffersSignals();
