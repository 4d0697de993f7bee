#include "SignalDescription.h"

#include "NumberFormat.h"
#include "RecordArena.h"
#include "SignalText.h"
#include "Vocabulary.h"

#include <atomic>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

CSignalDescription::CSignalDescription() {
    // Every byte starts at zero, padding included: no byte of a record is ever undefined.
    std::memset(static_cast<void*>(this), 0, sizeof *this);
    // The members that own memory are made anew over the cleared bytes.
    new (&m_szName) CRecordText<NameCapacity>();
    new (&m_szITU) CRecordText<ITUCapacity>();
    new (&m_szComment) CRecordText<CommentCapacity>();
    new (&m_szSpacing) CRecordText<SpacingCapacity>();
    new (&m_pKept) CKeptRef();
    m_bInvalid = true;
}

CSignalDescription::CSignalDescription(const CSignalDescription& other) : CSignalDescription() {
    *this = other;
}

CSignalDescription::CSignalDescription(CSignalDescription&& other) noexcept : CSignalDescription() {
    *this = std::move(other);
}

CSignalDescription& CSignalDescription::operator=(const CSignalDescription& other) {
    if (this == &other)
        return *this;
    // The texts are copied first: running out of memory leaves the record as it was.
    CRecordText<NameCapacity> name(other.m_szName);
    CRecordText<ITUCapacity> itu(other.m_szITU);
    CRecordText<CommentCapacity> comment(other.m_szComment);
    CRecordText<SpacingCapacity> spacing(other.m_szSpacing);
    m_szName = std::move(name);
    m_szITU = std::move(itu);
    m_szComment = std::move(comment);
    m_szSpacing = std::move(spacing);
    AssignValues(other);
    return *this;
}

CSignalDescription& CSignalDescription::operator=(CSignalDescription&& other) noexcept {
    if (this == &other)
        return *this;
    m_szName = std::move(other.m_szName);
    m_szITU = std::move(other.m_szITU);
    m_szComment = std::move(other.m_szComment);
    m_szSpacing = std::move(other.m_szSpacing);
    AssignValues(other);
    return *this;
}

void CSignalDescription::Swap(CSignalDescription& other) noexcept {
    using std::swap;
    swap(m_szName, other.m_szName);
    swap(m_szITU, other.m_szITU);
    swap(m_szComment, other.m_szComment);
    swap(m_szSpacing, other.m_szSpacing);
    swap(m_nMode, other.m_nMode);
    swap(m_nModulation, other.m_nModulation);
    swap(m_nSubmode, other.m_nSubmode);
    swap(m_dBaudrate, other.m_dBaudrate);
    swap(m_dShift, other.m_dShift);
    swap(m_dBandwidth, other.m_dBandwidth);
    swap(m_nNumTones, other.m_nNumTones);
    swap(m_nNumChannels, other.m_nNumChannels);
    swap(m_dPilotFrequency, other.m_dPilotFrequency);
    swap(m_nNumTonesMin, other.m_nNumTonesMin);
    swap(m_nNumChannelsMin, other.m_nNumChannelsMin);
    swap(m_nCodecheckCounter, other.m_nCodecheckCounter);
    swap(m_pKept, other.m_pKept);
    swap(m_nUnknownMode, other.m_nUnknownMode);
    // Bit-fields have no address to swap through.
    const std::uint32_t modulation = m_nUnknownModulation;
    m_nUnknownModulation = other.m_nUnknownModulation;
    other.m_nUnknownModulation = modulation;
    const bool disabled = m_bDisabled;
    m_bDisabled = other.m_bDisabled;
    other.m_bDisabled = disabled;
    const bool invalid = m_bInvalid;
    m_bInvalid = other.m_bInvalid;
    other.m_bInvalid = invalid;
}

void CSignalDescription::AssignValues(const CSignalDescription& other) {
    // The merged flag stays: it tells where this record came from, not what it holds.
    m_nMode = other.m_nMode;
    m_nModulation = other.m_nModulation;
    m_nSubmode = other.m_nSubmode;
    m_bDisabled = other.m_bDisabled;
    m_dBaudrate = other.m_dBaudrate;
    m_dShift = other.m_dShift;
    m_dBandwidth = other.m_dBandwidth;
    m_nNumTones = other.m_nNumTones;
    m_nNumChannels = other.m_nNumChannels;
    m_dPilotFrequency = other.m_dPilotFrequency;
    m_bInvalid = other.m_bInvalid;
    m_nNumTonesMin = other.m_nNumTonesMin;
    m_nNumChannelsMin = other.m_nNumChannelsMin;
    m_nCodecheckCounter = other.m_nCodecheckCounter;
    m_pKept = other.m_pKept;
    m_nUnknownMode = other.m_nUnknownMode;
    m_nUnknownModulation = other.m_nUnknownModulation;
}

struct CKeptRef::Shared {
    std::atomic<std::uint32_t> holders;
    CKeptMarkup markup;
};

CKeptRef::CKeptRef(CKeptMarkup markup) : m_pShared(new Shared{{1}, std::move(markup)}) {}

CKeptRef::CKeptRef(const CKeptRef& other) noexcept : m_pShared(other.m_pShared) {
    if (m_pShared != nullptr)
        m_pShared->holders.fetch_add(1, std::memory_order_relaxed);
}

CKeptRef::~CKeptRef() {
    if (m_pShared != nullptr && m_pShared->holders.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete m_pShared;
}

const CKeptMarkup* CKeptRef::get() const {
    return m_pShared != nullptr ? &m_pShared->markup : nullptr;
}

static_assert(sizeof(CSignalDescription) <= RecordArena::MaxPiece);
// Nine 8-byte members, ten 4-byte ones and the flags in the last: no padding on 64-bit systems.
static_assert(sizeof(void*) != 8 || sizeof(CSignalDescription) == 112);

void* CSignalDescription::operator new(std::size_t size) {
    return RecordArena::Allocate(size, alignof(CSignalDescription));
}

void CSignalDescription::operator delete(void* p) noexcept {
    RecordArena::Free(p);
}

std::size_t CSignalDescription::Bytes() const {
    return sizeof *this + m_szName.Bytes() + m_szITU.Bytes() + m_szComment.Bytes() +
           m_szSpacing.Bytes();
}

namespace {

// The validation rules as one walk over a record, in the order of its checks. Run on a
// mutable record it also normalises it (fills wildcards when lenient, clears the fields the
// family does not use, makes FSK with more than two tones MFSK) up to the first failing
// check, as validation does; run on a const record it only finds the problem. Lenient, it
// also notes the values it would fill with the wildcard had they been left out.
template <class Record> class ValidationWalk {
public:
    ValidationWalk(Record& s, bool lenient, SignalWildcards* restores = nullptr)
        : m_s(s), m_bLenient(lenient), m_pRestores(restores) {}

    SignalProblem Run() {
        if (m_s.m_szName[0] == u'\0')
            return SignalProblem::NoName;
        if (m_s.m_dBaudrate < -1)
            return SignalProblem::NegativeBaudrate;
        if (m_s.m_dShift < -1)
            return SignalProblem::NegativeShift;
        if (m_s.m_nNumTones < -1)
            return SignalProblem::NegativeTones;
        if (m_s.m_nNumChannels < -1)
            return SignalProblem::NegativeCarriers;
        int modulation = m_s.m_nModulation;
        if (modulation == ModulationFsk && m_s.m_nNumTones > 2) {
            modulation = ModulationMfsk;
            Set(m_s.m_nModulation, ModulationMfsk);
        }
        return FamilyStep(modulation);
    }

private:
    // The checks of the record's family, and the fields it does not use cleared.
    SignalProblem FamilyStep(int modulation) {
        switch (modulation) {
        case ModulationNone:
            return SignalProblem::NoModulation;
        case ModulationFsk:
            if (const SignalProblem problem =
                    Require(m_s.m_dBaudrate, SignalProblem::NoBaudrate, &SignalWildcards::baudrate);
                problem != SignalProblem::None)
                return problem;
            if (const SignalProblem problem =
                    Require(m_s.m_dShift, SignalProblem::NoShift, &SignalWildcards::shift);
                problem != SignalProblem::None)
                return problem;
            Restores(&SignalWildcards::bandwidth);
            if (m_s.m_dBandwidth == 0)
                Set(m_s.m_dBandwidth, -1.0);
            Set(m_s.m_nNumTones, 2);
            Set(m_s.m_nNumTonesMin, 0);
            return CarrierStep();
        case ModulationMfsk:
            Set(m_s.m_nSubmode, 0);
            if (const SignalProblem problem =
                    Require(m_s.m_dBaudrate, SignalProblem::NoBaudrate, &SignalWildcards::baudrate);
                problem != SignalProblem::None)
                return problem;
            if (const SignalProblem problem =
                    Require(m_s.m_dShift, SignalProblem::NoSpacing, &SignalWildcards::shift);
                problem != SignalProblem::None)
                return problem;
            if (m_s.m_nNumTones < 3 && m_s.m_nNumTones != -1)
                return SignalProblem::TooFewTones;
            Set(m_s.m_nNumChannels, 0);
            SetText(m_s.m_szSpacing, u"");
            Set(m_s.m_dPilotFrequency, 0.0);
            return ModeStep();
        case ModulationPsk:
            if (const SignalProblem problem = Require(m_s.m_dBaudrate, SignalProblem::NoSymbolRate,
                                                      &SignalWildcards::baudrate);
                problem != SignalProblem::None)
                return problem;
            Set(m_s.m_nNumTonesMin, 0);
            Set(m_s.m_nNumTones, 0);
            Set(m_s.m_dShift, 0.0);
            return CarrierStep();
        case ModulationOfdm:
            // Unlike the others, OFDM without symbol rate stays invalid even when read: the
            // wildcard is filled in, and the problem still returned; so a wildcard left out
            // comes back only to a record that is invalid already.
            if (m_s.IsInvalid())
                Restores(&SignalWildcards::baudrate);
            if (m_s.m_dBaudrate == 0) {
                if (m_bLenient)
                    Set(m_s.m_dBaudrate, -1.0);
                return SignalProblem::NoSymbolRate;
            }
            Set(m_s.m_nNumTones, 0);
            Set(m_s.m_dShift, 0.0);
            return CarrierStep();
        case ModulationCw:
            Set(m_s.m_nSubmode, 0);
            Set(m_s.m_dBaudrate, 0.0);
            Set(m_s.m_dShift, 0.0);
            Set(m_s.m_dBandwidth, 0.0);
            Set(m_s.m_nNumTones, 0);
            Set(m_s.m_nNumTonesMin, 0);
            Set(m_s.m_nNumChannelsMin, 0);
            Set(m_s.m_nNumChannels, 0);
            SetText(m_s.m_szSpacing, u"");
            Set(m_s.m_dPilotFrequency, 0.0);
            return ModeStep();
        default:
            return SignalProblem::UnknownModulation;
        }
    }

    template <class Field, class Value> void Set(Field& field, Value value) {
        if constexpr (!std::is_const_v<Record>)
            field = value;
    }

    template <class Text> void SetText(Text& text, std::u16string_view value) {
        if constexpr (!std::is_const_v<Record>)
            text.Assign(value);
    }

    // A missing value (0) fails, or is filled with the wildcard when lenient.
    template <class Field>
    SignalProblem Require(Field& value, SignalProblem problem, bool SignalWildcards::*restored) {
        Restores(restored);
        if (value != 0)
            return SignalProblem::None;
        if (!m_bLenient)
            return problem;
        Set(value, -1.0);
        return SignalProblem::None;
    }

    // Notes a value that lenient reading fills with the wildcard when it is left out.
    void Restores(bool SignalWildcards::*restored) {
        if (m_bLenient && m_pRestores != nullptr)
            m_pRestores->*restored = true;
    }

    SignalProblem CarrierStep() {
        if (m_s.m_nNumChannels == 0) {
            Set(m_s.m_dPilotFrequency, 0.0);
            Set(m_s.m_nNumChannelsMin, 0);
            SetText(m_s.m_szSpacing, u"");
        } else if (m_s.m_szSpacing.IsEmpty()) {
            SetText(m_s.m_szSpacing, u"*");
        }
        return ModeStep();
    }

    SignalProblem ModeStep() {
        if (m_s.m_nMode == 0) {
            Set(m_s.m_nCodecheckCounter, 0);
            return SignalProblem::None;
        }
        return m_s.m_nCodecheckCounter > 0 ? SignalProblem::None
                                           : SignalProblem::CodecheckNotPositive;
    }

    Record& m_s;
    bool m_bLenient;
    SignalWildcards* m_pRestores;
};

} // namespace

const char16_t* CSignalDescription::InvalidReason() const {
    return SignalProblemText(InvalidProblem());
}

SignalProblem CSignalDescription::InvalidProblem() const {
    if (!m_bInvalid)
        return SignalProblem::None;
    if (const SignalProblem problem = CheckProblem(true); problem != SignalProblem::None)
        return problem;
    // Reading filled the wildcard into an OFDM rate that was missing, and kept it invalid.
    if (m_nModulation == ModulationOfdm && m_dBaudrate == -1)
        return SignalProblem::NoSymbolRate;
    return SignalProblem::None;
}

const char16_t* CSignalDescription::Validate(bool bLenient) {
    return SignalProblemText(ValidateProblem(bLenient));
}

SignalProblem CSignalDescription::Settle(bool bLenient) {
    const SignalProblem problem = ValidateProblem(bLenient);
    m_bInvalid = problem != SignalProblem::None;
    return problem;
}

SignalProblem CSignalDescription::Recheck(bool bLenient) {
    const SignalProblem problem = CheckProblem(bLenient);
    m_bInvalid = problem != SignalProblem::None;
    return problem;
}

SignalProblem CSignalDescription::ValidateProblem(bool bLenient) {
    return ValidationWalk<CSignalDescription>(*this, bLenient).Run();
}

const char16_t* CSignalDescription::Check(bool bLenient) const {
    return SignalProblemText(CheckProblem(bLenient));
}

SignalProblem CSignalDescription::CheckProblem(bool bLenient) const {
    return ValidationWalk<const CSignalDescription>(*this, bLenient).Run();
}

SignalWildcards CSignalDescription::RestoredWildcards() const {
    SignalWildcards restores;
    ValidationWalk<const CSignalDescription>(*this, true, &restores).Run();
    return restores;
}

bool CSignalDescription::IsEqual(const CSignalDescription& other) const {
    return EqualityFields() == other.EqualityFields();
}

const char16_t* CSignalDescription::GetModulationName() const {
    switch (m_nModulation) {
    case ModulationPsk:
        return TableEntry(PskSubmodeNames, PskSubmodeCount, m_nSubmode);
    case ModulationFsk:
        return TableEntry(FskSubmodeNames, FskSubmodeCount, m_nSubmode);
    default:
        return TableEntry(ModulationNames, ModulationCount, m_nModulation);
    }
}

const char16_t* CSignalDescription::GetSubcarrierName() const {
    if (m_nModulation != ModulationOfdm)
        return u"";
    return TableEntry(SubcarrierModulationNames, SubcarrierModulationCount, m_nSubmode);
}

const char16_t* CSignalDescription::GetModeName() const {
    return TableEntry(DecoderModeNames, DecoderModeCount, m_nMode);
}

bool CSignalDescription::MatchesFilter(SignalFilter filter) const {
    switch (filter) {
    case SignalFilter::All:
        return true;
    case SignalFilter::Fsk:
        return m_nModulation == ModulationFsk && m_nNumChannels < 2;
    case SignalFilter::Mfsk:
        return m_nModulation == ModulationMfsk;
    case SignalFilter::FskMulticarrier:
        return m_nModulation == ModulationFsk && m_nNumChannels >= 2;
    case SignalFilter::Ofdm:
        return m_nModulation == ModulationOfdm;
    case SignalFilter::Psk:
        return m_nModulation == ModulationPsk && m_nNumChannels < 2;
    case SignalFilter::PskMulticarrier:
        return m_nModulation == ModulationPsk && m_nNumChannels >= 2;
    }
    return false;
}

std::int32_t CSignalDescription::LookupName(const char16_t* const* table,
                                            std::u16string_view text) {
    return LookupTableName(table, text);
}
