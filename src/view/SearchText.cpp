#include "SearchText.h"

#include "SignalDescription.h"

#include <array>
#include <cstdint>

namespace {

char16_t Folded(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

bool Contains(const char16_t* text, const std::string& needle) {
    const auto first = static_cast<char16_t>(static_cast<unsigned char>(needle[0]));
    for (; *text != u'\0'; ++text) {
        if (Folded(*text) != first)
            continue;
        std::size_t k = 1;
        // The terminator equals no byte of the needle: the comparison stops at the end.
        while (k < needle.size() &&
               Folded(text[k]) == static_cast<char16_t>(static_cast<unsigned char>(needle[k])))
            ++k;
        if (k == needle.size())
            return true;
    }
    return false;
}

// Whether a table name contains the needle, by the name's address: each distinct name is
// scanned once, later records find the answer in a small open-addressing table.
class NameMemo {
public:
    explicit NameMemo(const std::string& needle) : m_needle(needle) {}
    bool Contains(const char16_t* name) {
        auto slot = (reinterpret_cast<std::uintptr_t>(name) >> 1) & (Slots - 1);
        for (std::size_t probes = 0; probes < Slots; ++probes, slot = (slot + 1) & (Slots - 1)) {
            if (m_names[slot] == name)
                return m_found[slot];
            if (m_names[slot] == nullptr) {
                m_names[slot] = name;
                m_found[slot] = ::Contains(name, m_needle);
                return m_found[slot];
            }
        }
        return ::Contains(name, m_needle); // the table is full: no memo
    }

private:
    static constexpr std::size_t Slots = 1024;
    const std::string& m_needle;
    std::array<const char16_t*, Slots> m_names{};
    std::array<bool, Slots> m_found{};
};

} // namespace

std::vector<int> CSearchText::Find(const SignalCollection& records, const std::string& needle) {
    std::vector<int> positions;
    if (needle.empty())
        return positions;
    NameMemo names(needle);
    // Records and their texts lie apart in memory: ask for the ones a few records ahead
    // while this one is scanned, so that reading them waits less.
    constexpr std::size_t Ahead = 8;
    const std::size_t count = records.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + 2 * Ahead < count)
            __builtin_prefetch(records[i + 2 * Ahead].get());
        if (i + Ahead < count) {
            const CSignalDescription& next = *records[i + Ahead];
            __builtin_prefetch(next.m_szName.c_str());
            __builtin_prefetch(next.m_szComment.c_str());
        }
        const CSignalDescription& s = *records[i];
        if (Contains(s.m_szName, needle) || names.Contains(s.GetModeName()) ||
            names.Contains(s.GetModulationName()) || Contains(s.m_szITU, needle) ||
            Contains(s.m_szComment, needle))
            positions.push_back(static_cast<int>(i));
    }
    return positions;
}
