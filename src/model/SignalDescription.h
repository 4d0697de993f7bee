#pragma once

#include "SignalCatalogue.h"
#include "SignalText.h"
#include "UnknownNames.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

// Markup of a Signal element that this version does not understand, kept as the file had it
// (UTF-8, serialised) so that a save writes it back: attributes after the known ones, child
// elements, comments and processing instructions after the known children.
struct CKeptMarkup {
    std::string attributes; // ' name="value"' pairs, with the namespace declarations they need
    std::string children;   // whole children, each on its own indented line
};

// Kept markup shared by the copies of a record, never changed once made: one pointer, with
// the count of its holders beside the markup.
class CKeptRef {
public:
    CKeptRef() = default;
    CKeptRef(std::nullptr_t) {}
    explicit CKeptRef(CKeptMarkup markup);
    CKeptRef(const CKeptRef& other) noexcept;
    CKeptRef(CKeptRef&& other) noexcept : m_pShared(std::exchange(other.m_pShared, nullptr)) {}
    CKeptRef& operator=(CKeptRef other) noexcept {
        std::swap(m_pShared, other.m_pShared);
        return *this;
    }
    ~CKeptRef();

    const CKeptMarkup* get() const;
    const CKeptMarkup* operator->() const { return get(); }
    const CKeptMarkup& operator*() const { return *get(); }
    explicit operator bool() const { return m_pShared != nullptr; }
    friend bool operator==(const CKeptRef& a, const CKeptRef& b) {
        return a.m_pShared == b.m_pShared;
    }
    friend bool operator==(const CKeptRef& a, std::nullptr_t) { return a.m_pShared == nullptr; }

private:
    struct Shared;
    Shared* m_pShared = nullptr;
};

// The families the list can be narrowed to; FSK and PSK are split by single and multiple
// carriers.
enum class SignalFilter : std::uint8_t {
    All,
    Fsk,
    Mfsk,
    FskMulticarrier,
    Ofdm,
    Psk,
    PskMulticarrier,
};

// The values that reading fills with the wildcard when they are left out.
struct SignalWildcards {
    bool baudrate = false;
    bool shift = false;
    bool bandwidth = false;
};

// One entry of the signal database: its fields, each text in a block of its own size with
// the capacity the format fixes; the display texts of its numbers are formatted when a cell
// asks (SignalCellText). Markup the record does not understand is shared between copies,
// never compared.
enum class SignalChangeField : std::uint8_t;
class ChangedValues;

class CSignalDescription {
public:
    static constexpr int NameCapacity = 60;
    static constexpr int ITUCapacity = 10;
    static constexpr int CommentCapacity = 500;
    static constexpr int SpacingCapacity = 200;

    CSignalDescription();
    CSignalDescription(const CSignalDescription& other);
    CSignalDescription(CSignalDescription&& other) noexcept;
    CSignalDescription& operator=(const CSignalDescription& other);
    CSignalDescription& operator=(CSignalDescription&& other) noexcept;
    // Trades every value with other, member by member; each keeps its merged flag, as an
    // assignment does.
    void Swap(CSignalDescription& other) noexcept;
    // The memory the record holds, its texts included.
    std::size_t Bytes() const;
    // Records are carved from the record arena, beside their texts.
    static void* operator new(std::size_t size);
    static void operator delete(void* p) noexcept;

    // Checks and normalises the record in place; returns the first failing check's message,
    // or null when the record is valid. Lenient mode fills wildcards for missing values.
    const char16_t* Validate(bool bLenient);
    // The message Validate would return, without changing the record.
    const char16_t* Check(bool bLenient) const;
    // Why the record is invalid: the lenient validation's message, computed from its fields
    // (so it follows the record through edit, undo and paste); null when it is valid.
    const char16_t* InvalidReason() const;
    // The same three as problems, each with its message and field (SignalCatalogue.h).
    SignalProblem ValidateProblem(bool bLenient);
    SignalProblem CheckProblem(bool bLenient) const;
    SignalProblem InvalidProblem() const;
    // The values a save may leave out because reading this record back fills them with the
    // wildcard by itself, as its lenient validation does.
    SignalWildcards RestoredWildcards() const;
    // Equality used to drop duplicates when merging: the fields it compares, and the ones a
    // duplicate may still differ in (said in the merge summary).
    bool IsEqual(const CSignalDescription& other) const;
    auto EqualityFields() const {
        return std::tuple(m_nMode, m_nModulation, m_nSubmode, m_dBaudrate, m_dShift, m_nNumTones,
                          m_nNumChannels, TextView(m_szSpacing), m_dPilotFrequency,
                          TextView(m_szName), TextView(m_szITU), TextView(m_szComment));
    }
    auto OtherFields() const {
        return std::tuple(m_dBandwidth, m_nCodecheckCounter, m_nNumTonesMin, m_nNumChannelsMin,
                          m_bDisabled);
    }
    // Family and submode as one name ("PSK-4", "4-Level-FSK", "MFSK", ... or "").
    const char16_t* GetModulationName() const;
    // OFDM subcarrier modulation name, else the empty text.
    const char16_t* GetSubcarrierName() const;
    // The decoder mode name of m_nMode.
    const char16_t* GetModeName() const;
    // Whether the record is shown under the filter.
    bool MatchesFilter(SignalFilter filter) const;

    static std::int32_t LookupName(const char16_t* const* table, std::u16string_view text);

    CRecordText<NameCapacity> m_szName;
    std::int32_t m_nMode;
    std::int32_t m_nModulation;
    std::int32_t m_nSubmode;
    std::int32_t m_nCodecheckCounter;
    CRecordText<ITUCapacity> m_szITU;
    CRecordText<CommentCapacity> m_szComment;
    double m_dBaudrate;
    double m_dShift;
    double m_dBandwidth;
    std::int32_t m_nNumTones;
    std::int32_t m_nNumTonesMin;
    std::int32_t m_nNumChannels;
    std::int32_t m_nNumChannelsMin;
    CRecordText<SpacingCapacity> m_szSpacing;
    double m_dPilotFrequency;
    // The decoder mode and modulation the record was read with when this version does not
    // know them (UnknownName), 0 when it knows them. The modulation's number shares its word
    // with the flags, which keeps a record at 112 bytes.
    std::uint32_t m_nUnknownMode;
    std::uint32_t m_nUnknownModulation : UnknownNameBits;
    bool m_bDisabled : 1;

private:
    bool m_bInvalid : 1;
    bool m_bMerged : 1;
    friend void ExchangeChanged(CSignalDescription& record, SignalChangeField field,
                                ChangedValues& values) noexcept;

public:
    CKeptRef m_pKept; // null when the element held nothing else

    // Whether the record failed its last validation; a new record is invalid until one
    // passes. Settle validates as Validate does (normalising the fields), Recheck as Check
    // does (leaving them); both remember the outcome.
    bool IsInvalid() const { return m_bInvalid; }
    SignalProblem Settle(bool bLenient);
    SignalProblem Recheck(bool bLenient);
    // Added by a merge in this session, for the list to mark; the document sets it. Copies
    // start without it, and an assignment keeps the target's.
    bool IsMerged() const { return m_bMerged; }
    void SetMerged(bool merged) { m_bMerged = merged; }

private:
    // Everything but the texts and the merged flag.
    void AssignValues(const CSignalDescription& other);
};
