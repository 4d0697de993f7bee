#pragma once

#include "SignalDescription.h"
#include "SignalSort.h"
#include "StoredFields.h"

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
    const StoredField* field;         // the field's description, null for "signal"
    // In the merge's records: the signal that holds ours' value (or the one kept), and for
    // a signal both sides added differently, theirs beside it.
    CSignalDescription* merged;
    CSignalDescription* mergedTheirs;
};

struct ThreeWayMerge {
    // ours' order, then what only theirs added (or changed where ours removed it)
    SignalCollection records;
    std::vector<MergeConflict> conflicts;
};

ThreeWayMerge MergeThreeWay(const SignalCollection& base, const SignalCollection& ours,
                            const SignalCollection& theirs);
