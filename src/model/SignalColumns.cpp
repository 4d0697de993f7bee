#include "SignalColumns.h"

#include "NumberFormat.h"
#include "SignalDescription.h"
#include "SignalText.h"

#include <cstdint>

namespace {

// A real: "%g" when positive, "*" for the wildcard, else empty.
const char16_t* RealText(double value, CellBuffer& buffer) {
    if (value > 0)
        FormatReal(value, buffer.text);
    else if (value == -1)
        CopyText(buffer.text, u"*");
    else
        buffer.text[0] = u'\0';
    return buffer.text;
}

// A count with its optional minimum: "12 (min. 8)", "* (min. 2)", ...
const char16_t* CountText(std::int32_t value, std::int32_t minimum, CellBuffer& buffer) {
    char16_t* out = buffer.text;
    std::size_t len = 0;
    if (value > 0)
        len = FormatInt(value, out);
    else if (value == -1)
        len = CopyText(out, 2, u"*");
    else
        out[0] = u'\0';
    if (len == 0 || minimum == 0)
        return out;
    len += CopyText(out + len, 8, u" (min. ");
    len += FormatInt(minimum, out + len);
    out[len++] = u')';
    out[len] = u'\0';
    return out;
}

} // namespace

bool IsNumberColumn(int column) {
    switch (column) {
    case ColumnBaudrate:
    case ColumnShift:
    case ColumnBandwidth:
    case ColumnNumTones:
    case ColumnNumChannels:
    case ColumnPilotFrequency:
    case ColumnCodecheckCounter:
        return true;
    default:
        return false;
    }
}

const char16_t* SignalCellText(const CSignalDescription& signal, int column, CellBuffer& buffer) {
    switch (column) {
    case ColumnName:
        return signal.m_szName;
    case ColumnDecoder:
        return signal.GetModeName();
    case ColumnModulation:
        return signal.GetModulationName();
    case ColumnSubcarrier:
        return signal.GetSubcarrierName();
    case ColumnBaudrate:
        return RealText(signal.m_dBaudrate, buffer);
    case ColumnShift:
        return RealText(signal.m_dShift, buffer);
    case ColumnBandwidth:
        return RealText(signal.m_dBandwidth, buffer);
    case ColumnNumTones:
        return CountText(signal.m_nNumTones, signal.m_nNumTonesMin, buffer);
    case ColumnNumChannels:
        return CountText(signal.m_nNumChannels, signal.m_nNumChannelsMin, buffer);
    case ColumnSpacing:
        return signal.m_szSpacing;
    case ColumnPilotFrequency:
        return RealText(signal.m_dPilotFrequency, buffer);
    case ColumnCodecheckCounter:
        if (signal.m_nCodecheckCounter <= 0) {
            buffer.text[0] = u'\0';
            return buffer.text;
        }
        FormatInt(signal.m_nCodecheckCounter, buffer.text);
        return buffer.text;
    case ColumnITU:
        return signal.m_szITU;
    case ColumnComment:
        return signal.m_szComment;
    default:
        return u"";
    }
}
