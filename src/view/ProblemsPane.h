#pragma once

#include "SignalHealth.h"

#include <QWidget>

class CProblemsModel;
class CVantorView;
class QLabel;
class QPushButton;
class QTimer;
class QTreeView;

// What is wrong with the database as a whole (duplicates, same names, signals a classifier
// cannot tell apart, designators, invalid records, unknown names), grouped by kind with
// counts. Enter or a double click goes to an entry's signal; its buttons select both of a
// pair, delete the later duplicate (through the list's Delete, which asks) or edit the
// signal. The list is made again shortly after every change while the pane is shown.
class CProblemsPane : public QWidget {
    Q_OBJECT
public:
    explicit CProblemsPane(CVantorView* view, QWidget* parent = nullptr);

    QTreeView* Tree() const { return m_pTree; }
    // The problems listed now, in the database's order.
    const std::vector<HealthProblem>& Problems() const;
    // Makes the list again now (also while hidden).
    void Refresh();
    // What an import or a merge brought in of duplicates and same-name signals, or empty.
    static QString RepeatsText(const QString& what, RepeatCounts before, RepeatCounts after);

signals:
    // Asks for a command of the list on the signal just selected (Delete, Edit).
    void commandRequested(std::uint32_t id);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Stale();
    void UpdateButtons();
    // The problem of the current entry, or null for a kind's heading.
    const HealthProblem* Current() const;
    void GoTo(bool both);

    CVantorView* m_pView;
    CProblemsModel* m_pModel;
    QTreeView* m_pTree;
    QLabel* m_pSummary;
    QPushButton* m_pGoTo;
    QPushButton* m_pBoth;
    QPushButton* m_pDelete;
    QPushButton* m_pEdit;
    QTimer* m_pRefresh;
    bool m_bStale = true; // the collection changed since the list was made
};
