#pragma once

#include "SignalHealth.h"

#include <QAbstractItemModel>

#include <array>
#include <vector>

// The problems of a database as a tree: one heading per kind found ("Duplicates (2)"), the
// problems of that kind beneath it in the database's order, each as its signal's name and
// what is wrong. Texts are made only for the rows shown, so a list of a million problems is
// made as fast as they are found.
class CProblemsModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // The place of a problem's row in Problems(), or -1 for a heading.
    static constexpr int ProblemRole = Qt::UserRole;

    explicit CProblemsModel(QObject* parent = nullptr);

    // Shows these problems instead of the ones before.
    void SetProblems(std::vector<HealthProblem> problems);
    const std::vector<HealthProblem>& Problems() const { return m_problems; }
    // The problem of a row, or null for a heading.
    const HealthProblem* Problem(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<HealthProblem> m_problems;
    // The kinds found, in their order, and the places of each kind's problems.
    std::vector<HealthKind> m_kinds;
    std::array<std::vector<std::size_t>, HealthKindCount> m_byKind;
};
