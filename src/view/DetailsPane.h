#pragma once

#include "SignalDescription.h"

#include <QPointer>
#include <QWidget>

class CSignalEditDialog;
class CVantorView;
class QLabel;
class QVBoxLayout;

// The current signal's fields beside the list, edited with the edit dialog's pages and
// rules: Apply (or Enter) checks them as OK does and makes one step of the history; Revert
// (or Esc) shows the signal again and gives the list the focus. It follows the list's
// current row through sorts, finds, undo and deletes, keeps its signal while no row is
// current, and says when the signal is no longer in the database.
class CDetailsPane : public QWidget {
    Q_OBJECT
public:
    explicit CDetailsPane(CVantorView* view, QWidget* parent = nullptr);

    // The signal shown, or null.
    const CSignalDescription* Signal() const { return m_pSignal; }
    // The fields, or null while no signal of this database is shown.
    CSignalEditDialog* Form() const { return m_pForm; }
    // What the pane says when it shows no fields ("No signal chosen", a signal gone).
    QLabel* StateLabel() const { return m_pState; }
    // True when a field shows something else than the signal holds.
    bool HasChanges() const;
    // Moves the focus to the first field (F4).
    void FocusFields();

signals:
    // Something for the status bar (edits left unapplied when the row changed).
    void statusMessage(const QString& text);
    // Esc or Revert: the list takes the focus back.
    void leaveRequested();

private:
    // Shows the signal of the current row, when there is one of this database.
    void FollowCurrentRow();
    void Show(CSignalDescription* signal);
    // Fills the fields anew after a change of the collection, or says the signal is gone.
    void Refresh();
    void BuildForm();
    void SayState(const QString& text);
    void OnApplied();

    CVantorView* m_pView;
    CSignalDescription* m_pSignal = nullptr;
    CSignalDescription m_value; // what the fields edit; OK's strict check settles it
    CSignalDescription m_shown; // the values the fields were filled with
    CSignalEditDialog* m_pForm = nullptr;
    QPointer<QWidget> m_pApplyingIn; // the field Apply was pressed in
    QLabel* m_pState;
    QVBoxLayout* m_pLayout;
};
