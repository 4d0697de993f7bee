#include "SignalMerge3.h"

#include "SignalDiff.h"

#include <map>
#include <unordered_map>

namespace {

std::unique_ptr<CSignalDescription> Copy(const CSignalDescription& s) {
    return std::make_unique<CSignalDescription>(s);
}

} // namespace

ThreeWayMerge MergeThreeWay(const SignalCollection& base, const SignalCollection& ours,
                            const SignalCollection& theirs) {
    ThreeWayMerge merge;
    const SignalPairing withOurs = PairSignals(base, ours);
    const SignalPairing withTheirs = PairSignals(base, theirs);
    // What becomes of each of ours, by ours: merged, or kept as it is.
    std::unordered_map<const CSignalDescription*, std::unique_ptr<CSignalDescription>> merged;
    // Theirs' changes to signals ours removed: kept after ours.
    SignalCollection theirsKept;
    for (std::size_t i = 0; i < base.size(); ++i) {
        const auto& b = base[i];
        const CSignalDescription* own = withOurs.partners[i];
        const CSignalDescription* other = withTheirs.partners[i];
        if (own != nullptr && other != nullptr && SameSignal(*b, *other)) {
            continue; // theirs left it as it was: ours stands
        } else if (own != nullptr && other != nullptr) {
            auto result = Copy(*own);
            for (const StoredField& field : StoredFields()) {
                const bool oursChanged = StoredFieldDiffers(*b, *own, field);
                const bool theirsChanged = StoredFieldDiffers(*b, *other, field);
                if (theirsChanged && !oursChanged)
                    CopyStoredField(field, *other, *result);
                else if (theirsChanged && StoredFieldDiffers(*own, *other, field))
                    merge.conflicts.push_back(
                        {b.get(), own, other, field.key, &field, result.get(), nullptr});
            }
            result->Recheck(true);
            merged[own] = std::move(result);
        } else if (own != nullptr) {
            // Theirs removed it: removed unless ours changed it.
            if (!SameSignal(*b, *own)) {
                auto kept = Copy(*own);
                merge.conflicts.push_back(
                    {b.get(), own, nullptr, "signal", nullptr, kept.get(), nullptr});
                merged[own] = std::move(kept);
            } else {
                merged[own] = nullptr;
            }
        } else if (other != nullptr && !SameSignal(*b, *other)) {
            // Ours removed what theirs changed: theirs' signal is kept, and said.
            theirsKept.push_back(Copy(*other));
            merge.conflicts.push_back(
                {b.get(), nullptr, other, "signal", nullptr, theirsKept.back().get(), nullptr});
        }
    }
    // Signals only theirs added. One ours added alike is the same addition; one ours added
    // under the same name but otherwise is a conflict, and both stay.
    std::multimap<std::u16string_view, const CSignalDescription*> oursAdded;
    for (const CSignalDescription* o : withOurs.added)
        oursAdded.emplace(o->m_szName.View(), o);
    for (const CSignalDescription* t : withTheirs.added) {
        const auto [first, last] = oursAdded.equal_range(t->m_szName.View());
        bool same = false;
        for (auto it = first; it != last && !same; ++it)
            same = SameSignal(*it->second, *t);
        if (same)
            continue;
        theirsKept.push_back(Copy(*t));
        if (first != last) {
            const CSignalDescription* own = first->second;
            auto& kept = merged[own];
            if (!kept)
                kept = Copy(*own);
            for (const FieldDifference& difference : DiffFields(*own, *t))
                merge.conflicts.push_back({nullptr, own, t, difference.key, difference.field,
                                           kept.get(), theirsKept.back().get()});
        }
    }
    merge.records.reserve(ours.size() + theirsKept.size());
    for (const auto& o : ours) {
        const auto found = merged.find(o.get());
        if (found == merged.end())
            merge.records.push_back(Copy(*o));
        else if (found->second)
            merge.records.push_back(std::move(found->second));
    }
    for (auto& t : theirsKept)
        merge.records.push_back(std::move(t));
    return merge;
}
