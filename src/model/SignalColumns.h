#pragma once

class CSignalDescription;

// The fourteen list columns: their headings and the text of each cell. Cell texts point
// into the record or into the constant vocabularies; nothing is formatted or copied.
inline constexpr int SignalColumnCount = 14;

enum SignalColumn : int {
    ColumnName = 0,
    ColumnDecoder,
    ColumnModulation,
    ColumnSubcarrier,
    ColumnBaudrate,
    ColumnShift,
    ColumnBandwidth,
    ColumnNumTones,
    ColumnNumChannels,
    ColumnSpacing,
    ColumnPilotFrequency,
    ColumnCodecheckCounter,
    ColumnITU,
    ColumnComment,
};

const char16_t* SignalColumnHeading(int column);
const char16_t* SignalCellText(const CSignalDescription& signal, int column);
