#include "SignalIndex.h"

#include "SignalDescription.h"

#include <functional>
#include <string_view>

namespace {

void Combine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2);
}

// Numerically equal reals hash alike: 0.0 and -0.0 are the same key.
std::size_t HashReal(double value) {
    return std::hash<double>{}(value == 0 ? 0.0 : value);
}

std::size_t HashText(const char16_t* text) {
    return std::hash<std::u16string_view>{}(std::u16string_view(text));
}

} // namespace

std::size_t CSignalIndex::Hash::operator()(const CSignalDescription* s) const {
    std::size_t seed = HashText(s->m_szName);
    Combine(seed, std::hash<int>{}(s->m_nMode));
    Combine(seed, std::hash<int>{}(s->m_nModulation));
    Combine(seed, std::hash<int>{}(s->m_nSubmode));
    Combine(seed, HashReal(s->m_dBaudrate));
    Combine(seed, HashReal(s->m_dShift));
    Combine(seed, std::hash<int>{}(s->m_nNumTones));
    Combine(seed, std::hash<int>{}(s->m_nNumChannels));
    Combine(seed, HashText(s->m_szSpacing));
    Combine(seed, HashReal(s->m_dPilotFrequency));
    Combine(seed, HashText(s->m_szITU));
    Combine(seed, HashText(s->m_szComment));
    return seed;
}

bool CSignalIndex::Equal::operator()(const CSignalDescription* a,
                                     const CSignalDescription* b) const {
    return a->IsEqual(*b);
}
