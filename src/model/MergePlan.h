#pragma once

#include "SignalDescription.h"
#include "SignalDiff.h"
#include "SignalSort.h"

#include <cstdint>
#include <vector>

// What another version of a database would bring into the held one, signal by signal, for a
// review before anything changes. Without a base the other's signals are new, equal to held
// ones (the merge's equality: skipped) or of a held signal's name with other values; with the
// base both came from, the changes of each side since the base are told apart as merge3 tells
// them.
enum class MergeEntryKind : std::uint8_t {
    New,          // the other's own signal
    Identical,    // equal to a held one: the merge skips it
    SameName,     // a held signal has its name and other values
    ChangedThere, // changed by the other side only
    ChangedHere,  // changed on this side only
    ChangedBoth,  // changed on both sides, differently
    RemovedThere, // the other side removed it
    RemovedHere,  // this side removed what the other changed
};

struct MergeEntry {
    MergeEntryKind kind;
    CSignalDescription* here;        // the held signal; null for New and RemovedHere
    const CSignalDescription* there; // the other's; null for RemovedThere
    const CSignalDescription* base;  // with a base, where there is one
    // The fields here and there differ in, and per field whether the other's value is taken
    // (for changed on both sides: the other's where only it changed the field).
    std::vector<FieldDifference> fields;
    std::vector<bool> theirs;
    // Whether applying makes the change: adds the other's signal, gives the held one the
    // chosen values, or removes it.
    bool chosen;
    // Whether the change can be chosen at all (an identical signal brings nothing).
    bool Choosable() const { return kind != MergeEntryKind::Identical || !fields.empty(); }
};

struct MergePlan {
    std::vector<MergeEntry> entries;
    bool threeWay = false;
    // Whether applying the plan as chosen would change anything.
    bool Brings() const;
};

// The other's signals in its order, each against the held ones.
MergePlan PlanMerge(const SignalCollection& here, const SignalCollection& there);
// The changes of both sides since base: the other's changes and additions, then what only
// this side changed, in the base's order.
MergePlan PlanMerge(const SignalCollection& base, const SignalCollection& here,
                    const SignalCollection& there);

// The value a chosen entry gives its held signal: here's with each field chosen from there.
CSignalDescription MergedValue(const MergeEntry& entry);
