#include "SignalDiff.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace {

bool SameKind(const CSignalDescription& a, const CSignalDescription& b) {
    return a.m_nMode == b.m_nMode && a.m_nUnknownMode == b.m_nUnknownMode &&
           a.m_nModulation == b.m_nModulation && a.m_nSubmode == b.m_nSubmode &&
           a.m_nUnknownModulation == b.m_nUnknownModulation;
}

std::string Markup(const CSignalDescription& s) {
    return s.m_pKept ? s.m_pKept->attributes + s.m_pKept->children : std::string();
}

} // namespace

namespace {

// A record and its name, viewed in the record.
struct Named {
    std::u16string_view name;
    const CSignalDescription* record;
    std::size_t index; // in its collection
};

// The records in name order, in their order within a name. Databases are mostly kept sorted
// by name: then the check is all the sorting costs.
std::vector<Named> ByName(const SignalCollection& records) {
    std::vector<Named> named;
    named.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        named.push_back({records[i]->m_szName.View(), records[i].get(), i});
    const auto byName = [](const Named& a, const Named& b) { return a.name < b.name; };
    if (!std::is_sorted(named.begin(), named.end(), byName))
        std::stable_sort(named.begin(), named.end(), byName);
    return named;
}

// Pairs the records of one name: the same decoder and modulation first when the name
// stands more than once, then in order.
void PairName(std::span<const Named> before, std::span<const Named> after, SignalPairing& pairing) {
    const auto pair = [&pairing](const Named& old, const Named& young) {
        pairing.pairs.emplace_back(old.record, young.record);
        pairing.partners[old.index] = young.record;
    };
    // A name once on each side, or on one side only: nothing to weigh.
    if (before.size() <= 1 && after.size() <= 1) {
        if (!before.empty() && !after.empty())
            pair(before[0], after[0]);
        else if (!before.empty())
            pairing.removed.push_back(before[0].record);
        else if (!after.empty())
            pairing.added.push_back(after[0].record);
        return;
    }
    std::vector<bool> oldTaken(before.size()), newTaken(after.size());
    // A signal left as it was finds itself first, wherever it moved; then one of the same
    // decoder and modulation.
    for (const auto& alike : {SameSignal, SameKind}) {
        for (std::size_t i = 0; i < before.size(); ++i) {
            for (std::size_t j = 0; j < after.size() && !oldTaken[i]; ++j) {
                if (!newTaken[j] && alike(*before[i].record, *after[j].record)) {
                    pair(before[i], after[j]);
                    oldTaken[i] = newTaken[j] = true;
                }
            }
        }
    }
    std::size_t j = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (oldTaken[i])
            continue;
        while (j < after.size() && newTaken[j])
            ++j;
        if (j < after.size()) {
            pair(before[i], after[j]);
            newTaken[j] = true;
        } else {
            pairing.removed.push_back(before[i].record);
        }
    }
    for (std::size_t k = 0; k < after.size(); ++k) {
        if (!newTaken[k])
            pairing.added.push_back(after[k].record);
    }
}

// The end of the run of records named as the one at first.
std::size_t RunEnd(const std::vector<Named>& named, std::size_t first) {
    std::size_t last = first;
    while (last < named.size() && named[last].name == named[first].name)
        ++last;
    return last;
}

} // namespace

SignalPairing PairSignals(const SignalCollection& older, const SignalCollection& newer) {
    const std::vector<Named> olds = ByName(older);
    const std::vector<Named> news = ByName(newer);
    SignalPairing pairing;
    pairing.partners.assign(older.size(), nullptr);
    pairing.pairs.reserve(std::min(older.size(), newer.size()));
    // Names only the newer version has come after the pairs' added ones, in name order.
    std::vector<const CSignalDescription*> newOnly;
    std::size_t j = 0;
    for (std::size_t i = 0; i < olds.size();) {
        const std::size_t oldEnd = RunEnd(olds, i);
        while (j < news.size() && news[j].name < olds[i].name)
            newOnly.push_back(news[j++].record);
        const std::size_t newEnd =
            j < news.size() && news[j].name == olds[i].name ? RunEnd(news, j) : j;
        PairName(std::span(olds).subspan(i, oldEnd - i), std::span(news).subspan(j, newEnd - j),
                 pairing);
        i = oldEnd;
        j = newEnd;
    }
    for (; j < news.size(); ++j)
        newOnly.push_back(news[j].record);
    pairing.added.insert(pairing.added.end(), newOnly.begin(), newOnly.end());
    return pairing;
}

bool SameSignal(const CSignalDescription& a, const CSignalDescription& b) {
    // Mostly the values are the very same: the field by field comparison is for the rest.
    if (a.EqualityFields() == b.EqualityFields() && a.OtherFields() == b.OtherFields() &&
        a.m_nUnknownMode == b.m_nUnknownMode && a.m_nUnknownModulation == b.m_nUnknownModulation &&
        (a.m_pKept == b.m_pKept || Markup(a) == Markup(b)))
        return true;
    for (const StoredField& field : StoredFields()) {
        if (StoredFieldDiffers(a, b, field))
            return false;
    }
    return true;
}

std::vector<FieldDifference> DiffFields(const CSignalDescription& before,
                                        const CSignalDescription& after) {
    std::vector<FieldDifference> differences;
    if (SameSignal(before, after))
        return differences;
    for (const StoredField& field : StoredFields()) {
        if (StoredFieldDiffers(before, after, field))
            differences.push_back({field.key, &field});
    }
    return differences;
}
