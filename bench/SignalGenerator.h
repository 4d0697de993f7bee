#pragma once

#include "SignalSort.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// Realistic signal databases of any size, the same for the same seed: every family,
// wildcards, multicarrier spacing lists, comments with line breaks, ITU designators, about
// 5 % invalid records and 5 % duplicates of earlier ones.
SignalCollection GenerateSignals(std::size_t count, std::uint32_t seed);

// A collection of count records of which every second one equals a record of base.
SignalCollection GenerateMergeSignals(const SignalCollection& base, std::size_t count,
                                      std::uint32_t seed);

bool WriteSignals(const QString& path, const SignalCollection& records);
