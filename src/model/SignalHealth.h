#pragma once

#include "SignalDescription.h"
#include "SignalDiff.h"

#include <cstdint>
#include <vector>

// What is wrong with a database as a whole: signals that repeat one another, signals a
// classifier cannot tell apart, designators that disagree with the record, and each
// record's own faults. Shared by View > Problems and quarn-tool report.

enum class HealthKind : std::uint8_t {
    Duplicate,   // equal (the merge's equality) to an earlier signal
    SameName,    // the name of an earlier signal whose stored values differ
    Confusable,  // enabled, same family, another decoder, every shared value within tolerance
    Designator,  // an ITU designator not of the form, or whose bandwidth disagrees
    Invalid,     // fails validation
    UnknownName, // a decoder mode or modulation this version does not know
};
inline constexpr int HealthKindCount = 6;

// "duplicate", "same-name", "confusable", "designator", "invalid", "unknown-name".
const char* HealthKindKey(HealthKind kind);

struct HealthProblem {
    HealthKind kind;
    const CSignalDescription* signal;
    // The earlier signal of a pair (duplicate, same-name, confusable), else null.
    const CSignalDescription* other = nullptr;
    // Confusable: the largest deviation (a fraction); designator: the bandwidth's.
    double deviation = 0;
    // Designator: the bandwidth it gives in hertz, 0 when it is not of the form.
    double designatorBandwidth = 0;
    // Same-name: the values that differ.
    std::vector<FieldDifference> fields;
    // The places of signal and other (else of signal) in the records searched.
    std::size_t at = 0;
    std::size_t otherAt = 0;
};

struct HealthOptions {
    // A fraction when relative (0.05: 5 %), else in each value's unit.
    double tolerance = 0.05;
    bool relative = true;
};

// The bandwidth an ITU designator's first four characters give in hertz ("3K00" 3000,
// "100H" 100, "1M25" 1250000), or 0 when the designator is not four bandwidth characters
// (three digits and one of H, K, M, G as the decimal point) followed by an emission class
// (a letter, a digit or X, a letter; up to two letters more).
double DesignatorBandwidth(std::u16string_view designator);

// Every problem of the records, which stand in the order that makes one "earlier" than
// another: by signal in that order, a signal's problems in the order of the kinds. Pairs are
// found by sorting within each family, never by comparing every pair.
std::vector<HealthProblem> FindHealthProblems(const std::vector<const CSignalDescription*>& records,
                                              const HealthOptions& options);

// How many duplicates and same-name signals the records hold (what an import or a merge says
// it brought in), without looking for the rest.
struct RepeatCounts {
    int duplicates = 0;
    int sameName = 0;
};
RepeatCounts CountRepeats(const std::vector<const CSignalDescription*>& records);
