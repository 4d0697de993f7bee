#include "SignalIndex.h"

#include "SignalDescription.h"

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
std::size_t CSignalIndex::Hash::operator()(const CSignalDescription* s) const {
    std::size_t seed = 0;
    std::apply([&seed](const auto&... field) { (Combine(seed, HashField(field)), ...); },
               s->EqualityFields());
    return seed;
}

bool CSignalIndex::Equal::operator()(const CSignalDescription* a,
                                     const CSignalDescription* b) const {
    return a->IsEqual(*b);
}
