#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Number texts as the file and the screen use them, independent of the user's locale:
// reals like "%g" (six significant digits, exponent with sign and at least three digits),
// integers like "%d"; reading follows the decimal grammar of wcstod and the 32-bit wcstoul.

// Longest text FormatReal produces, without terminator ("-1.79769e+308").
inline constexpr std::size_t MaxRealTextLength = 13;

// Writes "%g" of value into out (capacity at least MaxRealTextLength + 1), terminated;
// returns the number of code units written without the terminator.
std::size_t FormatReal(double value, char16_t* out);

// Writes "%d" of value into out (capacity at least 12), terminated; returns its length.
std::size_t FormatInt(std::int32_t value, char16_t* out);

// Reads a real: leading white space, sign, digits, fraction, exponent; stops at the first
// character that does not fit. No digits gives 0; the result is always finite.
double ParseReal(std::u16string_view text);
double ParseReal(std::string_view text);

// How much of text the real conversion takes (leading white space included), or 0 when it
// finds no number there.
std::size_t RealPrefixLength(std::u16string_view text);

// Reads a 32-bit unsigned long in base 10 and returns its two's-complement pattern:
// "-1" and "4294967295" give -1, "12abc" gives 12, "abc" gives 0.
std::int32_t ParseULong(std::u16string_view text);
std::int32_t ParseULong(std::string_view text);
