#pragma once

#include "MergePlan.h"

#include <QAbstractItemModel>

// A merge plan as rows for the review: one row per signal the merge is about, checked when
// applying makes its change, with a row per value it differs in below (checked: the other's
// value is taken). Checking changes the plan itself. Rows are made on demand, so that a plan
// of a million signals opens at once.
class CMergeReviewModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { ColumnSignal, ColumnWhat, ColumnHere, ColumnThere, ColumnBase, ColumnCount };

    explicit CMergeReviewModel(MergePlan& plan, QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // What a kind of entry is called in the review ("new", "changed there", ...).
    static QString KindText(MergeEntryKind kind);
    // "3 new, 1 equal (skipped), ..." for the kinds the plan holds.
    QString Summary() const;
    // The entry a row (or a value row below it) belongs to.
    const MergeEntry* EntryAt(const QModelIndex& index) const;

private:
    MergePlan& m_plan;
};
