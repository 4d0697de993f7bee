#include "MergePlan.h"

#include "SignalIndex.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

using Kind = MergeEntryKind;

// The held signals are the document's own, changed by applying a plan: the index hands them
// back read-only.
CSignalDescription* Held(const CSignalDescription* signal) {
    return const_cast<CSignalDescription*>(signal);
}

// The held signals by name, to find the one another signal of that name is nearest to.
class NameLookup {
public:
    explicit NameLookup(const SignalCollection& here) {
        m_byName.reserve(here.size());
        for (const auto& s : here)
            m_byName[s->m_szName.View()].push_back(s.get());
    }
    // The held signal of other's name that differs from it in the fewest fields, or null.
    CSignalDescription* Nearest(const CSignalDescription& other,
                                std::vector<FieldDifference>& fields) const {
        const auto found = m_byName.find(other.m_szName.View());
        if (found == m_byName.end())
            return nullptr;
        CSignalDescription* nearest = nullptr;
        // A name may stand thousands of times: the first few are weighed.
        constexpr std::size_t Weighed = 16;
        for (std::size_t i = 0; i < found->second.size() && i < Weighed; ++i) {
            std::vector<FieldDifference> differences = DiffFields(*found->second[i], other);
            if (nearest == nullptr || differences.size() < fields.size()) {
                nearest = found->second[i];
                fields = std::move(differences);
            }
        }
        return nearest;
    }

private:
    std::unordered_map<std::u16string_view, std::vector<CSignalDescription*>> m_byName;
};

MergeEntry Entry(Kind kind, CSignalDescription* here, const CSignalDescription* there,
                 const CSignalDescription* base, std::vector<FieldDifference> fields, bool chosen) {
    std::vector<bool> theirs(fields.size(), true);
    return {kind, here, there, base, std::move(fields), std::move(theirs), chosen};
}

// A signal the other side has that is not paired with a held one: skipped when equal to a
// held one (or to one before it in the other), else of a held name or new.
MergeEntry Addition(const CSignalDescription& other, const CSignalIndex& held,
                    CSignalIndex& earlier, const NameLookup& names) {
    if (const CSignalDescription* equal = held.Find(other)) {
        // The merge keeps the held values; those it would keep over the other's are shown.
        std::vector<FieldDifference> fields = DiffFields(*equal, other);
        return Entry(Kind::Identical, Held(equal), &other, nullptr, std::move(fields), false);
    }
    // Equal to one the other holds before it: a duplicate within the other, nothing to choose.
    if (earlier.Find(other) != nullptr)
        return Entry(Kind::Identical, nullptr, &other, nullptr, {}, false);
    earlier.Add(&other);
    std::vector<FieldDifference> fields;
    if (CSignalDescription* named = names.Nearest(other, fields))
        return Entry(Kind::SameName, named, &other, nullptr, std::move(fields), false);
    return Entry(Kind::New, nullptr, &other, nullptr, {}, true);
}

CSignalIndex IndexOf(const SignalCollection& here) {
    CSignalIndex index;
    index.Reserve(here.size());
    for (const auto& s : here)
        index.Add(s.get());
    return index;
}

} // namespace

bool MergePlan::Brings() const {
    return std::any_of(entries.begin(), entries.end(), [](const MergeEntry& e) {
        if (!e.chosen || !e.Choosable())
            return false;
        if (e.kind == Kind::New || e.kind == Kind::RemovedHere || e.kind == Kind::RemovedThere)
            return true;
        return std::find(e.theirs.begin(), e.theirs.end(), true) != e.theirs.end();
    });
}

MergePlan PlanMerge(const SignalCollection& here, const SignalCollection& there) {
    MergePlan plan;
    const CSignalIndex held = IndexOf(here);
    CSignalIndex earlier;
    earlier.Reserve(there.size());
    const NameLookup names(here);
    plan.entries.reserve(there.size());
    for (const auto& other : there)
        plan.entries.push_back(Addition(*other, held, earlier, names));
    return plan;
}

MergePlan PlanMerge(const SignalCollection& base, const SignalCollection& here,
                    const SignalCollection& there) {
    MergePlan plan;
    plan.threeWay = true;
    const SignalPairing withOurs = PairSignals(base, here);
    const SignalPairing withTheirs = PairSignals(base, there);
    std::vector<MergeEntry> ownChanges;
    for (std::size_t i = 0; i < base.size(); ++i) {
        const CSignalDescription* b = base[i].get();
        CSignalDescription* own = Held(withOurs.partners[i]);
        const CSignalDescription* other = withTheirs.partners[i];
        if (own != nullptr && other != nullptr) {
            const bool ownChanged = !SameSignal(*b, *own);
            const bool otherChanged = !SameSignal(*b, *other);
            if ((!ownChanged && !otherChanged) || (ownChanged && SameSignal(*own, *other)))
                continue; // as it was, or the same change on both sides
            const Kind kind = !otherChanged ? Kind::ChangedHere
                              : !ownChanged ? Kind::ChangedThere
                                            : Kind::ChangedBoth;
            MergeEntry entry =
                Entry(kind, own, other, b, DiffFields(*own, *other), kind == Kind::ChangedThere);
            // On both sides: the other's value where only the other changed the field, this
            // side's where this side changed it (as merge3 merges it).
            if (kind == Kind::ChangedBoth) {
                for (std::size_t f = 0; f < entry.fields.size(); ++f)
                    entry.theirs[f] = !StoredFieldDiffers(*b, *own, *entry.fields[f].field);
            }
            (kind == Kind::ChangedHere ? ownChanges : plan.entries).push_back(std::move(entry));
        } else if (own != nullptr) {
            plan.entries.push_back(Entry(Kind::RemovedThere, own, nullptr, b, {}, false));
        } else if (other != nullptr && !SameSignal(*b, *other)) {
            plan.entries.push_back(
                Entry(Kind::RemovedHere, nullptr, other, b, DiffFields(*b, *other), false));
        }
    }
    const CSignalIndex held = IndexOf(here);
    CSignalIndex earlier;
    const NameLookup names(here);
    for (const CSignalDescription* other : withTheirs.added)
        plan.entries.push_back(Addition(*other, held, earlier, names));
    for (MergeEntry& entry : ownChanges)
        plan.entries.push_back(std::move(entry));
    return plan;
}

CSignalDescription MergedValue(const MergeEntry& entry) {
    CSignalDescription value = *entry.here;
    for (std::size_t f = 0; f < entry.fields.size(); ++f) {
        if (entry.theirs[f])
            CopyStoredField(*entry.fields[f].field, *entry.there, value);
    }
    value.Recheck(true);
    return value;
}
