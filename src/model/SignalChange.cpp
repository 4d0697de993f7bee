#include "SignalChange.h"

#include "SignalColumns.h"
#include "Vocabulary.h"

#include <cstring>
#include <utility>

static_assert(sizeof(void*) != 8 || sizeof(ChangedValues) == 16);

ChangedValues::ChangedValues(const ChangedValues& other)
    : count(other.count), disabled(other.disabled), invalid(other.invalid),
      holdsText(other.holdsText) {
    if (holdsText)
        text = ShareTextPiece(other.text);
    else
        std::memcpy(&value, &other.value, sizeof(value)); // the number or the decoder
}

ChangedValues::ChangedValues(ChangedValues&& other) noexcept
    : count(other.count), disabled(other.disabled), invalid(other.invalid),
      holdsText(other.holdsText) {
    if (holdsText)
        text = std::exchange(other.text, nullptr);
    else
        std::memcpy(&value, &other.value, sizeof(value)); // the number or the decoder
}

ChangedValues& ChangedValues::operator=(const ChangedValues& other) {
    if (this != &other) {
        ChangedValues copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ChangedValues& ChangedValues::operator=(ChangedValues&& other) noexcept {
    if (this != &other) {
        if (holdsText)
            FreeTextPiece(text);
        holdsText = other.holdsText;
        if (holdsText)
            text = std::exchange(other.text, nullptr);
        else
            std::memcpy(&value, &other.value, sizeof(value)); // the number or the decoder
        count = other.count;
        disabled = other.disabled;
        invalid = other.invalid;
    }
    return *this;
}

ChangedValues::~ChangedValues() {
    if (holdsText)
        FreeTextPiece(text);
}

ChangedValues GivenValues(const SignalChange& change) {
    ChangedValues values;
    switch (change.field) {
    case SignalChangeField::Decoder:
        values.decoder = {change.mode, 0};
        values.count = change.mode != 0 ? change.count : 0;
        break;
    case SignalChangeField::Codecheck:
        values.count = change.count;
        break;
    case SignalChangeField::ITU: {
        CRecordText<CSignalDescription::ITUCapacity> text;
        text.Assign(change.text);
        values.text = text.Release();
        values.holdsText = true;
        break;
    }
    case SignalChangeField::Comment: {
        CRecordText<CSignalDescription::CommentCapacity> text;
        text.Assign(change.text);
        values.text = text.Release();
        values.holdsText = true;
        break;
    }
    case SignalChangeField::Disabled:
        values.disabled = change.disabled;
        break;
    case SignalChangeField::Baudrate:
    case SignalChangeField::Bandwidth:
        values.value = change.value;
        break;
    }
    return values;
}

void ExchangeChanged(CSignalDescription& record, SignalChangeField field,
                     ChangedValues& values) noexcept {
    switch (field) {
    case SignalChangeField::Decoder:
        std::swap(record.m_nMode, values.decoder.mode);
        std::swap(record.m_nUnknownMode, values.decoder.unknownMode);
        std::swap(record.m_nCodecheckCounter, values.count);
        break;
    case SignalChangeField::Codecheck:
        std::swap(record.m_nCodecheckCounter, values.count);
        break;
    case SignalChangeField::ITU:
        record.m_szITU.Exchange(values.text);
        break;
    case SignalChangeField::Comment:
        record.m_szComment.Exchange(values.text);
        break;
    case SignalChangeField::Disabled: {
        const bool disabled = record.m_bDisabled;
        record.m_bDisabled = values.disabled;
        values.disabled = disabled;
        break;
    }
    case SignalChangeField::Baudrate:
        std::swap(record.m_dBaudrate, values.value);
        break;
    case SignalChangeField::Bandwidth:
        std::swap(record.m_dBandwidth, values.value);
        break;
    }
    const bool invalid = record.m_bInvalid;
    record.m_bInvalid = values.invalid;
    values.invalid = invalid;
}

ChangeRefusal PrepareChange(CSignalDescription& record, const SignalChange& change,
                            const ChangedValues& given, ChangedValues& values,
                            SignalProblem& problem) {
    problem = SignalProblem::None;
    switch (change.field) {
    case SignalChangeField::Codecheck:
        if (record.m_nMode == 0)
            return ChangeRefusal::NoDecoder;
        break;
    case SignalChangeField::Baudrate:
    case SignalChangeField::Bandwidth:
        if (record.m_nModulation == ModulationCw || record.m_nModulation == ModulationNone)
            return ChangeRefusal::NoSuchField;
        break;
    default:
        break;
    }
    values = given;
    // Checked with the values in place, then traded back: no copy of the record.
    ExchangeChanged(record, change.field, values);
    problem = record.CheckProblem(false);
    ExchangeChanged(record, change.field, values);
    values.invalid = false;
    return problem != SignalProblem::None ? ChangeRefusal::Invalid : ChangeRefusal::None;
}

bool ChangeSorts(SignalChangeField field, int column) {
    switch (field) {
    case SignalChangeField::Decoder:
        return column == ColumnDecoder || column == ColumnCodecheckCounter;
    case SignalChangeField::Codecheck:
        return column == ColumnCodecheckCounter;
    case SignalChangeField::ITU:
        return column == ColumnITU;
    case SignalChangeField::Comment:
        return column == ColumnComment;
    case SignalChangeField::Disabled:
        return false;
    case SignalChangeField::Baudrate:
        return column == ColumnBaudrate;
    case SignalChangeField::Bandwidth:
        return column == ColumnBandwidth;
    }
    return true;
}
