#pragma once

#include <QDialog>

class CAnnouncer;
class CConflictResolution;
class QLabel;
class QTableWidget;

// git's mergetool in the editor: the conflicts of a three-way merge, one row each with the
// base's, ours' and theirs' value and the result (ours at first). Take Base, Take Ours and Take
// Theirs set the selected rows' results; a field's result can be typed (F2), checked as the
// edit dialog checks it. Save writes the output as a database and closes; a refused value is
// said and its row selected. Closing without saving writes nothing.
class CConflictsDialog : public QDialog {
    Q_OBJECT
public:
    enum Column { ColumnSignal, ColumnField, ColumnBase, ColumnOurs, ColumnTheirs, ColumnResult };

    explicit CConflictsDialog(CConflictResolution& resolution, QWidget* parent = nullptr);

    QTableWidget* Table() const { return m_pTable; }
    // Sets the selected rows' results to their base's (0), ours' (1) or theirs' (2) choice.
    void Take(int side);
    // What was said last (the result of a take, a refused value).
    QString Said() const;

    void accept() override;

private:
    CConflictResolution& m_resolution;
    QTableWidget* m_pTable;
    CAnnouncer* m_pAnnouncer;
};
