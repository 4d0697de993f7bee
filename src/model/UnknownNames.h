#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Decoder mode and modulation names (UTF-8) that records were read with but this version does
// not know. Each distinct name is stored once for the whole program; a record refers to it by
// a small number, 0 for none, and keeps it like its other fields.
std::uint32_t InternUnknownName(std::string_view name);
// The name of a number InternUnknownName gave; empty for 0.
const std::string& UnknownName(std::uint32_t index);
