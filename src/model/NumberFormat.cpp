#include "NumberFormat.h"

#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

bool IsSpace(char32_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

// Copies the longest prefix of text that matches the decimal grammar into buf as ASCII
// (without a leading '+'); returns its length, or 0 when the prefix holds no digit. A
// length of cap or more means buf was too small: it holds only a part.
template <typename Char>
std::size_t ScanReal(std::basic_string_view<Char> text, char* buf, std::size_t cap,
                     std::size_t* consumed = nullptr) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsSpace(text[i]))
        ++i;
    std::size_t len = 0;
    auto put = [&](Char c) {
        if (len + 1 < cap)
            buf[len] = static_cast<char>(c);
        ++len;
    };
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            put(text[i]);
        ++i;
    }
    bool digits = false;
    while (i < n && IsDigit(text[i])) {
        put(text[i++]);
        digits = true;
    }
    if (i < n && text[i] == '.') {
        put(text[i++]);
        while (i < n && IsDigit(text[i])) {
            put(text[i++]);
            digits = true;
        }
    }
    if (!digits)
        return 0;
    auto terminate = [&] { buf[len < cap ? len : cap - 1] = '\0'; };
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < n && IsDigit(text[j])) {
            while (i < j)
                put(text[i++]);
            while (i < n && IsDigit(text[i]))
                put(text[i++]);
        }
    }
    terminate();
    if (consumed)
        *consumed = i;
    return len;
}

double ConvertScanned(const char* buf, std::size_t len) {
    double value = 0.0;
    const auto result = std::from_chars(buf, buf + len, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow or underflow: take the C library's rounding, then keep it finite.
        static locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
        value = strtod_l(buf, nullptr, cLocale);
    }
    if (!std::isfinite(value))
        value = std::signbit(value) ? -DBL_MAX : DBL_MAX;
    return value;
}

template <typename Char> double ParseRealImpl(std::basic_string_view<Char> text) {
    char buf[64];
    const std::size_t len = ScanReal(text, buf, sizeof buf);
    if (len == 0)
        return 0.0;
    if (len < sizeof buf)
        return ConvertScanned(buf, len);
    // A numeral of any length is read whole: its exponent may come after many digits.
    std::string whole(len + 1, '\0');
    ScanReal(text, whole.data(), whole.size());
    return ConvertScanned(whole.data(), len);
}

template <typename Char> std::int32_t ParseULongImpl(std::basic_string_view<Char> text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t value = 0;
    bool overflow = false;
    while (i < n && IsDigit(text[i])) {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (value > 0xFFFFFFFFull) {
            overflow = true;
            value = 0xFFFFFFFFull;
        }
        ++i;
    }
    std::uint32_t result = static_cast<std::uint32_t>(value);
    if (overflow)
        result = 0xFFFFFFFFu;
    else if (negative)
        result = 0u - result;
    return static_cast<std::int32_t>(result);
}

} // namespace

std::size_t RealPrefixLength(std::u16string_view text) {
    char buf[64];
    std::size_t consumed = 0;
    return ScanReal(text, buf, sizeof buf, &consumed) == 0 ? 0 : consumed;
}

std::size_t FormatReal(double value, char16_t* out) {
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    std::size_t len = static_cast<std::size_t>(result.ptr - buf);
    std::size_t o = 0;
    for (std::size_t i = 0; i < len; ++i) {
        out[o++] = static_cast<char16_t>(buf[i]);
        if (buf[i] == 'e') {
            // Sign, then the exponent's digits padded to at least three.
            out[o++] = static_cast<char16_t>(buf[++i]);
            const std::size_t digits = len - i - 1;
            for (std::size_t pad = digits; pad < 3; ++pad)
                out[o++] = u'0';
        }
    }
    out[o] = u'\0';
    return o;
}

std::size_t FormatInt(std::int32_t value, char16_t* out) {
    char buf[16];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    std::size_t len = static_cast<std::size_t>(result.ptr - buf);
    for (std::size_t i = 0; i < len; ++i)
        out[i] = static_cast<char16_t>(buf[i]);
    out[len] = u'\0';
    return len;
}

double ParseReal(std::u16string_view text) {
    return ParseRealImpl(text);
}
double ParseReal(std::string_view text) {
    return ParseRealImpl(text);
}
std::int32_t ParseULong(std::u16string_view text) {
    return ParseULongImpl(text);
}
std::int32_t ParseULong(std::string_view text) {
    return ParseULongImpl(text);
}
