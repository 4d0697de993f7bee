#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

// The record's texts: UTF-16, null-terminated, with a fixed capacity in code units.

inline bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
// A code unit XML can carry (a surrogate's pairing is judged apart): no control character
// but tab, line feed and carriage return, and neither U+FFFE nor U+FFFF.
inline bool IsXmlCodeUnit(char16_t c) {
    if (c < 0x20)
        return c == u'\t' || c == u'\n' || c == u'\r';
    return c != 0xFFFE && c != 0xFFFF;
}

// Copies src into dst (capacity cap including the terminator), cut to cap - 1 code units;
// a cut that would split a surrogate pair keeps one code unit less. Returns the length.
std::size_t CopyText(char16_t* dst, std::size_t cap, std::u16string_view src);

template <std::size_t N> std::size_t CopyText(char16_t (&dst)[N], std::u16string_view src) {
    return CopyText(dst, N, src);
}

// Where a cut to capacity cap (terminator included) ends: cap - 1 code units, one less when
// the cut would split a surrogate pair.
std::size_t CutLength(std::u16string_view src, std::size_t cap);

// One text field of a record: at most N - 1 code units, never ending in half a surrogate
// pair, held in a block of exactly its size (none when empty) rather than N units reserved.
// It reads as a null-terminated const char16_t*.
template <std::size_t N> class CRecordText {
public:
    static constexpr std::size_t Capacity = N;

    CRecordText() = default;
    CRecordText(const CRecordText& other) { Assign(other.View()); }
    CRecordText(CRecordText&& other) noexcept
        : m_pText(std::move(other.m_pText)), m_nLength(std::exchange(other.m_nLength, 0)) {}
    CRecordText& operator=(const CRecordText& other) {
        if (this != &other)
            Assign(other.View());
        return *this;
    }
    // A text moved from is empty.
    CRecordText& operator=(CRecordText&& other) noexcept {
        m_pText = std::move(other.m_pText);
        m_nLength = std::exchange(other.m_nLength, 0);
        return *this;
    }

    operator const char16_t*() const { return c_str(); }
    const char16_t* c_str() const { return m_pText ? m_pText.get() : u""; }
    std::u16string_view View() const { return {c_str(), m_nLength}; }
    bool IsEmpty() const { return m_nLength == 0; }
    // The memory the text holds besides the field itself.
    std::size_t Bytes() const { return m_pText ? (m_nLength + 1) * sizeof(char16_t) : 0; }

    // Stores text cut as CopyText cuts; returns the length stored. Throws std::bad_alloc
    // before anything changes.
    std::size_t Assign(std::u16string_view text) {
        const std::size_t length = CutLength(text, N);
        std::unique_ptr<char16_t[]> block;
        if (length > 0) {
            block = std::make_unique_for_overwrite<char16_t[]>(length + 1);
            std::u16string_view::traits_type::copy(block.get(), text.data(), length);
            block[length] = u'\0';
        }
        m_pText = std::move(block);
        m_nLength = static_cast<std::uint32_t>(length);
        return length;
    }

private:
    std::unique_ptr<char16_t[]> m_pText;
    std::uint32_t m_nLength = 0;
};

template <std::size_t N> std::size_t CopyText(CRecordText<N>& dst, std::u16string_view src) {
    return dst.Assign(src);
}
template <std::size_t N, std::size_t M>
std::size_t CopyText(CRecordText<N>& dst, const CRecordText<M>& src) {
    return dst.Assign(src.View());
}
template <std::size_t N, std::size_t M>
std::size_t CopyText(char16_t (&dst)[N], const CRecordText<M>& src) {
    return CopyText(dst, N, src.View());
}

inline std::u16string_view TextView(const char16_t* text) {
    return std::u16string_view(text);
}
