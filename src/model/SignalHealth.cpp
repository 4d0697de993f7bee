#include "SignalHealth.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <functional>
#include <future>
#include <limits>
#include <unordered_map>

namespace {

// The values a classifier tells signals apart by, as Find by Parameters asks them.
constexpr std::size_t ValueCount = 5;
using Values = std::array<double, ValueCount>;

Values ValuesOf(const CSignalDescription& s) {
    return {s.m_dBaudrate, s.m_dShift, s.m_dBandwidth, double(s.m_nNumTones),
            double(s.m_nNumChannels)};
}

bool Given(double value) {
    return value > 0;
}

// The largest deviation of later's values from earlier's when every value both give lies
// within the tolerance of earlier's (a wildcard matches anything) and a rate, shift or bandwidth is
// given by both as a number; below 0 otherwise.
double Closeness(const Values& later, const Values& earlier, const HealthOptions& options) {
    double largest = 0;
    bool compared = false;
    for (std::size_t i = 0; i < ValueCount; ++i) {
        const double a = later[i];
        const double b = earlier[i];
        if (a == 0 || b == 0)
            continue; // not given by both
        if (a < 0 || b < 0)
            continue; // a wildcard matches anything
        const double allowed = options.relative ? options.tolerance * b : options.tolerance;
        const double off = std::fabs(a - b);
        if (off > allowed * (1 + 1e-12))
            return -1;
        largest = std::max(largest, off / b);
        // Tones and carriers alone do not tell a measured signal: a rate, a shift or a
        // bandwidth both give does.
        compared = compared || i < 3;
    }
    return compared ? largest : -1;
}

struct Found {
    std::size_t at;    // the signal's place
    std::size_t other; // the earlier signal's place, or at
    HealthKind kind;
    HealthProblem problem;
};

// Hash and equality of the merge's duplicate test.
struct EqualityHash {
    std::size_t operator()(const CSignalDescription* s) const {
        std::size_t h = 0;
        const auto mix = [&h](std::size_t v) {
            h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
        };
        std::apply(
            [&mix](const auto&... field) {
                (mix(std::hash<std::decay_t<decltype(field)>>()(field)), ...);
            },
            s->EqualityFields());
        return h;
    }
};

std::uint64_t DecoderOf(const CSignalDescription& s) {
    return (std::uint64_t(std::uint32_t(s.m_nMode)) << 32) | s.m_nUnknownMode;
}

struct ValuesHash {
    std::size_t operator()(const Values& v) const {
        std::size_t h = 0;
        for (const double x : v)
            h ^= std::hash<double>()(x) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
        return h;
    }
};

// The values one or more signals of a family share, with the first two of them (in the
// records' order) that have different decoders.
struct ValueGroup {
    Values values;
    std::size_t first = 0;
    std::uint64_t firstDecoder = 0;
    std::size_t second = SIZE_MAX; // the first with another decoder than first's
    std::uint64_t secondDecoder = 0;
};

// For each enabled signal of one family, the first earlier one of another decoder that it
// cannot be told from. Signals with equal values are taken as one group, and groups are
// paired in rate order (those without a rate against all), never signal by signal.
void FindConfusable(const std::vector<const CSignalDescription*>& records,
                    const std::vector<std::size_t>& family, const HealthOptions& options,
                    std::vector<Found>& found) {
    std::vector<ValueGroup> groups;
    std::vector<std::size_t> groupOf(family.size());
    {
        std::unordered_map<Values, std::size_t, ValuesHash> index;
        for (std::size_t i = 0; i < family.size(); ++i) {
            const CSignalDescription& s = *records[family[i]];
            const Values values = ValuesOf(s);
            const std::uint64_t decoder = DecoderOf(s);
            const auto [it, added] = index.try_emplace(values, groups.size());
            if (added) {
                groups.push_back({values, family[i], decoder, SIZE_MAX, 0});
            } else {
                ValueGroup& group = groups[it->second];
                if (group.second == SIZE_MAX && decoder != group.firstDecoder) {
                    group.second = family[i];
                    group.secondDecoder = decoder;
                }
            }
            groupOf[i] = it->second;
        }
    }
    // Groups are found again by cells of their rate, shift and bandwidth: values within the
    // tolerance of each other lie in the same cell or next to it. A value not given, or "*",
    // has a cell of its own kind.
    const double width = options.tolerance <= 0   ? 0
                         : !options.relative      ? options.tolerance
                         : options.tolerance >= 1 ? std::numeric_limits<double>::infinity()
                                                  : -std::log1p(-options.tolerance);
    constexpr std::int64_t NotGiven = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t Wildcard = NotGiven + 1;
    const auto cell = [&](double value) -> std::int64_t {
        if (value == 0)
            return NotGiven;
        if (value < 0)
            return Wildcard;
        if (width == 0)
            return static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(value) >> 1);
        if (std::isinf(width))
            return 0;
        const double at = std::floor((options.relative ? std::log(value) : value) / width);
        return static_cast<std::int64_t>(std::clamp(at, -1e17, 1e17));
    };
    constexpr std::size_t Dims = 3;
    using Cells = std::array<std::int64_t, Dims>;
    // The dimensions a group gives a number in are those it is looked up by: a value not
    // given or "*" meets every cell.
    const auto keyOf = [](const Cells& c, unsigned mask) {
        std::uint64_t h = mask;
        for (std::size_t d = 0; d < Dims; ++d) {
            if (mask & (1U << d))
                h = (h ^ std::uint64_t(c[d])) * 0x100000001b3ULL + 0x9e3779b97f4a7c15ULL;
        }
        return h;
    };
    std::vector<Cells> cells(groups.size());
    std::vector<unsigned> masks(groups.size());
    for (std::size_t g = 0; g < groups.size(); ++g) {
        unsigned mask = 0;
        for (std::size_t d = 0; d < Dims; ++d) {
            cells[g][d] = cell(groups[g].values[d]);
            if (Given(groups[g].values[d]))
                mask |= 1U << d;
        }
        masks[g] = mask;
    }
    // One index per set of dimensions some group looks up by.
    std::array<std::unordered_map<std::uint64_t, std::vector<std::size_t>>, 1U << Dims> index;
    std::array<bool, 1U << Dims> wanted{};
    for (const unsigned mask : masks)
        wanted[mask] = true;
    for (unsigned mask = 0; mask < (1U << Dims); ++mask) {
        if (!wanted[mask])
            continue;
        for (std::size_t g = 0; g < groups.size(); ++g)
            index[mask][keyOf(cells[g], mask)].push_back(g);
    }
    // For each group, the earliest signal of the groups near it, and the earliest of another
    // decoder than that one's: whatever a signal's decoder, one of the two is its first
    // partner.
    struct Partners {
        std::size_t first = SIZE_MAX;
        std::uint64_t firstDecoder = 0;
        double firstDeviation = 0;
        std::size_t second = SIZE_MAX;
        double secondDeviation = 0;
    };
    std::vector<Partners> partners(groups.size());
    const auto offer = [](Partners& best, std::size_t at, std::uint64_t decoder, double deviation) {
        if (at == SIZE_MAX)
            return;
        if (at < best.first) {
            if (best.first != SIZE_MAX && best.firstDecoder != decoder) {
                best.second = best.first;
                best.secondDeviation = best.firstDeviation;
            }
            best.first = at;
            best.firstDecoder = decoder;
            best.firstDeviation = deviation;
        } else if (at != best.first && decoder != best.firstDecoder && at < best.second) {
            best.second = at;
            best.secondDeviation = deviation;
        }
    };
    // Offers the signals of group h to group g's partners when g cannot be told from h.
    const auto meet = [&](std::size_t g, std::size_t h) {
        const double deviation = Closeness(groups[g].values, groups[h].values, options);
        if (deviation < 0)
            return;
        const ValueGroup& group = groups[h];
        offer(partners[g], group.first, group.firstDecoder, deviation);
        if (group.second != SIZE_MAX)
            offer(partners[g], group.second, group.secondDecoder, deviation);
    };
    for (std::size_t g = 0; g < groups.size(); ++g) {
        meet(g, g);
        const unsigned mask = masks[g];
        // Every combination of the cells beside each given value, and of the two kinds.
        std::vector<std::array<std::int64_t, 5>> choices(Dims);
        for (std::size_t d = 0; d < Dims; ++d) {
            if (!(mask & (1U << d)))
                continue; // not looked up by: its cell is of a kind, without neighbours
            const std::int64_t c = cells[g][d];
            choices[d] = {c - 1, c, c + 1, NotGiven, Wildcard};
        }
        std::array<std::size_t, Dims> pick{};
        while (true) {
            Cells probe = cells[g];
            for (std::size_t d = 0; d < Dims; ++d) {
                if (mask & (1U << d))
                    probe[d] = choices[d][pick[d]];
            }
            if (const auto it = index[mask].find(keyOf(probe, mask)); it != index[mask].end()) {
                // Groups stand in the order of their first signals: once one starts after
                // both partners found, none after it can be earlier.
                for (const std::size_t h : it->second) {
                    if (groups[h].first >= partners[g].second)
                        break;
                    if (h != g)
                        meet(g, h);
                }
            }
            std::size_t d = 0;
            while (d < Dims && (!(mask & (1U << d)) || ++pick[d] == 5)) {
                pick[d] = 0;
                ++d;
            }
            if (d == Dims)
                break;
        }
    }
    for (std::size_t i = 0; i < family.size(); ++i) {
        const std::size_t at = family[i];
        const CSignalDescription& s = *records[at];
        const Partners& best = partners[groupOf[i]];
        const bool other = best.firstDecoder != DecoderOf(s);
        const std::size_t partner = other ? best.first : best.second;
        if (partner >= at)
            continue;
        found.push_back({at, partner, HealthKind::Confusable,
                         HealthProblem{HealthKind::Confusable,
                                       &s,
                                       records[partner],
                                       other ? best.firstDeviation : best.secondDeviation,
                                       0,
                                       {}}});
    }
}

void CheckDesignator(const CSignalDescription& s, std::size_t at, const HealthOptions& options,
                     std::vector<Found>& found) {
    const std::u16string_view designator = TextView(s.m_szITU);
    if (designator.empty())
        return;
    const double bandwidth = DesignatorBandwidth(designator);
    double deviation = 0;
    if (bandwidth > 0) {
        if (!Given(s.m_dBandwidth))
            return;
        const double allowed =
            options.relative ? options.tolerance * s.m_dBandwidth : options.tolerance;
        const double off = std::fabs(bandwidth - s.m_dBandwidth);
        if (off <= allowed * (1 + 1e-12))
            return;
        deviation = off / s.m_dBandwidth;
    }
    found.push_back({at, at, HealthKind::Designator,
                     HealthProblem{HealthKind::Designator, &s, nullptr, deviation, bandwidth, {}}});
}

bool IsOneOf(char16_t c, std::u16string_view set) {
    return set.find(c) != std::u16string_view::npos;
}

} // namespace

const char* HealthKindKey(HealthKind kind) {
    static const char* const keys[HealthKindCount] = {"duplicate",  "same-name", "confusable",
                                                      "designator", "invalid",   "unknown-name"};
    return keys[static_cast<int>(kind)];
}

double DesignatorBandwidth(std::u16string_view designator) {
    if (designator.size() < 7 || designator.size() > 9)
        return 0;
    // The emission class: the main carrier's modulation, the modulating signal, the
    // information; then optional letters of detail.
    if (!IsOneOf(designator[4], u"NAHRJBCFGDPKLMQVWX") || !IsOneOf(designator[5], u"0123789X") ||
        !IsOneOf(designator[6], u"NABCDEFWX"))
        return 0;
    for (std::size_t i = 7; i < designator.size(); ++i) {
        if (designator[i] < u'A' || designator[i] > u'Z')
            return 0;
    }
    double scale = 0;
    std::size_t point = 0;
    double whole = 0;
    double digits = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const char16_t c = designator[i];
        if (c >= u'0' && c <= u'9') {
            whole = whole * 10 + (c - u'0');
            ++digits;
            continue;
        }
        if (scale != 0)
            return 0;
        switch (c) {
        case u'H':
            scale = 1;
            break;
        case u'K':
            scale = 1e3;
            break;
        case u'M':
            scale = 1e6;
            break;
        case u'G':
            scale = 1e9;
            break;
        default:
            return 0;
        }
        point = i;
    }
    if (scale == 0 || digits != 3)
        return 0;
    // The digits after the letter are its fraction.
    const double fraction = std::pow(10.0, double(3 - point));
    const double value = whole / fraction * scale;
    return value > 0 ? value : 0;
}

namespace {

// The records' places in the order of a hash of theirs, places of one hash in file order.
template <typename Hash>
std::vector<std::pair<std::size_t, std::size_t>>
ByHash(const std::vector<const CSignalDescription*>& records, Hash hash) {
    std::vector<std::pair<std::size_t, std::size_t>> order(records.size());
    for (std::size_t at = 0; at < records.size(); ++at)
        order[at] = {hash(*records[at]), at};
    std::sort(order.begin(), order.end());
    return order;
}

// For each record, the first one (by place) that same() takes as the same, where that is an
// earlier one: report(at, first). Records are told apart by a hash first, so only those of
// one hash are compared.
template <typename Hash, typename Same, typename Report>
void FindFirstOfEach(const std::vector<const CSignalDescription*>& records, Hash hash, Same same,
                     Report report) {
    const auto order = ByHash(records, hash);
    std::vector<std::size_t> firsts; // of the run of one hash, one per kind met
    for (std::size_t i = 0; i < order.size();) {
        std::size_t end = i + 1;
        while (end < order.size() && order[end].first == order[i].first)
            ++end;
        firsts.clear();
        for (; i < end; ++i) {
            const std::size_t at = order[i].second;
            const auto first = std::find_if(firsts.begin(), firsts.end(), [&](std::size_t f) {
                return same(*records[f], *records[at]);
            });
            if (first == firsts.end())
                firsts.push_back(at);
            else
                report(at, *first);
        }
    }
}

// Duplicates and same-name signals: each told at the later signal, against the first equal
// one and the first of its name.
void FindRepeats(const std::vector<const CSignalDescription*>& records, std::vector<Found>& found,
                 bool fields) {
    FindFirstOfEach(
        records, [](const CSignalDescription& s) { return EqualityHash()(&s); },
        [](const CSignalDescription& a, const CSignalDescription& b) { return a.IsEqual(b); },
        [&](std::size_t at, std::size_t twin) {
            found.push_back(
                {at, twin, HealthKind::Duplicate,
                 HealthProblem{HealthKind::Duplicate, records[at], records[twin], 0, 0, {}}});
        });
    FindFirstOfEach(
        records,
        [](const CSignalDescription& s) {
            return std::hash<std::u16string_view>()(TextView(s.m_szName));
        },
        [](const CSignalDescription& a, const CSignalDescription& b) {
            return TextView(a.m_szName) == TextView(b.m_szName);
        },
        [&](std::size_t at, std::size_t namesake) {
            const CSignalDescription& earlier = *records[namesake];
            const CSignalDescription& s = *records[at];
            if (!earlier.IsEqual(s))
                found.push_back({at, namesake, HealthKind::SameName,
                                 HealthProblem{HealthKind::SameName, &s, &earlier, 0, 0,
                                               fields ? DiffFields(earlier, s)
                                                      : std::vector<FieldDifference>()}});
        });
}

} // namespace

RepeatCounts CountRepeats(const std::vector<const CSignalDescription*>& records) {
    std::vector<Found> found;
    FindRepeats(records, found, false);
    RepeatCounts counts;
    for (const Found& f : found)
        ++(f.kind == HealthKind::Duplicate ? counts.duplicates : counts.sameName);
    return counts;
}

std::vector<HealthProblem> FindHealthProblems(const std::vector<const CSignalDescription*>& records,
                                              const HealthOptions& options) {
    // Repeats are found on a second core while this one looks at each signal and its family.
    std::future<std::vector<Found>> repeats = std::async(std::launch::async, [&records] {
        std::vector<Found> found;
        FindRepeats(records, found, true);
        return found;
    });
    std::vector<Found> found;
    std::unordered_map<std::int32_t, std::vector<std::size_t>> families;
    for (std::size_t at = 0; at < records.size(); ++at) {
        const CSignalDescription& s = *records[at];
        if (!s.m_bDisabled)
            families[s.m_nModulation].push_back(at);
        CheckDesignator(s, at, options, found);
        if (s.InvalidReason() != nullptr)
            found.push_back({at, at, HealthKind::Invalid,
                             HealthProblem{HealthKind::Invalid, &s, nullptr, 0, 0, {}}});
        if (s.m_nUnknownMode != 0 || s.m_nUnknownModulation != 0)
            found.push_back({at, at, HealthKind::UnknownName,
                             HealthProblem{HealthKind::UnknownName, &s, nullptr, 0, 0, {}}});
    }
    for (const auto& [modulation, family] : families)
        FindConfusable(records, family, options, found);
    {
        std::vector<Found> repeated = repeats.get();
        found.insert(found.end(), std::make_move_iterator(repeated.begin()),
                     std::make_move_iterator(repeated.end()));
    }
    // A signal has at most one problem of each kind: its place and the kind order them.
    std::vector<std::pair<std::uint64_t, std::size_t>> order(found.size());
    for (std::size_t i = 0; i < found.size(); ++i)
        order[i] = {std::uint64_t(found[i].at) * HealthKindCount + std::uint64_t(found[i].kind), i};
    std::sort(order.begin(), order.end());
    std::vector<HealthProblem> problems;
    problems.reserve(found.size());
    for (const auto& [key, i] : order) {
        Found& f = found[i];
        problems.push_back(std::move(f.problem));
        problems.back().at = f.at;
        problems.back().otherAt = f.other;
    }
    return problems;
}
