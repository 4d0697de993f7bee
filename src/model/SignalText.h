#pragma once

#include "RecordArena.h"

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
// pair, held in a piece of the record arena of exactly its size (none when empty) rather
// than N units reserved. The piece holds the length, the units and a terminator, and is never
// written once filled: copies share it. It reads as a null-terminated const char16_t*.
template <std::size_t N> class CRecordText {
    static_assert(N <= 0x8000 && (N + 1) * sizeof(char16_t) <= RecordArena::MaxPiece);

public:
    static constexpr std::size_t Capacity = N;

    CRecordText() = default;
    ~CRecordText() { RecordArena::Free(Piece()); }
    CRecordText(const CRecordText& other)
        : m_pText(other.m_pText ? static_cast<const char16_t*>(
                                      RecordArena::Share(other.Piece(), other.PieceBytes())) +
                                      1
                                : nullptr) {}
    CRecordText(CRecordText&& other) noexcept : m_pText(std::exchange(other.m_pText, nullptr)) {}
    CRecordText& operator=(const CRecordText& other) {
        if (this != &other) {
            CRecordText copy(other);
            std::swap(m_pText, copy.m_pText);
        }
        return *this;
    }
    // A text moved from is empty.
    CRecordText& operator=(CRecordText&& other) noexcept {
        if (this != &other) {
            RecordArena::Free(Piece());
            m_pText = std::exchange(other.m_pText, nullptr);
        }
        return *this;
    }

    operator const char16_t*() const { return c_str(); }
    const char16_t* c_str() const { return m_pText ? m_pText : u""; }
    std::u16string_view View() const { return {c_str(), Length()}; }
    bool IsEmpty() const { return m_pText == nullptr; }
    // The memory the text holds besides the field itself.
    std::size_t Bytes() const { return m_pText ? PieceBytes() : 0; }

    // Trades this text's piece with one held elsewhere (nullptr: empty), made by a text of this
    // capacity.
    void Exchange(const char16_t*& text) noexcept { std::swap(m_pText, text); }
    // Gives the piece up to the caller, which frees it with FreeTextPiece.
    const char16_t* Release() noexcept { return std::exchange(m_pText, nullptr); }

    // Stores text cut as CopyText cuts; returns the length stored. Throws std::bad_alloc
    // before anything changes.
    std::size_t Assign(std::u16string_view text) {
        const std::size_t length = CutLength(text, N);
        char16_t* piece = nullptr;
        if (length > 0) {
            piece = static_cast<char16_t*>(
                RecordArena::Allocate((length + 2) * sizeof(char16_t), alignof(char16_t)));
            piece[0] = static_cast<char16_t>(length);
            std::u16string_view::traits_type::copy(piece + 1, text.data(), length);
            piece[length + 1] = u'\0';
        }
        RecordArena::Free(Piece());
        m_pText = piece ? piece + 1 : nullptr;
        return length;
    }

private:
    std::size_t Length() const { return m_pText ? m_pText[-1] : 0; }
    const char16_t* Piece() const { return m_pText ? m_pText - 1 : nullptr; }
    std::size_t PieceBytes() const { return (Length() + 2) * sizeof(char16_t); }

    const char16_t* m_pText = nullptr; // the first unit, after the length; null when empty
};

// A piece a text gave up (Release), shared by one more holder, and freed by one.
inline const char16_t* ShareTextPiece(const char16_t* text) {
    if (text == nullptr)
        return nullptr;
    const std::size_t bytes = (std::size_t(text[-1]) + 2) * sizeof(char16_t);
    return static_cast<const char16_t*>(RecordArena::Share(text - 1, bytes)) + 1;
}
inline void FreeTextPiece(const char16_t* text) noexcept {
    if (text != nullptr)
        RecordArena::Free(text - 1);
}

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
