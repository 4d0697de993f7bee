#pragma once

#include "FileResult.h"
#include "SignalChange.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <cstdint>
#include <functional>

class CSignalController;
class CVantorView;
class QAction;

// The list's commands as actions (editing, filters, sorts, history, clipboard, spreadsheets,
// comparison): each asks what it needs of the user (a file, a confirmation, the edit dialog),
// has the controller do it, and selects in the list what came of it. The actions are enabled
// by the list's selection, the history and the clipboard.
class CListCommands : public QObject {
    Q_OBJECT
public:
    CListCommands(CVantorView* view, CSignalController* controller);

    QList<QAction*> Commands() const { return m_commands.values(); }
    QAction* Command(std::uint32_t id) const { return m_commands.value(id); }

    void SortBy(int column, bool descending);
    void ColumnClicked(int column);
    void EditRow(int row);
    void Delete();
    void Copy();
    void Cut();
    void Paste();
    // Edit > Change Selected Signals with the change given (what the dialog's OK does).
    void ChangeSelected(const SignalChange& change);
    void ImportFile(const QString& path);
    FileResult CompareWith(const QString& path);
    void EndComparison();
    // Enables the commands that need a selection, a current row, a comparison or a step to
    // undo; marks the sort the rows follow.
    void Update();
    void ShowSortOrder();

signals:
    void statusMessage(const QString& text);
    void notice(const QString& text, const QString& kind);

private:
    void Add(std::uint32_t id, std::function<void()> run);
    void AddFiltersAndSorts();
    void New();
    void Duplicate();
    void SetDisabled(bool disabled);
    void Export();
    void Import();
    void Compare();
    void GoToDifference(bool forward);
    void TakeFromOther();
    void ChangeSelectedDialog();
    // Deletes the selected records as one step named one ("Delete Signal") or many.
    void DeleteSelected(const QString& one, const QString& many);

    CVantorView* m_pView;
    CSignalController* m_pController;
    QHash<std::uint32_t, QAction*> m_commands;
};
