#include "SignalComparison.h"

#include "SignalColumns.h"
#include "SignalDiff.h"

#include <utility>

CSignalComparison::CSignalComparison(QString otherPath, SignalCollection other)
    : m_otherPath(std::move(otherPath)), m_other(std::move(other)) {
    m_otherInFileOrder.reserve(m_other.size());
    for (const auto& record : m_other)
        m_otherInFileOrder.push_back(record.get());
    SortSignalCollection(m_other, ColumnName, false);
}

void CSignalComparison::Compare(const SignalCollection& own) {
    SignalPairing pairing = PairSignals(own, m_other);
    m_changed.clear();
    for (const auto& [mine, theirs] : pairing.pairs) {
        if (!SameSignal(*mine, *theirs))
            m_changed.emplace(mine, theirs);
    }
    m_removed = std::unordered_set<const CSignalDescription*>(pairing.removed.begin(),
                                                              pairing.removed.end());
    // In the other's order, as its file lists them.
    std::unordered_set<const CSignalDescription*> added(pairing.added.begin(), pairing.added.end());
    m_added.clear();
    for (const CSignalDescription* record : m_otherInFileOrder) {
        if (added.count(record) != 0)
            m_added.push_back(record);
    }
}

CSignalComparison::State CSignalComparison::StateOf(const CSignalDescription* own) const {
    if (m_changed.count(own) != 0)
        return State::Changed;
    if (m_removed.count(own) != 0)
        return State::Removed;
    return State::Same;
}

const CSignalDescription* CSignalComparison::OtherOf(const CSignalDescription* own) const {
    const auto found = m_changed.find(own);
    return found == m_changed.end() ? nullptr : found->second;
}

CSignalComparison::Counts CSignalComparison::Count() const {
    return {static_cast<int>(m_added.size()), static_cast<int>(m_removed.size()),
            static_cast<int>(m_changed.size())};
}
