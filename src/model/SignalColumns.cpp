#include "SignalColumns.h"

#include "SignalDescription.h"

const char16_t* SignalColumnHeading(int column) {
    static const char16_t* const headings[SignalColumnCount] = {u"Name",
                                                                u"Decoder",
                                                                u"Modulation",
                                                                u"Subcarrier",
                                                                u"Baud / Symbol Rate",
                                                                u"Shift",
                                                                u"Bandwidth",
                                                                u"No. of Tones",
                                                                u"No. of Carriers",
                                                                u"Spacing",
                                                                u"Pilot Frequency",
                                                                u"Codecheck Counter",
                                                                u"ITU Designator",
                                                                u"Comments"};
    return (column >= 0 && column < SignalColumnCount) ? headings[column] : u"";
}

const char16_t* SignalCellText(const CSignalDescription& signal, int column) {
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
        return signal.m_szBaudrateText;
    case ColumnShift:
        return signal.m_szShiftText;
    case ColumnBandwidth:
        return signal.m_szBandwidthText;
    case ColumnNumTones:
        return signal.m_szNumTonesText;
    case ColumnNumChannels:
        return signal.m_szNumChannelsText;
    case ColumnSpacing:
        return signal.m_szSpacing;
    case ColumnPilotFrequency:
        return signal.m_szPilotFrequencyText;
    case ColumnCodecheckCounter:
        return signal.m_szCodecheckCounterText;
    case ColumnITU:
        return signal.m_szITU;
    case ColumnComment:
        return signal.m_szComment;
    default:
        return u"";
    }
}
