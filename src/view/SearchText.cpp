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
    for (const auto& signal : records) {
        m_starts.push_back(m_text.size());
        for (int column : FindColumns) {
            for (const char16_t* c = SignalCellText(*signal, column, buffer); *c != u'\0'; ++c) {
                char16_t unit = *c;
                if (unit >= u'A' && unit <= u'Z')
                    unit = static_cast<char16_t>(unit + (u'a' - u'A'));
                m_text.push_back(unit < 0x80 ? static_cast<char>(unit) : Other);
            }
            m_text.push_back('\0');
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
