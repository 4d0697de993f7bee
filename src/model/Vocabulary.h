#pragma once

#include <cstdint>
#include <string_view>

// The vocabularies that the record's numeric codes index. Each table is closed by a null entry.

inline constexpr int DecoderModeCount = 234;
inline constexpr int ModulationCount = 6;
inline constexpr int FskSubmodeCount = 2;
inline constexpr int PskSubmodeCount = 5;
inline constexpr int SubcarrierModulationCount = 10;

extern const char16_t* const DecoderModeNames[DecoderModeCount + 1];
extern const char16_t* const ModulationNames[ModulationCount + 1];
extern const char16_t* const FskSubmodeNames[FskSubmodeCount + 1];
extern const char16_t* const PskSubmodeNames[PskSubmodeCount + 1];
extern const char16_t* const SubcarrierModulationNames[SubcarrierModulationCount + 1];

// Modulation family codes as stored in CSignalDescription::m_nModulation.
enum ModulationFamily : std::int32_t {
    ModulationNone = 0,
    ModulationFsk = 1,
    ModulationMfsk = 2,
    ModulationPsk = 3,
    ModulationOfdm = 4,
    ModulationCw = 5,
};

// Index of the first entry equal to text (exact, code unit by code unit), or -1.
std::int32_t LookupTableName(const char16_t* const* table, std::u16string_view text);

// The entry at index, or the empty text when index lies outside the table of the given size.
const char16_t* TableEntry(const char16_t* const* table, int size, std::int32_t index);
