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

// The record with the change made, in changed; None, or why it stays as it was.
ChangeRefusal ApplyChange(const CSignalDescription& signal, const SignalChange& change,
                          CSignalDescription& changed, SignalProblem& problem);
