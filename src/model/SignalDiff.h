#pragma once

#include "SignalDescription.h"
#include "SignalSort.h"
#include "StoredFields.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Two versions of a database compared record by record. Records pair by name; where a name
// stands more than once on a side, first those with the same stored values, then by decoder
// and modulation, then in their order.
struct SignalPairing {
    std::vector<std::pair<const CSignalDescription*, const CSignalDescription*>> pairs;
    std::vector<const CSignalDescription*> removed; // in the old version only
    std::vector<const CSignalDescription*> added;   // in the new version only
    std::vector<std::size_t> addedAt;               // their places in the new version
    // For each record of the old version, in its order: its pair in the new, or nullptr.
    std::vector<const CSignalDescription*> partners;
    // For each record of the old version, in its order: whether its name stands once there
    // and at most once in the new.
    std::vector<bool> alone;
    // The names standing more than once in the old version and at least once in the new,
    // viewed in the old version's records: which of their records pair depends on its order.
    std::vector<std::u16string_view> repeated;
};

SignalPairing PairSignals(const SignalCollection& older, const SignalCollection& newer);

// Pairs the records of one name, each version's in its order, as PairSignals pairs them
// within that name (partners by place in older).
SignalPairing PairOneName(std::span<const CSignalDescription* const> older,
                          std::span<const CSignalDescription* const> newer);

// A stored value that differs (StoredFields.h): its key, and the field to show both values by.
struct FieldDifference {
    const char* key;
    const StoredField* field;
};

// Every value a save keeps the same, kept markup included: no field differs.
bool SameSignal(const CSignalDescription& a, const CSignalDescription& b);

std::vector<FieldDifference> DiffFields(const CSignalDescription& before,
                                        const CSignalDescription& after);
