#include "SignalText.h"

// Out of line on purpose: inlined into callers with fixed-size buffers, GCC 12 reports a
// false -Warray-bounds on the copy.
std::size_t CutLength(std::u16string_view src, std::size_t cap) {
    std::size_t len = src.size();
    if (len >= cap) {
        len = cap - 1;
        if (len > 0 && IsHighSurrogate(src[len - 1]) && IsLowSurrogate(src[len]))
            --len;
    }
    return len;
}

std::size_t CopyText(char16_t* dst, std::size_t cap, std::u16string_view src) {
    const std::size_t len = CutLength(src, cap);
    std::u16string_view::traits_type::copy(dst, src.data(), len);
    dst[len] = u'\0';
    return len;
}
