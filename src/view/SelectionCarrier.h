#pragma once

#include <QObject>

#include <cstdint>
#include <vector>

class CSignalDescription;
class CSignalRowModel;
class QItemSelectionModel;

// Carries a large selection through a change of the rows' layout as the records it holds.
// Qt's selection model follows a persistent index for every selected row, which at 100,000
// rows takes several times the change itself; the records are found again in one pass over
// the rows instead. Smaller selections, a selection of every row (which Qt keeps as such)
// and the current row always follow their persistent indexes as usual.
class CSelectionCarrier : public QObject {
    Q_OBJECT
public:
    // Rows selected beyond which the selection is carried as records.
    static constexpr int LargeSelection = 10000;

    CSelectionCarrier(CSignalRowModel* model, QItemSelectionModel* selection);

private:
    void Take();
    void GiveBack();

    CSignalRowModel* m_pModel;
    QItemSelectionModel* m_pSelection;
    // Whether the rows follow the collection's order, which positions can be found in.
    bool ByPositions() const;

    std::vector<const CSignalDescription*> m_records; // while carried
    // Their positions too, while the rows follow the collection's order: a filter or a find
    // keeps the collection as it is, and its rows are found again without a table.
    std::vector<int> m_positions;
    std::uint64_t m_nArrangement = 0;
    bool m_bCarrying = false;
};
