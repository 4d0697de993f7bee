#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CSignalDescription;

// A hash index over exactly the fields that CSignalDescription::IsEqual compares, so that
// a merge finds duplicates in constant time instead of scanning every held record. Open
// addressing (a slot is 32 bits of the record's hash and its pointer; at most three slots in
// four used): at most 24 bytes a record, and no allocation per record.
class CSignalIndex {
public:
    void Reserve(std::size_t count);
    // Adding a record equal to one held keeps the earlier one.
    void Add(const CSignalDescription* signal);
    // The first added record equal to signal, or null: the record a scan from the start
    // would find.
    const CSignalDescription* Find(const CSignalDescription& signal) const;

private:
    static std::size_t Hash(const CSignalDescription& signal);
    // The slot holding a record equal to signal, or the empty slot where it would go.
    std::size_t Probe(const CSignalDescription& signal, std::size_t hash) const;
    void Rehash(std::size_t slots);
    bool Full(std::size_t count) const { return 4 * count > 3 * m_signals.size(); }

    // A power of two of slots: the record (null when empty) and its hash's low 32 bits.
    std::vector<const CSignalDescription*> m_signals;
    std::vector<std::uint32_t> m_tags;
    std::size_t m_count = 0;
};
