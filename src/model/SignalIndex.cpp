#include "SignalIndex.h"

#include "SignalDescription.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <tuple>

namespace {

void Combine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2);
}

// Numerically equal reals hash alike: 0.0 and -0.0 are the same key.
std::size_t HashField(double value) {
    return std::hash<double>{}(value == 0 ? 0.0 : value);
}

std::size_t HashField(std::u16string_view text) {
    return std::hash<std::u16string_view>{}(text);
}

std::size_t HashField(int value) {
    return std::hash<int>{}(value);
}

} // namespace

// Records equal by IsEqual hash alike: the same fields, in the same way.
std::size_t CSignalIndex::Hash(const CSignalDescription& s) {
    std::size_t seed = 0;
    std::apply([&seed](const auto&... field) { (Combine(seed, HashField(field)), ...); },
               s.EqualityFields());
    return seed;
}

void CSignalIndex::Reserve(std::size_t count) {
    std::size_t slots = 16;
    while (4 * count > 3 * slots)
        slots *= 2;
    if (slots > m_signals.size())
        Rehash(slots);
}

std::size_t CSignalIndex::Probe(const CSignalDescription& signal, std::size_t hash) const {
    const std::size_t mask = m_signals.size() - 1;
    const auto tag = static_cast<std::uint32_t>(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const CSignalDescription* held = m_signals[i];
        if (held == nullptr || (m_tags[i] == tag && held->IsEqual(signal)))
            return i;
    }
}

void CSignalIndex::Rehash(std::size_t slots) {
    std::vector<const CSignalDescription*> old(slots, nullptr);
    old.swap(m_signals);
    m_tags.assign(slots, 0);
    const std::size_t mask = slots - 1;
    for (const CSignalDescription* signal : old) {
        if (signal == nullptr)
            continue;
        const std::size_t hash = Hash(*signal);
        std::size_t i = hash & mask;
        while (m_signals[i] != nullptr)
            i = (i + 1) & mask;
        m_signals[i] = signal;
        m_tags[i] = static_cast<std::uint32_t>(hash);
    }
}

void CSignalIndex::Add(const CSignalDescription* signal) {
    if (m_signals.empty() || Full(m_count + 1))
        Rehash(std::max<std::size_t>(16, 2 * m_signals.size()));
    const std::size_t hash = Hash(*signal);
    const std::size_t i = Probe(*signal, hash);
    if (m_signals[i] != nullptr)
        return;
    m_signals[i] = signal;
    m_tags[i] = static_cast<std::uint32_t>(hash);
    ++m_count;
}

const CSignalDescription* CSignalIndex::Find(const CSignalDescription& signal) const {
    if (m_signals.empty())
        return nullptr;
    return m_signals[Probe(signal, Hash(signal))];
}
