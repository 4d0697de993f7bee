#include "SignalSteps.h"

#include "SignalSort.h"

#include <QCoreApplication>

#include <algorithm>

CSignalStep::CSignalStep(CVantorDoc* doc, const QString& text) : QUndoCommand(text), m_pDoc(doc) {}

// Records only this step still holds die with it.
CSignalStep::~CSignalStep() = default;

std::size_t CSignalStep::PoolBytes() const {
    std::size_t bytes = 0;
    for (const auto& record : m_pool)
        bytes += record->Bytes();
    return bytes;
}

std::size_t CSignalStep::Bytes() const {
    constexpr std::size_t pointer = sizeof(CSignalDescription*);
    return m_nSize + (m_records.capacity() + m_orderBefore.capacity()) * pointer +
           m_pool.capacity() * sizeof(std::unique_ptr<CSignalDescription>) + PoolBytes() +
           m_positions.capacity() * sizeof(int);
}

void CSignalStep::Release() {
    SignalCollection().swap(m_pool);
    std::vector<CSignalDescription*>().swap(m_records);
    std::vector<CSignalDescription*>().swap(m_orderBefore);
    std::vector<int>().swap(m_positions);
    m_bReleased = true;
}

void CSignalStep::Begin() {
    m_nBefore = m_pDoc->Arrangement();
    m_sortBefore = m_pDoc->GetSortOrder();
}

void CSignalStep::End() {
    m_nAfter = m_pDoc->Arrangement();
}

bool CSignalStep::Exact() const {
    return m_pDoc->Arrangement() == m_nAfter;
}

void CSignalStep::Restore() {
    m_pDoc->SetSortOrder(m_sortBefore);
    m_pDoc->RestoreArrangement(m_nBefore);
}

void CSignalStep::SortAll(int column, bool descending) {
    m_orderBefore = m_pDoc->Order();
    m_pDoc->SortSignals(column, descending);
    m_nSorted = m_pDoc->Arrangement();
}

void CSignalStep::SortBack() {
    if (!m_orderBefore.empty() && m_pDoc->Arrangement() == m_nSorted)
        m_pDoc->ArrangeSignals(m_orderBefore, m_sortBefore);
    std::vector<CSignalDescription*>().swap(m_orderBefore);
}

std::vector<int> CSignalStep::Positions() {
    // Positions the caller gave hold while nothing moved since.
    if (!m_positions.empty() && m_pDoc->Arrangement() == m_nGiven)
        return std::move(m_positions);
    return m_pDoc->PositionsOf(m_records);
}

void CSignalStep::Hold(std::vector<CSignalDescription*> records, std::vector<int> positions) {
    m_records = std::move(records);
    m_positions = std::move(positions);
    m_nGiven = m_pDoc->Arrangement();
}

void CSignalStep::TakeAddedBack() {
    const bool exact = Exact();
    SortBack();
    m_pool = m_pDoc->RemoveSignals(m_pDoc->PositionsOf(m_records));
    if (exact)
        Restore();
}

void CSignalStep::TakeOut() {
    m_positions = Positions();
    m_pool = m_pDoc->RemoveSignals(m_positions);
}

void CSignalStep::PutBack() {
    if (Exact()) {
        m_pDoc->InsertSignals(m_positions, m_pool);
        Restore();
        return;
    }
    const CVantorDoc::SortOrder order = m_pDoc->GetSortOrder();
    std::vector<int> positions;
    if (order.known) {
        positions = m_pDoc->SortedPositions(m_pool, order.column, order.descending);
    } else {
        for (std::size_t i = 0; i < m_pool.size(); ++i)
            positions.push_back(m_pDoc->GetSignalCount() + static_cast<int>(i));
    }
    m_pDoc->InsertSignals(positions, m_pool);
}

namespace {

std::vector<CSignalDescription*> Addresses(const SignalCollection& records) {
    std::vector<CSignalDescription*> addresses;
    addresses.reserve(records.size());
    for (const auto& record : records)
        addresses.push_back(record.get());
    return addresses;
}

bool SortedBy(const CVantorDoc::SortOrder& order, int column, bool descending) {
    return order.known && order.column == column && order.descending == descending;
}

} // namespace

CInsertSignalsStep::CInsertSignalsStep(CVantorDoc* doc, const QString& text,
                                       SignalCollection records, int column, bool descending)
    : CSignalStep(doc, text), m_nColumn(column), m_bDescending(descending) {
    m_nSize = sizeof(*this);
    m_records = Addresses(records);
    m_pool = std::move(records);
}

void CInsertSignalsStep::redo() {
    if (m_bReleased)
        return;
    Begin();
    if (SortedBy(m_sortBefore, m_nColumn, m_bDescending)) {
        const std::vector<int> positions =
            m_pDoc->SortedPositions(m_pool, m_nColumn, m_bDescending);
        m_pDoc->InsertSignals(positions, m_pool);
    } else {
        // Appended, then everything sorted: the order the list shows.
        std::vector<int> positions;
        for (std::size_t i = 0; i < m_pool.size(); ++i)
            positions.push_back(m_pDoc->GetSignalCount() + static_cast<int>(i));
        m_pDoc->InsertSignals(positions, m_pool);
        SortAll(m_nColumn, m_bDescending);
    }
    End();
}

void CInsertSignalsStep::undo() {
    if (!m_bReleased)
        TakeAddedBack();
}

CMergeSignalsStep::CMergeSignalsStep(CVantorDoc* doc, const QString& text, SignalCollection records)
    : CSignalStep(doc, text) {
    m_nSize = sizeof(*this);
    m_records = Addresses(records);
    m_pool = std::move(records);
}

void CMergeSignalsStep::redo() {
    if (m_bReleased)
        return;
    Begin();
    std::vector<int> positions;
    for (std::size_t i = 0; i < m_pool.size(); ++i)
        positions.push_back(m_pDoc->GetSignalCount() + static_cast<int>(i));
    m_pDoc->InsertSignals(positions, m_pool);
    // Merged records stand at the end until the list is next sorted.
    CVantorDoc::SortOrder order = m_sortBefore;
    order.known = false;
    m_pDoc->SetSortOrder(order);
    End();
}

void CMergeSignalsStep::undo() {
    if (!m_bReleased)
        TakeAddedBack();
}

CRemoveSignalsStep::CRemoveSignalsStep(CVantorDoc* doc, const QString& text,
                                       std::vector<CSignalDescription*> records,
                                       std::vector<int> positions)
    : CSignalStep(doc, text) {
    m_nSize = sizeof(*this);
    Hold(std::move(records), std::move(positions));
}

void CRemoveSignalsStep::redo() {
    if (m_bReleased)
        return;
    Begin();
    TakeOut();
    End();
}

void CRemoveSignalsStep::undo() {
    if (!m_bReleased)
        PutBack();
}

CEditSignalStep::CEditSignalStep(CVantorDoc* doc, CSignalDescription* record,
                                 const CSignalDescription& value, int column, bool descending)
    : CSignalStep(doc, QCoreApplication::translate("SignalSteps", "Edit Signal")), m_value(value),
      m_nColumn(column), m_bDescending(descending) {
    m_nSize = sizeof(*this);
    m_records = {record};
}

void CEditSignalStep::Exchange() {
    m_pDoc->ExchangeSignal(m_pDoc->PositionOf(m_records.front()), m_value);
}

void CEditSignalStep::redo() {
    if (m_bReleased)
        return;
    Begin();
    m_nFrom = m_pDoc->PositionOf(m_records.front());
    Exchange();
    if (SortedBy(m_sortBefore, m_nColumn, m_bDescending))
        m_pDoc->MoveSignal(m_nFrom, m_pDoc->SortedPlaceOf(m_nFrom, m_nColumn, m_bDescending));
    else
        SortAll(m_nColumn, m_bDescending);
    End();
}

void CEditSignalStep::undo() {
    if (m_bReleased)
        return;
    const bool exact = Exact();
    if (exact && m_orderBefore.empty())
        m_pDoc->MoveSignal(m_pDoc->PositionOf(m_records.front()), m_nFrom);
    SortBack();
    Exchange();
    if (exact) {
        Restore();
        return;
    }
    // Sorted since: the record takes its place under that sort.
    const CVantorDoc::SortOrder order = m_pDoc->GetSortOrder();
    if (order.known) {
        const int at = m_pDoc->PositionOf(m_records.front());
        m_pDoc->MoveSignal(at, m_pDoc->SortedPlaceOf(at, order.column, order.descending));
    }
}

CEditSignalsStep::CEditSignalsStep(CVantorDoc* doc, const QString& text,
                                   std::vector<CSignalDescription*> records,
                                   std::vector<CSignalDescription> values, int column,
                                   bool descending)
    : CSignalStep(doc, text), m_values(std::move(values)), m_nColumn(column),
      m_bDescending(descending) {
    m_nSize = sizeof(*this);
    for (const CSignalDescription& value : m_values)
        m_nSize += value.Bytes();
    m_records = std::move(records);
}

void CEditSignalsStep::Exchange() {
    m_pDoc->ExchangeSignals(m_pDoc->PlacesOf(m_records), m_values);
}

void CEditSignalsStep::redo() {
    if (m_bReleased)
        return;
    Begin();
    Exchange();
    // Sorted by the column before, and no record's value in it changed (a comment given to
    // every signal of a list by name): each stays where it is, without a sort.
    const bool kept =
        SortedBy(m_sortBefore, m_nColumn, m_bDescending) &&
        std::equal(m_records.begin(), m_records.end(), m_values.begin(),
                   [this](const CSignalDescription* now, const CSignalDescription& before) {
                       return CompareSignals(*now, before, m_nColumn, m_bDescending) == 0;
                   });
    if (!kept)
        SortAll(m_nColumn, m_bDescending);
    End();
}

void CEditSignalsStep::undo() {
    if (m_bReleased)
        return;
    const bool exact = Exact();
    SortBack();
    Exchange();
    if (exact)
        Restore();
}

CChangeSignalsStep::CChangeSignalsStep(CVantorDoc* doc, const QString& text,
                                       std::vector<CSignalDescription*> records,
                                       SignalChangeField field, std::vector<ChangedValues> values,
                                       int column, bool descending)
    : CSignalStep(doc, text), m_values(std::move(values)), m_field(field), m_nColumn(column),
      m_bDescending(descending) {
    // The new values share one text; the old ones the records give up are counted as the
    // records' own.
    m_nSize = sizeof(*this) + m_values.capacity() * sizeof(ChangedValues);
    for (const CSignalDescription* record : records)
        m_nSize += m_field == SignalChangeField::ITU       ? record->m_szITU.Bytes()
                   : m_field == SignalChangeField::Comment ? record->m_szComment.Bytes()
                                                           : 0;
    m_records = std::move(records);
}

void CChangeSignalsStep::redo() {
    if (m_bReleased)
        return;
    Begin();
    m_pDoc->ExchangeFields(m_pDoc->PlacesOf(m_records), m_field, m_values);
    // Sorted by a column the field does not order: each record stays where it is.
    if (!SortedBy(m_sortBefore, m_nColumn, m_bDescending) || ChangeSorts(m_field, m_nColumn))
        SortAll(m_nColumn, m_bDescending);
    End();
}

void CChangeSignalsStep::undo() {
    if (m_bReleased)
        return;
    const bool exact = Exact();
    SortBack();
    m_pDoc->ExchangeFields(m_pDoc->PlacesOf(m_records), m_field, m_values);
    if (exact)
        Restore();
}

CFlagSignalsStep::CFlagSignalsStep(CVantorDoc* doc, const QString& text,
                                   std::vector<CSignalDescription*> records,
                                   std::vector<int> positions)
    : CSignalStep(doc, text) {
    m_nSize = sizeof(*this);
    Hold(std::move(records), std::move(positions));
}

void CFlagSignalsStep::redo() {
    if (!m_bReleased)
        m_pDoc->FlipDisabled(Positions());
}

void CFlagSignalsStep::undo() {
    redo();
}

CStepGroup::CStepGroup(CVantorDoc* doc, const QString& text,
                       std::vector<std::unique_ptr<CSignalStep>> steps)
    : CSignalStep(doc, text), m_steps(std::move(steps)) {
    m_nSize = sizeof(*this);
}

void CStepGroup::redo() {
    for (const auto& step : m_steps)
        step->redo();
}

void CStepGroup::undo() {
    for (auto it = m_steps.rbegin(); it != m_steps.rend(); ++it)
        (*it)->undo();
}

std::size_t CStepGroup::Bytes() const {
    std::size_t bytes = CSignalStep::Bytes();
    for (const auto& step : m_steps)
        bytes += step->Bytes();
    return bytes;
}

void CStepGroup::Release() {
    for (const auto& step : m_steps)
        step->Release();
    CSignalStep::Release();
}

QString CountedText(const QString& one, const QString& many, std::size_t count) {
    return count == 1 ? one : many.arg(count);
}
