#include "SignalComparison.h"

#include "SignalDiff.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <future>
#include <iterator>
#include <limits>
#include <numeric>
#include <span>
#include <thread>
#include <unordered_map>
#include <utility>

namespace {

// Beyond this many names, pairing every name costs less than finding the touched ones.
constexpr std::size_t MostTouched = 20000;
// The same for the names a new order decides (at a million signals, 44,000 of them paired in
// a third of the time of every name, their records found by the other's name slots).
constexpr std::size_t MostRearranged = 100000;
// From this many pairs on, their values are compared on two threads.
constexpr std::size_t TwoThreadPairs = 65536;

std::u16string_view NameOf(const CSignalDescription& s) {
    return s.m_szName.View();
}

using Pairs = std::vector<std::pair<const CSignalDescription*, const CSignalDescription*>>;

// Which pairs differ, read from both versions on two cores when there are many: a million
// pairs are a million records of each version read in an order their memory does not have.
std::vector<char> Differing(const Pairs& pairs) {
    std::vector<char> differs(pairs.size());
    const auto check = [&pairs, &differs](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            differs[i] = !SameSignal(*pairs[i].first, *pairs[i].second);
    };
    if (pairs.size() >= TwoThreadPairs && std::thread::hardware_concurrency() > 1) {
        const std::size_t half = pairs.size() / 2;
        std::future<void> second = std::async(std::launch::async, check, half, pairs.size());
        check(0, half);
        second.get();
    } else {
        check(0, pairs.size());
    }
    return differs;
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
    // At most half full; from 2^32 - 1 records on, a name is searched for.
    if (m_other.size() >= std::numeric_limits<std::uint32_t>::max())
        return;
    std::vector<std::uint32_t> starts;
    for (std::size_t i = 0; i < m_other.size(); ++i) {
        if (i == 0 || NameOf(*m_other[i]) != NameOf(*m_other[i - 1]))
            starts.push_back(static_cast<std::uint32_t>(i));
    }
    m_nameSlots.assign(std::bit_ceil(std::max<std::size_t>(2 * starts.size(), 16)), 0);
    const std::size_t mask = m_nameSlots.size() - 1;
    for (const std::uint32_t start : starts) {
        std::size_t slot = std::hash<std::u16string_view>()(NameOf(*m_other[start])) & mask;
        while (m_nameSlots[slot] != 0)
            slot = (slot + 1) & mask;
        m_nameSlots[slot] = start + 1;
    }
}

std::pair<std::size_t, std::size_t> CSignalComparison::OtherRun(std::u16string_view name) const {
    std::size_t first = m_other.size();
    if (m_nameSlots.empty()) {
        first = std::lower_bound(
                    m_other.begin(), m_other.end(), name,
                    [](const auto& record, std::u16string_view n) { return NameOf(*record) < n; }) -
                m_other.begin();
    } else {
        const std::size_t mask = m_nameSlots.size() - 1;
        for (std::size_t slot = std::hash<std::u16string_view>()(name) & mask;
             m_nameSlots[slot] != 0; slot = (slot + 1) & mask) {
            if (NameOf(*m_other[m_nameSlots[slot] - 1]) == name) {
                first = m_nameSlots[slot] - 1;
                break;
            }
        }
    }
    std::size_t last = first;
    while (last < m_other.size() && NameOf(*m_other[last]) == name)
        ++last;
    return {first, last};
}

void CSignalComparison::Changing(const std::vector<const CSignalDescription*>& records) {
    for (const CSignalDescription* record : records) {
        if (m_bWhole)
            return;
        // One paired alone is looked at once it has changed: its partner holds its name.
        if (!m_single.contains(record))
            Unpair(record);
    }
}

void CSignalComparison::Changed(const std::vector<const CSignalDescription*>& records) {
    for (const CSignalDescription* record : records) {
        if (m_bWhole)
            return;
        const auto found = m_single.constFind(record);
        if (found == m_single.cend()) {
            TouchName(NameOf(*record));
            continue;
        }
        const CSignalDescription* theirs = found.value();
        if (NameOf(*record) == NameOf(*theirs)) {
            m_refresh.push_back(record);
            continue;
        }
        m_single.erase(found);
        m_changed.remove(record);
        TouchName(NameOf(*theirs));
        TouchName(NameOf(*record));
    }
}

void CSignalComparison::Leaving(const std::vector<const CSignalDescription*>& records) {
    for (const CSignalDescription* record : records) {
        if (m_bWhole)
            return;
        if (const auto found = m_single.constFind(record); found != m_single.cend()) {
            const CSignalDescription* theirs = found.value();
            m_single.erase(found);
            m_changed.remove(record);
            TouchName(NameOf(*theirs));
        } else {
            Unpair(record);
        }
    }
}

void CSignalComparison::Came(const std::vector<const CSignalDescription*>& records) {
    for (const CSignalDescription* record : records) {
        if (m_bWhole)
            return;
        TouchName(NameOf(*record));
    }
}

void CSignalComparison::Rearranged() {
    m_bRearranged = true;
}

void CSignalComparison::Unpair(const CSignalDescription* record) {
    m_changed.remove(record);
    m_removed.remove(record);
    m_single.remove(record);
    TouchName(NameOf(*record));
}

void CSignalComparison::TouchName(std::u16string_view name) {
    m_touched.emplace(name);
    if (m_touched.size() > MostTouched) {
        m_bWhole = true;
        m_touched.clear();
        m_refresh.clear();
    }
}

void CSignalComparison::Compare(const SignalCollection& own) {
    // After a new order, the names it decides pair again: a few by their names, many by
    // pairing every name.
    if (m_bRearranged && !m_bWhole) {
        if (m_touched.size() + m_repeated.size() > MostRearranged)
            m_bWhole = true;
        else
            m_touched.insert(m_repeated.begin(), m_repeated.end());
    }
    if (m_bWhole) {
        CompareWhole(own);
    } else {
        if (!m_touched.empty())
            CompareTouched(own);
        Refresh();
    }
    m_bWhole = false;
    m_bRearranged = false;
    m_touched.clear();
    m_refresh.clear();
}

void CSignalComparison::CompareWhole(const SignalCollection& own) {
    SignalPairing pairing = PairSignals(own, m_other);
    const auto& pairs = pairing.pairs;
    const std::vector<char> differs = Differing(pairs);
    m_changed.clear();
    m_changed.reserve(static_cast<qsizetype>(std::count(differs.begin(), differs.end(), 1)));
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (differs[i])
            m_changed.insert(pairs[i].first, pairs[i].second);
    }
    m_single.clear();
    m_single.reserve(
        static_cast<qsizetype>(std::count(pairing.alone.begin(), pairing.alone.end(), true)));
    for (std::size_t i = 0; i < own.size(); ++i) {
        if (pairing.alone[i] && pairing.partners[i] != nullptr)
            m_single.insert(own[i].get(), pairing.partners[i]);
    }
    m_repeated.clear();
    for (const std::u16string_view name : pairing.repeated)
        m_repeated.emplace(name);
    m_removed.clear();
    m_removed.reserve(static_cast<qsizetype>(pairing.removed.size()));
    for (const CSignalDescription* record : pairing.removed)
        m_removed.insert(record);
    // The other is in name order already, so its places in the pairing are those in m_other;
    // listed in the other's order, as its file lists them.
    m_addedAt = std::move(pairing.addedAt);
    std::sort(m_addedAt.begin(), m_addedAt.end(),
              [this](std::size_t a, std::size_t b) { return m_fileAt[a] < m_fileAt[b]; });
    ListAdded();
}

void CSignalComparison::CompareTouched(const SignalCollection& own) {
    // The open database's records of the touched names, in its order. Most records are
    // passed over by their name's length.
    std::unordered_map<std::u16string_view, std::vector<const CSignalDescription*>> mine;
    std::uint64_t lengths = 0;
    for (const std::u16string& name : m_touched) {
        mine[name];
        lengths |= std::uint64_t(1) << std::min<std::size_t>(name.size(), 63);
    }
    // The records lie in memory in another order than the list's: those a few ahead are
    // asked for while one is looked at.
    constexpr std::size_t Ahead = 16;
    for (std::size_t i = 0; i < own.size(); ++i) {
        if (i + 2 * Ahead < own.size())
            __builtin_prefetch(own[i + 2 * Ahead].get());
        if (i + Ahead < own.size())
            __builtin_prefetch(own[i + Ahead]->m_szName.c_str());
        const auto& record = own[i];
        const std::u16string_view name = NameOf(*record);
        if ((lengths & (std::uint64_t(1) << std::min<std::size_t>(name.size(), 63))) == 0)
            continue;
        if (const auto found = mine.find(name); found != mine.end())
            found->second.push_back(record.get());
    }
    // What was found for them goes. A record that paired under another name than it has now
    // was forgotten before it changed.
    for (const auto& [name, records] : mine) {
        for (const CSignalDescription* record : records) {
            m_changed.remove(record);
            m_removed.remove(record);
            m_single.remove(record);
        }
    }
    // The other's records of each name, a run of places.
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    runs.reserve(mine.size());
    for (const auto& [name, records] : mine)
        runs.push_back(OtherRun(name));
    // Those the other adds of these names go, from both lists at once (m_added[i] is
    // m_other[m_addedAt[i]]).
    // The runs are apart (one name each): in their order, the one a place may lie in is the
    // last that starts at or before it.
    std::vector<std::pair<std::size_t, std::size_t>> apart;
    std::copy_if(runs.begin(), runs.end(), std::back_inserter(apart),
                 [](const auto& run) { return run.first < run.second; });
    std::sort(apart.begin(), apart.end());
    const auto inRun = [&apart](std::size_t at) {
        const auto after =
            std::upper_bound(apart.begin(), apart.end(), at,
                             [](std::size_t a, const auto& run) { return a < run.first; });
        return after != apart.begin() && at < std::prev(after)->second;
    };
    std::size_t left = 0;
    for (std::size_t i = 0; i < m_addedAt.size(); ++i) {
        const std::size_t at = m_addedAt[i];
        if (inRun(at))
            continue;
        m_addedAt[left] = at;
        m_added[left] = m_added[i];
        ++left;
    }
    m_addedAt.resize(left);
    m_added.resize(left);
    std::vector<std::size_t> added;
    std::vector<const CSignalDescription*> theirs;
    std::size_t k = 0;
    for (const auto& [name, records] : mine) {
        const auto [from, to] = runs[k++];
        theirs.clear();
        for (std::size_t at = from; at < to; ++at)
            theirs.push_back(m_other[at].get());
        const SignalPairing pairing = PairOneName(records, theirs);
        for (const auto& [a, b] : pairing.pairs) {
            if (!SameSignal(*a, *b))
                m_changed.insert(a, b);
        }
        if (records.size() == 1 && theirs.size() == 1)
            m_single.insert(records.front(), theirs.front());
        if (records.size() > 1 && !theirs.empty())
            m_repeated.emplace(name);
        else
            m_repeated.erase(std::u16string(name));
        for (const CSignalDescription* record : pairing.removed)
            m_removed.insert(record);
        for (const std::size_t at : pairing.addedAt)
            added.push_back(from + at);
    }
    // Into the file's order of those that stay.
    const auto byFile = [this](std::size_t a, std::size_t b) { return m_fileAt[a] < m_fileAt[b]; };
    std::sort(added.begin(), added.end(), byFile);
    if (added.empty())
        return;
    const std::size_t kept = m_addedAt.size();
    m_addedAt.insert(m_addedAt.end(), added.begin(), added.end());
    std::inplace_merge(m_addedAt.begin(), m_addedAt.begin() + std::ptrdiff_t(kept), m_addedAt.end(),
                       byFile);
    ListAdded();
}

void CSignalComparison::Refresh() {
    Pairs pairs;
    pairs.reserve(m_refresh.size());
    for (const CSignalDescription* record : m_refresh) {
        // Gone since, or paired again under a touched name: nothing to look at.
        if (const auto found = m_single.constFind(record); found != m_single.cend())
            pairs.emplace_back(record, found.value());
    }
    const std::vector<char> differs = Differing(pairs);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (differs[i])
            m_changed.insert(pairs[i].first, pairs[i].second);
        else
            m_changed.remove(pairs[i].first);
    }
}

void CSignalComparison::ListAdded() {
    m_added.clear();
    for (const std::size_t at : m_addedAt)
        m_added.push_back(m_other[at].get());
}

CSignalComparison::State CSignalComparison::StateOf(const CSignalDescription* own) const {
    if (m_changed.contains(own))
        return State::Changed;
    if (m_removed.contains(own))
        return State::Removed;
    return State::Same;
}

const CSignalDescription* CSignalComparison::OtherOf(const CSignalDescription* own) const {
    return m_changed.value(own, nullptr);
}

CSignalComparison::Counts CSignalComparison::Count() const {
    return {static_cast<int>(m_added.size()), static_cast<int>(m_removed.size()),
            static_cast<int>(m_changed.size())};
}
