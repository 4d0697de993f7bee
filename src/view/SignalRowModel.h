#pragma once

#include "SearchText.h"
#include "TextFinder.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

class CVantorDoc;
class CSignalDescription;

// The list's rows: a map from visible rows to collection positions, rebuilt after every
// change of the collection. Cell texts are handed out as references into the records.
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
    // True when a filter or a find text hides records.
    bool IsFiltered() const;
    std::uint32_t Filter() const { return m_nFilterId; }
    // Rebuilds the row map after the records changed.
    void RebuildRows();
    // Repaints the given rows after their records changed in place.
    void RowsChanged(int first, int last);

    int PositionOfRow(int row) const { return m_rowMap[static_cast<std::size_t>(row)]; }
    int RowOfPosition(int position) const;
    CSignalDescription* SignalAt(int row) const;

private:
    CVantorDoc* m_pDoc;
    std::uint32_t m_nFilterId;
    CTextFinder m_finder;
    CSearchText m_searchText;
    std::vector<int> m_rowMap;

    // Rebuilds the row map for a new filter or find text: the records did not change.
    void MapRows();
};
