#include "SignalDiff.h"

#include "SignalColumns.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace {

std::u16string Name(const CSignalDescription& s) {
    return std::u16string(s.m_szName.View());
}

bool SameKind(const CSignalDescription& a, const CSignalDescription& b) {
    return a.m_nMode == b.m_nMode && a.m_nUnknownMode == b.m_nUnknownMode &&
           a.m_nModulation == b.m_nModulation && a.m_nSubmode == b.m_nSubmode &&
           a.m_nUnknownModulation == b.m_nUnknownModulation;
}

std::string Markup(const CSignalDescription& s) {
    return s.m_pKept ? s.m_pKept->attributes + s.m_pKept->children : std::string();
}

} // namespace

SignalPairing PairSignals(const SignalCollection& older, const SignalCollection& newer) {
    std::map<std::u16string, std::vector<const CSignalDescription*>> olds;
    std::map<std::u16string, std::vector<const CSignalDescription*>> news;
    for (const auto& s : older)
        olds[Name(*s)].push_back(s.get());
    for (const auto& s : newer)
        news[Name(*s)].push_back(s.get());
    SignalPairing pairing;
    for (auto& [name, before] : olds) {
        std::vector<const CSignalDescription*> after;
        if (const auto found = news.find(name); found != news.end()) {
            after = std::move(found->second);
            news.erase(found);
        }
        std::vector<bool> oldTaken(before.size()), newTaken(after.size());
        // Several of a name: the same decoder and modulation first, then in order.
        if (before.size() > 1 || after.size() > 1) {
            for (std::size_t i = 0; i < before.size(); ++i) {
                for (std::size_t j = 0; j < after.size(); ++j) {
                    if (!newTaken[j] && SameKind(*before[i], *after[j])) {
                        pairing.pairs.emplace_back(before[i], after[j]);
                        oldTaken[i] = newTaken[j] = true;
                        break;
                    }
                }
            }
        }
        std::size_t j = 0;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (oldTaken[i])
                continue;
            while (j < after.size() && newTaken[j])
                ++j;
            if (j < after.size()) {
                pairing.pairs.emplace_back(before[i], after[j]);
                newTaken[j] = true;
            } else {
                pairing.removed.push_back(before[i]);
            }
        }
        for (std::size_t k = 0; k < after.size(); ++k) {
            if (!newTaken[k])
                pairing.added.push_back(after[k]);
        }
    }
    for (const auto& [name, after] : news)
        pairing.added.insert(pairing.added.end(), after.begin(), after.end());
    return pairing;
}

bool SameSignal(const CSignalDescription& a, const CSignalDescription& b) {
    return a.EqualityFields() == b.EqualityFields() && a.OtherFields() == b.OtherFields() &&
           a.m_nUnknownMode == b.m_nUnknownMode &&
           a.m_nUnknownModulation == b.m_nUnknownModulation &&
           (a.m_pKept == b.m_pKept || Markup(a) == Markup(b));
}

std::vector<FieldDifference> DiffFields(const CSignalDescription& before,
                                        const CSignalDescription& after) {
    std::vector<FieldDifference> differences;
    if (SameSignal(before, after))
        return differences;
    CellBuffer a;
    CellBuffer b;
    for (int column = 0; column < SignalColumnCount; ++column) {
        const std::u16string_view was = SignalCellText(before, column, a);
        const std::u16string_view is = SignalCellText(after, column, b);
        if (was != is)
            differences.push_back(
                {SignalColumnKey(column), std::u16string(was), std::u16string(is)});
    }
    if (before.m_bDisabled != after.m_bDisabled)
        differences.push_back(
            {"disabled", before.m_bDisabled ? u"1" : u"0", after.m_bDisabled ? u"1" : u"0"});
    // Kept markup is UTF-8 as the file had it: the caller shows it from the records.
    if (Markup(before) != Markup(after))
        differences.push_back({"markup", {}, {}});
    return differences;
}
