#pragma once

#include <cstddef>
#include <unordered_set>

class CSignalDescription;

// A hash index over exactly the fields that CSignalDescription::IsEqual compares, so that
// a merge finds duplicates in constant time instead of scanning every held record.
class CSignalIndex {
public:
    void Reserve(std::size_t count) { m_signals.reserve(count); }
    void Add(const CSignalDescription* signal) { m_signals.insert(signal); }
    // The first added record equal to signal, or null. Adding a record equal to one held
    // keeps the earlier one, so this is the record a scan from the start would find.
    const CSignalDescription* Find(const CSignalDescription& signal) const {
        const auto it = m_signals.find(&signal);
        return it == m_signals.end() ? nullptr : *it;
    }

private:
    struct Hash {
        std::size_t operator()(const CSignalDescription* signal) const;
    };
    struct Equal {
        bool operator()(const CSignalDescription* a, const CSignalDescription* b) const;
    };
    std::unordered_set<const CSignalDescription*, Hash, Equal> m_signals;
};
