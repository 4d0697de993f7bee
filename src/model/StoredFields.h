#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class CSignalDescription;

// Every value of a record that a save keeps, described once: where the file holds it, its
// heading in a spreadsheet, the list column that shows it, and how two values compare.
// Equality for diff and merge3, their copies of a field, and the spreadsheet exchange are
// driven from this table, so that none of them can leave a value out.
enum class StoredFieldId : std::uint8_t {
    Name,
    Decoder,
    Modulation,
    Subcarrier,
    Baudrate,
    Shift,
    Bandwidth,
    NumTones,
    NumTonesMin,
    NumChannels,
    NumChannelsMin,
    Spacing,
    PilotFrequency,
    Codecheck,
    ITU,
    Comment,
    Disabled,
    Markup, // what the record kept of the file without understanding it
};

enum class StoredFieldKind : std::uint8_t {
    Text,
    Decoder,
    Modulation,
    Subcarrier,
    Real,
    Count,
    Flag,
    Markup
};

struct StoredField {
    StoredFieldId id;
    StoredFieldKind kind;
    const char* key;     // as diff and merge3 name it (the list's column keys where it has one)
    const char* element; // the attribute or child element a save writes, null for markup
    const char* heading; // the spreadsheet heading (English, translated in the "Signal"
                         // context), null when a spreadsheet does not carry it
    int column;          // the list column that shows it, or -1
};

// All of them, in the order of the list's columns, then the ones the list does not show.
std::span<const StoredField> StoredFields();
const StoredField& StoredFieldOf(StoredFieldId id);
// The field a key names, or null.
const StoredField* StoredFieldKeyed(std::string_view key);

// A real or a count as a save keeps it, in words: "%g" or "%d" of the value, "*" for the
// wildcard, empty when not given. (StoredFieldText.h gives every field in words.)
std::u16string StoredNumberText(double value);
// Whether a save writes the field differently for a and b.
bool StoredFieldDiffers(const CSignalDescription& a, const CSignalDescription& b,
                        const StoredField& field);
// Gives to the field of from (the decoder and the modulation with the names they were read
// with; the modulation with its submode).
void CopyStoredField(const StoredField& field, const CSignalDescription& from,
                     CSignalDescription& to);
