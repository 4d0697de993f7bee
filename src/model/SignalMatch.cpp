#include "SignalMatch.h"

#include "SignalColumns.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool WholeNumber(std::string_view text, double& value) {
    text = Trimmed(text);
    if (text.empty() || text.front() == '+' || text.front() == '-')
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// The deviation of one asked value, or below 0 when it is out of tolerance or not there.
double Deviation(double own, double asked, const ParameterQuery& query) {
    if (asked <= 0)
        return 0;
    const double allowed = query.relative ? query.tolerance * asked : query.tolerance;
    if (own == -1)
        return allowed / asked; // the wildcard: any value, at the edge of the tolerance
    if (own <= 0)
        return -1;
    const double off = std::fabs(own - asked);
    return off <= allowed * (1 + 1e-12) ? off / asked : -1;
}

} // namespace

bool ParameterQuery::AsksSomething() const {
    return baud > 0 || shift > 0 || bandwidth > 0 || tones > 0 || carriers > 0;
}

bool ParseTolerance(std::string_view text, ParameterQuery& query) {
    text = Trimmed(text);
    const bool relative = !text.empty() && text.back() == '%';
    if (relative)
        text.remove_suffix(1);
    double value = 0;
    if (!WholeNumber(text, value))
        return false;
    query.relative = relative;
    query.tolerance = relative ? value / 100 : value;
    return true;
}

bool ParseAskedValue(std::string_view text, double& value) {
    return WholeNumber(text, value) && value > 0;
}

double MatchDeviation(const CSignalDescription& s, const ParameterQuery& query) {
    if (!s.MatchesFilter(query.filter) || !query.AsksSomething())
        return -1;
    const double asked[] = {query.baud, query.shift, query.bandwidth, double(query.tones),
                            double(query.carriers)};
    const double own[] = {s.m_dBaudrate, s.m_dShift, s.m_dBandwidth, double(s.m_nNumTones),
                          double(s.m_nNumChannels)};
    double largest = 0;
    for (std::size_t i = 0; i < std::size(asked); ++i) {
        const double deviation = Deviation(own[i], asked[i], query);
        if (deviation < 0)
            return -1;
        largest = std::max(largest, deviation);
    }
    return largest;
}

std::vector<ParameterMatch> FindByParameters(const SignalCollection& records,
                                             const ParameterQuery& query) {
    std::vector<ParameterMatch> matches;
    for (const auto& signal : records) {
        if (const double deviation = MatchDeviation(*signal, query); deviation >= 0)
            matches.push_back({signal.get(), deviation});
    }
    std::stable_sort(matches.begin(), matches.end(),
                     [](const ParameterMatch& a, const ParameterMatch& b) {
                         if (a.deviation != b.deviation)
                             return a.deviation < b.deviation;
                         return CompareSignals(*a.signal, *b.signal, ColumnName, false) < 0;
                     });
    return matches;
}
