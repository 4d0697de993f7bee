#pragma once

#include "SignalDescription.h"

#include <cstdint>
#include <string>

// One field set on many signals at once (Change Selected Signals): the decoder mode with its
// code-check count, the code-check count, the ITU designator, the comment, the disabled flag,
// the baud rate or the bandwidth. Each record is checked as the edit dialog checks it; the
// fields not set stay as they were, kept markup included.
enum class SignalChangeField : std::uint8_t {
    Decoder,
    Codecheck,
    ITU,
    Comment,
    Disabled,
    Baudrate,
    Bandwidth,
};

struct SignalChange {
    SignalChangeField field = SignalChangeField::Comment;
    std::int32_t mode = 0;  // Decoder
    std::int32_t count = 0; // Decoder, Codecheck
    std::u16string text;    // ITU, Comment
    bool disabled = false;  // Disabled
    double value = 0;       // Baudrate, Bandwidth (-1: any)
};

// Why a record was left as it was.
enum class ChangeRefusal : std::uint8_t {
    None,
    NoSuchField, // its family has no such field (a CW signal has no baud rate)
    NoDecoder,   // a code-check count without a decoder mode
    Invalid,     // the changed record fails validation: problem says why
};

// The values of the field a change sets (the decoder mode with its code-check count and
// unknown name, a text, a number or the flag) and the validity they give a record: what
// Change Selected Signals gives each record and its undo gives back, instead of a copy of
// each record. Sixteen bytes: a million of them are the step of a change of a million.
class ChangedValues {
public:
    ChangedValues() = default;
    ChangedValues(const ChangedValues& other);
    ChangedValues(ChangedValues&& other) noexcept;
    ChangedValues& operator=(const ChangedValues& other);
    ChangedValues& operator=(ChangedValues&& other) noexcept;
    ~ChangedValues();

    struct Decoder {
        std::int32_t mode;
        std::uint32_t unknownMode;
    };
    union {
        double value = 0;     // Baudrate, Bandwidth
        const char16_t* text; // ITU, Comment: a record text's piece (nullptr: empty)
        Decoder decoder;      // Decoder
    };
    std::int32_t count = 0; // Decoder, Codecheck
    bool disabled = false;
    bool invalid = false;
    bool holdsText = false; // text is the alternative held, and its piece is owned
};

// The values the change gives every record, its text made once so that all of them share it.
ChangedValues GivenValues(const SignalChange& change);
// Trades the field's values between the record and values, and the record's validity with
// values.invalid.
void ExchangeChanged(CSignalDescription& record, SignalChangeField field,
                     ChangedValues& values) noexcept;
// Checks the record with the given values as the edit dialog checks it, and leaves it as it
// was: None and the record's values in values, or why it stays as it was.
ChangeRefusal PrepareChange(CSignalDescription& record, const SignalChange& change,
                            const ChangedValues& given, ChangedValues& values,
                            SignalProblem& problem);
// Whether the field's values take part in the order by the column.
bool ChangeSorts(SignalChangeField field, int column);
