#include "StoredFields.h"

#include "NumberFormat.h"
#include "SignalCatalogue.h"
#include "SignalColumns.h"
#include "SignalDescription.h"
#include "Vocabulary.h"

#include <array>

namespace {

using Id = StoredFieldId;
using Kind = StoredFieldKind;

// The spreadsheet headings of the values the list has no column for.
constexpr const char* DisabledHeading = QT_TRANSLATE_NOOP("Signal", "Disabled");
constexpr const char* TonesMinHeading = QT_TRANSLATE_NOOP("Signal", "Minimum Tones");
constexpr const char* CarriersMinHeading = QT_TRANSLATE_NOOP("Signal", "Minimum Carriers");

const std::array<StoredField, 18> Fields = {{
    {Id::Name, Kind::Text, "name", "Name", "", ColumnName},
    {Id::Decoder, Kind::Decoder, "decoder", "Mode", "", ColumnDecoder},
    {Id::Modulation, Kind::Modulation, "modulation", "Modulation", "", ColumnModulation},
    {Id::Subcarrier, Kind::Subcarrier, "subcarrier", "Submode", "", ColumnSubcarrier},
    {Id::Baudrate, Kind::Real, "baud", "Baudrate", "", ColumnBaudrate},
    {Id::Shift, Kind::Real, "shift", "Shift", "", ColumnShift},
    {Id::Bandwidth, Kind::Real, "bandwidth", "Bandwidth", "", ColumnBandwidth},
    {Id::NumTones, Kind::Count, "tones", "NumTones", "", ColumnNumTones},
    {Id::NumTonesMin, Kind::Count, "tones-min", "NumTonesMin", TonesMinHeading, -1},
    {Id::NumChannels, Kind::Count, "carriers", "NumChannels", "", ColumnNumChannels},
    {Id::NumChannelsMin, Kind::Count, "carriers-min", "NumChannelsMin", CarriersMinHeading, -1},
    {Id::Spacing, Kind::Text, "spacing", "Spacing", "", ColumnSpacing},
    {Id::PilotFrequency, Kind::Real, "pilot", "PilotFrequency", "", ColumnPilotFrequency},
    {Id::Codecheck, Kind::Count, "codecheck", "CodecheckCounter", "", ColumnCodecheckCounter},
    {Id::ITU, Kind::Text, "itu", "ITU", "", ColumnITU},
    {Id::Comment, Kind::Text, "comments", "Comment", "", ColumnComment},
    {Id::Disabled, Kind::Flag, "disabled", "Disabled", DisabledHeading, -1},
    {Id::Markup, Kind::Markup, "markup", nullptr, nullptr, -1},
}};

// The fields with a column take the column's heading.
const std::array<StoredField, 18>& Table() {
    static const std::array<StoredField, 18> table = [] {
        std::array<StoredField, 18> fields = Fields;
        for (StoredField& field : fields) {
            if (field.column >= 0)
                field.heading = SignalColumnSource(field.column);
        }
        return fields;
    }();
    return table;
}

double Real(const CSignalDescription& s, Id id) {
    switch (id) {
    case Id::Baudrate:
        return s.m_dBaudrate;
    case Id::Shift:
        return s.m_dShift;
    case Id::Bandwidth:
        return s.m_dBandwidth;
    default:
        return s.m_dPilotFrequency;
    }
}

std::int32_t Count(const CSignalDescription& s, Id id) {
    switch (id) {
    case Id::NumTones:
        return s.m_nNumTones;
    case Id::NumTonesMin:
        return s.m_nNumTonesMin;
    case Id::NumChannels:
        return s.m_nNumChannels;
    case Id::NumChannelsMin:
        return s.m_nNumChannelsMin;
    default:
        return s.m_nCodecheckCounter;
    }
}

std::u16string_view Text(const CSignalDescription& s, Id id) {
    switch (id) {
    case Id::Name:
        return s.m_szName.View();
    case Id::Spacing:
        return s.m_szSpacing.View();
    case Id::ITU:
        return s.m_szITU.View();
    default:
        return s.m_szComment.View();
    }
}

// The decoder as a save names it: the second "arq6-90" and "arq6-98" are saved as the first.
std::int32_t SavedMode(const CSignalDescription& s) {
    return CSignalDescription::LookupName(DecoderModeNames, TextView(s.GetModeName()));
}

} // namespace

std::span<const StoredField> StoredFields() {
    return Table();
}

const StoredField& StoredFieldOf(StoredFieldId id) {
    return Table()[static_cast<std::size_t>(id)];
}

const StoredField* StoredFieldKeyed(std::string_view key) {
    for (const StoredField& field : Table()) {
        if (key == field.key)
            return &field;
    }
    return nullptr;
}

std::u16string StoredNumberText(double value) {
    if (value == -1)
        return u"*";
    if (value == 0)
        return {};
    char16_t text[MaxRealTextLength + 1];
    return std::u16string(text, FormatReal(value, text));
}

bool StoredFieldDiffers(const CSignalDescription& a, const CSignalDescription& b,
                        const StoredField& field) {
    switch (field.kind) {
    case Kind::Text:
        return Text(a, field.id) != Text(b, field.id);
    case Kind::Decoder:
        if (a.m_nUnknownMode != b.m_nUnknownMode)
            return true;
        return a.m_nMode != b.m_nMode && SavedMode(a) != SavedMode(b);
    case Kind::Modulation:
        if (a.m_nUnknownModulation != b.m_nUnknownModulation)
            return true;
        if (a.m_nModulation == b.m_nModulation && a.m_nSubmode == b.m_nSubmode)
            return false;
        return TextView(a.GetModulationName()) != TextView(b.GetModulationName());
    case Kind::Subcarrier:
        if (a.m_nModulation == b.m_nModulation && a.m_nSubmode == b.m_nSubmode)
            return false;
        return TextView(a.GetSubcarrierName()) != TextView(b.GetSubcarrierName());
    case Kind::Real: {
        const double x = Real(a, field.id);
        const double y = Real(b, field.id);
        // The file keeps six significant digits: values that save alike are the same.
        return x != y && StoredNumberText(x) != StoredNumberText(y);
    }
    case Kind::Count:
        return Count(a, field.id) != Count(b, field.id);
    case Kind::Flag:
        return a.m_bDisabled != b.m_bDisabled;
    case Kind::Markup:
        if (a.m_pKept == b.m_pKept)
            return false;
        if (!a.m_pKept || !b.m_pKept)
            return true;
        return a.m_pKept->attributes != b.m_pKept->attributes ||
               a.m_pKept->children != b.m_pKept->children;
    }
    return false;
}

void CopyStoredField(const StoredField& field, const CSignalDescription& from,
                     CSignalDescription& to) {
    switch (field.id) {
    case Id::Name:
        to.m_szName = from.m_szName;
        break;
    case Id::Decoder:
        to.m_nMode = from.m_nMode;
        to.m_nUnknownMode = from.m_nUnknownMode;
        break;
    case Id::Modulation:
    case Id::Subcarrier:
        to.m_nModulation = from.m_nModulation;
        to.m_nSubmode = from.m_nSubmode;
        to.m_nUnknownModulation = from.m_nUnknownModulation;
        break;
    case Id::Baudrate:
        to.m_dBaudrate = from.m_dBaudrate;
        break;
    case Id::Shift:
        to.m_dShift = from.m_dShift;
        break;
    case Id::Bandwidth:
        to.m_dBandwidth = from.m_dBandwidth;
        break;
    case Id::NumTones:
        to.m_nNumTones = from.m_nNumTones;
        break;
    case Id::NumTonesMin:
        to.m_nNumTonesMin = from.m_nNumTonesMin;
        break;
    case Id::NumChannels:
        to.m_nNumChannels = from.m_nNumChannels;
        break;
    case Id::NumChannelsMin:
        to.m_nNumChannelsMin = from.m_nNumChannelsMin;
        break;
    case Id::Spacing:
        to.m_szSpacing = from.m_szSpacing;
        break;
    case Id::PilotFrequency:
        to.m_dPilotFrequency = from.m_dPilotFrequency;
        break;
    case Id::Codecheck:
        to.m_nCodecheckCounter = from.m_nCodecheckCounter;
        break;
    case Id::ITU:
        to.m_szITU = from.m_szITU;
        break;
    case Id::Comment:
        to.m_szComment = from.m_szComment;
        break;
    case Id::Disabled:
        to.m_bDisabled = from.m_bDisabled;
        break;
    case Id::Markup:
        to.m_pKept = from.m_pKept;
        break;
    }
}
