#pragma once

#include "SignalDescription.h"
#include "SignalSort.h"

#include <string>
#include <vector>

// A three-way merge of database versions, as version control merges two edited copies of a
// common base: changes from both sides apply (signals added, removed, fields changed on one
// side); a field changed differently on both sides, or a signal removed on one side and
// changed on the other, is a conflict, and the merge keeps ours for it.
struct MergeConflict {
    const CSignalDescription* base;   // null for a signal both sides added
    const CSignalDescription* ours;   // null when ours removed it
    const CSignalDescription* theirs; // null when theirs removed it
    const char* key;                  // the field, or "signal" for removed against changed
};

struct ThreeWayMerge {
    SignalCollection records; // ours' order, then what only theirs added
    std::vector<MergeConflict> conflicts;
};

ThreeWayMerge MergeThreeWay(const SignalCollection& base, const SignalCollection& ours,
                            const SignalCollection& theirs);

// The fields a merge weighs, by key: the list's column keys, "disabled" and "markup".
const std::vector<const char*>& MergeFieldKeys();
// Whether a and b differ in the field.
bool FieldDiffers(const CSignalDescription& a, const CSignalDescription& b, const char* key);
// Gives to the field of from.
void CopyField(const char* key, const CSignalDescription& from, CSignalDescription& to);
