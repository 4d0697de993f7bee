#pragma once

#include "SignalCatalogue.h"

class CSignalDescription;

// The fourteen list columns: their headings and the text of each cell. Texts point into the
// record or into the constant vocabularies; numbers are formatted into the caller's buffer.
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

// Room for the longest number a cell shows: "2147483647 (min. 2147483647)".
struct CellBuffer {
    char16_t text[32];
};

// The cell's text; for a number column it is formatted into buffer, which must outlive the
// use of the result.
const char16_t* SignalCellText(const CSignalDescription& signal, int column, CellBuffer& buffer);
// True for the columns whose text is formatted from a number.
bool IsNumberColumn(int column);
