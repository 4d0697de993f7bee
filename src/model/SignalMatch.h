#pragma once

#include "SignalDescription.h"
#include "SignalSort.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Finding signals by what was measured: rates, shift, bandwidth, tones and carriers, each
// within a tolerance. A signal matches when every asked value is within the tolerance of
// its own, or its own is the wildcard "*"; a signal without the value does not match. The
// editor's Find by Parameters and quarn-tool find share these rules.
struct ParameterQuery {
    SignalFilter filter = SignalFilter::All;
    // 0: not asked.
    double baud = 0;
    double shift = 0;
    double bandwidth = 0;
    std::int32_t tones = 0;
    std::int32_t carriers = 0;
    // A fraction of the asked value when relative ("5 %": 0.05), else in the value's unit.
    double tolerance = 0.05;
    bool relative = true;

    bool AsksSomething() const;
};

// A tolerance as typed: "5 %" or "5%" is relative, a plain number absolute; false for
// anything else (or a negative number).
bool ParseTolerance(std::string_view text, ParameterQuery& query);
// An asked value: a number above 0, written whole; false otherwise.
bool ParseAskedValue(std::string_view text, double& value);

// How far the signal is from the query: the largest relative deviation |value - asked| /
// asked among the asked values, a wildcard counting as the full tolerance; below 0 when the
// signal does not match (also when the filter leaves it out).
double MatchDeviation(const CSignalDescription& signal, const ParameterQuery& query);

struct ParameterMatch {
    const CSignalDescription* signal;
    double deviation;
};

// The matching records, nearest first, ties in name order.
std::vector<ParameterMatch> FindByParameters(const SignalCollection& records,
                                             const ParameterQuery& query);
