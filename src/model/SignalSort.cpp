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

// The first eight code units of a name as one number that orders as the units do (shorter
// names pad with 0, the terminator, which orders first as it does in CompareText).
struct NameKey {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    CSignalDescription* record = nullptr;
};

NameKey KeyOf(CSignalDescription* record) {
    NameKey key;
    key.record = record;
    const char16_t* name = record->m_szName;
    bool ended = false;
    for (int i = 0; i < 8; ++i) {
        ended = ended || name[i] == u'\0';
        const std::uint64_t unit = ended ? 0 : name[i];
        std::uint64_t& half = i < 4 ? key.high : key.low;
        half = (half << 16) | unit;
    }
    return key;
}

// The name column by keys held in one array: most comparisons never touch the records.
void SortByName(SignalCollection& records, bool descending) {
    std::vector<NameKey> keys;
    keys.reserve(records.size());
    for (auto& record : records)
        keys.push_back(KeyOf(record.release()));
    const auto before = [descending](const NameKey& a, const NameKey& b) {
        int result = 0;
        if (a.high != b.high)
            result = a.high < b.high ? -1 : 1;
        else if (a.low != b.low)
            result = a.low < b.low ? -1 : 1;
        else
            result = CompareText(a.record->m_szName, b.record->m_szName);
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
    if (column == ColumnName) {
        SortByName(records, descending);
        return;
    }
    // A stable sort that takes the left element unless it compares greater than the right
    // one gives the same order as any other stable merge with that rule.
    std::stable_sort(records.begin(), records.end(), [&](const auto& a, const auto& b) {
        return CompareSignals(*b, *a, column, descending) > 0;
    });
}
