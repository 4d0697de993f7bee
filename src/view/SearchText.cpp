#include "SearchText.h"

#include "SignalColumns.h"
#include "SignalDescription.h"
#include "TextFinder.h"

#include <cstring>

namespace {

constexpr char Other = '\x80'; // stands for every non-ASCII character

} // namespace

void CSearchText::Build(const SignalCollection& records) {
    m_text.clear();
    m_starts.clear();
    m_text.reserve(records.size() * 48);
    m_starts.reserve(records.size() + 1);
    CellBuffer buffer; // the searched columns are all texts: it stays unused
    char folded[512];
    // Records and their texts lie apart in memory: ask for the ones a few records ahead
    // while this one is folded, so that reading them waits less.
    constexpr std::size_t Ahead = 8;
    const std::size_t count = records.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + 2 * Ahead < count)
            __builtin_prefetch(records[i + 2 * Ahead].get());
        if (i + Ahead < count) {
            const CSignalDescription& next = *records[i + Ahead];
            __builtin_prefetch(next.m_szName.c_str());
            __builtin_prefetch(next.m_szITU.c_str());
            __builtin_prefetch(next.m_szComment.c_str());
        }
        m_starts.push_back(m_text.size());
        for (int column : FindColumns) {
            std::size_t length = 0;
            for (const char16_t* c = SignalCellText(*records[i], column, buffer); *c != u'\0';
                 ++c) {
                char16_t unit = *c;
                if (unit >= u'A' && unit <= u'Z')
                    unit = static_cast<char16_t>(unit + (u'a' - u'A'));
                folded[length++] = unit < 0x80 ? static_cast<char>(unit) : Other;
                if (length == sizeof folded) { // a longer text (an unknown name) goes in parts
                    m_text.append(folded, length);
                    length = 0;
                }
            }
            folded[length++] = '\0';
            m_text.append(folded, length);
        }
    }
    m_starts.push_back(m_text.size());
    m_bValid = true;
}

std::vector<int> CSearchText::Find(const SignalCollection& records, const std::string& needle) {
    if (!m_bValid || m_starts.size() != records.size() + 1)
        Build(records);
    std::vector<int> positions;
    const char* base = m_text.data();
    const std::size_t size = m_text.size();
    std::size_t from = 0;
    std::size_t record = 0;
    while (from < size) {
        const void* hit = memmem(base + from, size - from, needle.data(), needle.size());
        if (hit == nullptr)
            break;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        while (m_starts[record + 1] <= at)
            ++record;
        positions.push_back(static_cast<int>(record));
        from = m_starts[++record]; // the rest of this record needs no look
    }
    return positions;
}
