#pragma once

#include <cstdint>

// The record's texts that the interface translates (context "Signal"): the validation
// problems and the column headings, written once here in English.

// Marks a text for the translation tools; the model itself needs no Qt, and Qt's macro of
// the same name does the same.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif

// Why a record fails validation: each problem has its message (English, as files, the tool
// and the tests see it; the interface translates it in the "Signal" context) and the field
// to put right.
enum class SignalProblem : std::uint8_t {
    None,
    NoName,
    NegativeBaudrate,
    NegativeShift,
    NegativeTones,
    NegativeCarriers,
    NoModulation,
    NoBaudrate,
    NoShift,
    NoSpacing,
    TooFewTones,
    NoSymbolRate,
    UnknownModulation,
    CodecheckNotPositive,
};
inline constexpr int SignalProblemCount = 14;

// The field a problem is in; the rate is the baud rate or, for PSK and OFDM, the symbol rate.
enum class SignalField : std::uint8_t {
    None,
    Name,
    Modulation,
    Rate,
    Shift,
    Spacing,
    NumTones,
    NumChannels,
    Codecheck,
};

// The message, null for None.
const char16_t* SignalProblemText(SignalProblem problem);
// The same message as the translation tools know it (ASCII), null for None.
const char* SignalProblemSource(SignalProblem problem);
SignalField SignalProblemField(SignalProblem problem);

// A column's heading (columns as in SignalColumns.h), "" outside them; and the same as the
// translation tools know it (ASCII).
const char16_t* SignalColumnHeading(int column);
const char* SignalColumnSource(int column);
// A column's short key, as quarn-tool names columns: name, decoder, modulation, subcarrier,
// baud, shift, bandwidth, tones, carriers, spacing, pilot, codecheck, itu, comments.
const char* SignalColumnKey(int column);
