#pragma once

#include <memory>
#include <vector>

class CSignalDescription;

using SignalCollection = std::vector<std::unique_ptr<CSignalDescription>>;

// Compares two records by a list column: -1, 0 or 1 by order, and 2 or -2 when a is, or
// b is, the zero or empty key that sorts last in both directions. A result greater than 0
// puts b before a.
int CompareSignals(const CSignalDescription& a, const CSignalDescription& b, int column,
                   bool descending);

// How many cores a large sort by a text column may take. Two hold a second buffer of keys
// beside the first: an open, which holds the most memory it will, sorts on one.
enum class SortCores { One, Two };

// Stable reorder of the collection by CompareSignals; moves pointers only.
void SortSignalCollection(SignalCollection& records, int column, bool descending,
                          SortCores cores = SortCores::One);
