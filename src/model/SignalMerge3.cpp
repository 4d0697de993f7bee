#include "SignalMerge3.h"

#include "SignalColumns.h"
#include "SignalDiff.h"

#include <cstring>
#include <map>
#include <unordered_map>

namespace {

int ColumnOf(const char* key) {
    for (int column = 0; column < SignalColumnCount; ++column) {
        if (std::strcmp(SignalColumnKey(column), key) == 0)
            return column;
    }
    return -1;
}

bool Changed(const CSignalDescription& a, const CSignalDescription& b) {
    return !DiffFields(a, b).empty();
}

std::unique_ptr<CSignalDescription> Copy(const CSignalDescription& s) {
    return std::make_unique<CSignalDescription>(s);
}

} // namespace

const std::vector<const char*>& MergeFieldKeys() {
    static const std::vector<const char*> keys = [] {
        std::vector<const char*> all;
        for (int column = 0; column < SignalColumnCount; ++column)
            all.push_back(SignalColumnKey(column));
        all.push_back("disabled");
        all.push_back("markup");
        return all;
    }();
    return keys;
}

bool FieldDiffers(const CSignalDescription& a, const CSignalDescription& b, const char* key) {
    if (std::strcmp(key, "disabled") == 0)
        return a.m_bDisabled != b.m_bDisabled;
    if (std::strcmp(key, "markup") == 0) {
        const auto text = [](const CSignalDescription& s) {
            return s.m_pKept ? s.m_pKept->attributes + s.m_pKept->children : std::string();
        };
        return text(a) != text(b);
    }
    const int column = ColumnOf(key);
    CellBuffer x;
    CellBuffer y;
    return std::u16string_view(SignalCellText(a, column, x)) !=
           std::u16string_view(SignalCellText(b, column, y));
}

void CopyField(const char* key, const CSignalDescription& from, CSignalDescription& to) {
    const std::string_view k(key);
    if (k == "name") {
        to.m_szName = from.m_szName;
    } else if (k == "decoder") {
        to.m_nMode = from.m_nMode;
        to.m_nUnknownMode = from.m_nUnknownMode;
    } else if (k == "modulation" || k == "subcarrier") {
        to.m_nModulation = from.m_nModulation;
        to.m_nSubmode = from.m_nSubmode;
        to.m_nUnknownModulation = from.m_nUnknownModulation;
    } else if (k == "baud") {
        to.m_dBaudrate = from.m_dBaudrate;
    } else if (k == "shift") {
        to.m_dShift = from.m_dShift;
    } else if (k == "bandwidth") {
        to.m_dBandwidth = from.m_dBandwidth;
    } else if (k == "tones") {
        to.m_nNumTones = from.m_nNumTones;
        to.m_nNumTonesMin = from.m_nNumTonesMin;
    } else if (k == "carriers") {
        to.m_nNumChannels = from.m_nNumChannels;
        to.m_nNumChannelsMin = from.m_nNumChannelsMin;
    } else if (k == "spacing") {
        to.m_szSpacing = from.m_szSpacing;
    } else if (k == "pilot") {
        to.m_dPilotFrequency = from.m_dPilotFrequency;
    } else if (k == "codecheck") {
        to.m_nCodecheckCounter = from.m_nCodecheckCounter;
    } else if (k == "itu") {
        to.m_szITU = from.m_szITU;
    } else if (k == "comments") {
        to.m_szComment = from.m_szComment;
    } else if (k == "disabled") {
        to.m_bDisabled = from.m_bDisabled;
    } else if (k == "markup") {
        to.m_pKept = from.m_pKept;
    }
}

ThreeWayMerge MergeThreeWay(const SignalCollection& base, const SignalCollection& ours,
                            const SignalCollection& theirs) {
    ThreeWayMerge merge;
    const SignalPairing withOurs = PairSignals(base, ours);
    const SignalPairing withTheirs = PairSignals(base, theirs);
    // What becomes of each of ours, by ours: merged, or kept as it is.
    std::unordered_map<const CSignalDescription*, std::unique_ptr<CSignalDescription>> merged;
    for (std::size_t i = 0; i < base.size(); ++i) {
        const auto& b = base[i];
        const CSignalDescription* own = withOurs.partners[i];
        const CSignalDescription* other = withTheirs.partners[i];
        if (own != nullptr && other != nullptr && SameSignal(*b, *other)) {
            continue; // theirs left it as it was: ours stands
        } else if (own != nullptr && other != nullptr) {
            auto result = Copy(*own);
            for (const char* key : MergeFieldKeys()) {
                const bool oursChanged = FieldDiffers(*b, *own, key);
                const bool theirsChanged = FieldDiffers(*b, *other, key);
                if (theirsChanged && !oursChanged)
                    CopyField(key, *other, *result);
                else if (theirsChanged && FieldDiffers(*own, *other, key))
                    merge.conflicts.push_back({b.get(), own, other, key});
            }
            result->m_bInvalid = result->CheckProblem(true) != SignalProblem::None;
            merged[own] = std::move(result);
        } else if (own != nullptr) {
            // Theirs removed it: removed unless ours changed it.
            if (Changed(*b, *own))
                merge.conflicts.push_back({b.get(), own, nullptr, "signal"});
            else
                merged[own] = nullptr;
        } else if (other != nullptr && Changed(*b, *other)) {
            // Ours removed what theirs changed: it stays removed, and is said.
            merge.conflicts.push_back({b.get(), nullptr, other, "signal"});
        }
    }
    // Signals only theirs added, unless ours added one of the same name.
    std::map<std::u16string, const CSignalDescription*> oursAdded;
    for (const CSignalDescription* o : withOurs.added)
        oursAdded.emplace(std::u16string(o->m_szName.View()), o);
    SignalCollection theirsAdded;
    for (const CSignalDescription* t : withTheirs.added) {
        const auto same = oursAdded.find(std::u16string(t->m_szName.View()));
        if (same == oursAdded.end()) {
            theirsAdded.push_back(Copy(*t));
            continue;
        }
        for (const char* key : MergeFieldKeys()) {
            if (FieldDiffers(*same->second, *t, key))
                merge.conflicts.push_back({nullptr, same->second, t, key});
        }
    }
    for (const auto& o : ours) {
        const auto found = merged.find(o.get());
        if (found == merged.end())
            merge.records.push_back(Copy(*o));
        else if (found->second)
            merge.records.push_back(std::move(found->second));
    }
    for (auto& t : theirsAdded)
        merge.records.push_back(std::move(t));
    return merge;
}
