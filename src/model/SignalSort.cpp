#include "SignalSort.h"

#include "SignalColumns.h"
#include "SignalDescription.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

int CompareText(const char16_t* a, const char16_t* b) {
    while (*a != u'\0' && *a == *b) {
        ++a;
        ++b;
    }
    // char16_t is unsigned: code units compare as unsigned 16-bit numbers.
    return *a < *b ? -1 : (*a > *b ? 1 : 0);
}

int CompareTextEmptyLast(const char16_t* a, const char16_t* b) {
    if (a[0] == u'\0' && b[0] != u'\0')
        return 2;
    if (b[0] == u'\0' && a[0] != u'\0')
        return -2;
    return CompareText(a, b);
}

template <typename T> int ComparePlain(T a, T b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

template <typename T> int CompareZeroLast(T a, T b) {
    if (a == 0 && b != 0)
        return 2;
    if (b == 0 && a != 0)
        return -2;
    return ComparePlain(a, b);
}

int CompareAscending(const CSignalDescription& a, const CSignalDescription& b, int column) {
    switch (column) {
    case ColumnName:
        return CompareText(a.m_szName, b.m_szName);
    case ColumnDecoder:
        return CompareZeroLast(a.m_nMode, b.m_nMode);
    case ColumnModulation:
        return ComparePlain(a.m_nModulation, b.m_nModulation);
    case ColumnSubcarrier:
        return CompareZeroLast(a.m_nSubmode, b.m_nSubmode);
    case ColumnBaudrate:
        return CompareZeroLast(a.m_dBaudrate, b.m_dBaudrate);
    case ColumnShift:
        return CompareZeroLast(a.m_dShift, b.m_dShift);
    case ColumnBandwidth:
        return CompareZeroLast(a.m_dBandwidth, b.m_dBandwidth);
    case ColumnNumTones:
        return CompareZeroLast(a.m_nNumTones, b.m_nNumTones);
    case ColumnNumChannels:
        return CompareZeroLast(a.m_nNumChannels, b.m_nNumChannels);
    case ColumnSpacing:
        return CompareTextEmptyLast(a.m_szSpacing, b.m_szSpacing);
    case ColumnPilotFrequency:
        return CompareZeroLast(a.m_dPilotFrequency, b.m_dPilotFrequency);
    case ColumnCodecheckCounter:
        return CompareZeroLast(a.m_nCodecheckCounter, b.m_nCodecheckCounter);
    default:
        return 0;
    }
}

} // namespace

int CompareSignals(const CSignalDescription& a, const CSignalDescription& b, int column,
                   bool descending) {
    const int result = CompareAscending(a, b, column);
    return (descending && (result == 1 || result == -1)) ? -result : result;
}

namespace {

// Sorts hold one key per record in one array, so that most comparisons never touch the
// records: the first sixteen code units of a text as four numbers that order as the units do
// (shorter texts pad with 0, the terminator, which orders first as it does in CompareText),
// or a column's number. Equal prefixes of longer texts fall back to the whole texts.
constexpr int PrefixWords = 4;

struct SortKey {
    bool last = false;  // zero or empty: last in both directions
    bool whole = false; // the prefix holds the whole text
    std::uint64_t prefix[PrefixWords] = {};
    double number = 0;
    CSignalDescription* record = nullptr;
};

const char16_t* SortText(const CSignalDescription& s, int column) {
    return column == ColumnName ? s.m_szName : s.m_szSpacing;
}

double SortNumber(const CSignalDescription& s, int column) {
    switch (column) {
    case ColumnDecoder:
        return s.m_nMode;
    case ColumnModulation:
        return s.m_nModulation;
    case ColumnSubcarrier:
        return s.m_nSubmode;
    case ColumnBaudrate:
        return s.m_dBaudrate;
    case ColumnShift:
        return s.m_dShift;
    case ColumnBandwidth:
        return s.m_dBandwidth;
    case ColumnNumTones:
        return s.m_nNumTones;
    case ColumnNumChannels:
        return s.m_nNumChannels;
    case ColumnPilotFrequency:
        return s.m_dPilotFrequency;
    default:
        return s.m_nCodecheckCounter;
    }
}

bool IsTextColumn(int column) {
    return column == ColumnName || column == ColumnSpacing;
}

SortKey KeyOf(CSignalDescription* record, int column, bool descending) {
    SortKey key;
    key.record = record;
    if (IsTextColumn(column)) {
        const char16_t* text = SortText(*record, column);
        key.last = column == ColumnSpacing && text[0] == u'\0';
        bool ended = false;
        for (int i = 0; i < 4 * PrefixWords; ++i) {
            ended = ended || text[i] == u'\0';
            const std::uint64_t unit = ended ? 0 : text[i];
            key.prefix[i / 4] = (key.prefix[i / 4] << 16) | unit;
        }
        key.whole = ended;
        return key;
    }
    const double number = SortNumber(*record, column);
    key.last = column != ColumnModulation && number == 0;
    key.number = key.last ? 0 : (descending ? -number : number);
    return key;
}

void SortByKeys(SignalCollection& records, int column, bool descending) {
    std::vector<SortKey> keys;
    keys.reserve(records.size());
    for (auto& record : records)
        keys.push_back(KeyOf(record.release(), column, descending));
    const auto before = [column, descending](const SortKey& a, const SortKey& b) {
        if (a.last != b.last)
            return b.last;
        if (!IsTextColumn(column))
            return a.number < b.number;
        int result = 0;
        for (int i = 0; i < PrefixWords && result == 0; ++i) {
            if (a.prefix[i] != b.prefix[i])
                result = a.prefix[i] < b.prefix[i] ? -1 : 1;
        }
        if (result == 0 && !(a.whole && b.whole))
            result = CompareText(SortText(*a.record, column), SortText(*b.record, column));
        return descending ? result > 0 : result < 0;
    };
    std::stable_sort(keys.begin(), keys.end(), before);
    for (std::size_t i = 0; i < keys.size(); ++i)
        records[i].reset(keys[i].record);
}

} // namespace

void SortSignalCollection(SignalCollection& records, int column, bool descending) {
    if (column == ColumnITU || column == ColumnComment || column < 0 || column >= SignalColumnCount)
        return; // every pair compares equal: a stable sort keeps the order
    SortByKeys(records, column, descending);
}
