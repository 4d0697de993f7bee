#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Decoder mode and modulation names (UTF-8) that records were read with but this version does
// not know. Each distinct name is stored once for the whole program; a record refers to it by
// a small number, 0 for none, and keeps it like its other fields.
//
// A record keeps a number in UnknownNameBits bits. Reaching that many distinct names takes
// more than 2^28 records read (each brings two at most), far beyond any memory; should it
// happen, InternUnknownName fails as an allocation does (std::bad_alloc) instead of giving a
// number a record cannot hold.
constexpr unsigned UnknownNameBits = 29;
std::uint32_t InternUnknownName(std::string_view name);
// The name of a number InternUnknownName gave; empty for 0.
const std::string& UnknownName(std::uint32_t index);
