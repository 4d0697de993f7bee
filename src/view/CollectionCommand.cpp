#include "CollectionCommand.h"

CCollectionCommand::CCollectionCommand(CVantorDoc* doc, const QString& text)
    : QUndoCommand(text), m_pDoc(doc) {}

CCollectionCommand::~CCollectionCommand() {
    // Records only this command still holds die with it, and so does what reading found.
    if (m_pDoc)
        m_pDoc->Discard(m_pool);
}

void CCollectionCommand::SetOrders(std::vector<CSignalDescription*> before,
                                   CVantorDoc::SortOrder sortBefore) {
    m_bReorders = true;
    m_before = std::move(before);
    m_after = m_pDoc->Order();
    m_sortBefore = sortBefore;
    m_sortAfter = m_pDoc->GetSortOrder();
}

void CCollectionCommand::KeepRemoved(SignalCollection&& removed) {
    m_pool = std::move(removed);
}

void CCollectionCommand::AddValueChange(CSignalDescription* record,
                                        const CSignalDescription& before) {
    m_values.push_back({record, before, *record});
}

void CCollectionCommand::AddFlagChange(CSignalDescription* record) {
    m_flags.push_back(record);
}

void CCollectionCommand::undo() {
    Apply(false);
}

void CCollectionCommand::redo() {
    // The change was made before the command was pushed.
    if (m_bFirstRedo) {
        m_bFirstRedo = false;
        return;
    }
    Apply(true);
}

std::size_t CCollectionCommand::Bytes() const {
    constexpr std::size_t pointer = sizeof(CSignalDescription*);
    return sizeof(*this) +
           (m_before.capacity() + m_after.capacity() + m_flags.capacity()) * pointer +
           m_pool.capacity() * sizeof(std::unique_ptr<CSignalDescription>) +
           m_pool.size() * sizeof(CSignalDescription) + m_values.capacity() * sizeof(ValueChange);
}

void CCollectionCommand::Release() {
    if (m_pDoc)
        m_pDoc->Discard(m_pool);
    SignalCollection().swap(m_pool);
    std::vector<CSignalDescription*>().swap(m_before);
    std::vector<CSignalDescription*>().swap(m_after);
    std::vector<ValueChange>().swap(m_values);
    std::vector<CSignalDescription*>().swap(m_flags);
    m_bReorders = false;
    m_bReleased = true;
}

void CCollectionCommand::Apply(bool after) {
    if (!m_pDoc || m_bReleased)
        return;
    for (ValueChange& change : m_values)
        *change.record = after ? change.after : change.before;
    for (CSignalDescription* record : m_flags)
        record->m_bDisabled = !record->m_bDisabled;
    if (m_bReorders) {
        m_pDoc->Rearrange(after ? m_after : m_before, m_pool);
        m_pDoc->SetSortOrder(after ? m_sortAfter : m_sortBefore);
    }
    m_pDoc->UpdateAllViews();
}

QString CountedText(const QString& verb, std::size_t count) {
    if (count == 1)
        return verb + QStringLiteral(" Signal");
    return verb + QStringLiteral(" %1 Signals").arg(count);
}
