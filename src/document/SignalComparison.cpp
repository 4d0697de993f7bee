#include "SignalComparison.h"

#include "SignalDiff.h"

#include <algorithm>
#include <numeric>
#include <span>
#include <utility>

namespace {

// Beyond this many names, pairing every name costs less than finding the touched ones.
constexpr std::size_t MostTouched = 20000;

std::u16string_view NameOf(const CSignalDescription& s) {
    return s.m_szName.View();
}

} // namespace

CSignalComparison::CSignalComparison(QString otherPath, SignalCollection other)
    : m_otherPath(std::move(otherPath)) {
    // In the order pairing takes them, so that it never sorts them again: by name, file
    // order within a name.
    std::vector<std::size_t> order(other.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&other](std::size_t a, std::size_t b) {
        return NameOf(*other[a]) < NameOf(*other[b]);
    });
    m_other.reserve(other.size());
    for (const std::size_t at : order)
        m_other.push_back(std::move(other[at]));
    m_fileAt = std::move(order);
}

void CSignalComparison::Forget(const std::vector<const CSignalDescription*>& records) {
    if (m_bWhole)
        return;
    for (const CSignalDescription* record : records) {
        m_touched.emplace(NameOf(*record));
        m_changed.erase(record);
        m_removed.erase(record);
    }
    if (m_touched.size() > MostTouched)
        m_bWhole = true;
}

void CSignalComparison::Touch(const std::vector<const CSignalDescription*>& records) {
    if (m_bWhole)
        return;
    for (const CSignalDescription* record : records)
        m_touched.emplace(NameOf(*record));
    if (m_touched.size() > MostTouched)
        m_bWhole = true;
}

void CSignalComparison::Compare(const SignalCollection& own) {
    if (m_bWhole)
        CompareWhole(own);
    else if (!m_touched.empty())
        CompareTouched(own);
    m_bWhole = false;
    m_touched.clear();
}

void CSignalComparison::CompareWhole(const SignalCollection& own) {
    SignalPairing pairing = PairSignals(own, m_other);
    m_changed.clear();
    for (const auto& [mine, theirs] : pairing.pairs) {
        if (!SameSignal(*mine, *theirs))
            m_changed.emplace(mine, theirs);
    }
    m_removed = std::unordered_set<const CSignalDescription*>(pairing.removed.begin(),
                                                              pairing.removed.end());
    const std::unordered_set<const CSignalDescription*> added(pairing.added.begin(),
                                                              pairing.added.end());
    m_addedAt.clear();
    for (std::size_t at = 0; at < m_other.size() && m_addedAt.size() < added.size(); ++at) {
        if (added.count(m_other[at].get()) != 0)
            m_addedAt.push_back(at);
    }
    ListAdded();
}

void CSignalComparison::CompareTouched(const SignalCollection& own) {
    const auto touched = [this](std::u16string_view name) {
        return m_touched.count(std::u16string(name)) != 0;
    };
    // What was found for the touched names goes: the records of a changed pair are named as
    // their partner was when they paired.
    std::erase_if(m_changed, [&](const auto& pair) { return touched(NameOf(*pair.second)); });
    std::erase_if(m_removed, [&](const CSignalDescription* s) { return touched(NameOf(*s)); });
    std::erase_if(m_addedAt, [&](std::size_t at) { return touched(NameOf(*m_other[at])); });
    // The open database's records of those names, in its order. Most records are passed over
    // by their name's length.
    std::unordered_map<std::u16string_view, std::vector<const CSignalDescription*>> mine;
    std::uint64_t lengths = 0;
    for (const std::u16string& name : m_touched) {
        mine[name];
        lengths |= std::uint64_t(1) << std::min<std::size_t>(name.size(), 63);
    }
    for (const auto& record : own) {
        const std::u16string_view name = NameOf(*record);
        if ((lengths & (std::uint64_t(1) << std::min<std::size_t>(name.size(), 63))) == 0)
            continue;
        if (const auto found = mine.find(name); found != mine.end())
            found->second.push_back(record.get());
    }
    std::vector<const CSignalDescription*> theirs;
    for (const auto& [name, records] : mine) {
        const auto first = std::lower_bound(
            m_other.begin(), m_other.end(), name,
            [](const auto& record, std::u16string_view n) { return NameOf(*record) < n; });
        const auto last = std::upper_bound(
            first, m_other.end(), name,
            [](std::u16string_view n, const auto& record) { return n < NameOf(*record); });
        theirs.clear();
        for (auto it = first; it != last; ++it)
            theirs.push_back(it->get());
        const SignalPairing pairing = PairOneName(records, theirs);
        for (const auto& [a, b] : pairing.pairs) {
            if (!SameSignal(*a, *b))
                m_changed.emplace(a, b);
        }
        m_removed.insert(pairing.removed.begin(), pairing.removed.end());
        const auto from = std::size_t(first - m_other.begin());
        for (const CSignalDescription* record : pairing.added)
            m_addedAt.push_back(from + std::size_t(std::find(theirs.begin(), theirs.end(), record) -
                                                   theirs.begin()));
    }
    ListAdded();
}

void CSignalComparison::ListAdded() {
    // In the other's order, as its file lists them.
    std::sort(m_addedAt.begin(), m_addedAt.end(),
              [this](std::size_t a, std::size_t b) { return m_fileAt[a] < m_fileAt[b]; });
    m_added.clear();
    for (const std::size_t at : m_addedAt)
        m_added.push_back(m_other[at].get());
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
