#include "SignalDiff.h"

#include <algorithm>
#include <array>
#include <future>
#include <map>
#include <span>
#include <string_view>
#include <thread>
#include <tuple>
#include <unordered_map>

namespace {

// The decoder and modulation of a record: records of one kind have them the same.
using Kind = std::tuple<std::int32_t, std::uint32_t, std::int32_t, std::int32_t, std::uint32_t>;

Kind KindOf(const CSignalDescription& s) {
    return {s.m_nMode, s.m_nUnknownMode, s.m_nModulation, s.m_nSubmode, s.m_nUnknownModulation};
}

std::string Markup(const CSignalDescription& s) {
    return s.m_pKept ? s.m_pKept->attributes + s.m_pKept->children : std::string();
}

// Every stored value the very same (kept markup too).
bool Identical(const CSignalDescription& a, const CSignalDescription& b) {
    return a.EqualityFields() == b.EqualityFields() && a.OtherFields() == b.OtherFields() &&
           a.m_nUnknownMode == b.m_nUnknownMode &&
           a.m_nUnknownModulation == b.m_nUnknownModulation &&
           (a.m_pKept == b.m_pKept || Markup(a) == Markup(b));
}

// A hash of values that identical records share.
std::size_t ValuesHash(const CSignalDescription& s) {
    std::size_t hash = std::hash<std::u16string_view>()(s.m_szComment.View());
    const auto mix = [&hash](std::size_t value) {
        hash ^= value + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
    };
    mix(std::hash<std::u16string_view>()(s.m_szITU.View()));
    mix(std::hash<std::u16string_view>()(s.m_szSpacing.View()));
    mix(std::hash<double>()(s.m_dBaudrate));
    mix(std::hash<double>()(s.m_dShift));
    mix(std::hash<double>()(s.m_dBandwidth));
    mix(static_cast<std::size_t>(static_cast<std::uint32_t>(s.m_nMode)) << 32 |
        static_cast<std::uint32_t>(s.m_nModulation));
    mix(static_cast<std::size_t>(static_cast<std::uint32_t>(s.m_nNumTones)) << 32 |
        static_cast<std::uint32_t>(s.m_nNumChannels));
    return hash;
}

} // namespace

namespace {

// From this many records in each version, both are put in name order at once.
constexpr std::size_t TwoThreadRecords = 65536;

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

void Add(SignalPairing& pairing, const Named& young) {
    pairing.added.push_back(young.record);
    pairing.addedAt.push_back(young.index);
}

// PairName for a name standing a few times on each side, without a container: the same
// partners in the same order of steps.
constexpr std::size_t Few = 8;
void PairFew(std::span<const Named> before, std::span<const Named> after, SignalPairing& pairing) {
    std::array<bool, Few> oldTaken{}, newTaken{};
    const auto pair = [&](std::size_t i, std::size_t j) {
        pairing.pairs.emplace_back(before[i].record, after[j].record);
        pairing.partners[before[i].index] = after[j].record;
        oldTaken[i] = newTaken[j] = true;
    };
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (Identical(*before[i].record, *after[i].record))
            pair(i, i);
    }
    // Each left takes the first one left that is the same (then of its kind, then any).
    const auto takeFirst = [&](auto matches) {
        for (std::size_t i = 0; i < before.size(); ++i) {
            for (std::size_t j = 0; j < after.size() && !oldTaken[i]; ++j) {
                if (!newTaken[j] && matches(*before[i].record, *after[j].record))
                    pair(i, j);
            }
        }
    };
    takeFirst(
        [](const CSignalDescription& a, const CSignalDescription& b) { return Identical(a, b); });
    takeFirst([](const CSignalDescription& a, const CSignalDescription& b) {
        return KindOf(a) == KindOf(b);
    });
    takeFirst([](const CSignalDescription&, const CSignalDescription&) { return true; });
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!oldTaken[i])
            pairing.removed.push_back(before[i].record);
    }
    for (std::size_t j = 0; j < after.size(); ++j) {
        if (!newTaken[j])
            Add(pairing, after[j]);
    }
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
        if (!before.empty())
            pairing.alone[before[0].index] = true;
        if (!before.empty() && !after.empty())
            pair(before[0], after[0]);
        else if (!before.empty())
            pairing.removed.push_back(before[0].record);
        else if (!after.empty())
            Add(pairing, after[0]);
        return;
    }
    if (before.size() > 1 && !after.empty())
        pairing.repeated.push_back(before.front().name);
    if (before.size() <= Few && after.size() <= Few) {
        PairFew(before, after, pairing);
        return;
    }
    std::vector<bool> oldTaken(before.size()), newTaken(after.size());
    // A signal left as it was at its place pairs there: equal signals of one name keep their
    // partners (a change to one of two equal signals is the change of that one).
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (Identical(*before[i].record, *after[i].record)) {
            pair(before[i], after[i]);
            oldTaken[i] = newTaken[i] = true;
        }
    }
    // One left as it was elsewhere finds itself next, wherever it moved: looked up by its values
    // (a name may stand thousands of times, an empty one above all), the first of equal
    // ones first, so that equal signals keep their order.
    struct Bucket {
        std::vector<std::size_t> indices; // ascending
        std::size_t first = 0;            // those before it are taken
    };
    // A few of one name are compared with each other at once.
    const bool few = after.size() <= 8;
    std::unordered_map<std::size_t, Bucket> byValues;
    if (few) {
        Bucket& all = byValues[0];
        for (std::size_t j = 0; j < after.size(); ++j)
            all.indices.push_back(j);
    } else {
        byValues.reserve(after.size());
        for (std::size_t j = 0; j < after.size(); ++j)
            byValues[ValuesHash(*after[j].record)].indices.push_back(j);
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (oldTaken[i])
            continue;
        const auto found = byValues.find(few ? 0 : ValuesHash(*before[i].record));
        if (found == byValues.end())
            continue;
        Bucket& bucket = found->second;
        while (bucket.first < bucket.indices.size() && newTaken[bucket.indices[bucket.first]])
            ++bucket.first;
        for (std::size_t k = bucket.first; k < bucket.indices.size(); ++k) {
            const std::size_t j = bucket.indices[k];
            if (!newTaken[j] && Identical(*before[i].record, *after[j].record)) {
                pair(before[i], after[j]);
                oldTaken[i] = newTaken[j] = true;
                break;
            }
        }
    }
    // Then the first one left of the same decoder and modulation, found among those of its
    // kind (a name may stand thousands of times on each side).
    std::map<Kind, Bucket> byKind;
    for (std::size_t j = 0; j < after.size(); ++j) {
        if (!newTaken[j])
            byKind[KindOf(*after[j].record)].indices.push_back(j);
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (oldTaken[i])
            continue;
        const auto found = byKind.find(KindOf(*before[i].record));
        if (found == byKind.end())
            continue;
        Bucket& bucket = found->second;
        while (bucket.first < bucket.indices.size() && newTaken[bucket.indices[bucket.first]])
            ++bucket.first;
        if (bucket.first < bucket.indices.size()) {
            const std::size_t j = bucket.indices[bucket.first++];
            pair(before[i], after[j]);
            oldTaken[i] = newTaken[j] = true;
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
            Add(pairing, after[k]);
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
    // Each version's names on a core of its own when both are large.
    std::future<std::vector<Named>> newsLater;
    if (std::min(older.size(), newer.size()) >= TwoThreadRecords &&
        std::thread::hardware_concurrency() > 1)
        newsLater = std::async(std::launch::async, [&newer] { return ByName(newer); });
    const std::vector<Named> olds = ByName(older);
    const std::vector<Named> news = newsLater.valid() ? newsLater.get() : ByName(newer);
    SignalPairing pairing;
    pairing.partners.assign(older.size(), nullptr);
    pairing.pairs.reserve(std::min(older.size(), newer.size()));
    pairing.alone.assign(older.size(), false);
    // Names only the newer version has come after the pairs' added ones, in name order.
    std::vector<Named> newOnly;
    std::size_t j = 0;
    // The names are read in an order their memory does not have: those a few runs ahead are
    // fetched while these are compared.
    constexpr std::size_t Ahead = 16;
    for (std::size_t i = 0; i < olds.size();) {
        if (i + Ahead < olds.size())
            __builtin_prefetch(olds[i + Ahead].name.data());
        if (j + Ahead < news.size())
            __builtin_prefetch(news[j + Ahead].name.data());
        const std::size_t oldEnd = RunEnd(olds, i);
        while (j < news.size() && news[j].name < olds[i].name)
            newOnly.push_back(news[j++]);
        const std::size_t newEnd =
            j < news.size() && news[j].name == olds[i].name ? RunEnd(news, j) : j;
        PairName(std::span(olds).subspan(i, oldEnd - i), std::span(news).subspan(j, newEnd - j),
                 pairing);
        i = oldEnd;
        j = newEnd;
    }
    for (; j < news.size(); ++j)
        newOnly.push_back(news[j]);
    for (const Named& young : newOnly)
        Add(pairing, young);
    return pairing;
}

SignalPairing PairOneName(std::span<const CSignalDescription* const> older,
                          std::span<const CSignalDescription* const> newer) {
    const auto named = [](std::span<const CSignalDescription* const> records) {
        std::vector<Named> list;
        list.reserve(records.size());
        for (std::size_t i = 0; i < records.size(); ++i)
            list.push_back({records[i]->m_szName.View(), records[i], i});
        return list;
    };
    const std::vector<Named> olds = named(older);
    const std::vector<Named> news = named(newer);
    SignalPairing pairing;
    pairing.partners.assign(older.size(), nullptr);
    pairing.alone.assign(older.size(), false);
    PairName(olds, news, pairing);
    return pairing;
}

bool SameSignal(const CSignalDescription& a, const CSignalDescription& b) {
    // Mostly the values are the very same: the field by field comparison is for the rest.
    if (Identical(a, b))
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
