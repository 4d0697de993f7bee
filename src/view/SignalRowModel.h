#pragma once

#include "SearchText.h"
#include "SignalSort.h"
#include "TextFinder.h"

#include <QAbstractTableModel>
#include <QItemSelection>

#include <cstdint>
#include <unordered_map>
#include <vector>

class CVantorDoc;
class CSignalComparison;
class CSignalDescription;

// The column a find by parameters adds after the list's own: how near each record is.
inline constexpr int MatchColumn = 14;

// The list's rows: a map from visible rows to collection positions, ascending (but in the
// order of a find by parameters' matches while it ranks them). It follows
// every change of the collection from the document's signals: inserted and removed rows as
// such, changed cells as changed data, a new order, a new filter or scattered rows as a
// change of the layout (persistent indexes follow their records), a new database as a reset. Cell
// texts are views into the records, for painting without allocating; tooltips are owning strings.
class CSignalRowModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CSignalRowModel(CVantorDoc* doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void SetFilter(std::uint32_t filterId);
    // Shows only records that contain the text (see CTextFinder); empty shows all.
    void SetFindText(const QString& text);
    const QString& FindText() const { return m_finder.Text(); }
    // Shows only the records of matches (with a Match column after the others: the
    // deviation in percent), in the order of matches (nearest first): the order lives in the
    // rows, the collection keeps its own. A sort of the collection ends the ranking; the
    // matches stay shown, in the collection's new order.
    struct Match {
        const CSignalDescription* signal;
        double deviation;
    };
    void SetMatches(const std::vector<Match>& matches);
    void ClearMatches();
    bool IsMatching() const { return m_bMatching; }
    // The rows stand in the matches' order, not the collection's.
    bool IsRanked() const { return m_bMatching && m_bRanked; }
    // True when a filter, a find text or a find by parameters hides records.
    bool IsFiltered() const;
    std::uint32_t Filter() const { return m_nFilterId; }
    // Maps the rows again.
    void RebuildRows();

    // Marks the rows by a comparison with another version (not owned; nullptr ends it):
    // the other's own signals follow the database's rows as rows of their own.
    void SetComparison(const CSignalComparison* comparison);
    const CSignalComparison* Comparison() const { return m_pComparison; }

    // The rows of the open database's records; the other's rows of a comparison follow.
    int OwnRowCount() const { return static_cast<int>(m_rowMap.size()); }
    bool IsOtherRow(int row) const { return row >= OwnRowCount(); }
    // True while the rows follow a change of the collection (between its before and after).
    bool IsChanging() const { return m_change != Change::None; }
    int PositionOfRow(int row) const { return m_rowMap[static_cast<std::size_t>(row)]; }
    int RowOfPosition(int position) const;
    // The rows of records, joined into ranges of whole rows so that a million selected rows
    // stay cheap.
    QItemSelection RowsOf(const std::vector<const CSignalDescription*>& records) const;
    // The rows of the database's records at positions (ascending), while the rows follow the
    // collection's order (not ranked): no table of records to look them up in.
    QItemSelection RowsOfPositions(const std::vector<int>& positions) const;
    // The collection's arrangement: positions stay what they were while it is the same.
    std::uint64_t Arrangement() const;
    // The record of one of the database's rows.
    CSignalDescription* SignalAt(int row) const;
    // The record a row shows: the database's, or the other's in a comparison.
    const CSignalDescription* RecordAt(int row) const;
    // True when the row differs from the other version (changed, not in it, only in it).
    bool IsDifferent(int row) const;

signals:
    // Before a change of the layout, ahead of every view's own handling of it, and after.
    void aboutToRearrange();
    void rearranged();

private:
    static QString RowState(const CSignalDescription& s);
    // The comparison's colour, tooltip and spoken state of a cell; empty when it is the same.
    QVariant Compared(const CSignalDescription& s, int row, int column, int role) const;
    bool Shows(const CSignalDescription& signal) const;
    // The chosen rows of the first rows, joined into ranges of whole rows.
    template <typename Chosen> QItemSelection WholeRows(int rows, Chosen chosen) const;
    // Rebuilds the row map as a change of the layout.
    void Rearrange();
    void BeginLayout();
    void EndLayout();
    void MapRows();
    bool RemapWhileRanked();
    void BeforeInsert(const std::vector<int>& positions, const SignalCollection* records);
    void BeforeRemove(const std::vector<int>& positions);
    void AfterChange();
    void Changed(const std::vector<int>& positions, bool texts);

    // How the rows follow the change between the document's aboutTo... and its after.
    enum class Change { None, Insert, Remove, Rearrange, Reorder, Remap };

    CVantorDoc* m_pDoc;
    std::uint32_t m_nFilterId;
    bool m_bMatching = false;
    bool m_bRanked = false;
    struct Rank {
        double deviation;
        std::size_t rank; // nearest first
    };
    std::unordered_map<const CSignalDescription*, Rank> m_matches;
    std::unordered_map<int, int> m_rowOfRanked; // position to row, while ranked
    CTextFinder m_finder;
    std::vector<int> m_rowMap;
    std::vector<int> m_nextMap; // the row map after the pending change
    const CSignalComparison* m_pComparison = nullptr;
    std::vector<const CSignalDescription*> m_otherRows; // the other's rows shown
    Change m_change = Change::None;
    QModelIndexList m_layoutFrom;                           // persistent indexes across a layout
    std::vector<const CSignalDescription*> m_layoutRecords; // the records they showed
};
