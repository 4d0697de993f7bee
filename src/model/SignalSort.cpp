#include "SignalSort.h"

#include "SignalColumns.h"
#include "SignalDescription.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <future>
#include <limits>
#include <thread>
#include <vector>

namespace {

// From this many records on, a sort by a text column on two cores sorts its groups on two
// threads.
constexpr std::size_t TwoThreadRecords = 65536;

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

// A text sort holds one key per record of a group (the records whose text starts with the
// same code unit), so that most comparisons never touch the records: the next ten code units
// as numbers that order as the units do (shorter texts pad with 0, the terminator, which
// orders first as it does in CompareText), and the record's position. Equal prefixes of
// longer texts fall back to the whole texts; equal texts keep their order by position, so
// that a sort in place orders as a stable one, with no buffer. 24 bytes a key.
struct TextKey {
    std::uint64_t units[2] = {}; // units 1 to 8
    std::uint32_t last = 0;      // units 9 and 10
    std::uint32_t place = 0;

    // The prefix holds the rest of the text when its last unit is the terminator.
    bool Whole() const { return (last & 0xFFFF) == 0; }
    int Compare(const TextKey& other) const {
        for (int i = 0; i < 2; ++i) {
            if (units[i] != other.units[i])
                return units[i] < other.units[i] ? -1 : 1;
        }
        return last == other.last ? 0 : (last < other.last ? -1 : 1);
    }
};
static_assert(sizeof(TextKey) == 24);

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

const char16_t* SortText(const CSignalDescription& s, int column);

// The key of a text whose first unit its group holds.
TextKey KeyOf(const CSignalDescription& record, int column, std::uint32_t place) {
    TextKey key;
    key.place = place;
    const char16_t* text = SortText(record, column) + 1;
    bool ended = false;
    for (int i = 0; i < 10; ++i) {
        ended = ended || text[i] == u'\0';
        const std::uint64_t unit = ended ? 0 : text[i];
        if (i < 8)
            key.units[i / 4] = (key.units[i / 4] << 16) | unit;
        else
            key.last = (key.last << 16) | static_cast<std::uint32_t>(unit);
    }
    return key;
}

// A number column by keys of sixteen bytes: the zero that sorts last in both directions
// becomes +infinity, and descending negates the rest. A record holding an infinite number (no
// file or dialog gives one) is sorted by comparing the records.
bool SortByNumbers(SignalCollection& records, int column, bool descending) {
    struct NumberKey {
        double number;
        CSignalDescription* record;
    };
    std::vector<NumberKey> keys;
    keys.reserve(records.size());
    for (const auto& record : records) {
        const double number = SortNumber(*record, column);
        if (!std::isfinite(number))
            return false;
        const bool last = column != ColumnModulation && number == 0;
        keys.push_back(
            {last ? std::numeric_limits<double>::infinity() : (descending ? -number : number),
             record.get()});
    }
    const auto before = [](const NumberKey& a, const NumberKey& b) { return a.number < b.number; };
    // A list already in this order (a file saved so, a second click) stays as it is.
    if (!std::is_sorted(keys.begin(), keys.end(), before))
        std::stable_sort(keys.begin(), keys.end(), before);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        records[i].release();
        records[i].reset(keys[i].record);
    }
    return true;
}

// Asks for the record some places ahead and for the text of one half as far ahead: a pass
// over records in an order other than their memory's then waits less for each.
template <typename Get> void Prefetch(std::size_t i, std::size_t end, Get get, int column) {
    constexpr std::size_t Ahead = 8;
    if (i + 2 * Ahead < end)
        __builtin_prefetch(get(i + 2 * Ahead));
    if (i + Ahead < end)
        __builtin_prefetch(SortText(*get(i + Ahead), column));
}

// "a before b" as the stable sort by CompareSignals orders them.
bool Before(const CSignalDescription& a, const CSignalDescription& b, int column, bool descending) {
    return CompareSignals(b, a, column, descending) > 0;
}

// Sorts keys whose order is total (no two compare equal). Runs already in order (a stable
// sort by another column leaves one for each of its values) are merged instead, when there
// are few of them.
template <typename Key, typename Before> void SortRuns(std::vector<Key>& keys, Before before) {
    constexpr std::size_t MostRuns = 64;
    std::vector<std::size_t> runs{0};
    for (std::size_t i = 1; i < keys.size() && runs.size() <= MostRuns; ++i) {
        if (before(keys[i], keys[i - 1]))
            runs.push_back(i);
    }
    if (runs.size() > MostRuns) {
        std::sort(keys.begin(), keys.end(), before);
        return;
    }
    runs.push_back(keys.size());
    while (runs.size() > 2) {
        std::vector<std::size_t> merged{0};
        for (std::size_t r = 0; r + 1 < runs.size(); r += 2) {
            const std::size_t end = r + 2 < runs.size() ? runs[r + 2] : runs[r + 1];
            if (r + 2 < runs.size())
                std::inplace_merge(keys.begin() + std::ptrdiff_t(runs[r]),
                                   keys.begin() + std::ptrdiff_t(runs[r + 1]),
                                   keys.begin() + std::ptrdiff_t(end), before);
            merged.push_back(end);
        }
        runs = std::move(merged);
    }
}

// Puts records in the order of order (for each new position, the old position it takes the
// record of), in place: each cycle of the permutation is followed once. order is used up.
void Permute(SignalCollection& records, std::vector<std::uint32_t>& order) {
    constexpr std::uint32_t Done = 0x80000000u;
    for (std::size_t start = 0; start < order.size(); ++start) {
        if ((order[start] & Done) != 0)
            continue;
        CSignalDescription* first = records[start].release();
        std::size_t i = start;
        for (;;) {
            const std::size_t from = order[i];
            order[i] |= Done;
            if (from == start) {
                records[i].reset(first);
                break;
            }
            records[i].reset(records[from].release());
            i = from;
        }
    }
}

// A text column in two steps: a stable counting sort of the records by the first code unit
// of the text (an empty spacing goes last in both directions), then each group of equal
// first units sorted by its keys. Only the largest group's keys are held at a time, beside a
// position for each record.
void SortByText(SignalCollection& records, int column, bool descending, SortCores cores) {
    // The groups in order, each in 16 bits: an empty spacing takes the last group in both
    // directions, and every other spacing the one below its first unit's.
    constexpr std::size_t Units = 0x10000;
    const auto group = [column, descending](const CSignalDescription& s) -> std::uint16_t {
        const char16_t first = SortText(s, column)[0];
        if (first == u'\0')
            return column == ColumnSpacing || descending ? Units - 1 : 0;
        if (column == ColumnSpacing)
            return static_cast<std::uint16_t>(descending ? Units - 1 - first : first - 1);
        return static_cast<std::uint16_t>(descending ? Units - 1 - first : first);
    };
    // The one pass that reads every record: its group, and whether the list is in this order
    // already (a file saved so, a second click), which leaves it as it is.
    const std::size_t count = records.size();
    if (count >= 0x80000000u) { // positions would not fit the permutation's 31 bits
        std::stable_sort(records.begin(), records.end(), [&](const auto& a, const auto& b) {
            return Before(*a, *b, column, descending);
        });
        return;
    }
    std::vector<std::uint16_t> groups(count);
    bool ordered = true;
    for (std::size_t i = 0; i < count; ++i) {
        Prefetch(
            i, count, [&records](std::size_t j) { return records[j].get(); }, column);
        groups[i] = group(*records[i]);
        ordered = ordered && (i == 0 || !Before(*records[i], *records[i - 1], column, descending));
    }
    if (ordered)
        return;
    std::vector<std::uint32_t> starts(Units + 1, 0);
    for (const std::uint16_t g : groups)
        ++starts[g + 1];
    for (std::size_t g = 1; g < starts.size(); ++g)
        starts[g] += starts[g - 1];
    // For each new position, the old position of its record.
    std::vector<std::uint32_t> order(count);
    {
        std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
        for (std::size_t i = 0; i < count; ++i)
            order[next[groups[i]]++] = static_cast<std::uint32_t>(i);
    }
    groups = {};
    const auto record = [&records](std::uint32_t position) { return records[position].get(); };
    const auto before = [column, descending, &record](const TextKey& a, const TextKey& b) {
        int result = a.Compare(b);
        if (result == 0 && !(a.Whole() && b.Whole()))
            result =
                CompareText(SortText(*record(a.place), column), SortText(*record(b.place), column));
        if (result != 0)
            return descending ? result > 0 : result < 0;
        return a.place < b.place;
    };
    // Sorts the groups from first to last (each its own range of order), holding the keys of
    // the largest of them.
    const auto sortGroups = [&](std::size_t first, std::size_t last) {
        std::size_t largest = 0;
        for (std::size_t g = first; g < last; ++g)
            largest = std::max<std::size_t>(largest, starts[g + 1] - starts[g]);
        std::vector<TextKey> keys;
        keys.reserve(largest);
        // The empty texts (the last group of the spacing, the first or last of the names)
        // compare equal among themselves: they keep their order.
        for (std::size_t g = first; g < last; ++g) {
            const std::uint32_t begin = starts[g];
            const std::uint32_t end = starts[g + 1];
            if (end - begin < 2 || SortText(*record(order[begin]), column)[0] == u'\0')
                continue;
            keys.clear();
            for (std::uint32_t i = begin; i < end; ++i) {
                // The slot of the record after the one Prefetch asks for, a step earlier.
                if (i + 24 < end)
                    __builtin_prefetch(&records[order[i + 24]]);
                Prefetch(
                    i, end, [&](std::size_t j) { return record(order[j]); }, column);
                // A key's place is its record's old position: within a group they ascend.
                keys.push_back(KeyOf(*record(order[i]), column, order[i]));
            }
            SortRuns(keys, before);
            for (std::uint32_t i = begin; i < end; ++i)
                order[i] = keys[i - begin].place;
        }
    };
    // A large list's groups in two halves of about as many records, the second on a thread
    // of its own: the records are only read, and each half writes its own part of order.
    if (cores == SortCores::Two && count >= TwoThreadRecords &&
        std::thread::hardware_concurrency() > 1) {
        const auto middle = static_cast<std::size_t>(
            std::lower_bound(starts.begin(), starts.end() - 1, starts.back() / 2) - starts.begin());
        std::future<void> second = std::async(std::launch::async, sortGroups, middle, Units);
        sortGroups(0, middle);
        second.get();
    } else {
        sortGroups(0, Units);
    }
    if (cores == SortCores::Two) {
        // In the editor a second array of pointers may be held: filled in order, it is
        // quicker than following the permutation's cycles.
        SignalCollection sorted(count);
        for (std::size_t i = 0; i < count; ++i)
            sorted[i] = std::move(records[order[i]]);
        records.swap(sorted);
        return;
    }
    Permute(records, order);
}

void SortByKeys(SignalCollection& records, int column, bool descending, SortCores cores) {
    if (IsTextColumn(column)) {
        SortByText(records, column, descending, cores);
        return;
    }
    if (!SortByNumbers(records, column, descending))
        std::stable_sort(records.begin(), records.end(), [&](const auto& a, const auto& b) {
            return Before(*a, *b, column, descending);
        });
}

} // namespace

void SortSignalCollection(SignalCollection& records, int column, bool descending, SortCores cores) {
    if (column == ColumnITU || column == ColumnComment || column < 0 || column >= SignalColumnCount)
        return; // every pair compares equal: a stable sort keeps the order
    SortByKeys(records, column, descending, cores);
}
