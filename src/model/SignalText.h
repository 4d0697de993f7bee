#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Helpers for the record's fixed, null-terminated UTF-16 buffers.

inline bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Copies src into dst (capacity cap including the terminator), cut to cap - 1 code units;
// a cut that would split a surrogate pair keeps one code unit less. Returns the length.
std::size_t CopyText(char16_t* dst, std::size_t cap, std::u16string_view src);

template <std::size_t N> std::size_t CopyText(char16_t (&dst)[N], std::u16string_view src) {
    return CopyText(dst, N, src);
}

inline std::u16string_view TextView(const char16_t* text) {
    return std::u16string_view(text);
}
