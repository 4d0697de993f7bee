#pragma once

#include "SignalDescription.h"
#include "SignalSort.h"

#include <string>
#include <utility>
#include <vector>

// Two versions of a database compared record by record. Records pair by name; where a name
// stands more than once on a side, by name, decoder and modulation, then in their order.
struct SignalPairing {
    std::vector<std::pair<const CSignalDescription*, const CSignalDescription*>> pairs;
    std::vector<const CSignalDescription*> removed; // in the old version only
    std::vector<const CSignalDescription*> added;   // in the new version only
    // For each record of the old version, in its order: its pair in the new, or nullptr.
    std::vector<const CSignalDescription*> partners;
};

SignalPairing PairSignals(const SignalCollection& older, const SignalCollection& newer);

// A field that differs: its key (the list's column keys as quarn-tool's --sort takes them,
// then "disabled" and "markup") and its texts as the list shows them ("0" and "1" for
// disabled; none for markup, which the records hold as UTF-8).
struct FieldDifference {
    const char* key;
    std::u16string before;
    std::u16string after;
};

// Every stored value the same, kept markup included: no field differs.
bool SameSignal(const CSignalDescription& a, const CSignalDescription& b);

std::vector<FieldDifference> DiffFields(const CSignalDescription& before,
                                        const CSignalDescription& after);
