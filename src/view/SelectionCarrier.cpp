#include "SelectionCarrier.h"

#include "SignalRowModel.h"

#include <QItemSelectionModel>
#include <QSignalBlocker>

#include <algorithm>

CSelectionCarrier::CSelectionCarrier(CSignalRowModel* model, QItemSelectionModel* selection)
    : QObject(selection), m_pModel(model), m_pSelection(selection) {
    connect(model, &CSignalRowModel::aboutToRearrange, this, &CSelectionCarrier::Take);
    connect(model, &CSignalRowModel::rearranged, this, &CSelectionCarrier::GiveBack);
}

void CSelectionCarrier::Take() {
    const QItemSelection selected = m_pSelection->selection();
    // Every row selected: Qt keeps that as such, without following a row.
    if (selected.size() == 1 && selected.front().top() == 0 &&
        selected.front().height() == m_pModel->rowCount() && selected.front().left() == 0 &&
        selected.front().width() == m_pModel->columnCount())
        return;
    qsizetype rows = 0;
    for (const QItemSelectionRange& range : selected)
        rows += range.height();
    if (rows <= LargeSelection)
        return;
    m_records.clear();
    m_records.reserve(static_cast<std::size_t>(rows));
    m_positions.clear();
    const bool byPositions = ByPositions();
    for (const QItemSelectionRange& range : selected) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            m_records.push_back(m_pModel->RecordAt(row));
            if (byPositions)
                m_positions.push_back(m_pModel->PositionOfRow(row));
        }
    }
    if (!std::is_sorted(m_positions.begin(), m_positions.end()))
        std::sort(m_positions.begin(), m_positions.end());
    m_nArrangement = m_pModel->Arrangement();
    // Quietly: the change of the layout repaints the rows, and GiveBack tells the selection.
    const QSignalBlocker quiet(m_pSelection);
    m_pSelection->clearSelection();
    m_bCarrying = true;
}

void CSelectionCarrier::GiveBack() {
    if (!m_bCarrying)
        return;
    m_bCarrying = false;
    const bool kept =
        !m_positions.empty() && ByPositions() && m_pModel->Arrangement() == m_nArrangement;
    m_pSelection->select(kept ? m_pModel->RowsOfPositions(m_positions)
                              : m_pModel->RowsOf(m_records),
                         QItemSelectionModel::Select);
    m_records.clear();
    m_records.shrink_to_fit();
    m_positions.clear();
    m_positions.shrink_to_fit();
}

bool CSelectionCarrier::ByPositions() const {
    return !m_pModel->IsRanked() && m_pModel->Comparison() == nullptr;
}
