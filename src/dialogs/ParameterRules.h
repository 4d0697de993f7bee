#pragma once

#include <QString>

#include <cstdint>

class CSignalDescription;

// How the editor's number fields are filled from a record and read back: the fill and read
// rules of the modulation pages, and the baud rate / tone duration coupling.

// "%d" when above 0, "*" for the wildcard -1, else empty.
QString CountText(std::int32_t value);
// True when the text (spaces around it aside) is empty, "*" where wildcards are typed, or
// a number whole: a count's digits with an optional sign, or a real the file grammar reads
// to its end ("12abc" is not; "45,45" only where the locale's decimal separator is a comma).
bool IsWholeNumber(const QString& text, bool count, bool wildcard);
// "*" gives -1; anything else reads as a real (0 without a leading number), the locale's
// decimal comma taken as the point.
double ParseRealOrAny(const QString& text);
// Reads a real; "*" gives 0.
double ParseRealText(const QString& text);
// "*" gives -1; anything else reads as a 32-bit unsigned long.
std::int32_t ParseCountOrAny(const QString& text);
// Reads a 32-bit unsigned long; "*" gives 0.
std::int32_t ParseCountText(const QString& text);
// The reciprocal edit's text for a typed baud rate or tone duration: empty for 0, "*" for
// the wildcard, else "%g" of 1000 / value (45 gives 22.2222), in the locale's decimals.
QString CoupledText(const QString& typed);
// Tone duration shown for a stored baud rate: "%g" of 1000 / rate when above 0 (in the
// locale's decimals), else empty.
QString ToneDurationText(double baudrate);
// "%g" of a value as a QString.
QString RealText(double value);
