#include "StoredFieldText.h"

#include "NumberFormat.h"
#include "SignalDescription.h"
#include "UnknownNames.h"

namespace {

QString Wide(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

QString Count(std::int32_t value) {
    if (value == -1)
        return QStringLiteral("*");
    return value == 0 ? QString() : QString::number(value);
}

} // namespace

QString StoredFieldText(const CSignalDescription& s, const StoredField& field) {
    using Id = StoredFieldId;
    switch (field.id) {
    case Id::Name:
        return Wide(s.m_szName.View());
    case Id::Decoder:
        if (s.m_nUnknownMode != 0 && s.m_nMode == 0)
            return QString::fromStdString(UnknownName(s.m_nUnknownMode));
        return Wide(TextView(s.GetModeName()));
    case Id::Modulation:
        if (s.m_nUnknownModulation != 0 && s.m_nModulation == 0)
            return QString::fromStdString(UnknownName(s.m_nUnknownModulation));
        return Wide(TextView(s.GetModulationName()));
    case Id::Subcarrier:
        return Wide(TextView(s.GetSubcarrierName()));
    case Id::Baudrate:
        return Wide(StoredNumberText(s.m_dBaudrate));
    case Id::Shift:
        return Wide(StoredNumberText(s.m_dShift));
    case Id::Bandwidth:
        return Wide(StoredNumberText(s.m_dBandwidth));
    case Id::PilotFrequency:
        return Wide(StoredNumberText(s.m_dPilotFrequency));
    case Id::NumTones:
        return Count(s.m_nNumTones);
    case Id::NumTonesMin:
        return Count(s.m_nNumTonesMin);
    case Id::NumChannels:
        return Count(s.m_nNumChannels);
    case Id::NumChannelsMin:
        return Count(s.m_nNumChannelsMin);
    case Id::Codecheck:
        return Count(s.m_nCodecheckCounter);
    case Id::Spacing:
        return Wide(s.m_szSpacing.View());
    case Id::ITU:
        return Wide(s.m_szITU.View());
    case Id::Comment:
        return Wide(s.m_szComment.View());
    case Id::Disabled:
        return s.m_bDisabled ? QStringLiteral("1") : QStringLiteral("0");
    case Id::Markup:
        return s.m_pKept ? QString::fromStdString(s.m_pKept->attributes + s.m_pKept->children)
                         : QString();
    }
    return QString();
}
