#pragma once

#include "SignalDescription.h"

#include <QRandomGenerator>
#include <QString>

#include <string>

// Random records for round-trip tests: texts from every plane XML 1.0 can carry, reals with
// many digits, wildcards, negative and out-of-range values, every family and submode.

std::u16string RandomText(QRandomGenerator& random, int maxUnits);
double RandomReal(QRandomGenerator& random);
std::int32_t RandomCount(QRandomGenerator& random);
// Not validated: the caller decides.
CSignalDescription RandomRecord(QRandomGenerator& random);

// Every stored value of a record in one line, for failure messages.
QString Describe(const CSignalDescription& s);
// True when every stored field, the validity and the merged flag are the same.
bool SameStoredValues(const CSignalDescription& a, const CSignalDescription& b);
